#pragma once

#include <nlohmann/json.hpp>

#include "cli/estimate.h"

namespace levywise::cli {

// The estimate as the JSON object "levywise-cli estimate --json" prints.
nlohmann::ordered_json EstimateJsonValue(const EstimateReport& report);

} // namespace levywise::cli
