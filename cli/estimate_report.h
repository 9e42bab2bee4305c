#pragma once

#include <string>
#include <vector>

#include "calc/estimate_labels.h"

namespace levywise::cli {

// A special district that was taxed, with its tax in the money format.
struct TaxedDistrict {
    std::string Code;
    std::string Name; // without trailing blanks, as stored (Windows-1252)
    std::string Tax;
};

// One whole estimate as the command reports it.
struct EstimateReport {
    std::string CountyCode; // the chosen entries' codes, without trailing blanks
    std::string CityCode;
    std::string SchoolCode;
    Estimate Labels;
    std::vector<TaxedDistrict> Districts;
};

// The three unit breakdowns, the taxed districts and the totals, one figure a
// line, each the text the window shows for it.
std::string EstimateText(const EstimateReport& report);

// The same as one JSON object.
std::string EstimateJson(const EstimateReport& report);

} // namespace levywise::cli
