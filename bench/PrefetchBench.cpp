// Building a prefetch file's counts over the full set of 11,238,513
// combinations: a per-number method on one core and on all cores, a sum
// method, and every registered method with a norm.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "core/Lottery.h"
#include "stats/Prefetch.h"
#include "stats/TCustomStat.h"
#include "stats/TStatList.h"

namespace {

using namespace zircon;

// Value = each of the five numbers: the shape of NUMS.
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

// The same values through AddCombValues, the path of a method that does not
// state its values in CombKeys.
class BenchEachNumberByComb : public BenchEachNumber {
public:
    static const StatClassInfo Class;
    using BenchEachNumber::BenchEachNumber;
    bool prefetchByKeys() const override { return false; }
};

// A value beyond K1 (both K1 and K2 set), counted in the hashed table.
class BenchPairKey : public BenchEachNumber {
public:
    static const StatClassInfo Class;
    using BenchEachNumber::BenchEachNumber;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override
    {
        keys.add(TStatKey::k4(nums[0], nums[4], 0, 0));
    }
};

const StatClassInfo BenchEachNumber::Class = statClass<BenchEachNumber>(
    StatClassInfo{.className = "BenchEachNumber", .codeFormat = "BNUM", .titleFormat = "each number",
                  .flags = kFlagNorm});
const StatClassInfo BenchEachNumberByComb::Class = statClass<BenchEachNumberByComb>(
    StatClassInfo{.className = "BenchEachNumberByComb", .codeFormat = "BNUMC", .titleFormat = "each number",
                  .flags = kFlagNorm});
const StatClassInfo BenchPairKey::Class = statClass<BenchPairKey>(
    StatClassInfo{.className = "BenchPairKey", .codeFormat = "BPAIR", .titleFormat = "first and last",
                  .flags = kFlagNorm});

TStatList& ownList()
{
    static TStatList list = [] {
        TStatList l;
        l.setRegistrationTable({&BenchEachNumber::Class, &BenchEachNumberByComb::Class, &BenchPairKey::Class});
        l.RegisterAll();
        return l;
    }();
    return list;
}

TStatList& registeredList()
{
    static TStatList list;
    static const bool registered = (list.RegisterAll(), true);
    (void)registered;
    return list;
}

void buildBench(benchmark::State& state, const TStatList& list, int method, int threads)
{
    for (auto _ : state) {
        std::optional<PrefetchSource> src = buildPrefetch(list, method, {}, threads);
        benchmark::DoNotOptimize(src->records.size());
    }
    state.SetItemsProcessed(state.iterations() * kFullSetSize);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    for (int m = 0; m < ownList().Count(); ++m) {
        const std::string code = ownList().ItemCode(m).toStdString();
        for (int threads : {1, 0}) {
            const std::string name = "Prefetch/" + code + (threads == 1 ? "/1thread" : "/allcores");
            benchmark::RegisterBenchmark(name.c_str(),
                                         [m, threads](benchmark::State& s) { buildBench(s, ownList(), m, threads); })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
    }
    for (int m = 0; m < registeredList().Count(); ++m) {
        if (!registeredList().HasNorm(m))
            continue;
        const std::string code = registeredList().ItemCode(m).toStdString();
        benchmark::RegisterBenchmark(("Registered/" + code + "/1thread").c_str(),
                                     [m](benchmark::State& s) { buildBench(s, registeredList(), m, 1); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
