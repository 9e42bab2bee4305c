#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <string>

#include "fake_platform.h"
#include "ratedata/mod_main.h"
#include "ratedata/rate_file.h"
#include "specials/frmCfgSpcl.h"

namespace levywise::test {

// A rate file with one county and `count` special districts. District k
// (the k-th special district in name order) is "<prefix> kk", taxes at
// k + 0.25 and is selected by default when k is odd.
inline std::string SpecialsFile(int count, const char* prefix = "DISTRICT") {
    std::string text = "TaxRates v3.54\tTest Rates\tHarlan\t\r\n101\tHARLAN COUNTY\tK\tN\t0.5\t\r\n";
    for (int k = 1; k <= count; ++k) {
        char line[96];
        std::snprintf(line, sizeof line, "%03d\t%s %02d\tS\t%s\t%d.25\t\r\n", 500 + k, prefix, k,
                      k % 2 ? "Y" : "N", k);
        text += line;
    }
    return text;
}

inline QString DistrictName(int k, const char* prefix = "DISTRICT") {
    return QStringLiteral("%1 %2").arg(QLatin1String(prefix)).arg(k, 2, 10, QChar(u'0')).leftJustified(30);
}

// The districts' Selected (or Default) letters, district 1 first.
inline QString SelectedFlags(const modMain& data, bool defaults = false) {
    QString flags;
    for (int k = 1; k <= data.SpclCount; ++k)
        flags += QChar((defaults ? data.SpclSel[k].Default : data.SpclSel[k].Selected)[0]);
    return flags;
}
inline QString DefaultFlags(const modMain& data) { return SelectedFlags(data, true); }

// The window over its own tables, driven the way the rate file loader drives it.
struct SpecialsHarness {
    modMain data;
    FakePlatform platform;
    frmCfgSpcl window{data, platform};
    int recalculations = 0;

    SpecialsHarness() { window.setRecalculate([this] { ++recalculations; }); }

    // The new table is installed before the rows are reset, the harder order:
    // the reset must leave the new flags alone.
    bool load(const std::string& text) {
        const RateFileRead read = ParseRateFile(text, "test.tab");
        if (read.status != RateFileStatus::Loaded) return false;
        InstallRateTable(data, read.contents);
        window.setWindowTitle(QStringLiteral("Configure Special Districts for Harlan County"));
        window.ResetSpecialRows();
        data.SpclLoading = true;
        window.ShowSpecialDistricts(1);
        data.SpclLoading = false;
        window.VScroll1->setValue(1);
        return true;
    }

    QCheckBox* box(int r) { return window.findChild<QCheckBox*>(QStringLiteral("chkSpclDist_%1").arg(r)); }
    QLineEdit* name(int r) { return window.findChild<QLineEdit*>(QStringLiteral("txtSpclName_%1").arg(r)); }
    QLineEdit* rate(int r) { return window.findChild<QLineEdit*>(QStringLiteral("txtTaxRate_%1").arg(r)); }
    bool selected(int k) const { return data.SpclSel[k].Selected.equals("Y"); }

    // Whether each of row r's three controls is shown.
    QList<bool> rowShown(int r) {
        return {box(r)->isVisibleTo(&window), name(r)->isVisibleTo(&window),
                rate(r)->isVisibleTo(&window)};
    }

    // Row r shows district k of SpecialsFile with its current flag.
    void expectRow(int r, int k, const char* prefix = "DISTRICT") {
        checkRow(r, k, prefix);
        if (QTest::currentTestFailed()) qWarning("row %d, district %d", r, k);
    }
    void expectBlankRow(int r) {
        checkBlankRow(r);
        if (QTest::currentTestFailed()) qWarning("row %d", r);
    }

private:
    void checkRow(int r, int k, const char* prefix) {
        QCOMPARE(rowShown(r), QList<bool>({true, true, true}));
        QCOMPARE(name(r)->text(), DistrictName(k, prefix));
        QCOMPARE(name(r)->font().bold(), k % 2 == 1);
        QCOMPARE(rate(r)->text(), QStringLiteral("%1.25").arg(k));
        QCOMPARE(box(r)->isChecked(), selected(k));
    }

    // Row r is blank, unchecked, not bold and hidden.
    void checkBlankRow(int r) {
        QCOMPARE(rowShown(r), QList<bool>({false, false, false}));
        QCOMPARE(name(r)->text(), QStringLiteral(" "));
        QCOMPARE(rate(r)->text(), QStringLiteral(" "));
        QVERIFY(!name(r)->font().bold());
        QVERIFY(!box(r)->isChecked());
    }
};

} // namespace levywise::test
