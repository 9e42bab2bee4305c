#include "cli/estimate.h"

#include <ctime>
#include <memory>

#include "calc/estimate_labels.h"
#include "calc/worksheet_html.h"
#include "cli/estimate_json.h"
#include "cli/text_output.h"
#include "ratedata/formats.h"
#include "ratedata/number_text.h"
#include "ratedata/text.h"

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
    out += ' '; // a figure wider than its column still stands apart
    for (++used; used + value.size() < width; ++used) out += ' ';
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
    j["code"] = Shown(code);
    j["name"] = Shown(u.TotName);
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

nlohmann::ordered_json EstimateJsonValue(const EstimateReport& r) {
    const Estimate& e = r.Labels;
    nlohmann::ordered_json j;
    j["county"] = unitJson(r.CountyCode, e.County);
    j["city"] = unitJson(r.CityCode, e.City);
    j["school"] = unitJson(r.SchoolCode, e.School);
    j["special_districts"] = nlohmann::ordered_json::array();
    for (const TaxedDistrict& d : r.Districts) {
        nlohmann::ordered_json district;
        district["code"] = Shown(d.Code);
        district["name"] = Shown(d.Name);
        district["tax"] = d.Tax;
        j["special_districts"].push_back(std::move(district));
    }
    j["totals"] = {{"county", e.County.TotTax},
                   {"city", e.City.TotTax},
                   {"school", e.School.TotTax},
                   {"special", e.Totals.TotSpclTax},
                   {"total", e.Totals.TotTax}};
    return j;
}

std::string EstimateJson(const EstimateReport& r) { return EstimateJsonValue(r).dump(2) + "\n"; }

} // namespace levywise::cli

namespace levywise::cli {
namespace {

std::string withoutTrailingBlanks(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return std::string(text);
}

void sharedCode(const std::string& code, const std::string& rates, std::ostream& err,
                std::string_view who) {
    err << who << rates << " has more than one unit with the code \"" << Quoted(code)
        << "\"; \"levywise-cli check " << rates << "\" names their lines\n";
}

const ListEntry* chosen(const UnitCodes& codes, const ListEntry* entry, const char* list,
                        const std::string& code, const std::string& rates, std::ostream& err,
                        std::string_view who) {
    if (!entry) {
        err << who << rates << " has no " << list << " with the code \"" << Quoted(code)
            << "\"; \"levywise-cli list " << rates << "\" shows the codes\n";
        return nullptr;
    }
    if (!Trimmed(code).empty() && codes.shared(code)) {
        sharedCode(code, rates, err, who);
        return nullptr;
    }
    return entry;
}

VetOption vetOption(int bracket) {
    switch (bracket) {
    case 1: return VetOption::Vet1;
    case 2: return VetOption::Vet2;
    case 3: return VetOption::Vet3;
    case 4: return VetOption::Vet4;
    default: return VetOption::None;
    }
}

bool isDigitOf(char c, int radix) {
    if (c == '\0') return false;
    if (radix == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) return true;
    return c >= '0' && c < (radix == 8 ? '8' : ':');
}

} // namespace

ValueCheck CheckValue(std::string_view text) {
    // As the value is read: blanks, tabs, line feeds, "$" and "," dropped anywhere.
    std::size_t at = 0;
    const auto next = [&]() -> char {
        while (at < text.size() && std::string_view(" \t\n$,").find(text[at]) != std::string::npos)
            ++at;
        return at < text.size() ? text[at] : '\0';
    };
    const auto take = [&] { ++at; };
    int radix = 10;
    if (next() == '&') {
        take();
        radix = next() == 'H' || next() == 'h' ? 16 : 8;
        if (std::string_view("HhOo").find(next()) != std::string::npos) take();
    } else {
        if (next() == '+' || next() == '-') take();
        if (next() == '.') take();
    }
    if (!isDigitOf(next(), radix)) return ValueCheck::NoNumber;
    const std::optional<double> value = AppraisedValueFromText(text);
    return value && *value < 0 ? ValueCheck::Negative : ValueCheck::Amount;
}

std::string_view ValueProblem(ValueCheck check) {
    return check == ValueCheck::Negative ? "is negative" : "is not an amount";
}

std::optional<std::string> SelectDistricts(modMain& data, const UnitCodes& codes,
                                           std::string_view special) {
    if (EqualsIgnoringCase(special, "default")) return std::nullopt;
    for (int i = 1; i <= data.SpclCount; ++i)
        data.SpclSel[static_cast<std::size_t>(i)].Selected.assign("N");
    if (EqualsIgnoringCase(special, "none")) return std::nullopt;
    std::vector<int> slots;
    if (const auto unknown = codes.districtsOf(special, ',', slots)) return std::string(*unknown);
    for (const int i : slots) data.SpclSel[static_cast<std::size_t>(i)].Selected.assign("Y");
    return std::nullopt;
}

EstimateReport ReportOf(const modMain& data, const EstimateInput& in,
                        const EstimateFigures& figures) {
    EstimateReport report;
    report.CountyCode = withoutTrailingBlanks(CodeOfItem(in.CountyItem));
    report.CityCode = withoutTrailingBlanks(CodeOfItem(in.CityItem));
    report.SchoolCode = withoutTrailingBlanks(CodeOfItem(in.SchoolItem));
    report.Labels = LabelsOf(figures);
    for (const DistrictTax& taxed : figures.Districts) {
        const Jurisdiction& d = data.SpclTbl[static_cast<std::size_t>(taxed.Slot)];
        report.Districts.push_back(TaxedDistrict{withoutTrailingBlanks(d.Code.view()),
                                                 withoutTrailingBlanks(d.Name.view()),
                                                 MoneyText(CentsAsShown(taxed.Tax))});
    }
    return report;
}

CalcResult<EstimateReport> EstimateProperty(const modMain& data, const EstimateInput& in) {
    const auto figures = ComputeEstimate(data, in);
    if (!figures) return CalcResult<EstimateReport>::failure(figures.error());
    return ReportOf(data, in, *figures);
}

int WorkOutEstimate(const EstimateOptions& o, WorkedEstimate& worked, std::ostream& err,
                    EstimateSide side) {
    const std::string_view who = side.Who;
    modMain& data = *worked.Data;
    if (const int status = LoadRateTable(o.Rates, data, err, who, &worked.TableLabel);
        status != kExitDone)
        return status;
    const UnitCodes codes(data);

    const ListEntry* county =
        chosen(codes, codes.county(o.County), "county", o.County, o.Rates, err, who);
    const ListEntry* city =
        county ? chosen(codes, codes.city(o.City), "city", o.City, o.Rates, err, who) : nullptr;
    const ListEntry* school =
        city ? chosen(codes, codes.school(o.School), "school", o.School, o.Rates, err, who)
             : nullptr;
    if (!school) return kExitUsage;
    // An empty shell variable must not quietly leave every district out.
    if (o.Special.find_first_not_of(", ") == std::string::npos) {
        err << who << side.Dashes
            << "special names no district; give codes separated by commas, none or default\n";
        return kExitUsage;
    }
    if (const auto bad = SelectDistricts(data, codes, o.Special)) {
        if (!codes.districts(*bad).empty())
            sharedCode(*bad, o.Rates, err, who);
        else
            err << who << o.Rates << " has no special district with the code \"" << Quoted(*bad)
                << "\"; \"levywise-cli list " << o.Rates << "\" shows the codes\n";
        return kExitUsage;
    }

    if (const ValueCheck value = CheckValue(o.Value); value != ValueCheck::Amount) {
        err << who << side.Dashes << "value \"" << Quoted(o.Value) << "\" " << ValueProblem(value)
            << "; give the appraised value as a number such as 200000\n";
        return kExitUsage;
    }

    EstimateInput& in = worked.Input;
    in.AprValText = o.Value;
    in.CountyItem = county->Item;
    in.CityItem = city->Item;
    in.SchoolItem = school->Item;
    in.GHS = o.Homestead;
    in.Age = o.Over65 ? AgeOption::O65 : o.Disabled ? AgeOption::DP : AgeOption::Neither;
    in.Vet = vetOption(o.Veteran);

    auto figures = ComputeEstimate(data, in);
    if (!figures) {
        err << who << figures.error() << '\n';
        return kExitFailed;
    }
    worked.Figures = std::move(figures.value());
    return kExitDone;
}

EstimateRecord RecordOf(const WorkedEstimate& w, const std::string& rates) {
    return RecordEstimate(*w.Data, w.Input, w.Figures,
                          RateSource{rates, w.TableLabel, w.Data->CountyName});
}

std::string TodayText() {
    const std::time_t now = std::time(nullptr);
    char text[16];
    const std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%d", std::localtime(&now));
    return std::string(text, n);
}

int RunEstimate(const EstimateOptions& o, OutputFormat format, std::ostream& out,
                std::ostream& err) {
    WorkedEstimate worked;
    if (const int status = WorkOutEstimate(o, worked, err); status != kExitDone) return status;
    const EstimateInput& in = worked.Input;
    switch (format) {
    case OutputFormat::Text: out << EstimateText(ReportOf(*worked.Data, in, worked.Figures)); break;
    case OutputFormat::Json: out << EstimateJson(ReportOf(*worked.Data, in, worked.Figures)); break;
    case OutputFormat::Html: out << WorksheetHtml(RecordOf(worked, o.Rates), TodayText()); break;
    }
    return FinishedWriting(out, err);
}

} // namespace levywise::cli
