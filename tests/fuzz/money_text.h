#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace levywise::fuzz {

// The estimate's money format: "$", comma groups, two decimals, a leading
// "-" for negatives and never "-$0.00".
bool IsMoneyText(const std::string& text);

// The exact number of cents of a money text; empty when it does not fit 64 bits.
std::optional<std::int64_t> CentsOfMoneyText(const std::string& text);

} // namespace levywise::fuzz
