#pragma once

#include <ostream>
#include <string>

#include "calc/comparison.h"
#include "cli/estimate.h"

namespace levywise::cli {

// The comparison as aligned columns "A", "B" and "Change", the inputs that
// differ marked with "*".
std::string ComparisonText(const Comparison& comparison);

// {"a": a's estimate, "b": b's, "change": B minus A of each tax, the total
// per month and the total in percent of A's (null when A's total is 0)}.
std::string ComparisonJson(const EstimateReport& a, const EstimateReport& b,
                           const Comparison& comparison);

// Estimates the property of both scenarios and prints their comparison to
// out; problems go to err, naming the scenario. Returns the exit status.
int RunCompare(const EstimateOptions& a, const EstimateOptions& b, OutputFormat format,
               std::ostream& out, std::ostream& err);

} // namespace levywise::cli
