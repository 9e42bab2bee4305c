#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "calc/record.h"
#include "report/comparison.h"

namespace levywise {

// The three unit breakdowns, the taxed districts and the totals, one figure a
// line, each the text the window shows for it: what "levywise-cli estimate"
// prints and the window's Copy Estimate puts on the clipboard.
std::string EstimateText(const EstimateRecord& record);

// The comparison as aligned columns "A", "B" and "Change", the inputs that
// differ marked with "*".
std::string ComparisonText(const Comparison& comparison);

// The number of characters (not bytes) of UTF-8 text, for lining up columns.
std::size_t Utf8Length(std::string_view text);

} // namespace levywise
