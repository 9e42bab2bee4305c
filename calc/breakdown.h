#pragma once

#include <optional>

#include "calc/estimate_input.h"
#include "ratedata/currency.h"
#include "ratedata/jurisdiction.h"

namespace levywise {

// A working figure of the calculation. Money that a Currency amount took part
// in is held to ten-thousandths; figures made only of the typed value and
// whole numbers stay doubles; an exemption that does not apply is empty and
// changes nothing it is subtracted from.
struct Amount {
    enum class Kind { Empty, Double, Money } kind = Kind::Empty;
    double number = 0;  // when Double
    Currency money;     // when Money

    static Amount empty() { return {}; }
    static Amount ofDouble(double d) { return {Kind::Double, d, {}}; }
    static Amount ofMoney(Currency c) { return {Kind::Money, 0, c}; }
    double value() const { return kind == Kind::Money ? money.toDouble() : number; }
    bool isNegative() const { return kind == Kind::Money ? money.raw() < 0 : number < 0; }
};

// The breakdown of one unit's tax on one property.
struct Breakdown {
    double aprVal = 0;
    Amount hs;      // general homestead
    Amount ageEx;   // over 65 or disabled person (whichever is chosen), else empty
    Amount vet;     // veteran
    Amount net;     // net taxable value
    double base = 0;
    double tax = 0;
};

// The minimum of a homestead exemption given as a fraction of the value.
inline constexpr double kMinimumExemption = 5000;
inline constexpr double kQuarlowHomesteadMinimum = 10000;

// Computes a unit's breakdown; empty when a figure would leave the range
// money can be kept in (the caller says which).
std::optional<Breakdown> ComputeBreakdown(const Jurisdiction& unit, double aprVal,
                                          const EstimateInput& input, double homesteadMinimum);

// The appraised value as typed, when it lies in the range of money.
std::optional<double> ReadAppraisedValue(const EstimateInput& input);

// Whether a tax figure can be shown and added up.
bool IsShowableTax(double tax);

} // namespace levywise
