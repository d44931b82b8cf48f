// One prepared filter pass over the full set, as the filter core runs it:
// the selection is prepared once, then the 11,238,513 combinations go through
// the filter in blocks of 64K into a byte buffer of answers. One core.
#include <benchmark/benchmark.h>

#include <QString>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "BenchFullSet.h"
#include "stats/TCustomStat.h"
#include "stats/TStatList.h"

namespace {

using namespace zircon;
using namespace zircon::bench;

struct Selection {
    const char* code;
    std::vector<TStatKey> keys;
};

std::vector<TStatKey> k1s(std::initializer_list<uint16_t> values)
{
    std::vector<TStatKey> keys;
    for (uint16_t v : values)
        keys.push_back(TStatKey::k1(v));
    return keys;
}

std::vector<TStatKey> masks(std::initializer_list<uint32_t> values)
{
    std::vector<TStatKey> keys;
    for (uint32_t v : values)
        keys.push_back(TStatKey::l2(v, 0));
    return keys;
}

// A typical selection per method: a handful of table rows.
const std::vector<Selection>& selections()
{
    static const std::vector<Selection> s = {
        {"NUMS", k1s({3, 9, 14, 15, 26, 33, 41, 52, 60, 67})},
        {"DIGS", k1s({0, 7, 9})},
        {"EVEN", k1s({2, 3})},
        {"EVNV", masks({1, 5, 10, 12, 18, 21, 26, 30})},
        {"SMAL", k1s({2, 3})},
        {"SMLV", masks({3, 7, 15})},
        {"PRIM", k1s({0, 1})},
        {"PRMV", masks({0, 2, 8, 16, 17})},
        {"POS1", k1s({1, 2, 3, 4, 5, 6, 7, 8, 9, 10})},
        {"POS2", k1s({10, 11, 12, 13, 14, 15, 16, 17, 18, 19})},
        {"POS3", k1s({30, 31, 32, 33, 34, 35, 36, 37, 38, 39})},
        {"POS4", k1s({45, 46, 47, 48, 49, 50, 51, 52, 53, 54})},
        {"POS5", k1s({60, 61, 62, 63, 64, 65, 66, 67, 68, 69})},
        {"POE1", k1s({7})},
    };
    return s;
}

void preparedFilterFullSet(benchmark::State& state, const Selection& sel)
{
    TDrawsArray draws;
    TStatList list(&draws);
    list.RegisterAll();
    const int at = list.FindCode(QString::fromLatin1(sel.code));
    if (at < 0) {
        state.SkipWithError("method not registered");
        return;
    }
    const std::unique_ptr<TCustomStat> stat = list.CreateStat(at);
    TStatDrawArray selected;
    TStatDrawItem item;
    for (TStatKey k : sel.keys) {
        item.Key = k;
        selected.AddValue(item, false);
    }
    std::vector<uint8_t> matched(fullSet().size());
    size_t kept = 0;
    for (auto _ : state) {
        // Preparing is part of the pass: it runs once per filter step.
        const std::unique_ptr<CombFilter> filter = stat->PrepareFilter(selected, -1, false, false);
        matchFullSet(*filter, matched);
        benchmark::DoNotOptimize(matched.data());
        benchmark::ClobberMemory();
    }
    kept = static_cast<size_t>(std::count(matched.begin(), matched.end(), uint8_t{1}));
    state.counters["kept"] = static_cast<double>(kept);
    state.SetItemsProcessed(state.iterations() * kFullSetSize);
}
}  // namespace

int main(int argc, char** argv)
{
    for (const Selection& sel : selections())
        benchmark::RegisterBenchmark((std::string("PreparedFilterFullSet/") + sel.code).c_str(),
                                     [&sel](benchmark::State& state) { preparedFilterFullSet(state, sel); })
            ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
