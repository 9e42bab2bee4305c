// Printing a window's image, with its fallbacks when there is no printer
// or printing fails; a band of a tall picture drawn alone, pictures in a
// printed document; the menu bars' overflow icon, read when first drawn.
#include <QPainter>
#include <QStyleFactory>
#include <QTest>
#include <QWidget>
#include <memory>

#include "common/fake_platform.h"
#include "platform/deferred_icon_style.h"
#include "platform/print_document.h"
#include "platform/print_window.h"
#include "platform/svg_bands.h"

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

    // Each band shows its own part of the picture at the top of its target,
    // an element beyond it left out, one of no known height kept.
    void pictureBand() {
        SvgBands picture;
        QVERIFY(picture.load(
            "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 10 200\">\n"
            "<g><rect x=\"0\" y=\"0\" width=\"2\" height=\"200\" fill=\"#0000FF\"/></g>\n"
            "<rect x=\"2\" y=\"0\" width=\"8\" height=\"100\" fill=\"#FF0000\"/>\n"
            "<rect x=\"2\" y=\"100\" width=\"8\" height=\"100\" fill=\"#00FF00\"/>\n</svg>"));
        QCOMPARE(picture.size(), QSizeF(10, 200));
        for (const auto& [top, colour] : {std::pair{0, Qt::red}, {100, Qt::green}}) {
            QImage image(10, 100, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            picture.render(painter, QRectF(0, 0, 10, 100), top, top + 100);
            painter.end();
            QCOMPARE(image.pixelColor(5, 50), QColor(colour));
            QCOMPARE(image.pixelColor(1, 50), QColor(Qt::blue));
        }
        QVERIFY(!picture.load("<svg><rect"));
    }

    // A document's pictures go in as images, the text around them as it was.
    void documentWithPictures() {
        const QString svg = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" "
                                           "viewBox=\"0 0 10 10\"><text y=\"5\">x</text></svg>");
        QTextDocument document;
        SetDocumentHtml(document, "<p>one</p>" + svg + "<p>two</p>" + svg + "<p>three</p>");
        QCOMPARE(document.toPlainText().remove(QChar::ObjectReplacementCharacter).simplified(),
                 QStringLiteral("one two three"));
    }

    // The overflow buttons' icons, read late, are the style's own.
    void deferredIconsAreTheStyles() {
        DeferredIconStyle deferred(QStringLiteral("fusion"));
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
        for (const auto icon : {QStyle::SP_ToolBarHorizontalExtensionButton,
                                QStyle::SP_ToolBarVerticalExtensionButton})
            QCOMPARE(deferred.standardIcon(icon, nullptr, nullptr).pixmap(16).toImage(),
                     fusion->standardIcon(icon).pixmap(16).toImage());
    }
};

QTEST_MAIN(PlatformTest)
#include "test_platform.moc"
