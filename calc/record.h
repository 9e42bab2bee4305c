#pragma once

// One whole estimate as the engine worked it out: plain figures, no text
// (report/ makes the texts). It shares the rates it was worked out on, so
// it outlives the loading of another rate file.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "calc/request.h"
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

// Where the rates of an estimate came from.
struct RateSource {
    std::string Path;  // the rate file as the user named it (UTF-8)
    std::string Label; // the label of its header line (Windows-1252)
};

// The rates an estimate was worked out on, kept unchanged as long as one of
// its estimates is.
struct RateSnapshot {
    modMain Data;
    RateSource Source;
};

// The breakdown of one unit's tax: the county's, the city's or the school's.
struct UnitEstimate {
    const Jurisdiction* Unit = nullptr; // in the record's rates (slot 0 when none)
    Amount HS;                          // general homestead exemption, as subtracted
    Amount HSShown;                     // the same as shown: the city's is capped at the value
    Amount AgeEx;                       // over-65 or disabled-person exemption
    Amount Vet;                         // veteran exemption
    Amount Net;                         // net taxable value
    double Base = 0;                    // tax base: net taxable value / 100
    double Tax = 0;                     // the tax, unrounded
    std::int64_t TaxCents = 0;          // the tax as shown
};

// A taxed special district and its tax on the property, unrounded.
struct DistrictEstimate {
    int Slot = 0; // 1..SpclCount in the record's SpclTbl
    double Tax = 0;
};

struct EstimateRecord {
    std::shared_ptr<const RateSnapshot> Rates;
    // What was asked.
    double AprVal = 0; // the appraised value as read
    bool GHS = false;
    AgeOption Age = AgeOption::Neither;
    VetOption Vet = VetOption::None;
    // What it comes to.
    UnitEstimate County, City, School;
    std::vector<DistrictEstimate> Districts; // in table order; none with " No County"
    Currency SpclTotal;                      // the districts' taxes summed to ten-thousandths
    Currency TotTax;                         // the unit taxes as shown plus SpclTotal
    std::int64_t SpclTaxCents = 0;           // as shown
    std::int64_t TotTaxCents = 0;            // as shown

    const Jurisdiction& district(const DistrictEstimate& d) const {
        return Rates->Data.SpclTbl[static_cast<std::size_t>(d.Slot)];
    }
};

} // namespace levywise
