// The numbers family: the values of draws and combinations, the table of one
// window, the value texts and their parsing, the graph values and the
// registry entries.
#include <gtest/gtest.h>

#include <QString>

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "stats/FamilyTestSupport.h"
#include "stats/families/Numbers.h"

using namespace zircon;
using namespace zircon::test;

namespace {

TComb makeComb(std::array<uint8_t, kMainCount> nums)
{
    return TComb{nums};
}

}  // namespace

// ------------------------------------------------------------ one window

TEST(NumbersWindow, WorkedExamples)
{
    struct Case {
        const char* code;
        std::vector<TDraw> draws;
        bool sorted;
        int rows;                          // every row, pre-seeded ones included
        std::vector<WindowRow> occurring;  // the rows with Count > 0, in table order
        std::vector<const char*> allTexts; // when given: every row's text in table order
    };
    const Case cases[] = {
        // The five drawn numbers once, the other 64 listed with nothing.
        {"NUMS", {makeDraw(100, {3, 14, 15, 26, 60}, 7)}, false, 69,
         {{"3", 1, 1, 100}, {"14", 1, 1, 100}, {"15", 1, 1, 100}, {"26", 1, 1, 100}, {"60", 1, 1, 100}}, {}},
        // Draws 100 and 103: the number in both is nearest in the newer one
        // and has the gap 3; the others keep their own draw and depth.
        {"NUMS", {makeDraw(100, {1, 2, 3, 4, 5}), makeDraw(103, {1, 6, 7, 8, 9})}, false, 69,
         {{"1", 2, 1, 103, 3, 3}, {"2", 1, 2, 100}, {"3", 1, 2, 100}, {"4", 1, 2, 100}, {"5", 1, 2, 100},
          {"6", 1, 1, 103}, {"7", 1, 1, 103}, {"8", 1, 1, 103}, {"9", 1, 1, 103}},
         {}},
        // No even number: the value 0 is not pre-seeded, so it comes last.
        {"EVEN", {makeDraw(5, {1, 3, 5, 7, 9})}, false, 6, {{"0:5", 1, 1, 5}},
         {"1:4", "2:3", "3:2", "4:1", "5:0", "0:5"}},
        {"EVEN", {makeDraw(5, {2, 4, 6, 8, 9})}, false, 5, {{"4:1", 1, 1, 5}}, {"1:4", "2:3", "3:2", "4:1", "5:0"}},
        // 1 counts as prime.
        {"PRIM", {makeDraw(6, {1, 4, 6, 8, 10})}, false, 5, {{"1:4", 1, 1, 6}}, {}},
        {"SMAL", {makeDraw(6, {34, 35, 1, 69, 20})}, false, 5, {{"3:2", 1, 1, 6}}, {}},
        // Masks follow positions: the drawn order unless sorted.
        {"EVNV", {makeDraw(7, {2, 3, 4, 5, 6})}, false, 32, {{"ЧнЧнЧ (010)", 1, 1, 7}}, {}},
        {"EVNV", {makeDraw(7, {2, 3, 4, 5, 6})}, true, 32, {{"ЧнЧнЧ (010)", 1, 1, 7}}, {}},
        {"EVNV", {makeDraw(7, {3, 2, 4, 5, 6})}, false, 32, {{"нЧЧнЧ (018)", 1, 1, 7}}, {}},
        {"EVNV", {makeDraw(7, {3, 2, 4, 5, 6})}, true, 32, {{"ЧнЧнЧ (010)", 1, 1, 7}}, {}},
        // SMLV lists only the masks that occurred.
        {"SMLV", {makeDraw(8, {34, 35, 1, 69, 20})}, false, 1, {{"12121 (010)", 1, 1, 8}}, {"12121 (010)"}},
        {"SMLV", {makeDraw(8, {34, 35, 1, 69, 20})}, true, 1, {{"11122 (003)", 1, 1, 8}}, {"11122 (003)"}},
        // 2, 3 and 5 are prime: 11010.
        {"PRMV", {makeDraw(9, {2, 3, 4, 5, 6})}, false, 32, {{"ППСПС (026)", 1, 1, 9}}, {}},
        // Sorted, position 1 is the smallest number; unsorted, the first drawn.
        {"POS2", {makeDraw(10, {40, 7, 23, 61, 2})}, true, 69, {{"7", 1, 1, 10}}, {}},
        {"POS1", {makeDraw(10, {40, 7, 23, 61, 2})}, true, 69, {{"2", 1, 1, 10}}, {}},
        {"POS1", {makeDraw(10, {40, 7, 23, 61, 2})}, false, 69, {{"40", 1, 1, 10}}, {}},
        {"POS5", {makeDraw(10, {40, 7, 23, 61, 2})}, true, 69, {{"61", 1, 1, 10}}, {}},
        {"POS5", {makeDraw(10, {40, 7, 23, 61, 2})}, false, 69, {{"2", 1, 1, 10}}, {}},
        // Digits in order of first appearance; 3 and 5 twice.
        {"DIGS", {makeDraw(11, {5, 12, 33, 45, 69})}, false, 7,
         {{"5", 2, 1, 11}, {"1", 1, 1, 11}, {"2", 1, 1, 11}, {"3", 2, 1, 11}, {"4", 1, 1, 11}, {"6", 1, 1, 11},
          {"9", 1, 1, 11}},
         {"5", "1", "2", "3", "4", "6", "9"}},
        // The extra number, not the main ones.
        {"POE1", {makeDraw(12, {1, 2, 3, 4, 5}, 17)}, false, 1, {{"17", 1, 1, 12}}, {"17"}},
        {"POE1", {makeDraw(12, {1, 2, 3, 4, 5}, 17), makeDraw(14, {6, 7, 8, 9, 10}, 17)}, false, 1,
         {{"17", 2, 1, 14, 2, 2}}, {"17"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + (c.sorted ? " sorted" : " unsorted") + ", first draw "
                     + std::to_string(c.draws.front().number));
        Registry reg(c.draws);
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        const TStatDrawArray items = computeWindow(*stat, static_cast<int>(c.draws.size()), c.sorted);
        ASSERT_EQ(items.size(), c.rows);
        if (!c.allTexts.empty()) {
            EXPECT_EQ(itemTexts(*stat, items), qstrings(c.allTexts));
        }
        expectOccurringRows(*stat, items, c.occurring, {.onlyK1 = true});
    }
}

TEST(NumbersWindow, PreSeededValuesBeforeAnyDraw)
{
    struct Case {
        const char* code;
        int rows;
        const char* first;
        const char* last;
    };
    const Case cases[] = {
        {"NUMS", 69, "1", "69"},
        {"DIGS", 0, "", ""},
        {"EVEN", 5, "1:4", "5:0"},
        {"EVNV", 32, "ЧЧЧЧЧ (000)", "ннннн (031)"},
        {"SMAL", 5, "1:4", "5:0"},
        {"SMLV", 0, "", ""},
        {"PRIM", 5, "1:4", "5:0"},
        {"PRMV", 32, "ССССС (000)", "ППППП (031)"},
        {"POS1", 69, "1", "69"},
        {"POS4", 69, "1", "69"},
        {"POE1", 0, "", ""},
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
            EXPECT_EQ(it.LastDraw, 0);
        }
        if (c.rows > 0) {
            EXPECT_EQ(stat->ValueText(items[0]), QString::fromUtf8(c.first));
            EXPECT_EQ(stat->ValueText(items[c.rows - 1]), QString::fromUtf8(c.last));
        }
    }
}

// SMLV's BeginStat does nothing at all, not even clearing the value being
// built; the other masks clear it and seed.
TEST(NumbersWindow, SmallValuesBeginStatLeavesEverythingAlone)
{
    Registry reg;
    const std::unique_ptr<TCustomStat> smlv = reg.create("SMLV");
    const std::unique_ptr<TCustomStat> evnv = reg.create("EVNV");
    ASSERT_TRUE(smlv && evnv);
    TStatDrawArray items;
    TStatDrawItem existing;
    existing.Key = TStatKey::l2(5, 0);
    existing.Count = 3;
    items.AddValue(existing, false);

    smlv->Cur.Count = 42;
    smlv->BeginStat(0, items);
    EXPECT_EQ(smlv->Cur.Count, 42);
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0].Count, 3);

    evnv->Cur.Count = 42;
    evnv->BeginStat(0, items);
    EXPECT_EQ(evnv->Cur.Count, 0);
    EXPECT_EQ(items.size(), 32);
}

TEST(NumbersWindow, EmptyArchiveGivesOnlyPreSeededValues)
{
    Registry reg;
    const std::unique_ptr<TCustomStat> nums = reg.create("NUMS");
    ASSERT_TRUE(nums);
    TStatDrawItem three;
    three.Key = TStatKey::k1(3);
    EXPECT_EQ(nums->FindNextDraw(three, 0, -1, false), -1);
    TStatDrawArray items;
    nums->BeginStat(-1, items);
    EXPECT_EQ(items.size(), 69);
}

TEST(NumbersWindow, FindNextDrawFindsTheNextOccurrence)
{
    struct Case {
        const char* code;
        TStatKey key;
        int from;
        int expected;
    };
    Registry reg({makeDraw(100, {1, 2, 3, 4, 5}, 9), makeDraw(101, {6, 7, 8, 9, 10}, 3),
                  makeDraw(102, {3, 11, 12, 13, 14}, 9)});
    const Case cases[] = {
        {"NUMS", TStatKey::k1(3), 1, 102}, {"NUMS", TStatKey::k1(3), 0, 100}, {"NUMS", TStatKey::k1(60), 0, -1},
        {"NUMS", TStatKey::k1(3), 3, -1},  {"POE1", TStatKey::k1(3), 0, 101}, {"POE1", TStatKey::k1(9), 1, 102},
        {"EVEN", TStatKey::k1(3), 0, 101}, {"EVEN", TStatKey::k1(2), 1, 102},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        TStatDrawItem item;
        item.Key = c.key;
        EXPECT_EQ(stat->FindNextDraw(item, c.from, 0, false), c.expected) << c.code << " from " << c.from;
    }
}

// ------------------------------------------------------------ values

TEST(NumbersValues, ValuesOfFiveNumbersInMergeOrder)
{
    struct Case {
        const char* code;
        std::array<uint8_t, kMainCount> nums;
        std::vector<const char*> expected;
    };
    const Case cases[] = {
        {"NUMS", {60, 3, 26, 14, 15}, {"60", "3", "26", "14", "15"}},
        {"DIGS", {5, 12, 33, 45, 69}, {"5", "1", "2", "3", "3", "4", "5", "6", "9"}},
        {"DIGS", {10, 20, 1, 2, 3}, {"1", "0", "2", "0", "1", "2", "3"}},
        {"EVEN", {2, 4, 6, 7, 9}, {"3:2"}},
        {"EVEN", {1, 3, 5, 7, 69}, {"0:5"}},
        {"SMAL", {34, 35, 1, 69, 20}, {"3:2"}},
        {"SMAL", {35, 36, 37, 38, 69}, {"0:5"}},
        {"PRIM", {1, 4, 6, 8, 10}, {"1:4"}},
        {"PRIM", {2, 9, 67, 69, 61}, {"3:2"}},
        {"EVNV", {2, 3, 4, 5, 6}, {"ЧнЧнЧ (010)"}},
        {"EVNV", {3, 2, 4, 5, 6}, {"нЧЧнЧ (018)"}},
        {"SMLV", {34, 35, 1, 69, 20}, {"12121 (010)"}},
        {"PRMV", {1, 9, 15, 21, 67}, {"ПСССП (017)"}},
        {"POS3", {40, 7, 23, 61, 2}, {"23"}},
        {"POE1", {40, 7, 23, 61, 2}, {}},
    };
    Registry reg;
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        EXPECT_EQ(valueTexts(*stat, c.nums), qstrings(c.expected)) << c.code;
    }
}

// The number classes the members count: even, small (1..34), prime with 1.
TEST(NumbersValues, NumberClassesAtTheirBorders)
{
    struct Case {
        uint8_t n;
        bool even, small, prime;
    };
    const Case cases[] = {
        {1, false, true, true},    {2, true, true, true},    {4, true, true, false},  {9, false, true, false},
        {34, true, true, false},   {35, false, false, false}, {37, false, false, true}, {49, false, false, false},
        {61, false, false, true},  {67, false, false, true},  {68, true, false, false}, {69, false, false, false},
    };
    Registry reg;
    const std::unique_ptr<TCustomStat> even = reg.create("EVEN");
    const std::unique_ptr<TCustomStat> small = reg.create("SMAL");
    const std::unique_ptr<TCustomStat> prime = reg.create("PRIM");
    ASSERT_TRUE(even && small && prime);
    for (const Case& c : cases) {
        // Five copies of n: the count is all or nothing.
        const uint8_t nums[kMainCount] = {c.n, c.n, c.n, c.n, c.n};
        KeyList e, s, p;
        even->CombKeys(nums, e);
        small->CombKeys(nums, s);
        prime->CombKeys(nums, p);
        EXPECT_EQ(e.keys[0].K(1), c.even ? 5 : 0) << int(c.n);
        EXPECT_EQ(s.keys[0].K(1), c.small ? 5 : 0) << int(c.n);
        EXPECT_EQ(p.keys[0].K(1), c.prime ? 5 : 0) << int(c.n);
    }
}

TEST(NumbersValues, PrimeCountOfAllNumbersIsTwenty)
{
    Registry reg;
    const std::unique_ptr<TCustomStat> prime = reg.create("PRIM");
    ASSERT_TRUE(prime);
    int primes = 0;
    for (uint8_t n = 1; n <= kMainMax; ++n) {
        const uint8_t nums[kMainCount] = {n, 4, 4, 4, 4};
        KeyList k;
        prime->CombKeys(nums, k);
        primes += k.keys[0].K(1);
    }
    // 1 and the 19 primes below 70.
    EXPECT_EQ(primes, 20);
}

TEST(NumbersValues, CombinationValuesForTheFullSetCount)
{
    Registry reg;
    const std::unique_ptr<TCustomStat> prim = reg.create("PRIM");
    const std::unique_ptr<TCustomStat> nums = reg.create("NUMS");
    const std::unique_ptr<TCustomStat> poe = reg.create("POE1");
    ASSERT_TRUE(prim && nums && poe);

    TStatDrawArray items;
    prim->AddCombValues(makeComb({1, 4, 6, 8, 10}), items);
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(prim->ValueText(items[0]), QStringLiteral("1:4"));
    EXPECT_EQ(items[0].Count, 1);
    EXPECT_EQ(items[0].Depth, 0);
    EXPECT_EQ(items[0].LastDraw, 0);

    TStatDrawArray numItems;
    nums->AddCombValues(makeComb({1, 2, 3, 4, 5}), numItems);
    nums->AddCombValues(makeComb({1, 6, 7, 8, 9}), numItems);
    ASSERT_EQ(numItems.size(), 9);
    EXPECT_EQ(numItems[numItems.find(TStatKey::k1(1))].Count, 2);
    EXPECT_EQ(numItems[numItems.find(TStatKey::k1(9))].Count, 1);

    // Combinations carry no extra number.
    TStatDrawArray poeItems;
    poe->AddCombValues(makeComb({1, 2, 3, 4, 5}), poeItems);
    EXPECT_TRUE(poeItems.empty());
}

// ------------------------------------------------------------ texts

TEST(NumbersTexts, RatioTextsAndTheirParsing)
{
    Registry reg;
    for (const char* code : {"EVEN", "SMAL", "PRIM"}) {
        const std::unique_ptr<TCustomStat> stat = reg.create(code);
        ASSERT_TRUE(stat);
        for (int c = 0; c <= kMainCount; ++c) {
            TStatDrawItem it;
            it.Key = TStatKey::k1(static_cast<uint16_t>(c));
            const QString text = stat->ValueText(it);
            EXPECT_EQ(text, QString::number(c) + u':' + QString::number(5 - c)) << code;
            EXPECT_EQ(stat->ParseValue(text), c) << code << " " << text.toStdString();
            EXPECT_EQ(stat->TryParseValue(text), c) << code;
        }
        EXPECT_EQ(stat->ParseValue(QStringLiteral("x:3")), 0) << code;
        EXPECT_EQ(stat->ParseValue(QStringLiteral("4")), 4) << code;
    }
}

TEST(NumbersTexts, MaskTextsAndTheirParsing)
{
    struct Case {
        const char* code;
        const char* zero;
        const char* one;
    };
    const Case cases[] = {{"EVNV", "Ч", "н"}, {"SMLV", "1", "2"}, {"PRMV", "С", "П"}};
    Registry reg;
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        for (uint32_t m = 0; m < 32; ++m) {
            QString symbols;
            for (int bit = 4; bit >= 0; --bit)
                symbols += QString::fromUtf8((m >> bit) & 1 ? c.one : c.zero);
            const QString expected = symbols + QStringLiteral(" (") + QString::number(m).rightJustified(3, u'0')
                                     + u')';
            TStatDrawItem it;
            it.Key = TStatKey::l2(m, 0);
            const QString text = stat->ValueText(it);
            EXPECT_EQ(text, expected) << c.code << " " << m;
            EXPECT_EQ(stat->ParseValue(text), static_cast<int32_t>(m)) << c.code << " " << text.toStdString();
            EXPECT_EQ(stat->TryParseValue(text), static_cast<int32_t>(m)) << c.code;
        }
        // Only the one-symbol sets a bit; anything else reads as zero.
        EXPECT_EQ(stat->ParseValue(QStringLiteral("xxxxx")), 0) << c.code;
        EXPECT_EQ(stat->ParseValue(QString()), 0) << c.code;
    }
}

TEST(NumbersTexts, PlainNumberTexts)
{
    Registry reg;
    for (const char* code : {"NUMS", "DIGS", "POS2", "POE1"}) {
        const std::unique_ptr<TCustomStat> stat = reg.create(code);
        ASSERT_TRUE(stat);
        TStatDrawItem it;
        it.Key = TStatKey::k1(15);
        EXPECT_EQ(stat->ValueText(it), QStringLiteral("15")) << code;
        EXPECT_EQ(stat->ParseValue(QStringLiteral("15")), 15) << code;
        EXPECT_EQ(stat->ParseValue(QStringLiteral("abc")), 0) << code;
    }
}

// ------------------------------------------------------------ graphs

TEST(NumbersGraph, CombinationAndDrawGraphValues)
{
    Registry reg({makeDraw(50, {40, 7, 23, 61, 2}, 9), makeDraw(51, {2, 4, 6, 8, 11}, 26)});
    struct Case {
        const char* code;
        int index;
        bool sorted;
        int expected;
    };
    const Case cases[] = {
        {"POS1", 0, true, 2},  {"POS1", 0, false, 40}, {"POS2", 0, true, 7},  {"POS5", 0, true, 61},
        {"POS5", 0, false, 2}, {"EVEN", 1, false, 4},  {"SMAL", 0, false, 3}, {"PRIM", 0, false, 4},
        {"PRIM", 1, false, 2}, {"POE1", 0, false, 9},  {"POE1", 1, true, 26}, {"POE1", 2, false, 0},
        {"POS3", 5, false, 0},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        auto* graph = dynamic_cast<TCustomGraphStat*>(stat.get());
        ASSERT_NE(graph, nullptr) << c.code;
        EXPECT_EQ(graph->DrawGraphValue(c.index, 1, c.sorted), c.expected) << c.code << " at " << c.index;
    }
    // POE ignores the numbers it is given and reads the draw at the index.
    const std::unique_ptr<TCustomStat> poe = reg.create("POE1");
    const uint8_t nums[kMainCount] = {1, 2, 3, 4, 5};
    EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*poe).CombGraphValue(nums, 1, 1, false), 26);
    const std::unique_ptr<TCustomStat> pos3 = reg.create("POS3");
    const uint8_t five[kMainCount] = {5, 10, 15, 20, 25};
    EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*pos3).CombGraphValue(five, -1, 1, false), 15);
}

// ------------------------------------------------------------ registry

TEST(NumbersRegistry, RegisterAllListsTheFamilyInOrder)
{
    struct Case {
        const char* code;
        const char* className;
        const char* title;
        const char* flags;  // FullFlags letters
        const char* helpCode;
        int param;
    };
    const Case cases[] = {
        {"NUMS", "TstValues", "Числа тиража", "N", "NUMS", 0},
        {"DIGS", "TstDigits", "Цифры тиража", "N", "DIGS", 0},
        {"EVEN", "TstEvenCount", "Количество четных чисел в тираже (Ч:Н)", "NG", "EVEN", 0},
        {"EVNV", "TstEvenValues", "Четные и нечетные числа в тираже (Чн..нЧ)", "SN", "EVNV", 0},
        {"SMAL", "TstSmallCount", "Количество чисел из первой половины диапазона (1П:2П)", "NG", "SMAL", 0},
        {"SMLV", "TstSmallValues", "Числа из первой половины диапазона (12..12)", "SN", "SMLV", 0},
        {"PRIM", "TstPrimeCount", "Количество простых чисел (П:С)", "NG", "PRIM", 0},
        {"PRMV", "TstPrimeValues", "Простые и составные числа (ПС..СП)", "SN", "PRMV", 0},
        {"POS1", "TstPosVal", "Число в 1 позиции тиража", "SNG", "POSx", 1},
        {"POS2", "TstPosVal", "Число в 2 позиции тиража", "SNG", "POSx", 2},
        {"POS3", "TstPosVal", "Число в 3 позиции тиража", "SNG", "POSx", 3},
        {"POS4", "TstPosVal", "Число в 4 позиции тиража", "SNG", "POSx", 4},
        {"POS5", "TstPosVal", "Число в 5 позиции тиража", "SNG", "POSx", 5},
        {"POE1", "TstPosExt", "Extra (Bonus, Star...) - число (!без фильтра!)", "G", "POSx", 1},
    };
    Registry reg;
    int previous = -1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        // The family's members in this order; other families stand between them.
        const int i = reg.list.FindCode(QString::fromUtf8(c.code));
        ASSERT_GT(i, previous);
        previous = i;
        const TStatMethod& m = reg.list.Items(i);
        EXPECT_EQ(reg.list.ItemCode(i), QString::fromUtf8(c.code));
        EXPECT_STREQ(m.StatClass->className, c.className);
        EXPECT_EQ(m.Param, c.param);
        EXPECT_EQ(m.StatClass->group, 0);
        EXPECT_EQ(reg.list.DisplayTitle(i), QString::fromUtf8(c.title));
        EXPECT_EQ(statFlagLetters(m.StatClass->fullFlags()), QString::fromUtf8(c.flags));
        EXPECT_EQ(m.StatClass->helpCode(m.Param), QString::fromUtf8(c.helpCode));
        EXPECT_EQ(reg.list.HasNorm(i), QString::fromUtf8(c.flags).contains(u'N'));
        EXPECT_EQ(reg.list.HasGraph(i), QString::fromUtf8(c.flags).contains(u'G'));
        EXPECT_TRUE(m.StatClass->valueListSelectable);
        const std::unique_ptr<TCustomStat> stat = reg.list.CreateStat(i);
        ASSERT_TRUE(stat);
        EXPECT_EQ(stat->Param, c.param);
        EXPECT_EQ(&stat->classInfo(), m.StatClass);
        EXPECT_EQ(dynamic_cast<TCustomGraphStat*>(stat.get()) != nullptr, reg.list.HasGraph(i));
    }
}

TEST(NumbersRegistry, DisplayNames)
{
    Registry reg;
    const int pos3 = reg.list.FindCode(QStringLiteral("POS3"));
    const int nums = reg.list.FindCode(QStringLiteral("nums"));
    const int poe1 = reg.list.FindCode(QStringLiteral("POE1"));
    ASSERT_GE(pos3, 0);
    ASSERT_EQ(nums, 0);
    ASSERT_GE(poe1, 0);
    EXPECT_EQ(reg.list.DisplayName(pos3, true), QStringLiteral("{ num } Число в 3 позиции тиража [ SNG ]"));
    EXPECT_EQ(reg.list.DisplayName(pos3, false), QStringLiteral("{ num } Число в 3 позиции тиража"));
    EXPECT_EQ(reg.list.DisplayName(poe1, true),
              QStringLiteral("{ num } Extra (Bonus, Star...) - число (!без фильтра!) [ G ]"));
    reg.list.ShowGroupName = false;
    EXPECT_EQ(reg.list.DisplayName(nums, true), QStringLiteral("Числа тиража [ N ]"));
}

TEST(NumbersRegistry, ClassDescriptorsDescribeTheirOwnClass)
{
    struct Case {
        const StatClassInfo* cls;
        const char* codeFormat;
        bool hasParam;
    };
    const Case cases[] = {
        {&TstValues::Class, "NUMS", false},     {&TstDigits::Class, "DIGS", false},
        {&TstEvenCount::Class, "EVEN", false},  {&TstEvenValues::Class, "EVNV", false},
        {&TstSmallCount::Class, "SMAL", false}, {&TstSmallValues::Class, "SMLV", false},
        {&TstPrimeCount::Class, "PRIM", false}, {&TstPrimeValues::Class, "PRMV", false},
        {&TstPosVal::Class, "POS%d", true},     {&TstPosExt::Class, "POE%d", true},
    };
    TStatList list;
    for (const Case& c : cases) {
        EXPECT_STREQ(c.cls->codeFormat, c.codeFormat);
        EXPECT_EQ(c.cls->hasParam(), c.hasParam) << c.codeFormat;
        EXPECT_EQ(c.cls->flags & kFlagGraph, 0) << c.codeFormat;
        EXPECT_TRUE(c.cls->available) << c.codeFormat;
        EXPECT_TRUE(c.cls->listed) << c.codeFormat;
        const std::unique_ptr<TCustomStat> stat = c.cls->create(*c.cls, list, 1);
        ASSERT_TRUE(stat);
        EXPECT_EQ(&stat->classInfo(), c.cls);
    }
    EXPECT_EQ(TstPosVal::Class.paramRange(TConfigData{}), std::make_pair(1, 5));
    EXPECT_EQ(TstPosExt::Class.paramRange(TConfigData{}), std::make_pair(1, 1));
}
