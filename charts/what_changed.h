#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "charts/bar_chart.h"

namespace levywise {

// One unit's tax in the kept estimate and in the one shown now.
struct TaxChange {
    std::string Name; // Windows-1252 bytes, as the rate file has it
    std::int64_t KeptCents = 0, NowCents = 0;
    // UTF-8, as the comparison writes the change: "+$100.00 (+20.00%)".
    std::string Change;
};

// "What changed": per unit, in the order given, the kept and the current
// bar side by side on one scale, the change written under the pair.
Picture WhatChangedPicture(const std::vector<TaxChange>& units);

} // namespace levywise
