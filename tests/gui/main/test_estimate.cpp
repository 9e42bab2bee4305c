// Whole estimates entered through the widgets, checked against figures
// worked out by hand from tests/data/main_estimate.tab.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "main/main_window_rig.h"

using namespace levywise;
using namespace levywise::test;

namespace {

using Figures = std::vector<std::pair<const char*, QString>>;

QString Padded(const char* name) { return QString::fromLatin1(name).leftJustified(30, ' '); }

// The list entry whose code is the given one.
void Choose(QComboBox* list, const char* code) {
    for (int i = 0; i < list->count(); ++i) {
        if (list->itemText(i).endsWith(QLatin1String(code))) {
            list->setCurrentIndex(i);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no entry with code %1").arg(QLatin1String(code))));
}

QStringList Differences(frmMain& w, const Figures& expected) {
    QStringList wrong;
    for (const auto& [name, text] : expected) {
        auto* label = w.findChild<QLabel*>(QLatin1String(name));
        if (!label)
            wrong << QStringLiteral("%1 missing").arg(QLatin1String(name));
        else if (label->text() != text)
            wrong << QStringLiteral("%1: \"%2\", expected \"%3\"")
                         .arg(QLatin1String(name), label->text(), text);
    }
    return wrong;
}

} // namespace

class EstimateTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void fullEstimateThroughTheWidgets();
    void noCountyLeavesSpecialDistrictsOut();
    void aValueTooLargeIsRefusedAndChangesNoFigure();
    void windows1252NamesAreShownAndFound();

private:
    std::unique_ptr<MainWindowRig> rig;
};

void EstimateTest::init() {
    rig = std::make_unique<MainWindowRig>();
    rig->startWith(SampleFile("main_estimate.tab"));
    QVERIFY(rig->platform.messages.empty());
    rig->showAndActivate();
}

void EstimateTest::cleanup() { rig.reset(); }

void EstimateTest::fullEstimateThroughTheWidgets() {
    frmMain& w = rig->window;
    QTest::mouseClick(w.txtAprVal, Qt::LeftButton);
    QTest::keyClicks(w.txtAprVal, QStringLiteral("150000"));
    Choose(w.comboCounties, "101");
    Choose(w.comboCities, "201");
    Choose(w.comboSchools, "901");
    QTest::mouseClick(w.chkGHS, Qt::LeftButton, {}, QPoint(8, w.chkGHS->height() / 2));
    QTest::mouseClick(w.optO65, Qt::LeftButton, {}, QPoint(8, w.optO65->height() / 2));
    QTest::mouseClick(w.optVet2, Qt::LeftButton, {}, QPoint(8, w.optVet2->height() / 2));
    QVERIFY(w.chkGHS->isChecked() && w.optO65->isChecked() && w.optVet2->isChecked());
    QVERIFY(!w.optNeither->isChecked() && !w.optVetNone->isChecked());
    w.tabTaxes->setCurrentIndex(1);
    QTest::mouseClick(w.Command1, Qt::LeftButton);

    const QString value = QStringLiteral("$150,000.00");
    const Figures expected{
        // TESTCOUNTY: homestead 20% of the value; over-65 12,500; veteran 7,500.
        {"lblCountyAprVal", value},
        {"lblCountyTRate", "0.100004"},
        {"lblCountyName", Padded("TESTCOUNTY")},
        {"lblTotCountyName", "TESTCOUNTY"},
        {"lblCountyHSVal", "$30,000.00"},
        {"lblCountyO65Val", "$12,500.00"},
        {"lblCountyVetVal", "$7,500.00"},
        {"lblCountyNTV", "$100,000.00"},
        {"lblCountyBase1", "$1,000.00"},
        {"lblCountyBase2", "$1,000.00"},
        {"lblCountyTax", "$100.00"},  // 100.004
        {"lblTotCountyTax", "$100.00"},
        // CITY OF CAPVILLE: a 200,000 homestead, shown capped at the value;
        // over-65 10% of the value; nothing left to tax.
        {"lblCityAprVal", value},
        {"lblCityTRate", "0.75"},
        {"lblCityName", Padded("CITY OF CAPVILLE")},
        {"lblTotCityName", "CITY OF CAPVILLE"},
        {"lblCityHSVal", value},
        {"lblCityO65Val", "$15,000.00"},
        {"lblCityVetVal", "$7,500.00"},
        {"lblCityNTV", "$0.00"},
        {"lblCityBase1", "$0.00"},
        {"lblCityBase2", "$0.00"},
        {"lblCityTax", "$0.00"},
        {"lblTotCityTax", "$0.00"},
        // TEST ISD: fixed 25,000 homestead and 17,500 over-65.
        {"lblSchoolAprVal", value},
        {"lblSchoolTRate", "0.200004"},
        {"lblSchoolName", Padded("TEST ISD")},
        {"lblTotSchoolName", "TEST ISD"},
        {"lblSchoolHSVal", "$25,000.00"},
        {"lblSchoolO65Val", "$17,500.00"},
        {"lblSchoolVetVal", "$7,500.00"},
        {"lblSchoolNTV", "$100,000.00"},
        {"lblSchoolBase1", "$1,000.00"},
        {"lblSchoolBase2", "$1,000.00"},
        {"lblSchoolTax", "$200.00"},  // 200.004
        {"lblTotSchoolTax", "$200.00"},
        // Only the hospital district is selected: 1,500 x 0.0333366 = 50.0049.
        {"lblTotSpclTax", "$50.00"},
        // 100.00 + 0.00 + 200.00 + 50.0049: the unit taxes count as shown, so
        // not the $350.01 of the unrounded sum.
        {"lblTotTax", "$350.00"},
    };
    const QStringList wrong = Differences(w, expected);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
    QCOMPARE(w.tabTaxes->currentIndex(), 1);  // calculating does not change the tab
    QVERIFY(rig->platform.messages.empty());
}

void EstimateTest::noCountyLeavesSpecialDistrictsOut() {
    frmMain& w = rig->window;
    w.txtAprVal->setText(QStringLiteral("150000"));
    Choose(w.comboCounties, "100");
    Choose(w.comboCities, "201");
    Choose(w.comboSchools, "901");
    QTest::mouseClick(w.chkGHS, Qt::LeftButton, {}, QPoint(8, w.chkGHS->height() / 2));
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    const QStringList wrong = Differences(
        w, {
               {"lblCountyName", Padded(" No County")},
               {"lblTotCountyName", " No County"},
               {"lblCountyTRate", "0"},
               {"lblCountyHSVal", "$0.00"},
               {"lblCountyNTV", "$150,000.00"},
               {"lblCountyBase1", "$1,500.00"},
               {"lblTotCountyTax", "$0.00"},
               {"lblSchoolO65Val", "$0.00"},
               {"lblSchoolNTV", "$125,000.00"},
               {"lblTotSchoolTax", "$250.01"},  // 1,250 x 0.200004 = 250.005
               {"lblTotSpclTax", "$0.00"},
               {"lblTotTax", "$250.01"},
           });
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
}

void EstimateTest::aValueTooLargeIsRefusedAndChangesNoFigure() {
    frmMain& w = rig->window;
    w.txtAprVal->setText(QStringLiteral("150000"));
    Choose(w.comboCounties, "101");
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    const QString countyTax = w.lblCountyTax->text();
    const QString total = w.lblTotTax->text();
    QCOMPARE(w.lblCountyAprVal->text(), QStringLiteral("$150,000.00"));

    for (const char* wild : {"1e300", "99999999999999999999"}) {
        w.txtAprVal->setText(QLatin1String(wild));
        rig->platform.messageAnswers.push_back(MsgResult::Ok);
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        QVERIFY(!rig->platform.messages.empty());
        QCOMPARE(rig->platform.messages.back().title, QStringLiteral("Calculate"));
        QCOMPARE(rig->platform.messages.back().buttons, MsgButtons::Ok);
        QVERIFY(rig->platform.messages.back().text.contains(QStringLiteral("too large")));
        QCOMPARE(w.lblCountyAprVal->text(), QStringLiteral("$150,000.00"));
        QCOMPARE(w.lblCountyTax->text(), countyTax);
        QCOMPARE(w.lblTotTax->text(), total);
    }
}

void EstimateTest::windows1252NamesAreShownAndFound() {
    const QString file = rig->write(
        QStringLiteral("accents.tab"),
        "TaxRates v3.54\t\tCorvell\t\r\n"
        "201\tCAF\xC9 CITY\tC\tN\t1\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\r\n"
        "202\tCITY OF \x80URO\tC\tN\t2\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\r\n");
    rig->open(file);
    frmMain& w = rig->window;
    QCOMPARE(w.comboCities->count(), 3);
    QCOMPARE(w.comboCities->itemText(1).left(9), QStringLiteral("CAF\u00C9 CITY"));
    QCOMPARE(w.comboCities->itemText(2).left(12), QStringLiteral("CITY OF \u20ACURO"));
    w.txtAprVal->setText(QStringLiteral("1000"));
    for (int i : {1, 2}) {
        w.comboCities->setCurrentIndex(i);
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        QCOMPARE(w.lblTotCityName->text(), w.comboCities->itemText(i).left(i == 1 ? 9 : 12));
        QCOMPARE(w.lblCityTRate->text(), QString::number(i));
        QCOMPARE(w.lblCityTax->text(), QStringLiteral("$%1.00").arg(10 * i));
    }
}

QTEST_MAIN(EstimateTest)
#include "test_estimate.moc"
