// One whole filter pass over the full set, as the filter step runs it:
// LoadDraws and the prepared selection, the blocks of answers and the
// compaction of the kept combinations into the list, for NUMS with ten values
// selected, keeping and deleting, on one thread and split over two.
#include <benchmark/benchmark.h>

#include <QString>

#include <memory>
#include <vector>

#include "core/Enumeration.h"
#include "stats/StatDrawArray.h"
#include "stats/TCustomStat.h"
#include "stats/TStatList.h"
#include "workbench/FilterCore.h"

namespace {

using namespace zircon;

const std::vector<TComb>& fullSet()
{
    static const std::vector<TComb> full = [] {
        std::vector<TComb> combs(static_cast<size_t>(kFullSetSize));
        fillFullSet(combs.data());
        return combs;
    }();
    return full;
}

void filterPass(benchmark::State& state, bool deleteMode, FilterThreads threads)
{
    const std::vector<TComb>& undo = fullSet();
    // The list beside its undo copy, reserved once and touched before timing,
    // as the program holds it.
    std::vector<TComb> list(undo.size());
    TDrawsArray draws;
    TStatList registry(&draws);
    registry.RegisterAll();
    const std::unique_ptr<TCustomStat> stat = registry.CreateStat(registry.FindCode(QStringLiteral("NUMS")));
    TStatDrawArray selected;
    TStatDrawItem item;
    for (uint16_t v : {3, 9, 14, 15, 26, 33, 41, 52, 60, 67}) {
        item.Key = TStatKey::k1(v);
        selected.AddValue(item, false);
    }
    ValueFilterPass pass;
    pass.end = filterWindowEnd(0, 0);
    pass.deleteMode = deleteMode;
    pass.threads = threads;
    size_t calls = 0;
    pass.progress = [&calls](size_t, size_t) { return ++calls, true; };

    ValueFilterResult r;
    for (auto _ : state) {
        r = applyValueFilter(undo.data(), undo.size(), list.data(), *stat, selected, pass);
        benchmark::DoNotOptimize(list.data());
        benchmark::ClobberMemory();
    }
    if (!r.completed)
        state.SkipWithError("the pass did not complete");
    state.counters["kept"] = static_cast<double>(r.kept);
    state.counters["threads"] = r.threads;
    state.counters["reports"] = static_cast<double>(calls) / static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations() * kFullSetSize);
}

}  // namespace

BENCHMARK_CAPTURE(filterPass, NUMS10/keep/oneThread, false, zircon::FilterThreads::Single)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterPass, NUMS10/delete/oneThread, true, zircon::FilterThreads::Single)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterPass, NUMS10/keep/twoThreads, false, zircon::FilterThreads::Two)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterPass, NUMS10/delete/twoThreads, true, zircon::FilterThreads::Two)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
