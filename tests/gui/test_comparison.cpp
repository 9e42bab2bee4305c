// The kept estimate beside the one shown, and the worksheet on paper.
#include <QAccessible>
#include <QClipboard>
#include <QMenu>

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
    // The new items stand between "List table contents" and the separator;
    // their keys are the menu's also in the value box (Ctrl+K would delete
    // to the end of the line there). Before anything is kept, "Show
    // Comparison" only says so. Then the window shows the kept estimate
    // beside each new calculation, also across the loading of next year's
    // rate file.
    void keptBesideNowAndOnPaper() {
        Rig rig;
        rig.start();
        QStringList items;
        for (const QAction* a : rig.ctl<QMenu>("menuFile")->actions())
            items << a->text() + ' ' + a->shortcut().toString();
        QCOMPARE(items, (QStringList{"&Open Tax Rate File Ctrl+O", "&List table contents Ctrl+L",
                                     "&Keep for Comparison Ctrl+K", "Show &Comparison Ctrl+M",
                                     "Estimate &Worksheet\u2026 Ctrl+P", " ", "E&xit Ctrl+X"}));
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
        QCOMPARE(rig.platform.messages.size(), std::size_t(1));

        const QString maple = QDir::toNativeSeparators(rig.path(QStringLiteral("taxrate.tab")));
        rig.open(TestData("birch_county.tab"));
        QCOMPARE(Row("Rate file"),
                 maple + '|' + QDir::toNativeSeparators(TestData("birch_county.tab")) + "| *");
        rig.estimate(QStringLiteral("120000")); // 480 + 360 + 1,440 + water district 36
        QCOMPARE(Row("Total Taxes"), QStringLiteral("$1,900.00|$2,316.00|+$416.00 (+21.89%)"));

        // By keyboard and screen reader: a window named by its caption, the
        // grid named and left by Tab, Escape as "Close". The worksheet is
        // previewed for the printer or, with none, saved as a PDF.
        QWidget* window = ComparisonWindow();
        Rig::activate(window);
        auto* grid = Ctl<QTableWidget>(window, QStringLiteral("grdCompare"));
        QCOMPARE(QAccessible::queryAccessibleInterface(window)->text(QAccessible::Name) + '|' +
                     QAccessible::queryAccessibleInterface(grid)->text(QAccessible::Name),
                 QStringLiteral("Comparison|Kept and current estimates"));
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QApplication::clipboard()->clear();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); // on Copy
        QVERIFY(QApplication::clipboard()->text().startsWith(QStringLiteral("\tKept\tNow")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!ComparisonWindow());

        rig.command(Qt::Key_P);
        QCOMPARE(rig.platform.previews.size(), std::size_t(1));
        rig.platform.printerPresent = false;
        rig.platform.messageAnswers = {MsgResult::Ok};
        rig.platform.saveAnswers = {rig.path(QStringLiteral("worksheet.pdf"))};
        rig.command(Qt::Key_P);
        QCOMPARE(rig.platform.pdfs, (std::vector<QString>{rig.path("worksheet.pdf")}));
    }
};

QTEST_MAIN(ComparisonTest)
#include "test_comparison.moc"
