// The rate table listing: one row per unit of the file, sorted by name or
// rate from the column headers.
#include <QAccessible>
#include <QHeaderView>

#include "common/rig.h"

using namespace levywise;
using namespace levywise::test;

namespace {

QTableWidget* Grid(const QWidget& w) {
    return Ctl<QTableWidget>(&w, QStringLiteral("MSFlexGrid1"));
}

// The cells of a column, top to bottom.
QString Column(const QWidget& w, int column) {
    QStringList cells;
    for (int r = 0; r < Grid(w)->rowCount(); ++r)
        cells << Grid(w)->item(r, column)->text().trimmed();
    return cells.join('|');
}

// Rates that sort differently as text and as numbers, two of them equal; a
// unit with the code of the "no county" entry, which the listing leaves out
// like that entry.
const QByteArray kUnits =
    RateFile({"201\tCEDAR\tC\tN\t2.1\t\t\t\t0.2\t3000", "202\tASH\tC\tN\t10.25",
              "203\tBIRCH\tC\tN\t0.5873", "100\tZEBRA COUNTY\tK\tN\t0.3",
              "901\tDOGWOOD ISD\tI\tN\t0.0412\t\t\t\t3000\t\t40000", "204\tELM\tC\tN\t0.5873"});

} // namespace

class ListingTest : public QObject {
    Q_OBJECT

private slots:
    // The first click on "Tax Rate" (or Alt+R) puts the highest rate on top,
    // the first on "Jurisdiction Name" (or Alt+N) sorts A to Z; each further
    // one reverses. Rows move whole; other headers and the cells never sort.
    // Tab leaves the grid. The window and the grid are named for screen readers.
    void headersSort() {
        modMain data;
        Install(data, kUnits);
        FakePlatform platform;
        frmRateTable w(data, platform);
        QCOMPARE(Column(w, 0), "ASH|BIRCH|CEDAR|DOGWOOD ISD|ELM"); // one row per unit
        QCOMPARE(QAccessible::queryAccessibleInterface(&w)->text(QAccessible::Name),
                 QStringLiteral("Jurisdictions and Tax Rates for Testcounty County"));
        QCOMPARE(QAccessible::queryAccessibleInterface(Grid(w))->text(QAccessible::Description),
                 QStringLiteral("Alt+N sorts by name, Alt+R by tax rate."));
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QHeaderView* header = Grid(w)->horizontalHeader();
        for (const int column : {1, 2, 3, 4})
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              {header->sectionViewportPosition(column) + 5, header->height() / 2});
        QTest::mouseClick(Grid(w)->viewport(), Qt::LeftButton, {},
                          Grid(w)->visualItemRect(Grid(w)->item(1, 0)).center());
        QCOMPARE(Column(w, 0), "ASH|CEDAR|BIRCH|ELM|DOGWOOD ISD");
        QTest::keyClick(Grid(w), Qt::Key_R, Qt::AltModifier);
        QCOMPARE(Column(w, 0), "DOGWOOD ISD|BIRCH|ELM|CEDAR|ASH");
        QTest::keyClick(Grid(w), Qt::Key_N, Qt::AltModifier);
        QCOMPARE(Column(w, 0), "ASH|BIRCH|CEDAR|DOGWOOD ISD|ELM");
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, {5, header->height() / 2});
        QCOMPARE(Column(w, 0), "ELM|DOGWOOD ISD|CEDAR|BIRCH|ASH");
        QCOMPARE(Column(w, 2), "|$3,000|20.%||");
        QTest::keyClick(Grid(w), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdDone"));
    }
};

QTEST_MAIN(ListingTest)
#include "test_listing.moc"
