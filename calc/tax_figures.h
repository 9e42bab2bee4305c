#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "calc/calc_result.h"
#include "calc/estimate_input.h"
#include "ratedata/currency.h"
#include "ratedata/mod_main.h"

namespace levywise {

// The five figures of the "Total Tax" tab in cents, each rounded exactly as
// the money format shows it.
struct TaxFigures {
    std::int64_t CountyTax = 0;
    std::int64_t CityTax = 0;
    std::int64_t SchoolTax = 0;
    std::int64_t SpclTax = 0;
    std::int64_t TotTax = 0;
    Currency SpclTotal; // the special districts' tax before it is rounded to cents
};

// One estimate whose units have already been found.
struct FigureRequest {
    const Jurisdiction* County = nullptr; // the units as FindUnit finds them
    const Jurisdiction* City = nullptr;
    const Jurisdiction* School = nullptr;
    bool TaxDistricts = true;       // false when the county entry is " No County"
    std::span<const int> Districts; // SpclTbl slots to tax, ascending, each once
    std::string_view AprValText;
    bool GHS = false;
    AgeOption Age = AgeOption::Neither;
    VetOption Vet = VetOption::None;
};

// Works out the figures CalculateTaxes shows, with the same failures, for
// callers that estimate many properties against one table: no label is
// formatted and, for an ordinary value text, nothing is allocated. Special
// districts that share their exemption rules share one net taxable value.
// The table must outlive the calculator and stay unchanged.
class TaxFigureCalculator {
public:
    explicit TaxFigureCalculator(const modMain& data);

    CalcResult<TaxFigures> calculate(const FigureRequest& request);

private:
    bool hasQuarlowMinimum(const Jurisdiction* city) const;

    const modMain& data_;
    std::vector<char> quarlow_;             // per RateTbl slot
    std::vector<int> ruleGroup_;            // per SpclTbl slot
    std::vector<std::uint64_t> baseOfCall_; // per rule group: the call its base belongs to
    std::vector<double> base_;              // per rule group
    std::uint64_t call_ = 0;
};

// The same for a single estimate.
CalcResult<TaxFigures> CalculateTaxFigures(const modMain& data, const FigureRequest& request);

// The appraised value of a text exactly as AppraisedValueFromText reads it,
// without allocating for plain amounts such as "$250,000.50".
std::optional<double> AppraisedValueOf(std::string_view text);

// Whether a city's general homestead fraction has the higher minimum.
bool HasQuarlowHomesteadMinimum(const Jurisdiction& city);

// An amount in cents as the money format rounds it: the amount's
// 15-significant-digit decimal form, a half cent away from zero. The amount
// must lie in the range of money.
std::int64_t CentsAsShown(double amount);
std::int64_t CentsAsShown(Currency amount);

} // namespace levywise
