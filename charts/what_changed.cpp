#include "charts/what_changed.h"

#include "charts/bar_chart.h"
#include "ratedata/formats.h"

namespace levywise {

Picture WhatChangedPicture(const std::vector<TaxChange>& units) {
    BarChart chart{"what-changed", "What changed", {}, {}, {}};
    for (const TaxChange& unit : units) {
        const std::string name = ShownName(unit.Name);
        const std::string kept = "Kept " + MoneyText(unit.KeptCents);
        const std::string now = "Now " + MoneyText(unit.NowCents);
        const std::string change = unit.Change.empty() ? "" : "Change " + unit.Change;
        chart.Groups.push_back(
            {name,
             {{kept, unit.KeptCents, BarShade::Light}, {now, unit.NowCents, BarShade::Dark}},
             change});
        chart.Description +=
            name + ": " + kept + ", " + now + (change.empty() ? "" : ", ") + change + ". ";
    }
    if (!chart.Description.empty()) chart.Description.pop_back();
    return PictureOf(chart);
}

} // namespace levywise
