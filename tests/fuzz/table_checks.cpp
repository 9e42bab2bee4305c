#include "table_checks.h"

#include <cstring>

#include "fuzz_check.h"

namespace levywise::fuzz {
namespace {

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Independent of FixedText's own operator: memcmp compares unsigned bytes.
bool nameBefore(const Jurisdiction& a, const Jurisdiction& b) {
    return std::memcmp(a.Name.view().data(), b.Name.view().data(), a.Name.view().size()) < 0;
}

bool isFresh(const Jurisdiction& unit) { return SameUnit(unit, Jurisdiction{}); }

} // namespace

bool SameUnit(const Jurisdiction& a, const Jurisdiction& b) {
    return a.Code == b.Code && a.Name == b.Name && a.UnitType == b.UnitType &&
           a.DefaultSel == b.DefaultSel && sameBits(a.TaxRate, b.TaxRate) && a.HSAmt == b.HSAmt &&
           a.O65Amt == b.O65Amt && a.DPAmt == b.DPAmt && sameBits(a.OptHS, b.OptHS) &&
           a.OptO65 == b.OptO65 && a.OptDP == b.OptDP && sameBits(a.Reserved12, b.Reserved12) &&
           sameBits(a.Reserved13, b.Reserved13) && a.Vet1 == b.Vet1 && a.Vet2 == b.Vet2 &&
           a.Vet3 == b.Vet3 && a.Vet4 == b.Vet4 && a.Reserved18 == b.Reserved18 &&
           a.Reserved19 == b.Reserved19 && a.Reserved20 == b.Reserved20 &&
           a.Reserved21 == b.Reserved21;
}

bool SameTables(const modMain& a, const modMain& b) {
    if (a.RateTbl.size() != b.RateTbl.size() || a.SpclTbl.size() != b.SpclTbl.size() ||
        a.SpclSel.size() != b.SpclSel.size())
        return false;
    for (std::size_t k = 0; k < a.RateTbl.size(); ++k)
        if (!SameUnit(a.RateTbl[k], b.RateTbl[k])) return false;
    for (std::size_t i = 0; i < a.SpclTbl.size(); ++i) {
        if (!SameUnit(a.SpclTbl[i], b.SpclTbl[i])) return false;
        if (!(a.SpclSel[i].Selected == b.SpclSel[i].Selected) ||
            !(a.SpclSel[i].Default == b.SpclSel[i].Default))
            return false;
    }
    return a.RateCount == b.RateCount && a.LoadedCount == b.LoadedCount &&
           a.SpclCount == b.SpclCount && a.CountyName == b.CountyName;
}

void CheckInstalledTable(const modMain& data) {
    FUZZ_CHECK(data.RateTbl.size() == modMain::kRateSlots + 1);
    FUZZ_CHECK(data.SpclTbl.size() == modMain::kSpecialSlots + 1);
    FUZZ_CHECK(data.SpclSel.size() == modMain::kSpecialSlots + 1);
    FUZZ_CHECK(data.RateCount >= 3 && data.RateCount <= modMain::kRateSlots);
    FUZZ_CHECK(data.LoadedCount == data.RateCount);
    FUZZ_CHECK(data.SpclCount >= 0 && data.SpclCount <= modMain::kSpecialSlots);
    FUZZ_CHECK(isFresh(data.RateTbl[0]));

    int specials = 0;
    for (int k = 1; k <= data.RateCount; ++k) {
        const Jurisdiction& unit = data.RateTbl[k];
        if (k > 1) FUZZ_CHECK(!nameBefore(unit, data.RateTbl[k - 1]));
        if (!unit.UnitType.equals("S")) continue;
        ++specials;
        FUZZ_CHECK(specials <= data.SpclCount);
        FUZZ_CHECK(SameUnit(data.SpclTbl[specials], unit));
        const std::string_view flag = unit.DefaultSel.equals("Y") ? "Y" : "N";
        FUZZ_CHECK(data.SpclSel[specials].Selected.equals(flag));
        FUZZ_CHECK(data.SpclSel[specials].Default.equals(flag));
    }
    FUZZ_CHECK(specials == data.SpclCount);
    for (int k = data.RateCount + 1; k <= modMain::kRateSlots; ++k)
        FUZZ_CHECK(isFresh(data.RateTbl[k]));
    FUZZ_CHECK(isFresh(data.SpclTbl[0]));
    const SpclFlags fresh;
    for (int i = data.SpclCount + 1; i <= modMain::kSpecialSlots; ++i) {
        FUZZ_CHECK(isFresh(data.SpclTbl[i]));
        FUZZ_CHECK(data.SpclSel[i].Selected == fresh.Selected);
        FUZZ_CHECK(data.SpclSel[i].Default == fresh.Default);
    }
}

} // namespace levywise::fuzz
