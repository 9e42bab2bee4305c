#include "report/estimate_json.h"

#include <nlohmann/json.hpp>

#include "ratedata/formats.h"
#include "report/captions.h"
#include "report/labels.h"

namespace levywise {
namespace {

using Json = nlohmann::ordered_json;

Json estimateJson(const EstimateRecord& r) {
    const EstimateLabels e = LabelsOf(r);
    Json j;
    for (const captions::Unit& unit : captions::kUnits) {
        const UnitLabels& u = e.*unit.Labels;
        Json& section = j[unit.Json];
        section["code"] = Displayed(CodeShown(*(r.*unit.Figures).Unit));
        section["name"] = Displayed(u.TotName);
        for (const captions::UnitRow& row : captions::kUnitRows) section[row.Json] = u.*row.Figure;
    }
    j["special_districts"] = Json::array();
    for (const DistrictEstimate& d : r.Districts) {
        const Jurisdiction& unit = r.district(d);
        Json district;
        district["code"] = Displayed(CodeShown(unit));
        district["name"] = Displayed(unit.Name.trimmedRight());
        district["tax"] = MoneyText(CentsAsShown(d.Tax));
        j["special_districts"].push_back(std::move(district));
    }
    Json& totals = j["totals"];
    for (const captions::Unit& unit : captions::kUnits) totals[unit.Json] = (e.*unit.Labels).TotTax;
    totals["special"] = e.TotSpclTax;
    totals["total"] = e.TotTax;
    return j;
}

} // namespace

std::string EstimateJson(const EstimateRecord& r) { return estimateJson(r).dump(2) + "\n"; }

std::string ComparisonJson(const EstimateRecord& a, const EstimateRecord& b, const Comparison& c) {
    Json j;
    j["a"] = estimateJson(a);
    j["b"] = estimateJson(b);
    Json& change = j["change"];
    change["county"] = MoneyText(c.County.Change);
    change["city"] = MoneyText(c.City.Change);
    change["school"] = MoneyText(c.School.Change);
    change["special"] = MoneyText(c.Special.Change);
    change["total"] = MoneyText(c.Total.Change);
    change["monthly"] = MoneyText(c.Monthly.Change);
    change["total_percent"] = c.Total.Percent.empty() ? Json(nullptr) : Json(c.Total.Percent);
    return j.dump(2) + "\n";
}

} // namespace levywise
