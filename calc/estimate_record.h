#pragma once

// One estimate kept whole in itself: its inputs, the rate file it came from,
// the texts its tabs showed and its taxes in cents. It holds no reference
// into the tables, so it outlives the loading of another rate file; the
// comparison and the worksheet are made from it.

#include <cstdint>
#include <string>
#include <vector>

#include "calc/estimate.h"
#include "calc/estimate_input.h"
#include "calc/estimate_labels.h"
#include "ratedata/mod_main.h"

namespace levywise {

// Where the rates of an estimate came from.
struct RateSource {
    std::string Path;   // the rate file as the user named it (UTF-8)
    std::string Label;  // the label of its header line (Windows-1252)
    std::string County; // the county's name (Windows-1252)
};

struct UnitRecord {
    std::string Code;  // without trailing blanks
    UnitLabels Labels; // the texts of the unit's tab
    std::int64_t TaxCents = 0;
};

struct DistrictRecord {
    std::string Code; // without trailing blanks (Windows-1252)
    std::string Name; // without trailing blanks (Windows-1252)
    std::string Rate; // plain number text, as a unit's rate shows
    std::int64_t TaxCents = 0;
};

struct EstimateRecord {
    EstimateInput Input;
    RateSource Source;
    UnitRecord County, City, School;
    std::vector<DistrictRecord> Districts; // the taxed districts, in table order
    std::int64_t AprValCents = 0;
    std::int64_t SpclTaxCents = 0;
    std::int64_t TotTaxCents = 0;
};

// The record of an estimate the engine worked out on the data's tables.
EstimateRecord RecordEstimate(const modMain& data, const EstimateInput& input,
                              const EstimateFigures& figures, RateSource source);

// One input of an estimate as the comparison and the worksheet show it.
struct InputLine {
    std::string Label;
    std::string Text; // UTF-8
};

// Appraised value, county, city, school, the three exemptions, the special
// districts, the rate file and its rates, in this order.
std::vector<InputLine> InputLines(const EstimateRecord& record);

// Rate-file text for display: UTF-8, control characters as the replacement mark.
std::string Displayed(std::string_view cp1252);

} // namespace levywise
