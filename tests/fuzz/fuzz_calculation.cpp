// Runs whole estimates on fuzzed inputs over a fuzzed rate table. A table
// is written as rate file text and loaded as the program loads it; the
// estimate either fails with a message and changes nothing, or shows texts
// that hold together: no negative net taxable value, a total that is the
// sum of the amounts shown above it, and a special district tax that is
// the districts' own taxes added up. Estimates of plain decimal values are
// compared figure by figure with the exact model of the arithmetic.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "calc/estimate_labels.h"
#include "exact_model.h"
#include "fuzz_check.h"
#include "money_text.h"
#include "ratedata/formats.h"
#include "ratedata/number_text.h"
#include "ratedata/rate_file.h"
#include "table_checks.h"

namespace levywise::fuzz {
namespace {

template <std::size_t N>
std::string_view Pick(FuzzedDataProvider& in, const std::array<std::string_view, N>& choices) {
    return choices[in.ConsumeIntegralInRange<std::size_t>(0, N - 1)];
}

std::string DoubleText(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string AmountText(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 7)) {
    case 0: return "";
    case 1: return std::to_string(in.ConsumeIntegralInRange<std::int64_t>(-100000, 1000000));
    case 2: return "0." + std::to_string(in.ConsumeIntegralInRange(1, 9999));
    case 3: return std::to_string(in.ConsumeIntegralInRange(-100, 200)) + "%";
    case 4: return DoubleText(in.ConsumeFloatingPoint<double>());
    case 5: return DoubleText(in.ConsumeFloatingPointInRange<double>(-1e15, 1e15));
    case 6: return std::string(Pick<6>(in, {"1", "0.5", "9.2e14", "-9.2e14", "1e-5", "$5,000"}));
    default: return in.ConsumeRandomLengthString(12);
    }
}

std::string WholeText(FuzzedDataProvider& in) {
    if (in.ConsumeBool()) return std::to_string(in.ConsumeIntegral<std::int16_t>());
    return AmountText(in);
}

std::string RecordLine(FuzzedDataProvider& in) {
    std::string line;
    if (in.ConsumeBool())
        line = Pick<10>(in, {"101", "102", "201", "202", "301", "302", "401", "100", "000", "900"});
    else
        line = in.ConsumeRandomLengthString(4);
    line += '\t';
    if (in.ConsumeBool())
        line += Pick<5>(in, {"CITY OF QUARLOW", "City of Quarlow     ", "CORVELL", " ", ""});
    else
        line += in.ConsumeRandomLengthString(34);
    line += '\t';
    line += Pick<7>(in, {"K", "C", "I", "S", "S", "X", ""});
    line += '\t';
    line += Pick<4>(in, {"Y", "N", "y", ""});
    for (int column = 5; column <= 13; ++column) line += '\t' + AmountText(in);
    for (int column = 14; column <= 20; ++column) line += '\t' + WholeText(in);
    return line;
}

// A rate file of up to 24 lines, the last one sometimes repeated up to
// the table's limits.
std::string RateFileText(FuzzedDataProvider& in) {
    std::string text = "TaxRates v3.54\tFuzzed\tCounty\t\r\n";
    std::string line;
    for (int n = in.ConsumeIntegralInRange(0, 24); n > 0; --n) {
        line = RecordLine(in);
        text += line + "\r\n";
    }
    if (!line.empty() && in.ConsumeIntegralInRange(0, 15) == 0)
        for (int n = in.ConsumeIntegralInRange(0, 520); n > 0; --n) text += line + "\r\n";
    return text;
}

std::string ItemFor(FuzzedDataProvider& in, const modMain& data, char type) {
    const std::vector<std::string> items = ListItemsOfType(data, type);
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0: return "";
    case 1: return in.ConsumeRandomLengthString(6);
    case 2: return ItemText(data.RateTbl[in.ConsumeIntegralInRange(0, data.RateCount)]);
    default: return items[in.ConsumeIntegralInRange<std::size_t>(0, items.size() - 1)];
    }
}

std::string ValueText(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return std::to_string(in.ConsumeIntegralInRange(-1000, 2000000)) + "." +
               std::to_string(in.ConsumeIntegralInRange(0, 99));
    case 1: return DoubleText(in.ConsumeFloatingPoint<double>());
    case 2: return DoubleText(in.ConsumeFloatingPointInRange<double>(-1e15, 1e15));
    default: return in.ConsumeRandomLengthString(40);
    }
}

EstimateInput InputFor(FuzzedDataProvider& in, const modMain& data) {
    EstimateInput input;
    input.AprValText = ValueText(in);
    input.CountyItem = ItemFor(in, data, kCountyUnit);
    input.CityItem = ItemFor(in, data, kCityUnit);
    input.SchoolItem = ItemFor(in, data, kSchoolUnit);
    input.GHS = in.ConsumeBool();
    input.Age = static_cast<AgeOption>(in.ConsumeIntegralInRange(0, 2));
    input.Vet = static_cast<VetOption>(in.ConsumeIntegralInRange(0, 4));
    return input;
}

void ChangeSelection(FuzzedDataProvider& in, modMain& data) {
    for (int i = 1; i <= data.SpclCount; ++i)
        if (in.ConsumeBool()) data.SpclSel[i].Selected.assign(Pick<3>(in, {"Y", "N", "y"}));
}

void CheckUnitTab(const UnitLabels& tab, const Jurisdiction& unit, const std::string& valueShown) {
    for (const std::string* money :
         {&tab.AprVal, &tab.HSVal, &tab.O65Val, &tab.VetVal, &tab.NTV, &tab.Base1, &tab.Tax})
        FUZZ_CHECK(IsMoneyText(*money));
    FUZZ_CHECK(tab.AprVal == valueShown);
    FUZZ_CHECK(tab.NTV[0] != '-' && tab.Base1[0] != '-');
    if (unit.TaxRate >= 0) FUZZ_CHECK(tab.Tax[0] != '-');
    FUZZ_CHECK(tab.Base1 == tab.Base2 && tab.Tax == tab.TotTax);
    FUZZ_CHECK(tab.TRate == PlainNumberText(unit.TaxRate));
    FUZZ_CHECK(tab.TotName == tab.Name.substr(0, tab.Name.find_last_not_of(' ') + 1));
}

std::int64_t Cents(const std::string& money) {
    const auto cents = CentsOfMoneyText(money);
    FUZZ_CHECK(cents.has_value());
    return *cents;
}

// The total is the shown unit taxes and the unrounded district sum added
// and rounded once: a cent off the shown parts at most, plus what adding
// the unit taxes as doubles can lose on huge amounts.
void CheckTotal(const Estimate& e) {
    const std::int64_t units =
        Cents(e.County.TotTax) + Cents(e.City.TotTax) + Cents(e.School.TotTax);
    const std::int64_t difference = Cents(e.Totals.TotTax) - units - Cents(e.Totals.TotSpclTax);
    const double dollars = std::fabs(static_cast<double>(units)) / 100;
    const double ulp = std::nextafter(dollars, std::numeric_limits<double>::infinity()) - dollars;
    const double allowed = 1 + std::ceil(100 * 3 * ulp);
    FUZZ_CHECK(std::fabs(static_cast<double>(difference)) <= allowed);
}

// The district sum is the districts' own taxes added up, each rounded once.
void CheckSpecialTotal(const modMain& data, const EstimateInput& input, const EstimateFigures& f) {
    FUZZ_CHECK(LabelsOf(f).Totals.TotSpclTax == FormatCurrency(f.SpclTotal));
    Currency sum;
    std::size_t taxed = 0;
    if (CodeOfItem(input.CountyItem) != PlaceholderCodes::NoCounty) {
        for (int i = 1; i <= data.SpclCount; ++i) {
            if (!data.SpclSel[i].Selected.equals("Y")) continue;
            FUZZ_CHECK(taxed < f.Districts.size() && f.Districts[taxed].Slot == i);
            const auto next = sum.plus(f.Districts[taxed++].Tax);
            FUZZ_CHECK(next.has_value());
            sum = *next;
        }
    }
    FUZZ_CHECK(taxed == f.Districts.size());
    FUZZ_CHECK(f.SpclTotal == sum);
}

std::optional<double> ValueOf(const EstimateInput& input) {
    const auto value = AppraisedValueFromText(input.AprValText);
    if (!value || !Currency::fromDouble(*value)) return std::nullopt;
    return value;
}

// For a value the C library reads as the window does (digits, a point, a sign).
void CheckAgainstModel(const modMain& data, const EstimateInput& input,
                       const CalcResult<EstimateFigures>& e) {
    if (input.AprValText.empty() ||
        input.AprValText.find_first_not_of("0123456789.-") != std::string::npos ||
        input.AprValText.find_first_not_of("0") == std::string::npos || input.AprValText == "-")
        return;
    const model::Property p{std::strtod(input.AprValText.c_str(), nullptr), input.GHS,
                            static_cast<int>(input.Age), static_cast<int>(input.Vet)};
    if (AppraisedValueFromText(input.AprValText) != std::optional<double>(p.value)) return;
    const model::Unit units[3] = {model::UnitOf(FindUnit(data, input.CountyItem), false),
                                  model::UnitOf(FindUnit(data, input.CityItem), true),
                                  model::UnitOf(FindUnit(data, input.SchoolItem), false)};
    std::vector<model::Unit> districts;
    if (CodeOfItem(input.CountyItem) != PlaceholderCodes::NoCounty)
        for (int i = 1; i <= data.SpclCount; ++i)
            if (data.SpclSel[i].Selected.equals("Y"))
                districts.push_back(model::UnitOf(data.SpclTbl[i], false));
    const model::Result m = model::estimate(units, districts, p);
    FUZZ_CHECK(e.ok() == !(m.valueTooLarge || m.taxTooLarge));
    if (!e.ok()) return;
    const UnitFigures* shown[3] = {&e->County, &e->City, &e->School};
    for (int k = 0; k < 3; ++k) {
        const UnitFigures& u = *shown[k];
        FUZZ_CHECK(u.HSShown.cents() == m.units[k].hs && u.AgeEx.cents() == m.units[k].age &&
                   u.Vet.cents() == m.units[k].vet && u.Net.cents() == m.units[k].net &&
                   CentsAsShown(u.Base) == m.units[k].base && u.TaxCents == m.units[k].tax);
    }
    FUZZ_CHECK(e->SpclTotal.raw() == m.spclTotal && e->TotTaxCents == m.totalCents);
}

void CheckEstimate(const modMain& data, const EstimateInput& input) {
    const modMain before = data;
    const CalcResult<EstimateFigures> result = ComputeEstimate(data, input);
    FUZZ_CHECK(SameTables(data, before)); // the tables are only read
    CheckAgainstModel(data, input, result);
    const std::optional<double> value = ValueOf(input);
    if (!result.ok()) {
        FUZZ_CHECK(result.error() == (value ? kTaxTooLarge : kValueTooLarge));
        return;
    }
    FUZZ_CHECK(value.has_value());
    const Estimate labels = LabelsOf(*result);
    const std::string valueShown = MoneyText(CentsAsShown(*value));
    CheckUnitTab(labels.County, FindUnit(data, input.CountyItem), valueShown);
    CheckUnitTab(labels.City, FindUnit(data, input.CityItem), valueShown);
    CheckUnitTab(labels.School, FindUnit(data, input.SchoolItem), valueShown);
    CheckSpecialTotal(data, input, *result);
    CheckTotal(labels);
}

} // namespace
} // namespace levywise::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace levywise;
    using namespace levywise::fuzz;
    FuzzedDataProvider in(bytes, size);
    const RateFileRead read = ParseRateFile(RateFileText(in), "fuzzed.tab");
    if (read.status != RateFileStatus::Loaded) return 0;
    modMain data;
    InstallRateTable(data, read.contents);
    ChangeSelection(in, data);
    for (int estimate = in.ConsumeIntegralInRange(1, 3); estimate > 0; --estimate)
        CheckEstimate(data, InputFor(in, data));
    return 0;
}
