#include "calc/special_tax.h"

#include "calc/breakdown.h"

namespace levywise {

CalcResult<double> CalcSpecialTax(const modMain& data, int i, const EstimateInput& input) {
    const auto aprVal = ReadAppraisedValue(input);
    if (!aprVal) return CalcResult<double>::failure(kValueTooLarge);
    const auto b = ComputeBreakdown(data.SpclTbl.at(static_cast<std::size_t>(i)), *aprVal, input,
                                    kMinimumExemption);
    if (!b) return CalcResult<double>::failure(kTaxTooLarge);
    return b->tax;
}

} // namespace levywise
