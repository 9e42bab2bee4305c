#include <QHeaderView>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <map>
#include <string>
#include <vector>

#include "../core/rate_text.h"
#include "platform/twips.h"
#include "fake_platform.h"
#include "listing/frmRateTable.h"
#include "ratedata/mod_main.h"

using namespace levywise;
using levywise::test::FakePlatform;

namespace {

// One rate file line: code, name, type, rate and the three optional exemptions.
std::string Unit(const std::string& code, const std::string& name, const std::string& rate,
                 const std::string& optHS = "", const std::string& optO65 = "",
                 const std::string& optDP = "") {
    return code + "\t" + name + "\tC\tN\t" + rate + "\t\t\t\t" + optHS + "\t" + optO65 + "\t" +
           optDP + "\t\t\t\t\t\t\t\t\t\t";
}

// Ten units whose rates sort differently as text than as numbers.
std::vector<std::string> TenUnits() {
    return {Unit("201", "CITY OF ASH", "0.5873"),   Unit("202", "CITY OF BIRCH", "10.25"),
            Unit("203", "CITY OF CEDAR", "2.1"),    Unit("204", "CITY OF DOGWOOD", "0.0412"),
            Unit("205", "CITY OF ELM", "1.75"),     Unit("206", "CITY OF FIR", "0.9"),
            Unit("207", "CITY OF GUM", "0.33"),     Unit("208", "CITY OF HAZEL", "3.005"),
            Unit("209", "CITY OF IRONWOOD", "0.7"), Unit("210", "CITY OF JUNIPER", "0.12")};
}

QString Cell(const frmRateTable& w, int row, int column) {
    const QTableWidgetItem* item = w.MSFlexGrid1->item(row, column);
    return item ? item->text() : QStringLiteral("<none>");
}

QStringList Column(const frmRateTable& w, int column) {
    QStringList out;
    for (int r = 0; r < w.MSFlexGrid1->rowCount(); ++r) out << Cell(w, r, column);
    return out;
}

void ClickHeader(frmRateTable& w, int column) {
    QHeaderView* header = w.MSFlexGrid1->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

void ClickCell(frmRateTable& w, int row, int column) {
    const QRect r = w.MSFlexGrid1->visualItemRect(w.MSFlexGrid1->item(row, column));
    QTest::mouseClick(w.MSFlexGrid1->viewport(), Qt::LeftButton, {}, r.center());
}

QStringList Sorted(QStringList list, bool numeric, bool ascending) {
    std::stable_sort(list.begin(), list.end(), [&](const QString& a, const QString& b) {
        const bool less = numeric ? a.toDouble() < b.toDouble() : a < b;
        const bool greater = numeric ? b.toDouble() < a.toDouble() : b < a;
        return ascending ? less : greater;
    });
    return list;
}

} // namespace

class TestRateTable : public QObject {
    Q_OBJECT

private slots:
    void listsOneRowPerFileUnit();
    void cellTexts_data();
    void cellTexts();
    void captionNamesTheCounty_data();
    void captionNamesTheCounty();
    void codeHundredUnitLeavesNoEmptyRow();
    void countsBeyondTheTableListOnlyWhatItHolds_data();
    void countsBeyondTheTableListOnlyWhatItHolds();
    void headerClicksSortByNameAndRate();
    void otherClicksNeverSort_data();
    void otherClicksNeverSort();
    void buildResetsTheSortFlags();
    void layoutAndColours();
    void doneDiscardsTheWindow();
    void printSendsTheWindowImage();
};

void TestRateTable::listsOneRowPerFileUnit() {
    modMain data = test::Loaded(TenUnits());
    QCOMPARE(data.LoadedCount, 13);
    FakePlatform platform;
    frmRateTable w(data, platform);
    QCOMPARE(w.MSFlexGrid1->rowCount(), 10);
    QCOMPARE(w.findChild<QTableWidget*>("MSFlexGrid1"), w.MSFlexGrid1);
    QCOMPARE(w.MSFlexGrid1->columnCount(), 5);
    const QStringList headers = {"Jurisdiction Name", "Tax Rate", "Opt HS", "Opt O65", "Opt DP"};
    for (int c = 0; c < 5; ++c) QCOMPARE(w.MSFlexGrid1->horizontalHeaderItem(c)->text(), headers[c]);
    // Table order, every name in full 30 characters.
    QCOMPARE(Cell(w, 0, 0), QString("CITY OF ASH").leftJustified(30));
    QCOMPARE(Cell(w, 9, 0), QString("CITY OF JUNIPER").leftJustified(30));
    for (int r = 0; r < 10; ++r) QVERIFY(!Cell(w, r, 0).trimmed().isEmpty());
}

void TestRateTable::cellTexts_data() {
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("optHS");
    QTest::addColumn<QString>("optO65");
    QTest::addColumn<QString>("optDP");
    QTest::addColumn<QStringList>("expected"); // rate, Opt HS, Opt O65, Opt DP

    QTest::newRow("fraction homestead") << "0.2647" << "0.2" << "" << ""
                                        << QStringList{"0.2647000", "20.%", "", ""};
    QTest::newRow("percent written") << "0.5" << "1.5%" << "20%" << "" << QStringList{"0.5000000", "1.5%", "", ""};
    QTest::newRow("whole value is a percent") << "1" << "1" << "" << ""
                                              << QStringList{"1.0000000", "100.%", "", ""};
    QTest::newRow("amount homestead") << "0" << "3000" << "3000" << "40000"
                                      << QStringList{"0.0000000", "$3,000", "3,000", "40,000"};
    QTest::newRow("zero everywhere") << "0.4127" << "0" << "0" << "0"
                                     << QStringList{"0.4127000", "", "", ""};
    QTest::newRow("fractions never percent beside homestead") << "2.25" << "" << "0.1" << "0.4"
                                                              << QStringList{"2.2500000", "", "", ""};
    QTest::newRow("rounded amounts") << "0.00000005" << "1500.5" << "2499.5" << "1234567"
                                     << QStringList{"0.0000001", "$1,501", "2,500", "1,234,567"};
}

void TestRateTable::cellTexts() {
    QFETCH(QString, rate);
    QFETCH(QString, optHS);
    QFETCH(QString, optO65);
    QFETCH(QString, optDP);
    QFETCH(QStringList, expected);
    modMain data = test::Loaded({Unit("301", "SCHOOL", rate.toStdString(), optHS.toStdString(),
                                      optO65.toStdString(), optDP.toStdString())});
    FakePlatform platform;
    frmRateTable w(data, platform);
    QCOMPARE(w.MSFlexGrid1->rowCount(), 1);
    for (int c = 1; c < 5; ++c) QCOMPARE(Cell(w, 0, c), expected[c - 1]);
}

void TestRateTable::captionNamesTheCounty_data() {
    QTest::addColumn<QByteArray>("header"); // single-byte text, as in the file
    QTest::addColumn<QString>("caption");
    QTest::newRow("named") << QByteArray("TaxRates v3.54\tCertified\tCorvell\t")
                           << "Jurisdictions and Tax Rates for Corvell County";
    QTest::newRow("empty name") << QByteArray("TaxRates v3.54\tCertified\t\t") << "Jurisdictions and Tax Rates";
    QTest::newRow("no name column") << QByteArray("TaxRates v3.54\tCertified") << "Jurisdictions and Tax Rates";
    QTest::newRow("single-byte name") << QByteArray("TaxRates v3.54\tCertified\tCa\xF1on\t")
                                      << QString::fromUtf8("Jurisdictions and Tax Rates for Cañon County");
}

void TestRateTable::captionNamesTheCounty() {
    QFETCH(QByteArray, header);
    QFETCH(QString, caption);
    modMain data;
    const RateFileRead read =
        ParseRateFile(test::RateText({Unit("201", "CITY", "1")}, header.toStdString()), "t.tab");
    QCOMPARE(read.status, RateFileStatus::Loaded);
    InstallRateTable(data, read.contents);
    FakePlatform platform;
    frmRateTable w(data, platform);
    QCOMPARE(w.windowTitle(), caption);
}

void TestRateTable::codeHundredUnitLeavesNoEmptyRow() {
    modMain data = test::Loaded({Unit("100", "ZEBRA COUNTY", "0.3"), Unit("201", "ALPHA", "0.5"),
                                 Unit("202", "MIDDLE", "0.6")});
    FakePlatform platform;
    frmRateTable w(data, platform);
    QCOMPARE(w.MSFlexGrid1->rowCount(), 2);
    QCOMPARE(Column(w, 0), (QStringList{QString("ALPHA").leftJustified(30),
                                        QString("MIDDLE").leftJustified(30)}));
    // Sorting never brings an empty row to the top either.
    ClickHeader(w, frmRateTable::kRateColumn);
    QCOMPARE(Column(w, 1), (QStringList{"0.6000000", "0.5000000"}));
}

void TestRateTable::countsBeyondTheTableListOnlyWhatItHolds_data() {
    QTest::addColumn<int>("count");      // LoadedCount and RateCount alike
    QTest::addColumn<bool>("emptied");   // the table's slots all fresh
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("named");      // rows with a name
    QTest::newRow("load ended early, table emptied") << 13 << true << 13 << 0;
    QTest::newRow("count past the last slot") << 100000 << false << 497 << 10;
    QTest::newRow("negative count") << -5 << false << 0 << 0;
}

void TestRateTable::countsBeyondTheTableListOnlyWhatItHolds() {
    QFETCH(int, count);
    QFETCH(bool, emptied);
    QFETCH(int, rows);
    QFETCH(int, named);
    modMain data = test::Loaded(TenUnits());
    if (emptied) std::fill(data.RateTbl.begin(), data.RateTbl.end(), Jurisdiction{});
    data.LoadedCount = count;
    data.RateCount = count;
    FakePlatform platform;
    frmRateTable w(data, platform);
    QCOMPARE(w.MSFlexGrid1->rowCount(), rows);
    int withName = 0;
    for (int r = 0; r < w.MSFlexGrid1->rowCount(); ++r) {
        if (!Cell(w, r, 0).trimmed().isEmpty()) ++withName;
        QCOMPARE(Cell(w, r, 1).isEmpty(), false); // every row is whole, none left empty
    }
    QCOMPARE(withName, named);
}

void TestRateTable::headerClicksSortByNameAndRate() {
    modMain data = test::Loaded(TenUnits());
    FakePlatform platform;
    frmRateTable w(data, platform);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    std::map<QString, QStringList> rowOf;
    for (int r = 0; r < 10; ++r)
        rowOf[Cell(w, r, 0)] = {Cell(w, r, 1), Cell(w, r, 2), Cell(w, r, 3), Cell(w, r, 4)};
    const QStringList names = Column(w, 0);
    const QStringList rates = Column(w, 1);

    struct Step {
        int column;
        bool numeric, ascending;
    };
    const std::vector<Step> steps = {{frmRateTable::kRateColumn, true, false},
                                     {frmRateTable::kRateColumn, true, true},
                                     {frmRateTable::kNameColumn, false, true},
                                     {frmRateTable::kNameColumn, false, false},
                                     {frmRateTable::kRateColumn, true, false}};
    for (const Step& step : steps) {
        ClickHeader(w, step.column);
        const QStringList source = step.column == frmRateTable::kNameColumn ? names : rates;
        QCOMPARE(Column(w, step.column), Sorted(source, step.numeric, step.ascending));
        for (int r = 0; r < 10; ++r) // rows moved whole
            QCOMPARE((QStringList{Cell(w, r, 1), Cell(w, r, 2), Cell(w, r, 3), Cell(w, r, 4)}),
                     rowOf[Cell(w, r, 0)]);
        for (int r = 0; r < 10; ++r) {
            QCOMPARE(w.MSFlexGrid1->item(r, 0)->background().color(), kPaleYellow);
            QCOMPARE(w.MSFlexGrid1->item(r, 1)->background().color(), QColor(Qt::white));
        }
    }
    QCOMPARE(Cell(w, 0, 1), QString("10.2500000")); // highest rate on top after the last click
}

void TestRateTable::otherClicksNeverSort_data() {
    QTest::addColumn<int>("row"); // -1: the header
    QTest::addColumn<int>("column");
    QTest::newRow("Opt HS header") << -1 << int(frmRateTable::kOptHSColumn);
    QTest::newRow("Opt O65 header") << -1 << int(frmRateTable::kOptO65Column);
    QTest::newRow("Opt DP header") << -1 << int(frmRateTable::kOptDPColumn);
    QTest::newRow("name cell") << 0 << int(frmRateTable::kNameColumn);
    QTest::newRow("rate cell") << 3 << int(frmRateTable::kRateColumn);
    QTest::newRow("last row") << 9 << int(frmRateTable::kOptDPColumn);
}

void TestRateTable::otherClicksNeverSort() {
    QFETCH(int, row);
    QFETCH(int, column);
    modMain data = test::Loaded({Unit("201", "A", "0.5", "0.2"), Unit("202", "C", "0.9", "3000"),
                                 Unit("203", "B", "0.1", "0.05", "5000"), Unit("204", "E", "2"),
                                 Unit("205", "D", "1", "", "", "7000"), Unit("206", "G", "0.2"),
                                 Unit("207", "F", "0.4"), Unit("208", "H", "0.3"),
                                 Unit("209", "J", "0.8"), Unit("210", "I", "0.6")});
    FakePlatform platform;
    frmRateTable w(data, platform);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ClickHeader(w, frmRateTable::kRateColumn); // an order unlike every other column's
    const QStringList before[] = {Column(w, 0), Column(w, 1), Column(w, 2), Column(w, 3), Column(w, 4)};
    if (row < 0)
        ClickHeader(w, column);
    else
        ClickCell(w, row, column);
    for (int c = 0; c < 5; ++c) QCOMPARE(Column(w, c), before[c]);
    QCOMPARE(data.NameSortedAsc, false);
    QCOMPARE(data.RateSortedAsc, false);
    // The rate header still answers with the next order after the ignored click.
    ClickHeader(w, frmRateTable::kRateColumn);
    QCOMPARE(Cell(w, 0, 1), QString("0.1000000"));
}

void TestRateTable::buildResetsTheSortFlags() {
    modMain data = test::Loaded(TenUnits());
    data.NameSortedAsc = true;
    data.RateSortedAsc = false;
    FakePlatform platform;
    frmRateTable w(data, platform);
    QCOMPARE(data.NameSortedAsc, false);
    QCOMPARE(data.RateSortedAsc, true);
}

void TestRateTable::layoutAndColours() {
    modMain data = test::Loaded(TenUnits());
    FakePlatform platform;
    frmRateTable w(data, platform);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.size(), TwipsRect(0, 0, 6210, 6690, &w).size());
    const int widths[] = {2480, 1000, 700, 700, 700};
    for (int c = 0; c < 5; ++c) QCOMPARE(w.MSFlexGrid1->columnWidth(c), TwipsToPixels(widths[c], &w));
    QVERIFY(!(w.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));

    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    QCOMPARE(Qt::Alignment(w.MSFlexGrid1->item(0, 1)->textAlignment()), left);
    for (int c = 2; c < 5; ++c)
        QCOMPARE(Qt::Alignment(w.MSFlexGrid1->item(0, c)->textAlignment()), right);

    // The header row is light orange on screen, the name cells pale yellow.
    const QImage image = w.grab().toImage();
    QHeaderView* header = w.MSFlexGrid1->horizontalHeader();
    const QPoint headerPoint = header->mapTo(&w, QPoint(header->sectionViewportPosition(1) + 3, 3));
    QCOMPARE(image.pixelColor(headerPoint), QColor(255, 192, 128));
    const QRect nameRect = w.MSFlexGrid1->visualItemRect(w.MSFlexGrid1->item(5, 0));
    const QPoint namePoint = w.MSFlexGrid1->viewport()->mapTo(&w, nameRect.bottomRight() - QPoint(3, 3));
    QCOMPARE(image.pixelColor(namePoint), kPaleYellow);
    QCOMPARE(image.pixelColor(QPoint(2, 2)), kPaleYellow);
}

void TestRateTable::doneDiscardsTheWindow() {
    modMain data = test::Loaded(TenUnits());
    FakePlatform platform;
    QPointer<frmRateTable> w = new frmRateTable(data, platform);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QTest::mouseClick(w->findChild<QPushButton*>("cmdDone"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(w.isNull(), 2000);
    // A fresh window builds afresh, from the table as it is now.
    data.CountyName.clear();
    data.RateSortedAsc = false;
    frmRateTable again(data, platform);
    QCOMPARE(again.windowTitle(), QString("Jurisdictions and Tax Rates"));
    QCOMPARE(data.RateSortedAsc, true);
}

void TestRateTable::printSendsTheWindowImage() {
    modMain data = test::Loaded(TenUnits());
    FakePlatform platform;
    frmRateTable w(data, platform);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(w.findChild<QPushButton*>("cmdPrint"), Qt::LeftButton);
    QCOMPARE(platform.printed.size(), std::size_t{1});
    QCOMPARE(platform.printed[0].size(), w.grab().size());
    QVERIFY(platform.messages.empty());

    platform.printerPresent = false;
    platform.messageAnswers = {MsgResult::Ok};
    platform.saveAnswers = {QStringLiteral("/tmp/listing.pdf")};
    QTest::mouseClick(w.findChild<QPushButton*>("cmdPrint"), Qt::LeftButton);
    QCOMPARE(platform.pdfs, std::vector<QString>{QStringLiteral("/tmp/listing.pdf")});
    QCOMPARE(platform.messages.size(), std::size_t{1});
    QVERIFY(w.isVisible());
}

QTEST_MAIN(TestRateTable)
#include "test_frmRateTable.moc"
