#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "core/Error.h"
#include "stats/Prefetch.h"
#include "stats/SelectionModes.h"
#include "stats/StatTable.h"
#include "stats/TestStats.h"

using namespace zircon;
using namespace zircon::test;

namespace {

TDrawsArray handArchive()
{
    return {
        makeDraw(98, {1, 2, 3, 4, 5}),    makeDraw(99, {1, 6, 7, 8, 9}),    makeDraw(100, {2, 6, 10, 11, 12}),
        makeDraw(101, {1, 2, 13, 14, 15}), makeDraw(102, {3, 6, 16, 17, 18}), makeDraw(103, {1, 19, 20, 21, 22}),
    };
}

// "1 2 6 16..69" -> the set of values.
std::set<int> valuesOf(const std::string& spec)
{
    std::set<int> out;
    size_t pos = 0;
    while (pos < spec.size()) {
        const size_t end = spec.find(' ', pos);
        const std::string word = spec.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        pos = end == std::string::npos ? spec.size() : end + 1;
        if (word.empty())
            continue;
        const size_t dots = word.find("..");
        if (dots == std::string::npos) {
            out.insert(std::stoi(word));
        } else {
            for (int v = std::stoi(word.substr(0, dots)); v <= std::stoi(word.substr(dots + 2)); ++v)
                out.insert(v);
        }
    }
    return out;
}

class SelectionModesTest : public ::testing::Test {
protected:
    SelectionModesTest() : m_reg({&TstSeededNumber::Class, &TstNoValueList::Class}, handArchive())
    {
        // 1..12 equally frequent in the full set, 13..69 absent from it.
        PrefetchSource src;
        for (int v = 1; v <= 12; ++v)
            src.records.push_back({TStatKey::k1(static_cast<uint16_t>(v)), 814385});
        src.minCount = src.maxCount = 814385;
        m_table = computeStatTable(m_reg.list(), 0, 4, 2, false, &src);
        m_stat = m_reg.list().CreateStat(0);
    }

    std::set<int> selected(int mode, const char* value)
    {
        std::set<int> out;
        for (int r : selectRows(m_table, mode, QString::fromUtf8(value), *m_stat))
            out.insert(m_table.valueText(r).toInt());
        return out;
    }

    TestRegistry m_reg;
    StatTable m_table;
    std::unique_ptr<TCustomStat> m_stat;
};

}  // namespace

TEST(SelectionModes, CodesAndCaptions)
{
    const char* expected[][2] = {
        {"LNO", "Весь список (без условий)"},
        {"LMV", "\"Глубина\": не менее заданного значения"},
        {"LMP", "\"Глубина\": не менее заданного процента"},
        {"LLV", "\"Глубина\": не более заданного значения"},
        {"LLP", "\"Глубина\": не более заданного процента"},
        {"LDV", "\"Глубина\": из заданного списка значений"},
        {"LDP", "\"Глубина\": из заданного списка процентов"},
        {"DMV", "\"Отклонение\": не менее заданного значения"},
        {"DMP", "\"Отклонение\": не менее заданного процента"},
        {"DLV", "\"Отклонение\": не более заданного значения"},
        {"DLP", "\"Отклонение\": не более заданного процента"},
        {"DDV", "\"Отклонение\": из заданного списка значений"},
        {"DDP", "\"Отклонение\": из заданного списка процентов"},
        {"CMV", "\"Количество\": не менее заданного значения"},
        {"CMP", "\"Количество\": не менее заданного процента"},
        {"CLV", "\"Количество\": не более заданного значения"},
        {"CLP", "\"Количество\": не более заданного процента"},
        {"CDV", "\"Количество\": из заданного списка значений"},
        {"CDP", "\"Количество\": из заданного списка процентов"},
        {"WMV", "\"Вес\": не менее заданного значения"},
        {"WLV", "\"Вес\": не более заданного значения"},
        {"WDV", "\"Вес\": из заданного списка значений"},
        {"PIM", "\"Период min\": не менее заданного значения"},
        {"PIL", "\"Период min\": не более заданного значения"},
        {"PIR", "\"Период min\": из заданного списка значений"},
        {"PAM", "\"Период\": не менее заданного значения"},
        {"PAL", "\"Период\": не более заданного значения"},
        {"PAR", "\"Период\": из заданного списка значений"},
        {"PXM", "\"Период max\": не менее заданного значения"},
        {"PXL", "\"Период max\": не более заданного значения"},
        {"PXR", "\"Период max\": из заданного списка значений"},
        {"LVA", "\"Значения\": из заданного списка значений"},
    };
    static_assert(std::size(expected) == kSelectionModeCount);
    for (int i = 0; i < kSelectionModeCount; ++i) {
        EXPECT_EQ(selectionModeCode(i), QString::fromUtf8(expected[i][0])) << i;
        EXPECT_EQ(selectionModeCaption(i), QString::fromUtf8(expected[i][1])) << i;
        EXPECT_EQ(selectionModeByCode(QString::fromUtf8(expected[i][0])), i);
        EXPECT_EQ(selectionModeUsesWeights(i), i >= 19 && i <= 21) << i;
    }
    EXPECT_EQ(selectionModeByCode(QStringLiteral("lva")), 31);
    EXPECT_EQ(selectionModeByCode(QStringLiteral("XYZ")), -1);
    EXPECT_EQ(selectionModeCaption(32), QStringLiteral("# ERROR #"));
    EXPECT_EQ(selectionModeCaption(-1), QStringLiteral("# ERROR #"));
    EXPECT_EQ(selectionModeCode(32), QString());
}

TEST(SelectionModes, StopModes)
{
    const char* expected[][2] = {
        {"SF", "Обработать все записи"},
        {"SC", "Количеству оставшихся комбинаций"},
        {"SZ", "Пока список не будет пуст и откатить на шаг"},
        {"ST", "Количеству шагов"},
        {"SV", "Значению в списке статистики"},
        {"SP", "Процентному соотношению в списке статистики"},
    };
    static_assert(std::size(expected) == kStopModeCount);
    for (int i = 0; i < kStopModeCount; ++i) {
        EXPECT_EQ(stopModeCode(i), QString::fromUtf8(expected[i][0]));
        EXPECT_EQ(stopModeCaption(i), QString::fromUtf8(expected[i][1]));
        EXPECT_EQ(stopModeByCode(QString::fromUtf8(expected[i][0])), i);
    }
    EXPECT_EQ(stopModeCaption(6), QStringLiteral("# ERROR #"));
    EXPECT_EQ(stopModeCaption(-1), QStringLiteral("# ERROR #"));
    EXPECT_EQ(stopModeByCode(QStringLiteral("SX")), -1);
}

// The table (N = 4, window 98..101, 1..69 pre-seeded, norm 2 for 1..12):
//   value  count  count%  dev  dev%   depth depth%  weight  pmin period pmax
//   1, 2   3      15      1    50     1     25      0.00    1    1.3333 2
//   3..5   1      5       -1   -50    4     100     5.00    -    -      -
//   6      2      10      0    0      2     50      2.00    1    2.0000 1
//   7..9   1      5       -1   -50    3     75      4.00    -    -      -
//   10..12 1      5       -1   -50    2     50      3.00    -    -      -
//   13..15 1      5       1    100    1     25      0.00    -    -      -
//   16..69 0      0       0    0      -     -       -       -    -      -
TEST_F(SelectionModesTest, EveryMode)
{
    ASSERT_EQ(m_table.rowCount(), 69);
    struct Case {
        int mode;
        const char* value;
        const char* expected;
    };
    const Case cases[] = {
        {ModeLNO, "", "1..69"},
        {ModeLMV, "3", "3..5 7..9"},                // "-" reads as 0
        {ModeLMP, "75", "3..5 7..9"},
        {ModeLLV, "1", "1 2 13..15"},               // "-" reads as 65535
        {ModeLLP, "50", "1 2 6 10..15"},
        {ModeLDV, "2;4", "3..6 10..12"},
        {ModeLDP, "25,100", "1..5 13..15"},
        {ModeDMV, "0", "1 2 6 13..69"},
        {ModeDMP, "50", "1 2 13..15"},
        {ModeDLV, "-1", "3..5 7..12"},
        {ModeDLP, "0", "3..12 16..69"},
        {ModeDDV, "1", "1 2 13..15"},
        {ModeDDP, "100", "13..15"},
        {ModeCMV, "2", "1 2 6"},
        {ModeCMP, "10", "1 2 6"},
        {ModeCLV, "0", "16..69"},
        {ModeCLP, "5", "3..5 7..69"},
        {ModeCDV, "1,3", "1..5 7..15"},
        {ModeCDP, "10", "6"},
        {ModeWMV, "3", "3..5 7..12"},
        {ModeWLV, "0", "1 2 13..69"},               // here "-" reads as 0 and passes
        {ModeWDV, "2;5", "3..6"},
        {ModePIM, "1", "1 2 6"},
        {ModePIL, "1", "1 2 6"},
        {ModePIR, "1", "1 2 6"},
        {ModePAM, "2", "6"},
        {ModePAL, "1.5", "1..5 7..69"},             // "-" reads as 0
        {ModePAR, "2", "6"},
        {ModePXM, "2", "1 2"},
        {ModePXL, "1", "6"},
        {ModePXR, "1;2", "1 2 6"},
        {ModeLVA, "5;7;70", "5 7"},
        {ModeLVA, "10-14;2", "10 12 14"},           // a range "low-high;step"
        {ModeLDV, " 1 ; ;4 ", "1..5 13..15"},       // blanks and empty words skipped
        {32, "whatever", "1..69"},                  // out of range: every row
        {-1, "", "1..69"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(selected(c.mode, c.value), valuesOf(c.expected)) << c.mode << " " << c.value;
        // The single-row test agrees with the whole selection.
        for (int r : {0, 5, 20}) {
            const bool in = valuesOf(c.expected).count(m_table.valueText(r).toInt()) > 0;
            EXPECT_EQ(rowSelected(m_table, r, c.mode, QString::fromUtf8(c.value), *m_stat), in) << c.mode << " " << r;
        }
    }
}

TEST_F(SelectionModesTest, BadValuesAreErrors)
{
    const std::pair<int, const char*> cases[] = {
        {ModeLMV, ""}, {ModeLMV, "abc"}, {ModeCLP, "1;2"}, {ModeLDV, "1;x"}, {ModeLVA, "5;seven"}, {ModePAR, "1.5.2"},
    };
    for (const auto& [mode, value] : cases)
        EXPECT_THROW(selectRows(m_table, mode, QString::fromUtf8(value), *m_stat), Error) << mode << " " << value;
    // A mode without a value ignores the text.
    EXPECT_NO_THROW(selectRows(m_table, ModeLNO, QStringLiteral("abc"), *m_stat));
}

TEST_F(SelectionModesTest, ValueListRefusedWhereTheMethodForbidsIt)
{
    const std::unique_ptr<TCustomStat> noList = m_reg.list().CreateStat(1);
    try {
        selectRows(m_table, ModeLVA, QStringLiteral("1"), *noList);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Для данного вида статистики не доступен режим выделения по списку значений!"));
    }
    EXPECT_THROW(rowSelected(m_table, 0, ModeLVA, QStringLiteral("1"), *noList), Error);
    // Other modes work for it.
    EXPECT_EQ(selectRows(m_table, ModeCMV, QStringLiteral("3"), *noList).size(), 2u);
}
