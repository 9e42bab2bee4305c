// The user's choice of districts: held in the flags, never in the rows.
#include "specials_harness.h"

using levywise::test::SpecialsHarness;
using levywise::test::DefaultFlags;
using levywise::test::SelectedFlags;
using levywise::test::SpecialsFile;


class Selection : public QObject {
    Q_OBJECT
private slots:
    void toggleChangesOnlyThatDistrict_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("row");
        QTest::newRow("first row, first page") << 1 << 0;
        QTest::newRow("middle page") << 10 << 5;
        QTest::newRow("last row of the last page") << 27 << 13;
    }
    void toggleChangesOnlyThatDistrict() {
        QFETCH(int, page);
        QFETCH(int, row);
        SpecialsHarness h;
        QVERIFY(h.load(SpecialsFile(40)));
        h.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&h.window));
        h.window.VScroll1->setValue(page);
        const int k = page + row;
        QString expected = SelectedFlags(h.data);
        expected[k - 1] = h.selected(k) ? u'N' : u'Y';
        const QString defaults = DefaultFlags(h.data);

        QTest::mouseClick(h.box(row), Qt::LeftButton);
        QCOMPARE(SelectedFlags(h.data), expected);
        QCOMPARE(DefaultFlags(h.data), defaults);
        QCOMPARE(h.recalculations, 0); // nothing is recalculated before "Finsh"

        h.window.VScroll1->setValue(page == 1 ? 27 : 1); // away and back
        h.window.VScroll1->setValue(page);
        h.expectRow(row, k);
        QCOMPARE(h.box(row)->isChecked(), expected[k - 1] == u'Y');
        QCOMPARE(SelectedFlags(h.data), expected);
    }

    void whileLoadingBoxesWriteNothing() {
        SpecialsHarness h;
        QVERIFY(h.load(SpecialsFile(5)));
        const QString before = SelectedFlags(h.data);
        h.data.SpclLoading = true;
        QTest::mouseClick(h.box(0), Qt::LeftButton);
        h.box(1)->setChecked(!h.box(1)->isChecked());
        QCOMPARE(SelectedFlags(h.data), before);
        h.data.SpclLoading = false;
        h.box(2)->setChecked(!h.box(2)->isChecked()); // a change from code counts as a click
        QCOMPARE(SelectedFlags(h.data), QStringLiteral("YNNNY"));
    }

    void restoreDefaultsOnEveryPageKeepsThePage() {
        SpecialsHarness h;
        QVERIFY(h.load(SpecialsFile(40)));
        h.window.VScroll1->setValue(20);
        QTest::mouseClick(h.box(1), Qt::LeftButton);  // 21: default Y, now cleared
        QTest::mouseClick(h.box(2), Qt::LeftButton);  // 22: default N, now chosen
        h.expectRow(1, 21);                           // bold and unchecked
        QVERIFY(h.name(1)->font().bold() && !h.box(1)->isChecked());
        h.data.SpclSel[1].Selected.assign("N");       // pages not shown
        h.data.SpclSel[40].Selected.assign("Y");
        QVERIFY(SelectedFlags(h.data) != DefaultFlags(h.data));

        QTest::mouseClick(h.window.cmdRestore, Qt::LeftButton);
        QCOMPARE(SelectedFlags(h.data), DefaultFlags(h.data));
        QCOMPARE(h.window.PageOffset(), 20);
        for (int r = 0; r < 14; ++r) h.expectRow(r, 20 + r);
        QCOMPARE(h.recalculations, 0);
    }

    // The next file's rows replace the previous file's, which leave no trace.
    void newFileClearsThePreviousRows_data() {
        QTest::addColumn<int>("firstCount");
        QTest::addColumn<int>("firstPage");
        QTest::addColumn<int>("secondCount");
        QTest::newRow("8 then 3") << 8 << 1 << 3;
        QTest::newRow("40 at its last page, then 15") << 40 << 27 << 15;
        QTest::newRow("20 then none") << 20 << 4 << 0;
    }
    void newFileClearsThePreviousRows() {
        QFETCH(int, firstCount);
        QFETCH(int, firstPage);
        QFETCH(int, secondCount);
        SpecialsHarness h;
        QVERIFY(h.load(SpecialsFile(firstCount)));
        h.window.VScroll1->setValue(firstPage);
        QTest::mouseClick(h.box(0), Qt::LeftButton);

        QVERIFY(h.load(SpecialsFile(secondCount, "OTHER")));
        QCOMPARE(SelectedFlags(h.data), DefaultFlags(h.data));
        QCOMPARE(h.window.PageOffset(), 1);
        QCOMPARE(h.window.VScroll1->isVisibleTo(&h.window), secondCount > 14);
        for (int r = 0; r < 14; ++r) {
            if (r < secondCount)
                h.expectRow(r, r + 1, "OTHER");
            else
                h.expectBlankRow(r);
        }
    }

    void resetBlanksRowsAndKeepsTheFlags() {
        SpecialsHarness h;
        QVERIFY(h.load(SpecialsFile(20)));
        h.window.VScroll1->setValue(3);
        const QString flags = SelectedFlags(h.data);
        h.window.ResetSpecialRows();
        for (int r = 0; r < 14; ++r) h.expectBlankRow(r);
        QCOMPARE(SelectedFlags(h.data), flags);
    }
};

QTEST_MAIN(Selection)
#include "test_selection.moc"
