// The windows together in the running program: the splash and start-up,
// the special districts reaching the figures, the listing's life, printing,
// shutdown.
#include <QAccessible>
#include <QCloseEvent>
#include <QPointer>
#include <QScreen>
#include <qtestspontaneevent.h>

#include "app/splash/frmQuenbySplash.h"
#include "common/rig.h"

using namespace levywise;
using namespace levywise::test;

namespace {

QStringList VisibleWindows() {
    QCoreApplication::sendPostedEvents(nullptr,
                                       QEvent::DeferredDelete); // the windows closed for good
    QStringList names;
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) names << w->objectName();
    names.sort();
    return names;
}

} // namespace

class ProgramTest : public QObject {
    Q_OBJECT

private slots:
    // The splash, which a screen reader hears by the product's name, hands
    // over to the main window with the rate file loaded.
    void splashHandsOverToTheLoadedMainWindow() {
        Rig rig;
        rig.app.start(true);
        QVERIFY(QTest::qWaitForWindowActive(rig.app.splash()));
        QCOMPARE(QAccessible::queryAccessibleInterface(rig.app.splash())->text(QAccessible::Name),
                 QStringLiteral("Levywise v3.54b"));
        QVERIFY(!rig.app.mainWindow() && !rig.app.specialsWindow());
        QTest::keyClick(rig.app.splash(), Qt::Key_Q);
        frmMain* opened = rig.app.mainWindow();
        rig.app.start(true); // only the first start counts
        QCOMPARE(rig.app.mainWindow(), opened);
        QCOMPARE(VisibleWindows(), QStringList{"frmMain"});
        QCOMPARE(rig.ctl<QAbstractSlider>("VScroll1", &rig.specials())->maximum(), 3); // loaded
    }

    // Toggling districts changes no figure; leaving the window with "Finsh",
    // Escape or its close box recalculates.
    void selectionReachesTheFiguresThroughACalculation() {
        for (const int way : {1, 2, 3}) {
            Rig rig;
            rig.start();
            rig.estimate(QStringLiteral("123456")); // fire 123.456 + drainage 61.728
            rig.command(Qt::Key_C);
            rig.click("chkSpclDist_1", &rig.specials()); // fire, after drainage
            rig.click("chkSpclDist_2", &rig.specials()); // library
            QCOMPARE(rig.text("lblTotSpclTax"), QStringLiteral("$185.18"));
            if (way == 1) {
                rig.click("cmdFinish", &rig.specials());
            } else if (way == 2) {
                QTest::keyClick(&rig.specials(), Qt::Key_Escape);
            } else { // the close box: the desktop sends the window a close event
                QCloseEvent close;
                QSpontaneKeyEvent::setSpontaneous(&close);
                QApplication::instance()->notify(&rig.specials(), &close);
            }
            QVERIFY(!rig.specials().isVisible());
            QCOMPARE(rig.text("lblTotSpclTax"), QStringLiteral("$86.42")); // library + drainage
        }
    }

    // Opened once, the listing stays as it is, sorted and with its table,
    // until "Done" or Escape; the next opening builds it from the table
    // loaded then. Closing the main window but by Exit leaves it open.
    void listingLivesFromOpeningToDone() {
        Rig rig;
        rig.start();
        rig.command(Qt::Key_L);
        QPointer<frmRateTable> listing = rig.listing();
        QVERIFY(listing && !listing->parent());
        listing->SortByHeader(0, frmRateTable::kRateColumn);
        listing->showMinimized();
        const QStringList shown = rig.state().filter(QStringLiteral("MSFlexGrid1"));
        rig.open(TestData("birch_county.tab"));
        rig.command(Qt::Key_L);
        QCOMPARE(rig.listing(), listing.data());
        QVERIFY(!listing->isMinimized());
        QCOMPARE(rig.state().filter(QStringLiteral("MSFlexGrid1")), shown);
        QTest::keyClick(listing, Qt::Key_Escape); // as "Done"
        QCOMPARE(VisibleWindows(), QStringList{"frmMain"});
        QVERIFY(!listing && !rig.listing());
        rig.command(Qt::Key_L);
        QCOMPARE(rig.listing()->windowTitle(),
                 QStringLiteral("Jurisdictions and Tax Rates for Birch County"));
        rig.main().close(); // not by Exit: the listing keeps the program up until "Done"
        QCOMPARE(VisibleWindows(), QStringList{"frmRateTable"});
        rig.click("cmdDone", rig.listing());
        QCOMPARE(VisibleWindows(), QStringList());
    }

    // Exit closes all three windows. The listing opens centred on the
    // screen, the special districts on the window they are opened from; each
    // window's Print prints that window, the main window's its client area.
    void exitClosesAllThreeAndEachPrintsItself() {
        Rig rig;
        rig.start();
        rig.command(Qt::Key_L);
        rig.command(Qt::Key_C);
        QCOMPARE(VisibleWindows(), (QStringList{"frmCfgSpcl", "frmMain", "frmRateTable"}));
        QVERIFY(
            (rig.listing()->geometry().center() - rig.main().screen()->availableGeometry().center())
                .manhattanLength() <= 4);
        QVERIFY((rig.specials().frameGeometry().center() - rig.main().frameGeometry().center())
                    .manhattanLength() <= 2);
        for (QWidget* window :
             std::initializer_list<QWidget*>{&rig.main(), &rig.specials(), rig.listing()})
            rig.click("cmdPrint", window);
        QCOMPARE(rig.platform.printed.size(), std::size_t(3));
        QCOMPARE(rig.platform.printed[0].size(),
                 rig.main().centralWidget()->size() * rig.main().devicePixelRatio());
        rig.command(Qt::Key_X);
        QCOMPARE(VisibleWindows(), QStringList());
    }
};

QTEST_MAIN(ProgramTest)
#include "test_program.moc"
