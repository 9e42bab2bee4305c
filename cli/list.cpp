#include "cli/list.h"

#include <cstdint>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>

#include "cli/csv.h"
#include "cli/exit_status.h"
#include "cli/rate_loading.h"
#include "report/estimate_json.h"
#include "report/estimate_text.h"
#include "report/labels.h"

namespace levywise::cli {
namespace {

std::string typeName(char type) {
    switch (type) {
    case kCountyUnit: return "county";
    case kCityUnit: return "city";
    case kSchoolUnit: return "school";
    case kSpecialUnit: return "special district";
    default: return "other";
    }
}

void padded(std::string& out, const std::string& text, std::size_t width, bool right) {
    const std::size_t length = Utf8Length(text);
    const std::string fill(length < width ? width - length : 0, ' ');
    out += right ? fill + text : text + fill;
}

std::string textTable(const std::vector<ListingRow>& rows) {
    std::string out;
    const auto row = [&out](const std::string& code, const std::string& name,
                            const std::string& type, const std::string& rate, const std::string& hs,
                            const std::string& o65, const std::string& dp) {
        padded(out, code, 6, false);
        padded(out, name, 32, false);
        padded(out, type, 18, false);
        padded(out, rate, 12, false);
        padded(out, hs, 10, true);
        padded(out, o65, 10, true);
        padded(out, dp, 10, true);
        while (!out.empty() && out.back() == ' ') out.pop_back();
        out += '\n';
    };
    row("Code", "Jurisdiction Name", "Type", "Tax Rate", "Opt HS", "Opt O65", "Opt DP");
    for (const ListingRow& r : rows)
        row(Displayed(r.Code), Displayed(r.Name), typeName(r.UnitType), r.TaxRate, r.OptHS,
            r.OptO65, r.OptDP);
    return out;
}

std::string csvTable(const std::vector<ListingRow>& rows) {
    StringSink sink;
    {
        CsvWriter csv(sink);
        // The type comes last, so that scripts that read the columns by position still work.
        for (const char* h : {"code", "name", "tax_rate", "opt_hs", "opt_o65", "opt_dp", "type"})
            csv.field(h);
        csv.endRow();
        for (const ListingRow& r : rows) {
            for (const std::string* cell : {&r.Code, &r.Name}) csv.textField(Displayed(*cell));
            for (const std::string* cell : {&r.TaxRate, &r.OptHS, &r.OptO65, &r.OptDP})
                csv.field(*cell);
            csv.field(typeName(r.UnitType));
            csv.endRow();
        }
    }
    return sink.text;
}

using Json = nlohmann::ordered_json;

Json centsOrNull(const std::optional<std::int64_t>& cents) {
    return cents ? Json(*cents) : Json(nullptr);
}

std::string jsonDocument(const std::vector<ListingRow>& rows) {
    Json units = Json::array();
    for (const ListingRow& r : rows) {
        units.push_back(
            {{"code", Displayed(FieldShown(r.Code))},
             {"name", Displayed(FieldShown(r.Name))},
             {"type", typeName(r.UnitType)},
             {"tax_rate", r.RateDecimal},
             {"opt_hs", r.OptHS},
             {"opt_hs_cents", centsOrNull(r.OptHSCents)},
             {"opt_hs_fraction", r.OptHSFraction.empty() ? Json(nullptr) : Json(r.OptHSFraction)},
             {"opt_o65", r.OptO65},
             {"opt_o65_cents", centsOrNull(r.OptO65Cents)},
             {"opt_dp", r.OptDP},
             {"opt_dp_cents", centsOrNull(r.OptDPCents)}});
    }
    const Json j = {{"format", kJsonFormat}, {"units", std::move(units)}};
    return j.dump(2) + "\n";
}

} // namespace

std::string ListingText(const std::vector<ListingRow>& rows, ListFormat format) {
    switch (format) {
    case ListFormat::Csv: return csvTable(rows);
    case ListFormat::Json: return jsonDocument(rows);
    case ListFormat::Text: break;
    }
    return textTable(rows);
}

int RunList(const ListOptions& o, std::ostream& out, std::ostream& err) {
    std::unique_ptr<LoadedTable> table;
    if (const int status = LoadTable(o.File, err, table); status != kExitDone) return status;
    std::vector<ListingRow> rows = BuildListingRows(table->data());
    if (!o.Sort.empty())
        SortListingRows(rows, o.Sort == "rate" ? ListingColumn::Rate : ListingColumn::Name,
                        o.Descending);
    out << ListingText(rows, o.Format);
    return FinishedWriting(out, err);
}

} // namespace levywise::cli
