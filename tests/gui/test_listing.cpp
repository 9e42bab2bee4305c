// The rate table listing: one row per unit of the file, sorted by name or
// rate from the column headers, discarded by "Done".
#include <QAccessible>
#include <QHeaderView>

#include "common/rig.h"

using namespace levywise;
using namespace levywise::test;

namespace {

QTableWidget* Grid(const QWidget& w) {
    return Ctl<QTableWidget>(&w, QStringLiteral("MSFlexGrid1"));
}

QStringList Column(const QWidget& w, int column) {
    QStringList cells;
    for (int r = 0; r < Grid(w)->rowCount(); ++r)
        cells << (Grid(w)->item(r, column) ? Grid(w)->item(r, column)->text().trimmed()
                                           : QStringLiteral("-"));
    return cells;
}

void ClickHeader(const QWidget& w, int column) {
    QHeaderView* header = Grid(w)->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

// Rates that sort differently as text and as numbers; a unit with the code
// of the "no county" entry, which the listing leaves out like that entry.
const QByteArray kUnits = RateFile(
    {"201\tCEDAR\tC\tN\t2.1\t\t\t\t0.2\t3000", "202\tASH\tC\tN\t10.25", "203\tBIRCH\tC\tN\t0.5873",
     "100\tZEBRA COUNTY\tK\tN\t0.3", "901\tDOGWOOD ISD\tI\tN\t0.0412\t\t\t\t3000\t\t40000"});

} // namespace

class ListingTest : public QObject {
    Q_OBJECT

private slots:
    void listsTheFileUnits() {
        modMain data;
        Install(data, kUnits);
        FakePlatform platform;
        frmRateTable w(data, platform);
        QCOMPARE(Column(w, 0), (QStringList{"ASH", "BIRCH", "CEDAR", "DOGWOOD ISD"}));
        QCOMPARE(Grid(w)->item(0, 0)->text(), QStringLiteral("ASH").leftJustified(30));
        QStringList headers;
        for (int c = 0; c < Grid(w)->columnCount(); ++c)
            headers << Grid(w)->horizontalHeaderItem(c)->text();
        QCOMPARE(headers,
                 (QStringList{"Jurisdiction Name", "Tax Rate", "Opt HS", "Opt O65", "Opt DP"}));
        QCOMPARE(Column(w, 1)[2] + Column(w, 2)[2] + Column(w, 3)[2],
                 QStringLiteral("2.100000020.%3,000"));
        QCOMPARE(Column(w, 2)[3] + Column(w, 3)[3] + Column(w, 4)[3],
                 QStringLiteral("$3,00040,000"));
        QCOMPARE(Grid(w)->item(0, 1)->textAlignment(), int(Qt::AlignLeft | Qt::AlignVCenter));
        QCOMPARE(Grid(w)->item(0, 4)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
        QCOMPARE(Grid(w)->item(0, 0)->background().color(), QColor(255, 255, 192));
        QCOMPARE(w.windowTitle(),
                 QStringLiteral("Jurisdictions and Tax Rates for Testcounty County"));

        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&w);
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), w.windowTitle());
        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(Grid(w));
        QCOMPARE(
            grid->text(QAccessible::Name) + ": " + grid->text(QAccessible::Description),
            QStringLiteral("Jurisdictions and tax rates: Alt+N sorts by name, Alt+R by tax rate."));

        data.CountyName.clear();
        frmRateTable unnamed(data, platform);
        QCOMPARE(unnamed.windowTitle(), QStringLiteral("Jurisdictions and Tax Rates"));
    }

    // The first click on "Tax Rate" (or Alt+R) puts the highest rate on top,
    // the first on "Jurisdiction Name" (or Alt+N) sorts A to Z; each further
    // one reverses. Rows move whole; other headers and the cells never sort.
    // Tab leaves the grid.
    void headersSort() {
        modMain data;
        Install(data, kUnits);
        data.NameSortedAsc = true;
        FakePlatform platform;
        frmRateTable w(data, platform);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const auto rows = [&] {
            QStringList r;
            for (int i = 0; i < Grid(w)->rowCount(); ++i)
                r << Column(w, 0)[i] + ' ' + Column(w, 1)[i];
            return r.join(QStringLiteral(", "));
        };
        const QString byRateDown =
            "ASH 10.2500000, CEDAR 2.1000000, BIRCH 0.5873000, DOGWOOD ISD 0.0412000";
        ClickHeader(w, frmRateTable::kRateColumn);
        QCOMPARE(rows(), byRateDown);
        for (int column : {2, 3, 4}) ClickHeader(w, column);
        QTest::mouseClick(Grid(w)->viewport(), Qt::LeftButton, {},
                          Grid(w)->visualItemRect(Grid(w)->item(1, 0)).center());
        QCOMPARE(rows(), byRateDown);
        QTest::keyClick(Grid(w), Qt::Key_R, Qt::AltModifier);
        QCOMPARE(rows(), "DOGWOOD ISD 0.0412000, BIRCH 0.5873000, CEDAR 2.1000000, ASH 10.2500000");
        QTest::keyClick(Grid(w), Qt::Key_N, Qt::AltModifier);
        QCOMPARE(rows(), "ASH 10.2500000, BIRCH 0.5873000, CEDAR 2.1000000, DOGWOOD ISD 0.0412000");
        ClickHeader(w, frmRateTable::kNameColumn);
        QCOMPARE(rows(), "DOGWOOD ISD 0.0412000, CEDAR 2.1000000, BIRCH 0.5873000, ASH 10.2500000");
        QCOMPARE(Column(w, 2), (QStringList{"$3,000", "20.%", "", ""}));
        QVERIFY(Grid(w)->horizontalHeaderItem(1)->toolTip().contains(QStringLiteral("Alt+R")));
        QTest::keyClick(Grid(w), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdDone"));
    }
};

QTEST_MAIN(ListingTest)
#include "test_listing.moc"
