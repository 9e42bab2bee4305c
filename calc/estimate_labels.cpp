#include "calc/estimate_labels.h"

#include <algorithm>

#include "ratedata/formats.h"

namespace levywise {
namespace {

UnitCents centsOf(const UnitFigures& u) {
    return UnitCents{CentsAsShown(u.AprVal), u.HSShown.cents(),    u.AgeEx.cents(), u.Vet.cents(),
                     u.Net.cents(),          CentsAsShown(u.Base), u.TaxCents};
}

} // namespace

UnitLabels LabelsOf(const UnitFigures& u) {
    UnitLabels l;
    l.Cents = centsOf(u);
    l.AprVal = MoneyText(l.Cents.AprVal);
    l.TRate = PlainNumberText(u.Rate);
    l.TRateDecimal = PlainDecimalText(u.Rate);
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

Estimate LabelsOf(const EstimateFigures& f) {
    return Estimate{LabelsOf(f.County), LabelsOf(f.City), LabelsOf(f.School),
                    TotalLabels{MoneyText(f.SpclTaxCents), MoneyText(f.TotTaxCents), f.SpclTaxCents,
                                f.TotTaxCents},
                    f.SpclTotal};
}

CalcResult<Estimate> CalculateTaxes(const modMain& data, const EstimateInput& input) {
    const auto figures = ComputeEstimate(data, input);
    if (!figures) return CalcResult<Estimate>::failure(figures.error());
    return LabelsOf(*figures);
}

} // namespace levywise
