// The stakes paths at the scale of a script that stakes a whole list: adding
// a million stakes, asking whether a stake exists through the index, and
// checking a million stakes against the archive. The stakes file lives in
// ZIRCON_BENCH_DIR when set (to measure a real disk), else in a temporary
// directory.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "core/ExclusiveFile.h"
#include "core/Shema.h"
#include "core/Sorting.h"
#include "stakes/StakeAdding.h"
#include "stakes/StakeChecking.h"
#include "stakes/StakesFile.h"
#include "stats/TStatList.h"

namespace {

using namespace zircon;

constexpr size_t kStakes = 1000000;
constexpr int kDraws = 2000;

// One held stakes file for every benchmark of the run.
struct Bench {
    Bench()
    {
        const char* env = std::getenv("ZIRCON_BENCH_DIR");
        dir = std::make_unique<QTemporaryDir>(env ? QDir(QString::fromLocal8Bit(env)).filePath(QStringLiteral("stakes-XXXXXX"))
                                                  : QDir::temp().filePath(QStringLiteral("stakes-XXXXXX")));
        hold.open(QDir(dir->path()).filePath(QStringLiteral("Zircon_5x69.lsk")));
        file = std::make_unique<StakesFile>(hold);
        file->checkAtStartUp();
        stats.Config.Cost = 2 * kCurrencyScale;
        stats.Config.Profits = {{2, 3 * kCurrencyScale}, {3, 10 * kCurrencyScale}, {4, 100 * kCurrencyScale}};

        QRandomGenerator rng(2024);
        combs.reserve(kStakes);
        for (size_t i = 0; i < kStakes; ++i) {
            TComb c;
            int filled = 0;
            while (filled < kMainCount) {
                const auto n = static_cast<uint8_t>(rng.bounded(1, kMainMax + 1));
                if (std::find(c.n.begin(), c.n.begin() + filled, n) == c.n.begin() + filled)
                    c.n[static_cast<size_t>(filled++)] = n;
            }
            combs.push_back(c);
        }
        for (int d = 1; d <= kDraws; ++d) {
            TDraw draw;
            draw.number = d;
            draw.nums = combs[static_cast<size_t>(d) * 7].n;
            draw.extra = 1;
            draws.push_back(draw);
        }
    }

    // A million unchecked stakes spread over the draws, in runs of 500 on
    // one draw as a script's pass leaves them.
    void fillUnchecked()
    {
        file->clear();
        StakeRecord r = makeStakeRecord(StakeKind::Script, 1, 1000, TComb{}, QStringLiteral("01.001: @ FULL#ALL"),
                                        stats);
        for (size_t i = 0; i < kStakes; ++i) {
            r.drawNumber = static_cast<int32_t>(i / 500 % kDraws) + 1;
            r.numbers = ShemaFromComb(combs[i]);
            sortShemaNumbers(r.numbers);
            file->append(r);
        }
        file->sync();
    }

    std::unique_ptr<QTemporaryDir> dir;
    ExclusiveFile hold;
    std::unique_ptr<StakesFile> file;
    TStatList stats;
    std::vector<TComb> combs;
    TDrawsArray draws;
};

Bench& bench()
{
    static Bench b;
    return b;
}

void BM_AddMillionStakes(benchmark::State& state)
{
    Bench& b = bench();
    BulkStakeSettings settings;
    settings.kind = StakeKind::Manual;
    settings.drawNumber = 1500;
    settings.listSize = static_cast<int32_t>(kStakes);
    settings.comment = manualStakeComment();
    for (auto _ : state) {
        state.PauseTiming();
        b.file->clear();
        state.ResumeTiming();
        const StakeAddResult r = addBulkStakes(*b.file, b.combs.data(), b.combs.size(), settings, b.stats,
                                               [](size_t, size_t) { return true; });
        benchmark::DoNotOptimize(r.added);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kStakes));
}
BENCHMARK(BM_AddMillionStakes)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same with "only new stakes": every stake asks the index first.
void BM_AddMillionNewOnly(benchmark::State& state)
{
    Bench& b = bench();
    BulkStakeSettings settings;
    settings.kind = StakeKind::Script;
    settings.drawNumber = 1500;
    settings.comment = QStringLiteral("01.001: @ FULL#ALL#NEX");
    settings.newOnly = true;
    for (auto _ : state) {
        state.PauseTiming();
        b.file->clear();
        state.ResumeTiming();
        const StakeAddResult r = addBulkStakes(*b.file, b.combs.data(), b.combs.size(), settings, b.stats);
        benchmark::DoNotOptimize(r.added);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kStakes));
}
BENCHMARK(BM_AddMillionNewOnly)->Unit(benchmark::kMillisecond)->Iterations(3);

// Building the index over a million records (the first exists of a run).
void BM_BuildExistsIndex(benchmark::State& state)
{
    Bench& b = bench();
    b.fillUnchecked();
    for (auto _ : state) {
        state.PauseTiming();
        // A rewrite that removes one record drops the index.
        b.file->rewrite([n = b.file->count()](int index, const char*) { return index != n - 1; });
        b.file->append(makeStakeRecord(StakeKind::Manual, 1, 0, b.combs[0], QString(), b.stats));
        state.ResumeTiming();
        benchmark::DoNotOptimize(b.file->exists(1, ShemaFromComb(b.combs[0])));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kStakes));
}
BENCHMARK(BM_BuildExistsIndex)->Unit(benchmark::kMillisecond)->Iterations(3);

// A million lookups, half of them hits.
void BM_ExistsLookups(benchmark::State& state)
{
    Bench& b = bench();
    b.fillUnchecked();
    b.file->exists(1, TShema{});
    for (auto _ : state) {
        size_t hits = 0;
        for (size_t i = 0; i < kStakes; ++i) {
            const int32_t draw = static_cast<int32_t>(i / 500 % kDraws) + 1 + static_cast<int32_t>(i & 1) * kDraws;
            hits += b.file->exists(draw, ShemaFromComb(b.combs[i])) ? 1 : 0;
        }
        benchmark::DoNotOptimize(hits);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kStakes));
}
BENCHMARK(BM_ExistsLookups)->Unit(benchmark::kMillisecond);

// Checking a million unchecked stakes, with a rating hook that sums profits.
void BM_CheckMillionStakes(benchmark::State& state)
{
    Bench& b = bench();
    TCurrency total = 0;
    StakeCheckOptions options;
    options.onChecked = [&](int, const StakeRecord& r) { total += r.profit; };
    options.progress = [](int) {};
    for (auto _ : state) {
        state.PauseTiming();
        b.fillUnchecked();
        state.ResumeTiming();
        const StakeCheckResult r = checkStakes(*b.file, b.draws, b.stats, options);
        benchmark::DoNotOptimize(r.checked);
    }
    benchmark::DoNotOptimize(total);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kStakes));
}
BENCHMARK(BM_CheckMillionStakes)->Unit(benchmark::kMillisecond)->Iterations(3);

// A second check of the same file: everything read, nothing to do.
void BM_RecheckMillionStakes(benchmark::State& state)
{
    Bench& b = bench();
    b.fillUnchecked();
    checkStakes(*b.file, b.draws, b.stats);
    for (auto _ : state) {
        const StakeCheckResult r = checkStakes(*b.file, b.draws, b.stats);
        benchmark::DoNotOptimize(r.checked);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kStakes));
}
BENCHMARK(BM_RecheckMillionStakes)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
