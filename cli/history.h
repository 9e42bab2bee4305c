#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/estimate.h"

namespace levywise::cli {

// Estimates one property under each rate file (two or more), as options
// say but for its rate file, and prints them side by side with the change
// from the first to the last. Nothing is printed when a file is refused.
// Returns the exit status.
int RunHistory(const std::vector<std::string>& rateFiles, const EstimateOptions& options,
               OutputFormat format, std::ostream& out, std::ostream& err);

} // namespace levywise::cli
