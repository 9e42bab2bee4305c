#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace levywise {

class Platform;

// Prints an image of the window's client area on the default printer. With
// no printer on the system the user is told and offered to save the image
// as a PDF file instead; every failure is reported and the window stays usable.
void PrintWindowImage(QWidget* window, Platform& platform);

// The flow every Print command shares: print when a printer is set up;
// otherwise tell the user and offer a PDF file instead. `what` names the
// thing printed in the messages ("window", "document"), `offer` what the PDF
// holds. Each step returns empty on success, else the reason for the user.
struct PrintJob {
    QString what;
    QString offer;
    std::function<QString()> print;
    std::function<QString(const QString& path)> saveAsPdf;
};
void PrintOrOfferPdf(QWidget* window, Platform& platform, const PrintJob& job);

} // namespace levywise
