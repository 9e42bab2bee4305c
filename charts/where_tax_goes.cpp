#include "charts/where_tax_goes.h"

#include <algorithm>

#include "charts/bar_chart.h"
#include "ratedata/formats.h"

namespace levywise {

Picture WhereTheTaxGoesPicture(std::vector<TaxShare> shares, std::int64_t totalCents) {
    std::stable_sort(shares.begin(), shares.end(),
                     [](const TaxShare& a, const TaxShare& b) { return a.Cents > b.Cents; });
    BarChart chart{"where-tax-goes", "Where the tax goes", {}, {}, {}};
    for (const TaxShare& share : shares) {
        const std::string name = ShownName(share.Name);
        const std::string amount = MoneyText(share.Cents);
        chart.Groups.push_back({name, {{amount, share.Cents, BarShade::Dark}}, {}});
        chart.Description += name + " " + amount + ". ";
    }
    chart.Footer = "Total Taxes " + MoneyText(totalCents);
    chart.Description += chart.Footer + ".";
    return PictureOf(chart);
}

} // namespace levywise
