// The window's buttons, and scrolling the page with the wheel and the keys.
#include <QApplication>
#include <QWheelEvent>

#include "specials_harness.h"

using levywise::test::SpecialsHarness;
using levywise::test::SelectedFlags;
using levywise::test::SpecialsFile;

namespace {

// A wheel turn of `delta` eighths of a degree over `target`, delivered the
// way the desktop delivers it: to the control under the mouse first.
void Wheel(QWidget* target, int delta) {
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

} // namespace

class Actions : public QObject {
    Q_OBJECT
private slots:
    void finshRecalculatesThenHidesKeepingThePage() {
        SpecialsHarness h;
        QVERIFY(h.load(SpecialsFile(40)));
        bool shownWhileRecalculating = false;
        h.window.setRecalculate([&] {
            ++h.recalculations;
            shownWhileRecalculating = h.window.isVisible();
        });
        h.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&h.window));
        h.window.VScroll1->setValue(12);

        QTest::mouseClick(h.window.cmdFinish, Qt::LeftButton);
        QCOMPARE(h.recalculations, 1);
        QVERIFY(shownWhileRecalculating);
        QVERIFY(!h.window.isVisible());
        h.window.show();
        QCOMPARE(h.window.PageOffset(), 12);
        h.expectRow(0, 12);
    }

    void printGoesToThePlatform() {
        SpecialsHarness h;
        QVERIFY(h.load(SpecialsFile(3)));
        h.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&h.window));
        QTest::mouseClick(h.window.cmdPrint, Qt::LeftButton);
        QCOMPARE(int(h.platform.printed.size()), 1);
        QCOMPARE(h.platform.printed.front().size(), h.window.grab().size());
        QVERIFY(h.platform.messages.empty());
        QVERIFY(h.window.isVisible());
        QCOMPARE(h.recalculations, 0);
    }

    void wheelScrollsThePage_data() {
        QTest::addColumn<QString>("over");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("start");
        QTest::addColumn<QList<int>>("deltas");
        QTest::addColumn<int>("notchesDown"); // expected, before the bar's limits
        QTest::newRow("one notch down over a box") << "chkSpclDist_3" << 40 << 10 << QList<int>{-120} << 1;
        QTest::newRow("two notches up over a name") << "txtSpclName_5" << 40 << 10 << QList<int>{120, 120} << -2;
        QTest::newRow("half notches add up") << "txtTaxRate_0" << 40 << 10 << QList<int>{-60, -60} << 1;
        QTest::newRow("half a notch does nothing") << "Label3" << 40 << 10 << QList<int>{-60} << 0;
        QTest::newRow("up past the first page") << "chkSpclDist_0" << 40 << 2 << QList<int>{120} << -1;
        QTest::newRow("down past the last page") << "frmCfgSpcl" << 40 << 26 << QList<int>{-120} << 1;
        QTest::newRow("over the bar itself") << "VScroll1" << 40 << 10 << QList<int>{-120} << 1;
        QTest::newRow("one page only") << "chkSpclDist_0" << 14 << 1 << QList<int>{-120} << 1;
    }
    void wheelScrollsThePage() {
        QFETCH(QString, over);
        QFETCH(int, count);
        QFETCH(int, start);
        QFETCH(QList<int>, deltas);
        QFETCH(int, notchesDown);
        SpecialsHarness h;
        QVERIFY(h.load(SpecialsFile(count)));
        h.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&h.window));
        h.window.VScroll1->setValue(start);
        QWidget* target = over == h.window.objectName() ? &h.window : h.window.findChild<QWidget*>(over);
        QVERIFY(target);

        for (int delta : deltas) Wheel(target, delta);
        const int expected = std::clamp(start + notchesDown * QApplication::wheelScrollLines(), 1,
                                        std::max(1, count - 13));
        QCOMPARE(h.window.PageOffset(), expected);
        h.expectRow(0, expected);
    }

    // From the window itself, or from the box of a row (-1: the window).
    void keysScrollThePage_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("fromRow");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("focusRow");
        QTest::newRow("Down") << 40 << int(Qt::Key_Down) << -1 << 10 << 11 << -1;
        QTest::newRow("Up at the first page") << 40 << int(Qt::Key_Up) << -1 << 1 << 1 << -1;
        QTest::newRow("PageDown") << 40 << int(Qt::Key_PageDown) << -1 << 10 << 24 << -1;
        QTest::newRow("PageDown near the end, from a box") << 40 << int(Qt::Key_PageDown) << 3 << 20 << 27 << 3;
        QTest::newRow("PageUp near the start") << 40 << int(Qt::Key_PageUp) << -1 << 10 << 1 << -1;
        QTest::newRow("End, from a box") << 40 << int(Qt::Key_End) << 3 << 5 << 27 << 3;
        QTest::newRow("Home") << 40 << int(Qt::Key_Home) << -1 << 20 << 1 << -1;
        QTest::newRow("Up from a box goes to the box above") << 40 << int(Qt::Key_Up) << 3 << 10 << 10 << 2;
        QTest::newRow("Up from the first row scrolls") << 40 << int(Qt::Key_Up) << 0 << 10 << 9 << 0;
        QTest::newRow("Down from the last row scrolls") << 40 << int(Qt::Key_Down) << 13 << 10 << 11 << 13;
        QTest::newRow("Down from the last row of the last page") << 40 << int(Qt::Key_Down) << 13 << 27 << 27 << 13;
        QTest::newRow("Down to the last district of a short list") << 5 << int(Qt::Key_Down) << 3 << 1 << 1 << 4;
        QTest::newRow("Down from the last district of a short list") << 5 << int(Qt::Key_Down) << 4 << 1 << 1 << 4;
    }
    void keysScrollThePage() {
        QFETCH(int, count);
        QFETCH(int, key);
        QFETCH(int, fromRow);
        QFETCH(int, start);
        QFETCH(int, expected);
        QFETCH(int, focusRow);
        SpecialsHarness h;
        QVERIFY(h.load(SpecialsFile(count)));
        h.window.show();
        h.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        h.window.VScroll1->setValue(start);
        QWidget* target = fromRow < 0 ? static_cast<QWidget*>(&h.window) : h.box(fromRow);
        target->setFocus();
        const QString flags = SelectedFlags(h.data);

        QTest::keyClick(target, Qt::Key(key));
        QCOMPARE(h.window.PageOffset(), expected);
        h.expectRow(0, expected);
        if (focusRow >= 0) QCOMPARE(QApplication::focusWidget(), h.box(focusRow));
        QCOMPARE(SelectedFlags(h.data), flags); // moving toggles nothing
    }

    // The owner is the parent, or else the window it is opened from.
    void opensCentredOnItsOwner_data() {
        QTest::addColumn<bool>("parented");
        QTest::newRow("parent") << true;
        QTest::newRow("active window") << false;
    }
    void opensCentredOnItsOwner() {
        QFETCH(bool, parented);
        QWidget owner;
        owner.setGeometry(200, 150, 900, 700);
        owner.show();
        owner.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&owner));
        levywise::modMain data;
        levywise::test::FakePlatform platform;
        levywise::frmCfgSpcl window(data, platform, parented ? &owner : nullptr);
        QVERIFY(window.isWindow());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPoint offCentre = window.frameGeometry().center() - owner.frameGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 2, qPrintable(QStringLiteral("%1, %2")
                                                            .arg(offCentre.x()).arg(offCentre.y())));
    }
};

QTEST_MAIN(Actions)
#include "test_actions.moc"
