// Finding the rate file (settings file, "not found", the file dialog) and
// loading it into both windows as a fresh estimate of its county.
#include <QAccessible>
#include <QCheckBox>
#include <QRadioButton>

#include "app/rate_file_loading.h"
#include "common/rig.h"

using namespace levywise;
using namespace levywise::test;

class RateFileLoadingTest : public QObject {
    Q_OBJECT

private slots:
    // The first call of the run takes the file from the settings file in the
    // current folder (or the default name there) and names it in the
    // caption; when it is missing the user may choose another in the dialog.
    void locatesTheFileOfTheSettings() {
        Rig rig(nullptr);
        const QString settings = QStringLiteral("[general]\r\nTaxRateFile=%1\r\n");
        rig.write("levywise.ini", settings.arg("o.tab").toUtf8());
        const QString found = rig.write("o.tab", RateFile({}));
        frmMain window(rig.data, rig.platform);
        QCOMPARE(LocateRateFile(window), found);
        QCOMPARE(window.windowTitle(), "Levywise v3.54b" + found);

        const QString gone = QStringLiteral("<a href=x>gone</a>.tab"); // shown as it is
        rig.write("levywise.ini", settings.arg(gone).toUtf8());
        rig.platform.messageAnswers = {MsgResult::Ok};
        rig.platform.openAnswers = {found};
        frmMain again(rig.data, rig.platform);
        QCOMPARE(LocateRateFile(again), found);
        QCOMPARE(again.windowTitle(), "Levywise v3.5 " + found);
        const auto& box = rig.platform.messages.at(0);
        QCOMPARE(box.title + ' ' + box.shown,
                 "Required file not found The required file " + rig.path(gone) +
                     " was not found in the default directory. \n"
                     "Press OK to select a tax rate file to use, or press Cancel.");
        const OpenFileRequest& request = rig.platform.openRequests.at(0);
        QCOMPARE(request.proposedName, rig.path(gone));
        QCOMPARE(request.filters.value(request.selectedFilter - 1).second, "*.tab");
    }

    // A new file replaces the lists, the districts and the captions, and
    // clears every input, whatever the user had on the screen.
    void newFileStartsAFreshEstimate() {
        Rig rig;
        rig.start();
        rig.estimate(QStringLiteral("123456"));
        for (const char* on : {"chkGHS", "optDP", "optVet3"}) rig.ctl<QAbstractButton>(on)->click();
        rig.ctl<QTabWidget>("tabTaxes")->setCurrentIndex(0);
        rig.ctl<QAbstractSlider>("VScroll1", &rig.specials())->setValue(3);

        rig.open(TestData("birch_county.tab"));
        QVERIFY(rig.platform.messages.empty());
        QCOMPARE(rig.state({"txtAprVal", "chkGHS", "optNeither", "optVetNone", "tabTaxes",
                            "lblTotCountyName", "lblTotTax", "txtSpclName_2", "txtSpclName_3",
                            "VScroll1"}),
                 "txtAprVal= chkGHS=General Homestead,false optNeither=Neither,true "
                 "optVetNone=None,true tabTaxes=3 lblTotCountyName= No County lblTotTax=$0.00 "
                 "txtSpclName_2=" +
                     QStringLiteral("BIRCH WATER DISTRICT").leftJustified(30) +
                     ",bold txtSpclName_3= ,hidden VScroll1=1,1,hidden");
    }

    // Later loads never read the settings file: straight to the dialog,
    // with the value box given the keyboard. The captions follow the table's
    // label and county, decoded and cut to what a title bar shows.
    void reloadsAndTheirCaptions() {
        Rig rig;
        rig.start();
        rig.ctl<QComboBox>("comboSchools")->setFocus();
        rig.write(QStringLiteral("levywise.ini"), "[general]\r\nTaxRateFile=elsewhere.tab\r\n");
        rig.open(std::nullopt);
        QCOMPARE(rig.platform.openRequests.at(0).proposedName, QStringLiteral("ratefile.tab"));
        QCOMPARE(QApplication::focusWidget(), rig.ctl<QLineEdit>("txtAprVal"));
        rig.open(
            rig.write("captions.tab",
                      RateFile({}, "TaxRates v3.54\t" + QByteArray(300, '\xE9') + "\tB\xE9\t")));
        QCOMPARE(rig.main().windowTitle(), "Levywise v3.54b - " + QString(255, u'\u00E9') +
                                               "... Tax Rates for B\u00E9 County");
        QCOMPARE(rig.specials().windowTitle(), "Configure Special Districts for B\u00E9 County");
        QVERIFY(rig.platform.messages.empty());
    }

    // The county list keeps the table's order (by name, then file order);
    // the other lists sort their texts. Names are single-byte text: shown
    // decoded, found by their bytes, and shown and heard with their "&".
    void listsShowTheUnits() {
        Rig rig(nullptr);
        rig.write("taxrate.tab",
                  RateFile({"105\tTWIN\tK\tN\t1", "104\tTWIN\tK\tN\t1", "205\tTWIN\tC\tN\t1",
                            "204\tTWIN\tC\tN\t1", "206\tlow\tC\tN\t1", "207\t9TH\tC\tN\t1",
                            "208\tCAF\xC9 & BAR\tC\tN\t2"}));
        rig.start();
        QCOMPARE(rig.state({"comboCounties", "comboCities"}).simplified(),
                 "comboCounties=0, No County 100,TWIN 105,TWIN 104 comboCities=0, No City 000,9TH "
                 "207,CAF\u00C9 & BAR 208,TWIN 204,TWIN 205,low 206");
        rig.estimate(QStringLiteral("1000"), "100", "208", "900");
        for (const char* name : {"lblCityName", "lblTotCityName"})
            QCOMPARE(QAccessible::queryAccessibleInterface(rig.ctl(name))
                         ->text(QAccessible::Name)
                         .trimmed(),
                     QStringLiteral("CAF\u00C9 & BAR"));
    }
};

QTEST_MAIN(RateFileLoadingTest)
#include "test_rate_file_loading.moc"
