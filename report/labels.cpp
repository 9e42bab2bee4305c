#include "report/labels.h"

#include <algorithm>

#include "ratedata/cp1252.h"
#include "ratedata/formats.h"

namespace levywise {
namespace {

UnitCents centsOf(const UnitEstimate& u, double aprVal) {
    return UnitCents{CentsAsShown(aprVal), u.HSShown.cents(),    u.AgeEx.cents(), u.Vet.cents(),
                     u.Net.cents(),        CentsAsShown(u.Base), u.TaxCents};
}

// A table field as shown: NULs of a never-written field dropped, no blanks around it.
std::string shownField(std::string_view field) {
    std::string text(field);
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
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

std::string ratesText(const EstimateRecord& r) {
    std::string text = Displayed(shownField(r.Rates->Source.Label));
    const std::string county = Displayed(shownField(r.Rates->Data.CountyName));
    if (!county.empty()) text += (text.empty() ? "" : ", ") + county + " County";
    return text;
}

} // namespace

UnitLabels LabelsOf(const UnitEstimate& u, double aprVal) {
    UnitLabels l;
    l.Cents = centsOf(u, aprVal);
    l.AprVal = MoneyText(l.Cents.AprVal);
    l.TRate = PlainNumberText(u.Unit->TaxRate);
    l.TRateDecimal = PlainDecimalText(u.Unit->TaxRate);
    // A never-written name is NUL bytes, which show as nothing.
    l.Name = u.Unit->Name.str();
    l.Name.erase(std::remove(l.Name.begin(), l.Name.end(), '\0'), l.Name.end());
    l.TotName = l.Name.substr(0, l.Name.find_last_not_of(' ') + 1);
    l.HSVal = MoneyText(l.Cents.HSVal);
    l.O65Val = MoneyText(l.Cents.O65Val);
    l.VetVal = MoneyText(l.Cents.VetVal);
    l.NTV = MoneyText(l.Cents.NTV);
    l.Base1 = MoneyText(l.Cents.Base);
    l.Base2 = l.Base1;
    l.Tax = MoneyText(l.Cents.Tax);
    l.TotTax = l.Tax;
    return l;
}

EstimateLabels LabelsOf(const EstimateRecord& r) {
    return EstimateLabels{LabelsOf(r.County, r.AprVal),
                          LabelsOf(r.City, r.AprVal),
                          LabelsOf(r.School, r.AprVal),
                          MoneyText(r.SpclTaxCents),
                          MoneyText(r.TotTaxCents),
                          r.SpclTaxCents,
                          r.TotTaxCents};
}

std::string CodeShown(const Jurisdiction& unit) {
    std::string code(unit.Code.trimmedRight());
    code.erase(std::remove(code.begin(), code.end(), '\0'), code.end());
    return code;
}

std::string FieldShown(std::string_view field) { return shownField(field); }

std::string Displayed(std::string_view cp1252) {
    return Utf8FromCp1252(cp1252, ControlCharacters::Replace);
}

std::vector<InputLine> InputLines(const EstimateRecord& r) {
    // The codes in order: the same districts are the same input in any table order.
    std::vector<std::string> codes;
    for (const DistrictEstimate& d : r.Districts)
        codes.push_back(Displayed(shownField(r.district(d).Code.view())));
    std::sort(codes.begin(), codes.end());
    std::string districts;
    for (const std::string& code : codes) districts += (districts.empty() ? "" : ", ") + code;
    return {
        {"Appraised value", MoneyText(CentsAsShown(r.AprVal))},
        {"County", Displayed(shownField(r.County.Unit->Name.view()))},
        {"City", Displayed(shownField(r.City.Unit->Name.view()))},
        {"School", Displayed(shownField(r.School.Unit->Name.view()))},
        {"General homestead", r.GHS ? "Yes" : "No"},
        {"Over 65 or disabled", ageText(r.Age)},
        {"Veteran", veteranText(r.Vet)},
        {"Special districts", districts.empty() ? "None" : districts},
        {"Rate file", r.Rates->Source.Path},
        {"Rates", ratesText(r)},
    };
}

} // namespace levywise
