// Filtering by the differences family: the plain CombMatches answers, the
// prepared filters against them (also on damaged combinations), the
// prepared filters over the full set and the prefetch counts against counts
// from combinatorics.
#include <gtest/gtest.h>

#include <QString>

#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "stats/FamilyTestSupport.h"
#include "stats/FilterAgreement.h"
#include "stats/Prefetch.h"
#include "stats/families/Differences.h"

using namespace zircon;
using namespace zircon::test;

namespace {

// An ascending combination is the gaps g_1..g_4 >= 1 between its numbers
// with their sum S <= 68, placed in one of 69 - S ways. The combinations
// whose four gaps all lie in 1..m.
int64_t allGapsAtMost(int m)
{
    std::vector<int64_t> ways(69, 0);  // ways[S]: gap tuples so far with sum S
    ways[0] = 1;
    for (int gap = 0; gap < 4; ++gap) {
        std::vector<int64_t> next(69, 0);
        for (int s = 0; s <= 68; ++s)
            for (int g = 1; g <= m && s + g <= 68; ++g)
                next[static_cast<size_t>(s + g)] += ways[static_cast<size_t>(s)];
        ways.swap(next);
    }
    int64_t total = 0;
    for (int s = 0; s <= 68; ++s)
        total += ways[static_cast<size_t>(s)] * (69 - s);
    return total;
}

// Combinations whose four gaps are equal: g, g, g, g with 4g <= 68.
int64_t fourEqualGaps()
{
    int64_t n = 0;
    for (int g = 1; 4 * g <= 68; ++g)
        n += 69 - 4 * g;
    return n;
}

// Combinations with exactly three equal gaps g and one other h (at any of
// the four places).
int64_t threeEqualGaps()
{
    int64_t n = 0;
    for (int g = 1; 3 * g < 68; ++g)
        for (int h = 1; 3 * g + h <= 68; ++h)
            if (h != g)
                n += 4 * (69 - 3 * g - h);
    return n;
}

}  // namespace

// The plain test, case by case, and the prepared filter on the same case.
TEST(DifferencesFilter, PlainCombMatches)
{
    struct Case {
        const char* code;
        TComb comb;
        std::vector<TStatKey> selected;
        bool expected;
        const char* why;
    };
    const Case cases[] = {
        {"DIFA", {{1, 4, 11, 14, 26}}, {k1(12)}, true, "the last difference is 12"},
        {"DIFA", {{1, 4, 11, 14, 26}}, {k1(25), k1(10)}, false, "differences are 3, 7, 3, 12"},
        {"DIFA", {{1, 4, 11, 14, 26}}, {k4(7, 5, 5, 5)}, true, "only K1 is compared"},
        {"DIFA", {{1, 4, 11, 14, 26}}, {k1(7 + 256)}, false, "K1 is not cut to a byte"},
        {"DIFA", {{40, 7, 23, 61, 2}}, {k1(59)}, true, "stored order: 33, 16, 38, 59"},
        {"DIFA", {{40, 7, 23, 61, 2}}, {k1(5)}, false, "not sorted for the test"},
        {"DIFA", {{1, 2, 3, 4, 5}}, {}, false, "nothing selected"},
        {"DIFM", {{40, 7, 23, 61, 2}}, {k1(59)}, true, "the largest is 59"},
        {"DIFM", {{40, 7, 23, 61, 2}}, {k1(38), k1(21)}, false, "38 is not the largest"},
        {"DIFM", {{2, 7, 23, 40, 61}}, {k4(21, 0, 1, 0)}, true, "only K1 is compared"},
        {"DIFD", {{40, 7, 23, 61, 2}}, {k1(59)}, true, "61 - 2 in any order"},
        {"DIFD", {{40, 7, 23, 61, 2}}, {k1(38)}, false, "not 40 - 2"},
        {"DIFD", {{1, 2, 3, 4, 5}}, {k1(4)}, true, "5 - 1"},
        {"DIFO", {{1, 4, 11, 14, 26}}, {k4(3, 2, 0, 0)}, true, "3 twice"},
        {"DIFO", {{1, 4, 11, 14, 26}}, {k4(12, 1, 0, 0)}, true, "12 once"},
        {"DIFO", {{1, 4, 11, 14, 26}}, {k4(3, 1, 0, 0), k4(7, 2, 0, 0)}, false, "wrong multiplicities"},
        {"DIFO", {{1, 4, 11, 14, 26}}, {k1(3)}, false, "the multiplicity is part of the key"},
        {"DIFO", {{1, 4, 11, 14, 26}}, {k4(3, 2, 1, 0)}, false, "K3 must be 0"},
        {"DIFO", {{1, 4, 11, 14, 26}}, {k4(3, 2, 0, 9)}, false, "K4 must be 0"},
        {"DIFO", {{1, 2, 3, 4, 5}}, {k4(1, 4, 0, 0)}, true, "all four are 1"},
        {"DIFK", {{1, 4, 11, 14, 26}}, {k1(2)}, true, "3 twice"},
        {"DIFK", {{1, 4, 11, 14, 26}}, {k1(1), k1(3), k1(4)}, false, "the largest multiplicity is 2"},
        {"DIFK", {{1, 4, 7, 10, 13}}, {k4(4, 7, 7, 7)}, true, "only K1 is compared"},
        {"DIFK", {{10, 15, 23, 28, 36}}, {k1(2)}, true, "two pairs: 5, 8, 5, 8"},
        {"KDS2", {{1, 4, 11, 14, 26}}, {k4(3, 12, 0, 0)}, true, "the third run"},
        {"KDS2", {{1, 4, 11, 14, 26}}, {k4(12, 3, 0, 0), k4(3, 3, 0, 0)}, false, "order within a run counts"},
        {"KDS2", {{1, 4, 11, 14, 26}}, {k4(3, 7, 3, 0)}, false, "K3 must be 0"},
        {"KDS2", {{1, 4, 11, 14, 26}}, {k4(3, 7 + 256, 0, 0)}, false, "parts are not cut to a byte"},
        {"KDS3", {{1, 4, 11, 14, 26}}, {k4(7, 3, 12, 0)}, true, "the second run"},
        {"KDS3", {{1, 4, 11, 14, 26}}, {k4(3, 7, 0, 0)}, false, "a run of two is not a run of three"},
        {"KDS3", {{1, 4, 11, 14, 26}}, {k4(3, 7, 3, 12)}, false, "a run of four is not a run of three"},
        {"KDS4", {{40, 7, 23, 61, 2}}, {k4(33, 16, 38, 59)}, true, "the stored order"},
        {"KDS4", {{40, 7, 23, 61, 2}}, {k4(5, 16, 17, 21)}, false, "not sorted for the test"},
        {"KDS4", {{0, 0, 0, 0, 0}}, {k4(0, 0, 0, 0)}, true, "a zero combination has the zero run"},
        {"KDS3", {{9, 9, 9, 9, 1}}, {k4(0, 0, 8, 0)}, true, "repeats give zero differences"},
        {"DIFA", {{255, 0, 255, 0, 255}}, {k1(255)}, true, "differences of bytes reach 255"},
        {"DIFO", {{255, 0, 255, 0, 255}}, {k4(255, 4, 0, 0)}, true, "differences of bytes reach 255"},
        {"DIFD", {{70, 200, 3, 3, 3}}, {k1(197)}, true, "damaged numbers are plain bytes"},
    };
    Registry reg;
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        const FilterAnswers a = filterAnswers(*stat, c.comb, selectionOf(c.selected), 0);
        EXPECT_EQ(a.plain, c.expected) << c.code << ": " << c.why;
        EXPECT_EQ(a.prepared, c.expected ? 1 : 0) << c.code << " prepared: " << c.why;
    }
}

// Every value a combination yields selects it, alone, in both forms.
TEST(DifferencesFilter, EachValueOfACombinationSelectsIt)
{
    Registry reg;
    const std::vector<TComb> combs = agreement::sampleCombinations(300, 77);
    for (const char* code : {"DIFA", "DIFM", "DIFD", "DIFO", "DIFK", "KDS2", "KDS3", "KDS4"}) {
        SCOPED_TRACE(code);
        const std::unique_ptr<TCustomStat> stat = reg.create(code);
        ASSERT_TRUE(stat);
        int checked = 0;
        for (const TComb& c : combs) {
            KeyList keys;
            stat->CombKeys(c.n.data(), keys);
            ASSERT_GT(keys.count, 0);
            for (TStatKey k : keys) {
                const TStatDrawArray one = selectionOf({k});
                EXPECT_TRUE(stat->CombMatches(c, one, -1, false, false)) << agreement::combText(c);
                uint8_t got = 0;
                stat->PrepareFilter(one, -1, false, false)->match(&c, 1, &got);
                EXPECT_EQ(got, 1) << agreement::combText(c);
                ++checked;
            }
        }
        EXPECT_GE(checked, 300);
    }
}

// Every registered member of the family, over 200,000 combinations per
// selection, with the usual series of selections.
TEST(DifferencesFilter, PreparedFiltersAgreeWithCombMatches)
{
    Registry reg;
    int members = 0;
    for (int i = 0; i < reg.list.Count(); ++i) {
        if (reg.list.Items(i).StatClass->group != 2)
            continue;
        ++members;
        const std::string code = reg.list.ItemCode(i).toStdString();
        SCOPED_TRACE(code);
        const std::unique_ptr<TCustomStat> stat = reg.list.CreateStat(i);
        agreement::AgreementTotals totals;
        EXPECT_TRUE(agreement::filterAgreesOnStandardSelections(*stat, -1, 2000u + static_cast<uint32_t>(i), &totals));
        EXPECT_GE(totals.checked, 8 * agreement::kDefaultSampleSize);
        EXPECT_GE(totals.selectionsWithBothAnswers, 3u);
        // The prepared filter reads only its own tables, so a pass may split it.
        EXPECT_TRUE(stat->PrepareFilter(TStatDrawArray{}, -1, false, false)->concurrent());
    }
    EXPECT_EQ(members, 8);
}

// Combinations read from a file may hold any bytes: zeros, repeats, numbers
// above 69, any order. The prepared tables must cover every difference such
// bytes give and answer as the plain test does.
TEST(DifferencesFilter, PreparedFiltersAgreeOnDamagedCombinations)
{
    std::mt19937 rng(4242);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<int> nearRange(0, 72);
    std::uniform_int_distribution<int> kind(0, 3);
    std::vector<TComb> combs;
    for (int i = 0; i < 60000; ++i) {
        TComb c;
        const int k = kind(rng);
        for (uint8_t& n : c.n)
            n = static_cast<uint8_t>(k == 0 ? anyByte(rng) : nearRange(rng));
        if (k == 2)
            c.n[static_cast<size_t>(i % 4) + 1] = c.n[static_cast<size_t>(i % 4)];  // a repeat
        if (k == 3 && i % 8 == 3)
            c.n = {0, 0, 0, 0, 0};
        combs.push_back(c);
    }
    combs.push_back(TComb{{255, 0, 255, 0, 255}});
    combs.push_back(TComb{{0, 255, 0, 255, 0}});

    Registry reg;
    for (const char* code : {"DIFA", "DIFM", "DIFD", "DIFO", "DIFK", "KDS2", "KDS3", "KDS4"}) {
        SCOPED_TRACE(code);
        const std::unique_ptr<TCustomStat> stat = reg.create(code);
        ASSERT_TRUE(stat);
        const std::vector<TStatKey> values =
            agreement::methodValues(*stat, std::vector<TComb>(combs.begin(), combs.begin() + 3000), -1);
        size_t bothAnswers = 0;
        for (const agreement::NamedSelection& s : agreement::standardSelections(values, 99)) {
            const agreement::AgreementReport r = agreement::compareFilter(*stat, s.items, combs, -1, false, false);
            EXPECT_EQ(r.mismatches, 0u) << s.name << "\n" << r.details;
            bothAnswers += r.matched > 0 && r.matched < r.checked ? 1 : 0;
        }
        EXPECT_GE(bothAnswers, 3u);
    }
}

// How many of the 11,238,513 combinations a prepared filter keeps, against
// counts from combinatorics over the gaps of ascending combinations.
TEST(DifferencesFilter, FullSetCountsMatchCombinatorics)
{
    struct Case {
        const char* code;
        std::vector<TStatKey> selected;
        int64_t expected;
    };
    std::vector<Case> cases = {
        // Position p holds a gap d in C(69-d, 4) combinations; for d >= 34
        // no combination has two such gaps.
        {"DIFA", {k1(40)}, 4 * choose<int64_t>(29, 4)},
        {"DIFA", {k1(65)}, 4},
        {"DIFA", {k1(66), k1(67), k1(68), k1(0)}, 0},
        // No gap of 1: five numbers of which no two are neighbours.
        {"DIFA", {k1(1)}, choose<int64_t>(69, 5) - choose<int64_t>(65, 5)},
        {"DIFM", {k1(1)}, 65},
        {"DIFM", {k1(10)}, allGapsAtMost(10) - allGapsAtMost(9)},
        {"DIFM", {k1(3), k1(30)}, allGapsAtMost(3) - allGapsAtMost(2) + allGapsAtMost(30) - allGapsAtMost(29)},
        {"DIFD", {k1(4)}, 65},
        {"DIFD", {k1(30)}, 39 * choose<int64_t>(29, 3)},
        {"DIFD", {k1(68)}, choose<int64_t>(67, 3)},
        {"DIFD", {k1(1), k1(2), k1(3)}, 0},
        {"DIFO", {k4(1, 4, 0, 0)}, 65},
        {"DIFO", {k4(17, 4, 0, 0), k4(18, 4, 0, 0)}, 1},
        {"DIFK", {k1(4)}, fourEqualGaps()},
        {"DIFK", {k1(3)}, threeEqualGaps()},
        {"KDS4", {k4(1, 1, 1, 1)}, 65},
        {"KDS4", {k4(17, 17, 17, 17)}, 1},
        // 20, 20, 20 at places 1-3 or 2-4 (never both): the other gap and
        // the two ends share 8, the gap at least 1.
        {"KDS3", {k4(20, 20, 20, 0)}, 2 * choose<int64_t>(9, 2)},
        // 40, 20 at one of three places: the two other gaps and the ends share 8.
        {"KDS2", {k4(40, 20, 0, 0)}, 3 * choose<int64_t>(9, 3)},
    };
    Registry reg;
    // Every run of four gaps a combination can have (each at least 1, 68 in
    // all) but 1:1:1:1: only the 65 runs of five neighbours go.
    std::vector<TStatKey> allButOnes;
    for (int a = 1; a <= 65; ++a)
        for (int b = 1; a + b <= 66; ++b)
            for (int c = 1; a + b + c <= 67; ++c)
                for (int d = 1; a + b + c + d <= 68; ++d)
                    if (a + b + c + d > 4)
                        allButOnes.push_back(k4(static_cast<uint16_t>(a), static_cast<uint16_t>(b),
                                                static_cast<uint16_t>(c), static_cast<uint16_t>(d)));
    ASSERT_EQ(static_cast<int64_t>(allButOnes.size()), choose<int64_t>(68, 4) - 1);
    cases.push_back({"KDS4", allButOnes, choose<int64_t>(69, 5) - 65});
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        const TStatDrawArray selected = selectionOf(c.selected);
        EXPECT_EQ(static_cast<int64_t>(keptOfFullSet(*stat->PrepareFilter(selected, -1, false, false))), c.expected)
            << c.code << " with " << c.selected.size() << " selected, first K1 " << c.selected.front().K(1);
    }
}

// The prefetch files: what the build counts over the full set. The build
// counts every value a combination yields, so DIFA, with four values per
// combination, counts 4 x 11,238,513 in all, as the merges of AddCombValues
// (each with Count 1) do; the single-valued members count every
// combination once.
TEST(DifferencesPrefetch, FullSetCountsMatchCombinatorics)
{
    Registry reg;
    const int64_t all = choose<int64_t>(69, 5);
    auto build = [&](const char* code) {
        const int i = reg.index(code);
        EXPECT_GE(i, 0) << code;
        std::optional<PrefetchSource> built = buildPrefetch(reg.list, i, {}, 1);
        EXPECT_TRUE(built) << code;
        return built ? *built : PrefetchSource{};
    };
    auto total = [](const PrefetchSource& p) {
        int64_t t = 0;
        for (const PrefetchRecord& r : p.records)
            t += r.count;
        return t;
    };

    {
        SCOPED_TRACE("DIFA");
        const PrefetchSource p = build("DIFA");
        EXPECT_EQ(total(p), 4 * all);
        ASSERT_EQ(p.records.size(), 65u);  // gaps 1..65
        for (int d = 1; d <= 65; ++d) {
            EXPECT_EQ(p.records[static_cast<size_t>(d - 1)].key, k1(static_cast<uint16_t>(d)));
            EXPECT_EQ(p.records[static_cast<size_t>(d - 1)].count, 4 * choose<int64_t>(69 - d, 4)) << d;
        }
        EXPECT_EQ(p.minCount, 4);
        EXPECT_EQ(p.maxCount, 4 * choose<int64_t>(68, 4));
    }
    {
        SCOPED_TRACE("DIFD");
        const PrefetchSource p = build("DIFD");
        EXPECT_EQ(total(p), all);
        ASSERT_EQ(p.records.size(), 65u);  // spreads 4..68
        for (int d = 4; d <= 68; ++d) {
            EXPECT_EQ(p.records[static_cast<size_t>(d - 4)].key, k1(static_cast<uint16_t>(d)));
            EXPECT_EQ(p.records[static_cast<size_t>(d - 4)].count, (69 - d) * choose<int64_t>(d - 1, 3)) << d;
        }
    }
    {
        SCOPED_TRACE("DIFM");
        const PrefetchSource p = build("DIFM");
        EXPECT_EQ(total(p), all);
        ASSERT_EQ(p.records.size(), 65u);  // largest gaps 1..65
        for (int m = 1; m <= 65; ++m) {
            EXPECT_EQ(p.records[static_cast<size_t>(m - 1)].key, k1(static_cast<uint16_t>(m)));
            EXPECT_EQ(p.records[static_cast<size_t>(m - 1)].count, allGapsAtMost(m) - allGapsAtMost(m - 1)) << m;
        }
    }
    {
        SCOPED_TRACE("DIFK");
        const PrefetchSource p = build("DIFK");
        EXPECT_EQ(total(p), all);
        ASSERT_EQ(p.records.size(), 4u);
        EXPECT_EQ(p.records[3].key, k1(4));
        EXPECT_EQ(p.records[3].count, fourEqualGaps());
        EXPECT_EQ(p.records[2].key, k1(3));
        EXPECT_EQ(p.records[2].count, threeEqualGaps());
    }
    {
        SCOPED_TRACE("DIFO");
        const PrefetchSource p = build("DIFO");
        // Each combination's multiplicities add up to its four gaps.
        int64_t weighted = 0;
        std::map<int, int64_t> byMultiplicity;
        for (const PrefetchRecord& r : p.records) {
            EXPECT_GE(r.key.K(2), 1);
            EXPECT_LE(r.key.K(2), 4);
            EXPECT_EQ(r.key.K(3), 0);
            EXPECT_EQ(r.key.K(4), 0);
            weighted += int64_t{r.key.K(2)} * r.count;
            if (r.key.K(2) == 4) {
                EXPECT_EQ(r.count, 69 - 4 * r.key.K(1)) << r.key.K(1);
            }
            byMultiplicity[r.key.K(2)] += r.count;
        }
        EXPECT_EQ(weighted, 4 * all);
        EXPECT_EQ(byMultiplicity[4], fourEqualGaps());
        EXPECT_EQ(byMultiplicity[3], threeEqualGaps());
    }
}
