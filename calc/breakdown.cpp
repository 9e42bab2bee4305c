#include "calc/breakdown.h"

#include <cmath>

#include "ratedata/number_text.h"

namespace levywise {
namespace {

// The optional part of an exemption: a fraction of the value (strictly
// between 0 and 1) rounded to whole dollars and raised to the minimum, or
// else an amount added as it stands.
double fractionPart(double aprVal, double fraction, double minimum) {
    const double part = std::floor(aprVal * fraction + 0.5);
    return part < minimum ? minimum : part;
}

std::optional<Currency> withOptional(Currency fixed, double opt, double aprVal, double minimum) {
    if (opt > 0 && opt < 1) return fixed.plus(fractionPart(aprVal, opt, minimum));
    return fixed.plus(opt);
}

std::optional<Currency> withOptional(Currency fixed, Currency opt, double aprVal, double minimum) {
    if (opt.raw() > 0 && opt.raw() < Currency::kScale)
        return fixed.plus(fractionPart(aprVal, opt.toDouble(), minimum));
    return fixed.plus(opt);
}

std::optional<Amount> subtract(const Amount& from, const Amount& what) {
    using K = Amount::Kind;
    if (what.kind == K::Empty) return from;
    if (from.kind == K::Money) {
        const auto r = what.kind == K::Money ? from.money.minus(what.money)
                                             : from.money.minus(what.number);
        if (!r) return std::nullopt;
        return Amount::ofMoney(*r);
    }
    if (what.kind == K::Money) {
        // value - money, rounded once as a whole
        const auto negated = Currency().minus(what.money);
        if (!negated) return std::nullopt;
        const auto r = negated->plus(from.number);
        if (!r) return std::nullopt;
        return Amount::ofMoney(*r);
    }
    return Amount::ofDouble(from.number - what.number);
}

std::int16_t veteranAmount(const Jurisdiction& unit, VetOption vet) {
    switch (vet) {
    case VetOption::Vet1: return unit.Vet1;
    case VetOption::Vet2: return unit.Vet2;
    case VetOption::Vet3: return unit.Vet3;
    case VetOption::Vet4: return unit.Vet4;
    case VetOption::None: break;
    }
    return 0;
}

} // namespace

std::optional<double> ReadAppraisedValue(const EstimateInput& input) {
    const auto value = AppraisedValueFromText(input.AprValText);
    if (!value || !Currency::fromDouble(*value)) return std::nullopt;
    return value;
}

bool IsShowableTax(double tax) {
    return Currency::fromDouble(tax).has_value();
}

std::optional<Breakdown> ComputeBreakdown(const Jurisdiction& unit, double aprVal,
                                          const EstimateInput& input, double homesteadMinimum) {
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

    std::optional<Amount> net = Amount::ofDouble(aprVal);
    for (const Amount* ex : {&b.hs, &b.ageEx, &b.vet}) {
        net = subtract(*net, *ex);
        if (!net) return std::nullopt;
    }
    if (net->isNegative()) *net = net->kind == Amount::Kind::Money ? Amount::ofMoney({})
                                                                    : Amount::ofDouble(0);
    b.net = *net;
    b.base = b.net.value() / 100;
    b.tax = b.base * unit.TaxRate;
    if (!IsShowableTax(b.tax)) return std::nullopt;
    return b;
}

} // namespace levywise
