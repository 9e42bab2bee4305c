#include "report/pictures.h"

#include <algorithm>

#include "charts/over_the_years.h"
#include "charts/what_changed.h"
#include "charts/where_tax_goes.h"
#include "ratedata/formats.h"
#include "report/captions.h"
#include "report/comparison.h"
#include "report/history.h"
#include "report/labels.h"

namespace levywise {
namespace {

// The code of each unit's "no unit" list entry, in the order of captions::kUnits.
constexpr std::string_view kNoUnit[] = {PlaceholderCodes::NoCounty, PlaceholderCodes::NoCity,
                                        PlaceholderCodes::NoSchool};

// Whether a unit of the record taxes nothing because none was chosen: the
// blank slot 0, or the list's "no unit" entry (unless its file gave it a tax).
bool noUnit(const EstimateRecord& r, std::size_t k) {
    const UnitEstimate& unit = r.*captions::kUnits[k].Figures;
    return unit.Unit == nullptr || unit.Unit == &r.Rates->Data.RateTbl[0] ||
           (unit.TaxCents == 0 && FieldShown(unit.Unit->Code.view()) == kNoUnit[k]);
}

// A district's code and name as the comparison labels it (Windows-1252).
std::string districtName(const EstimateRecord& r, const DistrictEstimate& d) {
    return FieldShown(r.district(d).Code.view()) + " " + FieldShown(r.district(d).Name.view());
}

} // namespace

Picture WhereTheTaxGoesOf(const EstimateRecord& r) {
    std::vector<TaxShare> shares;
    for (std::size_t k = 0; k < std::size(captions::kUnits); ++k) {
        if (noUnit(r, k)) continue;
        const UnitEstimate& unit = r.*captions::kUnits[k].Figures;
        shares.push_back({FieldShown(unit.Unit->Name.view()), unit.TaxCents});
    }
    for (const DistrictEstimate& d : r.Districts)
        shares.push_back({FieldShown(r.district(d).Name.view()), CentsAsShown(d.Tax)});
    return WhereTheTaxGoesPicture(std::move(shares), r.TotTaxCents);
}

Picture WhatChangedOf(const EstimateRecord& kept, const EstimateRecord& now) {
    std::vector<TaxChange> changes;
    const auto add = [&changes](std::string name, std::int64_t keptCents, std::int64_t nowCents) {
        changes.push_back(
            {std::move(name), keptCents, nowCents, ChangeText(ChangeOf(keptCents, nowCents))});
    };
    for (std::size_t k = 0; k < std::size(captions::kUnits); ++k) {
        if (noUnit(kept, k) && noUnit(now, k)) continue;
        const UnitEstimate EstimateRecord::*figures = captions::kUnits[k].Figures;
        add(captions::kUnits[k].Tab, (kept.*figures).TaxCents, (now.*figures).TaxCents);
    }
    for (const MatchedDistrict& m : MatchedDistricts(kept, now))
        add(m.Now ? districtName(now, *m.Now) : districtName(kept, *m.Kept),
            m.Kept ? CentsAsShown(m.Kept->Tax) : 0, m.Now ? CentsAsShown(m.Now->Tax) : 0);
    add(captions::kTotalTax, kept.TotTaxCents, now.TotTaxCents);
    return WhatChangedPicture(changes);
}

Picture OverTheYearsOf(const History& history) {
    std::vector<TaxSeries> series;
    for (const HistoryRow& row : history.Rows) {
        const bool chosen =
            std::find(std::begin(kNoUnit), std::end(kNoUnit), row.Code) == std::end(kNoUnit) ||
            std::any_of(row.Cents.begin(), row.Cents.end(),
                        [](auto cents) { return cents.value_or(0) != 0; });
        if (row.Kind == HistoryRowKind::District || (row.Kind == HistoryRowKind::Unit && chosen))
            series.push_back({row.Label, row.Cents});
    }
    return OverTheYearsPicture(history.FileLabels, series);
}

} // namespace levywise
