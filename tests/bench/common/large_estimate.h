#pragma once

// An estimate that taxes a county, a city, a school district and 300 special
// districts, each of its own tax, with names holding a Windows-1252 letter to
// decode: the large county the pictures' benchmarks draw.

#include <optional>
#include <string>

#include "calc/estimate.h"
#include "ratedata/rate_file.h"

namespace levywise::bench {

// Empty when the table does not give the 300 districts taxed.
inline std::optional<EstimateRecord> EstimateWith300Districts() {
    std::string text = "TaxRates v3.54\tBenchmark\tLarge\t\r\n101\tTHE COUNTY\tK\tN\t0.5\r\n"
                       "201\tTHE CITY\tC\tN\t0.25\r\n901\tTHE SCHOOL\tI\tN\t1.2\r\n";
    for (int i = 0; i < 300; ++i)
        text += std::to_string(100 + i) + "\tDISTRICT " + std::to_string((i * 7919) % 997) +
                " CAF\xC9\tS\tY\t0." + std::to_string(1000 + i) + "\r\n";
    modMain data;
    InstallRateTable(data, ParseRateFile(text, "bench").contents);
    EstimateRequest in;
    in.Value = "250000";
    in.County = "101";
    in.City = "201";
    in.School = "901";
    EstimateRecord record;
    if (Estimate(LoadedTable(std::move(data), {}), in, record) || record.Districts.size() != 300)
        return std::nullopt;
    return record;
}

} // namespace levywise::bench
