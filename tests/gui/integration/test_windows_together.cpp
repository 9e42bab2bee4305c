// The three windows working together in the running program: the
// special-district window and the figures of the main window, loading
// another rate file with both windows up, the listing command and the
// About box.
#include <QHeaderView>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <optional>

#include "integration/shell_rig.h"

using namespace levywise;
using namespace levywise::test;

namespace {

// Value 123456 in Maple County: county 0.5, city 0.25 and school 1 per 100
// of the tax base 1234.56; the fire (0.1) and drainage (0.05) districts are
// selected by default, the library district (0.02) is not.
const QString kValue = QStringLiteral("123456");
const QString kCountyTax = QStringLiteral("$617.28");
const QString kCityTax = QStringLiteral("$308.64");
const QString kSchoolTax = QStringLiteral("$1,234.56");

// What the special-district window shows: names of the visible rows, their
// marks and bold, the page and the bar.
struct SpecialsPage {
    QStringList rows;
    int offset = 0;
    bool barShown = false;
    bool operator==(const SpecialsPage&) const = default;
};

SpecialsPage PageOf(const frmCfgSpcl& s) {
    SpecialsPage page;
    for (int r = 0; r < frmCfgSpcl::kRows; ++r) {
        if (s.txtSpclName[r]->isHidden()) continue;
        page.rows << QStringLiteral("%1 %2%3").arg(s.txtSpclName[r]->text().trimmed(),
                                                   s.chkSpclDist[r]->isChecked() ? "[x]" : "[ ]",
                                                   s.txtSpclName[r]->font().bold() ? " bold" : "");
    }
    page.offset = s.PageOffset();
    page.barShown = !s.VScroll1->isHidden();
    return page;
}

std::vector<std::string> Flags(const modMain& data) {
    std::vector<std::string> flags;
    for (int i = 1; i <= data.SpclCount; ++i)
        flags.push_back(std::string(data.SpclTbl[i].Name.trimmedRight()) + '=' +
                        std::string(data.SpclSel[i].Selected.view()));
    return flags;
}

QStringList Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items << QString::number(list->currentIndex());
}

QStringList ListedNames(const frmRateTable& listing) {
    QStringList names;
    for (int r = 0; r < listing.MSFlexGrid1->rowCount(); ++r)
        names << listing.MSFlexGrid1->item(r, frmRateTable::kNameColumn)->text().trimmed();
    return names;
}

} // namespace

class WindowsTogetherTest : public QObject {
    Q_OBJECT

private slots:
    void ctrlCShowsSpecialDistrictsModeless_data();
    void ctrlCShowsSpecialDistrictsModeless();
    void selectionReachesTheFiguresOnlyThroughACalculation_data();
    void selectionReachesTheFiguresOnlyThroughACalculation();
    void failedLoadChangesNothing_data();
    void failedLoadChangesNothing();
    void newFileReplacesRowsAndSelection();
    void listTableWithoutTableOpensNothing();
    void listingIsBuiltOncePerOpening();
    void minimizedWindowComesBackOnItsCommand_data();
    void minimizedWindowComesBackOnItsCommand();
    void aboutBoxHasFiveLines();
};

void WindowsTogetherTest::ctrlCShowsSpecialDistrictsModeless_data() {
    QTest::addColumn<bool>("withFile");
    QTest::addColumn<bool>("fromValueBox");
    QTest::newRow("sample county, window") << true << false;
    QTest::newRow("sample county, value box") << true << true;
    QTest::newRow("no file, window") << false << false;
    QTest::newRow("no file, value box") << false << true;
}

void WindowsTogetherTest::ctrlCShowsSpecialDistrictsModeless() {
    QFETCH(bool, withFile);
    QFETCH(bool, fromValueBox);
    ShellRig rig(withFile ? "maple_county.tab" : nullptr);
    QVERIFY(rig.startAndActivate());
    frmMain& w = rig.main();
    QCOMPARE(rig.data.LoadedCount > 0, withFile);
    QVERIFY(!rig.specials().isVisible());
    if (fromValueBox) {
        w.txtAprVal->setFocus();
        QTest::keyClicks(w.txtAprVal, QStringLiteral("2500"));
        QTest::keyClick(w.txtAprVal, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(w.txtAprVal->text(), QStringLiteral("2500"));
    } else {
        QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier);
    }
    frmCfgSpcl& s = rig.specials();
    QVERIFY(s.isVisible());
    QVERIFY(!s.isModal());
    QVERIFY(!QApplication::activeModalWidget());

    const SpecialsPage page = PageOf(s);
    if (withFile) {
        QCOMPARE(page.rows.size(), frmCfgSpcl::kRows);
        QCOMPARE(page.rows.first(), QStringLiteral("MAPLE DRAINAGE DISTRICT [x] bold"));
        QVERIFY(page.barShown);
    } else {
        QVERIFY2(page.rows.isEmpty(), qPrintable(page.rows.join(", ")));
        QVERIFY(!page.barShown);
        QCOMPARE(s.windowTitle(), QStringLiteral("Configure Special Districts"));
    }

    // The main window goes on working beside it.
    QVERIFY(ShellRig::activate(&w));
    if (withFile) {
        rig.estimateMaple(kValue);
        QCOMPARE(w.lblTotCountyTax->text(), kCountyTax);
    }
    QVERIFY(s.isVisible());
    // Finsh recalculates and hides, with or without a table.
    QTest::mouseClick(s.cmdFinish, Qt::LeftButton);
    QVERIFY(!s.isVisible());
    QCOMPARE(rig.platform.messages.size(), std::size_t(withFile ? 0 : 1)); // "not found" at start-up
}

void WindowsTogetherTest::selectionReachesTheFiguresOnlyThroughACalculation_data() {
    QTest::addColumn<bool>("byFinsh");
    QTest::newRow("Calculate while the window is open") << false;
    QTest::newRow("Finsh") << true;
}

void WindowsTogetherTest::selectionReachesTheFiguresOnlyThroughACalculation() {
    QFETCH(bool, byFinsh);
    ShellRig rig;
    QVERIFY(rig.startAndActivate());
    frmMain& w = rig.main();
    rig.estimateMaple(kValue);
    // Fire 123.456 + drainage 61.728; the total adds the unrounded 185.184.
    QCOMPARE(w.lblTotCountyTax->text(), kCountyTax);
    QCOMPARE(w.lblTotCityTax->text(), kCityTax);
    QCOMPARE(w.lblTotSchoolTax->text(), kSchoolTax);
    QCOMPARE(w.lblTotSpclTax->text(), QStringLiteral("$185.18"));
    QCOMPARE(w.lblTotTax->text(), QStringLiteral("$2,345.66"));

    rig.press(Qt::Key_C);
    const auto before = rig.figures();
    rig.toggle("MAPLE FIRE DISTRICT");
    rig.toggle("MAPLE LIBRARY DISTRICT");
    QCOMPARE(rig.selected("MAPLE FIRE DISTRICT"), std::string("N"));
    QCOMPARE(rig.selected("MAPLE LIBRARY DISTRICT"), std::string("Y"));
    QCOMPARE(rig.selected("MAPLE DRAINAGE DISTRICT"), std::string("Y"));
    QVERIFY(rig.figures() == before);

    if (byFinsh) {
        QTest::mouseClick(rig.specials().cmdFinish, Qt::LeftButton);
        QVERIFY(!rig.specials().isVisible());
    } else {
        QVERIFY(ShellRig::activate(&w));
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        QVERIFY(rig.specials().isVisible());
    }
    // Library 24.6912 + drainage 61.728 = 86.4192.
    QCOMPARE(w.lblTotSpclTax->text(), QStringLiteral("$86.42"));
    QCOMPARE(w.lblTotTax->text(), QStringLiteral("$2,246.90"));
    QCOMPARE(w.lblTotCountyTax->text(), kCountyTax);
    QCOMPARE(w.txtAprVal->text(), kValue);
    QCOMPARE(rig.data.SpclTotal.raw(), 864192);
}

void WindowsTogetherTest::failedLoadChangesNothing_data() {
    QTest::addColumn<QByteArray>("fileBytes");   // written as the chosen file; empty: none
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<QString>("messageTitle");    // empty: no message
    QTest::newRow("cancelled dialog") << QByteArray() << true << QString();
    QTest::newRow("wrong version")
        << QByteArray("TaxRates v3.53\tOld\tBirch\t\r\n101\tBIRCH COUNTY\tK\tN\t0.4\t\r\n") << false
        << QStringLiteral("Tax Rate File Version error");
    QTest::newRow("broken amount")
        << QByteArray("TaxRates v3.54\tBad\tBirch\t\r\n101\tBIRCH COUNTY\tK\tN\t0.4\t12abc\t\r\n"
                      "401\tBIRCH WATER DISTRICT\tS\tY\t0.03\t\r\n")
        << false << QStringLiteral("Tax rate file not loaded");
    QTest::newRow("empty file") << QByteArray("") << false << QStringLiteral("Tax rate file not loaded");
    QTest::newRow("missing file") << QByteArray() << false << QStringLiteral("Tax rate file not loaded");
}

// The user has an estimate on screen, a selection of their own and a page
// of the special-district window scrolled; a load that does not happen
// leaves all of it as it was.
void WindowsTogetherTest::failedLoadChangesNothing() {
    QFETCH(QByteArray, fileBytes);
    QFETCH(bool, cancelled);
    QFETCH(QString, messageTitle);
    ShellRig rig;
    QVERIFY(rig.startAndActivate());
    frmMain& w = rig.main();
    rig.estimateMaple(kValue);
    w.chkGHS->setChecked(true);
    w.tabTaxes->setCurrentIndex(1);
    rig.press(Qt::Key_C);
    rig.toggle("MAPLE LIBRARY DISTRICT");
    rig.specials().VScroll1->setValue(3);

    const auto figures = rig.figures();
    const auto flags = Flags(rig.data);
    const SpecialsPage page = PageOf(rig.specials());
    const QStringList lists = Items(w.comboCounties) + Items(w.comboCities) + Items(w.comboSchools);
    const QString caption = w.windowTitle();
    const QString specialsCaption = rig.specials().windowTitle();
    QCOMPARE(page.offset, 3);

    if (cancelled)
        rig.platform.openAnswers.push_back(std::nullopt);
    else if (!fileBytes.isNull())
        rig.platform.openAnswers.push_back(rig.write(QStringLiteral("chosen.tab"), fileBytes));
    else
        rig.platform.openAnswers.push_back(rig.path(QStringLiteral("no such file.tab")));
    rig.press(Qt::Key_O);

    QCOMPARE(rig.platform.openRequests.size(), std::size_t(1));
    if (messageTitle.isEmpty()) {
        QVERIFY(rig.platform.messages.empty());
    } else {
        QCOMPARE(rig.platform.messages.size(), std::size_t(1));
        QCOMPARE(rig.platform.messages[0].title, messageTitle);
    }
    QVERIFY(rig.figures() == figures);
    QVERIFY(Flags(rig.data) == flags);
    QVERIFY(PageOf(rig.specials()) == page);
    QCOMPARE(Items(w.comboCounties) + Items(w.comboCities) + Items(w.comboSchools), lists);
    QCOMPARE(w.windowTitle(), caption);
    QCOMPARE(rig.specials().windowTitle(), specialsCaption);
    QCOMPARE(w.txtAprVal->text(), kValue);
    QVERIFY(w.chkGHS->isChecked());
    QCOMPARE(w.tabTaxes->currentIndex(), 1);
    QVERIFY(rig.specials().isVisible());

    // The next estimate still uses the user's selection.
    w.chkGHS->setChecked(false);
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    QCOMPARE(w.lblTotSpclTax->text(), QStringLiteral("$209.88"));
}

void WindowsTogetherTest::newFileReplacesRowsAndSelection() {
    ShellRig rig;
    QVERIFY(rig.startAndActivate());
    frmMain& w = rig.main();
    rig.estimateMaple(kValue);
    rig.press(Qt::Key_C);
    rig.toggle("MAPLE FIRE DISTRICT");
    rig.specials().VScroll1->setValue(3);

    rig.platform.openAnswers.push_back(TestDataFile("birch_county.tab"));
    rig.press(Qt::Key_O);
    QVERIFY(rig.platform.messages.empty());
    QCOMPARE(rig.data.CountyName, std::string("Birch"));

    // Only Birch's three districts, on one page, with the file's defaults.
    const SpecialsPage page = PageOf(rig.specials());
    QCOMPARE(page.rows, (QStringList{QStringLiteral("BIRCH HOSPITAL DISTRICT [ ]"),
                                     QStringLiteral("BIRCH ROAD DISTRICT [ ]"),
                                     QStringLiteral("BIRCH WATER DISTRICT [x] bold")}));
    QCOMPARE(page.offset, 1);
    QVERIFY(!page.barShown);
    QCOMPARE(Flags(rig.data), (std::vector<std::string>{"BIRCH HOSPITAL DISTRICT=N",
                                                         "BIRCH ROAD DISTRICT=N",
                                                         "BIRCH WATER DISTRICT=Y"}));
    QCOMPARE(rig.specials().windowTitle(), QStringLiteral("Configure Special Districts for Birch County"));
    QVERIFY(w.txtAprVal->text().isEmpty());
    QCOMPARE(w.lblTotTax->text(), QStringLiteral("$0.00"));

    // The new county's estimate: base 1000, county 0.4, city 0.3, school 1.2, water 0.03.
    w.txtAprVal->setText(QStringLiteral("100000"));
    ShellRig::choose(w.comboCounties, "101");
    ShellRig::choose(w.comboCities, "201");
    ShellRig::choose(w.comboSchools, "901");
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    QCOMPARE(w.lblTotSpclTax->text(), QStringLiteral("$30.00"));
    QCOMPARE(w.lblTotTax->text(), QStringLiteral("$1,930.00"));
}

void WindowsTogetherTest::listTableWithoutTableOpensNothing() {
    ShellRig rig(nullptr);
    QVERIFY(rig.startAndActivate());
    rig.platform.messages.clear(); // the start-up's "not found"
    rig.press(Qt::Key_L);
    QCOMPARE(rig.platform.messages.size(), std::size_t(1));
    QCOMPARE(rig.platform.messages[0].title, QStringLiteral("List tax rate table"));
    QCOMPARE(rig.platform.messages[0].text, QStringLiteral("No tax rate table loaded"));
    QCOMPARE(rig.platform.messages[0].buttons, MsgButtons::Ok);
    QVERIFY(!rig.app.rateTable());
    QCOMPARE(VisibleWindows().size(), 1);
}

void WindowsTogetherTest::listingIsBuiltOncePerOpening() {
    ShellRig rig;
    QVERIFY(rig.startAndActivate());
    rig.press(Qt::Key_L);
    QPointer<frmRateTable> listing = rig.app.rateTable();
    QVERIFY(listing);
    QVERIFY(listing->isVisible());
    QVERIFY(!listing->parent());
    QVERIFY(ListedNames(*listing).contains(QStringLiteral("MAPLE COUNTY")));
    QVERIFY(rig.platform.messages.empty());

    // Sorted by rate, then asked for again: the same window, as it was.
    QTest::mouseClick(listing->MSFlexGrid1->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(listing->MSFlexGrid1->columnViewportPosition(frmRateTable::kRateColumn) + 5, 5));
    const QStringList sorted = ListedNames(*listing);
    QCOMPARE(sorted.first(), QStringLiteral("ELM ISD")); // the highest rate
    rig.press(Qt::Key_L);
    QCOMPARE(rig.app.rateTable(), listing.data());
    QCOMPARE(ListedNames(*listing), sorted);
    QCOMPARE(VisibleWindows().size(), 2);

    // A new file does not reach the open listing...
    rig.platform.openAnswers.push_back(TestDataFile("birch_county.tab"));
    rig.press(Qt::Key_O);
    QCOMPARE(rig.data.CountyName, std::string("Birch"));
    QCOMPARE(ListedNames(*listing), sorted);

    // ...only the one built when it is opened again after Done.
    QTest::mouseClick(listing->cmdDone, Qt::LeftButton);
    ShellRig::discardClosedWindows();
    QVERIFY(!listing);
    QVERIFY(!rig.app.rateTable());
    rig.press(Qt::Key_L);
    QVERIFY(rig.app.rateTable());
    const QStringList names = ListedNames(*rig.app.rateTable());
    QVERIFY(names.contains(QStringLiteral("BIRCH COUNTY")));
    QVERIFY(!names.contains(QStringLiteral("MAPLE COUNTY")));
    QCOMPARE(rig.app.rateTable()->windowTitle(), QStringLiteral("Jurisdictions and Tax Rates for Birch County"));
}

void WindowsTogetherTest::minimizedWindowComesBackOnItsCommand_data() {
    QTest::addColumn<int>("command");
    QTest::newRow("special districts, Ctrl+C") << int(Qt::Key_C);
    QTest::newRow("listing, Ctrl+L") << int(Qt::Key_L);
}

void WindowsTogetherTest::minimizedWindowComesBackOnItsCommand() {
    QFETCH(int, command);
    ShellRig rig;
    QVERIFY(rig.startAndActivate());
    rig.press(Qt::Key(command));
    QWidget* window = command == Qt::Key_C ? static_cast<QWidget*>(&rig.specials()) : rig.app.rateTable();
    QVERIFY(window && window->isVisible());
    window->showMinimized();
    QVERIFY(window->isMinimized());
    rig.press(Qt::Key(command));
    QCOMPARE(command == Qt::Key_C ? static_cast<QWidget*>(&rig.specials()) : rig.app.rateTable(), window);
    QVERIFY(window->isVisible());
    QVERIFY(!window->isMinimized());
}

void WindowsTogetherTest::aboutBoxHasFiveLines() {
    ShellRig rig;
    QVERIFY(rig.startAndActivate());
    rig.press(Qt::Key_A);
    QCOMPARE(rig.platform.messages.size(), std::size_t(1));
    const auto& box = rig.platform.messages[0];
    QCOMPARE(box.title, QStringLiteral("About Levywise"));
    QCOMPARE(box.buttons, MsgButtons::Ok);
    const QStringList lines = box.text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines[0], QStringLiteral("Levywise v3.54b"));
    QVERIFY(!lines.contains(QString()));
}

QTEST_MAIN(WindowsTogetherTest)
#include "test_windows_together.moc"
