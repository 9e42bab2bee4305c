// Printing a window's image, with its fallbacks when there is no printer
// or printing fails.
#include <QTest>
#include <QWidget>
#include <tuple>

#include "common/fake_platform.h"
#include "platform/print_window.h"

using namespace levywise;
using levywise::test::FakePlatform;

class PlatformTest : public QObject {
    Q_OBJECT

private slots:
    void printWindowImage() {
        const QString pdf = QStringLiteral("/tmp/window.pdf"),
                      none = "No printer is set up on this computer.",
                      notPrinted = "The window could not be printed.",
                      notSaved = "The PDF file could not be saved.";
        const MsgResult ok = MsgResult::Ok, cancel = MsgResult::Cancel;
        const struct {
            bool printer;
            QString printError;
            MsgResult answer; // to "save as PDF instead?"
            QString saveAs;   // the save dialog's answer; empty: cancelled
            QString pdfError;
            QStringList messages; // their first lines, in order
            int printed, saved;
        } cases[] = {
            {true, {}, cancel, pdf, {}, {}, 1, 0},
            {true, "Out of paper.", cancel, pdf, {}, {notPrinted}, 0, 0},
            {false, {}, ok, pdf, {}, {none}, 0, 1},
            {false, {}, ok, {}, {}, {none}, 0, 0},
            {false, {}, ok, pdf, "Read-only.", {none, notSaved}, 0, 0},
        };
        for (const auto& c : cases) {
            QWidget window;
            window.resize(120, 80);
            FakePlatform p;
            std::tie(p.printerPresent, p.printError, p.pdfError) =
                std::tie(c.printer, c.printError, c.pdfError);
            p.messageAnswers = {c.answer};
            p.saveAnswers = {c.saveAs.isEmpty() ? std::nullopt : std::optional<QString>(c.saveAs)};
            PrintWindowImage(&window, p);
            QStringList firstLines;
            for (const auto& m : p.messages) {
                QCOMPARE(m.title, QStringLiteral("Print"));
                firstLines << m.text.section(QStringLiteral("\r\n"), 0, 0);
                // A failure says what went wrong; the question offers a way out.
                QVERIFY(m.text.endsWith(c.printError + c.pdfError) ||
                        m.buttons == MsgButtons::OkCancel);
            }
            QCOMPARE(firstLines, c.messages);
            QCOMPARE(int(p.printed.size()), c.printed);
            if (c.printed) QCOMPARE(p.printed[0].size(), window.size() * window.devicePixelRatio());
            QCOMPARE(int(p.pdfs.size()), c.saved);
        }
    }
};

QTEST_MAIN(PlatformTest)
#include "test_platform.moc"
