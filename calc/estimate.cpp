#include "calc/estimate.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <string>

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

    auto operator<=>(const ExemptionRule&) const = default;
};

// A unit's exemptions for one choice of exemptions, subtracted in this order.
// Districts whose rules are equal share their tax base.
struct ExemptionRules {
    ExemptionRule homestead, age;
    bool veteran = false;
    std::int16_t veteranAmount = 0; // whole dollars

    auto operator<=>(const ExemptionRules&) const = default;
};

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

// The choice of exemptions of a request.
struct Choice {
    bool ghs = false;
    AgeOption age = AgeOption::Neither;
    VetOption vet = VetOption::None;
};

ExemptionRules rulesOf(const Jurisdiction& u, Choice c, double homesteadMinimum) {
    ExemptionRules rules;
    if (c.ghs) rules.homestead = ruleOf(u.HSAmt, u.OptHS, u.OptHS, homesteadMinimum);
    if (c.age == AgeOption::O65)
        rules.age = ruleOf(u.O65Amt, u.OptO65, u.OptO65.toDouble(), kMinimumExemption);
    if (c.age == AgeOption::DP)
        rules.age = ruleOf(u.DPAmt, u.OptDP, u.OptDP.toDouble(), kMinimumExemption);
    rules.veteran = c.vet != VetOption::None;
    rules.veteranAmount = veteranAmount(u, c.vet);
    return rules;
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

// A tax that can be shown and added up: a little inside the range of money.
[[gnu::always_inline]] inline bool isShowable(double tax) {
    return std::fabs(tax) < 922337203685477.0;
}

// A unit's whole breakdown; false when a figure leaves the range of money.
bool unitTax(const Jurisdiction& unit, const AppraisedValue& v, Choice choice, bool city,
             UnitEstimate& u) {
    const double aprVal = v.aprVal;
    const bool quarlow = city && HasQuarlowHomesteadMinimum(unit);
    const ExemptionRules rules =
        rulesOf(unit, choice, quarlow ? kQuarlowHomesteadMinimum : kMinimumExemption);
    Exemptions ex;
    u.Unit = &unit;
    if (!netTaxable(rules, v, ex, u.Net, u.Base)) return false;
    u.HS = ex.hs;
    u.AgeEx = ex.age;
    u.Vet = ex.vet;
    // The city tab never shows a homestead larger than the value itself;
    // the whole exemption is still the one subtracted.
    u.HSShown = city && u.HS.value() > aprVal ? Amount::ofDouble(aprVal) : u.HS;
    u.Tax = u.Base * unit.TaxRate;
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
constexpr int kChoices = 2 * kAgeOptions * kVetOptions;

int indexOf(Choice c) {
    return (c.ghs ? kAgeOptions * kVetOptions : 0) + static_cast<int>(c.age) * kVetOptions +
           static_cast<int>(c.vet);
}

Error requestError(Error::Kind kind, std::string_view field, std::string_view text,
                   std::string problem) {
    Error e;
    e.file = field;
    e.text = text;
    e.problem = std::move(problem);
    e.kind = kind;
    return e;
}

Error unknownCode(std::string_view field, std::string_view code) {
    return requestError(Error::Kind::UnknownCode, field, Trimmed(code),
                        "unknown " + std::string(field) + " code");
}

bool isDigitOf(char c, int radix) {
    if (c == '\0') return false;
    if (radix == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) return true;
    return c >= '0' && c < (radix == 8 ? '8' : ':');
}

// Why a typed value, read as value, is no amount the command line taxes: it
// holds no number (the window reads it as 0) or a negative one. Null when it
// is an amount.
const char* valueProblem(std::string_view text, std::optional<double> value) {
    // As the value is read: blanks, tabs, line feeds, "$" and "," dropped anywhere.
    std::size_t at = 0;
    const auto next = [&]() -> char {
        for (; at < text.size(); ++at) {
            const char c = text[at];
            if (c != ' ' && c != '\t' && c != '\n' && c != '$' && c != ',') return c;
        }
        return '\0';
    };
    const auto take = [&] { ++at; };
    int radix = 10;
    if (next() == '&') {
        take();
        const char prefix = next();
        radix = prefix == 'H' || prefix == 'h' ? 16 : 8;
        if (prefix == 'H' || prefix == 'h' || prefix == 'O' || prefix == 'o') take();
    } else {
        if (next() == '+' || next() == '-') take();
        if (next() == '.') take();
    }
    if (!isDigitOf(next(), radix)) return "is not an amount";
    return value && *value < 0 ? "is negative" : nullptr;
}

Error tooLarge(const char* problem) {
    Error e;
    e.problem = problem;
    return e;
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

// For each choice of exemptions, found when first asked for: the group of
// each district, the districts of a group sharing their exemption rules and
// so their tax base; and each group's base in the estimate being worked out.
struct DistrictGroups {
    explicit DistrictGroups(std::size_t slots)
        : slots(slots), groupOf(kChoices * slots, -1), grouped(kChoices, false) {}

    // The groups of the districts for a choice of exemptions, by slot.
    const int* groupsFor(const modMain& data, Choice choice) {
        const auto c = static_cast<std::size_t>(indexOf(choice));
        int* const groups = groupOf.data() + c * slots;
        if (grouped[c]) return groups;
        for (int i = 1; i <= data.SpclCount; ++i) {
            const auto slot = static_cast<std::size_t>(i);
            const auto [group, added] =
                index.try_emplace(rulesOf(data.SpclTbl[slot], choice, kMinimumExemption),
                                  static_cast<int>(rules.size()));
            if (added) rules.push_back(group->first);
            groups[slot] = group->second;
        }
        base.resize(rules.size());
        baseOf.resize(rules.size());
        grouped[c] = true;
        return groups;
    }

    std::size_t slots;
    std::vector<int> groupOf; // per choice and slot
    std::vector<bool> grouped;
    std::map<ExemptionRules, int> index;
    std::vector<ExemptionRules> rules; // per group
    std::vector<double> base;          // per group, this estimate's
    std::vector<long> baseOf;          // per group, the estimate its base belongs to
    long estimate = 0;
};

namespace {

// The districts' taxes into out and their sum; empty when a figure leaves
// the range of money. Each group's base is worked out once, when one of its
// districts first comes.
std::optional<Currency> districtTaxes(DistrictGroups& g, const modMain& data, Choice choice,
                                      const AppraisedValue& v, std::span<const int> districts,
                                      DistrictEstimate* out) {
    const int* const groups = g.groupsFor(data, choice);
    const long estimate = ++g.estimate;
    for (const int slot : districts) {
        const auto group = static_cast<std::size_t>(groups[slot]);
        if (g.baseOf[group] == estimate) continue;
        Exemptions ex;
        Amount net;
        if (!netTaxable(g.rules[group], v, ex, net, g.base[group])) return std::nullopt;
        g.baseOf[group] = estimate;
    }
    // Apart from the bases, so that this loop keeps its figures in registers.
    const Jurisdiction* const table = data.SpclTbl.data();
    const double* const bases = g.base.data();
    Currency sum;
    for (std::size_t k = 0; k < districts.size(); ++k) {
        const int slot = districts[k];
        const double tax = bases[groups[slot]] * table[slot].TaxRate;
        const auto more = isShowable(tax) ? sum.plus(tax) : std::nullopt;
        if (!more) return std::nullopt;
        sum = *more;
        out[k] = DistrictEstimate{slot, tax};
    }
    return sum;
}

} // namespace

LoadedTable::LoadedTable(modMain data, RateSource source)
    : rates_(
          std::make_shared<const RateSnapshot>(RateSnapshot{std::move(data), std::move(source)})),
      codes_(rates_->Data), groups_(std::make_unique<DistrictGroups>(rates_->Data.SpclTbl.size())) {
}

LoadedTable::~LoadedTable() = default;

std::optional<Error> Estimate(const LoadedTable& table, const EstimateRequest& r,
                              EstimateRecord& record) {
    const modMain& data = table.data();
    const UnitCodes& codes = table.codes();
    // Before any table is loaded the lists are empty: each unit is the blank slot 0.
    const ListEntry none{&data.RateTbl[0], false, false};
    const bool empty = data.RateCount == 0;
    const ListEntry* units[3] = {codes.county(r.County), codes.city(r.City),
                                 codes.school(r.School)};
    const std::string_view asked[3] = {r.County, r.City, r.School};
    constexpr const char* kFields[3] = {"county", "city", "school"};
    for (int k = 0; k < 3; ++k) {
        if (empty) {
            units[k] = &none;
        } else if (!units[k]) {
            return unknownCode(kFields[k], asked[k]);
        } else if (r.Strict && units[k]->Shared && !Trimmed(asked[k]).empty()) {
            return requestError(Error::Kind::SharedCode, kFields[k], Trimmed(asked[k]),
                                "more than one unit of the rate file has the code");
        }
    }
    const ListEntry* const county = units[0];

    std::span<const int> districts;
    if (r.Districts == DistrictChoice::Listed) {
        table.listed_.clear();
        if (const auto bad = codes.districtsOf(r.DistrictCodes, r.Strict, table.listed_)) {
            if (codes.districtCount(*bad) == 0) return unknownCode("special district", *bad);
            return requestError(Error::Kind::SharedCode, "special district", *bad,
                                "more than one special district of the rate file has the code");
        }
        districts = table.listed_;
    } else if (r.Districts == DistrictChoice::Selected) {
        districts = codes.selectedDistricts();
    }
    if (county->NoCounty) districts = {};

    const auto value = AppraisedValueFromText(r.Value);
    if (const char* problem = r.Strict ? valueProblem(r.Value, value) : nullptr)
        return requestError(Error::Kind::BadValue, "value", r.Value, problem);
    if (!value || !Currency::fromDouble(*value)) return tooLarge(kValueTooLarge);
    const AppraisedValue v{*value, Currency::unitsOf(*value)};
    const Choice choice{r.GHS, r.Age, r.Vet};
    EstimateRecord& e = record;
    if (e.Rates != table.rates_) e.Rates = table.rates_;
    e.AprVal = *value;
    e.GHS = r.GHS;
    e.Age = r.Age;
    e.Vet = r.Vet;
    if (!unitTax(*county->Unit, v, choice, false, e.County) ||
        !unitTax(*units[1]->Unit, v, choice, true, e.City) ||
        !unitTax(*units[2]->Unit, v, choice, false, e.School))
        return tooLarge(kTaxTooLarge);

    e.Districts.resize(districts.size());
    const auto spclTotal =
        districtTaxes(*table.groups_, data, choice, v, districts, e.Districts.data());
    if (!spclTotal) return tooLarge(kTaxTooLarge);

    // The unit taxes are added as shown, to the cent; the districts' sum is
    // added unrounded, and the total is rounded once more when shown.
    const auto total =
        spclTotal->plus(shownAmount(e.County.TaxCents) + shownAmount(e.City.TaxCents) +
                        shownAmount(e.School.TaxCents));
    if (!total) return tooLarge(kTaxTooLarge);
    e.SpclTotal = *spclTotal;
    e.TotTax = *total;
    e.SpclTaxCents = CentsAsShown(*spclTotal);
    e.TotTaxCents = CentsAsShown(*total);
    return std::nullopt;
}

bool HoldsNoNumber(std::string_view typed) {
    const std::string longer = std::string(typed) + '1';
    return !IsBlank(typed) && AppraisedValueFromText(typed) == 0.0 &&
           AppraisedValueFromText(longer) == 0.0;
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
