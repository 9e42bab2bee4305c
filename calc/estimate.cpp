#include "calc/estimate.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <tuple>

#include "ratedata/formats.h"
#include "ratedata/number_text.h"
#include "ratedata/text.h"

namespace levywise {
namespace {

constexpr double kMinimumExemption = 5000;
constexpr double kQuarlowHomesteadMinimum = 10000;

// floor(x) for |x| below 2^63, without the library call.
[[gnu::always_inline]] inline double floorOf(double x) {
    const auto whole = static_cast<double>(static_cast<std::int64_t>(x));
    return whole > x ? whole - 1 : whole;
}

// The optional part of an exemption given as a fraction of the value: whole
// dollars, a half up, and at least the minimum. The value lies in the range
// of money, so the product stays far below 2^63.
[[gnu::always_inline]] inline double fractionPart(double aprVal, double fraction, double minimum) {
    const double part = floorOf(aprVal * fraction + 0.5);
    return part < minimum ? minimum : part;
}

// raw += whole dollars, exactly; false when the sum leaves the range of money.
[[gnu::always_inline]] inline bool addWhole(std::int64_t& raw, double whole) {
    if (whole > -0x1p49 && whole < 0x1p49)
        return !__builtin_add_overflow(raw, static_cast<std::int64_t>(whole) * Currency::kScale,
                                       &raw);
    const auto sum = Currency::fromRaw(raw).plus(whole);
    if (sum) raw = sum->raw();
    return sum.has_value();
}

[[gnu::always_inline]] inline std::int16_t veteranAmount(const Jurisdiction& unit, VetOption vet) {
    switch (vet) {
    case VetOption::Vet1: return unit.Vet1;
    case VetOption::Vet2: return unit.Vet2;
    case VetOption::Vet3: return unit.Vet3;
    case VetOption::Vet4: return unit.Vet4;
    case VetOption::None: break;
    }
    return 0;
}

std::uint64_t bitsOf(double d) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &d, sizeof bits);
    return bits;
}

} // namespace

// The appraised value, and its ten-thousandths when they are the same
// whatever amount it is added to (Currency::unitsOf): found once an estimate.
struct AppraisedValue {
    double aprVal = 0;
    std::optional<std::int64_t> units;
};

// One exemption of a unit, as its rules give it: a fixed amount plus an
// optional part, which is a fraction of the value when strictly between 0
// and 1 and an amount otherwise. Decided once per unit and choice of
// exemptions; only the fraction's part depends on the value.
struct ExemptionRule {
    enum class Shape : std::uint8_t { None, Amount, Fraction, OutOfRange };
    Shape shape = Shape::None;
    Currency fixed;      // Amount: the whole exemption; Fraction: its fixed part
    double fraction = 0; // Fraction: of the value, in whole dollars, at least minimum
    double minimum = 0;

    auto key() const {
        return std::make_tuple(shape, fixed.raw(), bitsOf(fraction), bitsOf(minimum));
    }
};

// A unit's exemptions for one choice of exemptions, subtracted in this order.
struct ExemptionRules {
    ExemptionRule homestead, age;
    bool veteran = false;
    std::int16_t veteranAmount = 0; // whole dollars

    auto key() const { return std::make_tuple(homestead.key(), age.key(), veteran, veteranAmount); }
};

namespace {

// The rule of a fixed amount and its optional part (opt, whose value is
// optValue), a fraction of the value given a minimum.
template <class Optional>
ExemptionRule ruleOf(Currency fixed, Optional opt, double optValue, double minimum) {
    using S = ExemptionRule::Shape;
    if (optValue > 0 && optValue < 1) return {S::Fraction, fixed, optValue, minimum};
    const auto sum = fixed.plus(opt);
    return sum ? ExemptionRule{S::Amount, *sum, 0, 0} : ExemptionRule{S::OutOfRange, {}, 0, 0};
}

// The exemption for this value in ten-thousandths; false when it leaves the range of money.
[[gnu::always_inline]] inline bool amountOf(const ExemptionRule& rule, double aprVal,
                                            std::int64_t& raw) {
    using S = ExemptionRule::Shape;
    raw = rule.fixed.raw();
    if (rule.shape == S::Fraction)
        return addWhole(raw, fractionPart(aprVal, rule.fraction, rule.minimum));
    return rule.shape != S::OutOfRange;
}

ExemptionRules rulesOf(const Jurisdiction& u, const EstimateRequest& r, double homesteadMinimum) {
    ExemptionRules rules;
    if (r.GHS) rules.homestead = ruleOf(u.HSAmt, u.OptHS, u.OptHS, homesteadMinimum);
    if (r.Age == AgeOption::O65)
        rules.age = ruleOf(u.O65Amt, u.OptO65, u.OptO65.toDouble(), kMinimumExemption);
    if (r.Age == AgeOption::DP)
        rules.age = ruleOf(u.DPAmt, u.OptDP, u.OptDP.toDouble(), kMinimumExemption);
    rules.veteran = r.Vet != VetOption::None;
    rules.veteranAmount = veteranAmount(u, r.Vet);
    return rules;
}

// The fields of a unit its exemption rules are made of, for the exemptions
// chosen: cheaper to compare than the rules themselves.
auto exemptionFields(const Jurisdiction& u, const EstimateRequest& r) {
    const bool o65 = r.Age == AgeOption::O65, dp = r.Age == AgeOption::DP;
    return std::make_tuple(r.GHS ? u.HSAmt.raw() : 0, r.GHS ? bitsOf(u.OptHS) : 0,
                           o65  ? u.O65Amt.raw()
                           : dp ? u.DPAmt.raw()
                                : 0,
                           o65  ? u.OptO65.raw()
                           : dp ? u.OptDP.raw()
                                : 0,
                           veteranAmount(u, r.Vet));
}

// The value less an amount of money, rounded once as a whole: the amount's
// negation plus the value. False when a figure leaves the range of money.
[[gnu::always_inline]] inline bool valueLess(const AppraisedValue& v, std::int64_t amount,
                                             std::int64_t& raw) {
    if (amount == std::numeric_limits<std::int64_t>::min()) return false;
    if (v.units) return !__builtin_add_overflow(-amount, *v.units, &raw);
    const auto sum = Currency::fromRaw(-amount).plus(v.aprVal);
    if (sum) raw = sum->raw();
    return sum.has_value();
}

// What is left of the value as the exemptions are subtracted: the value
// itself until a money exemption takes part, ten-thousandths from then on.
struct NetSoFar {
    bool isMoney = false;
    std::int64_t money = 0;
    double number = 0;
};

// The exemptions as subtracted; empty when not chosen.
struct Exemptions {
    Amount hs, age, vet;
};

// Subtracts one exemption from what is left of the value, if the rules
// have it. False when a figure leaves the range of money.
[[gnu::always_inline]] inline bool subtractExemption(const ExemptionRule& rule,
                                                     const AppraisedValue& v, Amount& shown,
                                                     NetSoFar& net) {
    if (rule.shape == ExemptionRule::Shape::None) return true;
    std::int64_t amount = 0;
    if (!amountOf(rule, v.aprVal, amount)) return false;
    shown = Amount::ofMoney(Currency::fromRaw(amount));
    const bool fits = net.isMoney ? !__builtin_sub_overflow(net.money, amount, &net.money)
                                  : valueLess(v, amount, net.money);
    net.isMoney = true;
    return fits;
}

// A unit's exemptions, its net taxable value and its tax base; false when a
// figure leaves the range of money. Each exemption is subtracted as soon as
// it is known, in this order.
[[gnu::always_inline]] inline bool netTaxable(const ExemptionRules& rules, const AppraisedValue& v,
                                              Exemptions& ex, Amount& net, double& base) {
    NetSoFar left{false, 0, v.aprVal};
    if (!subtractExemption(rules.homestead, v, ex.hs, left) ||
        !subtractExemption(rules.age, v, ex.age, left))
        return false;
    if (rules.veteran) {
        // Whole dollars: exact whatever the rest is kept in.
        ex.vet = Amount::ofDouble(rules.veteranAmount);
        if (left.isMoney) {
            if (__builtin_sub_overflow(
                    left.money, std::int64_t{rules.veteranAmount} * Currency::kScale, &left.money))
                return false;
        } else {
            left.number -= rules.veteranAmount;
        }
    }
    if (left.isMoney) {
        left.money = std::max<std::int64_t>(left.money, 0);
        net = Amount::ofMoney(Currency::fromRaw(left.money));
    } else {
        left.number = left.number < 0 ? 0 : left.number;
        net = Amount::ofDouble(left.number);
    }
    base = net.value() / 100; // the tax base
    return true;
}

// A special district's tax base alone; false when a figure leaves the range of money.
[[gnu::always_inline]] inline bool districtBase(const ExemptionRules& rules,
                                                const AppraisedValue& v, double& base) {
    Exemptions ex;
    Amount net;
    return netTaxable(rules, v, ex, net, base);
}

// A tax that can be shown and added up: a little inside the range of money.
[[gnu::always_inline]] inline bool isShowable(double tax) {
    return std::fabs(tax) < 922337203685477.0;
}

// A unit's whole breakdown; false when a figure leaves the range of money.
bool unitTax(const Jurisdiction& unit, const AppraisedValue& v, const EstimateRequest& r, bool city,
             UnitFigures& u) {
    const double aprVal = v.aprVal;
    const bool quarlow = city && HasQuarlowHomesteadMinimum(unit);
    const ExemptionRules rules =
        rulesOf(unit, r, quarlow ? kQuarlowHomesteadMinimum : kMinimumExemption);
    Exemptions ex;
    u.Unit = &unit;
    u.AprVal = aprVal;
    if (!netTaxable(rules, v, ex, u.Net, u.Base)) return false;
    u.HS = ex.hs;
    u.AgeEx = ex.age;
    u.Vet = ex.vet;
    u.Rate = unit.TaxRate;
    // The city tab never shows a homestead larger than the value itself;
    // the whole exemption is still the one subtracted.
    u.HSShown = city && u.HS.value() > aprVal ? Amount::ofDouble(aprVal) : u.HS;
    u.Tax = u.Base * u.Rate;
    if (!isShowable(u.Tax)) return false;
    u.TaxCents = CentsAsShown(u.Tax);
    return true;
}

// The number the totals read back from a tax as shown: the decimal of its
// cents, converted to the nearest double.
double shownAmount(std::int64_t cents) {
    constexpr std::int64_t kExact = std::int64_t{1} << 53;
    // Both operands exact: the quotient is the nearest double.
    if (cents > -kExact && cents < kExact) return static_cast<double>(cents) / 100;
    const std::int64_t magnitude = cents < 0 ? -cents : cents;
    std::string text = cents < 0 ? "-" : "";
    text += std::to_string(magnitude / 100) + "." + std::to_string(magnitude % 100 / 10) +
            std::to_string(magnitude % 10);
    return LeadingNumber(text).value_or(0);
}

constexpr int kAgeOptions = 3;
constexpr int kVetOptions = 5;
constexpr int kInputCombinations = 2 * kAgeOptions * kVetOptions;

int combinationOf(bool ghs, AgeOption age, VetOption vet) {
    return (ghs ? kAgeOptions * kVetOptions : 0) + static_cast<int>(age) * kVetOptions +
           static_cast<int>(vet);
}

} // namespace

std::int64_t Amount::cents() const {
    switch (kind) {
    case Kind::Money: return CentsAsShown(money);
    case Kind::Double: return CentsAsShown(number);
    case Kind::Empty: break;
    }
    return 0;
}

EstimateEngine::EstimateEngine(const modMain& data)
    : data_(data), ruleGroup_(kInputCombinations * data.SpclTbl.size(), -1) {
    for (int ghs = 0; ghs < 2; ++ghs) {
        for (int age = 0; age < kAgeOptions; ++age) {
            for (int vet = 0; vet < kVetOptions; ++vet) {
                EstimateRequest choice;
                choice.GHS = ghs != 0;
                choice.Age = static_cast<AgeOption>(age);
                choice.Vet = static_cast<VetOption>(vet);
                const auto first =
                    static_cast<std::size_t>(combinationOf(choice.GHS, choice.Age, choice.Vet)) *
                    data.SpclTbl.size();
                std::map<decltype(ExemptionRules().key()), int> groups;
                for (int i = 1; i <= data.SpclCount; ++i) {
                    const auto slot = static_cast<std::size_t>(i);
                    const auto rules = rulesOf(data.SpclTbl[slot], choice, kMinimumExemption);
                    const int next = static_cast<int>(groupRules_.size());
                    const auto [group, added] = groups.try_emplace(rules.key(), next);
                    if (added) groupRules_.push_back(rules);
                    ruleGroup_.at(first + slot) = group->second;
                }
            }
        }
    }
    base_.assign(groupRules_.size(), 0);
    baseOf_.assign(groupRules_.size(), 0);
}

EstimateEngine::EstimateEngine(const modMain& data, Ungrouped) : data_(data) {}

EstimateEngine::~EstimateEngine() = default;

std::string_view EstimateEngine::computeOnce(const modMain& data, const EstimateRequest& request,
                                             EstimateFigures& figures) {
    EstimateEngine once(data, Ungrouped{});
    return once.compute(request, figures);
}

std::string_view EstimateEngine::compute(const EstimateRequest& r, EstimateFigures& f) {
    const auto value = AppraisedValueFromText(r.AprValText);
    if (!value || !Currency::fromDouble(*value)) return kValueTooLarge;
    const AppraisedValue v{*value, Currency::unitsOf(*value)};
    if (!unitTax(*r.County, v, r, false, f.County) || !unitTax(*r.City, v, r, true, f.City) ||
        !unitTax(*r.School, v, r, false, f.School))
        return kTaxTooLarge;

    const std::span<const int> districts = r.TaxDistricts ? r.Districts : std::span<const int>();
    f.Districts.resize(districts.size());
    const auto spclTotal = groupRules_.empty()
                               ? districtTaxesOnce(r, v, districts, f.Districts.data())
                               : districtTaxes(r, v, districts, f.Districts.data());
    if (!spclTotal) return kTaxTooLarge;

    // The unit taxes are added as shown, to the cent; the districts' sum is
    // added unrounded, and the total is rounded once more when shown.
    const auto total =
        spclTotal->plus(shownAmount(f.County.TaxCents) + shownAmount(f.City.TaxCents) +
                        shownAmount(f.School.TaxCents));
    if (!total) return kTaxTooLarge;
    f.SpclTotal = *spclTotal;
    f.TotTax = *total;
    f.SpclTaxCents = CentsAsShown(*spclTotal);
    f.TotTaxCents = CentsAsShown(*total);
    return {};
}

// Adds a district's tax to the districts' sum; false when either leaves the range of money.
[[gnu::always_inline]] inline bool addDistrictTax(int slot, double tax, Currency& sum,
                                                  DistrictTax& out) {
    const auto more = isShowable(tax) ? sum.plus(tax) : std::nullopt;
    if (!more) return false;
    sum = *more;
    out = DistrictTax{slot, tax};
    return true;
}

std::optional<Currency> EstimateEngine::districtTaxes(const EstimateRequest& r,
                                                      const AppraisedValue& v,
                                                      std::span<const int> districts,
                                                      DistrictTax* out) {
    // Each group's base is worked out once, when one of its districts first comes.
    ++estimate_;
    const int* const groups =
        ruleGroup_.data() +
        static_cast<std::size_t>(combinationOf(r.GHS, r.Age, r.Vet)) * data_.SpclTbl.size();
    const ExemptionRules* const rules = groupRules_.data();
    const Jurisdiction* const table = data_.SpclTbl.data();
    double* const bases = base_.data();
    long* const baseOf = baseOf_.data();
    const long estimate = estimate_;
    for (const int slot : districts) {
        const auto group = static_cast<std::size_t>(groups[slot]);
        if (baseOf[group] == estimate) continue;
        if (!districtBase(rules[group], v, bases[group])) return std::nullopt;
        baseOf[group] = estimate;
    }
    // Apart from the bases, so that this loop keeps its figures in registers.
    Currency sum;
    for (std::size_t k = 0; k < districts.size(); ++k) {
        const int slot = districts[k];
        const double base = bases[groups[slot]];
        if (!addDistrictTax(slot, base * table[slot].TaxRate, sum, out[k])) return std::nullopt;
    }
    return sum;
}

std::optional<Currency> EstimateEngine::districtTaxesOnce(const EstimateRequest& r,
                                                          const AppraisedValue& v,
                                                          std::span<const int> districts,
                                                          DistrictTax* out) const {
    // Without the groups, a run of districts with the same rules still shares its base.
    const Jurisdiction* previous = nullptr;
    double base = 0;
    Currency sum;
    for (std::size_t k = 0; k < districts.size(); ++k) {
        const int slot = districts[k];
        const Jurisdiction& unit = data_.SpclTbl[static_cast<std::size_t>(slot)];
        if (!previous || exemptionFields(unit, r) != exemptionFields(*previous, r)) {
            if (!districtBase(rulesOf(unit, r, kMinimumExemption), v, base)) return std::nullopt;
            previous = &unit;
        }
        if (!addDistrictTax(slot, base * unit.TaxRate, sum, out[k])) return std::nullopt;
    }
    return sum;
}

CalcResult<EstimateFigures> ComputeEstimate(const modMain& data, const EstimateInput& input) {
    std::vector<int> selected;
    for (int i = 1; i <= data.SpclCount; ++i)
        if (data.SpclSel[static_cast<std::size_t>(i)].Selected.equals("Y")) selected.push_back(i);
    EstimateRequest r;
    r.County = &FindUnit(data, input.CountyItem);
    r.City = &FindUnit(data, input.CityItem);
    r.School = &FindUnit(data, input.SchoolItem);
    r.TaxDistricts = CodeOfItem(input.CountyItem) != PlaceholderCodes::NoCounty;
    r.Districts = selected;
    r.AprValText = input.AprValText;
    r.GHS = input.GHS;
    r.Age = input.Age;
    r.Vet = input.Vet;
    EstimateFigures figures;
    const std::string_view error = EstimateEngine::computeOnce(data, r, figures);
    if (!error.empty()) return CalcResult<EstimateFigures>::failure(std::string(error));
    return figures;
}

const Jurisdiction& FindUnit(const modMain& data, std::string_view itemText) {
    const std::string_view code = CodeOfItem(itemText);
    for (int k = 1; k <= data.RateCount; ++k)
        if (data.RateTbl[static_cast<std::size_t>(k)].Code.view() == code)
            return data.RateTbl[static_cast<std::size_t>(k)];
    return data.RateTbl[0];
}

bool HasQuarlowHomesteadMinimum(const Jurisdiction& city) {
    // The name as shown: NULs dropped, trailing blanks removed. Compared as
    // it is read, so that most names are told apart by their first letters.
    constexpr std::string_view kQuarlow = "CITY OF QUARLOW";
    std::size_t matched = 0;
    for (const char c : city.Name.view()) {
        if (c == '\0') continue;
        if (matched == kQuarlow.size()) {
            if (c != ' ') return false;
        } else if (!EqualsIgnoringCase(std::string_view(&c, 1), kQuarlow.substr(matched, 1))) {
            return false;
        } else {
            ++matched;
        }
    }
    return matched == kQuarlow.size();
}

} // namespace levywise
