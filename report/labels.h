#pragma once

// The texts of an estimate: each figure as the window's labels show it,
// and the inputs as the comparison and the worksheet list them. Every
// other presentation (report/) is made from these.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calc/record.h"

namespace levywise {

// The money figures of one unit's tab in cents, as its texts show them.
struct UnitCents {
    std::int64_t AprVal = 0;
    std::int64_t HSVal = 0;
    std::int64_t O65Val = 0;
    std::int64_t VetVal = 0;
    std::int64_t NTV = 0;
    std::int64_t Base = 0;
    std::int64_t Tax = 0;
};

// The texts of one unit's tab (county, city or school) and of its two lines
// on the "Total Tax" tab. Names stay Windows-1252 bytes, as the file gave them.
struct UnitLabels {
    std::string AprVal;       // appraised value
    std::string TRate;        // tax rate, plain number text
    std::string Name;         // the unit's name, all 30 characters
    std::string TotName;      // the name without trailing blanks (Total Tax tab)
    std::string HSVal;        // general homestead exemption (capped at the value on the city tab)
    std::string O65Val;       // over-65 or disabled-person exemption
    std::string VetVal;       // veteran exemption
    std::string NTV;          // net taxable value
    std::string Base1;        // tax base (net taxable value / 100)
    std::string Base2;        // the same, as the first factor of the tax line
    std::string Tax;          // tax
    std::string TotTax;       // the same, on the Total Tax tab
    UnitCents Cents;          // the money texts above, in cents
    std::string TRateDecimal; // the rate's digits never in exponent form, for scripts
};

// One whole estimate as the window shows it.
struct EstimateLabels {
    UnitLabels County, City, School;
    std::string TotSpclTax;           // the selected special districts' tax
    std::string TotTax;               // the total estimated tax
    std::int64_t TotSpclTaxCents = 0; // the same two in cents
    std::int64_t TotTaxCents = 0;
};

UnitLabels LabelsOf(const UnitEstimate& unit, double aprVal);
EstimateLabels LabelsOf(const EstimateRecord& record);

// A unit's code as shown: without trailing blanks (Windows-1252).
std::string CodeShown(const Jurisdiction& unit);

// A table field as the comparison shows it: NULs of a never-written field
// dropped, no blanks around it (Windows-1252).
std::string FieldShown(std::string_view field);

// Rate-file text for display: UTF-8, control characters as the replacement mark.
std::string Displayed(std::string_view cp1252);

// One input of an estimate as the comparison and the worksheet show it.
struct InputLine {
    std::string Label;
    std::string Text; // UTF-8
};

// Appraised value, county, city, school, the three exemptions, the special
// districts, the rate file and its rates, in this order.
std::vector<InputLine> InputLines(const EstimateRecord& record);

} // namespace levywise
