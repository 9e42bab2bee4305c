#pragma once

#include <cmath>
#include <cstdint>
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

// The appraised value as typed, when it lies in the range of money.
std::optional<double> ReadAppraisedValue(const EstimateInput& input);

// Whether a tax figure can be shown and added up: a little inside the range
// of money, so that a shown tax can always be added up.
inline bool IsShowableTax(double tax) {
    return tax > -922337203685477.0 && tax < 922337203685477.0;
}

namespace breakdown_detail {


// The optional part of an exemption: a fraction of the value (strictly
// between 0 and 1) rounded to whole dollars and raised to the minimum, or
// else an amount added as it stands.
inline double fractionPart(double aprVal, double fraction, double minimum) {
    const double part = std::floor(aprVal * fraction + 0.5);
    return part < minimum ? minimum : part;
}

inline std::optional<Currency> withOptional(Currency fixed, double opt, double aprVal, double minimum) {
    if (opt > 0 && opt < 1) return fixed.plus(fractionPart(aprVal, opt, minimum));
    return fixed.plus(opt);
}

inline std::optional<Currency> withOptional(Currency fixed, Currency opt, double aprVal, double minimum) {
    if (opt.raw() > 0 && opt.raw() < Currency::kScale)
        return fixed.plus(fractionPart(aprVal, opt.toDouble(), minimum));
    return fixed.plus(opt);
}

// from -= what; false when the result leaves the range of money.
inline bool subtract(Amount& from, const Amount& what) {
    using K = Amount::Kind;
    if (what.kind == K::Empty) return true;
    if (from.kind == K::Money) {
        const auto r = what.kind == K::Money ? from.money.minus(what.money)
                                             : from.money.minus(what.number);
        if (!r) return false;
        from.money = *r;
        return true;
    }
    if (what.kind == K::Money) {
        // value - money, rounded once as a whole
        const auto negated = Currency().minus(what.money);
        const auto r = negated ? negated->plus(from.number) : std::nullopt;
        if (!r) return false;
        from = Amount::ofMoney(*r);
        return true;
    }
    from.number -= what.number;
    return true;
}

inline std::int16_t veteranAmount(const Jurisdiction& unit, VetOption vet) {
    switch (vet) {
    case VetOption::Vet1: return unit.Vet1;
    case VetOption::Vet2: return unit.Vet2;
    case VetOption::Vet3: return unit.Vet3;
    case VetOption::Vet4: return unit.Vet4;
    case VetOption::None: break;
    }
    return 0;
}

} // namespace breakdown_detail

// Computes a unit's breakdown; empty when a figure would leave the range
// money can be kept in (the caller says which). Inline: the estimate runs
// it once for every selected special district.
inline std::optional<Breakdown> ComputeBreakdown(const Jurisdiction& unit, double aprVal,
                                          const EstimateInput& input, double homesteadMinimum) {
    using namespace breakdown_detail;
    Breakdown b;
    b.aprVal = aprVal;
    if (input.GHS) {
        const auto hs = withOptional(unit.HSAmt, unit.OptHS, aprVal, homesteadMinimum);
        if (!hs) return std::nullopt;
        b.hs = Amount::ofMoney(*hs);
    }
    if (input.Age != AgeOption::Neither) {
        const bool o65 = input.Age == AgeOption::O65;
        const auto ex = o65 ? withOptional(unit.O65Amt, unit.OptO65, aprVal, kMinimumExemption)
                            : withOptional(unit.DPAmt, unit.OptDP, aprVal, kMinimumExemption);
        if (!ex) return std::nullopt;
        b.ageEx = Amount::ofMoney(*ex);
    }
    if (input.Vet != VetOption::None) b.vet = Amount::ofDouble(veteranAmount(unit, input.Vet));

    Amount net = Amount::ofDouble(aprVal);
    if (!subtract(net, b.hs) || !subtract(net, b.ageEx) || !subtract(net, b.vet)) return std::nullopt;
    if (net.isNegative()) net = net.kind == Amount::Kind::Money ? Amount::ofMoney({}) : Amount::ofDouble(0);
    b.net = net;
    b.base = b.net.value() / 100;
    b.tax = b.base * unit.TaxRate;
    if (!IsShowableTax(b.tax)) return std::nullopt;
    return b;
}

} // namespace levywise
