#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ratedata/currency.h"
#include "ratedata/jurisdiction.h"

namespace levywise {

// The loaded rate table that every window and the calculation share for
// the whole run: the units, the special districts and their selection. The
// application owns one; each test builds its own. Each window keeps its own
// state.
struct modMain {
    static constexpr int kRateSlots = 500;    // slots 1..500 (slot 0 is never used)
    static constexpr int kSpecialSlots = 300; // slots 1..300

    modMain();

    std::vector<Jurisdiction> RateTbl; // kRateSlots + 1 entries, 1..RateCount sorted by Name
    int RateCount = 0;
    int LoadedCount = 0;
    std::vector<Jurisdiction> SpclTbl; // kSpecialSlots + 1 entries, 1..SpclCount
    std::vector<SpclFlags> SpclSel;    // parallel to SpclTbl
    int SpclCount = 0;
    std::string CountyName;
};

// "TaxRates v3.54": the rate file version this program reads.
inline constexpr std::string_view kRateFileVersion = "TaxRates v3.54";

// The part of the version constant from its first "V" on, upper-cased
// ("V3.54"): the version the refusal of an older file asks for.
inline constexpr std::string_view kRequiredRateVersion = "V3.54";

} // namespace levywise
