#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "calc/estimate_labels.h"
#include "ratedata/rate_file.h"

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
    EstimateInput in;
    in.AprValText = "$250,000";
    in.GHS = true;
    in.Age = AgeOption::O65;
    in.Vet = VetOption::Vet2;
    in.CountyItem = ListItemsOfType(data, 'K').at(1);
    in.CityItem = ListItemsOfType(data, 'C').at(1);
    in.SchoolItem = ListItemsOfType(data, 'I').at(1);
    int selected = 0;
    for (int i = 1; i <= data.SpclCount; ++i) selected += data.SpclSel[i].Selected.equals("Y");
    if (selected != 300) state.SkipWithError("expected 300 selected districts");
    for (auto _ : state) {
        auto estimate = CalculateTaxes(data, in);
        benchmark::DoNotOptimize(estimate);
    }
}
BENCHMARK(BM_WholeEstimateWith300Districts)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace levywise
