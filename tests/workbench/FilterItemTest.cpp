// The filter description and its "#"-joined text, read and written back.
#include <gtest/gtest.h>

#include <QString>

#include <cmath>
#include <limits>
#include <utility>

#include "stats/SelectionModes.h"
#include "stats/TCustomStat.h"
#include "stats/TStatList.h"
#include "workbench/FilterItem.h"

using namespace zircon;

namespace {

// The whole registry with its default settings.
struct DefaultRegistry {
    TDrawsArray draws;
    TStatList list{&draws};
    DefaultRegistry() { list.RegisterAll(); }
};

const TStatList& registry()
{
    static const DefaultRegistry reg;
    return reg.list;
}

// ROW1 .. ROW10: ten codes of which the first begins the last.
class TstRow : public TCustomGraphStat {
public:
    static const StatClassInfo Class;
    using TCustomGraphStat::TCustomGraphStat;
    bool CombMatches(const TComb&, const TStatDrawArray&, int, bool, bool) override { return false; }
};
const StatClassInfo TstRow::Class = statClass<TstRow>(StatClassInfo{
    .className = "TstRow",
    .codeFormat = "ROW%d",
    .titleFormat = "row %d",
    .paramRange = [](const TConfigData&) { return std::pair<int, int>{1, 10}; },
});

struct RowRegistry {
    TDrawsArray draws;
    TStatList list{&draws};
    RowRegistry()
    {
        list.setRegistrationTable({&TstRow::Class});
        list.RegisterAll();
    }
};

TEST(FilterItemTest, TheCanonicalExampleParsesFieldByFieldAndWritesBackTheSameText)
{
    const QString text = QStringLiteral("BMF1#NUMS:100#LNO:3#SF:0");
    const TFilterItem item = ParseFilterItem(text, registry());
    EXPECT_TRUE(item.active);
    EXPECT_TRUE(item.bottomUp);
    EXPECT_TRUE(item.multiSelect);
    EXPECT_TRUE(item.keep);
    EXPECT_EQ(item.sortColumn, 1);
    ASSERT_GE(item.method, 0);
    EXPECT_EQ(registry().ItemCode(item.method), QStringLiteral("NUMS"));
    EXPECT_EQ(item.methodText, QStringLiteral("NUMS:100"));
    EXPECT_EQ(item.windowLengths, QStringLiteral("100"));
    EXPECT_EQ(item.condition, ModeLNO);
    EXPECT_EQ(item.conditionValue, QStringLiteral("3"));
    EXPECT_EQ(item.stopRule, StopSF);
    EXPECT_EQ(item.stopValue, 0);
    EXPECT_FALSE(item.ownWeights);
    EXPECT_EQ(FilterItemText(item, registry()), text);
}

// Canonical texts: each reads and writes back unchanged.
TEST(FilterItemTest, CanonicalTextsRoundTrip)
{
    const char* texts[] = {
        "TSD12#NUMS:50;100#CMV:3#SC:1000",
        "BSF0#POS2:10-100;10#LDV:1;2;3#ST:5",
        "TMD7#EVNV:25#LVA:10;21#SZ:1",
        "BMD-1#POS5:300#PXR:4#SP:-20",
        "TSF2#NUMS:100#WMV:10.5#SV:2#0.5:-1:1:1:0",
        "TSF2#NUMS:100#WDV:1;2#SF:0#0:0:0:0:1",
        "TSD123#DIGS:1000#PAR:3#ST:2147483647",
    };
    for (const char* t : texts) {
        const QString text = QString::fromLatin1(t);
        EXPECT_EQ(FilterItemText(ParseFilterItem(text, registry()), registry()), text);
    }
}

// The sort column is every digit after the three flag letters.
TEST(FilterItemTest, TheSortColumnReadsAllItsDigits)
{
    const std::pair<const char*, int> cases[] = {
        {"TSD12", 12}, {"BMF1", 1}, {"TSD0", 0}, {"TSD19", 19}, {"TSD123", 123}, {"TSD007", 7},
        {"TSD3x", 3}, {"TSD-1", -1}, {"BMF", 1}, {"BM", 1}, {"BMFx", 1}, {"TSD-", 1},
        {"TSD99999999999", 1},  // beyond 32 bits: not a column
    };
    for (auto [flags, column] : cases) {
        const TFilterItem item = ParseFilterItem(QString::fromLatin1(flags) + QStringLiteral("#NUMS:10"), registry());
        EXPECT_EQ(item.sortColumn, column) << flags;
    }
    TFilterItem item = ParseFilterItem(QStringLiteral("TSD12#NUMS:10#LNO:#SF:0"), registry());
    EXPECT_EQ(FilterItemText(item, registry()), QStringLiteral("TSD12#NUMS:10#LNO:#SF:0"));
    item.sortColumn = 20;
    EXPECT_TRUE(FilterItemText(item, registry()).startsWith(QStringLiteral("TSD20#")));
}

TEST(FilterItemTest, FlagLettersCountAnywhereInTheFirstWord)
{
    struct Case {
        const char* flags;
        bool bottomUp, multiSelect, keep;
    };
    const Case cases[] = {
        {"TSD1", false, false, false}, {"BSD1", true, false, false}, {"TMD1", false, true, false},
        {"TSF1", false, false, true},  {"FMB2", true, true, true},  {"x", false, false, false},
        {"bmf1", false, false, false},  // the letters are upper case
    };
    for (const Case& c : cases) {
        const TFilterItem item = ParseFilterItem(QString::fromLatin1(c.flags) + QStringLiteral("#NUMS:10"), registry());
        EXPECT_EQ(item.bottomUp, c.bottomUp) << c.flags;
        EXPECT_EQ(item.multiSelect, c.multiSelect) << c.flags;
        EXPECT_EQ(item.keep, c.keep) << c.flags;
    }
}

TEST(FilterItemTest, AnUnmatchedMethodKeepsItsTextAndWritesItBackUnchanged)
{
    const QString text = QStringLiteral("BMF1#XYZ7:100;200#CMV:2#ST:3");
    const TFilterItem item = ParseFilterItem(text, registry());
    EXPECT_TRUE(item.active);
    EXPECT_EQ(item.method, -1);
    EXPECT_EQ(item.methodText, QStringLiteral("XYZ7:100;200"));
    EXPECT_TRUE(item.windowLengths.isEmpty());
    EXPECT_EQ(item.condition, ModeCMV);
    EXPECT_EQ(item.stopRule, StopST);
    EXPECT_EQ(FilterItemText(item, registry()), text);
}

// The method is the whole code before ":", with letter case ignored; a code
// that merely begins with a registered one names nothing.
TEST(FilterItemTest, TheMethodCodeIsResolvedExactly)
{
    RowRegistry rows;
    struct Case {
        const char* method;
        const char* code;  // nullptr: no method
    };
    const Case cases[] = {
        {"ROW10:50", "ROW10"}, {"ROW1:50", "ROW1"}, {"row10:50", "ROW10"}, {"Row2:50", "ROW2"},
        {"ROW1X:50", nullptr}, {"ROW11:50", nullptr}, {"ROW:50", nullptr}, {" ROW3 :50", "ROW3"},
    };
    for (const Case& c : cases) {
        const TFilterItem item =
            ParseFilterItem(QStringLiteral("TSD1#") + QString::fromLatin1(c.method) + QStringLiteral("#LNO:#SF:0"), rows.list);
        if (!c.code) {
            EXPECT_EQ(item.method, -1) << c.method;
            continue;
        }
        ASSERT_GE(item.method, 0) << c.method;
        EXPECT_EQ(rows.list.ItemCode(item.method), QString::fromLatin1(c.code)) << c.method;
        EXPECT_EQ(item.windowLengths, QStringLiteral("50"));
        // Written by its registry code.
        EXPECT_EQ(FilterItemText(item, rows.list),
                  QStringLiteral("TSD1#") + QString::fromLatin1(c.code) + QStringLiteral(":50#LNO:#SF:0"));
    }
}

TEST(FilterItemTest, MissingOrUnmatchedPartsTakeTheirDefaults)
{
    struct Case {
        const char* text;
        int condition;
        const char* conditionValue;
        int stopRule;
        int stopValue;
    };
    const Case cases[] = {
        {"BMF1#NUMS:100", ModeLNO, "", StopSF, 0},
        {"BMF1#NUMS:100#lmv:5", ModeLMV, "5", StopSF, 0},
        {"BMF1#NUMS:100#LDV: 1;2 #sc:500", ModeLDV, "1;2", StopSC, 500},
        {"BMF1#NUMS:100#QQQ:5#SC:7", ModeLNO, "", StopSC, 7},
        {"BMF1#NUMS:100#CMV:5#QQ:7", ModeCMV, "5", StopSF, 0},
        {"BMF1#NUMS:100#CMV:5#SC:abc", ModeCMV, "5", StopSC, 1},
        {"BMF1#NUMS:100#CMV:5#SC", ModeCMV, "5", StopSC, 1},
        {"BMF1#NUMS:100#CMV#SV:-4", ModeCMV, "", StopSV, -4},
        // Runs of "#" are one separator: later words move forward.
        {"BMF1##NUMS:100###CLV:9##SP:3", ModeCLV, "9", StopSP, 3},
        {"BMF1#NUMS:100##SZ:2", ModeLNO, "", StopSF, 0},
    };
    for (const Case& c : cases) {
        const TFilterItem item = ParseFilterItem(QString::fromLatin1(c.text), registry());
        EXPECT_TRUE(item.active) << c.text;
        EXPECT_GE(item.method, 0) << c.text;
        EXPECT_EQ(item.condition, c.condition) << c.text;
        EXPECT_EQ(item.conditionValue, QString::fromLatin1(c.conditionValue)) << c.text;
        EXPECT_EQ(item.stopRule, c.stopRule) << c.text;
        EXPECT_EQ(item.stopValue, c.stopValue) << c.text;
        EXPECT_FALSE(item.ownWeights) << c.text;
    }
}

TEST(FilterItemTest, AnEmptyTextIsAnInactiveItemAndAnInactiveItemWritesNothing)
{
    for (const char* text : {"", "   "}) {
        const TFilterItem item = ParseFilterItem(QString::fromLatin1(text), registry());
        EXPECT_EQ(item, TFilterItem{}) << '"' << text << '"';
        EXPECT_FALSE(item.active);
    }
    EXPECT_EQ(FilterItemText(TFilterItem{}, registry()), QString());
    TFilterItem filled = ParseFilterItem(QStringLiteral("BMF1#NUMS:100#LNO:3#SF:0"), registry());
    filled.active = false;
    EXPECT_EQ(FilterItemText(filled, registry()), QString());
}

// Coefficients go out in fixed notation, the shortest text that reads back
// to the same number.
TEST(FilterItemTest, CoefficientsAreWrittenInShortestFixedNotation)
{
    const std::pair<double, const char*> cases[] = {
        {0.0, "0"},        {1.0, "1"},           {-1.0, "-1"},         {0.5, "0.5"},
        {0.1, "0.1"},      {1e-05, "0.00001"},   {-2.5e-7, "-0.00000025"}, {123456.789, "123456.789"},
        {1e20, "100000000000000000000"}, {-0.0, "0"},
        {std::numeric_limits<double>::infinity(), "0"}, {std::numeric_limits<double>::quiet_NaN(), "0"},
    };
    for (auto [value, text] : cases)
        EXPECT_EQ(filterCoefText(value), QString::fromLatin1(text)) << value;

    const double roundTrip[] = {1.0 / 3, 2.0 / 3, -7.123456789012345, 1e-300, 5e-324, 1.7976931348623157e308,
                                0.30000000000000004, 1e-05, 12.75};
    for (double v : roundTrip) {
        const QString text = filterCoefText(v);
        EXPECT_FALSE(text.contains(u'e') || text.contains(u'E')) << text.toStdString();
        EXPECT_EQ(parseFilterCoef(text), v) << text.toStdString();
    }
}

TEST(FilterItemTest, CoefficientsAreReadLeniently)
{
    const std::pair<const char*, double> cases[] = {
        {"1,5", 1.5},   {"2.25", 2.25}, {" 2.25 ", 2.25}, {"-0,5", -0.5}, {"x-3y", -3.0}, {"10 %", 10.0},
        {"", 0.0},      {"abc", 0.0},   {"-", 0.0},       {"1.2.3", 0.0}, {"1,2.3", 0.0},
        {"1e-05", 0.0},  // the exponent's letter is dropped and "1-05" is no number
    };
    for (auto [text, value] : cases)
        EXPECT_EQ(parseFilterCoef(QString::fromLatin1(text)), value) << '"' << text << '"';
}

TEST(FilterItemTest, OwnWeightsRoundTripThroughTheText)
{
    const TWeightCoefs weights[] = {
        {0, -1, 1, false, false},
        {1e-05, -0.125, 3.0 / 7, true, false},
        {-2.5, 1e-9, 100, false, true},
        {0.1, 0.2, 0.30000000000000004, true, true},
    };
    TFilterItem item = ParseFilterItem(QStringLiteral("TSF2#NUMS:100#WMV:10#SV:2"), registry());
    for (const TWeightCoefs& w : weights) {
        item.ownWeights = true;
        item.weights = w;
        const QString text = FilterItemText(item, registry());
        EXPECT_FALSE(text.contains(u'e') || text.contains(u'E')) << text.toStdString();
        const TFilterItem back = ParseFilterItem(text, registry());
        EXPECT_TRUE(back.ownWeights);
        EXPECT_EQ(back, item) << text.toStdString();
    }
    EXPECT_EQ(FilterItemText(item, registry()),
              QStringLiteral("TSF2#NUMS:100#WMV:10#SV:2#0.1:0.2:0.30000000000000004:1:1"));
}

TEST(FilterItemTest, TheWeightsWordReadsCoefficientsAndExactFlags)
{
    struct Case {
        const char* word;
        TWeightCoefs weights;
    };
    const Case cases[] = {
        {"0,5:-1:2:1:0", {0.5, -1, 2, true, false}},
        {"1:2", {1, 2, 0, false, false}},
        {"a:b:c:2:01", {0, 0, 0, false, false}},
        {"1.5:x:3:0:1", {1.5, 0, 3, false, true}},
    };
    for (const Case& c : cases) {
        const TFilterItem item =
            ParseFilterItem(QStringLiteral("TSF2#NUMS:100#WMV:10#SV:2#") + QString::fromLatin1(c.word), registry());
        EXPECT_TRUE(item.ownWeights) << c.word;
        EXPECT_EQ(item.weights, c.weights) << c.word;
    }
}

}  // namespace
