#pragma once

#include <QImage>
#include <QString>
#include <deque>
#include <optional>
#include <vector>

#include "platform/platform.h"

namespace levywise::test {

// Answers the program's questions the way a test has preset, and records
// what was asked. An unexpected question is answered with Cancel / nothing
// and recorded too, so a test can never hang on a modal window.
class FakePlatform : public Platform {
public:
    struct Message {
        QString title, text;
        MsgButtons buttons;
    };

    std::deque<MsgResult> messageAnswers;              // next answers, Cancel when empty
    std::deque<std::optional<QString>> openAnswers;    // next chosen files, cancel when empty
    std::deque<std::optional<QString>> saveAnswers;
    QString currentDir = QStringLiteral("/tmp");
    bool printerPresent = true;
    QString printError;                                // what printImage reports
    QString pdfError;

    std::vector<Message> messages;
    std::vector<OpenFileRequest> openRequests;
    std::vector<QImage> printed;
    std::vector<QString> pdfs;

    MsgResult messageBox(QWidget*, const QString& title, const QString& text,
                         MsgButtons buttons) override {
        messages.push_back({title, text, buttons});
        if (messageAnswers.empty()) return MsgResult::Cancel;
        const MsgResult r = messageAnswers.front();
        messageAnswers.pop_front();
        return r;
    }
    std::optional<QString> openFile(QWidget*, const OpenFileRequest& request) override {
        openRequests.push_back(request);
        return takeFront(openAnswers);
    }
    std::optional<QString> saveFile(QWidget*, const QString&, const QString&) override {
        return takeFront(saveAnswers);
    }
    QString currentDirectory() override { return currentDir; }
    bool hasPrinter() override { return printerPresent; }
    QString printImage(const QImage& image, const QString&) override {
        if (printError.isEmpty()) printed.push_back(image);
        return printError;
    }
    QString saveImageAsPdf(const QImage&, const QString& path) override {
        if (pdfError.isEmpty()) pdfs.push_back(path);
        return pdfError;
    }

private:
    // Copies the text rather than the optional: g++ 12 at -O2 takes a copied
    // optional<QString> for maybe-uninitialized.
    static std::optional<QString> takeFront(std::deque<std::optional<QString>>& answers) {
        if (answers.empty() || !answers.front()) {
            if (!answers.empty()) answers.pop_front();
            return std::nullopt;
        }
        const QString chosen = *answers.front();
        answers.pop_front();
        return chosen;
    }
};

} // namespace levywise::test
