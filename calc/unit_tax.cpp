#include "calc/unit_tax.h"

#include <algorithm>
#include <cctype>

#include "calc/breakdown.h"
#include "ratedata/formats.h"

namespace levywise {
namespace {

std::string moneyText(const Amount& a) {
    return a.kind == Amount::Kind::Money ? FormatCurrency(a.money) : FormatCurrency(a.number);
}

// A never-written name is NUL bytes, which show as nothing.
std::string shownName(std::string_view name) {
    std::string out(name);
    out.erase(std::remove(out.begin(), out.end(), '\0'), out.end());
    return out;
}

std::string trimmedRight(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

bool isQuarlow(const Jurisdiction& unit) {
    std::string name = trimmedRight(shownName(unit.Name.view()));
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name == "CITY OF QUARLOW";
}

enum class Tab { County, City, School };

CalcResult<UnitLabels> calcUnit(const modMain& data, const EstimateInput& input,
                                const std::string& item, Tab tab) {
    const auto aprVal = ReadAppraisedValue(input);
    if (!aprVal) return CalcResult<UnitLabels>::failure(kValueTooLarge);
    const Jurisdiction& unit = FindUnit(data, item);
    const double hsMinimum =
        tab == Tab::City && isQuarlow(unit) ? kQuarlowHomesteadMinimum : kMinimumExemption;
    const auto b = ComputeBreakdown(unit, *aprVal, input, hsMinimum);
    if (!b) return CalcResult<UnitLabels>::failure(kTaxTooLarge);

    UnitLabels l;
    l.AprVal = FormatCurrency(b->aprVal);
    l.TRate = PlainNumberText(unit.TaxRate);
    l.Name = shownName(unit.Name.view());
    l.TotName = trimmedRight(l.Name);
    // The city tab never shows a homestead larger than the value itself;
    // the whole exemption is still the one subtracted.
    if (tab == Tab::City && b->hs.value() > b->aprVal)
        l.HSVal = FormatCurrency(b->aprVal);
    else
        l.HSVal = moneyText(b->hs);
    l.O65Val = moneyText(b->ageEx);
    l.VetVal = moneyText(b->vet);
    l.NTV = moneyText(b->net);
    l.Base1 = FormatCurrency(b->base);
    l.Base2 = l.Base1;
    l.Tax = FormatCurrency(b->tax);
    l.TotTax = l.Tax;
    return l;
}

} // namespace

const Jurisdiction& FindUnit(const modMain& data, const std::string& itemText) {
    const std::string_view code = CodeOfItem(itemText);
    for (int k = 1; k <= data.RateCount; ++k)
        if (data.RateTbl[k].Code.view() == code) return data.RateTbl[k];
    return data.RateTbl[0];
}

CalcResult<UnitLabels> CalcCountyTax(const modMain& data, const EstimateInput& input) {
    return calcUnit(data, input, input.CountyItem, Tab::County);
}

CalcResult<UnitLabels> CalcCityTax(const modMain& data, const EstimateInput& input) {
    return calcUnit(data, input, input.CityItem, Tab::City);
}

CalcResult<UnitLabels> CalcSchoolTax(const modMain& data, const EstimateInput& input) {
    return calcUnit(data, input, input.SchoolItem, Tab::School);
}

} // namespace levywise
