#include "report/estimate_json.h"

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "ratedata/formats.h"
#include "report/captions.h"
#include "report/labels.h"

namespace levywise {
namespace {

using Json = nlohmann::ordered_json;

// A money figure as two fields: its text, and beside it "_cents".
void money(Json& j, const std::string& name, const std::string& text, std::int64_t cents) {
    j[name] = text;
    j[name + "_cents"] = cents;
}

void money(Json& j, const std::string& name, std::int64_t cents) {
    money(j, name, MoneyText(cents), cents);
}

// A name without the blanks that pad it, in UTF-8.
std::string nameShown(std::string_view name) { return Displayed(FieldShown(name)); }

Json estimateJson(const EstimateRecord& r) {
    const EstimateLabels e = LabelsOf(r);
    Json j;
    for (const captions::Unit& unit : captions::kUnits) {
        const UnitLabels& u = e.*unit.Labels;
        Json& section = j[unit.Json];
        section["code"] = Displayed(CodeShown(*(r.*unit.Figures).Unit));
        section["name"] = nameShown(u.Name);
        for (const captions::UnitRow& row : captions::kUnitRows) {
            if (row.Cents)
                money(section, row.Json, u.*row.Figure, u.Cents.*row.Cents);
            else
                section[row.Json] = u.TRateDecimal;
        }
    }
    j["special_districts"] = Json::array();
    for (const DistrictEstimate& d : r.Districts) {
        const Jurisdiction& unit = r.district(d);
        Json district;
        district["code"] = Displayed(CodeShown(unit));
        district["name"] = nameShown(unit.Name.view());
        money(district, "tax", CentsAsShown(d.Tax));
        j["special_districts"].push_back(std::move(district));
    }
    Json& totals = j["totals"];
    for (const captions::Unit& unit : captions::kUnits)
        money(totals, unit.Json, (e.*unit.Labels).TotTax, (e.*unit.Labels).Cents.Tax);
    money(totals, "special", e.TotSpclTax, e.TotSpclTaxCents);
    money(totals, "total", e.TotTax, e.TotTaxCents);
    return j;
}

} // namespace

std::string EstimateJson(const EstimateRecord& r) {
    Json j = {{"format", kJsonFormat}};
    j.update(estimateJson(r));
    return j.dump(2) + "\n";
}

std::string ComparisonJson(const EstimateRecord& a, const EstimateRecord& b, const Comparison& c) {
    Json j;
    j["format"] = kJsonFormat;
    j["a"] = estimateJson(a);
    j["b"] = estimateJson(b);
    Json& change = j["change"];
    money(change, "county", c.County.Change);
    money(change, "city", c.City.Change);
    money(change, "school", c.School.Change);
    money(change, "special", c.Special.Change);
    money(change, "total", c.Total.Change);
    money(change, "monthly", c.Monthly.Change);
    change["total_percent"] = c.Total.Percent.empty() ? Json(nullptr) : Json(c.Total.Percent);
    return j.dump(2) + "\n";
}

} // namespace levywise
