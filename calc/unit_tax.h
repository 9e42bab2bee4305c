#pragma once

#include <string>

#include "calc/calc_result.h"
#include "calc/estimate_input.h"
#include "ratedata/mod_main.h"

namespace levywise {

// The texts of one unit's tab (county, city or school) and of its two lines
// on the "Total Tax" tab, exactly as shown.
struct UnitLabels {
    std::string AprVal;  // appraised value
    std::string TRate;   // tax rate, plain number text
    std::string Name;    // the unit's name, all 30 characters
    std::string TotName; // the name without trailing blanks (Total Tax tab)
    std::string HSVal;   // general homestead exemption (capped at the value on the city tab)
    std::string O65Val;  // over-65 or disabled-person exemption
    std::string VetVal;  // veteran exemption
    std::string NTV;     // net taxable value
    std::string Base1;   // tax base (net taxable value / 100)
    std::string Base2;   // the same, as the first factor of the tax line
    std::string Tax;     // tax
    std::string TotTax;  // the same, on the Total Tax tab
};

CalcResult<UnitLabels> CalcCountyTax(const modMain& data, const EstimateInput& input);
CalcResult<UnitLabels> CalcCityTax(const modMain& data, const EstimateInput& input);
CalcResult<UnitLabels> CalcSchoolTax(const modMain& data, const EstimateInput& input);

// The unit a list entry stands for: the first slot whose code equals the
// entry's last three characters, else slot 0 (an empty unit).
const Jurisdiction& FindUnit(const modMain& data, const std::string& itemText);

} // namespace levywise
