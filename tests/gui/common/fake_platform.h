#pragma once

#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QString>
#include <QTextDocumentFragment>
#include <QWidget>
#include <deque>
#include <optional>
#include <vector>

#include "platform/platform.h"
#include "platform/print_document.h"

namespace levywise::test {

// Answers the program's questions the way a test has preset, and records
// what was asked. An unexpected question is answered with Cancel or no file,
// so a test never hangs on a modal window.
class FakePlatform : public Platform {
public:
    struct Message {
        QString title, text;
        QString shown; // the text as the program's message box shows it
        MsgButtons buttons;
        QPoint over; // the centre of the window it opens over
    };

    std::deque<MsgResult> messageAnswers;
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    std::deque<QStringList> openManyAnswers; // an empty list: Cancel
    QString currentDir = QStringLiteral("/tmp");
    QString configFolder, sampleFolder; // none unless a test sets them
    bool printerPresent = true;
    QString printError, pdfError; // what printing or saving reports

    std::vector<Message> messages;
    std::vector<OpenFileRequest> openRequests;
    std::vector<QImage> printed;
    std::vector<QString> pdfs;
    std::vector<QString> previews; // the documents previewed, as HTML

    MsgResult messageBox(QWidget* parent, const QString& title, const QString& text,
                         MsgButtons buttons) override {
        messages.push_back({title, text, shownText(*NewMessageBox(parent, title, text, buttons)),
                            buttons, parent ? parent->window()->geometry().center() : QPoint()});
        if (messageAnswers.empty()) return MsgResult::Cancel;
        const MsgResult answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    std::optional<QString> openFile(QWidget*, const OpenFileRequest& request) override {
        openRequests.push_back(request);
        return next(openAnswers);
    }
    std::optional<QStringList> openFiles(QWidget*, const OpenFileRequest& request) override {
        openRequests.push_back(request);
        if (openManyAnswers.empty()) return std::nullopt;
        QStringList chosen = openManyAnswers.front();
        openManyAnswers.pop_front();
        if (chosen.isEmpty()) return std::nullopt;
        return chosen;
    }
    std::optional<QString> saveFile(QWidget*, const QString&, const QString&) override {
        return next(saveAnswers);
    }
    QString currentDirectory() override { return currentDir; }
    QString userConfigFolder() override { return configFolder; }
    QString installedSampleFolder() override { return sampleFolder; }
    bool hasPrinter() override { return printerPresent; }
    QString printImage(const QImage& image, const QString&) override {
        if (printError.isEmpty()) printed.push_back(image);
        return printError;
    }
    QString saveImageAsPdf(const QImage&, const QString& path) override {
        if (pdfError.isEmpty()) pdfs.push_back(path);
        return pdfError;
    }

    QString previewDocument(QWidget*, const QString& html, const QString&) override {
        previews.push_back(html);
        return {};
    }
    // A real PDF file, as the desktop writes it, for the test to read back.
    QString saveDocumentAsPdf(const QString& html, const QString& path) override {
        if (!pdfError.isEmpty()) return pdfError;
        pdfs.push_back(path);
        return SaveDocumentAsPdf(html, path);
    }

private:
    // What the box shows: the text itself, or what is left of it once it
    // has been taken for markup.
    static QString shownText(const QMessageBox& box) {
        const auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        return label->textFormat() == Qt::PlainText
                   ? label->text()
                   : QTextDocumentFragment::fromHtml(label->text()).toPlainText();
    }

    // Copies the text rather than the optional: g++ 12 at -O2 takes a copied
    // optional<QString> for maybe-uninitialized.
    static std::optional<QString> next(std::deque<std::optional<QString>>& answers) {
        if (answers.empty()) return std::nullopt;
        const bool chosen = answers.front().has_value();
        const QString path = chosen ? *answers.front() : QString();
        answers.pop_front();
        if (!chosen) return std::nullopt;
        return path;
    }
};

} // namespace levywise::test
