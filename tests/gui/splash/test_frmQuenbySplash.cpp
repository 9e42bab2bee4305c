#include <QElapsedTimer>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <set>

#include "platform/twips.h"
#include "app/splash/frmQuenbySplash.h"
#include "app/splash/levywise_logo.h"
#include "ratedata/mod_main.h"

using namespace levywise;

Q_DECLARE_METATYPE(std::function<void(frmQuenbySplash&)>)

namespace {

using Action = std::function<void(frmQuenbySplash&)>;

Action Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    return [=](frmQuenbySplash& s) { QTest::keyClick(&s, key, modifiers); };
}

// A point of the frame that no picture or caption covers.
QPoint FreeFramePoint(const frmQuenbySplash& s) {
    return TwipsRect(6500, 600, 10, 10, s.Frame1).topLeft();
}

int DistinctColours(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

} // namespace

class TestSplash : public QObject {
    Q_OBJECT

private slots:
    void loadSetsProductNameAndRequiredVersion();
    void layoutAndFonts();
    void endsOnEachTrigger_data();
    void endsOnEachTrigger();
    void ignoresOtherInput_data();
    void ignoresOtherInput();
    void endsOnlyOnce();
    void timerEndsItAfterTwoAndAHalfSeconds();
    void logoIsAPicture();
};

void TestSplash::loadSetsProductNameAndRequiredVersion() {
    modMain data;
    QVERIFY(data.RequiredRateVersion.empty());
    frmQuenbySplash splash(data);
    QCOMPARE(splash.lblProductName->text(), QString("Levywise v3.54b"));
    QCOMPARE(data.RequiredRateVersion, std::string("V3.54"));
    QCOMPARE(splash.Timer1->interval(), 2500);
    QVERIFY(splash.Timer1->isActive());
}

void TestSplash::layoutAndFonts() {
    modMain data;
    frmQuenbySplash splash(data);
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QCOMPARE(splash.size(), TwipsRect(0, 0, 7380, 4245, &splash).size());
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(splash.lblWarning->text(), QString("Not supported by Corvell Appraisal District"));
    QCOMPARE(splash.lblPlatform->text(), QString("Windows95/98/NT4.0/XP"));
    // Sized to its text, the platform caption keeps its designed right edge.
    QCOMPARE(splash.lblPlatform->geometry().right(), TwipsRect(3210, 2340, 3645, 360, &splash).right());
    QCOMPARE(splash.lblProductName->width(), splash.lblProductName->sizeHint().width());

    struct Expected {
        QLabel* label;
        QString family;
        double points;
        bool heavy;
    };
    const Expected fonts[] = {{splash.lblCopyright, "Liberation Sans", 8.25, false},
                              {splash.lblWarning, "Liberation Sans", 8.25, true},
                              {splash.lblPlatform, "Liberation Sans", 15.75, true},
                              {splash.lblProductName, "URW Bookman", 26.25, true},
                              {splash.lblCompanyProduct, "URW Bookman", 18, true}};
    for (const Expected& e : fonts) {
        const QFontInfo info(e.label->font());
        QVERIFY2(info.family().startsWith(e.family), qPrintable(info.family()));
        QCOMPARE(e.label->font().pointSizeF(), e.points);
        QCOMPARE(e.label->font().weight() >= QFont::DemiBold, e.heavy);
    }
    const QImage image = splash.grab().toImage();
    QCOMPARE(image.pixelColor(splash.Frame1->mapTo(&splash, FreeFramePoint(splash))), kPaleYellow);
    QCOMPARE(image.pixelColor(QPoint(1, 1)), kPaleYellow);
}

void TestSplash::endsOnEachTrigger_data() {
    QTest::addColumn<Action>("trigger");
    QTest::newRow("timer") << Action([](frmQuenbySplash& s) { s.Timer1->start(20); QTest::qWait(200); });
    QTest::newRow("click on the frame") << Action([](frmQuenbySplash& s) {
        QTest::mouseClick(s.Frame1, Qt::LeftButton, {}, FreeFramePoint(s));
    });
    QTest::newRow("letter") << Key(Qt::Key_Q);
    QTest::newRow("digit") << Key(Qt::Key_7);
    QTest::newRow("space") << Key(Qt::Key_Space);
    QTest::newRow("punctuation") << Key(Qt::Key_Comma);
    QTest::newRow("Enter") << Key(Qt::Key_Return);
    QTest::newRow("Escape") << Key(Qt::Key_Escape);
    QTest::newRow("Backspace") << Key(Qt::Key_Backspace);
    QTest::newRow("Ctrl with a letter") << Key(Qt::Key_C, Qt::ControlModifier);
    QTest::newRow("key on a caption") << Action([](frmQuenbySplash& s) {
        QTest::keyClick(s.lblProductName, Qt::Key_X);
    });
}

void TestSplash::endsOnEachTrigger() {
    QFETCH(Action, trigger);
    modMain data;
    QPointer<frmQuenbySplash> splash = new frmQuenbySplash(data);
    QSignalSpy finished(splash, &frmQuenbySplash::finished);
    splash->show();
    QVERIFY(QTest::qWaitForWindowExposed(splash));
    trigger(*splash);
    QCOMPARE(finished.count(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 2000);
    QCOMPARE(finished.count(), 1);
}

void TestSplash::ignoresOtherInput_data() {
    QTest::addColumn<Action>("input");
    QTest::newRow("arrow") << Key(Qt::Key_Left);
    QTest::newRow("function key") << Key(Qt::Key_F1);
    QTest::newRow("Shift alone") << Key(Qt::Key_Shift, Qt::ShiftModifier);
    QTest::newRow("Delete") << Key(Qt::Key_Delete);
    QTest::newRow("click on the logo") << Action([](frmQuenbySplash& s) {
        QTest::mouseClick(s.imgLogo, Qt::LeftButton, {}, QPoint(10, s.imgLogo->height() - 10));
    });
    QTest::newRow("click on the product name") << Action([](frmQuenbySplash& s) {
        QTest::mouseClick(s.lblProductName, Qt::LeftButton, {}, s.lblProductName->rect().center());
    });
    QTest::newRow("click on the warning") << Action([](frmQuenbySplash& s) {
        QTest::mouseClick(s.lblWarning, Qt::LeftButton, {}, QPoint(2, 2));
    });
    QTest::newRow("click on the margin outside the frame") << Action([](frmQuenbySplash& s) {
        QTest::mouseClick(&s, Qt::LeftButton, {}, QPoint(2, 2));
    });
    QTest::newRow("right click on the frame") << Action([](frmQuenbySplash& s) {
        QTest::mouseClick(s.Frame1, Qt::RightButton, {}, FreeFramePoint(s));
    });
    QTest::newRow("press on the logo, release on the frame") << Action([](frmQuenbySplash& s) {
        QTest::mousePress(s.imgLogo, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(s.Frame1, Qt::LeftButton, {}, FreeFramePoint(s));
    });
}

void TestSplash::ignoresOtherInput() {
    QFETCH(Action, input);
    modMain data;
    QPointer<frmQuenbySplash> splash = new frmQuenbySplash(data);
    QSignalSpy finished(splash, &frmQuenbySplash::finished);
    splash->show();
    QVERIFY(QTest::qWaitForWindowExposed(splash));
    input(*splash);
    QTest::qWait(20);
    QCOMPARE(finished.count(), 0);
    QVERIFY(!splash.isNull());
    QVERIFY(splash->isVisible());
    QVERIFY(splash->Timer1->isActive());
    // Still listening: the next character ends it.
    QTest::keyClick(splash, Qt::Key_Z);
    QCOMPARE(finished.count(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 2000);
}

void TestSplash::endsOnlyOnce() {
    modMain data;
    QPointer<frmQuenbySplash> splash = new frmQuenbySplash(data);
    QSignalSpy finished(splash, &frmQuenbySplash::finished);
    splash->show();
    QVERIFY(QTest::qWaitForWindowExposed(splash));
    splash->Timer1->setInterval(30);
    QTest::keyClick(splash, Qt::Key_A);
    QTest::mouseClick(splash->Frame1, Qt::LeftButton, {}, FreeFramePoint(*splash));
    QTest::qWait(150); // past the shortened timer
    QCOMPARE(finished.count(), 1);
    QVERIFY(splash.isNull());
}

void TestSplash::timerEndsItAfterTwoAndAHalfSeconds() {
    modMain data;
    QElapsedTimer clock;
    clock.start();
    QPointer<frmQuenbySplash> splash = new frmQuenbySplash(data);
    QSignalSpy finished(splash, &frmQuenbySplash::finished);
    splash->show();
    QTest::qWait(2000);
    QCOMPARE(finished.count(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 3000);
    QVERIFY2(clock.elapsed() >= 2495, qPrintable(QString::number(clock.elapsed())));
    QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 2000);
}

void TestSplash::logoIsAPicture() {
    const QPixmap logo = SplashLogo(QSize(289, 215));
    QCOMPARE(logo.size(), QSize(289, 215));
    const QImage image = logo.toImage();
    QVERIFY(DistinctColours(image) > 4);
    // The emblem stays clear of the captions at the top right of the picture.
    QCOMPARE(image.pixelColor(QPoint(280, 10)), kPaleYellow);
    QCOMPARE(image.pixelColor(QPoint(18, 200)), QColor(0x2e, 0x6b, 0x5e)); // the green tile
    QVERIFY(!LevywiseIcon().pixmap(32, 32).isNull());
}

QTEST_MAIN(TestSplash)
#include "test_frmQuenbySplash.moc"
