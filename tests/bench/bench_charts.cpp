#include <benchmark/benchmark.h>

#include <optional>

#include "common/large_estimate.h"
#include "report/pictures.h"

namespace levywise {
namespace {

// "Where the tax goes" of the large county's estimate.
void BM_WhereTheTaxGoesWith300Districts(benchmark::State& state) {
    const std::optional<EstimateRecord> record = bench::EstimateWith300Districts();
    if (!record) {
        state.SkipWithError("not 300 districts taxed");
        return;
    }
    for (auto _ : state) {
        Picture picture = WhereTheTaxGoesOf(*record);
        benchmark::DoNotOptimize(picture);
    }
}
BENCHMARK(BM_WhereTheTaxGoesWith300Districts)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace levywise
