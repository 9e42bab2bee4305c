#pragma once

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QString>
#include <QTextDocument>

class QWidget;

namespace levywise {

class Platform;

// Gives the document the HTML, each SVG picture in it drawn as an image.
void SetDocumentHtml(QTextDocument& document, const QString& html);

// The print preview of a document given as HTML, paginated for the default
// printer (for a PDF file when no printer is set up). The user prints from it.
class DocumentPreview {
public:
    DocumentPreview(const QString& html, const QString& title, QWidget* parent);
    QPrintPreviewDialog& dialog() { return dialog_; }

private:
    QPrinter printer_;
    QTextDocument document_;
    QPrintPreviewDialog dialog_;
};

// The document's pages as a PDF file (US Letter). Empty on success, else
// what went wrong in words for the user.
QString SaveDocumentAsPdf(const QString& html, const QString& path);

// Prints a document: its preview when a printer is set up; otherwise the
// user is told and offered to save it as a PDF file instead. Every failure
// is reported and the window stays usable.
void PrintDocument(QWidget* window, Platform& platform, const QString& html, const QString& title);

} // namespace levywise
