// The kept estimate beside the one shown, and the worksheet on paper.
#include <QClipboard>
#include <QFont>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>

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
    for (int r = 0; r < grid->rowCount(); ++r) {
        if (grid->item(r, 0)->text() != label) continue;
        QString row = grid->item(r, 1)->text() + '|' + grid->item(r, 2)->text() + '|' +
                      grid->item(r, 3)->text();
        return grid->item(r, 2)->font().bold() ? row + " *" : row;
    }
    return QStringLiteral("no row ") + label;
}

} // namespace

class ComparisonTest : public QObject {
    Q_OBJECT

private slots:
    // The new items stand between "List table contents" and the separator;
    // their keys are the menu's also in the value box (Ctrl+K would delete
    // to the end of the line there).
    void fileMenuItemsInTheirPlace() {
        Rig rig;
        rig.start();
        QStringList items;
        for (const QAction* a : rig.ctl<QMenu>("menuFile")->actions())
            items << a->text() + ' ' + a->shortcut().toString();
        QCOMPARE(items, (QStringList{"&Open Tax Rate File Ctrl+O", "&List table contents Ctrl+L",
                                     "&Keep for Comparison Ctrl+K", "Show &Comparison Ctrl+M",
                                     "Estimate &Worksheet\u2026 Ctrl+P", " ", "E&xit Ctrl+X"}));
        auto* value = rig.ctl<QLineEdit>("txtAprVal");
        QTest::keyClicks(value, QStringLiteral("125000"));
        value->setCursorPosition(0);
        QTest::keyClick(value, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(value->text(), QStringLiteral("125000"));
        QTest::keyClick(value, Qt::Key_M, Qt::ControlModifier);
        QVERIFY(ComparisonWindow());
        QVERIFY(rig.platform.messages.empty());
    }

    void showingBeforeKeepingSaysSo() {
        Rig rig;
        rig.start();
        rig.command(Qt::Key_M);
        QCOMPARE(rig.platform.messages.size(), std::size_t(1));
        QCOMPARE(rig.platform.messages[0].title, QStringLiteral("Comparison"));
        QVERIFY(!ComparisonWindow());
    }

    // Keep, change an input, calculate: the window follows each calculation,
    // also across the loading of next year's rate file, and keeps the kept side.
    void keptBesideNow() {
        Rig rig;
        rig.start();
        rig.estimate(QStringLiteral("100000")); // 500 + 250 + 1,000 + districts 100 + 50
        rig.command(Qt::Key_K);
        rig.estimate(QStringLiteral("120000"));
        const QStringList before = rig.state();
        rig.command(Qt::Key_M);
        QVERIFY(ComparisonWindow());
        QCOMPARE(Row("Appraised value"), QStringLiteral("$100,000.00|$120,000.00| *"));
        QCOMPARE(Row("County"), QStringLiteral("MAPLE COUNTY|MAPLE COUNTY|"));
        QCOMPARE(Row("303 MAPLE DRAINAGE DISTRICT"),
                 QStringLiteral("$50.00|$60.00|+$10.00 (+20.00%)"));
        QCOMPARE(Row("Total Taxes"), QStringLiteral("$1,900.00|$2,280.00|+$380.00 (+20.00%)"));
        QCOMPARE(Row("Total per month"), QStringLiteral("$158.33|$190.00|+$31.67 (+20.00%)"));

        QApplication::clipboard()->clear();
        rig.click(QStringLiteral("cmdCopy"), ComparisonWindow());
        QVERIFY(
            QApplication::clipboard()->text().startsWith(QStringLiteral("\tKept\tNow\tChange\n")));
        QVERIFY(QApplication::clipboard()->text().contains(
            QStringLiteral("\nTotal Taxes\t$1,900.00\t$2,280.00\t+$380.00 (+20.00%)\n")));
        QCOMPARE(rig.state(), before);

        const QString maple = QDir::toNativeSeparators(rig.path(QStringLiteral("taxrate.tab")));
        rig.open(TestData("birch_county.tab"));
        QCOMPARE(Row("Rate file"),
                 maple + '|' + QDir::toNativeSeparators(TestData("birch_county.tab")) + "| *");
        rig.estimate(QStringLiteral("120000")); // 480 + 360 + 1,440 + water district 36
        QCOMPARE(Row("Total Taxes"), QStringLiteral("$1,900.00|$2,316.00|+$416.00 (+21.89%)"));
        QCOMPARE(Row("303 MAPLE DRAINAGE DISTRICT"), QStringLiteral("$50.00||-$50.00 (-100.00%)"));
        QCOMPARE(Row("402 BIRCH WATER DISTRICT"), QStringLiteral("|$36.00|+$36.00 (\u2014)"));
    }

    // The worksheet is a document, previewed for the printer or, with none,
    // saved as a PDF whose text holds the figures.
    void worksheetOnPaper() {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty()) QSKIP("pdftotext (poppler-utils) is not installed");
        Rig rig;
        rig.start();
        rig.estimate(QStringLiteral("100000"));
        rig.command(Qt::Key_P);
        QCOMPARE(rig.platform.previews.size(), std::size_t(1));

        rig.platform.printerPresent = false;
        rig.platform.messageAnswers = {MsgResult::Ok};
        rig.platform.saveAnswers = {rig.path(QStringLiteral("worksheet.pdf"))};
        rig.command(Qt::Key_P);
        QCOMPARE(rig.platform.pdfs.size(), std::size_t(1));
        QProcess reader;
        reader.start(pdftotext, {rig.platform.pdfs[0], QStringLiteral("-")});
        QVERIFY(reader.waitForFinished(30000) && reader.exitCode() == 0);
        const QString text = QString::fromUtf8(reader.readAllStandardOutput());
        for (const char* shown :
             {"Property Tax Estimate", "MAPLE COUNTY", "ELM ISD", "MAPLE FIRE DISTRICT",
              "$1,000.00", "$150.00", "$1,900.00", "$158.33", "1.90%", "Shell Test, Maple County"})
            QVERIFY2(text.contains(QLatin1String(shown)), shown);
    }
};

QTEST_MAIN(ComparisonTest)
#include "test_comparison.moc"
