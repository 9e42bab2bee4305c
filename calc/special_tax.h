#pragma once

#include "calc/calc_result.h"
#include "calc/estimate_input.h"
#include "ratedata/mod_main.h"

namespace levywise {

// The tax special district i (1..SpclCount) levies on the property, unrounded.
CalcResult<double> CalcSpecialTax(const modMain& data, int i, const EstimateInput& input);

} // namespace levywise
