#include "platform/print_document.h"

#include <QFile>
#include <QPdfWriter>
#include <QPrinterInfo>

#include "platform/platform.h"

namespace levywise {

DocumentPreview::DocumentPreview(const QString& html, const QString& title, QWidget* parent)
    : printer_(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution),
      dialog_(&printer_, parent) {
    printer_.setDocName(title);
    document_.setHtml(html);
    dialog_.setWindowTitle(title);
    QObject::connect(&dialog_, &QPrintPreviewDialog::paintRequested, &dialog_,
                     [this](QPrinter* printer) { document_.print(printer); });
}

QString SaveDocumentAsPdf(const QString& html, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QObject::tr("The file %1 could not be written.").arg(path);
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setResolution(300);
        QTextDocument document;
        document.setHtml(html);
        document.print(&writer);
    }
    file.close();
    if (file.error() != QFileDevice::NoError)
        return QObject::tr("The file %1 could not be written.").arg(path);
    return {};
}

void PrintDocument(QWidget* window, Platform& platform, const QString& html, const QString& title) {
    if (platform.hasPrinter()) {
        const QString error = platform.previewDocument(window, html, title);
        if (!error.isEmpty())
            platform.messageBox(window, QStringLiteral("Print"),
                                QStringLiteral("The document could not be printed.\r\n") + error,
                                MsgButtons::Ok);
        return;
    }
    const MsgResult answer = platform.messageBox(
        window, QStringLiteral("Print"),
        QStringLiteral("No printer is set up on this computer.\r\n"
                       "Press OK to save the document as a PDF file instead, or press Cancel."),
        MsgButtons::OkCancel);
    if (answer != MsgResult::Ok) return;
    const auto path = platform.saveFile(window, QStringLiteral("levywise.pdf"),
                                        QStringLiteral("PDF Files (*.pdf)"));
    if (!path) return;
    const QString error = platform.saveDocumentAsPdf(html, *path);
    if (!error.isEmpty())
        platform.messageBox(window, QStringLiteral("Print"),
                            QStringLiteral("The PDF file could not be saved.\r\n") + error,
                            MsgButtons::Ok);
}

} // namespace levywise
