#pragma once

#include <span>
#include <string_view>

namespace levywise {

// The over-65 / disabled-person choice (one of the three is always on).
enum class AgeOption { Neither, O65, DP };

// The veteran-disability bracket (one of the five is always on).
enum class VetOption { None, Vet1, Vet2, Vet3, Vet4 };

// Which special districts an estimate taxes (never any with " No County").
enum class DistrictChoice {
    Selected, // those whose Selected flag is "Y": the file's defaults unless the user chose
    None,
    Listed, // those with the codes listed
};

// One estimate as a front end asks for it. The texts are only read during
// the call; codes are compared without the blanks around them.
struct EstimateRequest {
    std::string_view Value; // the appraised value as typed, read by the leading-number rule
    // The codes of the county, city and school list entries; empty for the
    // list's "no unit" entry.
    std::string_view County, City, School;
    DistrictChoice Districts = DistrictChoice::Selected;
    std::span<const std::string_view> DistrictCodes; // when Listed
    // The command line's rules besides the window's: a code that more than
    // one unit has, and a value that holds no number or a negative one, are
    // refused instead of taken as the window takes them.
    bool Strict = false;
    bool GHS = false; // general homestead
    AgeOption Age = AgeOption::Neither;
    VetOption Vet = VetOption::None;
};

} // namespace levywise
