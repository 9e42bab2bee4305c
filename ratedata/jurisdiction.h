#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ratedata/currency.h"
#include "ratedata/fixed_text.h"

namespace levywise {

// One taxing unit of the rate table: a county-level unit, a city, a school
// district or a special district, as one line of the rate file gives it.
struct Jurisdiction {
    FixedText<3> Code;
    FixedText<30> Name;
    FixedText<1> UnitType;
    FixedText<1> DefaultSel;
    double TaxRate = 0; // tax per 100 of net taxable value
    Currency HSAmt;     // general homestead, fixed amount
    Currency O65Amt;    // over 65, fixed amount
    Currency DPAmt;     // disabled person, fixed amount
    double OptHS = 0;   // fraction of the value when strictly between 0 and 1, else an amount
    Currency OptO65;    // as OptHS
    Currency OptDP;     // as OptHS
    double Reserved12 = 0;
    double Reserved13 = 0;
    std::int16_t Vet1 = 0; // veteran amounts in whole dollars, by disability bracket
    std::int16_t Vet2 = 0;
    std::int16_t Vet3 = 0;
    std::int16_t Vet4 = 0;
    std::int16_t Reserved18 = 0;
    std::int16_t Reserved19 = 0;
    std::int16_t Reserved20 = 0;
    bool Reserved21 = false;
};

// The selection state of one special district: "Y" or "N" each.
struct SpclFlags {
    FixedText<1> Selected;
    FixedText<1> Default;
};

// Unit type letters.
inline constexpr char kCountyUnit = 'K';
inline constexpr char kCityUnit = 'C';
inline constexpr char kSchoolUnit = 'I';
inline constexpr char kSpecialUnit = 'S';

// The entries the loader adds so that the user can choose no unit.
namespace PlaceholderCodes {
inline constexpr std::string_view NoCity = "000";
inline constexpr std::string_view NoSchool = "900";
inline constexpr std::string_view NoCounty = "100";
} // namespace PlaceholderCodes

// The text of a unit's entry in the county, city and school lists: the
// whole 30-character name, 20 spaces, the 3-character code (53 characters).
// The window finds the chosen unit's code again by the last three
// characters (app/unit_lists.h).
std::string ItemText(const Jurisdiction& unit);

} // namespace levywise
