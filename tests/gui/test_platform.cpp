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
    // Each message's first line, and whether the window was printed ("P")
    // or saved as a PDF ("S"). A failure says what went wrong; the question
    // offers a way out.
    void printWindowImage() {
        const struct {
            bool printer;
            QString printError, pdfError;
            MsgResult answer; // to "save as PDF instead?"
            bool saveChosen;  // in the save dialog
            QString outcome;
        } cases[] = {
            {true, {}, {}, MsgResult::Cancel, true, "P"},
            {true,
             "Out of paper.",
             {},
             MsgResult::Cancel,
             true,
             "The window could not be printed."},
            {false, {}, {}, MsgResult::Ok, true, "No printer is set up on this computer.|S"},
            {false,
             {},
             "Read-only.",
             MsgResult::Ok,
             true,
             "No printer is set up on this computer.|The PDF file could not be saved."},
        };
        for (const auto& c : cases) {
            QWidget window;
            window.resize(120, 80);
            FakePlatform p;
            std::tie(p.printerPresent, p.printError, p.pdfError) =
                std::tie(c.printer, c.printError, c.pdfError);
            p.messageAnswers = {c.answer};
            p.saveAnswers = {c.saveChosen ? std::optional<QString>("/tmp/w.pdf") : std::nullopt};
            PrintWindowImage(&window, p);
            QStringList outcome;
            for (const auto& m : p.messages) {
                outcome << m.text.section(QStringLiteral("\r\n"), 0, 0);
                QVERIFY(m.title == "Print" && (m.text.endsWith(c.printError + c.pdfError) ||
                                               m.buttons == MsgButtons::OkCancel));
            }
            if (!p.printed.empty() &&
                p.printed[0].size() == window.size() * window.devicePixelRatio())
                outcome << "P";
            outcome << QStringList(int(p.pdfs.size()), "S");
            QCOMPARE(outcome.join('|'), c.outcome);
        }
    }
};

QTEST_MAIN(PlatformTest)
#include "test_platform.moc"
