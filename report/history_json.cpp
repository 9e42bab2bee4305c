#include "report/history.h"

#include <nlohmann/json.hpp>

#include "ratedata/formats.h"
#include "report/estimate_json.h"

namespace levywise {
namespace {

using Json = nlohmann::ordered_json;

// Money that may be blank: its text and beside it "_cents", or null for both.
void money(Json& j, const std::string& name, std::optional<std::int64_t> cents) {
    j[name] = cents ? Json(MoneyText(*cents)) : Json(nullptr);
    j[name + "_cents"] = cents ? Json(*cents) : Json(nullptr);
}

const char* kindOf(const HistoryRow& row, int& units) {
    constexpr const char* kUnits[] = {"county", "city", "school"};
    switch (row.Kind) {
    case HistoryRowKind::Unit: return units < 3 ? kUnits[units++] : "unit";
    case HistoryRowKind::District: return "special_district";
    case HistoryRowKind::Special: return "special";
    case HistoryRowKind::Total: return "total";
    case HistoryRowKind::Monthly: return "monthly";
    }
    return "";
}

} // namespace

std::string HistoryJson(const History& h) {
    Json j;
    j["format"] = kJsonFormat;
    j["files"] = h.FileLabels;
    j["rows"] = Json::array();
    int units = 0;
    for (const HistoryRow& row : h.Rows) {
        Json r;
        r["kind"] = kindOf(row, units);
        if (row.Kind == HistoryRowKind::Unit || row.Kind == HistoryRowKind::District) {
            r["code"] = row.Code;
            r["name"] = row.Label;
        }
        Json tax = Json::array(), taxCents = Json::array();
        for (const std::optional<std::int64_t>& cents : row.Cents) {
            tax.push_back(cents ? Json(MoneyText(*cents)) : Json(nullptr));
            taxCents.push_back(cents ? Json(*cents) : Json(nullptr));
        }
        r["tax"] = std::move(tax);
        r["tax_cents"] = std::move(taxCents);
        money(r, "change", row.Change ? std::optional(row.Change->Change) : std::nullopt);
        r["change_percent"] =
            row.Change && !row.Change->Percent.empty() ? Json(row.Change->Percent) : Json(nullptr);
        j["rows"].push_back(std::move(r));
    }
    return j.dump(2) + "\n";
}

} // namespace levywise
