// The statistic table over the last 1000 draws of the shipped archive: the
// window pass, the norms, the "Факт" pass and the twenty cell texts, for two
// small methods of the benchmark's own and for every registered method.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <string>

#include "BenchArchive.h"
#include "stats/Prefetch.h"
#include "stats/StatTable.h"
#include "stats/TCustomStat.h"
#include "stats/TStatList.h"

namespace {

using namespace zircon;
using namespace zircon::bench;

// Value = each of the five numbers.
class BenchEachNumber : public TCustomValuesStat {
public:
    static const StatClassInfo Class;
    using TCustomValuesStat::TCustomValuesStat;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override
    {
        for (int i = 0; i < kMainCount; ++i)
            keys.addK1(nums[i]);
    }
    bool CombMatches(const TComb&, const TStatDrawArray&, int, bool, bool) override { return false; }
};

// Value = the sum of the five numbers.
class BenchSum : public TCustomGraphStat {
public:
    static const StatClassInfo Class;
    using TCustomGraphStat::TCustomGraphStat;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override
    {
        int s = 0;
        for (int i = 0; i < kMainCount; ++i)
            s += nums[i];
        keys.addK1(s);
    }
    bool CombMatches(const TComb&, const TStatDrawArray&, int, bool, bool) override { return false; }
};

const StatClassInfo BenchEachNumber::Class = statClass<BenchEachNumber>(
    StatClassInfo{.className = "BenchEachNumber", .codeFormat = "BNUM", .titleFormat = "each number",
                  .flags = kFlagNorm});
const StatClassInfo BenchSum::Class = statClass<BenchSum>(
    StatClassInfo{.className = "BenchSum", .codeFormat = "BSUM", .titleFormat = "sum", .group = 1,
                  .flags = kFlagNorm});

TStatList& ownList()
{
    static TStatList list = [] {
        TStatList l(&archive());
        l.setRegistrationTable({&BenchEachNumber::Class, &BenchSum::Class});
        l.RegisterAll();
        return l;
    }();
    return list;
}

TStatList& registeredList()
{
    static TStatList list(&archive());
    static const bool registered = (list.RegisterAll(), true);
    (void)registered;
    return list;
}

// Every value equally frequent: the norm pass touches every item.
const PrefetchSource& evenNorms()
{
    static const PrefetchSource src = [] {
        PrefetchSource s;
        for (int v = 0; v <= 400; ++v)
            s.records.push_back({TStatKey::k1(static_cast<uint16_t>(v)), 814385});
        s.minCount = s.maxCount = 814385;
        return s;
    }();
    return src;
}

void tableBench(benchmark::State& state, TStatList& list, int method, int offset, bool withNorms)
{
    if (archive().size() < 1000) {
        state.SkipWithError("the archive has fewer than 1000 draws");
        return;
    }
    for (auto _ : state) {
        StatTable t = computeStatTable(list, method, 1000, offset, false, withNorms ? &evenNorms() : nullptr);
        benchmark::DoNotOptimize(t.rowCount());
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    for (int m = 0; m < ownList().Count(); ++m) {
        const std::string code = ownList().ItemCode(m).toStdString();
        benchmark::RegisterBenchmark(("Table/" + code).c_str(),
                                     [m](benchmark::State& s) { tableBench(s, ownList(), m, 0, false); })
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("TableNormsFact/" + code).c_str(),
                                     [m](benchmark::State& s) { tableBench(s, ownList(), m, 100, true); })
            ->Unit(benchmark::kMillisecond);
    }
    for (int m = 0; m < registeredList().Count(); ++m) {
        const std::string code = registeredList().ItemCode(m).toStdString();
        benchmark::RegisterBenchmark(("Registered/" + code).c_str(),
                                     [m](benchmark::State& s) { tableBench(s, registeredList(), m, 100, true); })
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
