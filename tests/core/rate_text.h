#pragma once

#include <string>
#include <vector>

#include "ratedata/mod_main.h"
#include "ratedata/rate_file.h"

namespace levywise::test {

inline const std::string kHeader = "TaxRates v3.54\tTest Rates\tHarlan\t";

// A rate file text from a header and record lines joined with CR LF.
inline std::string RateText(const std::vector<std::string>& records,
                            const std::string& header = kHeader) {
    std::string text = header + "\r\n";
    for (const auto& r : records) text += r + "\r\n";
    return text;
}

// Loads rate file text into fresh tables; fails the test when refused.
inline modMain Loaded(const std::vector<std::string>& records) {
    modMain data;
    const RateFileRead read = ParseRateFile(RateText(records), "test.tab");
    if (read.status != RateFileStatus::Loaded) throw std::runtime_error(read.error.message());
    InstallRateTable(data, read.contents);
    return data;
}

} // namespace levywise::test
