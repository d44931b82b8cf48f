#include "stats/SelectionModes.h"

#include <QRegularExpression>

#include <algorithm>
#include <optional>

#include "core/Error.h"
#include "core/Format.h"
#include "core/IntList.h"
#include "core/Tr.h"
#include "stats/StatTable.h"
#include "stats/TCustomStat.h"

namespace zircon {
namespace {

// What each mode reads and how it compares.
enum class Kind { All, IntAtLeast, IntAtMost, IntList, RealAtLeast, RealAtMost, RealList, ValueList };

struct ModeInfo {
    const char* code;
    const char* caption;
    Kind kind;
    int column;
    double fallback;  // the cell's number when it is not one, for the threshold tests
};

constexpr double kAbsent = 65535;

constexpr ModeInfo kModes[kSelectionModeCount] = {
    {"LNO", ZT("Весь список (без условий)"), Kind::All, 0, 0},
    {"LMV", ZT("\"Глубина\": не менее заданного значения"), Kind::IntAtLeast, StatTable::ColDepth, 0},
    {"LMP", ZT("\"Глубина\": не менее заданного процента"), Kind::RealAtLeast, StatTable::ColDepthPercent, 0},
    {"LLV", ZT("\"Глубина\": не более заданного значения"), Kind::IntAtMost, StatTable::ColDepth, kAbsent},
    {"LLP", ZT("\"Глубина\": не более заданного процента"), Kind::RealAtMost, StatTable::ColDepthPercent, kAbsent},
    {"LDV", ZT("\"Глубина\": из заданного списка значений"), Kind::IntList, StatTable::ColDepth, 0},
    {"LDP", ZT("\"Глубина\": из заданного списка процентов"), Kind::RealList, StatTable::ColDepthPercent, 0},
    {"DMV", ZT("\"Отклонение\": не менее заданного значения"), Kind::IntAtLeast, StatTable::ColDeviation, 0},
    {"DMP", ZT("\"Отклонение\": не менее заданного процента"), Kind::RealAtLeast, StatTable::ColDeviationPercent, 0},
    {"DLV", ZT("\"Отклонение\": не более заданного значения"), Kind::IntAtMost, StatTable::ColDeviation, kAbsent},
    {"DLP", ZT("\"Отклонение\": не более заданного процента"), Kind::RealAtMost, StatTable::ColDeviationPercent,
     kAbsent},
    {"DDV", ZT("\"Отклонение\": из заданного списка значений"), Kind::IntList, StatTable::ColDeviation, 0},
    {"DDP", ZT("\"Отклонение\": из заданного списка процентов"), Kind::RealList, StatTable::ColDeviationPercent, 0},
    {"CMV", ZT("\"Количество\": не менее заданного значения"), Kind::IntAtLeast, StatTable::ColCount, 0},
    {"CMP", ZT("\"Количество\": не менее заданного процента"), Kind::RealAtLeast, StatTable::ColCountPercent, 0},
    {"CLV", ZT("\"Количество\": не более заданного значения"), Kind::IntAtMost, StatTable::ColCount, kAbsent},
    {"CLP", ZT("\"Количество\": не более заданного процента"), Kind::RealAtMost, StatTable::ColCountPercent, kAbsent},
    {"CDV", ZT("\"Количество\": из заданного списка значений"), Kind::IntList, StatTable::ColCount, 0},
    {"CDP", ZT("\"Количество\": из заданного списка процентов"), Kind::RealList, StatTable::ColCountPercent, 0},
    {"WMV", ZT("\"Вес\": не менее заданного значения"), Kind::RealAtLeast, StatTable::ColWeight, 0},
    {"WLV", ZT("\"Вес\": не более заданного значения"), Kind::RealAtMost, StatTable::ColWeight, 0},
    {"WDV", ZT("\"Вес\": из заданного списка значений"), Kind::RealList, StatTable::ColWeight, 0},
    {"PIM", ZT("\"Период min\": не менее заданного значения"), Kind::IntAtLeast, StatTable::ColPeriodMin, 0},
    {"PIL", ZT("\"Период min\": не более заданного значения"), Kind::IntAtMost, StatTable::ColPeriodMin, kAbsent},
    {"PIR", ZT("\"Период min\": из заданного списка значений"), Kind::IntList, StatTable::ColPeriodMin, 0},
    {"PAM", ZT("\"Период\": не менее заданного значения"), Kind::RealAtLeast, StatTable::ColPeriod, 0},
    {"PAL", ZT("\"Период\": не более заданного значения"), Kind::RealAtMost, StatTable::ColPeriod, 0},
    {"PAR", ZT("\"Период\": из заданного списка значений"), Kind::RealList, StatTable::ColPeriod, 0},
    {"PXM", ZT("\"Период max\": не менее заданного значения"), Kind::IntAtLeast, StatTable::ColPeriodMax, 0},
    {"PXL", ZT("\"Период max\": не более заданного значения"), Kind::IntAtMost, StatTable::ColPeriodMax, kAbsent},
    {"PXR", ZT("\"Период max\": из заданного списка значений"), Kind::IntList, StatTable::ColPeriodMax, 0},
    {"LVA", ZT("\"Значения\": из заданного списка значений"), Kind::ValueList, StatTable::ColValue, 0},
};

struct StopInfo {
    const char* code;
    const char* caption;
};

constexpr StopInfo kStops[kStopModeCount] = {
    {"SF", ZT("Обработать все записи")},
    {"SC", ZT("Количеству оставшихся комбинаций")},
    {"SZ", ZT("Пока список не будет пуст и откатить на шаг")},
    {"ST", ZT("Количеству шагов")},
    {"SV", ZT("Значению в списке статистики")},
    {"SP", ZT("Процентному соотношению в списке статистики")},
};

QString errorCaption()
{
    return QStringLiteral("# ERROR #");
}

std::optional<double> integerOf(const QString& text)
{
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<double>(static_cast<double>(v)) : std::nullopt;
}

std::optional<double> realOf(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

[[noreturn]] void badValue(const QString& text)
{
    throw Error(fmt(tr("Некорректное значение условия выделения: \"%s\"!"), text));
}

// Numbers separated by "," or ";" (empty words skipped); for whole numbers
// also a range "low-high;step".
std::vector<double> listOf(const QString& text, bool real)
{
    std::vector<double> list;
    bool bad = false;
    for (const QString& word : text.split(QRegularExpression(QStringLiteral("[,;]")))) {
        if (word.trimmed().isEmpty())
            continue;
        const std::optional<double> v = real ? realOf(word) : integerOf(word);
        if (!v) {
            bad = true;
            break;
        }
        list.push_back(*v);
    }
    if (!bad)
        return list;
    const TIntArray range = ParseIntRange(text.trimmed());
    if (range.empty())
        badValue(text);
    return std::vector<double>(range.begin(), range.end());
}

}  // namespace

QString selectionModeCode(int mode)
{
    if (mode < 0 || mode >= kSelectionModeCount)
        return {};
    return QString::fromLatin1(kModes[mode].code);
}

QString selectionModeCaption(int mode)
{
    if (mode < 0 || mode >= kSelectionModeCount)
        return errorCaption();
    return tr(kModes[mode].caption);
}

int selectionModeByCode(const QString& code)
{
    const QString c = code.trimmed();
    for (int i = 0; i < kSelectionModeCount; ++i)
        if (c.compare(QLatin1String(kModes[i].code), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool selectionModeUsesWeights(int mode)
{
    return mode == ModeWMV || mode == ModeWLV || mode == ModeWDV;
}

QString stopModeCode(int mode)
{
    if (mode < 0 || mode >= kStopModeCount)
        return {};
    return QString::fromLatin1(kStops[mode].code);
}

QString stopModeCaption(int mode)
{
    if (mode < 0 || mode >= kStopModeCount)
        return errorCaption();
    return tr(kStops[mode].caption);
}

int stopModeByCode(const QString& code)
{
    const QString c = code.trimmed();
    for (int i = 0; i < kStopModeCount; ++i)
        if (c.compare(QLatin1String(kStops[i].code), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

SelectionCondition::SelectionCondition(int mode, const QString& valueText, const TCustomStat& stat)
    : m_stat(stat)
{
    // A mode out of range selects every row.
    if (mode < 0 || mode >= kSelectionModeCount)
        return;
    const ModeInfo& info = kModes[mode];
    m_column = info.column;
    m_default = info.fallback;
    switch (info.kind) {
    case Kind::All:
        m_test = Test::All;
        return;
    case Kind::IntAtLeast:
    case Kind::RealAtLeast:
    case Kind::IntAtMost:
    case Kind::RealAtMost: {
        const std::optional<double> v = realOf(valueText);
        if (!v)
            badValue(valueText);
        m_value = *v;
        m_real = info.kind == Kind::RealAtLeast || info.kind == Kind::RealAtMost;
        m_test = info.kind == Kind::IntAtLeast || info.kind == Kind::RealAtLeast ? Test::AtLeast : Test::AtMost;
        return;
    }
    case Kind::IntList:
    case Kind::RealList:
        m_real = info.kind == Kind::RealList;
        m_hasDefault = false;
        m_list = listOf(valueText, m_real);
        m_test = Test::InList;
        return;
    case Kind::ValueList:
        if (!stat.classInfo().valueListSelectable)
            throw Error(tr("Для данного вида статистики не доступен режим выделения по списку значений!"));
        m_list = listOf(valueText, false);
        m_test = Test::ValueList;
        return;
    }
}

bool SelectionCondition::matches(const StatTable& table, int row) const
{
    if (row < 0 || row >= table.rowCount())
        return false;
    auto inList = [this](double v) { return std::find(m_list.begin(), m_list.end(), v) != m_list.end(); };
    switch (m_test) {
    case Test::All:
        return true;
    case Test::ValueList:
        return inList(m_stat.TryParseValue(table.valueText(row)));
    case Test::AtLeast:
    case Test::AtMost:
    case Test::InList:
        break;
    }
    const QString& cell = table.cell(row, m_column);
    std::optional<double> v = m_real ? realOf(cell) : integerOf(cell);
    if (!v) {
        if (!m_hasDefault)
            return false;
        v = m_default;
    }
    if (m_test == Test::AtLeast)
        return *v >= m_value;
    if (m_test == Test::AtMost)
        return *v <= m_value;
    return inList(*v);
}

bool rowSelected(const StatTable& table, int row, int mode, const QString& valueText, const TCustomStat& stat)
{
    return SelectionCondition(mode, valueText, stat).matches(table, row);
}

std::vector<int> selectRows(const StatTable& table, int mode, const QString& valueText, const TCustomStat& stat)
{
    const SelectionCondition condition(mode, valueText, stat);
    std::vector<int> rows;
    for (int r = 0; r < table.rowCount(); ++r)
        if (condition.matches(table, r))
            rows.push_back(r);
    return rows;
}

}  // namespace zircon
