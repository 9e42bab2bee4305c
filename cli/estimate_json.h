#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/estimate.h"

namespace levywise::cli {

// The version of the JSON documents' layout, their "format" field: raised
// when a field is taken away or means something else.
inline constexpr int kJsonFormat = 1;

// The estimate as the JSON object "levywise-cli estimate --json" prints,
// without the "format" field.
nlohmann::ordered_json EstimateJsonValue(const EstimateReport& report);

// A money figure in cents as two fields: name, its text, and name_cents.
void AddMoney(nlohmann::ordered_json& j, const std::string& name, std::int64_t cents);

} // namespace levywise::cli
