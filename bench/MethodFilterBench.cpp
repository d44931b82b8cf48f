// One prepared filter pass over the full set for every registered method,
// with the selection a user makes from a real table: every other row of the
// table over the last 1000 draws of the shipped archive (so the pair, triple
// and quadruple methods select thousands of values). Preparing is part of
// the pass. One core.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "BenchArchive.h"
#include "BenchFullSet.h"
#include "stats/StatTable.h"
#include "stats/TCustomStat.h"
#include "stats/TStatList.h"

namespace {

using namespace zircon;
using namespace zircon::bench;

constexpr int kWindow = 1000;

TStatList& registry()
{
    static TStatList list(&archive());
    static const bool registered = (list.RegisterAll(), true);
    (void)registered;
    return list;
}

void filterPass(benchmark::State& state, int method)
{
    TStatList& list = registry();
    const StatTable table = computeStatTable(list, method, kWindow, 0, true, nullptr);
    TStatDrawArray selected;
    for (int row = 0; row < table.rowCount(); row += 2)
        selected.AddValue(table.item(row), false);
    const int end = static_cast<int>(archive().size()) - 1;
    const std::unique_ptr<TCustomStat> stat = list.CreateStat(method);
    std::vector<uint8_t> matched(fullSet().size());
    for (auto _ : state) {
        stat->LoadDraws(-1, end, true);
        const std::unique_ptr<CombFilter> filter = stat->PrepareFilter(selected, end, true, false);
        matchFullSet(*filter, matched);
        benchmark::DoNotOptimize(matched.data());
        benchmark::ClobberMemory();
    }
    state.counters["selected"] = static_cast<double>(selected.size());
    state.counters["kept"] = static_cast<double>(std::count(matched.begin(), matched.end(), uint8_t{1}));
    state.SetItemsProcessed(state.iterations() * kFullSetSize);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (archive().size() < static_cast<size_t>(kWindow)) {
        std::fprintf(stderr, "the archive has fewer than %d draws\n", kWindow);
        return 1;
    }
    for (int m = 0; m < registry().Count(); ++m)
        benchmark::RegisterBenchmark(("FilterPass/" + registry().ItemCode(m).toStdString()).c_str(),
                                     [m](benchmark::State& s) { filterPass(s, m); })
            ->Unit(benchmark::kMillisecond);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
