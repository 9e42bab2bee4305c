#include "calc/breakdown.h"

#include <cmath>

#include "ratedata/number_text.h"

namespace levywise {

std::optional<double> ReadAppraisedValue(const EstimateInput& input) {
    const auto value = AppraisedValueFromText(input.AprValText);
    if (!value || !Currency::fromDouble(*value)) return std::nullopt;
    return value;
}



} // namespace levywise
