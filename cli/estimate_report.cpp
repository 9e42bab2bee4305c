#include "cli/estimate_report.h"

#include <nlohmann/json.hpp>

#include "cli/display_text.h"

namespace levywise::cli {
namespace {

constexpr std::size_t kLabelWidth = 32;
constexpr std::size_t kValueWidth = 16;

std::string trimmedName(const std::string& name) {
    std::size_t b = 0;
    while (b < name.size() && name[b] == ' ') ++b;
    std::size_t e = name.size();
    while (e > b && name[e - 1] == ' ') --e;
    return Shown(std::string_view(name).substr(b, e - b));
}

void line(std::string& out, const std::string& label, const std::string& value) {
    out += "  ";
    out += label;
    std::size_t used = Utf8Length(label);
    const std::size_t width = std::max(kLabelWidth, used + 1) + kValueWidth;
    for (; used + value.size() < width; ++used) out += ' ';
    out += value;
    out += '\n';
}

void unitSection(std::string& out, const char* tab, const std::string& code, const UnitLabels& u) {
    out += tab;
    out += ": " + trimmedName(u.TotName) + " (" + Shown(code) + ")\n";
    line(out, "Appraised Value", u.AprVal);
    line(out, "- Value of gen. HS", u.HSVal);
    line(out, "- Value of O65 or DP HS", u.O65Val);
    line(out, "- Value of Vet Exemption", u.VetVal);
    line(out, "Net taxable value", u.NTV);
    line(out, "Tax base", u.Base1);
    line(out, "Tax rate", u.TRate);
    line(out, "Tax", u.Tax);
    out += '\n';
}

nlohmann::ordered_json unitJson(const std::string& code, const UnitLabels& u) {
    nlohmann::ordered_json j;
    j["code"] = Utf8FromCp1252(code);
    j["name"] = Utf8FromCp1252(u.TotName);
    j["appraised_value"] = u.AprVal;
    j["homestead"] = u.HSVal;
    j["over65_or_disabled"] = u.O65Val;
    j["veteran"] = u.VetVal;
    j["net_taxable_value"] = u.NTV;
    j["tax_base"] = u.Base1;
    j["tax_rate"] = u.TRate;
    j["tax"] = u.Tax;
    return j;
}

} // namespace

std::string EstimateText(const EstimateReport& r) {
    const Estimate& e = r.Labels;
    std::string out;
    unitSection(out, "County Tax", r.CountyCode, e.County);
    unitSection(out, "City Tax", r.CityCode, e.City);
    unitSection(out, "School Tax", r.SchoolCode, e.School);

    out += "Special districts taxed\n";
    if (r.Districts.empty()) out += "  none\n";
    for (const TaxedDistrict& d : r.Districts)
        line(out, trimmedName(d.Name) + " (" + Shown(d.Code) + ")", d.Tax);
    out += '\n';

    out += "Total Tax\n";
    line(out, trimmedName(e.County.TotName), e.County.TotTax);
    line(out, trimmedName(e.City.TotName), e.City.TotTax);
    line(out, trimmedName(e.School.TotName), e.School.TotTax);
    line(out, "Special District Tax*", e.Totals.TotSpclTax);
    line(out, "Total Taxes", e.Totals.TotTax);
    out += "*Special District Tax includes all special districts selected\n";
    return out;
}

std::string EstimateJson(const EstimateReport& r) {
    const Estimate& e = r.Labels;
    nlohmann::ordered_json j;
    j["county"] = unitJson(r.CountyCode, e.County);
    j["city"] = unitJson(r.CityCode, e.City);
    j["school"] = unitJson(r.SchoolCode, e.School);
    j["special_districts"] = nlohmann::ordered_json::array();
    for (const TaxedDistrict& d : r.Districts) {
        nlohmann::ordered_json district;
        district["code"] = Utf8FromCp1252(d.Code);
        district["name"] = Utf8FromCp1252(d.Name);
        district["tax"] = d.Tax;
        j["special_districts"].push_back(std::move(district));
    }
    j["totals"] = {{"county", e.County.TotTax},
                   {"city", e.City.TotTax},
                   {"school", e.School.TotTax},
                   {"special", e.Totals.TotSpclTax},
                   {"total", e.Totals.TotTax}};
    return j.dump(2) + "\n";
}

} // namespace levywise::cli
