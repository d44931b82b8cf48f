// The full-set paths of the enumeration: building the list of all
// combinations and turning every combination into its position.
#include <benchmark/benchmark.h>

#include "core/Enumeration.h"

namespace {

using namespace zircon;

void BM_FillFullSetReserved(benchmark::State& state)
{
    TCombsArray list;
    list.reserve(static_cast<size_t>(kFullSetSize));
    for (auto _ : state) {
        list.clear();
        fillFullSet(list);
        benchmark::DoNotOptimize(list.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kFullSetSize);
}
BENCHMARK(BM_FillFullSetReserved)->Unit(benchmark::kMillisecond);

void BM_RankFullSet(benchmark::State& state)
{
    TCombsArray list;
    fillFullSet(list);
    for (auto _ : state) {
        uint64_t sum = 0;
        for (const TComb& c : list)
            sum += combRank(c);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kFullSetSize);
}
BENCHMARK(BM_RankFullSet)->Unit(benchmark::kMillisecond);

void BM_UnrankFullSet(benchmark::State& state)
{
    for (auto _ : state) {
        uint64_t sum = 0;
        for (uint32_t r = 0; r < static_cast<uint32_t>(kFullSetSize); ++r)
            sum += combUnrank(r).n[4];
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kFullSetSize);
}
BENCHMARK(BM_UnrankFullSet)->Unit(benchmark::kMillisecond);

void BM_ForEachCombFullSet(benchmark::State& state)
{
    for (auto _ : state) {
        uint64_t sum = 0;
        forEachComb([&sum](const TComb& c) { sum += c.n[4]; });
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kFullSetSize);
}
BENCHMARK(BM_ForEachCombFullSet)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
