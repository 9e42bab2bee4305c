#include "platform/print_window.h"

#include <QWidget>

#include "platform/platform.h"

namespace levywise {

void PrintOrOfferPdf(QWidget* window, Platform& platform, const PrintJob& job) {
    if (platform.hasPrinter()) {
        const QString error = job.print();
        if (!error.isEmpty())
            platform.messageBox(window, QStringLiteral("Print"),
                                QStringLiteral("The %1 could not be printed.\r\n").arg(job.what) +
                                    error,
                                MsgButtons::Ok);
        return;
    }
    const MsgResult answer = platform.messageBox(
        window, QStringLiteral("Print"),
        QStringLiteral("No printer is set up on this computer.\r\n"
                       "Press OK to save %1 as a PDF file instead, or press Cancel.")
            .arg(job.offer),
        MsgButtons::OkCancel);
    if (answer != MsgResult::Ok) return;
    const auto path = platform.saveFile(window, QStringLiteral("levywise.pdf"),
                                        QStringLiteral("PDF Files (*.pdf)"));
    if (!path) return;
    const QString error = job.saveAsPdf(*path);
    if (!error.isEmpty())
        platform.messageBox(window, QStringLiteral("Print"),
                            QStringLiteral("The PDF file could not be saved.\r\n") + error,
                            MsgButtons::Ok);
}

void PrintWindowImage(QWidget* window, Platform& platform) {
    const QImage image = window->grab().toImage();
    const QString title =
        window->windowTitle().isEmpty() ? QStringLiteral("Levywise") : window->windowTitle();
    PrintOrOfferPdf(window, platform,
                    {QStringLiteral("window"), QStringLiteral("an image of the window"),
                     [&] { return platform.printImage(image, title); },
                     [&](const QString& path) { return platform.saveImageAsPdf(image, path); }});
}

} // namespace levywise
