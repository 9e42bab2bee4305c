// The splash window: what it is called and what ends it.
#include <QAccessible>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <functional>

#include "app/splash/frmQuenbySplash.h"
#include "common/rig.h"
#include "platform/twips.h"

using namespace levywise;
using namespace levywise::test;

using Input = std::function<void(frmQuenbySplash&)>;
Q_DECLARE_METATYPE(Input)

class SplashTest : public QObject {
    Q_OBJECT

private slots:
    // It has no caption: a screen reader hears the product's name.
    void namedByTheProduct() {
        modMain data;
        frmQuenbySplash splash(data);
        QCOMPARE(QAccessible::queryAccessibleInterface(&splash)->text(QAccessible::Name),
                 QStringLiteral("Levywise v3.54b"));
    }

    // A character key, a click on the free area of the frame or the timer
    // ends the splash, once; other keys and clicks do nothing.
    void endsOnItsTriggersOnly_data() {
        QTest::addColumn<Input>("input");
        QTest::addColumn<bool>("ends");
        const auto click = [](const char* control, int x, int y) {
            return Input([=](frmQuenbySplash& s) {
                QTest::mouseClick(control ? Ctl(&s, QLatin1String(control)) : &s, Qt::LeftButton,
                                  {}, TwipsRect(x, y, 1, 1, &s).topLeft());
            });
        };
        QTest::newRow("letter") << Input([](auto& s) { QTest::keyClick(&s, Qt::Key_Q); }) << true;
        QTest::newRow("frame") << click("Frame1", 6500, 600) << true;
        QTest::newRow("timer") << Input([](frmQuenbySplash& s) {
            Ctl<QTimer>(&s, QStringLiteral("Timer1"))->start(1);
            QTest::qWait(50);
        }) << true;
        QTest::newRow("arrow") << Input([](auto& s) { QTest::keyClick(&s, Qt::Key_Left); })
                               << false;
        QTest::newRow("logo") << click("imgLogo", 200, 3000) << false;
        QTest::newRow("beside the frame") << click(nullptr, 30, 30) << false;
    }
    void endsOnItsTriggersOnly() {
        QFETCH(Input, input);
        QFETCH(bool, ends);
        modMain data;
        QPointer<frmQuenbySplash> splash = new frmQuenbySplash(data);
        QSignalSpy finished(splash, &frmQuenbySplash::finished);
        splash->show();
        QVERIFY(QTest::qWaitForWindowExposed(splash));
        input(*splash);
        QCOMPARE(finished.count(), int(ends));
        if (!ends) QTest::keyClick(splash, Qt::Key_Z); // it still listens
        QCOMPARE(finished.count(), 1);
        QTRY_VERIFY(splash.isNull());
    }
};

QTEST_MAIN(SplashTest)
#include "test_splash.moc"
