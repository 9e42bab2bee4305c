// Finding and loading rate files from the main window: the settings file,
// the "not found" message, the file dialog, reloads, and files the program
// refuses, which must leave everything as it was.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>

#include "app/rate_file_loading.h"
#include "main/main_window_rig.h"

using namespace levywise;
using namespace levywise::test;

namespace {

const QByteArray kHeader = "TaxRates v3.54\tTest 2026\tTestcounty\t\r\n";

QByteArray Unit(const char* code, const char* name, const char* type, const char* rate = "1",
                const char* defaultSel = "N") {
    return QByteArray(code) + '\t' + name + '\t' + type + '\t' + defaultSel + '\t' + rate +
           "\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\r\n";
}

QStringList Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i).trimmed();
    return items;
}

// Everything a load may change, as text, so that "nothing changed" can be
// checked in one comparison.
QStringList Snapshot(MainWindowRig& rig) {
    frmMain& w = rig.window;
    const modMain& d = rig.data;
    QStringList s;
    s << w.windowTitle() << rig.specials.windowTitle() << w.txtAprVal->text();
    for (auto* label : w.findChildren<QLabel*>()) s << label->objectName() + '=' + label->text();
    for (auto* list : w.findChildren<QComboBox*>())
        s << list->objectName() + '=' + Items(list).join('|') + '@' +
                 QString::number(list->currentIndex());
    for (auto* button : w.findChildren<QAbstractButton*>())
        s << button->objectName() + (button->isChecked() ? "=on" : "=off");
    s << QString::number(w.tabTaxes->currentIndex());
    for (int r = 0; r < frmCfgSpcl::kRows; ++r)
        s << rig.specials.txtSpclName[r]->text() + rig.specials.txtTaxRate[r]->text() +
                 (rig.specials.chkSpclDist[r]->isChecked() ? "+" : "-");
    s << QString::number(d.RateCount) << QString::number(d.LoadedCount)
      << QString::number(d.SpclCount) << QString::fromLatin1(d.CountyName);
    for (int k = 0; k <= d.RateCount; ++k) s << QString::fromLatin1(d.RateTbl[k].Name.str());
    for (int i = 0; i <= d.SpclCount; ++i)
        s << QString::fromLatin1(d.SpclTbl[i].Name.str() + d.SpclSel[i].Selected.str());
    return s;
}

} // namespace

class RateFileLoadingTest : public QObject {
    Q_OBJECT

private slots:
    void settingsFileNamesTheFile_data();
    void settingsFileNamesTheFile();
    void missingFileCancelledLoadsNothing();
    void missingFileOkOffersTheDialogWithTheFullPath();
    void reloadGoesStraightToTheDialog();
    void reloadReplacesListsAndResetsInputs();
    void captionsFollowTheTableLabel();
    void countyListKeepsTableOrderOtherListsAreSorted();
    void headerOnlyFileGivesPlaceholderLists();
    void specialDistrictPageShowsTheNewFile();
    void failedLoadChangesNothing_data();
    void failedLoadChangesNothing();
    void failedFirstLoadLeavesAnEmptyUsableWindow();
};

void RateFileLoadingTest::settingsFileNamesTheFile_data() {
    QTest::addColumn<QByteArray>("settings"); // %1 stands for the folder
    QTest::addColumn<QString>("fileName");
    QTest::newRow("no settings file") << QByteArray() << "taxrate.tab";
    QTest::newRow("folder without separator")
        << QByteArray("[general]\r\nTaxRateFile=other.tab\r\nTaxRatePath=%1\r\n") << "other.tab";
    QTest::newRow("folder with separator")
        << QByteArray("[General]\nTaxRatePath = %1/\nTaxRateFile = other.tab\n") << "other.tab";
    QTest::newRow("only the name") << QByteArray("[general]\r\nTaxRateFile=other.tab\r\n")
                                   << "other.tab";
}

void RateFileLoadingTest::settingsFileNamesTheFile() {
    QFETCH(QByteArray, settings);
    QFETCH(QString, fileName);
    MainWindowRig rig;
    if (!settings.isEmpty())
        rig.write(QStringLiteral("levywise.ini"),
                  QString::fromLatin1(settings).arg(rig.folder.path()).toUtf8());
    const QString expected = rig.write(fileName, kHeader + Unit("101", "SOME COUNTY", "K"));
    rig.write(QStringLiteral("decoy.tab"), kHeader);

    QCOMPARE(LocateRateFile(rig.window), expected);
    QCOMPARE(rig.window.windowTitle(), QStringLiteral("Levywise v3.54b") + expected);
    QVERIFY(rig.platform.messages.empty());
    QVERIFY(rig.platform.openRequests.empty());

    MainWindowRig started;
    if (!settings.isEmpty())
        started.write(QStringLiteral("levywise.ini"),
                      QString::fromLatin1(settings).arg(started.folder.path()).toUtf8());
    started.write(fileName, kHeader + Unit("101", "SOME COUNTY", "K"));
    started.window.Form_Load();
    QCOMPARE(started.data.LoadedCount, 4);
    QCOMPARE(started.window.comboCounties->itemText(1),
             QStringLiteral("SOME COUNTY").leftJustified(50) + QStringLiteral("101"));
    QCOMPARE(started.window.comboCounties->count(), 2);
    QCOMPARE(started.window.windowTitle(), QStringLiteral("Levywise v3.54b"));
}

void RateFileLoadingTest::missingFileCancelledLoadsNothing() {
    MainWindowRig rig;
    rig.platform.messageAnswers.push_back(MsgResult::Cancel);
    rig.window.Form_Load();
    QCOMPARE(rig.platform.messages.size(), std::size_t(1));
    const auto& box = rig.platform.messages[0];
    QCOMPARE(box.title, QStringLiteral("Required file not found"));
    QCOMPARE(box.buttons, MsgButtons::OkCancel);
    QCOMPARE(box.text, QStringLiteral("The required file ") + rig.path(QStringLiteral("taxrate.tab")) +
                           QStringLiteral(" was not found in the default directory. \r\n"
                                          "Press OK to select a tax rate file to use, or press Cancel."));
    QVERIFY(rig.platform.openRequests.empty());
    QCOMPARE(rig.data.LoadedCount, 0);
    QCOMPARE(rig.window.comboCounties->count(), 0);
    QCOMPARE(rig.window.windowTitle(), QStringLiteral("Levywise v3.54b"));
}

void RateFileLoadingTest::missingFileOkOffersTheDialogWithTheFullPath() {
    MainWindowRig rig;
    rig.write(QStringLiteral("levywise.ini"), "[general]\r\nTaxRateFile=gone.tab\r\n");
    const QString chosen = rig.write(QStringLiteral("chosen.tab"), kHeader + Unit("201", "A CITY", "C"));

    // OK, then cancel in the dialog: nothing is loaded.
    rig.platform.messageAnswers = {MsgResult::Ok};
    QCOMPARE(LocateRateFile(rig.window), QString());
    QCOMPARE(rig.platform.openRequests.size(), std::size_t(1));
    const OpenFileRequest& request = rig.platform.openRequests[0];
    QCOMPARE(request.proposedName, rig.path(QStringLiteral("gone.tab")));
    QCOMPARE(request.filters.size(), 4);
    QCOMPARE(request.filters[0], qMakePair(QStringLiteral("All Files (*.*)"), QStringLiteral("*.*")));
    QCOMPARE(request.filters[1], qMakePair(QStringLiteral("Text Files(*.txt)"), QStringLiteral("*.txt")));
    QCOMPARE(request.filters[2],
             qMakePair(QStringLiteral("ASCII Files (*.asc)"), QStringLiteral("*.asc")));
    QCOMPARE(request.filters[3], qMakePair(QStringLiteral("TAB Files (*.tab)"), QStringLiteral("*.tab")));
    QCOMPARE(request.selectedFilter, 4);

    // At start-up: OK, then a file chosen in the dialog is loaded.
    MainWindowRig started;
    started.write(QStringLiteral("levywise.ini"), "[general]\r\nTaxRateFile=gone.tab\r\n");
    started.platform.messageAnswers = {MsgResult::Ok};
    started.platform.openAnswers = {chosen};
    QCOMPARE(LocateRateFile(started.window), chosen);
    QCOMPARE(started.window.windowTitle(), QStringLiteral("Levywise v3.5 ") + chosen);

    MainWindowRig loaded;
    loaded.platform.messageAnswers = {MsgResult::Ok};
    loaded.platform.openAnswers = {chosen};
    loaded.window.Form_Load();
    QCOMPARE(Items(loaded.window.comboCities).size(), 2);
    QCOMPARE(loaded.window.windowTitle(), QStringLiteral("Levywise v3.54b"));
}

void RateFileLoadingTest::reloadGoesStraightToTheDialog() {
    MainWindowRig rig;
    rig.startWith(SampleFile("main_estimate.tab"));
    rig.showAndActivate();
    rig.window.comboSchools->setFocus();
    // The settings file now names another file; a reload never reads it.
    rig.write(QStringLiteral("levywise.ini"), "[general]\r\nTaxRateFile=elsewhere.tab\r\n");
    rig.write(QStringLiteral("elsewhere.tab"), kHeader);

    QCOMPARE(LocateRateFile(rig.window), QString());
    QCOMPARE(rig.platform.openRequests.size(), std::size_t(1));
    QCOMPARE(rig.platform.openRequests[0].proposedName, QStringLiteral("ratefile.tab"));
    QCOMPARE(rig.platform.openRequests[0].selectedFilter, 4);
    QVERIFY(rig.platform.messages.empty());
    QCOMPARE(QApplication::focusWidget(), rig.window.txtAprVal);

    // Every later reload proposes the same name again.
    rig.window.menuOpen->trigger();
    QCOMPARE(rig.platform.openRequests.size(), std::size_t(2));
    QCOMPARE(rig.platform.openRequests[1].proposedName, QStringLiteral("ratefile.tab"));
    QCOMPARE(rig.data.LoadedCount, 10);

    const QString chosen = rig.write(QStringLiteral("chosen.tab"), kHeader);
    rig.platform.openAnswers = {chosen};
    QCOMPARE(LocateRateFile(rig.window), chosen);
    QCOMPARE(rig.window.windowTitle(), QStringLiteral("Levywise v3.5 ") + chosen);
}

void RateFileLoadingTest::reloadReplacesListsAndResetsInputs() {
    MainWindowRig rig;
    rig.startWith(SampleFile("main_estimate.tab"));
    frmMain& w = rig.window;
    QCOMPARE(w.comboCities->count(), 3);
    w.txtAprVal->setText(QStringLiteral("150000"));
    w.comboCounties->setCurrentIndex(1);
    w.comboCities->setCurrentIndex(2);
    w.chkGHS->setChecked(true);
    w.optDP->setChecked(true);
    w.optVet3->setChecked(true);
    w.tabTaxes->setCurrentIndex(0);
    w.Command1_Click();
    QCOMPARE(w.lblCountyAprVal->text(), QStringLiteral("$150,000.00"));

    for (int round = 0; round < 2; ++round) {
        rig.open(rig.write(QStringLiteral("second.tab"),
                           kHeader + Unit("110", "OTHER COUNTY", "K") + Unit("210", "OTHER CITY", "C") +
                               Unit("910", "OTHER ISD", "I")));
        QCOMPARE(Items(w.comboCounties).size(), 2);
        QVERIFY(Items(w.comboCounties)[1].startsWith(QStringLiteral("OTHER COUNTY")));
        QCOMPARE(Items(w.comboCities).size(), 2);
        QVERIFY(Items(w.comboCities)[1].startsWith(QStringLiteral("OTHER CITY")));
        QCOMPARE(Items(w.comboSchools).size(), 2);
        QCOMPARE(w.comboCounties->currentIndex(), 0);
        QCOMPARE(w.comboCities->currentIndex(), 0);
        QCOMPARE(w.comboSchools->currentIndex(), 0);
        QVERIFY(w.txtAprVal->text().isEmpty());
        QVERIFY(!w.chkGHS->isChecked());
        QVERIFY(w.optNeither->isChecked() && w.optVetNone->isChecked());
        QCOMPARE(w.tabTaxes->currentIndex(), 3);
        QCOMPARE(w.lblCountyAprVal->text(), QStringLiteral("$0.00"));
        QCOMPARE(w.lblTotCityName->text(), QStringLiteral(" No City"));
        QCOMPARE(rig.data.SpclCount, 0);
        QCOMPARE(rig.data.LoadedCount, 6);
    }
    QVERIFY(rig.platform.messages.empty());
}

void RateFileLoadingTest::captionsFollowTheTableLabel() {
    struct Case {
        QByteArray header;
        QString main, specials;
    };
    const Case cases[] = {
        {kHeader, "Levywise v3.54b - Test 2026 Tax Rates for Testcounty County",
         "Configure Special Districts for Testcounty County"},
        {"TaxRates v3.54\t\tTestcounty\t\r\n", "Levywise v3.54b", "Configure Special Districts"},
        {"TAXRATES V3.54\t2026\t\t\r\n", "Levywise v3.54b - 2026 Tax Rates for  County",
         "Configure Special Districts for  County"},
        // No tab after the county's name: the name loaded before stays.
        {"taxrates v3.54\tNew\tIgnored\r\n", "Levywise v3.54b - New Tax Rates for  County",
         "Configure Special Districts for  County"},
        {"TaxRates v3.54\tCaf\xE9\tB\xE9xar\t\r\n",
         QStringLiteral("Levywise v3.54b - Caf\u00E9 Tax Rates for B\u00E9xar County"),
         QStringLiteral("Configure Special Districts for B\u00E9xar County")},
    };
    MainWindowRig rig;
    rig.startWith(SampleFile("main_estimate.tab"));
    for (const Case& c : cases) {
        rig.open(rig.write(QStringLiteral("captions.tab"), c.header));
        QCOMPARE(rig.window.windowTitle(), c.main);
        QCOMPARE(rig.specials.windowTitle(), c.specials);
    }
    QVERIFY(rig.platform.messages.empty());
}

void RateFileLoadingTest::countyListKeepsTableOrderOtherListsAreSorted() {
    MainWindowRig rig;
    rig.startWith(rig.write(QStringLiteral("order.tab"),
                            kHeader + Unit("105", "TWIN COUNTY", "K") + Unit("104", "TWIN COUNTY", "K") +
                                Unit("205", "TWIN CITY", "C") + Unit("204", "TWIN CITY", "C") +
                                Unit("206", "lower city", "C") + Unit("207", "9TH CITY", "C")));
    QStringList codes;
    for (int i = 0; i < rig.window.comboCounties->count(); ++i)
        codes << rig.window.comboCounties->itemText(i).right(3);
    QCOMPARE(codes, QStringList({"100", "105", "104"}));
    codes.clear();
    for (int i = 0; i < rig.window.comboCities->count(); ++i)
        codes << rig.window.comboCities->itemText(i).right(3);
    QCOMPARE(codes, QStringList({"000", "207", "204", "205", "206"}));
    // Every entry is the 30-character name, 20 blanks and the code.
    QCOMPARE(rig.window.comboCities->itemText(2), QStringLiteral("TWIN CITY").leftJustified(50) + "204");
}

void RateFileLoadingTest::headerOnlyFileGivesPlaceholderLists() {
    MainWindowRig rig;
    rig.startWith(rig.write(QStringLiteral("empty.tab"), kHeader));
    QVERIFY(rig.platform.messages.empty());
    QCOMPARE(rig.data.RateCount, 3);
    QCOMPARE(rig.data.LoadedCount, 3);
    QCOMPARE(rig.data.SpclCount, 0);
    QCOMPARE(rig.window.comboCounties->count(), 1);
    QCOMPARE(rig.window.comboCounties->itemText(0),
             QStringLiteral(" No County").leftJustified(50) + QStringLiteral("100"));
    QCOMPARE(rig.window.comboCities->count(), 1);
    QCOMPARE(rig.window.comboSchools->count(), 1);
    QCOMPARE(rig.window.lblTotTax->text(), QStringLiteral("$0.00"));
}

void RateFileLoadingTest::specialDistrictPageShowsTheNewFile() {
    MainWindowRig rig;
    rig.startWith(SampleFile("main_estimate.tab"));
    frmCfgSpcl& s = rig.specials;
    QCOMPARE(s.txtSpclName[0]->text().trimmed(), QStringLiteral("HOSPITAL DISTRICT"));
    QVERIFY(s.chkSpclDist[0]->isChecked());
    QCOMPARE(s.txtSpclName[1]->text().trimmed(), QStringLiteral("WATER DISTRICT"));
    QVERIFY(!s.chkSpclDist[1]->isChecked());
    QVERIFY(s.txtSpclName[2]->isHidden());
    QCOMPARE(rig.data.SpclSel[1].Selected.str(), std::string("Y"));
    QCOMPARE(rig.data.SpclSel[2].Selected.str(), std::string("N"));
    QVERIFY(!rig.data.SpclLoading);

    // A file with one district: the second row of the previous file goes.
    rig.open(rig.write(QStringLiteral("one.tab"), kHeader + Unit("301", "FIRE DISTRICT", "S", "0.1", "N")));
    QCOMPARE(s.txtSpclName[0]->text().trimmed(), QStringLiteral("FIRE DISTRICT"));
    QVERIFY(!s.chkSpclDist[0]->isChecked());
    QVERIFY(s.txtSpclName[1]->isHidden());
    QVERIFY(s.isHidden());
}

void RateFileLoadingTest::failedLoadChangesNothing_data() {
    QTest::addColumn<QByteArray>("contents");     // empty: the chosen file does not exist
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("title");           // of the message; empty: none
    QTest::addColumn<QStringList>("mentions");    // what the message must name
    QTest::newRow("cancelled dialog") << QByteArray() << true << QString() << QStringList();
    QTest::newRow("wrong version")
        << QByteArray("TaxRates v3.53\tOld\tOldcounty\t\r\n") + Unit("101", "OLD COUNTY", "K") << false
        << "Tax Rate File Version error" << QStringList{"V3.54"};
    QTest::newRow("not a number")
        << kHeader + Unit("101", "OK COUNTY", "K") +
               "102\tBAD COUNTY\tK\tN\t1\t12x\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\r\n"
        << false << "Tax rate file not loaded"
        << QStringList{"refused.tab", "line 3", "column 6", "12x", "not a number"};
    QTest::newRow("missing file") << QByteArray() << false << "Tax rate file not loaded"
                                  << QStringList{"refused.tab", "does not exist"};
    QTest::newRow("no header tab") << QByteArray("TaxRates v3.54\r\n") << false
                                   << "Tax Rate File Version error" << QStringList{"V3.54"};
}

void RateFileLoadingTest::failedLoadChangesNothing() {
    QFETCH(QByteArray, contents);
    QFETCH(bool, cancel);
    QFETCH(QString, title);
    QFETCH(QStringList, mentions);
    MainWindowRig rig;
    rig.startWith(SampleFile("main_estimate.tab"));
    frmMain& w = rig.window;
    // An estimate on screen and a table-labelled caption from a reload.
    rig.open(SampleFile("main_estimate.tab"));
    w.txtAprVal->setText(QStringLiteral("150000"));
    w.comboCounties->setCurrentIndex(1);
    w.comboSchools->setCurrentIndex(2);
    w.chkGHS->setChecked(true);
    w.Command1_Click();
    rig.specials.VScroll1->setValue(1);
    const QStringList before = Snapshot(rig);
    QCOMPARE(w.windowTitle(), QStringLiteral("Levywise v3.54b - Test 2026 Tax Rates for Testcounty County"));

    const QString path = rig.path(QStringLiteral("refused.tab"));
    if (!contents.isEmpty()) rig.write(QStringLiteral("refused.tab"), contents);
    rig.platform.messages.clear();
    rig.open(cancel ? std::optional<QString>() : std::optional<QString>(path));

    QCOMPARE(Snapshot(rig), before);
    if (title.isEmpty()) {
        QVERIFY(rig.platform.messages.empty());
        return;
    }
    QCOMPARE(rig.platform.messages.size(), std::size_t(1));
    QCOMPARE(rig.platform.messages[0].title, title);
    QCOMPARE(rig.platform.messages[0].buttons, MsgButtons::Ok);
    for (const QString& mention : mentions)
        QVERIFY2(rig.platform.messages[0].text.contains(mention),
                 qPrintable(rig.platform.messages[0].text));
    // The window goes on working with the table it had.
    w.Command1_Click();
    QCOMPARE(Snapshot(rig), before);
}

void RateFileLoadingTest::failedFirstLoadLeavesAnEmptyUsableWindow() {
    MainWindowRig rig;
    rig.startWith(rig.write(QStringLiteral("taxrate.tab"), "TaxRates v2\tOld\tX\t\r\n"));
    QCOMPARE(rig.platform.messages.size(), std::size_t(1));
    QCOMPARE(rig.platform.messages[0].title, QStringLiteral("Tax Rate File Version error"));
    QCOMPARE(rig.data.LoadedCount, 0);
    QVERIFY(rig.data.CountyName.empty());
    QCOMPARE(rig.window.comboCounties->count(), 0);
    QCOMPARE(rig.window.windowTitle(), QStringLiteral("Levywise v3.54b"));
    // Calculate still works and shows the empty unit.
    rig.window.txtAprVal->setText(QStringLiteral("1000"));
    rig.window.Command1_Click();
    QCOMPARE(rig.window.lblCountyAprVal->text(), QStringLiteral("$1,000.00"));
    QCOMPARE(rig.window.lblTotTax->text(), QStringLiteral("$0.00"));
    QCOMPARE(rig.platform.messages.size(), std::size_t(1));
}

QTEST_MAIN(RateFileLoadingTest)
#include "test_rate_file_loading.moc"
