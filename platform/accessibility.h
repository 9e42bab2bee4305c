#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace levywise {

// What screen readers are told about the windows beyond what the toolkit
// says by itself.

// A top-level window is announced as a window, named by its caption.
void ExposeAsWindow(QWidget* window);

// A label that shows data, such as a unit's name, is heard as it shows it:
// an "&" in it is a character, where the toolkit would take it for the mark
// of an access key and leave it out. Such a label has plain text and no
// buddy (with one, it would show its "&" as that mark).
void ExposeTextAsShown(QLabel* label);

} // namespace levywise
