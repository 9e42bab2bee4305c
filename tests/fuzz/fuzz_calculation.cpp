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

#include "calc/estimate.h"
#include "exact_model.h"
#include "fuzz_check.h"
#include "money_text.h"
#include "ratedata/formats.h"
#include "ratedata/number_text.h"
#include "ratedata/rate_file.h"
#include "ratedata/text.h"
#include "report/labels.h"
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

std::string CodeFor(FuzzedDataProvider& in, const modMain& data, char type) {
    std::vector<std::string> listed; // the codes of the list's entries
    for (int k = 1; k <= data.RateCount; ++k)
        if (data.RateTbl[k].UnitType.equals(std::string_view(&type, 1)))
            listed.push_back(data.RateTbl[k].Code.str());
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0: return "";
    case 1: return in.ConsumeRandomLengthString(6);
    case 2: return data.RateTbl[in.ConsumeIntegralInRange(0, data.RateCount)].Code.str();
    default: return listed[in.ConsumeIntegralInRange<std::size_t>(0, listed.size() - 1)];
    }
}

// A property's inputs, owning the texts the request names.
struct Input {
    std::string value, county, city, school;
    EstimateRequest request;
};

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

void Fill(Input& input, FuzzedDataProvider& in, const modMain& data) {
    input.value = ValueText(in);
    input.county = CodeFor(in, data, kCountyUnit);
    input.city = CodeFor(in, data, kCityUnit);
    input.school = CodeFor(in, data, kSchoolUnit);
    EstimateRequest& r = input.request;
    r = EstimateRequest{};
    r.Value = input.value;
    r.County = input.county;
    r.City = input.city;
    r.School = input.school;
    r.GHS = in.ConsumeBool();
    r.Age = static_cast<AgeOption>(in.ConsumeIntegralInRange(0, 2));
    r.Vet = static_cast<VetOption>(in.ConsumeIntegralInRange(0, 4));
}

// The unit the entry of the list of this type with the code stands for: the
// first slot with the entry's code; null when the list has no such entry.
const Jurisdiction* UnitOf(const modMain& data, std::string_view code, char type) {
    code = Trimmed(code);
    if (code.empty())
        code = type == kCountyUnit ? PlaceholderCodes::NoCounty
               : type == kCityUnit ? PlaceholderCodes::NoCity
                                   : PlaceholderCodes::NoSchool;
    for (int k = 1; k <= data.RateCount; ++k) {
        const Jurisdiction& entry = data.RateTbl[k];
        if (!entry.UnitType.equals(std::string_view(&type, 1)) ||
            Trimmed(entry.Code.view()) != code)
            continue;
        for (int j = 1;; ++j)
            if (data.RateTbl[j].Code == entry.Code) return &data.RateTbl[j];
    }
    return nullptr;
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
void CheckTotal(const EstimateLabels& e) {
    const std::int64_t units =
        Cents(e.County.TotTax) + Cents(e.City.TotTax) + Cents(e.School.TotTax);
    const std::int64_t difference = Cents(e.TotTax) - units - Cents(e.TotSpclTax);
    const double dollars = std::fabs(static_cast<double>(units)) / 100;
    const double ulp = std::nextafter(dollars, std::numeric_limits<double>::infinity()) - dollars;
    const double allowed = 1 + std::ceil(100 * 3 * ulp);
    FUZZ_CHECK(std::fabs(static_cast<double>(difference)) <= allowed);
}

// The district sum is the districts' own taxes added up, each rounded once.
void CheckSpecialTotal(const modMain& data, const Jurisdiction& county, const EstimateRecord& f) {
    FUZZ_CHECK(LabelsOf(f).TotSpclTax == FormatCurrency(f.SpclTotal));
    Currency sum;
    std::size_t taxed = 0;
    if (county.Code.view() != PlaceholderCodes::NoCounty) {
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

std::optional<double> ValueOf(const EstimateRequest& input) {
    const auto value = AppraisedValueFromText(input.Value);
    if (!value || !Currency::fromDouble(*value)) return std::nullopt;
    return value;
}

// For a value the C library reads as the window does (digits, a point, a sign).
void CheckAgainstModel(const modMain& data, const Input& in, const Jurisdiction* const found[3],
                       const std::optional<Error>& error, const EstimateRecord& e) {
    const EstimateRequest& input = in.request;
    if (in.value.empty() || in.value.find_first_not_of("0123456789.-") != std::string::npos ||
        in.value.find_first_not_of("0") == std::string::npos || in.value == "-")
        return;
    const model::Property p{std::strtod(in.value.c_str(), nullptr), input.GHS,
                            static_cast<int>(input.Age), static_cast<int>(input.Vet)};
    if (AppraisedValueFromText(in.value) != std::optional<double>(p.value)) return;
    const model::Unit units[3] = {model::UnitOf(*found[0], false), model::UnitOf(*found[1], true),
                                  model::UnitOf(*found[2], false)};
    std::vector<model::Unit> districts;
    if (found[0]->Code.view() != PlaceholderCodes::NoCounty)
        for (int i = 1; i <= data.SpclCount; ++i)
            if (data.SpclSel[i].Selected.equals("Y"))
                districts.push_back(model::UnitOf(data.SpclTbl[i], false));
    const model::Result m = model::estimate(units, districts, p);
    FUZZ_CHECK(!error == !(m.valueTooLarge || m.taxTooLarge));
    if (error) return;
    const UnitEstimate* shown[3] = {&e.County, &e.City, &e.School};
    for (int k = 0; k < 3; ++k) {
        const UnitEstimate& u = *shown[k];
        FUZZ_CHECK(u.HSShown.cents() == m.units[k].hs && u.AgeEx.cents() == m.units[k].age &&
                   u.Vet.cents() == m.units[k].vet && u.Net.cents() == m.units[k].net &&
                   CentsAsShown(u.Base) == m.units[k].base && u.TaxCents == m.units[k].tax);
    }
    FUZZ_CHECK(e.SpclTotal.raw() == m.spclTotal && e.TotTaxCents == m.totalCents);
}

void CheckEstimate(const LoadedTable& table, const Input& input) {
    const modMain& data = table.data();
    const modMain before = data;
    EstimateRecord record;
    const std::optional<Error> error = Estimate(table, input.request, record);
    FUZZ_CHECK(SameTables(data, before)); // the tables are only read
    const Jurisdiction* const found[3] = {UnitOf(data, input.county, kCountyUnit),
                                          UnitOf(data, input.city, kCityUnit),
                                          UnitOf(data, input.school, kSchoolUnit)};
    if (!found[0] || !found[1] || !found[2]) {
        FUZZ_CHECK(error && error->kind == Error::Kind::UnknownCode);
        return;
    }
    CheckAgainstModel(data, input, found, error, record);
    const std::optional<double> value = ValueOf(input.request);
    if (error) {
        FUZZ_CHECK(error->problem == (value ? kTaxTooLarge : kValueTooLarge));
        return;
    }
    FUZZ_CHECK(value.has_value());
    const EstimateLabels labels = LabelsOf(record);
    const std::string valueShown = MoneyText(CentsAsShown(*value));
    CheckUnitTab(labels.County, *found[0], valueShown);
    CheckUnitTab(labels.City, *found[1], valueShown);
    CheckUnitTab(labels.School, *found[2], valueShown);
    CheckSpecialTotal(data, *found[0], record);
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
    const LoadedTable table(std::move(data), {});
    Input input;
    for (int estimate = in.ConsumeIntegralInRange(1, 3); estimate > 0; --estimate) {
        Fill(input, in, table.data());
        CheckEstimate(table, input);
    }
    return 0;
}
