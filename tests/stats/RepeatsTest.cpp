// The repeats family: numbers that come back across draws. The values of a
// window read from its last draw, the counts per draw, a candidate
// combination counted against the draws before the one following the window,
// damaged records that must not make repeats out of nothing, the prepared
// filters against the plain test, and the registry entries.
#include <gtest/gtest.h>

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "stats/FamilyTestSupport.h"
#include "stats/FilterAgreement.h"
#include "stats/families/Repeats.h"

using namespace zircon;
using namespace zircon::test;

namespace {

// The values draw i yields alone, in merge order.
std::vector<int> drawValues(TCustomStat& stat, int index, int end)
{
    TStatDrawArray items;
    TStatWork work;
    TLastValueArray last;
    stat.AddDrawValues(index, end, false, items, work, last);
    std::vector<int> out;
    for (const TStatDrawItem& it : items) {
        EXPECT_EQ(it.Count, 1);
        EXPECT_EQ(it.Key.raw >> 16, 0u) << "only K1 is used";
        out.push_back(it.Key.K(1));
    }
    return out;
}

// The plain answer, after checking that the prepared filter gives the same.
bool matches(TCustomStat& stat, const TComb& comb, const TStatDrawArray& selected, int end)
{
    const FilterAnswers a = filterAnswers(stat, comb, selected, end);
    EXPECT_EQ(a.prepared, a.plain ? 1 : 0) << "prepared and plain differ";
    EXPECT_TRUE(a.concurrent);
    return a.plain;
}

// The count a combination is given: the one value 0..5 whose selection it
// matches (and it must match no other).
int candidateCount(TCustomStat& stat, const TComb& comb, int end)
{
    int found = -1;
    for (uint16_t v = 0; v <= kMainCount; ++v)
        if (matches(stat, comb, selectionOf({k1(v)}), end)) {
            EXPECT_EQ(found, -1) << "matches both " << found << " and " << v;
            found = v;
        }
    return found;
}

// How many numbers each draw shares with the ones before it.
const TDrawsArray kCountDraws = {
    makeDraw(1, {1, 2, 3, 4, 5}),
    makeDraw(2, {1, 2, 3, 10, 11}),
    makeDraw(3, {2, 3, 4, 12, 13}),
    makeDraw(4, {3, 4, 5, 6, 14}),
};

// Zeros, numbers past 69 and a number twice, beside real numbers.
const TDrawsArray kDamagedDraws = {
    makeDraw(1, {0, 70, 255, 69, 5}),
    makeDraw(2, {1, 6, 71, 0, 2}),
    makeDraw(3, {0, 0, 0, 0, 0}),
    makeDraw(4, {6, 6, 1, 200, 69}),
};

const std::vector<const char*> kRepeatCodes = {
    "RPV2", "RPV3", "PRL2", "PRV2O1", "PRV2O2", "PRV2O3", "PRV+1", "PRV-1", "PRV+2", "PRV-2",
    "RPC2", "RPC3", "PRB2", "RPO1",   "PRC2O2", "PRC2O3", "PRC+1", "PRC-1", "PRC+2", "PRC-2",
};

}  // namespace

// ------------------------------------------------------------ shifting

TEST(RepeatsShift, AroundTheCircle)
{
    struct Case {
        int n, s, expected;
    };
    const Case cases[] = {
        {69, 1, 1}, {1, -2, 68}, {1, -1, 69}, {2, -2, 69}, {68, 2, 1}, {69, 2, 2},
        {68, 1, 69}, {3, -2, 1}, {35, 0, 35}, {34, 1, 35}, {40, -1, 39}, {67, 2, 69},
    };
    for (const Case& c : cases)
        EXPECT_EQ(shiftNumber(c.n, c.s), c.expected) << c.n << " by " << c.s;
}

// ------------------------------------------------------------ values

TEST(RepeatsWindow, ValuesWorkedExamples)
{
    struct Row {
        const char* text;
        int count = 0;
        int depth = 0;
        int lastDraw = 0;
        int period = 0;  // PeriodMin and PeriodMax
    };
    struct Case {
        const char* code;
        TDrawsArray draws;
        int end;
        bool sorted;
        std::vector<Row> rows;  // every row in table order
        const char* why;
    };
    // 12 comes back in draw 102, 20 in 103 and 33 in 104.
    const TDrawsArray twice = {
        makeDraw(101, {12, 40, 41, 42, 43}),
        makeDraw(102, {12, 20, 21, 22, 23}),
        makeDraw(103, {20, 30, 31, 32, 33}),
        makeDraw(104, {5, 12, 33, 45, 69}),
    };
    TDrawsArray twiceDrawnOrder = twice;
    twiceDrawnOrder[3].nums = {45, 5, 69, 12, 33};
    // 69 then 1: the shift by +1 wraps.
    const TDrawsArray wrapUp = {
        makeDraw(201, {69, 10, 11, 12, 13}),
        makeDraw(202, {1, 50, 51, 52, 53}),
        makeDraw(203, {69, 2, 3, 4, 5}),
    };
    // 1 then 68: the shift by -2 wraps.
    const TDrawsArray wrapDown = {
        makeDraw(301, {1, 30, 31, 32, 33}),
        makeDraw(302, {68, 40, 41, 42, 43}),
        makeDraw(303, {1, 2, 50, 51, 52}),
    };
    // 7 in all four draws, 8 in the first two and the last, 9 in the first,
    // third and last, 20 in the middle two and the last.
    const TDrawsArray runs = {
        makeDraw(1, {7, 8, 9, 10, 11}),
        makeDraw(2, {7, 8, 20, 21, 22}),
        makeDraw(3, {7, 20, 9, 30, 31}),
        makeDraw(4, {7, 8, 9, 20, 40}),
    };
    const Case cases[] = {
        {"RPV2", twice, 3, false,
         {{"5"}, {"12", 1, 3, 102}, {"33", 1, 1, 104}, {"45"}, {"69"}},
         "only the last draw's numbers; 20 came back but is not in it"},
        {"RPV2", twiceDrawnOrder, 3, true,
         {{"45"}, {"5"}, {"69"}, {"12", 1, 3, 102}, {"33", 1, 1, 104}},
         "seeded in drawn order whatever the sorted switch"},
        {"RPV2", twice, 2, false,
         {{"20", 1, 1, 103}, {"30"}, {"31"}, {"32"}, {"33"}},
         "the window's last draw, not the archive's"},
        {"PRV2O1", twice, 3, false,
         {{"5"}, {"12", 1, 1, 104}, {"33"}, {"45"}, {"69"}},
         "12 in draws 102 and 104"},
        {"PRV2O2", twice, 3, false,
         {{"5"}, {"12", 1, 1, 104}, {"33"}, {"45"}, {"69"}},
         "12 in draws 101 and 104"},
        {"PRV2O3", twice, 3, false, {{"5"}, {"12"}, {"33"}, {"45"}, {"69"}}, "no draw four before"},
        {"PRV+1", wrapUp, 2, false,
         {{"1", 1, 2, 202}, {"3"}, {"4"}, {"5"}, {"6"}},
         "69 + 1 is 1; 1 then 2 does not count, 1 is not in the last draw"},
        {"PRV-1", wrapUp, 2, false, {{"68"}, {"1"}, {"2"}, {"3"}, {"4"}}, "no number came back one lower"},
        {"PRV-2", wrapDown, 2, false,
         {{"68", 1, 2, 302}, {"69"}, {"48"}, {"49"}, {"50"}},
         "1 - 2 is 68"},
        {"RPV3", runs, 3, false,
         {{"7", 2, 1, 4, 1}, {"8"}, {"9"}, {"20", 1, 1, 4}, {"40"}},
         "three draws in a row"},
        {"PRL2", runs, 3, false,
         {{"7", 1, 3, 2}, {"8", 1, 3, 2}, {"9", 1, 1, 4}, {"20", 1, 2, 3}, {"40"}},
         "two draws in a row, not three; before the first draw is nothing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + " to " + std::to_string(c.end) + ": " + c.why);
        Registry reg(c.draws);
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        const TStatDrawArray items = windowOf(*stat, 0, c.end, c.sorted);
        ASSERT_EQ(items.size(), static_cast<int>(c.rows.size()));
        for (int i = 0; i < items.size(); ++i) {
            const Row& row = c.rows[static_cast<size_t>(i)];
            const TStatDrawItem& it = items[i];
            EXPECT_EQ(stat->ValueText(it), QString::fromUtf8(row.text));
            EXPECT_EQ(it.Count, row.count) << row.text;
            EXPECT_EQ(it.Depth, row.depth) << row.text;
            EXPECT_EQ(it.LastDraw, row.lastDraw) << row.text;
            EXPECT_EQ(it.PeriodMin, row.period) << row.text;
            EXPECT_EQ(it.PeriodMax, row.period) << row.text;
            EXPECT_EQ(it.Key.raw >> 16, 0u) << row.text;
        }
    }
}

// ------------------------------------------------------------ counts

TEST(RepeatsWindow, CountsPerDraw)
{
    struct Case {
        const char* code;
        std::vector<int> values;  // draws 0..3
    };
    const Case cases[] = {
        {"RPC2", {0, 3, 2, 2}},   {"RPO1", {0, 0, 3, 1}},  {"PRC2O2", {0, 0, 0, 3}}, {"PRC2O3", {0, 0, 0, 0}},
        {"PRC+1", {0, 2, 4, 4}},  {"PRC-1", {0, 3, 1, 1}}, {"PRC+2", {0, 1, 4, 4}},  {"PRC-2", {0, 3, 0, 0}},
        {"RPC3", {0, 0, 2, 1}},   {"PRB2", {0, 3, 0, 1}},
    };
    Registry reg(kCountDraws);
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(drawValues(*stat, i, 3), std::vector<int>{c.values[static_cast<size_t>(i)]})
                << c.code << " draw " << i;
    }
}

// The first draw compares with nothing before the archive: the value 0,
// which is not seeded and comes after 1..5.
TEST(RepeatsWindow, CountTableListsZeroOnceItOccurs)
{
    Registry reg(kCountDraws);
    const std::unique_ptr<TCustomStat> rpc2 = reg.create("RPC2");
    ASSERT_TRUE(rpc2);
    const TStatDrawArray items = windowOf(*rpc2, 0, 3, false);
    EXPECT_EQ(itemTexts(*rpc2, items), qstrings({"1", "2", "3", "4", "5", "0"}));
    const std::vector<int> counts = {0, 2, 1, 0, 0, 1};
    for (int i = 0; i < items.size(); ++i)
        EXPECT_EQ(items[i].Count, counts[static_cast<size_t>(i)]) << i;
    EXPECT_EQ(items[5].LastDraw, 1);
    EXPECT_EQ(items[5].Depth, 4);
    EXPECT_EQ(items[1].LastDraw, 4);
    EXPECT_EQ(items[1].PeriodMin, 1);

    TStatDrawArray before;
    rpc2->BeginStat(-1, before);
    EXPECT_EQ(itemTexts(*rpc2, before), qstrings({"1", "2", "3", "4", "5"}));
}

TEST(RepeatsWindow, FindNextDrawReadsFromTheWindowEnd)
{
    struct Case {
        const char* code;
        uint16_t value;
        int from;
        int end;
        int expected;
    };
    const Case cases[] = {
        {"RPC2", 2, 0, 3, 3}, {"RPC2", 3, 2, 3, -1}, {"RPC2", 0, 0, 3, 1}, {"RPO1", 1, 0, 1, 4},
        // RPV2 of the window ending at draw 1 (1 2 3 10 11): 2 and 3 come back in draw 3.
        {"RPV2", 2, 0, 1, 2}, {"RPV2", 2, 2, 1, 3}, {"RPV2", 4, 0, 1, -1}, {"RPV2", 3, 4, 1, -1},
    };
    Registry reg(kCountDraws);
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        TStatDrawItem item;
        item.Key = k1(c.value);
        EXPECT_EQ(stat->FindNextDraw(item, c.from, c.end, false), c.expected)
            << c.code << " " << c.value << " from " << c.from;
    }
}

// ------------------------------------------------------------ candidates

TEST(RepeatsFilter, CandidateCountsAgainstTheWindowEnd)
{
    struct Case {
        const char* code;
        int end;
        int expected;
    };
    const Case cases[] = {
        // The candidate follows draw 3 (3 4 5 6 14).
        {"RPC2", 3, 3},   {"RPO1", 3, 2},  {"PRC2O2", 3, 1}, {"PRC2O3", 3, 3}, {"PRC+1", 3, 2},
        {"PRC-1", 3, 3},  {"PRC+2", 3, 1}, {"PRC-2", 3, 2},  {"RPC3", 3, 2},   {"PRB2", 3, 1},
        // The candidate follows draw 1 (1 2 3 10 11).
        {"RPC2", 1, 1},   {"RPO1", 1, 3},  {"PRC2O2", 1, 0}, {"RPC3", 1, 1},   {"PRB2", 1, 0},
        // The candidate follows draw 0: nothing stands before it.
        {"RPC2", 0, 3},   {"RPO1", 0, 0},  {"RPC3", 0, 0},   {"PRB2", 0, 3},   {"PRC-1", 0, 2},
        // An empty window: no draw at all.
        {"RPC2", -1, 0},  {"PRC+1", -1, 0},
    };
    Registry reg(kCountDraws);
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        for (const TComb& comb : {TComb{{3, 4, 5, 20, 30}}, TComb{{30, 5, 20, 4, 3}}})
            EXPECT_EQ(candidateCount(*stat, comb, c.end), c.expected) << c.code << " after draw " << c.end;
    }
}

TEST(RepeatsFilter, ValuesMembersMatchSelectedNumbers)
{
    struct Case {
        TComb comb;
        std::vector<TStatKey> selected;
        bool expected;
        const char* why;
    };
    const Case cases[] = {
        {{{3, 4, 5, 20, 30}}, {k1(20)}, true, "20 is in it"},
        {{{3, 4, 5, 20, 30}}, {k1(21), k1(6)}, false, "neither is in it"},
        {{{3, 4, 5, 20, 30}}, {TStatKey::k4(20, 1, 0, 0)}, true, "only K1 is compared"},
        {{{3, 4, 5, 20, 30}}, {k1(20 + 256)}, false, "K1 is not cut to a byte"},
        {{{3, 4, 5, 20, 30}}, {}, false, "nothing selected"},
    };
    Registry reg(kCountDraws);
    for (const char* code : {"RPV2", "RPV3", "PRL2", "PRV2O2", "PRV-2"}) {
        const std::unique_ptr<TCustomStat> stat = reg.create(code);
        ASSERT_TRUE(stat);
        for (const Case& c : cases)
            EXPECT_EQ(matches(*stat, c.comb, selectionOf(c.selected), 3), c.expected) << code << ": " << c.why;
    }
}

// ------------------------------------------------------------ damaged records

TEST(RepeatsDamaged, NumbersOutsideTheRangeAreNoMembers)
{
    Registry reg(kDamagedDraws);
    struct SeedCase {
        const char* code;
        int end;
        std::vector<const char*> rows;
    };
    const SeedCase seeds[] = {
        // 0 + 1 would be 1 again and 70 + 1 would wrap to 2.
        {"PRV+1", 0, {"1", "6"}},
        {"PRV-1", 0, {"68", "4"}},
        {"RPV2", 0, {"69", "5"}},
        {"RPV3", 1, {"1", "6", "2"}},
        // Before the archive and a zeroed record: nothing, not 0 - 1 = 68.
        {"PRV-1", -1, {}},
        {"PRV-1", 2, {}},
        {"PRV+2", 2, {}},
        // A number twice is one value.
        {"RPV2", 3, {"6", "1", "69"}},
    };
    for (const SeedCase& c : seeds) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        TStatDrawArray items;
        stat->BeginStat(c.end, items);
        EXPECT_EQ(itemTexts(*stat, items), qstrings(c.rows)) << c.code << " to " << c.end;
    }

    struct DrawCase {
        const char* code;
        int index;
        std::vector<int> values;
    };
    const DrawCase draws[] = {
        {"RPC2", 1, {0}},   // both hold 0, which is no number
        {"PRC+1", 1, {2}},  // 1 and 6 from 69 and 5; 70 + 1 does not make 2
        {"RPC2", 3, {0}},   // after a zeroed record
        {"PRC-1", 3, {0}},  // 0 - 1 does not make 68 or 69
        {"RPC2", 2, {0}},
        {"RPC3", 3, {0}},
        {"PRB2", 2, {0}},
    };
    for (const DrawCase& c : draws) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        EXPECT_EQ(drawValues(*stat, c.index, 3), c.values) << c.code << " draw " << c.index;
    }

    // Window ending at draw 1 (members 1 6 2): PRV+1 merges 69 + 1 = 1 and
    // 5 + 1 = 6 only when they are moved numbers of that draw (2 7 3): none.
    const std::unique_ptr<TCustomStat> up = reg.create("PRV+1");
    ASSERT_TRUE(up);
    EXPECT_TRUE(drawValues(*up, 1, 1).empty());
    // Window ending at draw 0: 69 + 1 = 1 and 5 + 1 = 6 are candidates, and
    // draw 1 holds both after draw 0 held 69 and 5.
    EXPECT_EQ(drawValues(*up, 1, 0), (std::vector<int>{1, 6}));

    struct CombCase {
        const char* code;
        int end;
        TComb comb;
        int expected;
    };
    const CombCase combs[] = {
        {"PRC+1", 0, {{1, 2, 6, 187, 71}}, 2},  // 2 and 71 would come from 70 and 70 + 1
        {"RPC2", 1, {{0, 71, 1, 255, 70}}, 1},  // only 1 is a number of the draw
        {"RPC2", 1, {{1, 1, 1, 1, 1}}, 1},      // a number of the draw counts once
        {"RPC2", 1, {{2, 2, 6, 6, 6}}, 2},
        {"RPC2", 2, {{0, 0, 0, 0, 0}}, 0},      // after a zeroed record
        {"RPC3", 1, {{0, 69, 5, 1, 2}}, 0},
        {"PRB2", 1, {{0, 69, 5, 1, 2}}, 2},     // 1 and 2 of draw 1, not in draw 0
        {"RPC3", 3, {{6, 6, 1, 69, 0}}, 0},     // draw 2 before draw 3 is zeroed
    };
    for (const CombCase& c : combs) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        EXPECT_EQ(candidateCount(*stat, c.comb, c.end), c.expected) << c.code << " after draw " << c.end;
    }
}

// ------------------------------------------------------------ prepared filters

TEST(RepeatsFilter, PreparedFiltersAgreeOnTheFixtureArchive)
{
    const TDrawsArray& draws = fixtureDraws();
    ASSERT_GT(draws.size(), 100u);
    const int lastIndex = static_cast<int>(draws.size()) - 1;
    Registry reg(draws);
    for (size_t k = 0; k < kRepeatCodes.size(); ++k) {
        const char* code = kRepeatCodes[k];
        SCOPED_TRACE(code);
        const std::unique_ptr<TCustomStat> stat = reg.create(code);
        ASSERT_TRUE(stat);
        size_t both = 0;
        for (int end : {0, 1, 2, lastIndex / 2, lastIndex}) {
            agreement::AgreementTotals totals;
            EXPECT_TRUE(agreement::filterAgreesOnStandardSelections(
                *stat, end, 7000u + static_cast<uint32_t>(k * 31 + static_cast<size_t>(end)), &totals, 20000))
                << "window end " << end;
            both += totals.selectionsWithBothAnswers;
        }
        EXPECT_GT(both, 0u);
    }
}

TEST(RepeatsFilter, PreparedFiltersAgreeOnDamagedRecords)
{
    Registry reg(kDamagedDraws);
    for (size_t k = 0; k < kRepeatCodes.size(); ++k) {
        const char* code = kRepeatCodes[k];
        SCOPED_TRACE(code);
        const std::unique_ptr<TCustomStat> stat = reg.create(code);
        ASSERT_TRUE(stat);
        for (int end : {-1, 0, 1, 2, 3})
            EXPECT_TRUE(agreement::filterAgreesOnStandardSelections(
                *stat, end, 9000u + static_cast<uint32_t>(k * 7 + static_cast<size_t>(end + 1)), nullptr, 5000))
                << "window end " << end;
    }
}

// ------------------------------------------------------------ registry

TEST(RepeatsRegistry, EntriesInOrder)
{
    enum Kind { RepValues2, Values, RepCount2, Numbers };
    struct Case {
        const char* code;
        const char* className;
        const char* title;
        Kind kind;
        int distance;
        int shift;
    };
    const Case cases[] = {
        {"RPV2", "TstRepValues2", "Повторяющиеся числа в 2-х тиражах подряд", RepValues2, 1, 0},
        {"RPV3", "TstRepValues3", "Повторяющиеся числа в 3-х тиражах подряд", Values, 0, 0},
        {"PRL2", "TstRepValues2B3", "Повторяющиеся числа не более чем в 2-х тиражах", Values, 0, 0},
        {"PRV2O1", "TstRepValues2over1", "Повторяющиеся числа в 2-х тиражах через 1 тираж(а)", RepValues2, 2, 0},
        {"PRV2O2", "TstRepValues2over2", "Повторяющиеся числа в 2-х тиражах через 2 тираж(а)", RepValues2, 3, 0},
        {"PRV2O3", "TstRepValues2over3", "Повторяющиеся числа в 2-х тиражах через 3 тираж(а)", RepValues2, 4, 0},
        {"PRV+1", "TstRepValues2P1", "Данные предыдущего тиража + 1", RepValues2, 1, 1},
        {"PRV-1", "TstRepValues2N1", "Данные предыдущего тиража - 1", RepValues2, 1, -1},
        {"PRV+2", "TstRepValues2P2", "Данные предыдущего тиража + 2", RepValues2, 1, 2},
        {"PRV-2", "TstRepValues2N2", "Данные предыдущего тиража - 2", RepValues2, 1, -2},
        {"RPC2", "TstRepCount2", "Количество повторов в 2-х тиражах подряд", RepCount2, 1, 0},
        {"RPC3", "TstRepCount3", "Количество повторов в 3-х тиражах подряд", Numbers, 0, 0},
        {"PRB2", "TstRepCount2B3", "Количество повторов не более чем в 2-х тиражах", Numbers, 0, 0},
        {"RPO1", "TstRepCount2over1", "Количество повторов в 2-х тиражах через 1 тираж(а)", RepCount2, 2, 0},
        {"PRC2O2", "TstRepCount2over2", "Количество повторов в 2-х тиражах через 2 тираж(а)", RepCount2, 3, 0},
        {"PRC2O3", "TstRepCount2over3", "Количество повторов в 2-х тиражах через 3 тираж(а)", RepCount2, 4, 0},
        {"PRC+1", "TstRepCount2P1", "Количество совпадений \"значений + 1\"", RepCount2, 1, 1},
        {"PRC-1", "TstRepCount2N1", "Количество совпадений \"значений - 1\"", RepCount2, 1, -1},
        {"PRC+2", "TstRepCount2P2", "Количество совпадений \"значений + 2\"", RepCount2, 1, 2},
        {"PRC-2", "TstRepCount2N2", "Количество совпадений \"значений - 2\"", RepCount2, 1, -2},
    };
    Registry reg;
    const int lens = reg.list.FindCode(QStringLiteral("LENS"));
    const int first = reg.list.FindCode(QStringLiteral("RPV2"));
    ASSERT_GE(first, 0);
    ASSERT_GE(lens, 0);
    EXPECT_EQ(first, lens + 1) << "the repeats follow the sequences";
    for (int k = 0; k < static_cast<int>(std::size(cases)); ++k) {
        const Case& c = cases[k];
        SCOPED_TRACE(c.code);
        const int i = first + k;
        ASSERT_LT(i, reg.list.Count());
        const TStatMethod& m = reg.list.Items(i);
        EXPECT_EQ(reg.list.ItemCode(i), QString::fromUtf8(c.code));
        EXPECT_EQ(m.StatClass->helpCode(0), QString::fromUtf8(c.code));
        EXPECT_STREQ(m.StatClass->className, c.className);
        EXPECT_EQ(m.Param, 0);
        EXPECT_FALSE(m.StatClass->hasParam());
        EXPECT_EQ(m.StatClass->group, 7);
        EXPECT_EQ(reg.list.DisplayTitle(i), QString::fromUtf8(c.title));
        EXPECT_EQ(statFlagLetters(m.StatClass->fullFlags()), QStringLiteral("D"));
        EXPECT_FALSE(reg.list.HasGraph(i));
        EXPECT_FALSE(reg.list.HasNorm(i));
        const std::unique_ptr<TCustomStat> stat = reg.list.CreateStat(i);
        ASSERT_TRUE(stat);
        auto* values2 = dynamic_cast<TCustomRepValues2Stat*>(stat.get());
        auto* count2 = dynamic_cast<TCustomRepCount2Stat*>(stat.get());
        EXPECT_EQ(values2 != nullptr, c.kind == RepValues2);
        EXPECT_EQ(count2 != nullptr, c.kind == RepCount2);
        EXPECT_EQ(dynamic_cast<TCustomValuesStat*>(stat.get()) != nullptr, c.kind == RepValues2 || c.kind == Values);
        EXPECT_EQ(dynamic_cast<TCustomNumbersStat*>(stat.get()) != nullptr,
                  c.kind == RepCount2 || c.kind == Numbers);
        if (values2) {
            EXPECT_EQ(values2->Distance(), c.distance);
            EXPECT_EQ(values2->Shift(), c.shift);
        }
        if (count2) {
            EXPECT_EQ(count2->Distance(), c.distance);
            EXPECT_EQ(count2->Shift(), c.shift);
        }
    }
    EXPECT_EQ(reg.list.DisplayName(first, true),
              QStringLiteral("{ rep } Повторяющиеся числа в 2-х тиражах подряд [ D ]"));
}
