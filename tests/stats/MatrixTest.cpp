// The matrix family: the values of the column and row members for several
// widths, touching numbers, the occupancy patterns (narrow and wide), the
// table of one window with its pre-seeded values, parsing, and the registry
// entries for each width.
#include <gtest/gtest.h>

#include <QString>

#include <array>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/Enumeration.h"
#include "stats/families/Matrix.h"
#include "stats/PartitionTestSupport.h"

using namespace zircon;
using namespace zircon::test;

namespace {

TConfigData columns(int cols)
{
    return configWith(10, cols);
}

}  // namespace

TEST(MatrixValues, ValuesOfFiveNumbersInMergeOrder)
{
    struct Case {
        int cols;
        const char* code;
        std::array<uint8_t, kMainCount> nums;
        std::vector<const char*> expected;
    };
    const Case cases[] = {
        // 7 columns, 10 rows: columns 1, 1, 1, 2, 6 and rows 2, 3, 4, 5, 10.
        {7, "COLS", {8, 15, 22, 30, 69}, {"1", "1", "1", "2", "6"}},
        {7, "ROWS", {8, 15, 22, 30, 69}, {"2", "3", "4", "5", "10"}},
        {7, "COLV", {8, 15, 22, 30, 69}, {"1 x 3", "2 x 1", "3 x 0", "4 x 0", "5 x 0", "6 x 1", "7 x 0"}},
        {7, "ROWV", {8, 15, 22, 30, 69},
         {"1 x 0", "2 x 1", "3 x 1", "4 x 1", "5 x 1", "6 x 0", "7 x 0", "8 x 0", "9 x 0", "10 x 1"}},
        {7, "COLN", {8, 15, 22, 30, 69}, {"3"}},
        {7, "ROWN", {8, 15, 22, 30, 69}, {"5"}},
        {7, "COLM", {8, 15, 22, 30, 69}, {"1100010 (098)"}},
        {7, "ROWM", {8, 15, 22, 30, 69}, {"0111100001 (481)"}},
        // 8-15 and 15-22 touch; 8 and 22 are two rows apart.
        {7, "COLA", {8, 15, 22, 30, 69}, {"1 x 3"}},
        {7, "COLC", {8, 15, 22, 30, 69}, {"1"}},
        {7, "ROWA", {8, 15, 22, 30, 69}, {}},
        {7, "ROWC", {8, 15, 22, 30, 69}, {"0"}},
        {7, "KFS2", {8, 15, 22, 30, 69}, {"1:1", "1:1", "1:2", "2:6"}},
        {7, "KRS2", {8, 15, 22, 30, 69}, {"2:3", "3:4", "4:5", "5:10"}},
        {7, "KFM4", {8, 15, 22, 30, 69}, {"1:1:1:2", "1:1:1:6", "1:1:2:6", "1:1:2:6", "1:1:2:6"}},
        {7, "KRS3", {8, 15, 22, 30, 69}, {"2:3:4", "3:4:5", "4:5:10"}},
        {7, "COL1", {8, 15, 22, 30, 69}, {"3"}},
        {7, "COL6", {8, 15, 22, 30, 69}, {"1"}},
        {7, "COL7", {8, 15, 22, 30, 69}, {"0"}},
        {7, "ROW10", {8, 15, 22, 30, 69}, {"1"}},
        {7, "ROW1", {8, 15, 22, 30, 69}, {"0"}},
        {7, "COLM", {1, 9, 17, 25, 33}, {"1111100 (124)"}},
        // 7 ends row 1 and 8 starts row 2: consecutive, yet not touching.
        {7, "ROWA", {7, 8, 20, 40, 60}, {}},
        {7, "ROWC", {7, 8, 20, 40, 60}, {"0"}},
        {7, "ROWA", {8, 9, 20, 40, 60}, {"2 x 2"}},
        // Three in a row: two touching pairs; 15 and 17 do not touch.
        {7, "ROWA", {15, 16, 17, 40, 60}, {"3 x 3"}},
        {7, "COLA", {3, 10, 17, 40, 60}, {"3 x 3"}},
        {7, "COLA", {3, 10, 50, 60, 69}, {"3 x 2"}},
        // Columns in the order their pairs are reached.
        {7, "COLA", {1, 8, 2, 9, 40}, {"1 x 2", "2 x 2"}},
        {7, "COLA", {2, 9, 1, 8, 40}, {"2 x 2", "1 x 2"}},
        {7, "COLC", {2, 9, 1, 8, 40}, {"2"}},
        {7, "ROWA", {1, 8, 2, 9, 40}, {"1 x 2", "2 x 2"}},
        {7, "ROWC", {1, 8, 2, 9, 40}, {"2"}},
        // Two separate pairs in one column count together.
        {7, "COLA", {1, 8, 22, 29, 50}, {"1 x 3"}},
        // One column: every number in column 1, consecutive numbers touch.
        {1, "COLS", {5, 6, 7, 20, 40}, {"1", "1", "1", "1", "1"}},
        {1, "COLN", {5, 6, 7, 20, 40}, {"1"}},
        {1, "COLV", {5, 6, 7, 20, 40}, {"1 x 5"}},
        {1, "COLM", {5, 6, 7, 20, 40}, {"1 (001)"}},
        {1, "COLA", {5, 6, 7, 20, 40}, {"1 x 3"}},
        {1, "ROWA", {5, 6, 7, 20, 40}, {}},
        {1, "ROWS", {5, 6, 7, 20, 40}, {"5", "6", "7", "20", "40"}},
        {1, "ROW69", {5, 6, 7, 20, 69}, {"1"}},
        // 69 columns: each number its own column, in one row.
        {69, "ROWS", {5, 6, 7, 20, 40}, {"1", "1", "1", "1", "1"}},
        {69, "ROWA", {5, 6, 7, 20, 40}, {"1 x 3"}},
        {69, "COLA", {5, 6, 7, 20, 40}, {}},
        // Numbers outside 1..69 sit nowhere in the grid.
        {7, "COLS", {0, 70, 255, 8, 8}, {"1", "1"}},
        {7, "COLN", {0, 70, 255, 8, 8}, {"1"}},
        {7, "COLM", {0, 70, 255, 0, 0}, {"0000000 (000)"}},
        {7, "COLA", {1, 8, 0, 70, 77}, {"1 x 2"}},
        {7, "ROW1", {0, 0, 0, 0, 0}, {"0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + " with " + std::to_string(c.cols) + " columns, first number "
                     + std::to_string(c.nums[0]));
        Registry reg(columns(c.cols));
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        EXPECT_EQ(valueTexts(*stat, c.nums), qstrings(c.expected));
    }
}

TEST(MatrixValues, ColumnAndRowOfANumber)
{
    struct Case {
        int cols;
        int n;
        int col;
        int row;
    };
    const Case cases[] = {{7, 8, 1, 2},   {7, 7, 7, 1},  {7, 69, 6, 10}, {7, 1, 1, 1},  {1, 69, 1, 69},
                          {69, 69, 69, 1}, {33, 34, 1, 2}, {33, 69, 3, 3}, {7, 0, 0, 0},  {7, 70, 0, 0},
                          {0, 5, 1, 5},    {200, 68, 68, 1}};
    for (const Case& c : cases) {
        Registry reg(columns(c.cols));
        const std::unique_ptr<TCustomStat> stat = reg.create("COLS");
        ASSERT_TRUE(stat);
        const auto& m = dynamic_cast<const TCustomMatrixStat&>(*stat);
        EXPECT_EQ(m.ColOf(c.n), c.col) << c.cols << " columns, " << c.n;
        EXPECT_EQ(m.RowOf(c.n), c.row) << c.cols << " columns, " << c.n;
    }
}

// A width of 0 or above 69 cannot come from the settings file; an instance
// made from one holds its width to 1..69.
TEST(MatrixValues, WidthOutsideTheRangeIsHeldToIt)
{
    struct Case {
        int cols;
        int heldCols;
        int heldRows;
    };
    const Case cases[] = {{0, 1, 69}, {-3, 1, 69}, {70, 69, 1}, {256, 69, 1}, {263, 69, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cols);
        Registry reg(columns(c.cols));
        const std::unique_ptr<TCustomStat> cols = reg.create("COLN");
        ASSERT_TRUE(cols);
        const auto& m = dynamic_cast<const TCustomMatrixGraphStat&>(*cols);
        EXPECT_EQ(m.MatrixCols, c.heldCols);
        EXPECT_EQ(m.MatrixRows, c.heldRows);
        const std::vector<QString> codes = reg.groupCodes(4);
        EXPECT_EQ(codes.back(), QStringLiteral("ROW%1").arg(c.heldRows));
        EXPECT_EQ(TstColValCnt::Class.paramRange(columns(c.cols)), std::make_pair(1, c.heldCols));
        EXPECT_EQ(TstRowValCnt::Class.paramRange(columns(c.cols)), std::make_pair(1, c.heldRows));
    }
}

// ------------------------------------------------------------ occupancy patterns

namespace {

// The binary number of a "1"/"0" text, in decimal, at least three digits,
// by doubling a decimal string: independent of the width of any integer.
std::string binaryToDecimal(const std::string& bits)
{
    std::string dec = "0";
    for (char b : bits) {
        int carry = b == '1' ? 1 : 0;
        for (size_t i = dec.size(); i-- > 0;) {
            const int d = (dec[i] - '0') * 2 + carry;
            dec[i] = static_cast<char>('0' + d % 10);
            carry = d / 10;
        }
        if (carry)
            dec.insert(dec.begin(), static_cast<char>('0' + carry));
    }
    while (dec.size() > 1 && dec[0] == '0')
        dec.erase(dec.begin());
    while (dec.size() < 3)
        dec.insert(dec.begin(), '0');
    return dec;
}

// The occupied columns (rows) of a combination as "1"/"0", part 1 first.
std::string occupancy(const TComb& c, int cols, bool byRows)
{
    const int parts = byRows ? (69 + cols - 1) / cols : cols;
    std::string s(static_cast<size_t>(parts), '0');
    for (uint8_t n : c.n) {
        const int p = byRows ? (n - 1) / cols + 1 : (n - 1) % cols + 1;
        s[static_cast<size_t>(p - 1)] = '1';
    }
    return s;
}

}  // namespace

// For every width the text shows exactly the occupied columns (rows) and
// the binary number they spell, and two combinations share a value exactly
// when they occupy the same columns: wide matrices included, where a
// 32-bit pattern would lose the first columns and merge patterns.
TEST(MatrixMasks, PatternsNeverMergeAtAnyWidth)
{
    struct Case {
        int cols;
        const char* code;
    };
    const Case cases[] = {{7, "COLM"},  {7, "ROWM"},  {32, "COLM"}, {33, "COLM"}, {40, "COLM"}, {64, "COLM"},
                          {65, "COLM"}, {69, "COLM"}, {2, "ROWM"},  {1, "ROWM"},  {1, "COLM"}, {3, "ROWM"}};
    std::mt19937 rng(77);
    std::uniform_int_distribution<uint32_t> rank(0, kFullSetSize - 1);
    std::vector<TComb> sample;
    for (int i = 0; i < 20000; ++i)
        sample.push_back(combUnrank(rank(rng)));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + " with " + std::to_string(c.cols) + " columns");
        const bool byRows = c.code[0] == 'R';
        Registry reg(columns(c.cols));
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        std::map<std::string, uint64_t> keyOf;
        std::map<uint64_t, std::string> patternOf;
        int failures = 0;
        for (const TComb& comb : sample) {
            KeyList keys;
            stat->CombKeys(comb.n.data(), keys);
            ASSERT_EQ(keys.count, 1);
            const std::string pattern = occupancy(comb, c.cols, byRows);
            const uint64_t raw = keys.keys[0].raw;
            const std::string text = valueText(*stat, keys.keys[0]).toStdString();
            const std::string expected = pattern + " (" + binaryToDecimal(pattern) + ")";
            const auto [k, newPattern] = keyOf.emplace(pattern, raw);
            const auto [p, newKey] = patternOf.emplace(raw, pattern);
            if ((text != expected || k->second != raw || p->second != pattern) && ++failures <= 3)
                ADD_FAILURE() << "comb " << int(comb.n[0]) << " " << int(comb.n[1]) << " " << int(comb.n[2]) << " "
                              << int(comb.n[3]) << " " << int(comb.n[4]) << ": text " << text << ", expected "
                              << expected;
        }
        EXPECT_EQ(failures, 0);
        EXPECT_EQ(keyOf.size(), patternOf.size());
        // Up to 32 parts the value stays the number in L1 with L2 = 0.
        if ((byRows ? (69 + c.cols - 1) / c.cols : c.cols) <= 32)
            for (const auto& [pattern, raw] : keyOf) {
                EXPECT_EQ(raw >> 32, 0u) << pattern;
                EXPECT_EQ(std::to_string(raw), std::to_string(std::stoull(pattern, nullptr, 2))) << pattern;
            }
    }
}

// The patterns a 32-bit number would have merged: with 40 columns, column 1
// alone and column 9 alone differ only in bits above 31.
TEST(MatrixMasks, WideColumnsKeepTheFirstColumns)
{
    Registry reg(columns(40));
    const std::unique_ptr<TCustomStat> colm = reg.create("COLM");
    ASSERT_TRUE(colm);
    const std::vector<QString> first = valueTexts(*colm, {1, 41, 41, 41, 41});
    const std::vector<QString> ninth = valueTexts(*colm, {9, 49, 49, 49, 49});
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(ninth.size(), 1u);
    EXPECT_NE(first, ninth);
    EXPECT_EQ(first[0], QStringLiteral("1") + QString(39, u'0') + QStringLiteral(" (549755813888)"));
    Registry one(columns(1));
    const std::unique_ptr<TCustomStat> rowm = one.create("ROWM");
    ASSERT_TRUE(rowm);
    // Rows 1 and 69 of 69: the number is 2^68 + 1.
    EXPECT_EQ(valueTexts(*rowm, {1, 69, 69, 1, 1})[0],
              QStringLiteral("1") + QString(67, u'0') + QStringLiteral("1 (295147905179352825857)"));
}

TEST(MatrixMasks, ParseValue)
{
    struct Case {
        int cols;
        const char* code;
        const char* text;
        int32_t parsed;
    };
    const Case cases[] = {
        {7, "COLM", "1111100 (124)", 124},
        {7, "COLM", "0000001 (001)", 1},
        {7, "COLM", "11", 96},
        {7, "COLM", "1x11100", 92},
        {7, "COLM", "", 0},
        {7, "ROWM", "0111100001 (481)", 481},
        {1, "COLM", "1 (001)", 1},
        // Only the first MatrixCols characters count.
        {3, "COLM", "101111", 5},
        // Wider than 32: the number of the last 32 columns.
        {40, "COLM", "0000000011111111111111111111111111111111", -1},
        {40, "COLM", "1000000000000000000000000000000000000001", 1},
    };
    for (const Case& c : cases) {
        Registry reg(columns(c.cols));
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        EXPECT_EQ(stat->ParseValue(QString::fromUtf8(c.text)), c.parsed) << c.code << " " << c.text;
        EXPECT_EQ(stat->TryParseValue(QString::fromUtf8(c.text)), c.parsed) << c.code << " " << c.text;
    }
    // The value-list members never parse for a list.
    Registry reg;
    for (const char* code : {"COLV", "ROWV", "KFM2", "KRS3"}) {
        const std::unique_ptr<TCustomStat> stat = reg.create(code);
        ASSERT_TRUE(stat);
        EXPECT_EQ(stat->TryParseValue(QStringLiteral("3")), 0) << code;
    }
}

// ------------------------------------------------------------ one window

TEST(MatrixWindow, PreSeededValues)
{
    struct Case {
        int cols;
        const char* code;
        int rows;
        const char* first;
        const char* last;
    };
    const Case cases[] = {
        {7, "COLS", 7, "1", "7"},           {7, "ROWS", 10, "1", "10"},        {7, "COLV", 7 * 6, "1 x 0", "7 x 5"},
        {7, "ROWV", 10 * 6, "1 x 0", "10 x 5"}, {7, "COLN", 5, "1", "5"},      {7, "ROWN", 5, "1", "5"},
        {7, "COLM", 0, "", ""},             {7, "ROWM", 0, "", ""},            {7, "COLA", 0, "", ""},
        {7, "COLC", 0, "", ""},             {7, "KFM2", 0, "", ""},            {7, "COL3", 10, "1", "10"},
        {7, "ROW3", 7, "1", "7"},           {1, "COLV", 6, "1 x 0", "1 x 5"},  {1, "ROWV", 69 * 2, "1 x 0", "69 x 1"},
        {1, "COLN", 1, "1", "1"},           {1, "ROWN", 5, "1", "5"},          {1, "COL1", 69, "1", "69"},
        {1, "ROW69", 1, "1", "1"},          {40, "ROWV", 2 * 6, "1 x 0", "2 x 5"}, {40, "ROWN", 2, "1", "2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + " with " + std::to_string(c.cols) + " columns");
        Registry reg(columns(c.cols));
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        TStatDrawArray items;
        stat->BeginStat(-1, items);
        ASSERT_EQ(items.size(), c.rows);
        for (const TStatDrawItem& it : items)
            EXPECT_EQ(it.Count, 0);
        if (c.rows > 0) {
            EXPECT_EQ(stat->ValueText(items[0]), QString::fromUtf8(c.first));
            EXPECT_EQ(stat->ValueText(items[c.rows - 1]), QString::fromUtf8(c.last));
        }
    }
}

TEST(MatrixWindow, TwoDraws)
{
    // 7 columns. Draw 50: the worked example; draw 53: 1 2 8 9 40, two
    // columns and two rows with a touching pair each.
    Registry reg({makeDraw(50, {8, 15, 22, 30, 69}), makeDraw(53, {1, 2, 8, 9, 40})});
    struct Case {
        const char* code;
        std::vector<const char*> occurring;  // the rows with a Count, in table order
        std::vector<int> counts;
    };
    const Case cases[] = {
        {"COLS", {"1", "2", "5", "6"}, {5, 3, 1, 1}},
        {"COLA", {"1 x 3", "1 x 2", "2 x 2"}, {1, 1, 1}},
        {"COLC", {"1", "2"}, {1, 1}},
        {"ROWA", {"1 x 2", "2 x 2"}, {1, 1}},
        {"ROWC", {"0", "2"}, {1, 1}},
        {"COLM", {"1100010 (098)", "1100100 (100)"}, {1, 1}},
        {"COLN", {"3"}, {2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        const TStatDrawArray items = computeWindow(*stat, 2);
        std::vector<QString> texts;
        std::vector<int> counts;
        for (const TStatDrawItem& it : items)
            if (it.Count > 0) {
                texts.push_back(stat->ValueText(it));
                counts.push_back(it.Count);
            }
        EXPECT_EQ(texts, qstrings(c.occurring));
        EXPECT_EQ(counts, c.counts);
    }
}

// ------------------------------------------------------------ registry

TEST(MatrixRegistry, DefaultEntries)
{
    const RegistryEntry cases[] = {
        {"COLS", "TstColumns", "Столбцы матрицы (не пустые)", "N", "COLS", true, 0},
        {"ROWS", "TstRows", "Строки матрицы (не пустые)", "N", "ROWS", true, 0},
        {"COLV", "TstColValues", "Количество чисел в столбце матрицы", "N", "COLV", false, 0},
        {"ROWV", "TstRowValues", "Количество чисел в строке матрицы", "N", "ROWV", false, 0},
        {"COLN", "TstColCount", "Количество не пустых столбцов в матрице", "NG", "COLN", true, 0},
        {"ROWN", "TstRowCount", "Количество не пустых строк в матрице", "NG", "ROWN", true, 0},
        {"COLM", "TstColMask", "Сочетания столбцов матрицы", "N", "COLM", true, 0},
        {"ROWM", "TstRowMask", "Сочетания строк матрицы", "N", "ROWM", true, 0},
        {"COLA", "TstColAjacent", "Столбцы матрицы со смежными числами", "N", "COLA", true, 0},
        {"ROWA", "TstRowAjacent", "Строки матрицы со смежными числами", "N", "ROWA", true, 0},
        {"COLC", "TstColAjacentCnt", "Количество столбцов матрицы со смежными числами", "NG", "COLC", true, 0},
        {"ROWC", "TstRowAjacentCnt", "Количество строк матрицы со смежными числами", "NG", "ROWC", true, 0},
        {"KFM2", "TstCombColMix2", "Сочетания из 2 столбцов по всем числам тиража", "S", "KFM2", false, 0},
        {"KFM3", "TstCombColMix3", "Сочетания из 3 столбцов по всем числам тиража", "S", "KFM3", false, 0},
        {"KFM4", "TstCombColMix4", "Сочетания из 4 столбцов по всем числам тиража", "S", "KFM4", false, 0},
        {"KFS2", "TstCombColSeq2", "Сочетания из 2 столбцов по соседним числам", "S", "KFS2", false, 0},
        {"KFS3", "TstCombColSeq3", "Сочетания из 3 столбцов по соседним числам", "S", "KFS3", false, 0},
        {"KFS4", "TstCombColSeq4", "Сочетания из 4 столбцов по соседним числам", "S", "KFS4", false, 0},
        {"KRM2", "TstCombRowMix2", "Сочетания из 2 строк по всем числам тиража", "S", "KRM2", false, 0},
        {"KRM3", "TstCombRowMix3", "Сочетания из 3 строк по всем числам тиража", "S", "KRM3", false, 0},
        {"KRM4", "TstCombRowMix4", "Сочетания из 4 строк по всем числам тиража", "S", "KRM4", false, 0},
        {"KRS2", "TstCombRowSeq2", "Сочетания из 2 строк по соседним числам", "S", "KRS2", false, 0},
        {"KRS3", "TstCombRowSeq3", "Сочетания из 3 строк по соседним числам", "S", "KRS3", false, 0},
        {"KRS4", "TstCombRowSeq4", "Сочетания из 4 строк по соседним числам", "S", "KRS4", false, 0},
    };
    Registry reg;
    std::vector<QString> expected;
    for (const RegistryEntry& c : cases)
        expected.push_back(QString::fromUtf8(c.code));
    for (int p = 1; p <= 7; ++p)
        expected.push_back(QStringLiteral("COL%1").arg(p));
    for (int p = 1; p <= 10; ++p)
        expected.push_back(QStringLiteral("ROW%1").arg(p));
    EXPECT_EQ(reg.groupCodes(4), expected);
    for (const RegistryEntry& c : cases) {
        SCOPED_TRACE(c.code);
        const int i = reg.list.FindCode(QString::fromUtf8(c.code));
        ASSERT_GE(i, 0);
        expectEntry(reg.list, i, c);
        const std::unique_ptr<TCustomStat> stat = reg.list.CreateStat(i);
        ASSERT_TRUE(stat);
        EXPECT_EQ(dynamic_cast<TCustomMatrixGraphStat*>(stat.get()) != nullptr, reg.list.HasGraph(i));
        EXPECT_EQ(dynamic_cast<TCustomMatrixStat*>(stat.get()) != nullptr, !reg.list.HasGraph(i));
    }
    struct Param {
        const char* code;
        const char* className;
        const char* title;
        const char* helpCode;
        int param;
    };
    const Param params[] = {
        {"COL1", "TstColValCnt", "Количество чисел в 1 столбце матрицы", "COLx", 1},
        {"COL7", "TstColValCnt", "Количество чисел в 7 столбце матрицы", "COLx", 7},
        {"ROW1", "TstRowValCnt", "Количество чисел в 1 строке матрицы", "ROWx", 1},
        {"ROW10", "TstRowValCnt", "Количество чисел в 10 строке матрицы", "ROWx", 10},
    };
    for (const Param& p : params) {
        const int i = reg.list.FindCode(QString::fromUtf8(p.code));
        ASSERT_GE(i, 0) << p.code;
        const TStatMethod& m = reg.list.Items(i);
        EXPECT_STREQ(m.StatClass->className, p.className);
        EXPECT_EQ(m.Param, p.param);
        EXPECT_EQ(reg.list.DisplayTitle(i), QString::fromUtf8(p.title));
        EXPECT_EQ(m.StatClass->helpCode(m.Param), QString::fromUtf8(p.helpCode));
        EXPECT_EQ(statFlagLetters(m.StatClass->fullFlags()), QStringLiteral("NG"));
    }
    EXPECT_EQ(reg.list.DisplayName(reg.list.FindCode(QStringLiteral("ROWC")), true),
              QStringLiteral("{ mtx } Количество строк матрицы со смежными числами [ NG ]"));
}

TEST(MatrixRegistry, ColumnAndRowEntriesFollowTheWidth)
{
    struct Case {
        int cols;
        int rows;
    };
    const Case cases[] = {{7, 10}, {1, 69}, {2, 35}, {10, 7}, {33, 3}, {34, 3}, {35, 2}, {40, 2}, {69, 1}};
    for (const Case& c : cases) {
        Registry reg(columns(c.cols));
        std::vector<QString> perColumn;
        std::vector<QString> perRow;
        for (const QString& code : reg.groupCodes(4)) {
            if (code.size() > 3 && code.startsWith(QStringLiteral("COL")) && code[3].isDigit())
                perColumn.push_back(code);
            if (code.size() > 3 && code.startsWith(QStringLiteral("ROW")) && code[3].isDigit())
                perRow.push_back(code);
        }
        ASSERT_EQ(perColumn.size(), static_cast<size_t>(c.cols)) << c.cols;
        ASSERT_EQ(perRow.size(), static_cast<size_t>(c.rows)) << c.cols;
        EXPECT_EQ(perColumn.back(), QStringLiteral("COL%1").arg(c.cols));
        EXPECT_EQ(perRow.back(), QStringLiteral("ROW%1").arg(c.rows));
    }
}
