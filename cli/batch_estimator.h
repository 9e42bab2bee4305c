#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calc/estimate.h"
#include "cli/unit_codes.h"
#include "ratedata/mod_main.h"

namespace levywise::cli {

// One property of a batch, as its row gives it.
struct BatchRow {
    std::string_view Value;     // read like the appraised value typed in the window
    std::string_view County;    // codes; empty for the "no unit" entry
    std::string_view City;
    std::string_view School;
    std::string_view Homestead; // Y or N (empty: N)
    std::string_view Exemption; // empty, over65 or disabled
    std::string_view Veteran;   // empty or 1 to 4
    std::string_view Specials;  // empty for the file's defaults, none, or codes separated by ';'
};

// Estimates the properties of a batch against one loaded table, which must
// outlive it. Each row starts from the file's default special districts;
// nothing of one row carries over to the next. Allocates nothing per row
// once warmed up, except for the texts of failures.
class BatchEstimator {
public:
    explicit BatchEstimator(const modMain& data);

    // The row's figures, or false with the reason in error.
    bool estimate(const BatchRow& row, EstimateFigures& figures, std::string& error);

private:
    UnitCodes codes_;
    EstimateEngine engine_;
    std::vector<int> chosen_;
};

} // namespace levywise::cli
