#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QMessageBox;
class QWidget;

namespace levywise {

enum class MsgButtons { Ok, OkCancel };
enum class MsgResult { Ok, Cancel };

// A file-open dialog as the program asks for it. Filters are "description",
// "pattern" pairs; selectedFilter counts from 1.
struct OpenFileRequest {
    QString proposedName;
    QList<QPair<QString, QString>> filters;
    int selectedFilter = 1;
};

// The services the windows take from the desktop: modal message boxes, file
// dialogs, the current folder and the printer. The windows use nothing else
// of the desktop directly, so tests can answer every question the program
// asks without a modal window ever blocking them.
class Platform {
public:
    virtual ~Platform() = default;

    // Title, text (lines joined with CR LF, as the program writes them), no icon.
    virtual MsgResult messageBox(QWidget* parent, const QString& title, const QString& text,
                                 MsgButtons buttons) = 0;
    // The chosen full path, or nothing when the user cancels.
    virtual std::optional<QString> openFile(QWidget* parent, const OpenFileRequest& request) = 0;
    // The same with several files chosen at once; the proposed one is
    // chosen to begin with.
    virtual std::optional<QStringList> openFiles(QWidget* parent,
                                                 const OpenFileRequest& request) = 0;
    virtual std::optional<QString> saveFile(QWidget* parent, const QString& proposedName,
                                            const QString& filter) = 0;
    virtual QString currentDirectory() = 0;
    // The folder of the user's own settings of this program (on Linux
    // ~/.config/levywise); empty when the desktop offers none.
    virtual QString userConfigFolder() = 0;
    // The folder of the sample county installed with the program; empty
    // where there is none (a build tree).
    virtual QString installedSampleFolder() = 0;

    // Printing an image of a window on the default printer.
    virtual bool hasPrinter() = 0;
    // Empty on success, else what went wrong in words for the user.
    virtual QString printImage(const QImage& image, const QString& jobName) = 0;
    virtual QString saveImageAsPdf(const QImage& image, const QString& path) = 0;

    // Printing a document given as HTML: a print preview, from which the
    // user prints it; or a PDF file of its pages. Empty on success, else
    // what went wrong in words for the user.
    virtual QString previewDocument(QWidget* parent, const QString& html, const QString& title) = 0;
    virtual QString saveDocumentAsPdf(const QString& html, const QString& path) = 0;
};

// The message box the program shows: the title, the text (lines joined
// with CR LF) shown as the characters it holds, never as markup, whatever a
// file or a setting put into it, no icon, and the buttons asked for.
std::unique_ptr<QMessageBox> NewMessageBox(QWidget* parent, const QString& title,
                                           const QString& text, MsgButtons buttons);

// The real desktop.
class QtPlatform : public Platform {
public:
    MsgResult messageBox(QWidget* parent, const QString& title, const QString& text,
                         MsgButtons buttons) override;
    std::optional<QString> openFile(QWidget* parent, const OpenFileRequest& request) override;
    std::optional<QStringList> openFiles(QWidget* parent, const OpenFileRequest& request) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& proposedName,
                                    const QString& filter) override;
    QString currentDirectory() override;
    QString userConfigFolder() override;
    QString installedSampleFolder() override;
    bool hasPrinter() override;
    QString printImage(const QImage& image, const QString& jobName) override;
    QString saveImageAsPdf(const QImage& image, const QString& path) override;
    QString previewDocument(QWidget* parent, const QString& html, const QString& title) override;
    QString saveDocumentAsPdf(const QString& html, const QString& path) override;
};

} // namespace levywise
