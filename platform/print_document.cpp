#include "platform/print_document.h"

#include <QFile>
#include <QPdfWriter>
#include <QPrinterInfo>

#include "platform/platform.h"
#include "platform/print_window.h"

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
    PrintOrOfferPdf(window, platform,
                    {QStringLiteral("document"), QStringLiteral("the document"),
                     [&] { return platform.previewDocument(window, html, title); },
                     [&](const QString& path) { return platform.saveDocumentAsPdf(html, path); }});
}

} // namespace levywise
