// The program as a whole: the splash handing over to the main window, the
// start without the splash, and how the windows close at the end.
#include <QFrame>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <functional>

#include "platform/twips.h"
#include "app/splash/frmQuenbySplash.h"
#include "integration/shell_rig.h"

using namespace levywise;
using namespace levywise::test;

namespace {

using SplashTrigger = std::function<void(frmQuenbySplash&)>;
using Closing = std::function<void(ShellRig&)>;

} // namespace

Q_DECLARE_METATYPE(SplashTrigger)
Q_DECLARE_METATYPE(Closing)

class StartupAndShutdownTest : public QObject {
    Q_OBJECT

private slots:
    void splashHandsOverToTheMainWindow_data();
    void splashHandsOverToTheMainWindow();
    void startWithoutSplashOpensTheMainWindowAtOnce();
    void startWithoutRateFileStillOpensTheMainWindow();
    void closingTheWindows_data();
    void closingTheWindows();
    void closingTheMainWindowLeavesTheListingUntilDone();
    void nothingOutlivesTheApplication_data();
    void nothingOutlivesTheApplication();
};

void StartupAndShutdownTest::splashHandsOverToTheMainWindow_data() {
    QTest::addColumn<SplashTrigger>("trigger");
    QTest::newRow("character key") << SplashTrigger([](frmQuenbySplash& s) {
        QTest::keyClick(&s, Qt::Key_Q);
    });
    QTest::newRow("click on the frame") << SplashTrigger([](frmQuenbySplash& s) {
        QTest::mouseClick(s.Frame1, Qt::LeftButton, {}, TwipsRect(6500, 600, 10, 10, s.Frame1).topLeft());
    });
    // The timer itself, run short.
    QTest::newRow("timer") << SplashTrigger([](frmQuenbySplash& s) {
        const QPointer<frmQuenbySplash> splash(&s);
        splash->Timer1->start(1);
        QTRY_VERIFY_WITH_TIMEOUT(!splash || splash->isHidden(), 2000);
    });
    QTest::newRow("closed by the desktop") << SplashTrigger([](frmQuenbySplash& s) { s.close(); });
}

void StartupAndShutdownTest::splashHandsOverToTheMainWindow() {
    QFETCH(SplashTrigger, trigger);
    ShellRig rig;
    rig.app.start(true);
    QPointer<frmQuenbySplash> splash = rig.app.splash();
    QVERIFY(splash);
    QVERIFY(QTest::qWaitForWindowActive(splash, 2000));
    QVERIFY(!rig.app.mainWindow());
    QVERIFY(!rig.app.specialsWindow());
    QCOMPARE(rig.data.RequiredRateVersion, std::string("V3.54"));

    trigger(*splash);
    frmMain* opened = rig.app.mainWindow();
    frmCfgSpcl* specials = rig.app.specialsWindow();
    QVERIFY(opened && specials);
    QVERIFY(!splash || !splash->isVisible());
    // A second hand-over, or a second start, keeps the windows the user has.
    if (splash) emit splash->finished();
    rig.app.start(true);
    QCOMPARE(rig.app.mainWindow(), opened);
    QCOMPARE(rig.app.specialsWindow(), specials);
    ShellRig::discardClosedWindows();
    QVERIFY(!splash);
    QVERIFY(!rig.app.splash());

    frmMain& w = rig.main();
    QVERIFY(rig.app.specialsWindow());
    QVERIFY(!rig.specials().isVisible());
    QVERIFY(w.isVisible());
    QCOMPARE(w.windowTitle(), QStringLiteral("Levywise v3.54b"));
    QCOMPARE(w.tabTaxes->tabText(w.tabTaxes->currentIndex()), QStringLiteral("Total Tax"));
    QCOMPARE(rig.data.RequiredRateVersion, std::string("V3.54"));
    QCOMPARE(rig.data.CountyName, std::string("Maple"));
    QVERIFY(rig.platform.messages.empty());
    // The loader filled the hidden special-district window.
    QCOMPARE(rig.specials().windowTitle(), QStringLiteral("Configure Special Districts for Maple County"));
    QCOMPARE(rig.specials().VScroll1->maximum(), 3);
    QCOMPARE(VisibleWindows(), QStringList{QStringLiteral("frmMain/Levywise v3.54b")});

    QVERIFY(rig.main().close());
}

void StartupAndShutdownTest::startWithoutSplashOpensTheMainWindowAtOnce() {
    ShellRig rig;
    int hookCalls = 0;
    rig.app.setBeforeMainWindowShown([&](frmMain& w) {
        ++hookCalls;
        // Loaded and captioned, not yet on screen.
        QVERIFY(!w.isVisible());
        QCOMPARE(rig.data.CountyName, std::string("Maple"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Levywise v3.54b"));
    });
    rig.app.start(false);
    QVERIFY(!rig.app.splash());
    QVERIFY(rig.app.mainWindow());
    QVERIFY(rig.main().isVisible());
    QVERIFY(!rig.specials().isVisible());
    QCOMPARE(hookCalls, 1);
    QCOMPARE(rig.data.RequiredRateVersion, std::string("V3.54"));
    QCOMPARE(rig.main().tabTaxes->currentIndex(), 3);

    // Only the first start counts.
    frmMain* first = rig.app.mainWindow();
    rig.app.start(true);
    QVERIFY(!rig.app.splash());
    QCOMPARE(rig.app.mainWindow(), first);
    QCOMPARE(hookCalls, 1);
    rig.main().menuExit->trigger();
}

void StartupAndShutdownTest::startWithoutRateFileStillOpensTheMainWindow() {
    ShellRig rig(nullptr);
    rig.app.start(true);
    QTest::keyClick(rig.app.splash(), Qt::Key_Space);
    QVERIFY(rig.app.mainWindow());
    // The user cancels the "not found" question: no table, yet a usable window.
    QCOMPARE(rig.platform.messages.size(), std::size_t(1));
    QCOMPARE(rig.platform.messages[0].title, QStringLiteral("Required file not found"));
    QVERIFY(rig.main().isVisible());
    QCOMPARE(rig.main().windowTitle(), QStringLiteral("Levywise v3.54b"));
    QCOMPARE(rig.data.LoadedCount, 0);
    QCOMPARE(rig.main().comboCounties->count(), 0);
    rig.main().menuExit->trigger();
    ShellRig::discardClosedWindows();
}

void StartupAndShutdownTest::closingTheWindows_data() {
    QTest::addColumn<bool>("listingOpen");
    QTest::addColumn<bool>("specialsOpen");
    QTest::addColumn<Closing>("closing");
    QTest::addColumn<bool>("listingStays");
    const Closing ctrlX = [](ShellRig& rig) { rig.press(Qt::Key_X); };
    const Closing ctrlXInValueBox = [](ShellRig& rig) {
        QVERIFY(ShellRig::activate(&rig.main()));
        rig.main().txtAprVal->setFocus();
        QTest::keyClicks(rig.main().txtAprVal, QStringLiteral("1000"));
        rig.main().txtAprVal->selectAll();
        QTest::keyClick(rig.main().txtAprVal, Qt::Key_X, Qt::ControlModifier);
    };
    const Closing exitItem = [](ShellRig& rig) { rig.main().menuExit->trigger(); };
    const Closing closeBox = [](ShellRig& rig) { QVERIFY(rig.main().close()); };
    QTest::newRow("Ctrl+X, all three open") << true << true << ctrlX << false;
    QTest::newRow("Ctrl+X in the value box") << true << true << ctrlXInValueBox << false;
    QTest::newRow("Exit item, listing open") << true << false << exitItem << false;
    QTest::newRow("Exit item, main window alone") << false << false << exitItem << false;
    QTest::newRow("closed otherwise, specials open") << false << true << closeBox << false;
    QTest::newRow("closed otherwise, all three open") << true << true << closeBox << true;
}

void StartupAndShutdownTest::closingTheWindows() {
    QFETCH(bool, listingOpen);
    QFETCH(bool, specialsOpen);
    QFETCH(Closing, closing);
    QFETCH(bool, listingStays);
    ShellRig rig;
    QVERIFY(rig.startAndActivate());
    if (listingOpen) rig.press(Qt::Key_L);
    if (specialsOpen) rig.press(Qt::Key_C);
    QPointer<frmRateTable> listing = rig.app.rateTable();
    QCOMPARE(bool(listing), listingOpen);
    QCOMPARE(rig.specials().isVisible(), specialsOpen);

    closing(rig);
    ShellRig::discardClosedWindows();
    QVERIFY(!rig.main().isVisible());
    QVERIFY(!rig.specials().isVisible());
    QCOMPARE(bool(listing), listingStays);
    QCOMPARE(VisibleWindows().size(), listingStays ? 1 : 0);
    if (listingStays) {
        QVERIFY(listing->isVisible());
        listing->close();
        ShellRig::discardClosedWindows();
    }
}

void StartupAndShutdownTest::closingTheMainWindowLeavesTheListingUntilDone() {
    ShellRig rig;
    QVERIFY(rig.startAndActivate());
    rig.estimateMaple(QStringLiteral("123456"));
    rig.press(Qt::Key_L);
    QPointer<frmRateTable> listing = rig.app.rateTable();
    QVERIFY(listing);
    const int rows = listing->MSFlexGrid1->rowCount();
    QVERIFY(rig.main().close());
    ShellRig::discardClosedWindows();

    // The listing still works on its own.
    QVERIFY(listing);
    QVERIFY(ShellRig::activate(listing));
    QCOMPARE(listing->MSFlexGrid1->rowCount(), rows);
    QTest::mouseClick(listing->cmdPrint, Qt::LeftButton);
    QCOMPARE(rig.platform.printed.size(), std::size_t(1));

    QTest::mouseClick(listing->cmdDone, Qt::LeftButton);
    ShellRig::discardClosedWindows();
    QVERIFY(!listing);
    QVERIFY(!rig.app.rateTable());
    QVERIFY2(VisibleWindows().isEmpty(), qPrintable(VisibleWindows().join(", ")));
}

void StartupAndShutdownTest::nothingOutlivesTheApplication_data() {
    QTest::addColumn<bool>("splashStillUp");
    QTest::newRow("during the splash") << true;
    QTest::newRow("with every window open") << false;
}

// The program can end while windows are open (the desktop's session ends):
// every window goes with it, before the tables they show.
void StartupAndShutdownTest::nothingOutlivesTheApplication() {
    QFETCH(bool, splashStillUp);
    {
        ShellRig rig;
        rig.app.start(splashStillUp);
        if (!splashStillUp) {
            QVERIFY(ShellRig::activate(&rig.main()));
            rig.press(Qt::Key_L);
            rig.press(Qt::Key_C);
            QCOMPARE(VisibleWindows().size(), 3);
        }
        QVERIFY(!QApplication::topLevelWidgets().isEmpty());
    }
    ShellRig::discardClosedWindows();
    QStringList left;
    for (const QWidget* widget : QApplication::topLevelWidgets()) left << widget->objectName();
    QVERIFY2(left.isEmpty(), qPrintable(left.join(", ")));
}

QTEST_MAIN(StartupAndShutdownTest)
#include "test_startup_and_shutdown.moc"
