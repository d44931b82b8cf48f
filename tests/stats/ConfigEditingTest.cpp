#include <gtest/gtest.h>

#include <limits>

#include "stats/ConfigEditing.h"

using namespace zircon;

namespace {

QString u8(const char* s)
{
    return QString::fromUtf8(s);
}

// Segments that differ from number to number, so a cell that lands on the
// wrong number shows.
TSegmentMap mixedSegments()
{
    TSegmentMap s{};
    for (int n = 1; n <= kMainMax; ++n)
        s[static_cast<size_t>(n - 1)] = static_cast<uint8_t>(n % 9 + 1);
    return s;
}

TEST(ConfigEditing, ParseDecimalTable)
{
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"1.5", 1.5},      {"1,5", 1.5},        {" 2 ", 2.0},          {"-3,25", -3.25},     {"0", 0.0},
        {"1e3", 1000.0},   {"", std::nullopt},  {"  ", std::nullopt},  {"abc", std::nullopt},
        {"1.2.3", std::nullopt}, {"1,2,3", std::nullopt}, {"12a", std::nullopt}, {"inf", std::nullopt},
        {"nan", std::nullopt},   {"-", std::nullopt},     {".", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto v = parseDecimal(u8(c.text));
        ASSERT_EQ(v.has_value(), c.value.has_value()) << c.text;
        if (v) {
            EXPECT_DOUBLE_EQ(*v, *c.value) << c.text;
        }
    }
}

TEST(ConfigEditing, AmountTextHasTwoDecimals)
{
    struct Case {
        TCurrency amount;
        const char* text;
    };
    const Case cases[] = {
        {0, "0.00"},           {25000, "2.50"},         {10000, "1.00"},  {-15000, "-1.50"},
        {123456789, "12345.68"},  // 12345.6789 shown to the cent
        {10000000000LL, "1000000.00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(amountText(c.amount), u8(c.text)) << c.amount;
        EXPECT_EQ(costText(c.amount), u8(c.text)) << c.amount;
    }
}

TEST(ConfigEditing, ParseAmountTable)
{
    struct Case {
        const char* text;
        TCurrency amount;
    };
    const Case cases[] = {
        {"2.50", 25000},
        {"2,50", 25000},
        {"2,5", 25000},
        {"7", 70000},
        {"1.23456", 12346},  // 12345.6 ten-thousandths to the nearest
        {"1.23454", 12345},
        {"0.0001", 1},
        {"", 0},
        {"abc", 0},
        {"1.2.3", 0},
        {"-1,5", -15000},
        {"99999999999999999999", kMaxConfigAmount},  // held where stake sums cannot overflow
        {"-99999999999999999999", -kMaxConfigAmount},
        {"999999999999", kMaxConfigAmount},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseAmount(u8(c.text)), c.amount) << c.text;
        EXPECT_EQ(costFromText(u8(c.text)), c.amount) << c.text;
    }
    // The limit leaves room for the largest system stake (56 combinations)
    // plus a prize.
    EXPECT_LT(kMaxConfigAmount, std::numeric_limits<TCurrency>::max() / 57);
}

TEST(ConfigEditing, CostTextReadsBack)
{
    for (TCurrency cost : {TCurrency{0}, TCurrency{25000}, TCurrency{10000}, TCurrency{990000}, TCurrency{12345600}})
        EXPECT_EQ(costFromText(costText(cost)), cost) << cost;
}

TEST(ConfigEditing, ProfitRowsTable)
{
    struct Case {
        const char* what;
        std::vector<TProfitItem> profits;
        QStringList rows;
    };
    const Case cases[] = {
        {"empty", {}, {"0=0.00", "1=0.00", "2=0.00", "3=0.00", "4=0.00", "5=0.00"}},
        {"the six rows the dialog writes",
         {{0, 0}, {1, 0}, {2, 40000}, {3, 100000}, {4, 1000000}, {5, 10000000000LL}},
         {"0=0.00", "1=0.00", "2=4.00", "3=10.00", "4=100.00", "5=1000000.00"}},
        {"shorter array", {{0, 15000}, {1, 25000}}, {"0=1.50", "1=2.50", "2=0.00", "3=0.00", "4=0.00", "5=0.00"}},
        // A prize stays under its own number of matches whatever its place.
        {"prize for five alone", {{5, 7000000}}, {"0=0.00", "1=0.00", "2=0.00", "3=0.00", "4=0.00", "5=700.00"}},
        {"out of order", {{3, 30000}, {2, 20000}}, {"0=0.00", "1=0.00", "2=2.00", "3=3.00", "4=0.00", "5=0.00"}},
        {"first of two for one count", {{4, 10000}, {4, 90000}}, {"0=0.00", "1=0.00", "2=0.00", "3=0.00", "4=1.00", "5=0.00"}},
        {"matches beyond five are not shown", {{6, 10000}, {0, 5000}}, {"0=0.50", "1=0.00", "2=0.00", "3=0.00", "4=0.00", "5=0.00"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(profitRows(c.profits), c.rows) << c.what;
}

TEST(ConfigEditing, ProfitsFromRowsTable)
{
    struct Case {
        const char* row;
        TProfitItem item;
    };
    const Case cases[] = {
        {"0=1.50", {0, 15000}},       {"3=2,5", {3, 25000}},  {"5=1000000", {5, 10000000000LL}},
        {"4=", {4, 0}},               {"2=abc", {2, 0}},      {"1=1=3", {1, 0}},  // the name ends at the first "="
        {"x=1", {0, 10000}},          {"7", {7, 0}},          {" 2 = 3 ", {2, 30000}},
        {"300=1", {255, 10000}},
    };
    QStringList rows;
    std::vector<TProfitItem> expected;
    for (const Case& c : cases) {
        rows.append(u8(c.row));
        expected.push_back(c.item);
        const auto one = profitsFromRows({u8(c.row)});
        ASSERT_EQ(one.size(), 1u) << c.row;
        EXPECT_EQ(one[0], c.item) << c.row;
    }
    // One element per row, in row order.
    EXPECT_EQ(profitsFromRows(rows), expected);
    EXPECT_TRUE(profitsFromRows({}).empty());
}

TEST(ConfigEditing, ProfitsBecomeSixElementsByMatchCount)
{
    const std::vector<TProfitItem> fromFile = {{5, 7000000}, {3, 70000}};
    const std::vector<TProfitItem> expected = {{0, 0}, {1, 0}, {2, 0}, {3, 70000}, {4, 0}, {5, 7000000}};
    EXPECT_EQ(profitsFromRows(profitRows(fromFile)), expected);
    // Prizes that are whole cents survive the round trip unchanged.
    EXPECT_EQ(profitsFromRows(profitRows(expected)), expected);
}

TEST(ConfigEditing, WeightTextTable)
{
    struct Case {
        double coef;
        const char* text;
    };
    const Case cases[] = {{0, "0.000"}, {-1, "-1.000"}, {1, "1.000"}, {0.12345, "0.123"}, {2.5, "2.500"}, {-0.0626, "-0.063"}};
    for (const Case& c : cases)
        EXPECT_EQ(weightText(c.coef), u8(c.text)) << c.coef;
}

TEST(ConfigEditing, ParseWeightTable)
{
    struct Case {
        const char* text;
        double coef;
    };
    const Case cases[] = {{"0,5", 0.5}, {"0.5", 0.5}, {"-1.250", -1.25}, {"3", 3.0}, {"", 0.0}, {"-", 0.0}, {"x", 0.0}};
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(parseWeight(u8(c.text)), c.coef) << c.text;
}

TEST(ConfigEditing, MatrixRowsTable)
{
    struct Case {
        int columns;
        int rows;
    };
    // ceil(69 / columns), worked out by hand; out-of-range widths first
    // brought into 1..69.
    const Case cases[] = {{1, 69}, {2, 35}, {3, 23}, {7, 10}, {10, 7}, {23, 3}, {24, 3}, {34, 3},
                          {35, 2}, {68, 2}, {69, 1}, {0, 69}, {-5, 69}, {70, 1}, {1000, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(matrixRowsFor(c.columns), c.rows) << c.columns;
    // Every width: the rows hold all 69 numbers and not one row more.
    for (int columns = 1; columns <= 69; ++columns) {
        const int rows = matrixRowsFor(columns);
        EXPECT_GE(rows * columns, 69) << columns;
        EXPECT_LT((rows - 1) * columns, 69) << columns;
    }
}

TEST(ConfigEditing, LimitsTable)
{
    struct Case {
        int value;
        int columns;
        int channel;
    };
    const Case cases[] = {{-1, 1, 4}, {0, 1, 4}, {1, 1, 4}, {3, 3, 4}, {4, 4, 4}, {7, 7, 7},
                          {10, 10, 10}, {69, 69, 69}, {70, 69, 69}};
    for (const Case& c : cases) {
        EXPECT_EQ(clampMatrixCols(c.value), c.columns) << c.value;
        EXPECT_EQ(clampChannelSize(c.value), c.channel) << c.value;
    }
}

TEST(ConfigEditing, SegmentCellNumberTable)
{
    struct Case {
        int column;
        int row;
        int columns;
        int number;  // 0: no number, the cell cannot be selected
    };
    const Case cases[] = {
        {0, 0, 7, 1},   {6, 0, 7, 7},    {0, 1, 7, 8},   {5, 9, 7, 69}, {6, 9, 7, 0},  // 70
        {7, 0, 7, 0},   {-1, 0, 7, 0},   {0, -1, 7, 0},  {0, 10, 7, 0},
        {0, 68, 1, 69}, {0, 69, 1, 0},   {68, 0, 69, 69}, {0, 1, 69, 0},
        {8, 6, 10, 69}, {9, 6, 10, 0},   {2, 3, 10, 33},
        {0, 0, 0, 0},   {0, 0, 70, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(segmentCellNumber(c.column, c.row, c.columns), c.number)
            << c.column << "," << c.row << " of " << c.columns;
        EXPECT_EQ(segmentCellSelectable(c.column, c.row, c.columns), c.number != 0)
            << c.column << "," << c.row << " of " << c.columns;
    }
}

TEST(ConfigEditing, CheckSegmentCellTable)
{
    const QString bad = QString::fromUtf8("Некорректное значение: %1!\r\rУкажите любое число от 1 до 9");
    struct Case {
        const char* text;
        uint8_t segment;
        bool message;
    };
    const Case cases[] = {
        {"1", 1, false},  {"5", 5, false},  {"9", 9, false},  {"05", 5, false}, {"", 1, false},
        {" 3 ", 3, false}, {"0", 1, true},  {"10", 1, true},  {"99", 1, true},  {"a", 1, true},
        {"-1", 1, true},  {"+2", 1, true},  {"1.5", 1, true}, {"3 4", 1, true},
    };
    for (const Case& c : cases) {
        const SegmentCellValue v = checkSegmentCell(u8(c.text));
        EXPECT_EQ(v.segment, c.segment) << c.text;
        if (c.message) {
            EXPECT_EQ(v.message, bad.arg(u8(c.text))) << c.text;
        } else {
            EXPECT_TRUE(v.message.isEmpty()) << c.text;
        }
    }
}

TEST(ConfigEditing, SegmentGridIsLaidOutLikeTheMatrix)
{
    const TSegmentMap s = mixedSegments();
    struct Case {
        int columns;
        size_t rows;
        size_t width;
    };
    const Case cases[] = {{7, 10, 7}, {10, 7, 10}, {1, 69, 1}, {69, 1, 69}, {23, 3, 23}, {0, 69, 1}, {99, 1, 69}};
    for (const Case& c : cases) {
        const SegmentGrid grid = segmentGridTexts(s, c.columns);
        ASSERT_EQ(grid.size(), c.rows) << c.columns;
        for (const auto& row : grid)
            ASSERT_EQ(row.size(), c.width) << c.columns;
    }
    // Hand-placed cells of the 7-wide matrix: 1 top left, 8 below it, 69 on
    // the last row in the sixth column, nothing after it.
    const SegmentGrid g7 = segmentGridTexts(s, 7);
    EXPECT_EQ(g7[0][0], QString::number(s[0]));
    EXPECT_EQ(g7[0][6], QString::number(s[6]));
    EXPECT_EQ(g7[1][0], QString::number(s[7]));
    EXPECT_EQ(g7[9][5], QString::number(s[68]));
    EXPECT_EQ(g7[9][6], QString());
    const SegmentGrid g10 = segmentGridTexts(s, 10);
    EXPECT_EQ(g10[3][2], QString::number(s[32]));  // number 33
    EXPECT_EQ(g10[6][8], QString::number(s[68]));
    EXPECT_EQ(g10[6][9], QString());
}

TEST(ConfigEditing, SegmentGridShowsOutOfRangeValuesAsOne)
{
    TSegmentMap s{};
    s.fill(1);
    s[3] = 0;
    s[4] = 12;
    const SegmentGrid g = segmentGridTexts(s, 7);
    EXPECT_EQ(g[0][3], QStringLiteral("1"));
    EXPECT_EQ(g[0][4], QStringLiteral("1"));
}

TEST(ConfigEditing, SegmentsFromGridReadBackForEveryWidth)
{
    const TSegmentMap s = mixedSegments();
    for (int columns = 1; columns <= 69; ++columns)
        EXPECT_EQ(segmentsFromGrid(segmentGridTexts(s, columns)), s) << columns;
}

TEST(ConfigEditing, SegmentsFromGridReadsEmptyAndBadCellsAsOne)
{
    SegmentGrid g = segmentGridTexts(mixedSegments(), 7);
    g[0][1] = QString();          // number 2
    g[1][2] = QStringLiteral("0");  // number 10
    g[2][3] = QStringLiteral("x");  // number 18
    g[9][6] = QStringLiteral("7");  // beyond 69: no number, ignored
    const TSegmentMap r = segmentsFromGrid(g);
    TSegmentMap expected = mixedSegments();
    expected[1] = 1;
    expected[9] = 1;
    expected[17] = 1;
    EXPECT_EQ(r, expected);

    // Numbers without a cell stay in segment 1.
    SegmentGrid partial(2, std::vector<QString>(7, QStringLiteral("4")));
    const TSegmentMap p = segmentsFromGrid(partial);
    for (int n = 1; n <= 69; ++n)
        EXPECT_EQ(p[static_cast<size_t>(n - 1)], n <= 14 ? 4 : 1) << n;
    TSegmentMap ones{};
    ones.fill(1);
    EXPECT_EQ(segmentsFromGrid({}), ones);
}

TEST(ConfigEditing, RelayoutKeepsTheSixtyNineValues)
{
    const TSegmentMap s = mixedSegments();
    // A chain of widths, each re-layout starting from the previous one.
    const int widths[] = {7, 10, 1, 69, 2, 23, 68, 5, 7};
    SegmentGrid grid = segmentGridTexts(s, widths[0]);
    for (int columns : widths) {
        grid = relayoutSegmentGrid(grid, columns);
        ASSERT_EQ(grid.size(), static_cast<size_t>(matrixRowsFor(columns))) << columns;
        ASSERT_EQ(grid.front().size(), static_cast<size_t>(columns)) << columns;
        EXPECT_EQ(grid, segmentGridTexts(s, columns)) << columns;
        EXPECT_EQ(segmentsFromGrid(grid), s) << columns;
    }
}

TEST(ConfigEditing, RelayoutKeepsCellTextsAsTheyStand)
{
    SegmentGrid g = segmentGridTexts(mixedSegments(), 7);
    g[0][0] = QString();            // number 1, empty
    g[9][5] = QStringLiteral("9");  // number 69
    const SegmentGrid wide = relayoutSegmentGrid(g, 10);
    EXPECT_EQ(wide[0][0], QString());
    EXPECT_EQ(wide[6][8], QStringLiteral("9"));
    EXPECT_EQ(wide[6][9], QString());
    const SegmentGrid back = relayoutSegmentGrid(wide, 7);
    EXPECT_EQ(back, g);
}

TEST(ConfigEditing, StaleGroupsTable)
{
    const TConfigData base;
    struct Case {
        const char* what;
        void (*change)(TConfigData&);
        std::set<int> groups;
    };
    const Case cases[] = {
        {"nothing", [](TConfigData&) {}, {}},
        {"matrix width", [](TConfigData& c) { c.MatrixCols = 10; }, {4}},
        {"channel size", [](TConfigData& c) { c.ChannelSize = 12; }, {3}},
        {"one segment", [](TConfigData& c) { c.Segments[68] = 2; }, {5}},
        {"width and segments", [](TConfigData& c) { c.MatrixCols = 5; c.Segments[0] = 3; }, {4, 5}},
        {"all three", [](TConfigData& c) { c.MatrixCols = 5; c.ChannelSize = 5; c.Segments[0] = 3; }, {3, 4, 5}},
        {"stake price", [](TConfigData& c) { c.Cost = 25000; }, {}},
        {"prizes", [](TConfigData& c) { c.Profits = {{5, 10000}}; }, {}},
        {"weights", [](TConfigData& c) { c.Weights.CountCoef = 2; c.Weights.UsePercents = true; }, {}},
        {"extended stake", [](TConfigData& c) { c.MaxStake = 8; }, {}},
    };
    for (const Case& c : cases) {
        TConfigData after = base;
        c.change(after);
        EXPECT_EQ(staleGroups(base, after), c.groups) << c.what;
        EXPECT_EQ(staleGroups(after, base), c.groups) << c.what << " (undone)";
    }
}

}  // namespace
