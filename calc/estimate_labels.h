#pragma once

// The formatting step: the texts the window's labels show for an estimate's
// figures (calc/estimate.h), which the command-line tool shows too.

#include <cstdint>
#include <string>

#include "calc/calc_result.h"
#include "calc/estimate.h"
#include "calc/estimate_input.h"
#include "ratedata/mod_main.h"

namespace levywise {

// The money figures of one unit's tab in cents, as its texts show them.
struct UnitCents {
    std::int64_t AprVal = 0;
    std::int64_t HSVal = 0;
    std::int64_t O65Val = 0;
    std::int64_t VetVal = 0;
    std::int64_t NTV = 0;
    std::int64_t Base = 0;
    std::int64_t Tax = 0;
};

// The texts of one unit's tab (county, city or school) and of its two lines
// on the "Total Tax" tab.
struct UnitLabels {
    std::string AprVal;       // appraised value
    std::string TRate;        // tax rate, plain number text
    std::string Name;         // the unit's name, all 30 characters
    std::string TotName;      // the name without trailing blanks (Total Tax tab)
    std::string HSVal;        // general homestead exemption (capped at the value on the city tab)
    std::string O65Val;       // over-65 or disabled-person exemption
    std::string VetVal;       // veteran exemption
    std::string NTV;          // net taxable value
    std::string Base1;        // tax base (net taxable value / 100)
    std::string Base2;        // the same, as the first factor of the tax line
    std::string Tax;          // tax
    std::string TotTax;       // the same, on the Total Tax tab
    UnitCents Cents;          // the money texts above, in cents
    std::string TRateDecimal; // the rate's digits never in exponent form, for scripts
};

// The two figures that complete the "Total Tax" tab.
struct TotalLabels {
    std::string TotSpclTax;           // the selected special districts' tax
    std::string TotTax;               // the total estimated tax
    std::int64_t TotSpclTaxCents = 0; // the same two in cents
    std::int64_t TotTaxCents = 0;
};

// One whole estimate as the window shows it.
struct Estimate {
    UnitLabels County;
    UnitLabels City;
    UnitLabels School;
    TotalLabels Totals;
    Currency SpclTotal; // the special districts' tax, unrounded
};

UnitLabels LabelsOf(const UnitFigures& unit);
Estimate LabelsOf(const EstimateFigures& figures);

// The estimate the window shows for its input (ComputeEstimate, then its
// texts); reads the tables only.
CalcResult<Estimate> CalculateTaxes(const modMain& data, const EstimateInput& input);

} // namespace levywise
