#include "platform/print_window.h"

#include <QWidget>

#include "platform/platform.h"

namespace levywise {

void PrintWindowImage(QWidget* window, Platform& platform) {
    const QImage image = window->grab().toImage();
    const QString title = window->windowTitle().isEmpty() ? QStringLiteral("Levywise")
                                                          : window->windowTitle();
    if (platform.hasPrinter()) {
        const QString error = platform.printImage(image, title);
        if (!error.isEmpty())
            platform.messageBox(window, QStringLiteral("Print"),
                                QStringLiteral("The window could not be printed.\r\n") + error,
                                MsgButtons::Ok);
        return;
    }
    const MsgResult answer = platform.messageBox(
        window, QStringLiteral("Print"),
        QStringLiteral("No printer is set up on this computer.\r\n"
                       "Press OK to save an image of the window as a PDF file instead, or press Cancel."),
        MsgButtons::OkCancel);
    if (answer != MsgResult::Ok) return;
    const auto path = platform.saveFile(window, QStringLiteral("levywise.pdf"),
                                        QStringLiteral("PDF Files (*.pdf)"));
    if (!path) return;
    const QString error = platform.saveImageAsPdf(image, *path);
    if (!error.isEmpty())
        platform.messageBox(window, QStringLiteral("Print"),
                            QStringLiteral("The PDF file could not be saved.\r\n") + error,
                            MsgButtons::Ok);
}

} // namespace levywise
