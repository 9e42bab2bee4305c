#include "calc/estimate_record.h"

#include <algorithm>
#include <string_view>

#include "ratedata/cp1252.h"
#include "ratedata/formats.h"

namespace levywise {
namespace {

// A table field as shown: NULs of a never-written field dropped, no blanks around it.
std::string shownField(std::string_view field) {
    std::string text(field);
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

UnitRecord unitRecord(const UnitFigures& unit) {
    return {shownField(unit.Unit->Code.view()), LabelsOf(unit), unit.TaxCents};
}

const char* ageText(AgeOption age) {
    switch (age) {
    case AgeOption::O65: return "Over 65 or Surviving Spouse";
    case AgeOption::DP: return "Disabled Person";
    case AgeOption::Neither: break;
    }
    return "Neither";
}

const char* veteranText(VetOption vet) {
    switch (vet) {
    case VetOption::Vet1: return "Veterans 10-30%";
    case VetOption::Vet2: return "Veterans 31-50%";
    case VetOption::Vet3: return "Veterans 51-70%";
    case VetOption::Vet4: return "Veterans 71-100%";
    case VetOption::None: break;
    }
    return "None";
}

std::string ratesText(const RateSource& source) {
    std::string text = Displayed(shownField(source.Label));
    const std::string county = Displayed(shownField(source.County));
    if (!county.empty()) text += (text.empty() ? "" : ", ") + county + " County";
    return text;
}

} // namespace

EstimateRecord RecordEstimate(const modMain& data, const EstimateInput& input,
                              const EstimateFigures& figures, RateSource source) {
    EstimateRecord r;
    r.Input = input;
    r.Source = std::move(source);
    r.County = unitRecord(figures.County);
    r.City = unitRecord(figures.City);
    r.School = unitRecord(figures.School);
    for (const DistrictTax& d : figures.Districts) {
        const Jurisdiction& unit = data.SpclTbl[static_cast<std::size_t>(d.Slot)];
        r.Districts.push_back({shownField(unit.Code.view()), shownField(unit.Name.view()),
                               PlainNumberText(unit.TaxRate), CentsAsShown(d.Tax)});
    }
    r.AprValCents = CentsAsShown(figures.County.AprVal);
    r.SpclTaxCents = figures.SpclTaxCents;
    r.TotTaxCents = figures.TotTaxCents;
    return r;
}

std::vector<InputLine> InputLines(const EstimateRecord& r) {
    // The codes in order: the same districts are the same input in any table order.
    std::vector<std::string> codes;
    for (const DistrictRecord& d : r.Districts) codes.push_back(Displayed(d.Code));
    std::sort(codes.begin(), codes.end());
    std::string districts;
    for (const std::string& code : codes) districts += (districts.empty() ? "" : ", ") + code;
    return {
        {"Appraised value", r.County.Labels.AprVal},
        {"County", Displayed(shownField(r.County.Labels.TotName))},
        {"City", Displayed(shownField(r.City.Labels.TotName))},
        {"School", Displayed(shownField(r.School.Labels.TotName))},
        {"General homestead", r.Input.GHS ? "Yes" : "No"},
        {"Over 65 or disabled", ageText(r.Input.Age)},
        {"Veteran", veteranText(r.Input.Vet)},
        {"Special districts", districts.empty() ? "None" : districts},
        {"Rate file", r.Source.Path},
        {"Rates", ratesText(r.Source)},
    };
}

std::string Displayed(std::string_view cp1252) {
    return Utf8FromCp1252(cp1252, ControlCharacters::Replace);
}

} // namespace levywise
