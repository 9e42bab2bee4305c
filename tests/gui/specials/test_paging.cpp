// Which districts the window's 14 rows show, and the scroll bar that pages them.
#include <climits>

#include "specials_harness.h"

using levywise::Jurisdiction;
using levywise::SpclFlags;
using levywise::test::SpecialsHarness;
using levywise::test::SpecialsFile;

class Paging : public QObject {
    Q_OBJECT
private slots:
    void pages_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("barShown");
        QTest::addColumn<int>("barMax");
        QTest::newRow("none") << 0 << 1 << false << 1;
        QTest::newRow("5 fill rows 0..4") << 5 << 1 << false << 1;
        QTest::newRow("14 on one page") << 14 << 1 << false << 1;
        QTest::newRow("15, first page") << 15 << 1 << true << 2;
        QTest::newRow("15, last page ends with 15") << 15 << 2 << true << 2;
        QTest::newRow("40, middle page") << 40 << 10 << true << 27;
        QTest::newRow("40, last page 27..40") << 40 << 27 << true << 27;
    }
    void pages() {
        QFETCH(int, count);
        QFETCH(int, page);
        QFETCH(bool, barShown);
        QFETCH(int, barMax);
        SpecialsHarness h;
        QVERIFY(h.load(SpecialsFile(count)));
        h.window.VScroll1->setValue(page);

        QCOMPARE(h.window.VScroll1->isVisibleTo(&h.window), barShown);
        QCOMPARE(h.window.VScroll1->minimum(), 1);
        QCOMPARE(h.window.VScroll1->maximum(), barMax);
        QCOMPARE(h.window.PageOffset(), page);
        for (int r = 0; r < levywise::frmCfgSpcl::kRows; ++r) {
            if (page + r <= count)
                h.expectRow(r, page + r);
            else
                h.expectBlankRow(r);
        }
    }

    // Any offset keeps to the table and leaves row r showing district
    // PageOffset() + r, the district its check box writes.
    void wildOffsets_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("shownFrom");
        for (int count : {0, 5, 40}) {
            const int last = count > 14 ? count - 13 : 1;
            for (int offset : {INT_MIN, -3, 0, 1, 1000, INT_MAX})
                QTest::addRow("%d districts, offset %d", count, offset)
                    << count << offset << std::clamp(offset, 1, last);
        }
    }
    void wildOffsets() {
        QFETCH(int, count);
        QFETCH(int, offset);
        QFETCH(int, shownFrom);
        SpecialsHarness h;
        QVERIFY(h.load(SpecialsFile(count)));
        h.window.ShowSpecialDistricts(offset);
        QCOMPARE(h.window.PageOffset(), shownFrom);
        if (count > 0) h.expectRow(0, shownFrom);

        const int k = shownFrom + std::min(count, 14) - 1; // the last row in use
        if (count == 0) return;
        const bool before = h.selected(k);
        QTest::mouseClick(h.box(std::min(count, 14) - 1), Qt::LeftButton);
        QCOMPARE(h.selected(k), !before);
    }

    // A count the tables cannot back (a damaged or half-done load) shows the
    // slots the tables have, blank where never written, and reads no further.
    void countBeyondTables_data() {
        QTest::addColumn<int>("spclCount");
        QTest::addColumn<int>("tableSlots");
        QTest::addColumn<bool>("tablesEmptied");
        QTest::addColumn<int>("barMax");
        QTest::newRow("count past the 300 slots") << 400 << 301 << false << 287;
        QTest::newRow("tables emptied, count kept") << 40 << 301 << true << 27;
        QTest::newRow("tables shorter than the count") << 40 << 20 << false << 6;
    }
    void countBeyondTables() {
        QFETCH(int, spclCount);
        QFETCH(int, tableSlots);
        QFETCH(bool, tablesEmptied);
        QFETCH(int, barMax);
        SpecialsHarness h;
        QVERIFY(h.load(SpecialsFile(40)));
        if (tablesEmptied) {
            h.data.SpclTbl.assign(h.data.SpclTbl.size(), Jurisdiction{});
            h.data.SpclSel.assign(h.data.SpclSel.size(), SpclFlags{});
        }
        h.data.SpclTbl.resize(tableSlots);
        h.data.SpclSel.resize(tableSlots);
        h.data.SpclCount = spclCount;

        h.window.ShowSpecialDistricts(INT_MAX);
        QCOMPARE(h.window.VScroll1->maximum(), barMax);
        QCOMPARE(h.window.PageOffset(), barMax);
        for (int r = 0; r < 14; ++r) QCOMPARE(h.rowShown(r), QList<bool>({true, true, true}));
        if (tablesEmptied || spclCount > 40) {
            QCOMPARE(h.name(13)->text().trimmed(), QString());
            QCOMPARE(h.rate(13)->text(), QStringLiteral("0"));
            QVERIFY(!h.name(13)->font().bold());
            QVERIFY(!h.box(13)->isChecked());
        } else {
            h.expectRow(13, tableSlots - 1);
        }
        QTest::mouseClick(h.box(13), Qt::LeftButton); // writes within the tables only
        QCOMPARE(int(h.data.SpclSel.size()), tableSlots);
    }

    void rowsPastALoweredCountAreHidden() {
        SpecialsHarness h;
        QVERIFY(h.load(SpecialsFile(5)));
        h.data.SpclCount = 3;
        h.window.ShowSpecialDistricts(1);
        for (int r = 0; r < 3; ++r) h.expectRow(r, r + 1);
        for (int r = 3; r < 14; ++r) h.expectBlankRow(r);
    }

    void beforeAnyLoadTheWindowIsEmpty() {
        SpecialsHarness h;
        QCOMPARE(h.window.windowTitle(), QStringLiteral("Configure Special Districts"));
        QVERIFY(!h.window.VScroll1->isVisibleTo(&h.window));
        for (int r = 0; r < 14; ++r) h.expectBlankRow(r);
        QTest::mouseClick(h.window.cmdRestore, Qt::LeftButton);
        for (int r = 0; r < 14; ++r) QCOMPARE(h.rowShown(r), QList<bool>({false, false, false}));
        QVERIFY(!h.window.VScroll1->isVisibleTo(&h.window));
    }
};

QTEST_MAIN(Paging)
#include "test_paging.moc"
