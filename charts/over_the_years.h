#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "charts/bar_chart.h"

namespace levywise {

// One unit's tax under each rate file; empty where the file has no such unit.
struct TaxSeries {
    std::string Name; // UTF-8
    std::vector<std::optional<std::int64_t>> Cents;
};

// "Over the years": per unit, in the order given, one bar per rate file,
// labelled with the file's label (UTF-8) and the tax; a unit
// that a file lacks, or a series shorter than the labels, shows "not in
// this file" without a bar there.
Picture OverTheYearsPicture(const std::vector<std::string>& fileLabels,
                            const std::vector<TaxSeries>& units);

} // namespace levywise
