#include <benchmark/benchmark.h>

#include <string>

#include "cli/batch.h"
#include "cli/csv.h"
#include "ratedata/rate_file.h"

namespace levywise::cli {
namespace {

// A county of 497 units with codes 001..498 (100 left out): 20 county-level
// units, 127 cities, 50 school districts and 300 special districts, the first
// 20 of them selected by default. With sharedRules every district has the
// same exemptions; otherwise each has its own.
std::string countyText(bool sharedRules) {
    std::string text = "TaxRates v3.54\tBenchmark\tLarge\t\r\n";
    int n = 0;
    for (int i = 1; i <= 498; ++i) {
        if (i == 100) continue;
        ++n;
        const char type = n <= 20 ? 'K' : n <= 147 ? 'C' : n <= 197 ? 'I' : 'S';
        const bool selected = type == 'S' && n <= 217;
        char code[8];
        std::snprintf(code, sizeof code, "%03d", i);
        const std::string hs = type == 'S' && !sharedRules ? std::to_string(1000 + n) : "3000";
        const std::string optHS =
            type == 'S' && !sharedRules ? "0." + std::to_string(n % 9 + 1) : "20%";
        text += std::string(code) + "\tUNIT " + std::to_string(n * 7919 % 997) +
                " OF THE COUNTY\t" + type + "\t" + (selected ? "Y" : "N") + "\t0." +
                std::to_string(1000 + n * 13) + "\t" + hs + "\t10000\t12000\t" + optHS +
                "\t0.1\t25000\t\t\t5000\t7500\t10000\t12000\t\t\t\t\r\n";
    }
    return text;
}

// Properties spread over every county, city and school district, with every
// exemption and veteran bracket, the file's default districts.
std::string propertiesCsv(int rows) {
    static const char* const exemptions[] = {"", "over65", "disabled"};
    static const char* const veterans[] = {"", "1", "2", "3", "4"};
    std::string csv = "id,value,county,city,school,homestead,exemption,veteran,specials\n";
    char line[160];
    for (int r = 1; r <= rows; ++r) {
        int city = 21 + r % 127;
        if (city >= 100) ++city;
        std::snprintf(line, sizeof line, "P%d,%d,%03d,%03d,%03d,%s,%s,%s,\n", r,
                      40000 + r * 7919 % 960000, 1 + r % 20, city, 149 + r % 50, r % 2 ? "Y" : "N",
                      exemptions[r % 3], veterans[r % 5]);
        csv += line;
    }
    return csv;
}

class NullSink : public ByteSink {
public:
    bool write(std::string_view bytes) override {
        written += bytes.size();
        return true;
    }
    std::size_t written = 0;
};

void BatchOfProperties(benchmark::State& state, bool sharedRules) {
    modMain data;
    InstallRateTable(data, ParseRateFile(countyText(sharedRules), "bench").contents);
    const LoadedTable table(std::move(data), {});
    const int rows = static_cast<int>(state.range(0));
    const std::string csv = propertiesCsv(rows);
    for (auto _ : state) {
        StringSource in(csv);
        NullSink out;
        const BatchSummary s = RunBatch(table, in, out);
        if (s.FailedRows != 0 || s.Rows != rows) state.SkipWithError("rows failed");
        benchmark::DoNotOptimize(out.written);
    }
    state.SetItemsProcessed(state.iterations() * rows);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(csv.size()));
}

void BM_BatchTwentyDistrictsSharedRules(benchmark::State& state) { BatchOfProperties(state, true); }
void BM_BatchTwentyDistrictsOwnRules(benchmark::State& state) { BatchOfProperties(state, false); }
BENCHMARK(BM_BatchTwentyDistrictsSharedRules)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BatchTwentyDistrictsOwnRules)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace levywise::cli
