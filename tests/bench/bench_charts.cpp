#include <benchmark/benchmark.h>

#include <string>

#include "calc/estimate.h"
#include "ratedata/rate_file.h"
#include "report/pictures.h"

namespace levywise {
namespace {

// "Where the tax goes" of an estimate that taxes a county, a city, a school
// district and 300 special districts, each of its own tax, names with a
// Windows-1252 letter to decode.
void BM_WhereTheTaxGoesWith300Districts(benchmark::State& state) {
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
        state.SkipWithError("not 300 districts taxed");
    for (auto _ : state) {
        Picture picture = WhereTheTaxGoesOf(record);
        benchmark::DoNotOptimize(picture);
    }
}
BENCHMARK(BM_WhereTheTaxGoesWith300Districts)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace levywise
