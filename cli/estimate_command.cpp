#include "cli/estimate_command.h"

#include <memory>

#include "calc/estimate_labels.h"
#include "cli/exit_status.h"
#include "cli/rate_table.h"
#include "ratedata/formats.h"
#include "ratedata/text.h"

namespace levywise::cli {
namespace {

std::string withoutTrailingBlanks(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return std::string(text);
}

const ListEntry* chosen(const ListEntry* entry, const char* list, const std::string& code,
                        const std::string& rates, std::ostream& err) {
    if (!entry)
        err << "levywise-cli: " << rates << " has no " << list << " with the code \"" << code
            << "\"; \"levywise-cli list " << rates << "\" shows the codes\n";
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

} // namespace

std::optional<std::string> SelectDistricts(modMain& data, const UnitCodes& codes, std::string_view special) {
    if (EqualsIgnoringCase(special, "default")) return std::nullopt;
    for (int i = 1; i <= data.SpclCount; ++i) data.SpclSel[static_cast<std::size_t>(i)].Selected.assign("N");
    if (EqualsIgnoringCase(special, "none")) return std::nullopt;
    std::vector<int> slots;
    if (const auto unknown = codes.districtsOf(special, ',', slots)) return std::string(*unknown);
    for (const int i : slots) data.SpclSel[static_cast<std::size_t>(i)].Selected.assign("Y");
    return std::nullopt;
}

CalcResult<EstimateReport> EstimateProperty(const modMain& data, const EstimateInput& in) {
    const auto figures = ComputeEstimate(data, in);
    if (!figures) return CalcResult<EstimateReport>::failure(figures.error());
    EstimateReport report;
    report.CountyCode = withoutTrailingBlanks(CodeOfItem(in.CountyItem));
    report.CityCode = withoutTrailingBlanks(CodeOfItem(in.CityItem));
    report.SchoolCode = withoutTrailingBlanks(CodeOfItem(in.SchoolItem));
    report.Labels = LabelsOf(*figures);
    for (const DistrictTax& taxed : figures->Districts) {
        const Jurisdiction& d = data.SpclTbl[static_cast<std::size_t>(taxed.Slot)];
        report.Districts.push_back(TaxedDistrict{withoutTrailingBlanks(d.Code.view()),
                                                 withoutTrailingBlanks(d.Name.view()),
                                                 MoneyText(CentsAsShown(taxed.Tax))});
    }
    return report;
}

int RunEstimate(const EstimateOptions& o, std::ostream& out, std::ostream& err) {
    auto data = std::make_unique<modMain>();
    if (!LoadRateTable(o.Rates, *data, err)) return kExitFailed;
    const UnitCodes codes(*data);

    const ListEntry* county = chosen(codes.county(o.County), "county", o.County, o.Rates, err);
    const ListEntry* city = county ? chosen(codes.city(o.City), "city", o.City, o.Rates, err) : nullptr;
    const ListEntry* school = city ? chosen(codes.school(o.School), "school", o.School, o.Rates, err) : nullptr;
    if (!school) return kExitUsage;
    // An empty shell variable must not quietly leave every district out.
    if (o.Special.find_first_not_of(", ") == std::string::npos) {
        err << "levywise-cli: --special names no district; give codes separated by commas, none or "
               "default\n";
        return kExitUsage;
    }
    if (const auto unknown = SelectDistricts(*data, codes, o.Special)) {
        err << "levywise-cli: " << o.Rates << " has no special district with the code \"" << *unknown
            << "\"; \"levywise-cli list " << o.Rates << "\" shows the codes\n";
        return kExitUsage;
    }

    EstimateInput in;
    in.AprValText = o.Value;
    in.CountyItem = county->Item;
    in.CityItem = city->Item;
    in.SchoolItem = school->Item;
    in.GHS = o.Homestead;
    in.Age = o.Over65 ? AgeOption::O65 : o.Disabled ? AgeOption::DP : AgeOption::Neither;
    in.Vet = vetOption(o.Veteran);

    const auto report = EstimateProperty(*data, in);
    if (!report) {
        err << "levywise-cli: " << report.error() << '\n';
        return kExitFailed;
    }
    out << (o.Json ? EstimateJson(*report) : EstimateText(*report));
    return FinishedWriting(out, err);
}

} // namespace levywise::cli
