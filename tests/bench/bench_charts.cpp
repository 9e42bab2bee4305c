#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "charts/where_tax_goes.h"

namespace levywise {
namespace {

void BM_WhereTheTaxGoesWith300Districts(benchmark::State& state) {
    std::vector<TaxShare> shares;
    std::int64_t total = 0;
    for (int i = 0; i < 303; ++i) {
        const std::int64_t cents = (i * 7919) % 997 * 100 + 5;
        shares.push_back({"DISTRICT " + std::to_string(i) + " OF THE COUNTY \xC9", cents});
        total += cents;
    }
    for (auto _ : state) {
        Picture picture = WhereTheTaxGoesPicture(shares, total);
        benchmark::DoNotOptimize(picture);
    }
}
BENCHMARK(BM_WhereTheTaxGoesWith300Districts)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace levywise
