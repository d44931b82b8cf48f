// The differences family: the values of draws and combinations, the tables
// of one window and their gap ranges, the value texts, the graph values, the
// registry entries and the tables over the sample archive.
#include <gtest/gtest.h>

#include <QString>

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "stats/FamilyTestSupport.h"
#include "stats/families/Differences.h"

using namespace zircon;
using namespace zircon::test;

namespace {

// How many key parts (K1, K2, ...) a member's values use; the others stay 0.
int usedParts(const std::string& code)
{
    if (code == "DIFO")
        return 2;
    if (code.rfind("KDS", 0) == 0)
        return code[3] - '0';
    return 1;
}

}  // namespace

// ------------------------------------------------------------ values

TEST(DifferencesValues, ValuesOfFiveNumbersInMergeOrder)
{
    struct Case {
        std::array<uint8_t, kMainCount> nums;
        const char* code;
        std::vector<const char*> expected;
    };
    const Case cases[] = {
        // 1 2 3 4 5: every difference is 1.
        {{1, 2, 3, 4, 5}, "DIFA", {"1", "1", "1", "1"}},
        {{1, 2, 3, 4, 5}, "DIFM", {"1"}},
        {{1, 2, 3, 4, 5}, "DIFD", {"4"}},
        {{1, 2, 3, 4, 5}, "DIFO", {"1 x 4"}},
        {{1, 2, 3, 4, 5}, "DIFK", {"4"}},
        {{1, 2, 3, 4, 5}, "KDS2", {"1:1", "1:1", "1:1"}},
        {{1, 2, 3, 4, 5}, "KDS3", {"1:1:1", "1:1:1"}},
        {{1, 2, 3, 4, 5}, "KDS4", {"1:1:1:1"}},
        // Drawn order 40 7 23 61 2: 33, 16, 38, 59.
        {{40, 7, 23, 61, 2}, "DIFA", {"33", "16", "38", "59"}},
        {{40, 7, 23, 61, 2}, "DIFM", {"59"}},
        {{40, 7, 23, 61, 2}, "DIFD", {"59"}},
        {{40, 7, 23, 61, 2}, "DIFO", {"33 x 1", "16 x 1", "38 x 1", "59 x 1"}},
        {{40, 7, 23, 61, 2}, "DIFK", {"1"}},
        {{40, 7, 23, 61, 2}, "KDS2", {"33:16", "16:38", "38:59"}},
        // Ascending 2 7 23 40 61: 5, 16, 17, 21.
        {{2, 7, 23, 40, 61}, "DIFA", {"5", "16", "17", "21"}},
        {{2, 7, 23, 40, 61}, "DIFM", {"21"}},
        {{2, 7, 23, 40, 61}, "DIFD", {"59"}},
        {{2, 7, 23, 40, 61}, "KDS3", {"5:16:17", "16:17:21"}},
        // 3, 7, 3, 12: keys in order of first appearance.
        {{1, 4, 11, 14, 26}, "DIFO", {"3 x 2", "7 x 1", "12 x 1"}},
        {{1, 4, 11, 14, 26}, "DIFK", {"2"}},
        {{1, 4, 11, 14, 26}, "DIFM", {"12"}},
        {{1, 4, 11, 14, 26}, "KDS2", {"3:7", "7:3", "3:12"}},
        {{1, 4, 11, 14, 26}, "KDS3", {"3:7:3", "7:3:12"}},
        {{1, 4, 11, 14, 26}, "KDS4", {"3:7:3:12"}},
        // 3, 7, 3, 7: the first run comes back as the third.
        {{1, 4, 11, 14, 21}, "DIFO", {"3 x 2", "7 x 2"}},
        {{1, 4, 11, 14, 21}, "DIFK", {"2"}},
        {{1, 4, 11, 14, 21}, "KDS2", {"3:7", "7:3", "3:7"}},
        // 3, 3, 3, 10 and 10, 3, 3, 3.
        {{1, 4, 7, 10, 20}, "DIFO", {"3 x 3", "10 x 1"}},
        {{1, 4, 7, 10, 20}, "DIFK", {"3"}},
        {{20, 30, 33, 36, 39}, "DIFO", {"10 x 1", "3 x 3"}},
        {{20, 30, 33, 36, 39}, "DIFK", {"3"}},
        // 5, 8, 5, 8 around a centre: two pairs.
        {{10, 15, 23, 28, 36}, "DIFO", {"5 x 2", "8 x 2"}},
        {{10, 15, 23, 28, 36}, "DIFK", {"2"}},
        // Damaged combinations from a file: differences up to 255 and 0.
        {{200, 3, 255, 0, 9}, "DIFA", {"197", "252", "255", "9"}},
        {{200, 3, 255, 0, 9}, "DIFM", {"255"}},
        {{200, 3, 255, 0, 9}, "DIFD", {"255"}},
        {{200, 3, 255, 0, 9}, "KDS4", {"197:252:255:9"}},
        {{0, 0, 0, 0, 0}, "DIFA", {"0", "0", "0", "0"}},
        {{0, 0, 0, 0, 0}, "DIFO", {"0 x 4"}},
        {{0, 0, 0, 0, 0}, "DIFK", {"4"}},
        {{0, 0, 0, 0, 0}, "DIFD", {"0"}},
        {{0, 0, 0, 0, 0}, "KDS3", {"0:0:0", "0:0:0"}},
        {{7, 7, 70, 7, 7}, "DIFO", {"0 x 2", "63 x 2"}},
    };
    Registry reg;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + " of " + std::to_string(c.nums[0]) + " " + std::to_string(c.nums[1])
                     + " " + std::to_string(c.nums[2]) + " " + std::to_string(c.nums[3]) + " "
                     + std::to_string(c.nums[4]));
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        KeyList keys;
        stat->CombKeys(c.nums.data(), keys);
        std::vector<QString> got;
        for (TStatKey k : keys) {
            got.push_back(valueText(*stat, k));
            for (int part = usedParts(c.code) + 1; part <= 4; ++part)
                EXPECT_EQ(k.K(part), 0) << "part K" << part << " of " << valueText(*stat, k).toStdString();
        }
        EXPECT_EQ(got, qstrings(c.expected));
    }
}

// The prefetch path merges the same values, each with Count 1.
TEST(DifferencesValues, CombinationValuesAreMergedOncePerValue)
{
    struct Case {
        const char* code;
        std::array<uint8_t, kMainCount> nums;
        std::vector<std::pair<const char*, int>> rows;  // text, Count
    };
    const Case cases[] = {
        {"DIFA", {1, 2, 3, 4, 5}, {{"1", 4}}},
        {"DIFA", {1, 4, 11, 14, 26}, {{"3", 2}, {"7", 1}, {"12", 1}}},
        {"DIFO", {1, 4, 11, 14, 26}, {{"3 x 2", 1}, {"7 x 1", 1}, {"12 x 1", 1}}},
        {"DIFK", {1, 2, 3, 4, 5}, {{"4", 1}}},
        {"DIFD", {40, 7, 23, 61, 2}, {{"59", 1}}},
        {"KDS2", {1, 4, 11, 14, 21}, {{"3:7", 2}, {"7:3", 1}}},
    };
    Registry reg;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        TStatDrawArray items;
        stat->AddCombValues(TComb{c.nums}, items);
        ASSERT_EQ(items.size(), static_cast<int>(c.rows.size()));
        for (int i = 0; i < items.size(); ++i) {
            EXPECT_EQ(stat->ValueText(items[i]), QString::fromUtf8(c.rows[static_cast<size_t>(i)].first));
            EXPECT_EQ(items[i].Count, c.rows[static_cast<size_t>(i)].second);
            EXPECT_EQ(items[i].Depth, 0);
            EXPECT_EQ(items[i].LastDraw, 0);
            EXPECT_EQ(items[i].PeriodMin, 0);
        }
    }
}

// ------------------------------------------------------------ one window

TEST(DifferencesWindow, PreSeededValuesBeforeAnyDraw)
{
    struct Case {
        const char* code;
        int rows;
        int first;
        int last;
    };
    const Case cases[] = {
        {"DIFA", 68, 1, 68}, {"DIFM", 68, 1, 68}, {"DIFD", 68, 1, 68}, {"DIFO", 0, 0, 0},
        {"DIFK", 4, 1, 4},   {"KDS2", 0, 0, 0},   {"KDS3", 0, 0, 0},   {"KDS4", 0, 0, 0},
    };
    Registry reg;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        TStatDrawArray items;
        stat->BeginStat(-1, items);
        ASSERT_EQ(items.size(), c.rows);
        for (int i = 0; i < items.size(); ++i) {
            EXPECT_EQ(items[i].Key, TStatKey::k1(static_cast<uint16_t>(c.first + i)));
            EXPECT_EQ(items[i].Count, 0);
            EXPECT_EQ(items[i].Depth, 0);
        }
        if (c.rows > 0) {
            EXPECT_EQ(items[c.rows - 1].Key.K(1), c.last);
        }
    }
}

// A table over a few draws: the occurring rows in table order, with their
// counts, depths and gap ranges. DIFA and KDS widen a row's gap range only
// through the first value of each draw, while every value moves the row's
// previous draw; DIFO widens it through every value.
TEST(DifferencesWindow, WorkedExamples)
{
    struct Case {
        const char* name;
        const char* code;
        std::vector<TDraw> draws;
        bool sorted;
        int rows;
        std::vector<WindowRow> occurring;
    };
    // Differences: #100 1,1,1,1; #103 2,1,2,5; #107 1,2,7,1; #110 2,1,7,2.
    const std::vector<TDraw> gaps = {makeDraw(100, {1, 2, 3, 4, 5}), makeDraw(103, {10, 12, 13, 15, 20}),
                                     makeDraw(107, {30, 31, 33, 40, 41}), makeDraw(110, {50, 52, 53, 60, 62})};
    // Differences: #10 3,7,3,7; #12 7,3,5,1; #15 3,7,3,12.
    const std::vector<TDraw> runs = {makeDraw(10, {1, 4, 11, 14, 21}), makeDraw(12, {30, 37, 40, 45, 46}),
                                     makeDraw(15, {1, 4, 11, 14, 26})};
    const Case cases[] = {
        {"drawn order", "DIFA", {makeDraw(5, {40, 7, 23, 61, 2})}, false, 68,
         {{"16", 1, 1, 5}, {"33", 1, 1, 5}, {"38", 1, 1, 5}, {"59", 1, 1, 5}}},
        {"sorted", "DIFA", {makeDraw(5, {40, 7, 23, 61, 2})}, true, 68,
         {{"5", 1, 1, 5}, {"16", 1, 1, 5}, {"17", 1, 1, 5}, {"21", 1, 1, 5}}},
        {"one draw of 1 2 3 4 5", "DIFA", {makeDraw(5, {1, 2, 3, 4, 5})}, false, 68, {{"1", 4, 1, 5}}},
        // Value 1: the gap 103 -> 107 is seen although draw 103 had it at
        // its second position only; repeats inside a draw add no gap. Value 7
        // never came first in a draw, so it has no gap at all.
        {"gaps through the first value", "DIFA", gaps, false, 68,
         {{"1", 8, 1, 110, 4, 4}, {"2", 5, 1, 110, 3, 3}, {"5", 1, 3, 103}, {"7", 2, 1, 110}}},
        {"every draw's largest", "DIFM", gaps, false, 68,
         {{"1", 1, 4, 100}, {"5", 1, 3, 103}, {"7", 2, 1, 110, 3, 3}}},
        {"spread", "DIFD", gaps, false, 68, {{"4", 1, 4, 100}, {"10", 1, 3, 103}, {"11", 1, 2, 107}, {"12", 1, 1, 110}}},
        {"largest multiplicity", "DIFK", gaps, false, 4,
         {{"2", 3, 1, 110, 3, 4}, {"4", 1, 4, 100}}},
        // DIFO merges every (difference, multiplicity) with periods on.
        {"same differences", "DIFO", gaps, false, 7,
         {{"1 x 4", 1, 4, 100}, {"2 x 2", 2, 1, 110, 7, 7}, {"1 x 1", 2, 1, 110, 7, 7}, {"5 x 1", 1, 3, 103},
          {"1 x 2", 1, 2, 107}, {"2 x 1", 1, 2, 107}, {"7 x 1", 2, 1, 110, 3, 3}}},
        // A repeated run adds to its row's Count.
        {"repeated runs", "KDS2", {makeDraw(3, {1, 4, 7, 10, 13})}, false, 1, {{"3:3", 3, 1, 3}}},
        // 3:7 first at #10 and #15: gap 5; 7:3 second at #10, first at #12:
        // gap 2; 3:7 third at #10 moves nothing but the count.
        {"runs of two", "KDS2", runs, false, 5,
         {{"3:7", 3, 1, 15, 5, 5}, {"7:3", 3, 1, 15, 2, 2}, {"3:5", 1, 2, 12}, {"5:1", 1, 2, 12},
          {"3:12", 1, 1, 15}}},
        {"runs of three", "KDS3", runs, false, 5,
         {{"3:7:3", 2, 1, 15, 5, 5}, {"7:3:7", 1, 3, 10}, {"7:3:5", 1, 2, 12}, {"3:5:1", 1, 2, 12},
          {"7:3:12", 1, 1, 15}}},
        {"one run of four per draw", "KDS4", runs, false, 3,
         {{"3:7:3:7", 1, 3, 10}, {"7:3:5:1", 1, 2, 12}, {"3:7:3:12", 1, 1, 15}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + ": " + c.name);
        Registry reg(c.draws);
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        const TStatDrawArray items = computeWindow(*stat, static_cast<int>(c.draws.size()), c.sorted);
        ASSERT_EQ(items.size(), c.rows);
        expectOccurringRows(*stat, items, c.occurring, {.emptyRowsHaveNoLastDraw = false});
    }
}

TEST(DifferencesWindow, FindNextDrawFollowsEveryValueOfADraw)
{
    Registry reg({makeDraw(100, {1, 2, 3, 4, 5}), makeDraw(101, {10, 20, 23, 30, 31}),
                  makeDraw(102, {3, 11, 12, 13, 14})});
    struct Case {
        const char* code;
        TStatKey key;
        int from;
        int expected;
    };
    const Case cases[] = {
        {"DIFA", TStatKey::k1(3), 0, 101},        // third difference of #101
        {"DIFA", TStatKey::k1(1), 1, 101},        // its last difference
        {"DIFA", TStatKey::k1(8), 0, 102},        // the first of #102
        {"DIFA", TStatKey::k1(2), 0, -1},
        {"DIFO", TStatKey::k4(1, 3, 0, 0), 0, 102},
        {"DIFO", TStatKey::k4(1, 4, 0, 0), 1, -1},
        {"KDS2", TStatKey::k4(3, 7, 0, 0), 0, 101},
        {"KDS2", TStatKey::k4(7, 3, 0, 0), 0, -1},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        TStatDrawItem item;
        item.Key = c.key;
        EXPECT_EQ(stat->FindNextDraw(item, c.from, 0, false), c.expected) << c.code << " from " << c.from;
    }
}

// ------------------------------------------------------------ texts

TEST(DifferencesTexts, ValueTextsAndTheirParsing)
{
    struct Case {
        const char* code;
        TStatKey key;
        const char* text;
        int parsed;  // TryParseValue of the text
    };
    const Case cases[] = {
        {"DIFA", TStatKey::k1(15), "15", 15},
        {"DIFM", TStatKey::k1(59), "59", 59},
        {"DIFD", TStatKey::k1(4), "4", 4},
        {"DIFK", TStatKey::k1(3), "3", 3},
        // No selection by a list of values for these.
        {"DIFO", TStatKey::k4(3, 2, 0, 0), "3 x 2", 0},
        {"DIFO", TStatKey::k4(12, 1, 0, 0), "12 x 1", 0},
        {"KDS2", TStatKey::k4(3, 7, 0, 0), "3:7", 0},
        {"KDS3", TStatKey::k4(3, 7, 3, 0), "3:7:3", 0},
        {"KDS4", TStatKey::k4(33, 16, 38, 59), "33:16:38:59", 0},
        {"KDS4", TStatKey::k4(0, 0, 0, 0), "0:0:0:0", 0},
    };
    Registry reg;
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        const QString text = valueText(*stat, c.key);
        EXPECT_EQ(text, QString::fromUtf8(c.text)) << c.code;
        EXPECT_EQ(stat->TryParseValue(text), c.parsed) << c.code << " " << c.text;
    }
}

// ------------------------------------------------------------ graphs

TEST(DifferencesGraph, DrawAndCombinationGraphValues)
{
    Registry reg({makeDraw(50, {40, 7, 23, 61, 2}), makeDraw(51, {1, 4, 11, 14, 26})});
    struct Case {
        const char* code;
        int index;
        bool sorted;
        int expected;
    };
    const Case cases[] = {
        {"DIFM", 0, false, 59}, {"DIFM", 0, true, 21}, {"DIFM", 1, false, 12},
        {"DIFD", 0, false, 59}, {"DIFD", 0, true, 59}, {"DIFD", 1, false, 25},
        {"DIFK", 0, false, 1},  {"DIFK", 1, false, 2}, {"DIFK", 1, true, 2},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        auto* graph = dynamic_cast<TCustomGraphStat*>(stat.get());
        ASSERT_NE(graph, nullptr) << c.code;
        EXPECT_EQ(graph->DrawGraphValue(c.index, 1, c.sorted), c.expected)
            << c.code << " at " << c.index << (c.sorted ? " sorted" : "");
    }
    const std::unique_ptr<TCustomStat> difk = reg.create("DIFK");
    const uint8_t fourEqual[kMainCount] = {3, 8, 13, 18, 23};
    EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*difk).CombGraphValue(fourEqual, -1, 1, false), 4);
}

// ------------------------------------------------------------ registry

TEST(DifferencesRegistry, RegisterAllListsTheFamily)
{
    struct Case {
        const char* code;
        const char* className;
        const char* title;
        const char* flags;  // FullFlags letters
        bool valueList;
    };
    const Case cases[] = {
        {"DIFA", "TstDiffTotal", "Все разности между соседними позициями", "SN", true},
        {"DIFM", "TstDiffMax", "Максимальная разность между соседними позициями", "SNG", true},
        {"DIFD", "TstMinMaxDiffs", "Разность между минимальным и максимальным числом", "NG", true},
        {"DIFO", "TstDiffSame", "Одинаковые разности между соседними позициями", "SN", false},
        {"DIFK", "TstDiffSameCnt", "Количество одинаковых разностей между соседними позициями", "SNG", true},
        {"KDS2", "TstCombDiffSeq2", "Сочетания из 2 разностей между числами", "S", false},
        {"KDS3", "TstCombDiffSeq3", "Сочетания из 3 разностей между числами", "S", false},
        {"KDS4", "TstCombDiffSeq4", "Сочетания из 4 разностей между числами", "S", false},
    };
    Registry reg;
    std::vector<int> at;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const int i = reg.list.FindCode(QString::fromUtf8(c.code));
        ASSERT_GE(i, 0);
        at.push_back(i);
        const TStatMethod& m = reg.list.Items(i);
        EXPECT_EQ(reg.list.ItemCode(i), QString::fromUtf8(c.code));
        EXPECT_STREQ(m.StatClass->className, c.className);
        EXPECT_EQ(m.Param, 0);
        EXPECT_FALSE(m.StatClass->hasParam());
        EXPECT_EQ(m.StatClass->group, 2);
        EXPECT_EQ(reg.list.DisplayTitle(i), QString::fromUtf8(c.title));
        EXPECT_EQ(statFlagLetters(m.StatClass->fullFlags()), QString::fromUtf8(c.flags));
        EXPECT_EQ(m.StatClass->helpCode(m.Param), QString::fromUtf8(c.code));
        EXPECT_EQ(m.StatClass->valueListSelectable, c.valueList);
        EXPECT_EQ(reg.list.HasNorm(i), QString::fromUtf8(c.flags).contains(u'N'));
        const std::unique_ptr<TCustomStat> stat = reg.list.CreateStat(i);
        ASSERT_TRUE(stat);
        EXPECT_EQ(&stat->classInfo(), m.StatClass);
        EXPECT_EQ(dynamic_cast<TCustomGraphStat*>(stat.get()) != nullptr, reg.list.HasGraph(i));
    }
    // DIFA .. DIFK in a row and KDS2 .. KDS4 in a row, before the positions.
    ASSERT_EQ(at.size(), 8u);
    for (size_t k = 1; k < at.size(); ++k)
        if (k != 5) {
            EXPECT_EQ(at[k], at[k - 1] + 1) << cases[k].code;
        }
    EXPECT_LT(at[4], at[5]);
    EXPECT_LT(at[7], reg.list.FindCode(QStringLiteral("POS1")));
    EXPECT_LT(reg.list.FindCode(QStringLiteral("NUMS")), at[0]);
    ASSERT_GE(at[0], 1);
    EXPECT_LE(reg.list.Items(at[0] - 1).StatClass->group, 1) << "DIFA follows the sums";

    reg.list.ShowGroupName = true;
    reg.list.ShowMethodFlags = true;
    EXPECT_EQ(reg.list.DisplayName(at[1], true),
              QStringLiteral("{ dif } Максимальная разность между соседними позициями [ SNG ]"));
    EXPECT_EQ(reg.list.DisplayName(at[6], true), QStringLiteral("{ dif } Сочетания из 3 разностей между числами [ S ]"));
}

// ------------------------------------------------------------ the sample archive

// Whole-window facts over every draw of the sample archive: how many values
// each draw gives, that a draw's distinct numbers never give a difference 0,
// and that only DIFD ignores the order of the numbers.
TEST(DifferencesArchive, TablesOverTheSampleArchive)
{
    const int count = static_cast<int>(fixtureDraws().size());
    ASSERT_GT(count, 100);
    Registry reg(fixtureDraws());
    const int64_t draws = count;
    struct Case {
        const char* code;
        int64_t perDraw;  // values each draw adds to the total Count
    };
    const Case cases[] = {{"DIFA", 4}, {"DIFM", 1}, {"DIFD", 1}, {"DIFK", 1},
                          {"KDS2", 3}, {"KDS3", 2}, {"KDS4", 1}};
    for (const Case& c : cases)
        for (bool sorted : {false, true}) {
            SCOPED_TRACE(std::string(c.code) + (sorted ? " sorted" : " unsorted"));
            const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
            ASSERT_TRUE(stat);
            const TStatDrawArray items = computeWindow(*stat, count, sorted);
            EXPECT_EQ(items.SummarizeItems().total, c.perDraw * draws);
            for (const TStatDrawItem& it : items) {
                EXPECT_NE(it.Key.K(1), 0) << stat->ValueText(it).toStdString();
                EXPECT_LE(it.Key.K(1), 68) << stat->ValueText(it).toStdString();
                if (it.Count > 0) {
                    EXPECT_GE(it.Depth, 1);
                    EXPECT_LE(it.Depth, count);
                }
            }
        }

    // DIFO: a draw's multiplicities add up to its four differences.
    const std::unique_ptr<TCustomStat> difo = reg.create("DIFO");
    int64_t weighted = 0;
    for (const TStatDrawItem& it : computeWindow(*difo, count, false))
        weighted += int64_t{it.Key.K(2)} * it.Count;
    EXPECT_EQ(weighted, 4 * draws);

    auto countsOf = [&](const char* code, bool sorted) {
        const std::unique_ptr<TCustomStat> stat = reg.create(code);
        std::vector<std::pair<uint64_t, int>> out;
        for (const TStatDrawItem& it : computeWindow(*stat, count, sorted))
            out.emplace_back(it.Key.raw, it.Count);
        return out;
    };
    EXPECT_EQ(countsOf("DIFD", false), countsOf("DIFD", true));
    EXPECT_NE(countsOf("DIFA", false), countsOf("DIFA", true));
    EXPECT_NE(countsOf("DIFM", false), countsOf("DIFM", true));
}
