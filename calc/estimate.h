#pragma once

// The tax engine's one door: a loaded rate table and an estimate request in,
// the whole estimate record (calc/record.h) or one error out. Every tax rule
// lives behind it once; the window, the command-line tool and the browser
// build all go through it, and report/ turns its records into texts.
//
// Money rules, for every figure of a record:
// - Money a Currency amount took part in is held to ten-thousandths
//   (Currency), rounded once from the exact sum (Currency::plus); figures
//   made only of the typed value, whole numbers and rates stay doubles.
// - A percentage part of an exemption is rounded to whole dollars, a half up.
// - The tax base and the taxes are never rounded; what is shown of them is
//   rounded to cents by CentsAsShown (ratedata/formats.h), nothing else.

#include <memory>
#include <optional>
#include <vector>

#include "calc/record.h"
#include "calc/request.h"
#include "calc/unit_codes.h"
#include "ratedata/error.h"
#include "ratedata/mod_main.h"

namespace levywise {

struct DistrictGroups;

// A rate table made ready for estimates: its own unchanging copy of the
// tables, its units and districts by code, and its districts grouped by the
// exemption rules they share, so that a group's tax base is worked out once
// an estimate. Not to be shared between threads.
class LoadedTable {
public:
    LoadedTable(modMain data, RateSource source);
    ~LoadedTable();
    LoadedTable(const LoadedTable&) = delete;
    LoadedTable& operator=(const LoadedTable&) = delete;

    const modMain& data() const { return rates_->Data; }
    const RateSource& source() const { return rates_->Source; }
    const UnitCodes& codes() const { return codes_; }

private:
    friend std::optional<Error> Estimate(const LoadedTable&, const EstimateRequest&,
                                         EstimateRecord&);
    std::shared_ptr<const RateSnapshot> rates_;
    UnitCodes codes_;
    // What an estimate finds again in the next: the groups of each choice of
    // exemptions, found when first asked for, and the districts listed.
    std::unique_ptr<DistrictGroups> groups_;
    mutable std::vector<int> listed_;
};

// Works out one estimate into record, whose storage is reused. On failure
// returns why (a code that names no entry of its list, a figure beyond the
// range of money), and record is not to be used.
std::optional<Error> Estimate(const LoadedTable& table, const EstimateRequest& request,
                              EstimateRecord& record);

// Whether a city's homestead fraction has the higher minimum: its name, as
// shown, upper-cased and without trailing blanks, is "CITY OF QUARLOW".
bool HasQuarlowHomesteadMinimum(const Jurisdiction& city);

// Whether typed text is read as 0 because no number begins it: whatever
// number text begins with, one more digit changes what is read. Nothing
// typed is no value. The window and the page say so beside the value.
bool HoldsNoNumber(std::string_view typed);

inline constexpr const char* kValueTooLarge = "The appraised value is too large for an estimate.";
inline constexpr const char* kTaxTooLarge = "The tax on this value is too large to be shown.";

} // namespace levywise
