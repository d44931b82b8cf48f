// Filtering by the sums family: the plain CombMatches answers, the prepared
// filters against them (the members that compare draws over the fixture
// archive at several window ends), and whole-set facts of the prepared
// filters and the prefetch builds against counts worked out apart from the
// family's code.
#include <gtest/gtest.h>

#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/Enumeration.h"
#include "stats/FamilyTestSupport.h"
#include "stats/FilterAgreement.h"
#include "stats/Prefetch.h"
#include "stats/StatTable.h"
#include "stats/families/Sums.h"

using namespace zircon;
using namespace zircon::test;

namespace {

const char* const kFamily[] = {"SUMS", "SUM1", "SUM2", "SUM3", "SUMC", "SUMV", "SUMT", "SUME", "SUMP", "S2T3"};

bool comparesDraws(const std::string& code)
{
    return code == "SUMC" || code == "SUMV" || code == "SUMT";
}

TStatKey sl(int v, uint32_t b = 0) { return TStatKey::l2(static_cast<uint32_t>(v), b); }

bool primeOfTheRange(int n)
{
    if (n == 1)
        return true;  // the players count 1 among the primes
    if (n < 2)
        return false;
    for (int d = 2; d * d <= n; ++d)
        if (n % d == 0)
            return false;
    return true;
}

// How many 5-number subsets of 1..69 have each total weight, the weight of
// a number being weight(n): a count over subsets, not over the family's code.
std::vector<int64_t> subsetCounts(int (*weight)(int))
{
    constexpr int kMaxWeight = 5 * 69;
    // ways[k][w]: subsets of k numbers among those seen so far with weight w.
    std::vector<std::vector<int64_t>> ways(6, std::vector<int64_t>(kMaxWeight + 1, 0));
    ways[0][0] = 1;
    for (int n = 1; n <= 69; ++n) {
        const int w = weight(n);
        for (int k = 5; k >= 1; --k)
            for (int s = kMaxWeight; s >= w; --s)
                ways[k][s] += ways[k - 1][s - w];
    }
    return ways[5];
}

const std::vector<int64_t>& sumCounts()
{
    static const std::vector<int64_t> counts = subsetCounts([](int n) { return n; });
    return counts;
}

int64_t sumCountsBetween(int low, int high)
{
    int64_t total = 0;
    for (int s = std::max(low, 0); s <= high && s < static_cast<int>(sumCounts().size()); ++s)
        total += sumCounts()[static_cast<size_t>(s)];
    return total;
}

}  // namespace

// The plain test, case by case: which parts of a selected item count. Each
// case goes through the prepared filter too.
TEST(SumsFilter, PlainCombMatches)
{
    struct Case {
        const char* code;
        TComb comb;
        std::vector<TStatKey> selected;
        bool expected;
        const char* why;
    };
    // The last draw's sum is 175.
    const TComb sum168{{30, 32, 33, 34, 39}};
    const TComb sum175{{33, 34, 35, 36, 37}};
    const TComb sum200{{38, 39, 40, 41, 42}};
    const Case cases[] = {
        {"SUMS", {{1, 2, 3, 4, 5}}, {l2(15)}, true, "the sum is 15"},
        {"SUMS", {{1, 2, 3, 4, 5}}, {l2(16), l2(14)}, false, "neither sum"},
        {"SUMS", {{1, 2, 3, 4, 5}}, {l2(15, 1)}, false, "L2 must be 0"},
        {"SUMS", {{1, 2, 3, 4, 5}}, {k4(15, 0, 1, 0)}, false, "the whole key counts"},
        {"SUMS", {{1, 2, 3, 4, 5}}, {}, false, "nothing selected"},
        {"SUMS", {{255, 255, 255, 255, 255}}, {l2(1275)}, true, "a damaged combination keeps its whole sum"},
        {"SUMS", {{255, 255, 255, 255, 255}}, {l2(1275 % 65536 % 256)}, false, "not cut to a byte"},
        {"SUMS", {{0, 0, 0, 0, 0}}, {l2(0)}, true, "zeros sum to 0"},
        {"SUM1", {{20, 21, 22, 23, 24}}, {k1(1)}, true, "110 is inside band 1"},
        {"SUM1", {{20, 21, 22, 23, 24}}, {k1(0)}, false, "not outside"},
        {"SUM1", {{20, 21, 22, 23, 24}}, {k1(0), k1(1)}, true, "both rows keep everything"},
        {"SUM1", {{1, 2, 3, 4, 5}}, {k1(0), k1(1)}, true, "both rows keep everything"},
        {"SUM1", {{1, 2, 3, 4, 5}}, {}, false, "no row keeps nothing"},
        {"SUM1", {{20, 21, 22, 23, 24}}, {k4(1, 0, 0, 1)}, false, "the whole key counts"},
        {"SUM2", {{20, 21, 22, 23, 24}}, {k1(0)}, true, "110 is outside band 2"},
        {"SUM2", {{20, 21, 22, 23, 24}}, {k1(1)}, false, "not inside"},
        {"SUM3", {{20, 21, 22, 23, 24}}, {k1(0)}, true, "110 is outside band 3"},
        {"SUM1", {{73, 73, 73, 73, 73}}, {k1(0)}, true, "365 is outside, not 109 in a byte"},
        {"SUM1", {{73, 73, 73, 73, 73}}, {k1(1)}, false, "365 is not inside"},
        {"SUMC", sum168, {l2(175, 168)}, true, "168 followed 175"},
        {"SUMC", sum168, {l2(150, 168)}, true, "only the following sum is compared"},
        {"SUMC", sum168, {l2(175, 169), l2(168, 175)}, false, "neither followed with 168"},
        {"SUMC", {{255, 255, 255, 255, 255}}, {l2(175, 1275)}, true, "a damaged sum"},
        {"SUMV", sum168, {sl(-7)}, true, "168 is 7 below 175"},
        {"SUMV", sum168, {sl(7)}, false, "not above"},
        {"SUMV", sum168, {sl(-7, 5)}, true, "only L1 is compared"},
        {"SUMV", sum175, {sl(0)}, true, "no change"},
        {"SUMV", {{255, 255, 255, 255, 255}}, {sl(1100)}, true, "a damaged sum"},
        {"SUMV", {{0, 0, 0, 0, 0}}, {sl(-175)}, true, "a zero combination"},
        {"SUMT", sum168, {sl(-1)}, true, "\"-\": below the last sum"},
        {"SUMT", sum168, {sl(1), sl(0)}, false, "not up, not the same"},
        {"SUMT", sum175, {sl(0)}, true, "\"=\": the same sum"},
        {"SUMT", sum175, {sl(-1)}, false, "not down"},
        {"SUMT", sum200, {sl(1)}, true, "\"+\": above"},
        {"SUMT", sum200, {sl(1, 9)}, true, "only L1 is compared"},
        {"SUME", {{2, 3, 4, 5, 6}}, {l2(12)}, true, "2 + 4 + 6"},
        {"SUME", {{1, 3, 5, 7, 9}}, {l2(0)}, true, "no even number"},
        {"SUME", {{1, 3, 5, 7, 9}}, {l2(25)}, false, "the even sum, not the sum"},
        {"SUMP", {{2, 3, 5, 7, 11}}, {l2(28)}, true, "all prime"},
        {"SUMP", {{71, 73, 1, 2, 3}}, {l2(6)}, true, "only the primes of the range"},
        {"SUMP", {{71, 73, 1, 2, 3}}, {l2(150)}, false, "71 and 73 do not count"},
        {"S2T3", {{1, 2, 3, 4, 5}}, {k1(4)}, true, "four triples"},
        {"S2T3", {{1, 2, 3, 4, 5}}, {k4(4, 1, 0, 0)}, true, "only K1 is compared"},
        {"S2T3", {{1, 2, 3, 4, 5}}, {k1(3), k1(5)}, false, "not three, not five"},
        {"S2T3", {{5, 3, 1, 4, 2}}, {k1(4)}, true, "in any order"},
        {"S2T3", {{3, 3, 6, 9, 12}}, {k1(5)}, true, "repeated numbers"},
        {"S2T3", {{0, 5, 5, 1, 2}}, {k1(2)}, true, "a zero adds to the other 5"},
        {"S2T3", {{0, 0, 0, 0, 0}}, {k1(30)}, true, "every position with every pair of the others"},
    };
    Registry reg({makeDraw(1, {10, 20, 30, 40, 50}), makeDraw(2, {33, 34, 35, 36, 37})});
    const int end = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + ": " + c.why);
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        const FilterAnswers a = filterAnswers(*stat, c.comb, selectionOf(c.selected), end);
        EXPECT_EQ(a.plain, c.expected);
        EXPECT_TRUE(a.concurrent);
        EXPECT_EQ(a.prepared, c.expected ? 1 : 0) << "prepared";
    }
}

// A window before the first draw (an empty archive): the reference is a
// zero draw, whose sum is 0.
TEST(SumsFilter, EmptyArchiveComparesWithSumZero)
{
    Registry reg;
    const TComb first{{1, 2, 3, 4, 5}};
    const TComb other{{1, 2, 3, 4, 6}};
    struct Case {
        const char* code;
        TStatKey selected;
    };
    const Case cases[] = {{"SUMV", sl(15)}, {"SUMC", l2(0, 15)}};
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        const TStatDrawArray selected = selectionOf({c.selected});
        const std::unique_ptr<CombFilter> filter = stat->PrepareFilter(selected, -1, false, false);
        const TComb combs[2] = {first, other};
        uint8_t got[2] = {2, 2};
        filter->match(combs, 2, got);
        EXPECT_EQ(got[0], 1) << c.code;
        EXPECT_EQ(got[1], 0) << c.code;
        EXPECT_TRUE(stat->CombMatches(first, selected, -1, false, false)) << c.code;
        EXPECT_FALSE(stat->CombMatches(other, selected, -1, false, false)) << c.code;
    }
    // Every sum is above 0.
    const std::unique_ptr<TCustomStat> sumt = reg.create("SUMT");
    const std::unique_ptr<CombFilter> up = sumt->PrepareFilter(selectionOf({sl(1)}), -1, false, false);
    EXPECT_EQ(keptOfFullSet(*up), kFullSetSize);
}

// Every registered member of the family: the prepared filter answers as the
// plain test over random combinations, under the usual series of
// selections; the members that compare draws at several window ends of the
// fixture archive, with values relative to the window's last draw.
TEST(SumsFilter, PreparedFiltersAgreeWithCombMatches)
{
    Registry reg(fixtureDraws());
    const int last = static_cast<int>(reg.draws.size()) - 1;
    ASSERT_GT(last, 100);
    for (const char* code : kFamily) {
        const int i = reg.index(code);
        ASSERT_GE(i, 0);
        const bool compares = comparesDraws(code);
        const std::vector<int> ends = compares ? std::vector<int>{0, 1, last / 2, last} : std::vector<int>{-1, last};
        for (int end : ends) {
            SCOPED_TRACE(std::string(code) + " ending at " + std::to_string(end));
            const std::unique_ptr<TCustomStat> stat = reg.list.CreateStat(i);
            // The values the selections are drawn from follow the reference.
            stat->LoadDraws(-1, end, false);
            agreement::AgreementTotals totals;
            const size_t sample = compares ? 30000 : agreement::kDefaultSampleSize;
            const auto seed = 700u + static_cast<uint32_t>(i * 31 + end);
            EXPECT_TRUE(agreement::filterAgreesOnStandardSelections(*stat, end, seed, &totals, sample));
            EXPECT_GT(totals.selectionsWithBothAnswers, 0u);
        }
    }
}

// The rows of real tables over the fixture archive, all of them and every
// other one, as the user selects them.
TEST(SumsFilter, PreparedFiltersAgreeOnTableRows)
{
    Registry reg(fixtureDraws());
    const std::vector<TComb> combs = agreement::sampleCombinations(40000, 99);
    const int count = static_cast<int>(reg.draws.size());
    for (const char* code : kFamily) {
        bool anyRows = false;
        for (int offset : {0, 7, count - 2}) {
            SCOPED_TRACE(std::string(code) + " offset " + std::to_string(offset));
            const int i = reg.index(code);
            const StatTable t = computeStatTable(reg.list, i, 400, offset, false, nullptr);
            std::vector<int> all, everyOther;
            for (int r = 0; r < t.rowCount(); ++r) {
                all.push_back(r);
                if (r % 2 == 0)
                    everyOther.push_back(r);
            }
            const std::unique_ptr<TCustomStat> stat = reg.list.CreateStat(i);
            bool bothAnswers = false;
            for (const std::vector<int>& rows : {all, everyOther}) {
                const agreement::AgreementReport r =
                    agreement::compareFilter(*stat, t.selectedItems(rows), combs, t.window().end, false, false);
                EXPECT_EQ(r.mismatches, 0u) << r.details;
                bothAnswers = bothAnswers || (r.matched > 0 && r.matched < r.checked);
            }
            // SUMC learns nothing when no earlier draw had the last draw's
            // sum; any row splits the sample somewhere.
            if (t.rowCount() > 0) {
                EXPECT_TRUE(bothAnswers);
            }
            anyRows = anyRows || t.rowCount() > 0;
        }
        EXPECT_TRUE(anyRows) << code << ": no table to select from";
    }
}

// How many of the 11,238,513 combinations each prepared filter keeps, against
// counts of 5-number subsets by their sum.
TEST(SumsFilter, FullSetCountsMatchSubsetCounts)
{
    // The last draw's sum is 175.
    Registry reg({makeDraw(1, {10, 20, 30, 40, 50}), makeDraw(2, {33, 34, 35, 36, 37})});
    const std::vector<int64_t>& bySum = sumCounts();
    const int64_t all = static_cast<int64_t>(kFullSetSize);
    struct Case {
        const char* code;
        std::vector<TStatKey> selected;
        int64_t expected;
    };
    const int64_t band1 = sumCountsBetween(109, 241);
    const Case cases[] = {
        {"SUMS", {l2(15), l2(335)}, 2},
        {"SUMS", {l2(175)}, bySum[175]},
        {"SUMS", {l2(14), l2(336), l2(175, 1)}, 0},
        {"SUM1", {k1(1)}, band1},
        {"SUM1", {k1(0)}, all - band1},
        {"SUM1", {k1(0), k1(1)}, all},
        {"SUM1", {}, 0},
        {"SUM2", {k1(1)}, sumCountsBetween(122, 228)},
        {"SUM3", {k1(0)}, all - sumCountsBetween(134, 216)},
        {"SUMC", {l2(175, 168)}, bySum[168]},
        {"SUMC", {l2(175, 168), l2(175, 180)}, bySum[168] + bySum[180]},
        {"SUMV", {sl(-7)}, bySum[168]},
        {"SUMV", {sl(160)}, 1},
        {"SUMV", {sl(-160), sl(-161)}, 1},
        {"SUMT", {sl(-1)}, sumCountsBetween(0, 174)},
        {"SUMT", {sl(0)}, bySum[175]},
        {"SUMT", {sl(1)}, sumCountsBetween(176, 335)},
        {"SUME", {l2(0)}, static_cast<int64_t>(choose(35, 5))},  // all five odd
        {"SUMP", {l2(0)}, static_cast<int64_t>(choose(49, 5))},  // none of the 20 primes
        // Four triples need the numbers a, 2a, 3a, 4a, 5a: a = 1..13.
        {"S2T3", {k1(4)}, 13},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        const std::unique_ptr<CombFilter> filter = stat->PrepareFilter(selectionOf(c.selected), 1, false, false);
        EXPECT_EQ(static_cast<int64_t>(keptOfFullSet(*filter)), c.expected)
            << c.code << " with " << c.selected.size() << " selected";
    }
}

// ------------------------------------------------------------ prefetch

TEST(SumsPrefetch, SumsAndBandsOverTheFullSet)
{
    Registry reg;
    const std::vector<int64_t>& bySum = sumCounts();
    const std::optional<PrefetchSource> sums = buildPrefetch(reg.list, reg.index("SUMS"), {}, 2);
    ASSERT_TRUE(sums);
    ASSERT_EQ(sums->records.size(), 321u);
    int64_t total = 0;
    for (int s = 15; s <= 335; ++s) {
        const PrefetchRecord& r = sums->records[static_cast<size_t>(s - 15)];
        EXPECT_EQ(r.key, TStatKey::l2(static_cast<uint32_t>(s), 0));
        EXPECT_EQ(r.count, bySum[static_cast<size_t>(s)]) << s;
        total += r.count;
    }
    EXPECT_EQ(total, static_cast<int64_t>(kFullSetSize));
    EXPECT_EQ(sums->minCount, 1);  // 1 2 3 4 5 and 65 66 67 68 69
    EXPECT_EQ(sums->records[1].count, 1);  // 16: 1 2 3 4 6
    EXPECT_EQ(sums->records[2].count, 2);  // 17: 1 2 3 4 7 and 1 2 3 5 6

    struct Band {
        const char* code;
        int low;
        int high;
    };
    for (const Band& b : {Band{"SUM1", 109, 241}, Band{"SUM2", 122, 228}, Band{"SUM3", 134, 216}}) {
        const std::optional<PrefetchSource> band = buildPrefetch(reg.list, reg.index(b.code), {}, 2);
        ASSERT_TRUE(band);
        ASSERT_EQ(band->records.size(), 2u) << b.code;
        EXPECT_EQ(band->records[0].key, TStatKey::k1(0)) << b.code;
        EXPECT_EQ(band->records[1].key, TStatKey::k1(1)) << b.code;
        EXPECT_EQ(band->records[1].count, sumCountsBetween(b.low, b.high)) << b.code;
        EXPECT_EQ(int64_t{band->records[0].count} + band->records[1].count, static_cast<int64_t>(kFullSetSize))
            << b.code;
    }
}

TEST(SumsPrefetch, PartialSumsAndTriplesOverTheFullSet)
{
    Registry reg;
    struct Case {
        const char* code;
        std::vector<int64_t> expected;  // count by value
    };
    const Case cases[] = {
        {"SUME", subsetCounts([](int n) { return n % 2 == 0 ? n : 0; })},
        {"SUMP", subsetCounts([](int n) { return primeOfTheRange(n) ? n : 0; })},
    };
    for (const Case& c : cases) {
        const std::optional<PrefetchSource> built = buildPrefetch(reg.list, reg.index(c.code), {}, 2);
        ASSERT_TRUE(built);
        size_t nonzero = 0;
        for (int64_t v : c.expected)
            nonzero += v > 0 ? 1 : 0;
        ASSERT_EQ(built->records.size(), nonzero) << c.code;
        int64_t total = 0;
        for (const PrefetchRecord& r : built->records) {
            ASSERT_EQ(r.key.L(2), 0u) << c.code;
            ASSERT_LT(r.key.L(1), c.expected.size()) << c.code;
            EXPECT_EQ(r.count, c.expected[r.key.L(1)]) << c.code << " value " << r.key.L(1);
            total += r.count;
        }
        EXPECT_EQ(total, static_cast<int64_t>(kFullSetSize)) << c.code;
    }

    // Five numbers make at most four triples: c = a + b, d once, e twice.
    const std::optional<PrefetchSource> triples = buildPrefetch(reg.list, reg.index("S2T3"), {}, 2);
    ASSERT_TRUE(triples);
    ASSERT_EQ(triples->records.size(), 5u);
    int64_t total = 0;
    for (size_t v = 0; v < 5; ++v) {
        EXPECT_EQ(triples->records[v].key, TStatKey::k1(static_cast<uint16_t>(v)));
        total += triples->records[v].count;
    }
    EXPECT_EQ(total, static_cast<int64_t>(kFullSetSize));
    EXPECT_EQ(triples->records[4].count, 13);  // a, 2a, 3a, 4a, 5a for a = 1..13
}
