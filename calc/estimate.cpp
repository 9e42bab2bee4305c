#include "calc/estimate.h"

#include <algorithm>
#include <cmath>
#include <cstring>
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

// The appraised value, and its ten-thousandths when they are the same
// whatever amount it is added to (Currency::unitsOf): found once an estimate.
struct Value {
    double aprVal = 0;
    std::optional<std::int64_t> units;
};

// money + whole dollars, exactly.
[[gnu::always_inline]] inline std::optional<Currency> plusWhole(Currency money, double whole) {
    if (whole > -0x1p49 && whole < 0x1p49)
        return money.plus(Currency::fromRaw(static_cast<std::int64_t>(whole) * Currency::kScale));
    return money.plus(whole);
}

// An exemption: its fixed amount plus its optional part, which is a fraction
// of the value when strictly between 0 and 1 and an amount otherwise.
[[gnu::always_inline]] inline std::optional<Currency> exemption(Currency fixed, double opt,
                                                                double aprVal, double minimum) {
    if (opt > 0 && opt < 1) return plusWhole(fixed, fractionPart(aprVal, opt, minimum));
    return fixed.plus(opt);
}

[[gnu::always_inline]] inline std::optional<Currency> exemption(Currency fixed, Currency opt,
                                                                double aprVal, double minimum) {
    if (opt.raw() > 0 && opt.raw() < Currency::kScale)
        return plusWhole(fixed, fractionPart(aprVal, opt.toDouble(), minimum));
    return fixed.plus(opt);
}

// from -= what; false when the result leaves the range of money.
[[gnu::always_inline]] inline bool subtract(Amount& from, const Amount& what, const Value& v) {
    using K = Amount::Kind;
    std::optional<Currency> money;
    if (what.kind == K::Empty) return true;
    if (from.kind == K::Money) {
        if (what.kind == K::Money) {
            money = from.money.minus(what.money);
        } else if (what.number > -0x1p31 && what.number < 0x1p31 &&
                   static_cast<double>(static_cast<std::int32_t>(what.number)) == what.number) {
            // Whole dollars (a veteran's amount) subtract exactly.
            money = from.money.minus(Currency::fromWhole(static_cast<std::int32_t>(what.number)));
        } else {
            money = from.money.minus(what.number);
        }
    } else if (what.kind == K::Money) {
        const auto negated = Currency().minus(what.money); // value - money, rounded once as a whole
        if (!negated) return false;
        money = v.units && from.number == v.aprVal ? negated->plus(Currency::fromRaw(*v.units))
                                                   : negated->plus(from.number);
    } else {
        from.number -= what.number;
        return true;
    }
    if (!money) return false;
    from = Amount::ofMoney(*money);
    return true;
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

// A tax that can be shown and added up: a little inside the range of money.
[[gnu::always_inline]] inline bool isShowable(double tax) {
    return std::fabs(tax) < 922337203685477.0;
}

// The exemptions of a unit, its net taxable value and its tax base; false
// when a figure leaves the range of money.
[[gnu::always_inline]] inline bool netTaxable(const Jurisdiction& unit, const Value& v,
                                              const EstimateRequest& r, double homesteadMinimum,
                                              Amount& hs, Amount& ageEx, Amount& vet, Amount& net,
                                              double& base) {
    // Each exemption is subtracted as soon as it is known, in this order.
    const double aprVal = v.aprVal;
    net = Amount::ofDouble(aprVal);
    if (r.GHS) {
        const auto ex = exemption(unit.HSAmt, unit.OptHS, aprVal, homesteadMinimum);
        if (!ex) return false;
        hs = Amount::ofMoney(*ex);
        if (!subtract(net, hs, v)) return false;
    }
    if (r.Age != AgeOption::Neither) {
        const auto ex = r.Age == AgeOption::O65
                            ? exemption(unit.O65Amt, unit.OptO65, aprVal, kMinimumExemption)
                            : exemption(unit.DPAmt, unit.OptDP, aprVal, kMinimumExemption);
        if (!ex) return false;
        ageEx = Amount::ofMoney(*ex);
        if (!subtract(net, ageEx, v)) return false;
    }
    if (r.Vet != VetOption::None) {
        vet = Amount::ofDouble(veteranAmount(unit, r.Vet));
        if (!subtract(net, vet, v)) return false;
    }
    double value = net.value();
    if (value < 0) {
        net = net.kind == Amount::Kind::Money ? Amount::ofMoney({}) : Amount::ofDouble(0);
        value = 0;
    }
    base = value / 100; // the tax base
    return true;
}

// A unit's breakdown up to its tax base; false when a figure leaves the
// range of money.
[[gnu::always_inline]] inline bool breakdown(const Jurisdiction& unit, const Value& v,
                                             const EstimateRequest& r, double homesteadMinimum,
                                             UnitFigures& u) {
    u.Unit = &unit;
    u.AprVal = v.aprVal;
    u.HS = u.AgeEx = u.Vet = Amount();
    if (!netTaxable(unit, v, r, homesteadMinimum, u.HS, u.AgeEx, u.Vet, u.Net, u.Base))
        return false;
    u.Rate = unit.TaxRate;
    return true;
}

// A special district's tax base alone; empty when a figure leaves the range of money.
[[gnu::always_inline]] inline std::optional<double>
districtBase(const Jurisdiction& unit, const Value& v, const EstimateRequest& r) {
    Amount hs, ageEx, vet, net;
    double base = 0;
    if (!netTaxable(unit, v, r, kMinimumExemption, hs, ageEx, vet, net, base)) return std::nullopt;
    return base;
}

// A unit's whole breakdown; false when a figure leaves the range of money.
bool unitTax(const Jurisdiction& unit, const Value& v, const EstimateRequest& r, bool city,
             UnitFigures& u) {
    const double aprVal = v.aprVal;
    const bool quarlow = city && HasQuarlowHomesteadMinimum(unit);
    if (!breakdown(unit, v, r, quarlow ? kQuarlowHomesteadMinimum : kMinimumExemption, u))
        return false;
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

std::uint64_t bitsOf(double d) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &d, sizeof bits);
    return bits;
}

constexpr int kAgeOptions = 3;
constexpr int kVetOptions = 5;
constexpr int kInputCombinations = 2 * kAgeOptions * kVetOptions;

int combinationOf(bool ghs, AgeOption age, VetOption vet) {
    return (ghs ? kAgeOptions * kVetOptions : 0) + static_cast<int>(age) * kVetOptions +
           static_cast<int>(vet);
}

// Everything of a unit that its tax base depends on, given the exemptions chosen.
auto exemptionRules(const Jurisdiction& u, bool ghs, AgeOption age, VetOption vet) {
    const bool o65 = age == AgeOption::O65, dp = age == AgeOption::DP;
    return std::make_tuple(ghs ? u.HSAmt.raw() : 0, ghs ? bitsOf(u.OptHS) : 0,
                           o65  ? u.O65Amt.raw()
                           : dp ? u.DPAmt.raw()
                                : 0,
                           o65  ? u.OptO65.raw()
                           : dp ? u.OptDP.raw()
                                : 0,
                           veteranAmount(u, vet));
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
    std::size_t groupCount = 0;
    for (int ghs = 0; ghs < 2; ++ghs) {
        for (int age = 0; age < kAgeOptions; ++age) {
            for (int vet = 0; vet < kVetOptions; ++vet) {
                const auto a = static_cast<AgeOption>(age);
                const auto v = static_cast<VetOption>(vet);
                const auto first =
                    static_cast<std::size_t>(combinationOf(ghs != 0, a, v)) * data.SpclTbl.size();
                std::map<decltype(exemptionRules(Jurisdiction{}, false, a, v)), int> groups;
                for (int i = 1; i <= data.SpclCount; ++i) {
                    const auto slot = static_cast<std::size_t>(i);
                    const int next = static_cast<int>(groups.size());
                    const auto rules = exemptionRules(data.SpclTbl[slot], ghs != 0, a, v);
                    ruleGroup_.at(first + slot) = groups.try_emplace(rules, next).first->second;
                }
                groupCount = std::max(groupCount, groups.size());
            }
        }
    }
    base_.assign(groupCount, 0);
    baseOf_.assign(groupCount, 0);
}

std::string_view EstimateEngine::computeOnce(const modMain& data, const EstimateRequest& request,
                                             EstimateFigures& figures) {
    EstimateEngine once(data, Ungrouped{});
    return once.compute(request, figures);
}

std::string_view EstimateEngine::compute(const EstimateRequest& r, EstimateFigures& f) {
    const auto value = AppraisedValueFromText(r.AprValText);
    if (!value || !Currency::fromDouble(*value)) return kValueTooLarge;
    const Value v{*value, Currency::unitsOf(*value)};
    if (!unitTax(*r.County, v, r, false, f.County) || !unitTax(*r.City, v, r, true, f.City) ||
        !unitTax(*r.School, v, r, false, f.School))
        return kTaxTooLarge;

    ++estimate_;
    Currency spclTotal;
    const std::size_t groupsFrom =
        static_cast<std::size_t>(combinationOf(r.GHS, r.Age, r.Vet)) * data_.SpclTbl.size();
    const std::span<const int> districts = r.TaxDistricts ? r.Districts : std::span<const int>();
    f.Districts.resize(districts.size());
    const int* const groups = ruleGroup_.empty() ? nullptr : ruleGroup_.data() + groupsFrom;
    const Jurisdiction* previous = nullptr;
    double previousBase = 0;
    // Held apart from the members, which the figures written could alias.
    const Jurisdiction* const table = data_.SpclTbl.data();
    double* const bases = base_.data();
    long* const baseOf = baseOf_.data();
    const long estimate = estimate_;
    DistrictTax* const out = f.Districts.data();
    for (std::size_t k = 0; k < districts.size(); ++k) {
        const int i = districts[k];
        const auto slot = static_cast<std::size_t>(i);
        const Jurisdiction& unit = table[slot];
        const int group = groups ? groups[slot] : -1;
        double base = 0;
        if (group >= 0 && baseOf[group] == estimate) {
            base = bases[group];
        } else if (group < 0 && previous &&
                   exemptionRules(unit, r.GHS, r.Age, r.Vet) ==
                       exemptionRules(*previous, r.GHS, r.Age, r.Vet)) {
            // Without the groups, a run of districts with the same rules
            // still shares its base.
            base = previousBase;
        } else {
            const auto found = districtBase(unit, v, r);
            if (!found) return kTaxTooLarge;
            base = *found;
            previous = &unit;
            previousBase = base;
            if (group >= 0) {
                bases[group] = base;
                baseOf[group] = estimate;
            }
        }
        const double tax = base * unit.TaxRate;
        const auto sum = isShowable(tax) ? spclTotal.plus(tax) : std::nullopt;
        if (!sum) return kTaxTooLarge;
        spclTotal = *sum;
        out[k] = DistrictTax{i, tax};
    }

    // The unit taxes are added as shown, to the cent; the districts' sum is
    // added unrounded, and the total is rounded once more when shown.
    const auto total =
        spclTotal.plus(shownAmount(f.County.TaxCents) + shownAmount(f.City.TaxCents) +
                       shownAmount(f.School.TaxCents));
    if (!total) return kTaxTooLarge;
    f.SpclTotal = spclTotal;
    f.TotTax = *total;
    f.SpclTaxCents = CentsAsShown(spclTotal);
    f.TotTaxCents = CentsAsShown(*total);
    return {};
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
