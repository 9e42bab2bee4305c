#include "calc/totals.h"

#include "calc/breakdown.h"
#include "ratedata/formats.h"
#include "ratedata/number_text.h"

namespace levywise {

CalcResult<TotalLabels> ShowTotals(const std::string& countyTax, const std::string& cityTax,
                                   const std::string& schoolTax, Currency spclTotal) {
    // The unit taxes are added as shown, to the cent; the special districts'
    // sum is added unrounded, and the total is rounded once more when shown.
    const double county = AppraisedValueFromText(countyTax).value_or(0);
    const double city = AppraisedValueFromText(cityTax).value_or(0);
    const double school = AppraisedValueFromText(schoolTax).value_or(0);
    const auto total = spclTotal.plus(county + city + school);
    if (!total) return CalcResult<TotalLabels>::failure(kTaxTooLarge);
    return TotalLabels{FormatCurrency(spclTotal), FormatCurrency(*total)};
}

CalcResult<Estimate> CalculateTaxes(modMain& data, const EstimateInput& input) {
    auto county = CalcCountyTax(data, input);
    if (!county) return CalcResult<Estimate>::failure(county.error());
    auto city = CalcCityTax(data, input);
    if (!city) return CalcResult<Estimate>::failure(city.error());
    auto school = CalcSchoolTax(data, input);
    if (!school) return CalcResult<Estimate>::failure(school.error());

    Currency spclTotal;
    if (CodeOfItem(input.CountyItem) != PlaceholderCodes::NoCounty) {
        // The value is the same for every district: read it once.
        const auto aprVal = ReadAppraisedValue(input);
        if (!aprVal) return CalcResult<Estimate>::failure(kValueTooLarge);
        const int count = data.SpclCount;
        for (int i = 1; i <= count; ++i) {
            if (!data.SpclSel[i].Selected.equals("Y")) continue;
            const auto b = ComputeBreakdown(data.SpclTbl[i], *aprVal, input, kMinimumExemption);
            const auto sum = b ? spclTotal.plus(b->tax) : std::nullopt;
            if (!sum) return CalcResult<Estimate>::failure(kTaxTooLarge);
            spclTotal = *sum;
        }
    }

    auto totals = ShowTotals(county->TotTax, city->TotTax, school->TotTax, spclTotal);
    if (!totals) return CalcResult<Estimate>::failure(totals.error());
    data.SpclTotal = spclTotal;
    return Estimate{county.value(), city.value(), school.value(), totals.value(), spclTotal};
}

} // namespace levywise
