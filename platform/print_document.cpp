#include "platform/print_document.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QUrl>

#include "platform/platform.h"
#include "platform/print_window.h"
#include "platform/svg_bands.h"

namespace levywise {
namespace {

constexpr qreal kPageWidth = 624; // the text's width on a Letter page, at 96 per inch
constexpr qreal kPictureResolution = 3;

} // namespace

void SetDocumentHtml(QTextDocument& document, const QString& html) {
    // A text document draws no SVG: each picture goes in as an image drawn
    // from it, sharp at print resolution.
    static const QRegularExpression svg(QStringLiteral("<svg\\b.*?</svg>"),
                                        QRegularExpression::DotMatchesEverythingOption);
    QString text;
    qsizetype done = 0;
    int count = 0;
    for (const QRegularExpressionMatch& m : svg.globalMatch(html)) {
        text += QStringView(html).mid(done, m.capturedStart() - done);
        done = m.capturedEnd();
        SvgBands picture;
        if (!picture.load(m.captured().toUtf8())) continue;
        const QSizeF shown = picture.size().scaled(std::min(kPageWidth, picture.size().width()),
                                                   1e9, Qt::KeepAspectRatio);
        QImage image((shown * kPictureResolution).toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        picture.render(painter, QRectF(QPointF(0, 0), image.size()), 0, picture.size().height());
        painter.end();
        const QString name = QStringLiteral("picture:%1").arg(++count);
        document.addResource(QTextDocument::ImageResource, QUrl(name), image);
        text += QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\">")
                    .arg(name)
                    .arg(qRound(shown.width()))
                    .arg(qRound(shown.height()));
    }
    text += QStringView(html).mid(done);
    document.setHtml(text);
}

DocumentPreview::DocumentPreview(const QString& html, const QString& title, QWidget* parent)
    : printer_(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution),
      dialog_(&printer_, parent) {
    printer_.setDocName(title);
    SetDocumentHtml(document_, html);
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
        SetDocumentHtml(document, html);
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
