#pragma once

// The captions of every presentation of an estimate, in one table: the
// plain text, the JSON, the worksheet and the comparison take them from here.

#include <cstdint>
#include <string>

#include "calc/record.h"
#include "report/labels.h"

namespace levywise::captions {

// The rows of a unit's breakdown, in the order every presentation gives them.
struct UnitRow {
    const char* Text;      // plain text and worksheet caption
    const char* Worksheet; // where the worksheet says more
    const char* Json;      // JSON field
    std::string UnitLabels::*Figure;
    // The figure in cents, beside it in JSON; null for the rate, which JSON
    // gives as plain decimal text (UnitLabels::TRateDecimal).
    std::int64_t UnitCents::*Cents;
};
inline constexpr UnitRow kUnitRows[] = {
    {"Appraised Value", "Appraised Value", "appraised_value", &UnitLabels::AprVal,
     &UnitCents::AprVal},
    {"- Value of gen. HS", "- Value of gen. HS", "homestead", &UnitLabels::HSVal,
     &UnitCents::HSVal},
    {"- Value of O65 or DP HS", "- Value of O65 or DP HS", "over65_or_disabled",
     &UnitLabels::O65Val, &UnitCents::O65Val},
    {"- Value of Vet Exemption", "- Value of Vet Exemption", "veteran", &UnitLabels::VetVal,
     &UnitCents::VetVal},
    {"Net taxable value", "Net taxable value", "net_taxable_value", &UnitLabels::NTV,
     &UnitCents::NTV},
    {"Tax base", "Tax base (net taxable value/100)", "tax_base", &UnitLabels::Base1,
     &UnitCents::Base},
    {"Tax rate", "Tax rate", "tax_rate", &UnitLabels::TRate, nullptr},
    {"Tax", "Tax", "tax", &UnitLabels::Tax, &UnitCents::Tax},
};

// The three units, in the order every presentation gives them.
struct Unit {
    const char* Tab;  // the window's tab: "County Tax"
    const char* Kind; // the worksheet's heading: "County"
    const char* Json; // JSON field
    UnitEstimate EstimateRecord::*Figures;
    UnitLabels EstimateLabels::*Labels;
};
inline constexpr Unit kUnits[] = {
    {"County Tax", "County", "county", &EstimateRecord::County, &EstimateLabels::County},
    {"City Tax", "City", "city", &EstimateRecord::City, &EstimateLabels::City},
    {"School Tax", "School", "school", &EstimateRecord::School, &EstimateLabels::School},
};

inline constexpr const char* kSpecialTax = "Special District Tax*";
inline constexpr const char* kTotalTax = "Total Taxes";
inline constexpr const char* kFootnote =
    "*Special District Tax includes all special districts selected";
inline constexpr const char* kTotalPerMonth = "Total per month";
inline constexpr const char* kShareOfValue = "Share of appraised value";
inline constexpr const char* kDistrictsTaxed = "Special districts taxed";
// The special districts' tax where no footnote goes with it (the comparison).
inline constexpr const char* kSpecialTaxRow = "Special District Tax";

} // namespace levywise::captions
