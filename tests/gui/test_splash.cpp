// The splash window: what it shows and what ends it.
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

namespace {

using Input = std::function<void(frmQuenbySplash&)>;

Input Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    return [=](frmQuenbySplash& s) { QTest::keyClick(&s, key, modifiers); };
}
Input Click(const char* control, QPoint twips) {
    return [=](frmQuenbySplash& s) {
        QWidget* target = control ? Ctl(&s, QLatin1String(control)) : &s;
        QTest::mouseClick(target, Qt::LeftButton, {},
                          TwipsRect(twips.x(), twips.y(), 1, 1, &s).topLeft());
    };
}

} // namespace

Q_DECLARE_METATYPE(Input)

class SplashTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheVersion() {
        modMain data;
        frmQuenbySplash splash(data);
        QCOMPARE(Ctl<QLabel>(&splash, QStringLiteral("lblProductName"))->text(),
                 QStringLiteral("Levywise v3.54b"));
        QCOMPARE(data.RequiredRateVersion, std::string("V3.54"));
        QCOMPARE(Ctl<QTimer>(&splash, QStringLiteral("Timer1"))->interval(), 2500);
        // It has no caption: a screen reader hears the product's name.
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&splash);
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Levywise v3.54b"));
        // The logo is stretched to its box: the emblem's tile reaches its left edge.
        const QImage logo = Ctl<QLabel>(&splash, QStringLiteral("imgLogo"))->pixmap().toImage();
        QCOMPARE(logo.pixelColor(2, logo.height() / 2), QColor(0x2e, 0x6b, 0x5e));
    }

    // A character key, a click on the free area of the frame or the timer
    // ends the splash, once; other keys and clicks do nothing.
    void endsOnItsTriggersOnly_data() {
        QTest::addColumn<Input>("input");
        QTest::addColumn<bool>("ends");
        QTest::newRow("letter") << Key(Qt::Key_Q) << true;
        QTest::newRow("Ctrl with a letter") << Key(Qt::Key_C, Qt::ControlModifier) << true;
        QTest::newRow("click on the frame") << Click("Frame1", {6500, 600}) << true;
        QTest::newRow("timer") << Input([](frmQuenbySplash& s) {
            Ctl<QTimer>(&s, QStringLiteral("Timer1"))->start(1);
            QTest::qWait(50);
        }) << true;
        QTest::newRow("arrow") << Key(Qt::Key_Left) << false;
        QTest::newRow("Delete") << Key(Qt::Key_Delete) << false;
        QTest::newRow("click on the logo") << Click("imgLogo", {200, 3000}) << false;
        QTest::newRow("click beside the frame") << Click(nullptr, {30, 30}) << false;
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
