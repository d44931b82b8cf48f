// The segments family: the values for the default map and for maps the user
// drew, the order segments are listed in, the table of one window, and the
// registry entries for each map.
#include <gtest/gtest.h>

#include <QString>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "stats/families/Segments.h"
#include "stats/PartitionTestSupport.h"

using namespace zircon;
using namespace zircon::test;

namespace {

// A map from a rule over the numbers 1..69.
template <class Rule>
TConfigData segmentsBy(Rule rule)
{
    TConfigData c;
    for (int n = 1; n <= kMainMax; ++n)
        c.Segments[static_cast<size_t>(n - 1)] = static_cast<uint8_t>(rule(n));
    return c;
}

TConfigData defaultMap()
{
    return {};
}
TConfigData halves()
{
    return twoSegments(34);
}
// 1..10 in segment 3, the rest in segment 1: segment 3 is reached first.
TConfigData threeFirst()
{
    return segmentsBy([](int n) { return n <= 10 ? 3 : 1; });
}
// Odd numbers in segment 5, even ones in 2: 3 and 4 are not in use.
TConfigData oddEven()
{
    return segmentsBy([](int n) { return n % 2 ? 5 : 2; });
}

}  // namespace

TEST(SegmentsValues, ValuesOfFiveNumbersInMergeOrder)
{
    struct Case {
        const char* map;
        TConfigData config;
        const char* code;
        std::array<uint8_t, kMainCount> nums;
        std::vector<const char*> expected;
    };
    const Case cases[] = {
        {"default", defaultMap(), "SGMS", {5, 12, 18, 33, 69}, {"1", "1", "1", "1", "1"}},
        {"default", defaultMap(), "SGMV", {5, 12, 18, 33, 69}, {"1 x 5"}},
        {"default", defaultMap(), "SGMC", {5, 12, 18, 33, 69}, {"1"}},
        {"default", defaultMap(), "SGM1", {5, 12, 18, 33, 69}, {"5"}},
        {"default", defaultMap(), "KGS2", {5, 12, 18, 33, 69}, {"1:1", "1:1", "1:1", "1:1"}},
        {"halves", halves(), "SGMS", {3, 12, 40, 51, 60}, {"1", "1", "2", "2", "2"}},
        {"halves", halves(), "SGMV", {3, 12, 40, 51, 60}, {"1 x 2", "2 x 3"}},
        {"halves", halves(), "SGMV", {40, 51, 60, 61, 69}, {"1 x 0", "2 x 5"}},
        {"halves", halves(), "SGMC", {3, 12, 40, 51, 60}, {"2"}},
        {"halves", halves(), "SGM1", {3, 12, 40, 51, 60}, {"2"}},
        {"halves", halves(), "SGM2", {3, 12, 40, 51, 60}, {"3"}},
        {"halves", halves(), "KGS2", {3, 12, 40, 51, 60}, {"1:1", "1:2", "2:2", "2:2"}},
        {"halves", halves(), "KGM3", {34, 35, 1, 69, 20},
         {"1:2:1", "1:2:2", "1:2:1", "1:1:2", "1:1:1", "1:2:1", "2:1:2", "2:1:1", "2:2:1", "1:2:1"}},
        {"halves", halves(), "KGS4", {34, 35, 1, 69, 20}, {"1:2:1:2", "2:1:2:1"}},
        // The map's order, not the segment numbers, orders SGMV.
        {"3 first", threeFirst(), "SGMV", {5, 20, 30, 40, 50}, {"3 x 1", "1 x 4"}},
        {"3 first", threeFirst(), "SGMS", {20, 5, 30, 40, 50}, {"1", "3", "1", "1", "1"}},
        {"odd/even", oddEven(), "SGMV", {1, 3, 5, 8, 69}, {"5 x 4", "2 x 1"}},
        {"odd/even", oddEven(), "SGM3", {1, 3, 5, 8, 69}, {"0"}},
        {"odd/even", oddEven(), "SGM5", {1, 3, 5, 8, 69}, {"4"}},
        {"odd/even", oddEven(), "SGMC", {1, 3, 5, 7, 69}, {"1"}},
        // Numbers outside 1..69 are in no segment.
        {"halves", halves(), "SGMS", {0, 70, 255, 40, 3}, {"2", "1"}},
        {"halves", halves(), "SGMV", {0, 70, 255, 40, 3}, {"1 x 1", "2 x 1"}},
        {"halves", halves(), "SGMC", {0, 0, 0, 0, 0}, {"0"}},
        {"halves", halves(), "SGM2", {0, 70, 255, 40, 41}, {"2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + ", map " + c.map + ", first number " + std::to_string(c.nums[0]));
        Registry reg(c.config);
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        EXPECT_EQ(valueTexts(*stat, c.nums), qstrings(c.expected));
    }
}

// A map entry outside 1..9 cannot come from the settings file; it reads as
// segment 1, as the file would have written it, for the values and for the
// registered SGM entries alike.
TEST(SegmentsValues, EntriesOutsideOneToNineReadAsSegmentOne)
{
    TConfigData config = segmentsBy([](int) { return 4; });
    config.Segments[0] = 0;    // number 1
    config.Segments[1] = 12;   // number 2
    config.Segments[2] = 255;  // number 3
    Registry reg(config);
    const std::vector<QString> codes = reg.groupCodes(5);
    ASSERT_GE(codes.size(), 4u);
    EXPECT_EQ(codes[codes.size() - 4], QStringLiteral("SGM1"));
    EXPECT_EQ(codes.back(), QStringLiteral("SGM4"));
    EXPECT_EQ(TstSgmValCnt::Class.paramRange(config), std::make_pair(1, 4));
    const std::unique_ptr<TCustomStat> sgms = reg.create("SGMS");
    const std::unique_ptr<TCustomStat> sgmv = reg.create("SGMV");
    ASSERT_TRUE(sgms && sgmv);
    EXPECT_EQ(valueTexts(*sgms, {1, 2, 3, 4, 5}), qstrings({"1", "1", "1", "4", "4"}));
    EXPECT_EQ(valueTexts(*sgmv, {1, 2, 3, 4, 5}), qstrings({"1 x 3", "4 x 2"}));
    const auto& segments = dynamic_cast<const TCustomSegmentsStat&>(*sgms);
    EXPECT_EQ(segments.SegmentOf(1), 1);
    EXPECT_EQ(segments.SegmentOf(3), 1);
    EXPECT_EQ(segments.SegmentOf(4), 4);
    EXPECT_EQ(segments.SegmentOf(0), 0);
    EXPECT_EQ(segments.SegmentOf(70), 0);
}

// ------------------------------------------------------------ one window

TEST(SegmentsWindow, OneDrawWithItsPreSeededValues)
{
    struct Case {
        const char* map;
        TConfigData config;
        const char* code;
        std::vector<const char*> rows;
        std::vector<int> counts;
    };
    const Case cases[] = {
        // One value counted five times.
        {"default", defaultMap(), "SGMS", {"1"}, {5}},
        {"default", defaultMap(), "SGMV", {"1 x 5"}, {1}},
        {"default", defaultMap(), "SGMC", {"1"}, {1}},
        {"default", defaultMap(), "SGM1", {"5"}, {1}},
        // Every segment in use is pre-seeded, in the map's order.
        {"halves", halves(), "SGMS", {"1", "2"}, {2, 3}},
        {"3 first", threeFirst(), "SGMS", {"3", "1"}, {1, 4}},
        {"odd/even", oddEven(), "SGMS", {"5", "2"}, {2, 3}},
        // SGMV, SGMC and SGM%d pre-seed nothing.
        {"halves", halves(), "SGMV", {"1 x 2", "2 x 3"}, {1, 1}},
        {"halves", halves(), "SGMC", {"2"}, {1}},
        {"halves", halves(), "SGM2", {"3"}, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + ", map " + c.map);
        // 3 and 51 are odd and at most 34 are 3 and 12.
        Registry reg(c.config, {makeDraw(9, {3, 12, 40, 51, 60})});
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        const TStatDrawArray items = computeWindow(*stat, 1);
        EXPECT_EQ(itemTexts(*stat, items), qstrings(c.rows));
        std::vector<int> counts;
        for (const TStatDrawItem& it : items)
            counts.push_back(it.Count);
        EXPECT_EQ(counts, c.counts);
    }
}

TEST(SegmentsWindow, GraphValues)
{
    Registry reg(halves(), {makeDraw(1, {3, 12, 40, 51, 60}), makeDraw(2, {1, 2, 3, 4, 5})});
    const std::unique_ptr<TCustomStat> sgmc = reg.create("SGMC");
    const std::unique_ptr<TCustomStat> sgm2 = reg.create("SGM2");
    ASSERT_TRUE(sgmc && sgm2);
    auto& count = dynamic_cast<TCustomGraphStat&>(*sgmc);
    auto& inTwo = dynamic_cast<TCustomGraphStat&>(*sgm2);
    EXPECT_EQ(count.DrawGraphValue(0, 1, false), 2);
    EXPECT_EQ(count.DrawGraphValue(1, 1, false), 1);
    EXPECT_EQ(inTwo.DrawGraphValue(0, 1, false), 3);
    EXPECT_EQ(inTwo.DrawGraphValue(1, 1, false), 0);
}

// ------------------------------------------------------------ registry

TEST(SegmentsRegistry, DefaultEntries)
{
    const RegistryEntry cases[] = {
        {"SGMS", "TstSegments", "Сегменты матрицы", "N", "SGMS", true, 0},
        {"SGMV", "TstSegmValues", "Количество чисел в сегменте матрицы", "N", "SGMV", false, 0},
        {"SGMC", "TstSegmCount", "Количество не пустых сегментов в матрице", "NG", "SGMC", true, 0},
        {"KGM2", "TstCombSegmMix2", "Сочетания из 2 сегментов по всем числам тиража", "S", "KGM2", false, 0},
        {"KGM3", "TstCombSegmMix3", "Сочетания из 3 сегментов по всем числам тиража", "S", "KGM3", false, 0},
        {"KGM4", "TstCombSegmMix4", "Сочетания из 4 сегментов по всем числам тиража", "S", "KGM4", false, 0},
        {"KGS2", "TstCombSegmSeq2", "Сочетания из 2 сегментов по соседним числам", "S", "KGS2", false, 0},
        {"KGS3", "TstCombSegmSeq3", "Сочетания из 3 сегментов по соседним числам", "S", "KGS3", false, 0},
        {"KGS4", "TstCombSegmSeq4", "Сочетания из 4 сегментов по соседним числам", "S", "KGS4", false, 0},
        {"SGM1", "TstSgmValCnt", "Количество чисел в 1 сегменте матрицы", "NG", "SGMx", true, 1},
    };
    Registry reg;
    std::vector<QString> expected;
    for (const RegistryEntry& c : cases)
        expected.push_back(QString::fromUtf8(c.code));
    EXPECT_EQ(reg.groupCodes(5), expected);
    for (const RegistryEntry& c : cases) {
        SCOPED_TRACE(c.code);
        const int i = reg.list.FindCode(QString::fromUtf8(c.code));
        ASSERT_GE(i, 0);
        expectEntry(reg.list, i, c);
        const std::unique_ptr<TCustomStat> stat = reg.list.CreateStat(i);
        ASSERT_TRUE(stat);
        EXPECT_EQ(dynamic_cast<TCustomSegmentsGraphStat*>(stat.get()) != nullptr, reg.list.HasGraph(i));
        EXPECT_EQ(dynamic_cast<TCustomSegmentsStat*>(stat.get()) != nullptr, !reg.list.HasGraph(i));
    }
}

TEST(SegmentsRegistry, SegmentEntriesFollowTheMap)
{
    struct Case {
        const char* map;
        TConfigData config;
        std::vector<const char*> entries;
    };
    const Case cases[] = {
        {"default", defaultMap(), {"SGM1"}},
        {"halves", halves(), {"SGM1", "SGM2"}},
        {"3 first", threeFirst(), {"SGM1", "SGM2", "SGM3"}},
        {"odd/even", oddEven(), {"SGM2", "SGM3", "SGM4", "SGM5"}},
        {"all nine", segmentsBy([](int n) { return (n - 1) % 9 + 1; }),
         {"SGM1", "SGM2", "SGM3", "SGM4", "SGM5", "SGM6", "SGM7", "SGM8", "SGM9"}},
        {"all in 7", segmentsBy([](int) { return 7; }), {"SGM7"}},
    };
    for (const Case& c : cases) {
        Registry reg(c.config);
        std::vector<QString> perSegment;
        for (const QString& code : reg.groupCodes(5))
            if (code.size() == 4 && code.startsWith(QStringLiteral("SGM")) && code[3].isDigit())
                perSegment.push_back(code);
        EXPECT_EQ(perSegment, qstrings(c.entries)) << c.map;
    }
}
