// The full-set paths of the combination list: generating it, the block copies
// of backup and undo, and removing the newest draws.
#include <benchmark/benchmark.h>

#include "BenchArchive.h"
#include "core/DrawArchive.h"
#include "core/Lottery.h"
#include "workbench/CombGeneration.h"
#include "workbench/CombRemoval.h"
#include "workbench/CombWorkbench.h"

namespace {

using namespace zircon;
using namespace zircon::bench;

// One workbench for every benchmark, reserved once as in the program.
CombWorkbench& workbench()
{
    static CombWorkbench wb = [] {
        CombWorkbench w;
        w.reserveFullSet();
        return w;
    }();
    return wb;
}

void BM_GenerateFullSet(benchmark::State& state)
{
    CombList& list = workbench().list();
    for (auto _ : state) {
        GenerateCombs(list, 0, QString());
        benchmark::DoNotOptimize(list.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kFullSetSize);
}
BENCHMARK(BM_GenerateFullSet)->Unit(benchmark::kMillisecond);

// Mode 3 with one number: the enumeration with a test per combination and ten
// million appends.
void BM_GenerateWithoutMyNumber(benchmark::State& state)
{
    CombList& list = workbench().list();
    for (auto _ : state) {
        GenerateCombs(list, 3, QStringLiteral("1"));
        benchmark::DoNotOptimize(list.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kFullSetSize);
}
BENCHMARK(BM_GenerateWithoutMyNumber)->Unit(benchmark::kMillisecond);

void BM_BackupFullList(benchmark::State& state)
{
    CombWorkbench& wb = workbench();
    GenerateCombs(wb.list(), 0, QString());
    for (auto _ : state) {
        wb.BackupCombs();
        benchmark::DoNotOptimize(wb.undo().data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kFullSetSize * static_cast<int64_t>(sizeof(TComb)));
}
BENCHMARK(BM_BackupFullList)->Unit(benchmark::kMillisecond);

void BM_RestoreFullList(benchmark::State& state)
{
    CombWorkbench& wb = workbench();
    GenerateCombs(wb.list(), 0, QString());
    wb.BackupCombs();
    for (auto _ : state) {
        // RestoreCombs empties the undo copy; setting its count back costs
        // nothing and keeps the copied bytes the full set.
        wb.undo().setCount(static_cast<size_t>(kFullSetSize));
        wb.RestoreCombs();
        benchmark::DoNotOptimize(wb.list().data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kFullSetSize * static_cast<int64_t>(sizeof(TComb)));
}
BENCHMARK(BM_RestoreFullList)->Unit(benchmark::kMillisecond);

// The fixture's 1000 newest draws removed from the full set.
void BM_RemoveDrawCombs(benchmark::State& state)
{
    DrawArchive archive;
    archive.load(archivePath());
    if (archive.count() < state.range(0)) {
        state.SkipWithError("the archive has fewer draws than asked for");
        return;
    }
    CombWorkbench& wb = workbench();
    GenerateCombs(wb.list(), 0, QString());
    wb.BackupCombs();
    size_t removed = 0;
    for (auto _ : state) {
        removed = RemoveDrawCombs(wb.undo(), wb.list(), archive, static_cast<int>(state.range(0)),
                                  [](size_t done, size_t) { benchmark::DoNotOptimize(done); });
        benchmark::ClobberMemory();
    }
    state.counters["removed"] = static_cast<double>(removed);
    state.SetItemsProcessed(state.iterations() * kFullSetSize);
}
BENCHMARK(BM_RemoveDrawCombs)->Arg(1000)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
