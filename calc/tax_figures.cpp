#include "calc/tax_figures.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <tuple>

#include "calc/breakdown.h"
#include "ratedata/formats.h"
#include "ratedata/number_text.h"

namespace levywise {
namespace {

// Cents read from a money text such as "-$1,234.56".
std::int64_t centsOfMoneyText(const std::string& text) {
    std::int64_t cents = 0;
    bool negative = false;
    for (const char c : text) {
        if (c == '-') negative = true;
        if (c >= '0' && c <= '9') cents = cents * 10 + (c - '0');
    }
    return negative ? -cents : cents;
}

// The value the totals read back from a unit's tax as shown: the decimal
// number of the caption, converted to the nearest double.
double shownAmount(std::int64_t cents) {
    constexpr std::int64_t kExactLimit = std::int64_t{1} << 53;
    // Both operands exact: the quotient is the correctly rounded decimal.
    if (cents > -kExactLimit && cents < kExactLimit) return static_cast<double>(cents) / 100;
    const std::int64_t magnitude = cents < 0 ? -cents : cents;
    std::string text = cents < 0 ? "-" : "";
    text += std::to_string(magnitude / 100) + "." + std::to_string(magnitude % 100 / 10) +
            std::to_string(magnitude % 10);
    return LeadingNumber(text).value_or(0);
}

// raw += value, in ten-thousandths, exactly as Currency::plus(double) adds
// them; false when the sum leaves the range. The helpers below run for every
// unit and district of every property: forced inline and free of
// std::optional, so that no figure makes a trip through memory.
[[gnu::always_inline]] inline bool addMoney(std::int64_t& raw, double value) {
    const auto sum = Currency::fromRaw(raw).plus(value);
    if (!sum) return false;
    raw = sum->raw();
    return true;
}

// The net taxable value as the breakdown keeps it: a double until an amount
// of money is subtracted, then ten-thousandths.
struct NetValue {
    bool money = false;
    double number = 0;
    std::int64_t raw = 0;
};

[[gnu::always_inline]] inline bool subtractMoney(NetValue& net, std::int64_t amount) {
    if (net.money) return !__builtin_sub_overflow(net.raw, amount, &net.raw);
    // value - money, rounded once as a whole
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(std::int64_t{0}, amount, &difference) || !addMoney(difference, net.number))
        return false;
    net.money = true;
    net.raw = difference;
    return true;
}

// floor(x) for |x| below 2^63, without the library call.
[[gnu::always_inline]] inline double floorOf(double x) {
    const auto whole = static_cast<double>(static_cast<std::int64_t>(x));
    return whole > x ? whole - 1 : whole;
}

// The optional part of an exemption given as a fraction of the value (the
// caller has checked that it is one), rounded and raised to the minimum.
[[gnu::always_inline]] inline double fractionPart(double aprVal, double fraction, double minimum) {
    const double part = floorOf(aprVal * fraction + 0.5); // |aprVal| < 2^63: the value is money
    return part < minimum ? minimum : part;
}

// An exemption: its fixed amount and its optional part, in ten-thousandths.
[[gnu::always_inline]] inline bool exemption(Currency fixed, double opt, double aprVal, double minimum,
                                             std::int64_t& raw) {
    raw = fixed.raw();
    return addMoney(raw, opt > 0 && opt < 1 ? fractionPart(aprVal, opt, minimum) : opt);
}

[[gnu::always_inline]] inline bool exemption(Currency fixed, Currency opt, double aprVal, double minimum,
                                             std::int64_t& raw) {
    raw = fixed.raw();
    if (opt.raw() > 0 && opt.raw() < Currency::kScale)
        return addMoney(raw, fractionPart(aprVal, opt.toDouble(), minimum));
    return !__builtin_add_overflow(raw, opt.raw(), &raw);
}

// Net taxable value / 100 of one unit, worked out exactly as the breakdown
// works it out; false when a figure leaves the range of money.
[[gnu::always_inline]] inline bool taxBase(const Jurisdiction& unit, double aprVal, const FigureRequest& r,
                                           double homesteadMinimum, double& base) {
    // Each exemption depends on the value alone, so each can be subtracted
    // as soon as it is known.
    NetValue net{false, aprVal, 0};
    std::int64_t amount = 0;
    if (r.GHS && !(exemption(unit.HSAmt, unit.OptHS, aprVal, homesteadMinimum, amount) && subtractMoney(net, amount)))
        return false;
    if (r.Age == AgeOption::O65 &&
        !(exemption(unit.O65Amt, unit.OptO65, aprVal, kMinimumExemption, amount) && subtractMoney(net, amount)))
        return false;
    if (r.Age == AgeOption::DP &&
        !(exemption(unit.DPAmt, unit.OptDP, aprVal, kMinimumExemption, amount) && subtractMoney(net, amount)))
        return false;
    if (r.Vet != VetOption::None) {
        const double vet = breakdown_detail::veteranAmount(unit, r.Vet);
        if (net.money) {
            if (!addMoney(net.raw, -vet)) return false;
        } else {
            net.number -= vet;
        }
    }
    if (net.money)
        base = net.raw < 0 ? 0.0 : Currency::fromRaw(net.raw).toDouble() / 100;
    else
        base = net.number < 0 ? 0.0 : net.number / 100;
    return true;
}

std::optional<double> unitTax(const Jurisdiction& unit, double aprVal, const FigureRequest& r,
                              double homesteadMinimum) {
    double base = 0;
    if (!taxBase(unit, aprVal, r, homesteadMinimum, base)) return std::nullopt;
    const double tax = base * unit.TaxRate;
    if (!IsShowableTax(tax)) return std::nullopt;
    return tax;
}

std::uint64_t bitsOf(double d) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &d, sizeof bits);
    return bits;
}

// Everything of a unit that its net taxable value depends on.
auto exemptionRules(const Jurisdiction& u) {
    return std::make_tuple(u.HSAmt.raw(), bitsOf(u.OptHS), u.O65Amt.raw(), u.OptO65.raw(), u.DPAmt.raw(),
                           u.OptDP.raw(), u.Vet1, u.Vet2, u.Vet3, u.Vet4);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

std::optional<double> AppraisedValueOf(std::string_view text) {
    // Plain amounts: an optional sign, digits, "$" and "," anywhere (they are
    // dropped), at most one point, at most 15 digits in all. Such a number is
    // an exact integer divided by an exact power of ten, which rounds once,
    // exactly as the text's own conversion does.
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::int64_t digits = 0;
    int count = 0;
    int decimals = 0;
    bool point = false;
    bool negative = false;
    bool signSeen = false;
    for (const char c : text) {
        if (isDigit(c)) {
            if (++count > 15) return AppraisedValueFromText(text);
            digits = digits * 10 + (c - '0');
            if (point) ++decimals;
        } else if (c == '$' || c == ',') {
            continue;
        } else if (c == '.' && !point) {
            point = true;
        } else if ((c == '-' || c == '+') && !signSeen && count == 0 && !point) {
            signSeen = true;
            negative = c == '-';
        } else {
            return AppraisedValueFromText(text);
        }
    }
    if (digits == 0) return 0.0;
    const double value = static_cast<double>(digits) / kPowersOfTen[decimals];
    return negative ? -value : value;
}

bool HasQuarlowHomesteadMinimum(const Jurisdiction& city) {
    static constexpr std::string_view kQuarlow = "CITY OF QUARLOW";
    // The name as shown: NULs dropped, trailing blanks removed, upper-cased.
    char shown[30];
    std::size_t n = 0;
    for (std::size_t i = 0; i < 30; ++i)
        if (city.Name[i] != '\0') shown[n++] = city.Name[i];
    while (n > 0 && shown[n - 1] == ' ') --n;
    if (n != kQuarlow.size()) return false;
    for (std::size_t i = 0; i < n; ++i) {
        const char c = shown[i];
        const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        if (upper != kQuarlow[i]) return false;
    }
    return true;
}

std::int64_t CentsAsShown(double amount) {
    // The shown decimal keeps 15 significant digits, so it lies within
    // 5e-15 of the amount relatively. Unless the amount in cents is that
    // close to a half, rounding it straight to the nearest cent agrees with
    // the money format; otherwise ask the format itself.
    const double scaled = amount * 100;
    if (std::fabs(scaled) < 1e12) {
        const double whole = std::floor(scaled);
        const double fraction = scaled - whole;
        if (std::fabs(fraction - 0.5) > 1e-12 * std::fabs(scaled) + 1e-300)
            return static_cast<std::int64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    }
    return centsOfMoneyText(FormatCurrency(amount));
}

std::int64_t CentsAsShown(Currency amount) {
    const std::int64_t raw = amount.raw();
    const std::uint64_t magnitude =
        raw < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
    const auto cents = static_cast<std::int64_t>(magnitude / 100 + (magnitude % 100 >= 50 ? 1 : 0));
    return raw < 0 ? -cents : cents;
}

TaxFigureCalculator::TaxFigureCalculator(const modMain& data)
    : data_(data), quarlow_(data.RateTbl.size(), 0), ruleGroup_(data.SpclTbl.size(), 0) {
    for (std::size_t k = 0; k < data.RateTbl.size(); ++k) quarlow_[k] = HasQuarlowHomesteadMinimum(data.RateTbl[k]);
    std::map<decltype(exemptionRules(Jurisdiction{})), int> groups;
    for (int i = 1; i <= data.SpclCount; ++i) {
        const auto [it, added] = groups.try_emplace(exemptionRules(data.SpclTbl[static_cast<std::size_t>(i)]),
                                                    static_cast<int>(groups.size()));
        ruleGroup_[static_cast<std::size_t>(i)] = it->second;
    }
    baseOfCall_.assign(groups.size(), 0);
    base_.assign(groups.size(), 0);
}

bool TaxFigureCalculator::hasQuarlowMinimum(const Jurisdiction* city) const {
    const Jurisdiction* first = data_.RateTbl.data();
    const std::less<const Jurisdiction*> before;
    if (!before(city, first) && before(city, first + data_.RateTbl.size()))
        return quarlow_[static_cast<std::size_t>(city - first)] != 0;
    return HasQuarlowHomesteadMinimum(*city);
}

CalcResult<TaxFigures> TaxFigureCalculator::calculate(const FigureRequest& r) {
    const auto value = AppraisedValueOf(r.AprValText);
    if (!value || !Currency::fromDouble(*value)) return CalcResult<TaxFigures>::failure(kValueTooLarge);
    const double aprVal = *value;

    const auto county = unitTax(*r.County, aprVal, r, kMinimumExemption);
    const auto city = unitTax(*r.City, aprVal, r,
                              hasQuarlowMinimum(r.City) ? kQuarlowHomesteadMinimum : kMinimumExemption);
    const auto school = unitTax(*r.School, aprVal, r, kMinimumExemption);
    if (!county || !city || !school) return CalcResult<TaxFigures>::failure(kTaxTooLarge);

    ++call_;
    std::int64_t spclRaw = 0;
    if (r.TaxDistricts) {
        for (const int i : r.Districts) {
            const Jurisdiction& district = data_.SpclTbl[static_cast<std::size_t>(i)];
            const auto group = static_cast<std::size_t>(ruleGroup_[static_cast<std::size_t>(i)]);
            if (baseOfCall_[group] != call_) {
                if (!taxBase(district, aprVal, r, kMinimumExemption, base_[group]))
                    return CalcResult<TaxFigures>::failure(kTaxTooLarge);
                baseOfCall_[group] = call_;
            }
            const double tax = base_[group] * district.TaxRate;
            if (!IsShowableTax(tax) || !addMoney(spclRaw, tax)) return CalcResult<TaxFigures>::failure(kTaxTooLarge);
        }
    }

    const Currency spclTotal = Currency::fromRaw(spclRaw);
    TaxFigures f;
    f.CountyTax = CentsAsShown(*county);
    f.CityTax = CentsAsShown(*city);
    f.SchoolTax = CentsAsShown(*school);
    // The total adds the unit taxes as shown and the districts unrounded.
    const auto total = spclTotal.plus(shownAmount(f.CountyTax) + shownAmount(f.CityTax) + shownAmount(f.SchoolTax));
    if (!total) return CalcResult<TaxFigures>::failure(kTaxTooLarge);
    f.SpclTax = CentsAsShown(spclTotal);
    f.SpclTotal = spclTotal;
    f.TotTax = CentsAsShown(*total);
    return f;
}

CalcResult<TaxFigures> CalculateTaxFigures(const modMain& data, const FigureRequest& request) {
    return TaxFigureCalculator(data).calculate(request);
}

} // namespace levywise
