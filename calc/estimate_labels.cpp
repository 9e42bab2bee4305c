#include "calc/estimate_labels.h"

#include <algorithm>

#include "ratedata/formats.h"

namespace levywise {
namespace {

std::string moneyText(const Amount& amount) { return MoneyText(amount.cents()); }

} // namespace

UnitLabels LabelsOf(const UnitFigures& u) {
    UnitLabels l;
    l.AprVal = MoneyText(CentsAsShown(u.AprVal));
    l.TRate = PlainNumberText(u.Rate);
    // A never-written name is NUL bytes, which show as nothing.
    l.Name = u.Unit->Name.str();
    l.Name.erase(std::remove(l.Name.begin(), l.Name.end(), '\0'), l.Name.end());
    l.TotName = l.Name.substr(0, l.Name.find_last_not_of(' ') + 1);
    l.HSVal = moneyText(u.HSShown);
    l.O65Val = moneyText(u.AgeEx);
    l.VetVal = moneyText(u.Vet);
    l.NTV = moneyText(u.Net);
    l.Base1 = MoneyText(CentsAsShown(u.Base));
    l.Base2 = l.Base1;
    l.Tax = MoneyText(u.TaxCents);
    l.TotTax = l.Tax;
    return l;
}

Estimate LabelsOf(const EstimateFigures& f) {
    return Estimate{LabelsOf(f.County), LabelsOf(f.City), LabelsOf(f.School),
                    TotalLabels{MoneyText(f.SpclTaxCents), MoneyText(f.TotTaxCents)}, f.SpclTotal};
}

CalcResult<Estimate> CalculateTaxes(const modMain& data, const EstimateInput& input) {
    const auto figures = ComputeEstimate(data, input);
    if (!figures) return CalcResult<Estimate>::failure(figures.error());
    return LabelsOf(*figures);
}

} // namespace levywise
