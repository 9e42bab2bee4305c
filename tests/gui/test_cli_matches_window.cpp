// The command-line estimator and the main window, given the same rate file
// and the same property, show the same figures, and the window's Copy
// Estimate gives the command's text: the window is driven through its
// widgets, levywise-cli runs as a process.
#include <QClipboard>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "common/rig.h"

using namespace levywise;
using namespace levywise::test;

class CliMatchesWindowTest : public QObject {
    Q_OBJECT

private slots:
    void sameFiguresForTheSameProperty() {
        // File, value, county, city, school, then the exemptions as the
        // command line names them and as the window's buttons.
        const QStringList properties[] = {
            {"cli/county.tab", "150000", "101", "201", "901", "--homestead --over65 --veteran=2",
             "chkGHS optO65 optVet2"},
            {"cli/county.tab", "8000", "100", "000", "900", "--homestead --disabled --veteran=4",
             "chkGHS optDP optVet4"},
            {"main_estimate.tab", "100004", "101", "202", "902", "--disabled", "optDP"},
        };
        for (const QStringList& p : properties) {
            Rig rig(qPrintable(p[0]));
            rig.start();
            for (const QString& button : p[6].split(' ')) rig.ctl<QAbstractButton>(button)->click();
            rig.estimate(p[1], qPrintable(p[2]), qPrintable(p[3]), qPrintable(p[4]));

            const auto cli = [&](const QStringList& format) {
                QProcess run;
                run.start(QCoreApplication::applicationDirPath() + "/../../cli/levywise-cli",
                          QStringList{"estimate", "--rates", TestData(qPrintable(p[0])),
                                      "--value=" + p[1], "--county", p[2], "--city", p[3],
                                      "--school", p[4]} +
                              format + p[5].split(' '));
                return run.waitForFinished(10000) && run.exitCode() == 0
                           ? run.readAllStandardOutput()
                           : QByteArray();
            };
            // Copy Estimate puts the estimate on the clipboard as the command prints it.
            QTest::keyClick(&rig.main(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(QApplication::clipboard()->text(), QString::fromUtf8(cli({})));
            const QJsonObject j = QJsonDocument::fromJson(cli({"--json"})).object();
            const QJsonObject totals = j.value("totals").toObject();
            QStringList window, command;
            for (const QString unit : {"County", "City", "School"}) {
                const QJsonObject u = j.value(unit.toLower()).toObject();
                for (const QString pair :
                     {"appraised_value AprVal", "homestead HSVal", "over65_or_disabled O65Val",
                      "veteran VetVal", "net_taxable_value NTV", "tax_base Base1", "tax_base Base2",
                      "tax_rate TRate", "tax Tax"}) {
                    const QString field = pair.section(' ', 0, 0), label = pair.section(' ', 1);
                    window << rig.text("lbl" + unit + label);
                    command << u.value(field).toString();
                }
                // The command names a unit without the blanks around its name.
                window << rig.text("lblTot" + unit + "Name").trimmed()
                       << rig.text("lblTot" + unit + "Tax");
                command << u.value("name").toString() << totals.value(unit.toLower()).toString();
            }
            window << rig.text("lblTotSpclTax") << rig.text("lblTotTax");
            command << totals.value("special").toString() << totals.value("total").toString();
            QCOMPARE(window, command);
        }
    }
};

QTEST_MAIN(CliMatchesWindowTest)
#include "test_cli_matches_window.moc"
