// Printing a window's image, with its fallbacks when there is no printer
// or printing fails.
#include <QTest>
#include <QWidget>

#include "common/fake_platform.h"
#include "platform/print_window.h"

using namespace levywise;
using levywise::test::FakePlatform;

class PlatformTest : public QObject {
    Q_OBJECT

private slots:
    // The image is the window's; a failure says what went wrong, and with
    // no printer the user may save the image as a PDF instead.
    void printWindowImage() {
        QWidget window;
        window.resize(120, 80);
        FakePlatform p;
        PrintWindowImage(&window, p);
        QCOMPARE(p.printed.at(0).size(), window.size() * window.devicePixelRatio());
        p.printError = QStringLiteral("Out of paper.");
        PrintWindowImage(&window, p);
        p.printerPresent = false;
        p.pdfError = QStringLiteral("Read-only.");
        p.messageAnswers = {MsgResult::Ok};
        p.saveAnswers = {QStringLiteral("/tmp/window.pdf")};
        PrintWindowImage(&window, p);
        QStringList said;
        for (const auto& m : p.messages) said << m.title + ": " + m.text;
        QCOMPARE(said, (QStringList{"Print: The window could not be printed.\r\nOut of paper.",
                                    "Print: No printer is set up on this computer.\r\nPress OK to "
                                    "save an image of the window as a PDF file instead, or press "
                                    "Cancel.",
                                    "Print: The PDF file could not be saved.\r\nRead-only."}));
        QCOMPARE(p.printed.size() + p.pdfs.size(), std::size_t(1));
    }
};

QTEST_MAIN(PlatformTest)
#include "test_platform.moc"
