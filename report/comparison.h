#pragma once

// Two estimates side by side, "Kept" and "Now", and what changed between
// them. Every figure is one the engine worked out, in cents as shown; the
// differences, the total per month and the percentages are worked out here
// in whole numbers, each rounded once where it says so.

#include <cstdint>
#include <string>
#include <vector>

#include "calc/record.h"

namespace levywise {

// cents / 12, rounded to the nearest cent, a half away from zero.
std::int64_t MonthlyCents(std::int64_t yearCents);

// part as a percentage of whole with two decimals, rounded a half away from
// zero: "12.35", "-0.50". Empty when whole is 0. A negative whole counts by
// its size, so that a rise is always a positive percentage.
std::string PercentText(std::int64_t part, std::int64_t whole);

// The total tax as a share of the appraised value: "2.35%"; "—" when the
// value is 0.
std::string ShareOfValueText(const EstimateRecord& record);

// One figure on both sides.
struct MoneyChange {
    std::int64_t Kept = 0;   // cents
    std::int64_t Now = 0;    // cents
    std::int64_t Change = 0; // Now - Kept
    std::string Percent;     // Change in percent of Kept; empty when Kept is 0
};

MoneyChange ChangeOf(std::int64_t keptCents, std::int64_t nowCents);

// The change as the comparison shows it: "+$12.50 (+2.50%)", "-$3.00 (-1.00%)",
// "$0.00 (0.00%)"; "—" for the percentage when Kept is 0.
std::string ChangeText(const MoneyChange& change);

enum class RowKind { Input, Money, Share };

struct ComparisonRow {
    RowKind Kind = RowKind::Input;
    std::string Label;     // UTF-8, as every text of the row
    std::string Kept, Now; // empty for a district taxed on the other side only
    std::string Change;    // money rows only
    bool Differs = false;  // an input row whose two sides differ
};

struct Comparison {
    MoneyChange County, City, School, Special, Total, Monthly;
    // The inputs (InputLines), each unit's tax, each special district's tax
    // (matched by code), the special districts' tax, the total, the total
    // per month and the total as a share of the appraised value.
    std::vector<ComparisonRow> Rows;
};

// A special district of either side and its match on the other, if any.
struct MatchedDistrict {
    const DistrictEstimate* Kept = nullptr;
    const DistrictEstimate* Now = nullptr;
};

// The kept districts in their order, each beside the first district of the
// same code taxed now, then those taxed now only.
std::vector<MatchedDistrict> MatchedDistricts(const EstimateRecord& kept,
                                              const EstimateRecord& now);

Comparison Compare(const EstimateRecord& kept, const EstimateRecord& now);

// Text as one cell of tab-separated text: tabs and line ends become blanks.
std::string TsvCell(std::string text);

// The comparison as tab-separated text: a header line (an empty cell, then
// "Kept", "Now", "Change") and one line per row, each ended by a line feed.
std::string ComparisonTsv(const Comparison& comparison);

} // namespace levywise
