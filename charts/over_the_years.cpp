#include "charts/over_the_years.h"

#include "charts/bar_chart.h"
#include "ratedata/formats.h"

namespace levywise {

Picture OverTheYearsPicture(const std::vector<std::string>& fileLabels,
                            const std::vector<TaxSeries>& units) {
    BarChart chart{"over-the-years", "Over the years", {}, {}, {}};
    for (const TaxSeries& unit : units) {
        BarGroup group{unit.Name, {}, {}};
        chart.Description += group.Heading + ":";
        for (std::size_t i = 0; i < fileLabels.size(); ++i) {
            const std::optional<std::int64_t> cents =
                i < unit.Cents.size() ? unit.Cents[i] : std::nullopt;
            const std::string label =
                fileLabels[i] + " " + (cents ? MoneyText(*cents) : "not in this file");
            // Files take turns in shade, so that neighbours part in grey too.
            group.Bars.push_back({label, cents, i % 2 == 0 ? BarShade::Dark : BarShade::Light});
            chart.Description += (i == 0 ? " " : ", ") + label;
        }
        chart.Description += ". ";
        chart.Groups.push_back(std::move(group));
    }
    if (!chart.Description.empty()) chart.Description.pop_back();
    return PictureOf(chart);
}

} // namespace levywise
