#include "charts/where_tax_goes.h"

#include <algorithm>

#include "charts/bar_chart.h"
#include "ratedata/formats.h"

namespace levywise {

Picture WhereTheTaxGoesPicture(std::vector<TaxShare> shares, std::int64_t totalCents) {
    std::stable_sort(shares.begin(), shares.end(),
                     [](const TaxShare& a, const TaxShare& b) { return a.Cents > b.Cents; });
    BarChart chart{"where-tax-goes", "Where the tax goes", {}, {}, {}};
    // One group of bars, each labelled with its name and amount on one line:
    // a county of many districts stays short, and quick to draw.
    BarGroup& bars = chart.Groups.emplace_back();
    for (const TaxShare& share : shares) {
        const std::string label = ShownName(share.Name) + " " + MoneyText(share.Cents);
        bars.Bars.push_back({label, share.Cents, BarShade::Dark});
        chart.Description += label + ". ";
    }
    chart.Footer = "Total Taxes " + MoneyText(totalCents);
    chart.Description += chart.Footer + ".";
    return PictureOf(chart);
}

} // namespace levywise
