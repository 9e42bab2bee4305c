// Printing a window's image, with its fallbacks when there is no printer
// or printing fails.
#include <QWidget>

#include "common/fake_platform.h"
#include "platform/print_window.h"
#include <QTest>

using namespace levywise;
using levywise::test::FakePlatform;

class PlatformTest : public QObject {
    Q_OBJECT

private slots:
    void printWindowImage_data() {
        QTest::addColumn<bool>("printer");
        QTest::addColumn<QString>("printError");
        QTest::addColumn<int>("answer");     // to "no printer, save as PDF?"
        QTest::addColumn<QString>("saveAs"); // the save dialog's answer; empty: cancelled
        QTest::addColumn<QString>("pdfError");
        QTest::addColumn<QStringList>("messages"); // first lines, in order
        QTest::addColumn<int>("printed");
        QTest::addColumn<int>("saved");
        const QString none, pdf = QStringLiteral("/tmp/window.pdf");
        const QString noPrinter = QStringLiteral("No printer is set up on this computer.");
        const int ok = int(MsgResult::Ok), cancel = int(MsgResult::Cancel);
        QTest::newRow("printer") << true << none << cancel << pdf << none << QStringList() << 1
                                 << 0;
        QTest::newRow("printer fails") << true << "Out of paper." << cancel << pdf << none
                                       << QStringList{"The window could not be printed."} << 0 << 0;
        QTest::newRow("saved as PDF")
            << false << none << ok << pdf << none << QStringList{noPrinter} << 0 << 1;
        QTest::newRow("PDF declined")
            << false << none << cancel << pdf << none << QStringList{noPrinter} << 0 << 0;
        QTest::newRow("save cancelled")
            << false << none << ok << none << none << QStringList{noPrinter} << 0 << 0;
        QTest::newRow("PDF not written")
            << false << none << ok << pdf << "Read-only."
            << QStringList{noPrinter, "The PDF file could not be saved."} << 0 << 0;
    }
    void printWindowImage() {
        QFETCH(bool, printer);
        QFETCH(QString, printError);
        QFETCH(int, answer);
        QFETCH(QString, saveAs);
        QFETCH(QString, pdfError);
        QFETCH(QStringList, messages);
        QFETCH(int, printed);
        QFETCH(int, saved);
        QWidget window;
        window.resize(120, 80);
        FakePlatform p;
        p.printerPresent = printer;
        p.printError = printError;
        p.pdfError = pdfError;
        p.messageAnswers = {MsgResult(answer)};
        p.saveAnswers = {saveAs.isEmpty() ? std::nullopt : std::optional<QString>(saveAs)};
        PrintWindowImage(&window, p);

        QStringList firstLines;
        for (const auto& m : p.messages) {
            QCOMPARE(m.title, QStringLiteral("Print"));
            firstLines << m.text.section(QStringLiteral("\r\n"), 0, 0);
            // A failure says what went wrong; the question offers a way out.
            QVERIFY(m.text.endsWith(printError + pdfError) || m.buttons == MsgButtons::OkCancel);
        }
        QCOMPARE(firstLines, messages);
        QCOMPARE(int(p.printed.size()), printed);
        if (printed) QCOMPARE(p.printed[0].size(), window.size() * window.devicePixelRatio());
        QCOMPARE(int(p.pdfs.size()), saved);
    }
};

QTEST_MAIN(PlatformTest)
#include "test_platform.moc"
