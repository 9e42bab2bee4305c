#pragma once

#include <ostream>

#include "cli/estimate.h"

namespace levywise::cli {

// Estimates the property of both scenarios and prints their comparison to
// out: aligned columns, JSON ({"a": …, "b": …, "change": …}) or HTML.
// Problems go to err, naming the scenario. Returns the exit status.
int RunCompare(const EstimateOptions& a, const EstimateOptions& b, OutputFormat format,
               std::ostream& out, std::ostream& err);

} // namespace levywise::cli
