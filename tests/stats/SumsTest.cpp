// The sums family: the values of draws and combinations, the tables of one
// window (with the members that compare a draw with the one before it), the
// value texts, the graph values and the registry entries.
#include <gtest/gtest.h>

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "stats/FamilyTestSupport.h"
#include "stats/StatTable.h"
#include "stats/families/Sums.h"

using namespace zircon;
using namespace zircon::test;

namespace {

using Nums = std::array<uint8_t, kMainCount>;

// Five distinct numbers of 1..69 with the given sum (15..330), not in
// ascending order, so that nothing relies on the order they were drawn in.
Nums numsWithSum(int sum)
{
    const int m = sum / 5;
    const int r = sum % 5;
    const Nums n = {static_cast<uint8_t>(m), static_cast<uint8_t>(m + 2 + r), static_cast<uint8_t>(m - 2),
                    static_cast<uint8_t>(m + 1), static_cast<uint8_t>(m - 1)};
    int check = 0;
    for (uint8_t v : n) {
        EXPECT_GE(v, 1);
        EXPECT_LE(v, kMainMax);
        check += v;
    }
    EXPECT_EQ(check, sum);
    return n;
}

// Draws numbered 100, 101, ... with the given sums.
TDrawsArray drawsWithSums(const std::vector<int>& sums)
{
    TDrawsArray draws;
    for (size_t i = 0; i < sums.size(); ++i)
        draws.push_back(makeDraw(100 + static_cast<int32_t>(i), numsWithSum(sums[i])));
    return draws;
}

TStatKey signedL1(int v)
{
    return TStatKey::l2(static_cast<uint32_t>(v), 0);
}

}  // namespace

// ------------------------------------------------------------ values

TEST(SumsValues, ValuesOfFiveNumbers)
{
    struct Case {
        const char* code;
        Nums nums;
        const char* expected;
        const char* why;
    };
    const Case cases[] = {
        {"SUMS", {1, 2, 3, 4, 5}, "15", "the smallest sum"},
        {"SUMS", {69, 65, 67, 66, 68}, "335", "the largest sum, in any order"},
        {"SUMS", {20, 21, 22, 23, 24}, "110", ""},
        {"SUMS", {0, 0, 0, 0, 0}, "0", "a zero draw"},
        {"SUMS", {255, 255, 255, 255, 255}, "1275", "a damaged combination is not cut to a byte"},
        {"SUM1", {20, 21, 22, 23, 24}, "109-241", "110 is inside band 1"},
        {"SUM2", {20, 21, 22, 23, 24}, "Остальные", "110 is below band 2"},
        {"SUM3", {20, 21, 22, 23, 24}, "Остальные", "110 is below band 3"},
        {"SUM1", {73, 73, 73, 73, 73}, "Остальные", "365 would be 109 in a byte; it is outside"},
        {"SUM1", {0, 0, 0, 0, 0}, "Остальные", "a zero draw is outside"},
        {"SUME", {2, 3, 4, 5, 6}, "12", "2 + 4 + 6"},
        {"SUME", {1, 3, 5, 7, 69}, "0", "no even number"},
        {"SUME", {68, 66, 64, 62, 60}, "320", ""},
        {"SUME", {254, 254, 254, 254, 254}, "1270", "damaged bytes still add up"},
        {"SUMP", {1, 4, 6, 8, 10}, "1", "1 counts as prime"},
        {"SUMP", {2, 3, 5, 7, 11}, "28", ""},
        {"SUMP", {4, 6, 8, 9, 69}, "0", "no prime"},
        {"SUMP", {71, 73, 1, 2, 3}, "6", "only the primes of the range count"},
        {"S2T3", {1, 2, 3, 4, 5}, "4", "1+2=3, 1+3=4, 1+4=5, 2+3=5"},
        {"S2T3", {5, 3, 1, 4, 2}, "4", "the order does not matter"},
        {"S2T3", {1, 2, 4, 8, 16}, "0", ""},
        {"S2T3", {1, 2, 3, 5, 8}, "3", "1+2=3, 2+3=5, 3+5=8"},
        {"S2T3", {3, 3, 6, 9, 12}, "5", "both 3s pair with 6 and with 9"},
        {"S2T3", {0, 5, 5, 1, 2}, "2", "0+5 is the other 5 twice; 0+1 is not 1 itself"},
        {"S2T3", {0, 0, 0, 0, 0}, "30", "every position with every pair of the others"},
    };
    Registry reg;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + ": " + c.why);
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        KeyList keys;
        stat->CombKeys(c.nums.data(), keys);
        ASSERT_EQ(keys.count, 1);
        EXPECT_EQ(valueText(*stat, keys.keys[0]), QString::fromUtf8(c.expected));
    }
}

// Both bounds of every band belong to it.
TEST(SumsValues, BandBorders)
{
    struct Case {
        int param;
        int sum;
        bool inside;
    };
    const Case cases[] = {
        {1, 108, false}, {1, 109, true}, {1, 241, true}, {1, 242, false}, {2, 121, false}, {2, 122, true},
        {2, 228, true},  {2, 229, false}, {3, 133, false}, {3, 134, true}, {3, 216, true}, {3, 217, false},
        {1, 335, false}, {3, 15, false},
    };
    Registry reg;
    for (const Case& c : cases) {
        const std::string code = "SUM" + std::to_string(c.param);
        const std::unique_ptr<TCustomStat> stat = reg.create(code.c_str());
        ASSERT_TRUE(stat);
        const Nums nums = c.sum == 335  ? Nums{65, 66, 67, 68, 69}
                          : c.sum == 15 ? Nums{1, 2, 3, 4, 5}
                                        : numsWithSum(c.sum);
        KeyList keys;
        stat->CombKeys(nums.data(), keys);
        ASSERT_EQ(keys.count, 1);
        EXPECT_EQ(keys.keys[0], TStatKey::k1(c.inside ? 1 : 0)) << code << " of " << c.sum;
    }
}

// The members that compare draws give a combination the value it would take
// as the draw after the window's last one.
TEST(SumsValues, CombinationsAgainstTheLastDraw)
{
    struct Case {
        const char* code;
        Nums nums;
        const char* expected;
    };
    const Case cases[] = {
        {"SUMC", numsWithSum(168), "- 07 : 175 - 7 = 168"},
        {"SUMC", numsWithSum(180), "+05 : 175 + 5 = 180"},
        {"SUMV", numsWithSum(163), "- 12"},
        {"SUMV", numsWithSum(180), "+05"},
        {"SUMV", numsWithSum(175), "+00"},
        {"SUMT", numsWithSum(163), "-"},
        {"SUMT", numsWithSum(175), "="},
        {"SUMT", numsWithSum(176), "+"},
    };
    Registry reg(drawsWithSums({100, 175}));
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        stat->LoadDraws(-1, 1, false);
        KeyList keys;
        stat->CombKeys(c.nums.data(), keys);
        ASSERT_EQ(keys.count, 1) << c.code;
        EXPECT_EQ(valueText(*stat, keys.keys[0]), QString::fromUtf8(c.expected)) << c.code;
    }
}

// ------------------------------------------------------------ one window

TEST(SumsWindow, WorkedExamples)
{
    struct Case {
        const char* name;
        const char* code;
        std::vector<int> sums;             // draws 100, 101, ... with these sums
        int start;                         // the window's first index; it ends at the last draw
        int rows;                          // every row, pre-seeded ones included
        std::vector<WindowRow> occurring;  // the rows with Count > 0, in table order
        std::vector<const char*> allTexts; // when given: every row's text in table order
    };
    // The last draw's sum is 175; the draws after 101 and 104 had 175 before them.
    const std::vector<int> history = {175, 168, 160, 175, 168, 175, 180, 150, 175};
    const Case cases[] = {
        {"sums", "SUMS", {150, 175, 150}, 0, 321, {{"150", 2, 1, 102, 2, 2}, {"175", 1, 2, 101}}, {}},
        {"band", "SUM1", {110, 300, 241}, 0, 2, {{"Остальные", 1, 2, 101}, {"109-241", 2, 1, 102, 2, 2}},
         {"Остальные", "109-241"}},
        {"band 3", "SUM3", {110, 300, 241}, 0, 2, {{"Остальные", 3, 1, 102, 1, 1}}, {"Остальные", "134-216"}},
        {"exact change", "SUMC", history, 0, 2,
         {{"- 07 : 175 - 7 = 168", 2, 5, 104, 3, 3}, {"+05 : 175 + 5 = 180", 1, 3, 106}}, {}},
        {"direction", "SUMT", history, 0, 3, {{"+", 1, 3, 106}, {"-", 2, 5, 104, 3, 3}}, {"=", "+", "-"}},
        // Every previous sum within 32 of 175: all but the first draw's zero.
        {"change within a range", "SUMV", history, 0, 7,
         {{"- 07", 2, 5, 104, 3, 3},
          {"- 08", 1, 7, 102},
          {"+15", 1, 6, 103},
          {"+07", 1, 4, 105},
          {"+05", 1, 3, 106},
          {"- 30", 1, 2, 107},
          {"+25", 1, 1, 108}},
         {}},
        // 232 and 168 lie 32 from 200 and count; 233 lies 33 away and does not.
        {"the range's borders", "SUMV", {232, 150, 233, 140, 168, 170, 200}, 0, 3,
         {{"- 82", 1, 6, 101}, {"+02", 1, 2, 105}, {"+30", 1, 1, 106}}, {}},
        // No earlier draw had 175 before it.
        {"no earlier equal sum", "SUMC", {150, 160, 175}, 0, 0, {}, {}},
        {"no earlier equal sum, direction", "SUMT", {150, 160, 175}, 0, 3, {}, {"=", "+", "-"}},
        // The last draw counts only when the one before it had its sum.
        {"the last draw after an equal sum", "SUMC", {150, 175, 175}, 0, 1, {{"+00 : 175 + 0 = 175", 1, 1, 102}}, {}},
        {"the last draw after an equal sum, direction", "SUMT", {150, 175, 175}, 0, 3, {{"=", 1, 1, 102}}, {}},
        // The draw before the window still serves as the previous one.
        {"previous draw outside the window", "SUMC", {175, 168, 175}, 1, 1, {{"- 07 : 175 - 7 = 168", 1, 2, 101}}, {}},
        {"previous draw outside the window, direction", "SUMT", {175, 168, 175}, 1, 3, {{"-", 1, 2, 101}}, {}},
        // The first draw follows a zero draw: it counts only for a last sum of at most 32.
        {"first draw, small last sum", "SUMV", {30, 25}, 0, 2, {{"+30", 1, 2, 100}, {"- 05", 1, 1, 101}}, {}},
        {"first draw, last sum 32", "SUMV", {20, 32}, 0, 2, {{"+20", 1, 2, 100}, {"+12", 1, 1, 101}}, {}},
        {"first draw, last sum 33", "SUMV", {20, 33}, 0, 1, {{"+13", 1, 1, 101}}, {}},
        {"first draw, last sum 40", "SUMV", {30, 40}, 0, 1, {{"+10", 1, 1, 101}}, {}},
        {"even sums", "SUME", {15, 16}, 0, 2, {{"6", 1, 2, 100}, {"12", 1, 1, 101}}, {"6", "12"}},
        {"prime sums", "SUMP", {15, 20}, 0, 2, {{"11", 1, 2, 100}, {"10", 1, 1, 101}}, {"11", "10"}},
        {"triples", "S2T3", {15, 20, 15}, 0, 2, {{"4", 2, 1, 102, 2, 2}, {"2", 1, 2, 101}}, {"4", "2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + ": " + c.name);
        Registry reg(drawsWithSums(c.sums));
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        for (bool sorted : {false, true}) {
            SCOPED_TRACE(sorted ? "sorted" : "unsorted");
            const TStatDrawArray items = windowOf(*stat, c.start, static_cast<int>(c.sums.size()) - 1, sorted);
            ASSERT_EQ(items.size(), c.rows);
            if (!c.allTexts.empty()) {
                EXPECT_EQ(itemTexts(*stat, items), qstrings(c.allTexts));
            }
            expectOccurringRows(*stat, items, c.occurring);
        }
    }
}

// The keys themselves: sums in L1 (SUMC: the earlier sum in L1, the
// following one in L2), signed values as 32-bit two's complement.
TEST(SumsWindow, KeysOfTheComparingMembers)
{
    Registry reg(drawsWithSums({175, 168, 175, 180, 175}));
    struct Case {
        const char* code;
        std::vector<TStatKey> keys;  // the keys with Count > 0, in table order
    };
    const Case cases[] = {
        {"SUMC", {TStatKey::l2(175, 168), TStatKey::l2(175, 180)}},
        {"SUMT", {signedL1(1), signedL1(-1)}},
        {"SUMV", {signedL1(-7), signedL1(7), signedL1(5), signedL1(-5)}},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        const TStatDrawArray items = windowOf(*stat, 0, 4, false);
        std::vector<TStatKey> got;
        for (const TStatDrawItem& it : items)
            if (it.Count > 0)
                got.push_back(it.Key);
        ASSERT_EQ(got.size(), c.keys.size()) << c.code;
        for (size_t i = 0; i < got.size(); ++i)
            EXPECT_EQ(got[i].raw, c.keys[i].raw) << c.code << " row " << i;
    }
}

TEST(SumsWindow, PreSeededValuesBeforeAnyDraw)
{
    struct Case {
        const char* code;
        std::vector<const char*> texts;  // every row; for SUMS the first and the last
        int rows;
    };
    const Case cases[] = {
        {"SUMS", {"15", "335"}, 321},
        {"SUM1", {"Остальные", "109-241"}, 2},
        {"SUM2", {"Остальные", "122-228"}, 2},
        {"SUM3", {"Остальные", "134-216"}, 2},
        {"SUMC", {}, 0},
        {"SUMV", {}, 0},
        {"SUMT", {"=", "+", "-"}, 3},
        {"SUME", {}, 0},
        {"SUMP", {}, 0},
        {"S2T3", {}, 0},
    };
    Registry reg;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        TStatDrawArray items;
        stat->BeginStat(-1, items);
        ASSERT_EQ(items.size(), c.rows);
        for (const TStatDrawItem& it : items) {
            EXPECT_EQ(it.Count, 0);
            EXPECT_EQ(it.Depth, 0);
        }
        if (c.rows == 321) {
            for (int i = 0; i < 321; ++i)
                EXPECT_EQ(items[i].Key, TStatKey::l2(static_cast<uint32_t>(15 + i), 0));
            EXPECT_EQ(stat->ValueText(items[0]), QString::fromUtf8(c.texts.front()));
            EXPECT_EQ(stat->ValueText(items[320]), QString::fromUtf8(c.texts.back()));
        } else {
            EXPECT_EQ(itemTexts(*stat, items), qstrings(c.texts));
        }
    }
}

// A draw of zeros sums to 0: SUMS lists it beside the 321 sums, and the
// members that compare draws treat it like any other sum.
TEST(SumsWindow, ZeroDrawsSumToZero)
{
    TDrawsArray draws = {makeDraw(100, {0, 0, 0, 0, 0}), makeDraw(101, {0, 0, 0, 0, 0})};
    Registry reg(draws);
    struct Case {
        const char* code;
        int rows;
        const char* text;  // the row of the zero sum
        int count;
    };
    const Case cases[] = {
        {"SUMS", 322, "0", 2},
        // Before the archive a zero draw stands, so both draws follow a sum of 0.
        {"SUMC", 1, "+00 : 0 + 0 = 0", 2},
        {"SUMT", 3, "=", 2},
        {"SUMV", 1, "+00", 2},
        {"SUM1", 2, "Остальные", 2},
        {"S2T3", 1, "30", 2},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        const TStatDrawArray items = windowOf(*stat, 0, 1, false);
        ASSERT_EQ(items.size(), c.rows) << c.code;
        int found = -1;
        for (int i = 0; i < items.size(); ++i)
            if (stat->ValueText(items[i]) == QString::fromUtf8(c.text))
                found = i;
        ASSERT_GE(found, 0) << c.code;
        EXPECT_EQ(items[found].Count, c.count) << c.code;
    }
}

// "Факт": the first draw after the window in which the value came again,
// the window's last draw still being the reference.
TEST(SumsWindow, NextOccurrenceAfterTheWindow)
{
    // The window ends at index 2 (sum 175); after it come 175 and 168.
    Registry reg(drawsWithSums({175, 168, 175, 175, 168}));
    struct Case {
        const char* code;
        const char* text;
        int fact;
    };
    const Case cases[] = {
        {"SUMC", "- 07 : 175 - 7 = 168", 104},
        {"SUMT", "-", 104},
        {"SUMT", "=", -1},  // never in the window: no "Факт"
        {"SUMV", "- 07", 104},
        {"SUMS", "175", 103},
    };
    for (const Case& c : cases) {
        const StatTable t = computeStatTable(reg.list, reg.index(c.code), 3, 2, false, nullptr);
        int row = -1;
        for (int r = 0; r < t.rowCount(); ++r)
            if (t.valueText(r) == QString::fromUtf8(c.text))
                row = r;
        ASSERT_GE(row, 0) << c.code << " " << c.text;
        EXPECT_EQ(t.fact(row), c.fact) << c.code << " " << c.text;
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        if (c.fact > 0) {
            EXPECT_EQ(stat->FindNextDraw(t.item(row), 3, 2, false), c.fact) << c.code;
        }
    }
}

// ------------------------------------------------------------ texts

TEST(SumsTexts, ValueTexts)
{
    struct Case {
        const char* code;
        TStatKey key;
        const char* expected;
    };
    const Case cases[] = {
        {"SUMS", TStatKey::l2(175, 0), "175"},
        {"SUMS", TStatKey::l2(1275, 0), "1275"},
        {"SUM1", TStatKey::k1(1), "109-241"},
        {"SUM2", TStatKey::k1(1), "122-228"},
        {"SUM3", TStatKey::k1(1), "134-216"},
        {"SUM1", TStatKey::k1(0), "Остальные"},
        {"SUMC", TStatKey::l2(175, 168), "- 07 : 175 - 7 = 168"},
        {"SUMC", TStatKey::l2(175, 180), "+05 : 175 + 5 = 180"},
        {"SUMC", TStatKey::l2(175, 175), "+00 : 175 + 0 = 175"},
        {"SUMC", TStatKey::l2(30, 200), "+170 : 30 + 170 = 200"},
        {"SUMC", TStatKey::l2(300, 15), "- 285 : 300 - 285 = 15"},
        {"SUMV", signedL1(5), "+05"},
        {"SUMV", signedL1(-12), "- 12"},
        {"SUMV", signedL1(0), "+00"},
        {"SUMV", signedL1(-160), "- 160"},
        {"SUMV", signedL1(320), "+320"},
        {"SUMV", signedL1(INT32_MIN), "- 2147483648"},
        {"SUMT", signedL1(0), "="},
        {"SUMT", signedL1(1), "+"},
        {"SUMT", signedL1(-1), "-"},
        {"SUME", TStatKey::l2(12, 0), "12"},
        {"SUMP", TStatKey::l2(28, 0), "28"},
        {"S2T3", TStatKey::k1(4), "4"},
    };
    Registry reg;
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        EXPECT_EQ(valueText(*stat, c.key), QString::fromUtf8(c.expected)) << c.code;
    }
}

// Selection by a list of values reads the plain numbers; the members whose
// texts are not numbers refuse it.
TEST(SumsTexts, ListSelectionReadsOnlyPlainNumbers)
{
    struct Case {
        const char* code;
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"SUMS", "175", 175}, {"SUME", "12", 12},     {"SUMP", "28", 28},  {"S2T3", "4", 4},
        {"SUMS", "abc", 0},   {"SUM1", "109-241", 0}, {"SUM2", "1", 0},    {"SUMC", "168", 0},
        {"SUMV", "+05", 0},   {"SUMV", "5", 0},       {"SUMT", "1", 0},
    };
    Registry reg;
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        EXPECT_EQ(stat->TryParseValue(QString::fromUtf8(c.text)), c.expected) << c.code << " " << c.text;
    }
}

// ------------------------------------------------------------ graphs

TEST(SumsGraph, DrawAndCombinationGraphValues)
{
    // Sums 150, 175, 168, drawn in no particular order.
    Registry reg({makeDraw(50, {40, 7, 23, 61, 19}), makeDraw(51, {2, 65, 40, 30, 38}),
                  makeDraw(52, {3, 5, 61, 67, 32})});
    ASSERT_EQ(reg.draws[0].sum(), 150);
    ASSERT_EQ(reg.draws[1].sum(), 175);
    ASSERT_EQ(reg.draws[2].sum(), 168);
    struct Case {
        const char* code;
        int index;
        int expected;
    };
    const Case cases[] = {
        {"SUMS", 0, 150}, {"SUMS", 1, 175}, {"SUMS", 3, 0},   {"SUM1", 0, 1},    {"SUM2", 0, 1},   {"SUM3", 1, 1},
        {"SUME", 0, 40},  {"SUME", 1, 110}, {"SUMP", 0, 110}, {"SUMP", 2, 136},   {"S2T3", 0, 0},
        {"S2T3", 1, 1},   // 2 + 38 = 40
        {"SUMC", 0, 150}, // the zero draw before the archive
        {"SUMC", 1, 25},  {"SUMC", 2, -7},  {"SUMC", 3, -168}, {"SUMT", 0, 1},   {"SUMT", 1, 1},
        {"SUMT", 2, -1},  {"SUMT", 3, -1},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        auto* graph = dynamic_cast<TCustomGraphStat*>(stat.get());
        ASSERT_NE(graph, nullptr) << c.code;
        for (bool sorted : {false, true})
            EXPECT_EQ(graph->DrawGraphValue(c.index, 2, sorted), c.expected) << c.code << " at " << c.index;
    }
    // Combinations against the draw before the index they are put at.
    const std::unique_ptr<TCustomStat> sumc = reg.create("SUMC");
    const std::unique_ptr<TCustomStat> sumt = reg.create("SUMT");
    const uint8_t nums[kMainCount] = {10, 20, 30, 40, 50};
    EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*sumc).CombGraphValue(nums, 3, 2, false), 150 - 168);
    EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*sumc).CombGraphValue(nums, 1, 2, false), 0);
    EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*sumt).CombGraphValue(nums, 1, 2, false), 0);
    EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*sumt).CombGraphValue(nums, 2, 2, false), -1);
}

// ------------------------------------------------------------ registry

TEST(SumsRegistry, RegisterAllListsTheFamilyInOrder)
{
    struct Case {
        const char* code;
        const char* className;
        const char* title;
        const char* flags;  // FullFlags letters
        bool listSelectable;
        int param;
    };
    const Case cases[] = {
        {"SUMS", "TstSumValues", "Сумма тиража: все значения", "NG", true, 0},
        {"SUM1", "TstSumRanges", "Сумма тиража: диапазон 1 (1/3)", "NG", false, 1},
        {"SUM2", "TstSumRanges", "Сумма тиража: диапазон 2 (1/2)", "NG", false, 2},
        {"SUM3", "TstSumRanges", "Сумма тиража: диапазон 3 (2/3)", "NG", false, 3},
        {"SUMC", "TstSumChange", "Сумма тиража: изменения (точно)", "DG", false, 0},
        {"SUMV", "TstSumChangeSome", "Сумма тиража: изменения (диапазон)", "D", false, 0},
        {"SUMT", "TstSumTrend", "Сумма тиража: направление изменения", "DG", false, 0},
        {"SUME", "TstSumEvenValues", "Сумма тиража: только четные", "NG", true, 0},
        {"SUMP", "TstSumPrimeValues", "Сумма тиража: только простые", "NG", true, 0},
        {"S2T3", "TstSum2To3", "Сумма двух чисел тиража равна третьему числу", "NG", true, 0},
    };
    Registry reg;
    const int first = reg.index("SUMS");
    ASSERT_GE(first, 0);
    // Right after the numbers family's masks.
    EXPECT_EQ(reg.list.ItemCode(first - 1), QStringLiteral("PRMV"));
    ASSERT_LE(first + static_cast<int>(std::size(cases)), reg.list.Count());
    for (int k = 0; k < static_cast<int>(std::size(cases)); ++k) {
        const Case& c = cases[k];
        SCOPED_TRACE(c.code);
        const int i = first + k;
        const TStatMethod& m = reg.list.Items(i);
        EXPECT_EQ(reg.list.ItemCode(i), QString::fromUtf8(c.code));
        EXPECT_STREQ(m.StatClass->className, c.className);
        EXPECT_EQ(m.Param, c.param);
        EXPECT_EQ(m.StatClass->group, 1);
        EXPECT_EQ(reg.list.DisplayTitle(i), QString::fromUtf8(c.title));
        EXPECT_EQ(statFlagLetters(m.StatClass->fullFlags()), QString::fromUtf8(c.flags));
        // Each band has its own help topic.
        EXPECT_EQ(m.StatClass->helpCode(m.Param), QString::fromUtf8(c.code));
        EXPECT_EQ(m.StatClass->valueListSelectable, c.listSelectable);
        EXPECT_EQ(reg.list.HasNorm(i), QString::fromUtf8(c.flags).contains(u'N'));
        EXPECT_EQ(reg.list.HasGraph(i), QString::fromUtf8(c.flags).contains(u'G'));
        const std::unique_ptr<TCustomStat> stat = reg.list.CreateStat(i);
        ASSERT_TRUE(stat);
        EXPECT_EQ(stat->Param, c.param);
        EXPECT_EQ(dynamic_cast<TCustomGraphStat*>(stat.get()) != nullptr, reg.list.HasGraph(i));
        EXPECT_EQ(stat->GetTitle(), QString::fromUtf8(c.title));
    }
    EXPECT_EQ(TstSumRanges::Class.paramRange(TConfigData{}), std::make_pair(1, 3));
    EXPECT_EQ(reg.list.DisplayName(first + 2, true), QStringLiteral("{ sum } Сумма тиража: диапазон 2 (1/2) [ NG ]"));
    EXPECT_EQ(reg.list.DisplayName(first + 5, true), QStringLiteral("{ sum } Сумма тиража: изменения (диапазон) [ D ]"));
}

// The second draw is loaded only for the members that compare draws.
TEST(SumsRegistry, OnlyComparingMembersLoadTheSecondDraw)
{
    Registry reg(drawsWithSums({150, 175}));
    for (const char* code : {"SUMS", "SUM1", "SUMC", "SUMV", "SUMT", "SUME", "SUMP", "S2T3"}) {
        const std::unique_ptr<TCustomStat> stat = reg.create(code);
        ASSERT_TRUE(stat);
        stat->LoadDraws(0, 1, false);
        EXPECT_EQ(stat->CurDraw.number, 100) << code;
        const bool compares = (stat->classInfo().flags & kFlagSecond) != 0;
        EXPECT_EQ(compares, std::string(code) == "SUMC" || std::string(code) == "SUMV" || std::string(code) == "SUMT")
            << code;
        EXPECT_EQ(stat->SecondDraw.number, compares ? 101 : 0) << code;
    }
}
