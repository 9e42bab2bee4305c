// The kept estimate beside the one shown, and the worksheet on paper.
#include <QAccessible>
#include <QClipboard>

#include "common/rig.h"

using namespace levywise;
using namespace levywise::test;

namespace {

QWidget* ComparisonWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmCompare") && w->isVisible()) return w;
    return nullptr;
}

// The row of the comparison whose label is given: "Kept|Now|Change", and a
// "*" when marked.
QString Row(const QString& label) {
    auto* grid = Ctl<QTableWidget>(ComparisonWindow(), QStringLiteral("grdCompare"));
    const int r = grid->findItems(label, Qt::MatchExactly).value(0, grid->item(0, 0))->row();
    return grid->item(r, 1)->text() + '|' + grid->item(r, 2)->text() + '|' +
           grid->item(r, 3)->text() + (grid->item(r, 2)->font().bold() ? " *" : "");
}

} // namespace

class ComparisonTest : public QObject {
    Q_OBJECT

private slots:
    // The comparison's keys are the menu's also in the value box (Ctrl+K
    // would delete to the end of the line there). Before anything is kept, "Show
    // Comparison" only says so. Then the window shows the kept estimate
    // beside each new calculation, also across the loading of next year's
    // rate file.
    void keptBesideNowAndOnPaper() {
        Rig rig;
        rig.start();
        auto* value = rig.ctl<QLineEdit>("txtAprVal");
        QTest::keyClick(value, Qt::Key_M, Qt::ControlModifier);
        QCOMPARE(rig.platform.messages.at(0).title, QStringLiteral("Comparison"));
        rig.estimate(QStringLiteral("100000")); // 500 + 250 + 1,000 + districts 100 + 50
        value->setCursorPosition(0);
        QTest::keyClick(value, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(value->text(), QStringLiteral("100000"));
        rig.estimate(QStringLiteral("120000"));
        const QStringList before = rig.state();
        QTest::keyClick(value, Qt::Key_M, Qt::ControlModifier);
        QCOMPARE(Row("Appraised value"), QStringLiteral("$100,000.00|$120,000.00| *"));
        QCOMPARE(rig.state(), before);

        const QString maple = QDir::toNativeSeparators(rig.path(QStringLiteral("taxrate.tab")));
        rig.open(TestData("birch_county.tab"));
        QCOMPARE(Row("Rate file"),
                 maple + '|' + QDir::toNativeSeparators(TestData("birch_county.tab")) + "| *");
        rig.estimate(QStringLiteral("120000")); // 480 + 360 + 1,440 + water district 36
        QCOMPARE(Row("Total Taxes"), QStringLiteral("$1,900.00|$2,316.00|+$416.00 (+21.89%)"));

        // A window named by its caption for screen readers, Copy on the
        // clipboard, Escape as "Close". The worksheet is previewed for the
        // printer.
        QWidget* window = ComparisonWindow();
        QCOMPARE(QAccessible::queryAccessibleInterface(window)->text(QAccessible::Name),
                 QStringLiteral("Comparison"));
        rig.click(QStringLiteral("cmdCopy"), window);
        QVERIFY(QApplication::clipboard()->text().startsWith(QStringLiteral("\tKept\tNow")));
        Rig::activate(window);
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(!ComparisonWindow());

        rig.command(Qt::Key_P);
        QCOMPARE(rig.platform.previews.size(), std::size_t(1));
    }
};

QTEST_MAIN(ComparisonTest)
#include "test_comparison.moc"
