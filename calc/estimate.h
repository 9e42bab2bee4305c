#pragma once

// The tax engine: one whole estimate worked out as plain figures, with no
// text. Every tax rule lives here once; the window, `estimate` and `batch`
// call it, and the formatting step (calc/estimate_labels.h) turns its
// figures into the texts each of them shows.
//
// Money rules, for every figure below:
// - Money a Currency amount took part in is held to ten-thousandths
//   (Currency), rounded once from the exact sum (Currency::plus); figures
//   made only of the typed value, whole numbers and rates stay doubles.
// - A percentage part of an exemption is rounded to whole dollars, a half up.
// - The tax base and the taxes are never rounded; what is shown of them is
//   rounded to cents by CentsAsShown (ratedata/formats.h), nothing else.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calc_result.h"
#include "calc/estimate_input.h"
#include "ratedata/currency.h"
#include "ratedata/mod_main.h"

namespace levywise {

// A working figure: ten-thousandths once a Currency amount took part in it,
// otherwise a double; an exemption that does not apply is empty.
struct Amount {
    enum class Kind { Empty, Double, Money } kind = Kind::Empty;
    double number = 0; // when Double
    Currency money;    // when Money

    static Amount ofDouble(double d) { return {Kind::Double, d, {}}; }
    static Amount ofMoney(Currency c) { return {Kind::Money, 0, c}; }
    double value() const { return kind == Kind::Money ? money.toDouble() : number; }
    // In cents as shown: the one rounding of each kind.
    std::int64_t cents() const;
};

// The breakdown of one unit's tax: the county's, the city's or the school's.
struct UnitFigures {
    const Jurisdiction* Unit = nullptr; // the unit the list entry stands for (slot 0: none)
    double AprVal = 0;                  // the appraised value
    Amount HS;                          // general homestead exemption, as subtracted
    Amount HSShown;                     // the same as shown: the city's is capped at the value
    Amount AgeEx;                       // over-65 or disabled-person exemption
    Amount Vet;                         // veteran exemption
    Amount Net;                         // net taxable value
    double Base = 0;                    // tax base: net taxable value / 100
    double Rate = 0;                    // the unit's tax rate
    double Tax = 0;                     // the tax, unrounded
    std::int64_t TaxCents = 0;          // the tax as shown
};

// A selected special district and its tax on the property, unrounded.
struct DistrictTax {
    int Slot = 0; // 1..SpclCount in SpclTbl
    double Tax = 0;
};

// One whole estimate.
struct EstimateFigures {
    UnitFigures County, City, School;
    std::vector<DistrictTax> Districts; // in table order; empty with " No County"
    Currency SpclTotal;                 // the districts' taxes summed to ten-thousandths
    Currency TotTax;                    // the unit taxes as shown plus SpclTotal
    std::int64_t SpclTaxCents = 0;      // as shown
    std::int64_t TotTaxCents = 0;       // as shown
};

// One estimate whose units have been found (FindUnit) and districts chosen.
struct EstimateRequest {
    const Jurisdiction* County = nullptr;
    const Jurisdiction* City = nullptr;
    const Jurisdiction* School = nullptr;
    bool TaxDistricts = true;       // false when the county entry is " No County"
    std::span<const int> Districts; // SpclTbl slots to tax, ascending, each once
    std::string_view AprValText;    // read as the window reads what is typed
    bool GHS = false;
    AgeOption Age = AgeOption::Neither;
    VetOption Vet = VetOption::None;
};

// A unit's exemption rules for one choice of exemptions, and the appraised
// value as an estimate reads it (calc/estimate.cpp).
struct ExemptionRules;
struct AppraisedValue;

// Works out estimates against one loaded table, which must outlive it and
// stay unchanged. What it keeps between estimates only saves work: for each
// choice of exemptions, the groups of districts whose rules for those
// exemptions are the same (and so their tax base), with those rules decided
// once; a group's base is worked out once an estimate.
class EstimateEngine {
public:
    explicit EstimateEngine(const modMain& data);
    ~EstimateEngine();

    // Works out one estimate into figures (whose vector is reused). Empty on
    // success, else why there is no estimate (kValueTooLarge, kTaxTooLarge);
    // figures are then not to be used.
    std::string_view compute(const EstimateRequest& request, EstimateFigures& figures);

    // The same without the groups: for a single estimate, where finding the
    // groups would cost more than it saves.
    static std::string_view computeOnce(const modMain& data, const EstimateRequest& request,
                                        EstimateFigures& figures);

private:
    struct Ungrouped {};
    EstimateEngine(const modMain& data, Ungrouped);

    // The districts' taxes into out and their sum; empty when a figure
    // leaves the range of money.
    std::optional<Currency> districtTaxes(const EstimateRequest& r, const AppraisedValue& v,
                                          std::span<const int> districts, DistrictTax* out);
    std::optional<Currency> districtTaxesOnce(const EstimateRequest& r, const AppraisedValue& v,
                                              std::span<const int> districts,
                                              DistrictTax* out) const;

    const modMain& data_;
    std::vector<int> ruleGroup_; // per choice of exemptions and SpclTbl slot; empty: none
    std::vector<ExemptionRules> groupRules_; // per rule group
    std::vector<double> base_;               // per rule group, this estimate's
    std::vector<long> baseOf_;               // per rule group, the estimate its base belongs to
    long estimate_ = 0;
};

// The whole estimate the window shows for its input: the units its lists
// name, the districts whose Selected flag is "Y". Reads the tables only.
CalcResult<EstimateFigures> ComputeEstimate(const modMain& data, const EstimateInput& input);

// The unit a list entry stands for: the first slot whose code equals the
// entry's last three characters, else slot 0 (an empty unit).
const Jurisdiction& FindUnit(const modMain& data, std::string_view itemText);

// Whether a city's homestead fraction has the higher minimum: its name, as
// shown, upper-cased and without trailing blanks, is "CITY OF QUARLOW".
bool HasQuarlowHomesteadMinimum(const Jurisdiction& city);

} // namespace levywise
