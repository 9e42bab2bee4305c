#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "calc/estimate.h"
#include "ratedata/rate_file.h"
#include "report/labels.h"

namespace levywise {
namespace {

// A county of 497 units (the most a table holds): 300 special districts,
// 97 cities, 50 school districts, 50 county-level units, names in
// scrambled order so the sort has work to do.
std::string bigCountyText() {
    std::string text = "TaxRates v3.54\tBenchmark\tLarge\t\r\n";
    for (int i = 0; i < 497; ++i) {
        const char type = i < 300 ? 'S' : i < 397 ? 'C' : i < 447 ? 'I' : 'K';
        const int scrambled = (i * 7919) % 997;
        text += std::to_string(100 + i % 900).substr(0, 3) + "\tUNIT " + std::to_string(scrambled) +
                " OF THE COUNTY\t" + type + "\tY\t0." + std::to_string(1000 + i) +
                "\t3000\t10000\t12000\t20%\t0.1\t25000\t\t\t5000\t7500\t10000\t12000\t\t\t\t\r\n";
    }
    return text;
}

void BM_ReadAndSortLargeRateFile(benchmark::State& state) {
    const auto path = std::filesystem::temp_directory_path() / "levywise-bench-500.tab";
    std::ofstream(path, std::ios::binary) << bigCountyText();
    for (auto _ : state) {
        RateFileRead read = ReadRateFile(path.string());
        benchmark::DoNotOptimize(read);
        if (read.status != RateFileStatus::Loaded) state.SkipWithError("not loaded");
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadAndSortLargeRateFile)->Unit(benchmark::kMicrosecond);

void BM_WholeEstimateWith300Districts(benchmark::State& state) {
    modMain data;
    InstallRateTable(data, ParseRateFile(bigCountyText(), "bench").contents);
    EstimateRequest in;
    in.Value = "$250,000";
    in.County = "547"; // the first county-level unit, city and school district of the file
    in.City = "400";
    in.School = "497";
    in.GHS = true;
    in.Age = AgeOption::O65;
    in.Vet = VetOption::Vet2;
    // The window's Calculate: the table made ready, the estimate and its texts.
    for (auto _ : state) {
        EstimateRecord record;
        const auto error = Estimate(LoadedTable(data, {}), in, record);
        if (error || record.Districts.size() != 300) state.SkipWithError("not 300 districts taxed");
        auto labels = LabelsOf(record);
        benchmark::DoNotOptimize(labels);
    }
}
BENCHMARK(BM_WholeEstimateWith300Districts)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace levywise
