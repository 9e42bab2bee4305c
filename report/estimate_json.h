#pragma once

#include <string>

#include "calc/record.h"
#include "report/comparison.h"

namespace levywise {

// The estimate as one JSON object: each unit's breakdown under its code and
// name, the taxed special districts and the totals, each figure the text the
// window shows for it.
std::string EstimateJson(const EstimateRecord& record);

// {"a": a's estimate, "b": b's, "change": B minus A of each tax, the total
// per month and the total in percent of A's (null when A's total is 0)}.
std::string ComparisonJson(const EstimateRecord& a, const EstimateRecord& b,
                           const Comparison& comparison);

} // namespace levywise
