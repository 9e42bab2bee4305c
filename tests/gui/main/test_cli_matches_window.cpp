// The command-line estimator and the main window, given the same rate file
// and the same property, show the same figures: the window is driven through
// its widgets, levywise-cli runs as a process.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>

#include "main/main_window_rig.h"

using namespace levywise;
using namespace levywise::test;

namespace {

// One property as both front ends take it.
struct Property {
    const char* file;
    const char* value;
    const char* county;
    const char* city;
    const char* school;
    bool homestead;
    const char* exemption; // "", "over65" or "disabled"
    int veteran;           // 0 for none
};

const Property kProperties[] = {
    {"cli/county.tab", "200000", "101", "202", "901", true, "", 0},
    {"cli/county.tab", "150000", "101", "201", "901", true, "over65", 2},
    {"cli/county.tab", "8000", "100", "201", "900", true, "disabled", 4},
    {"cli/county.tab", "$1,234,567.89", "101", "202", "901", false, "", 1},
    {"cli/county.tab", "-5000", "101", "000", "901", true, "over65", 3},
    {"main_estimate.tab", "150000", "101", "201", "901", true, "over65", 2},
    {"main_estimate.tab", "150000", "100", "202", "901", true, "", 0},
    {"main_estimate.tab", "100004", "101", "202", "902", false, "disabled", 0},
};

// The command-line estimator built beside this test (build/cli).
QString CliProgram() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../../cli/levywise-cli"));
}

QJsonObject CliEstimate(const QString& rateFile, const Property& p) {
    QStringList args = {QStringLiteral("estimate"), QStringLiteral("--rates"), rateFile,
                        QStringLiteral("--value=") + QString::fromUtf8(p.value),
                        QStringLiteral("--county"), QLatin1String(p.county),
                        QStringLiteral("--city"), QLatin1String(p.city),
                        QStringLiteral("--school"), QLatin1String(p.school), QStringLiteral("--json")};
    if (p.homestead) args << QStringLiteral("--homestead");
    if (*p.exemption) args << QStringLiteral("--") + QLatin1String(p.exemption);
    if (p.veteran) args << QStringLiteral("--veteran") << QString::number(p.veteran);
    QProcess cli;
    cli.start(CliProgram(), args);
    if (!cli.waitForFinished(10000) || cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != 0) {
        qWarning("levywise-cli failed: %s", cli.readAllStandardError().constData());
        return {};
    }
    return QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
}

void Choose(QComboBox* list, const char* code) {
    for (int i = 0; i < list->count(); ++i) {
        if (list->itemText(i).endsWith(QLatin1String(code))) {
            list->setCurrentIndex(i);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no entry with code %1").arg(QLatin1String(code))));
}

void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

void EnterInWindow(frmMain& w, const Property& p) {
    w.txtAprVal->selectAll();
    QTest::keyClick(w.txtAprVal, Qt::Key_Delete);
    QTest::keyClicks(w.txtAprVal, QString::fromUtf8(p.value));
    Choose(w.comboCounties, p.county);
    Choose(w.comboCities, p.city);
    Choose(w.comboSchools, p.school);
    if (w.chkGHS->isChecked() != p.homestead) Click(w.chkGHS);
    const QString exemption = QLatin1String(p.exemption);
    Click(exemption == QLatin1String("over65")     ? w.optO65
          : exemption == QLatin1String("disabled") ? w.optDP
                                                   : w.optNeither);
    QRadioButton* const brackets[] = {w.optVetNone, w.optVet1, w.optVet2, w.optVet3, w.optVet4};
    Click(brackets[p.veteran]);
    QTest::mouseClick(w.Command1, Qt::LeftButton);
}

// Every figure of the JSON beside the label that shows it.
QStringList Differences(frmMain& w, const QJsonObject& j) {
    QStringList wrong;
    const auto compare = [&](const QString& label, const QString& cliText) {
        auto* l = w.findChild<QLabel*>(label);
        if (!l || l->text() != cliText)
            wrong << QStringLiteral("%1: window \"%2\", levywise-cli \"%3\"")
                         .arg(label, l ? l->text() : QStringLiteral("(missing)"), cliText);
    };
    const std::pair<const char*, const char*> units[] = {{"county", "County"}, {"city", "City"}, {"school", "School"}};
    const std::pair<const char*, const char*> rows[] = {
        {"appraised_value", "AprVal"}, {"homestead", "HSVal"}, {"over65_or_disabled", "O65Val"},
        {"veteran", "VetVal"},         {"net_taxable_value", "NTV"}, {"tax_base", "Base1"},
        {"tax_base", "Base2"},         {"tax_rate", "TRate"},     {"tax", "Tax"}};
    for (const auto& [key, tab] : units) {
        const QJsonObject unit = j.value(QLatin1String(key)).toObject();
        for (const auto& [field, label] : rows)
            compare(QStringLiteral("lbl%1%2").arg(QLatin1String(tab), QLatin1String(label)),
                    unit.value(QLatin1String(field)).toString());
        compare(QStringLiteral("lblTot%1Name").arg(QLatin1String(tab)), unit.value(QStringLiteral("name")).toString());
        compare(QStringLiteral("lblTot%1Tax").arg(QLatin1String(tab)),
                j.value(QStringLiteral("totals")).toObject().value(QLatin1String(key)).toString());
    }
    const QJsonObject totals = j.value(QStringLiteral("totals")).toObject();
    compare(QStringLiteral("lblTotSpclTax"), totals.value(QStringLiteral("special")).toString());
    compare(QStringLiteral("lblTotTax"), totals.value(QStringLiteral("total")).toString());
    return wrong;
}

} // namespace

class CliMatchesWindowTest : public QObject {
    Q_OBJECT

private slots:
    void sameFiguresForTheSameProperty();
};

void CliMatchesWindowTest::sameFiguresForTheSameProperty() {
    QVERIFY2(QFileInfo(CliProgram()).isExecutable(), qPrintable(CliProgram()));
    for (const Property& p : kProperties) {
        MainWindowRig rig;
        rig.startWith(SampleFile(p.file));
        QVERIFY(rig.platform.messages.empty());
        rig.showAndActivate();
        EnterInWindow(rig.window, p);
        QVERIFY(rig.platform.messages.empty());

        const QJsonObject j = CliEstimate(SampleFile(p.file), p);
        QVERIFY2(!j.isEmpty(), p.value);
        const QStringList wrong = Differences(rig.window, j);
        QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("%1 on %2:\n").arg(QLatin1String(p.value),
                                                                               QLatin1String(p.file)) +
                                             wrong.join(QLatin1Char('\n'))));
    }
}

QTEST_MAIN(CliMatchesWindowTest)
#include "test_cli_matches_window.moc"
