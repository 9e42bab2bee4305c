#pragma once

#include <QString>

class QWidget;

namespace levywise {

class Platform;

// Prints an image of the window's client area on the default printer. With
// no printer on the system the user is told and offered to save the image
// as a PDF file instead; every failure is reported and the window stays usable.
void PrintWindowImage(QWidget* window, Platform& platform);

} // namespace levywise
