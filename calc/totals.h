#pragma once

#include <string>

#include "calc/calc_result.h"
#include "calc/estimate_input.h"
#include "calc/unit_tax.h"
#include "ratedata/currency.h"
#include "ratedata/mod_main.h"

namespace levywise {

// The two figures that complete the "Total Tax" tab.
struct TotalLabels {
    std::string TotSpclTax; // the selected special districts' tax
    std::string TotTax;     // the total estimated tax
};

// One whole estimate: the three unit tabs and the totals.
struct Estimate {
    UnitLabels County;
    UnitLabels City;
    UnitLabels School;
    TotalLabels Totals;
    Currency SpclTotal;
};

// Recomputes the whole estimate from the input and the loaded table. On
// success data.SpclTotal holds the special districts' tax; on failure
// nothing changes and the error says why.
CalcResult<Estimate> CalculateTaxes(modMain& data, const EstimateInput& input);

// The totals from the three unit taxes as shown (money texts) and the
// special districts' sum.
CalcResult<TotalLabels> ShowTotals(const std::string& countyTax, const std::string& cityTax,
                                   const std::string& schoolTax, Currency spclTotal);

} // namespace levywise
