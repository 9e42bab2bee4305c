#pragma once

#include <string>

#include "calc/record.h"
#include "report/comparison.h"

namespace levywise {

// The version of the JSON documents' layout, their "format" field: raised
// when a field is taken away or comes to mean something else.
inline constexpr int kJsonFormat = 1;

// The estimate as one JSON object: its format, each unit's breakdown under
// its code and name, the taxed special districts and the totals; each money
// figure the text the window shows for it and beside it the same in cents
// ("tax", "tax_cents"), rates as plain decimal text, names without padding.
std::string EstimateJson(const EstimateRecord& record);

// {"format": 1, "a": a's estimate, "b": b's, "change": B minus A of each
// tax, the total per month (each with its cents) and the total in percent
// of A's (null when A's total is 0)}.
std::string ComparisonJson(const EstimateRecord& a, const EstimateRecord& b,
                           const Comparison& comparison);

} // namespace levywise
