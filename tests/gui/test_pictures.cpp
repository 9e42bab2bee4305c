// The windows that picture the estimate, and the worksheet with its picture on paper.
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>

#include "common/rig.h"

using namespace levywise;
using namespace levywise::test;

namespace {

QWidget* Window(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible()) return w;
    return nullptr;
}

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(20000) || process.exitCode() != 0)
        qFatal("%s failed", qPrintable(program));
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    // The File menu's items in their order, with their keys. The picture and
    // the figures beside it say what the last calculation worked out, and
    // screen readers hear the same; the window closes with the main window.
    void whereTheTaxGoesFollowsTheCalculation() {
        Rig rig;
        rig.start();
        QStringList menu;
        for (const QAction* item : rig.ctl<QMenu>("menuFile")->actions())
            menu << item->text() + ' ' + item->shortcut().toString();
        QCOMPARE(menu.join('|'),
                 "&Open Tax Rate File Ctrl+O|&List table contents Ctrl+L|"
                 "&Keep for Comparison Ctrl+K|Show &Comparison Ctrl+M|"
                 "Estimate &Worksheet\u2026 Ctrl+P|Where the Tax &Goes\u2026 Ctrl+G|"
                 "Tax &History\u2026 Ctrl+H| |E&xit Ctrl+X");
        rig.estimate(QStringLiteral("100000")); // county 500, city 250, school 1,000
        rig.command(Qt::Key_G);
        QWidget* window = Window("frmWhereTaxGoes");
        QVERIFY(window);
        auto* picture = Ctl<QWidget>(window, QStringLiteral("picWhereTaxGoes"));
        auto* figures = Ctl<QPlainTextEdit>(window, QStringLiteral("txtFigures"));
        QVERIFY(figures->toPlainText().contains(QStringLiteral("$1,000.00")));
        rig.estimate(QStringLiteral("120000"));
        QVERIFY(figures->toPlainText().contains(QStringLiteral("$1,200.00")));
        QVERIFY(!figures->toPlainText().contains(QStringLiteral("$1,000.00")));
        QCOMPARE(picture->accessibleDescription(), figures->toPlainText().replace('\n', ' '));
        const QImage shown = picture->grab().toImage();
        int dark = 0; // the bars and their labels, drawn where the view shows them
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                dark += shown.pixelColor(x, y).lightness() < 100;
        QVERIFY(dark > 1000);
        QCOMPARE(figures->document()->blockCount(), 6); // three units, two districts, the total
        rig.main().close();
        QVERIFY(!Window("frmWhereTaxGoes"));
    }

    // Two rate files side by side in the order of their names, the current
    // one proposed in the dialog; a unit the second file lacks is blank there. Cancel, or a refused
    // file (named to the user), opens no window and changes no files; the
    // window follows the next calculation. Escape closes it.
    void historyOfTwoFiles() {
        Rig rig;
        rig.start();
        rig.estimate(QStringLiteral("100000"));
        const QString current = QDir::toNativeSeparators(rig.path(QStringLiteral("taxrate.tab")));
        const QString next =
            rig.write(QStringLiteral("year2.tab"),
                      RateFile({"101\tMAPLE COUNTY\tK\tN\t0.6", "901\tELM ISD\tI\tN\t1"},
                               "TaxRates v3.54\tNext Year\tMaple\t"));
        const QString broken = rig.write(QStringLiteral("broken.tab"), "not a rate file\r\n");
        rig.platform.openManyAnswers = {{}, {current, broken}, {next, current}};
        rig.command(Qt::Key_H);
        rig.command(Qt::Key_H);
        QVERIFY(rig.platform.messages.at(0).text.contains(broken));
        QVERIFY(!Window("frmTaxHistory"));
        rig.command(Qt::Key_H);
        QCOMPARE(rig.platform.openRequests.back().proposedName, current);
        QWidget* window = Window("frmTaxHistory");
        QVERIFY(window);
        auto* grid = Ctl<QTableWidget>(window, QStringLiteral("grdHistory"));
        const auto row = [grid](const char* label) {
            const int r = grid->findItems(QLatin1String(label), Qt::MatchExactly).at(0)->row();
            QStringList cells;
            for (int c = 1; c < grid->columnCount(); ++c) cells << grid->item(r, c)->text();
            return cells.join('|');
        };
        QCOMPARE(row("CITY OF ELM"), QStringLiteral("$250.00||"));
        QVERIFY(row("MAPLE COUNTY").startsWith(QStringLiteral("$500.00|$600.00|+$100.00")));

        rig.platform.openManyAnswers = {{current, broken}};
        rig.click(QStringLiteral("cmdFiles"), window);
        QCOMPARE(rig.platform.messages.size(), std::size_t(2));
        rig.estimate(QStringLiteral("120000"));
        QVERIFY(row("MAPLE COUNTY").startsWith(QStringLiteral("$600.00|$720.00|+$120.00")));
        Rig::activate(window);
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(!Window("frmTaxHistory"));
    }

    // The worksheet saved as a PDF file holds every figure of the window
    // and the picture, drawn as an image.
    void worksheetOnPaperWithItsPicture() {
        Rig rig;
        rig.start();
        rig.estimate(QStringLiteral("120000"));
        rig.platform.printerPresent = false;
        rig.platform.messageAnswers = {MsgResult::Ok};
        const QString pdf = rig.path(QStringLiteral("worksheet.pdf"));
        rig.platform.saveAnswers = {pdf};
        rig.command(Qt::Key_P);
        const QString text =
            Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, "-"});
        for (QLineEdit* box : rig.main().findChildren<QLineEdit*>())
            if (box->text().startsWith('$'))
                QVERIFY2(text.contains(box->text()), qPrintable(box->text()));
        QVERIFY(!text.contains(QStringLiteral("Where the tax goes")));
        QCOMPARE(Run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).count('\n'), 3);
    }
};

QTEST_MAIN(PicturesTest)
#include "test_pictures.moc"
