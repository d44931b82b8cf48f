#include <gtest/gtest.h>

#include <QStringList>

#include "core/DrawArchive.h"
#include "core/Error.h"
#include "stats/Prefetch.h"
#include "stats/StatTable.h"
#include "support/TempDir.h"
#include "stats/TestStats.h"

using namespace zircon;
using namespace zircon::test;

namespace {

// Six draws; a window of four (indexes 0..3) with the offset 2 leaves the
// draws numbered 102 and 103 after it.
TDrawsArray handArchive()
{
    return {
        makeDraw(98, {1, 2, 3, 4, 5}),    makeDraw(99, {1, 6, 7, 8, 9}),    makeDraw(100, {2, 6, 10, 11, 12}),
        makeDraw(101, {1, 2, 13, 14, 15}), makeDraw(102, {3, 6, 16, 17, 18}), makeDraw(103, {1, 19, 20, 21, 22}),
    };
}

int rowOf(const StatTable& t, const QString& value)
{
    for (int r = 0; r < t.rowCount(); ++r)
        if (t.valueText(r) == value)
            return r;
    return -1;
}

QStringList rowTexts(const StatTable& t, int row)
{
    QStringList texts;
    for (int c = 0; c < StatTable::kColumnCount; ++c)
        texts << t.cell(row, c);
    return texts;
}

// A prefetch source with every listed value equally frequent (P0 = P1).
PrefetchSource evenSource(int from, int to, int32_t count)
{
    PrefetchSource s;
    for (int v = from; v <= to; ++v)
        s.records.push_back({TStatKey::k1(static_cast<uint16_t>(v)), count});
    s.minCount = s.maxCount = count;
    return s;
}

}  // namespace

TEST(StatWindow, ArithmeticOfTheWindow)
{
    struct Case {
        int count, length, offset;
        int end, start, n;
    };
    const Case cases[] = {
        {50, 1000, 0, 49, 0, 50},  // longer than the archive: starts at the oldest draw
        {50, 10, 0, 49, 40, 10},   {50, 10, 5, 44, 35, 10}, {50, 1, 0, 49, 49, 1},
        {50, 0, 0, 49, 49, 1},     // a length below 1 counts as 1
        {0, 10, 0, -1, 0, 0},      // empty archive: nothing to compute
        {5, 10, 5, -1, 0, 0},      // the offset hides every draw
    };
    for (const Case& c : cases) {
        const StatWindow w = statWindow(c.count, c.length, c.offset);
        EXPECT_EQ(w.end, c.end) << c.count << " " << c.length << " " << c.offset;
        EXPECT_EQ(w.start, c.start) << c.count << " " << c.length << " " << c.offset;
        EXPECT_EQ(w.length, c.n) << c.count << " " << c.length << " " << c.offset;
    }
}

TEST(StatTable, ColumnCaptions)
{
    const char* expected[] = {"Значение",    "Количество", "Кол-во в %", "Норма",      "Отклонение",
                              "Откл-ие в %", "Глубина",    "Глубина в %", "Вес",       "Посл. тираж",
                              "Период min",  "Период",     "Период max",  "Ожд. ПРД",  "Ожд. СТФ",
                              "Ожд. КРН",    "Факт",       "+/- ПРД",     "+/- СТФ",   "+/- КРН"};
    for (int c = 0; c < StatTable::kColumnCount; ++c)
        EXPECT_EQ(StatTable::columnCaption(c), QString::fromUtf8(expected[c])) << c;
    EXPECT_EQ(StatTable::columnCaption(20), QString());
    EXPECT_EQ(StatTable::columnCaption(-1), QString());
}

// Every column of a small archive, worked out by hand: N = 4, total = 20,
// maxDepth = 4, default weights (Вес = Depth without a norm).
TEST(StatTable, EveryColumnOfAHandWorkedArchive)
{
    TestRegistry reg({&TstEachNumber::Class}, handArchive());
    const StatTable t = computeStatTable(reg.list(), 0, 4, 2, false, nullptr);
    EXPECT_EQ(t.window().end, 3);
    EXPECT_EQ(t.window().start, 0);
    EXPECT_EQ(t.window().length, 4);
    ASSERT_EQ(t.rowCount(), 15);  // 1..15 in the order they first occurred
    EXPECT_EQ(t.summary().total, 20);
    EXPECT_EQ(t.summary().maxDepth, 4);
    EXPECT_FALSE(t.hasNorm());
    for (int r = 0; r < 15; ++r)
        EXPECT_EQ(t.valueText(r), QString::number(r + 1));

    struct Row {
        const char* value;
        QStringList cells;
    };
    const Row rows[] = {
        // 98, 99, 101: gaps 1 and 2; ПРД 4/3+101 -> 102, СТФ 4*101/3 -> 135, КРН 5*102/4 = 127.5 -> 128; next 103.
        {"1", {"1", "3", "15.00000", "-", "-", "-", "1", "25.00", "1.00", "101", "1", "1.3333", "2", "102", "135", "128",
               "103", "-1", "+32", "+25"}},
        {"2", {"2", "3", "15.00000", "-", "-", "-", "1", "25.00", "1.00", "101", "1", "1.3333", "2", "102", "135", "128",
               "-", "-", "-", "-"}},
        // Once, in 98: СТФ 2*98, КРН 3*99/2 = 148.5 -> 148 (half to even); next 102.
        {"3", {"3", "1", "5.00000", "-", "-", "-", "4", "100.00", "4.00", "98", "-", "-", "-", "-", "196", "148", "102",
               "-", "+94", "+46"}},
        // 99, 100: ПРД 2+100, СТФ 3*100/2, КРН 4*101/3 -> 135; next 102.
        {"6", {"6", "2", "10.00000", "-", "-", "-", "2", "50.00", "2.00", "100", "1", "2.0000", "1", "102", "150", "135",
               "102", "0", "+48", "+33"}},
        {"7", {"7", "1", "5.00000", "-", "-", "-", "3", "75.00", "3.00", "99", "-", "-", "-", "-", "198", "150", "-", "-",
               "-", "-"}},
        {"13", {"13", "1", "5.00000", "-", "-", "-", "1", "25.00", "1.00", "101", "-", "-", "-", "-", "202", "153", "-",
                "-", "-", "-"}},
    };
    for (const Row& row : rows) {
        const int r = rowOf(t, QString::fromLatin1(row.value));
        ASSERT_GE(r, 0) << row.value;
        EXPECT_EQ(rowTexts(t, r), row.cells) << row.value;
    }
    EXPECT_EQ(t.lastIndex(rowOf(t, QStringLiteral("3"))), 0);
    EXPECT_EQ(t.lastIndex(rowOf(t, QStringLiteral("1"))), 3);
    EXPECT_EQ(t.fact(rowOf(t, QStringLiteral("1"))), 103);
    EXPECT_EQ(t.fact(rowOf(t, QStringLiteral("2"))), -1);
}

// The same archive with norms: 1..12 equally frequent in the full set, 13..15
// absent from it. H = (3 + 1) / 2 / P1, so every recorded value expects 2.
TEST(StatTable, NormColumnsAndWeight)
{
    TestRegistry reg({&TstEachNumber::Class}, handArchive());
    const PrefetchSource src = evenSource(1, 12, 814385);
    const StatTable t = computeStatTable(reg.list(), 0, 4, 2, false, &src);
    ASSERT_TRUE(t.hasNorm());
    EXPECT_DOUBLE_EQ(t.normScale(), 2.0 / 814385);
    struct Row {
        const char* value;
        const char* norm;
        const char* deviation;
        const char* percent;
        const char* weight;
    };
    const Row rows[] = {
        {"1", "2", "1", "50.00000", "0.00"},      // Depth 1 - (3 - 2)
        {"3", "2", "-1", "-50.00000", "5.00"},    // 4 - (1 - 2)
        {"6", "2", "0", "0.00000", "2.00"},       // 2 - 0
        {"13", "0", "1", "100.00000", "0.00"},    // no record: Norm 0, a count above it is 100 %
    };
    for (const Row& row : rows) {
        const int r = rowOf(t, QString::fromLatin1(row.value));
        ASSERT_GE(r, 0);
        EXPECT_EQ(t.cell(r, StatTable::ColNorm), QString::fromLatin1(row.norm)) << row.value;
        EXPECT_EQ(t.cell(r, StatTable::ColDeviation), QString::fromLatin1(row.deviation)) << row.value;
        EXPECT_EQ(t.cell(r, StatTable::ColDeviationPercent), QString::fromLatin1(row.percent)) << row.value;
        EXPECT_EQ(t.cell(r, StatTable::ColWeight), QString::fromLatin1(row.weight)) << row.value;
    }
}

TEST(StatTable, WeightCoefficientsFromTheRegistry)
{
    TestRegistry reg({&TstEachNumber::Class}, handArchive());
    reg.list().Config.Weights = TWeightCoefs{1, 0, 0, true, false};  // the count in percent
    const StatTable t = computeStatTable(reg.list(), 0, 4, 2, false, nullptr);
    EXPECT_EQ(t.cell(rowOf(t, QStringLiteral("1")), StatTable::ColWeight), QStringLiteral("15.00"));
    EXPECT_EQ(t.cell(rowOf(t, QStringLiteral("7")), StatTable::ColWeight), QStringLiteral("5.00"));
}

TEST(StatTable, WeightFormula)
{
    TStatDrawItem it;
    it.Count = 3;
    it.Norm = 5;
    it.Depth = 2;
    TStatSummary s;
    s.total = 20;
    s.maxDepth = 4;
    TStatSummary zero;
    zero.total = 0;
    zero.maxDepth = 0;
    struct Case {
        TWeightCoefs w;
        bool hasNorm;
        const TStatSummary* summary;
        int norm;
        double expected;
    };
    const Case cases[] = {
        {TWeightCoefs{}, true, &s, 5, 4.0},                     // defaults: 2 - (3 - 5)
        {TWeightCoefs{}, false, &s, 5, 2.0},                    // no norm: the deviation is 0
        {TWeightCoefs{1, 1, 1, false, false}, true, &s, 5, 3.0},
        {TWeightCoefs{2.5, 0, 0, false, false}, true, &s, 5, 7.5},
        {TWeightCoefs{1, 1, 1, true, false}, true, &s, 5, 15.0 - 40.0 + 50.0},
        {TWeightCoefs{1, 1, 1, true, true}, true, &s, 5, 15.0 + 40.0 + 50.0},
        {TWeightCoefs{0, -1, 1, false, true}, true, &s, 5, -2.0 + 2.0},
        {TWeightCoefs{1, 1, 1, true, false}, true, &zero, 0, 0.0},  // every divisor 0: every part 0
    };
    for (const Case& c : cases) {
        it.Norm = c.norm;
        EXPECT_DOUBLE_EQ(statWeight(it, *c.summary, c.hasNorm, c.w), c.expected)
            << c.w.CountCoef << " " << c.w.DeviationCoef << " " << c.w.DepthCoef << " " << c.w.UsePercents << " "
            << c.w.UseAbsValues;
    }
}

TEST(StatTable, TwoOccurrencesThreeDrawsApart)
{
    TestRegistry reg({&TstEachNumber::Class}, {makeDraw(100, {1, 2, 3, 4, 5}), makeDraw(101, {6, 7, 8, 9, 10}),
                                               makeDraw(102, {11, 12, 13, 14, 15}), makeDraw(103, {1, 16, 17, 18, 19})});
    const StatTable t = computeStatTable(reg.list(), 0, 100, 0, false, nullptr);
    const int r = rowOf(t, QStringLiteral("1"));
    ASSERT_GE(r, 0);
    EXPECT_EQ(t.item(r).PeriodMin, 3);
    EXPECT_EQ(t.item(r).PeriodMax, 3);
    EXPECT_EQ(t.cell(r, StatTable::ColPeriodMin), QStringLiteral("3"));
    EXPECT_EQ(t.cell(r, StatTable::ColPeriodMax), QStringLiteral("3"));
    EXPECT_EQ(t.cell(r, StatTable::ColPeriod), QStringLiteral("2.0000"));
}

TEST(StatTable, WindowOfOneDraw)
{
    TestRegistry reg({&TstEachNumber::Class}, handArchive());
    const StatTable t = computeStatTable(reg.list(), 0, 1, 0, false, nullptr);
    ASSERT_EQ(t.rowCount(), 5);  // the draw 103: 1 19 20 21 22
    for (int r = 0; r < t.rowCount(); ++r) {
        EXPECT_EQ(t.item(r).Count, 1);
        EXPECT_EQ(t.item(r).Depth, 1);
        EXPECT_EQ(t.item(r).PeriodMin, 0);
        EXPECT_EQ(t.item(r).PeriodMax, 0);
        for (int c = StatTable::ColPeriodMin; c <= StatTable::ColExpectPrd; ++c)
            EXPECT_EQ(t.cell(r, c), QStringLiteral("-")) << r << " " << c;
        EXPECT_EQ(t.cell(r, StatTable::ColLastDraw), QStringLiteral("103"));
        // With offset 0 nothing follows the window.
        for (int c = StatTable::ColFact; c <= StatTable::ColDiffKrn; ++c)
            EXPECT_EQ(t.cell(r, c), QStringLiteral("-"));
    }
}

TEST(StatTable, PreseededValuesThatNeverOccur)
{
    TestRegistry reg({&TstSeededNumber::Class}, handArchive());
    const PrefetchSource src = evenSource(1, 69, 814385);
    const StatTable t = computeStatTable(reg.list(), 0, 4, 2, false, &src);
    ASSERT_EQ(t.rowCount(), 69);
    const int r = rowOf(t, QStringLiteral("50"));
    ASSERT_GE(r, 0);
    EXPECT_EQ(t.item(r).Depth, 0);
    EXPECT_EQ(t.cell(r, StatTable::ColCount), QStringLiteral("0"));
    EXPECT_EQ(t.cell(r, StatTable::ColCountPercent), QStringLiteral("0.00000"));
    // min 0, max 3: H = 1.5 / P1 and 1.5 goes to the even 2.
    EXPECT_EQ(t.cell(r, StatTable::ColNorm), QStringLiteral("2"));
    EXPECT_EQ(t.cell(r, StatTable::ColDeviation), QStringLiteral("-2"));
    EXPECT_EQ(t.cell(r, StatTable::ColDeviationPercent), QStringLiteral("-100.00000"));
    for (int c = StatTable::ColDepth; c < StatTable::kColumnCount; ++c)
        EXPECT_EQ(t.cell(r, c), QStringLiteral("-")) << c;
}

TEST(StatTable, ZeroCountAndZeroNorm)
{
    TestRegistry reg({&TstSeededNumber::Class}, handArchive());
    const PrefetchSource src = evenSource(1, 12, 814385);  // 50 has no record: Norm 0
    const StatTable t = computeStatTable(reg.list(), 0, 4, 2, false, &src);
    const int r = rowOf(t, QStringLiteral("50"));
    EXPECT_EQ(t.cell(r, StatTable::ColNorm), QStringLiteral("0"));
    EXPECT_EQ(t.cell(r, StatTable::ColDeviation), QStringLiteral("0"));
    EXPECT_EQ(t.cell(r, StatTable::ColDeviationPercent), QStringLiteral("0.00000"));
}

TEST(StatTable, EmptyArchiveAndHiddenArchive)
{
    {
        TestRegistry reg({&TstSeededNumber::Class});
        const StatTable t = computeStatTable(reg.list(), 0, 1000, 0, false, nullptr);
        EXPECT_TRUE(t.empty());  // nothing computed, not even the pre-seeded values
        EXPECT_EQ(t.window().length, 0);
        EXPECT_EQ(t.summary().total, 0);
    }
    {
        TestRegistry reg({&TstSeededNumber::Class}, handArchive());
        const StatTable t = computeStatTable(reg.list(), 0, 10, 6, false, nullptr);
        EXPECT_TRUE(t.empty());
    }
}

// A value expected at 250 (ПРД: 10 / 2 + 245) that comes back in 247.
TEST(StatTable, ExpectationAboveTheActualDrawShowsPlus)
{
    TDrawsArray draws;
    for (int i = 0; i < 12; ++i) {
        const int number = 236 + i;
        const uint8_t base = static_cast<uint8_t>(1 + 5 * (i % 8));
        std::array<uint8_t, kMainCount> nums{base, static_cast<uint8_t>(base + 1), static_cast<uint8_t>(base + 2),
                                             static_cast<uint8_t>(base + 3), static_cast<uint8_t>(base + 4)};
        if (number == 240 || number == 245 || number == 247)
            nums[4] = 50;
        draws.push_back(makeDraw(number, nums));
    }
    TestRegistry reg({&TstEachNumber::Class}, draws);
    const StatTable t = computeStatTable(reg.list(), 0, 10, 2, false, nullptr);
    ASSERT_EQ(t.window().length, 10);
    const int r = rowOf(t, QStringLiteral("50"));
    ASSERT_GE(r, 0);
    EXPECT_EQ(t.cell(r, StatTable::ColCount), QStringLiteral("2"));
    EXPECT_EQ(t.cell(r, StatTable::ColExpectPrd), QStringLiteral("250"));
    EXPECT_EQ(t.cell(r, StatTable::ColFact), QStringLiteral("247"));
    EXPECT_EQ(t.cell(r, StatTable::ColDiffPrd), QStringLiteral("+3"));
}

// Draw numbers that repeat (a re-entered or mis-numbered draw) must not move
// the search for the next occurrence: it starts after the position of the
// latest occurrence, not after some draw bearing its number.
TEST(StatTable, FactWithRepeatedDrawNumbers)
{
    const TDrawsArray draws = {
        makeDraw(200, {1, 2, 3, 4, 5}),     makeDraw(201, {7, 8, 9, 10, 11}),  makeDraw(202, {12, 13, 14, 15, 16}),
        makeDraw(203, {7, 17, 18, 19, 20}), makeDraw(201, {21, 22, 23, 24, 25}), makeDraw(204, {7, 26, 27, 28, 29}),
    };
    for (const StatClassInfo* cls : {&TstEachNumber::Class, &ScanVariant<TstEachNumber>::Class}) {
        TestRegistry reg({cls}, draws);
        const StatTable t = computeStatTable(reg.list(), 0, 3, 3, false, nullptr);
        const int r = rowOf(t, QStringLiteral("7"));
        ASSERT_GE(r, 0);
        EXPECT_EQ(t.lastIndex(r), 1);
        EXPECT_EQ(t.cell(r, StatTable::ColFact), QStringLiteral("203")) << cls->className;
    }
}

// One pass over the later draws and one FindNextDraw per value give the same
// table for methods whose values depend on nothing but the draw.
TEST(StatTable, FastAndScanningFactAgree)
{
    DrawArchive archive;
    archive.load(testDataPath("Zircon_5x69.ldr"));
    ASSERT_GT(archive.count(), 1000);
    TestRegistry reg({&TstEachNumber::Class, &ScanVariant<TstEachNumber>::Class, &TstSumValue::Class,
                      &ScanVariant<TstSumValue>::Class},
                     archive.draws());
    struct Case {
        int length, offset;
        bool sorted;
    };
    const Case cases[] = {{1, 0, false}, {10, 1, false}, {100, 5, true}, {100, 50, false}, {300, 300, true}};
    for (const auto& [fast, scan] : {std::pair{"TNUM", "SNUM"}, std::pair{"TSUM", "SSUM"}}) {
        for (const Case& c : cases) {
            const StatTable a = computeStatTable(reg.list(), reg.index(fast), c.length, c.offset, c.sorted, nullptr);
            const StatTable b = computeStatTable(reg.list(), reg.index(scan), c.length, c.offset, c.sorted, nullptr);
            ASSERT_EQ(a.rowCount(), b.rowCount());
            int facts = 0;
            for (int r = 0; r < a.rowCount(); ++r) {
                EXPECT_EQ(rowTexts(a, r), rowTexts(b, r)) << fast << " " << c.length << " " << c.offset << " row " << r;
                facts += a.fact(r) >= 0 ? 1 : 0;
            }
            // With an offset the later draws hold some of the values again.
            if (c.offset >= 5) {
                EXPECT_GT(facts, 0) << fast << " " << c.offset;
            }
        }
    }
}

// A failure part-way hands over nothing: the caller's table stays as it was.
TEST(StatTable, FailurePartWayLeavesNoPartialTable)
{
    TestRegistry reg({&TstEachNumber::Class, &TstFailing::Class}, handArchive());
    StatTable t = computeStatTable(reg.list(), 0, 4, 2, false, nullptr);
    ASSERT_EQ(t.rowCount(), 15);
    // Draw 101 holds 13: the failing method stops on the window's last draw.
    EXPECT_THROW(t = computeStatTable(reg.list(), reg.index("TFAIL"), 4, 2, false, nullptr), Error);
    EXPECT_EQ(t.rowCount(), 15);
    EXPECT_EQ(t.cell(0, StatTable::ColCount), QStringLiteral("3"));
    EXPECT_THROW(computeStatTable(reg.list(), 7, 4, 2, false, nullptr), Error);
}

TEST(StatTable, SelectedItemsAreCopiesOfTheRows)
{
    TestRegistry reg({&TstEachNumber::Class}, handArchive());
    const StatTable t = computeStatTable(reg.list(), 0, 4, 2, false, nullptr);
    const TStatDrawArray sel = t.selectedItems({0, 5, 5, 99});
    ASSERT_EQ(sel.size(), 2);
    EXPECT_EQ(sel[0].Key, TStatKey::k1(1));
    EXPECT_EQ(sel[1].Key, TStatKey::k1(6));
    EXPECT_EQ(sel[1].Count, 2);
}
