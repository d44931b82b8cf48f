#include "shell/StatisticsView.h"

#include <algorithm>
#include <utility>

#include "core/Error.h"
#include "core/Format.h"
#include "core/MainFormKeys.h"
#include "core/Tr.h"
#include "shell/BusyState.h"
#include "shell/CombCommands.h"
#include "shell/Workspace.h"
#include "stats/TCustomStat.h"
#include "stats/TStatList.h"

namespace zircon {

namespace {

const char* const kChooserName = "cbDrawsStatType";

// The columns of a row's twelve texts; -1 stands for the empty second text.
constexpr int kRowValueColumns[12] = {
    StatTable::ColValue,     -1,
    StatTable::ColCount,     StatTable::ColCountPercent,
    StatTable::ColDeviation, StatTable::ColDeviationPercent,
    StatTable::ColDepth,     StatTable::ColDepthPercent,
    StatTable::ColWeight,    StatTable::ColPeriodMin,
    StatTable::ColPeriod,    StatTable::ColPeriodMax,
};

int chooserPick(bool keepSelection, int previous, size_t size)
{
    if (keepSelection && previous >= 0 && static_cast<size_t>(previous) < size)
        return previous;
    return size > 0 ? 0 : -1;
}

int entryMethod(const std::vector<StatChooserEntry>& entries, int index)
{
    if (index < 0 || static_cast<size_t>(index) >= entries.size())
        return -1;
    return entries[static_cast<size_t>(index)].methodIndex;
}

// Holds a flag up for one scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
};

}  // namespace

StatChart statChart(const StatTable& table, const TCustomStat& stat, const PrefetchSource* norms, bool showTotalLine)
{
    StatChart chart;
    chart.actual.name = tr("Фактические данные");
    if (table.rowCount() < 2)
        return chart;
    const TStatDrawArray& items = table.items();
    if (table.hasNorm() && norms) {
        if (showTotalLine)
            chart.total = StatChartSeries{tr("Все возможные комбинации"), {}};
        const double scale = table.normScale();
        int j = 0;
        for (const PrefetchRecord& record : norms->records) {
            ++j;
            const int at = items.find(record.key);
            QString label;
            if (at >= 0) {
                label = table.valueText(at);
            } else {
                TStatDrawItem probe;
                probe.Key = record.key;
                label = stat.ValueText(probe);
            }
            if (chart.total)
                chart.total->points.push_back({j, static_cast<double>(record.count) * scale, label});
            if (at >= 0)
                chart.actual.points.push_back({j, static_cast<double>(items[at].Count), label});
        }
        return chart;
    }
    // The table keeps its own order; the chart runs along the values.
    TStatDrawArray byKey = items;
    byKey.SortItems();
    int x = 0;
    for (const TStatDrawItem& item : byKey)
        chart.actual.points.push_back({++x, static_cast<double>(item.Count), stat.ValueText(item)});
    return chart;
}

StatisticsView::StatisticsView(Workspace& ws) : m_ws(ws) {}

void StatisticsView::FillStatChoosers(bool keepSelection, bool rebuild)
{
    const int previousStat = m_statIndex;
    const int previousGraph = m_graphIndex;
    if (rebuild)
        m_ws.rebuildRegistry();
    const TStatList& list = m_ws.statList();
    m_statEntries.clear();
    m_graphEntries.clear();
    for (int i = 0; i < list.Count(); ++i) {
        if (!list.IsAvailable(i) || !list.IsListed(i) || !list.IsShown(i))
            continue;
        StatChooserEntry entry{list.DisplayName(i, true), i, list.ItemCode(i)};
        if (list.HasGraph(i))
            m_graphEntries.push_back(entry);
        m_statEntries.push_back(std::move(entry));
    }
    if (list.Ordered) {
        const auto byText = [](const StatChooserEntry& a, const StatChooserEntry& b) {
            return QString::compare(a.text, b.text, Qt::CaseInsensitive) < 0;
        };
        std::stable_sort(m_statEntries.begin(), m_statEntries.end(), byText);
        std::stable_sort(m_graphEntries.begin(), m_graphEntries.end(), byText);
    }
    m_statIndex = chooserPick(keepSelection, previousStat, m_statEntries.size());
    m_graphIndex = chooserPick(keepSelection, previousGraph, m_graphEntries.size());
    // The same position may now stand for another method.
    m_key.reset();
    if (m_choosersListener)
        m_choosersListener();
}

void StatisticsView::setStatIndex(int index)
{
    m_statIndex = index >= 0 && static_cast<size_t>(index) < m_statEntries.size() ? index : -1;
}

void StatisticsView::setGraphIndex(int index)
{
    m_graphIndex = index >= 0 && static_cast<size_t>(index) < m_graphEntries.size() ? index : -1;
}

int StatisticsView::chosenMethod() const
{
    return entryMethod(m_statEntries, m_statIndex);
}

int StatisticsView::chosenGraphMethod() const
{
    return entryMethod(m_graphEntries, m_graphIndex);
}

std::unique_ptr<TCustomStat> StatisticsView::CreateStatFromCombo() const
{
    const int method = chosenMethod();
    if (method < 0)
        throw Error(fmt(tr("Не выбран метод расчета статистики (cb: %s)!"), kChooserName));
    return m_ws.statList().CreateStat(method);
}

bool StatisticsView::setWindowLength(int length)
{
    if (length < 1)
        return false;
    m_windowLength = length;
    return true;
}

StatisticsView::RecomputeKey StatisticsView::currentKey() const
{
    const DrawArchive& archive = m_ws.archive();
    return {archive.count(), archive.revision(), archive.drawsOffset(), m_windowLength, m_statIndex};
}

void StatisticsView::refillWhenStale()
{
    const TStatList& list = m_ws.statList();
    const auto stale = [&](const std::vector<StatChooserEntry>& entries) {
        for (const StatChooserEntry& e : entries)
            if (e.methodIndex < 0 || e.methodIndex >= list.Count() || list.ItemCode(e.methodIndex) != e.code)
                return true;
        return false;
    };
    if (stale(m_statEntries) || stale(m_graphEntries))
        FillStatChoosers(true, false);
}

void StatisticsView::tableChanged()
{
    if (m_tableListener)
        m_tableListener();
}

void StatisticsView::clearTable()
{
    m_table = StatTable();
    m_tableMethod = -1;
    m_chart = StatChart();
    tableChanged();
}

bool StatisticsView::ComputeStatTable(bool force)
{
    // A computation lets events run (the status line, the prefetch
    // progress); a chooser change arriving meanwhile waits for the next call
    // instead of starting a second computation inside the first.
    if (m_computing)
        return false;
    FlagScope computing(m_computing);
    refillWhenStale();
    const RecomputeKey key = currentKey();
    if (!force && m_key && *m_key == key)
        return false;
    m_key = key;

    const int method = chosenMethod();
    clearTable();
    if (method < 0 || m_ws.archive().empty())
        return true;

    const TStatList& list = m_ws.statList();
    try {
        const QString status = tr("Анализ тиражей и расчет статистики...");
        BusyScope busy(m_ws.busyState(), m_ws.host(), status);
        std::optional<PrefetchSource> norms;
        if (m_ws.prefetchsEnabled() && list.HasNorm(method)) {
            norms = m_ws.openPrefetch(method);
            // Opening may have built the file under its own status line.
            m_ws.host().setStatusText(kProgressPanel, status);
        }
        StatTable table = computeStatTable(list, method, m_windowLength, m_ws.archive().drawsOffset(), sorted(),
                                           norms ? &*norms : nullptr);
        StatChart chart;
        if (table.rowCount() > 1) {
            const std::unique_ptr<TCustomStat> stat = list.CreateStat(method);
            chart = statChart(table, *stat, norms ? &*norms : nullptr, m_showTotalLine);
        }
        m_table = std::move(table);
        m_tableMethod = method;
        m_chart = std::move(chart);
    } catch (const std::exception& e) {
        // Nothing half made is shown, and the same inputs are tried again.
        m_key.reset();
        m_ws.host().showMessage(MessageKind::Error, errorText(e));
    }
    tableChanged();
    return true;
}

StatisticsView::RowValuesRecord StatisticsView::RowValues(int row) const
{
    RowValuesRecord values;
    if (row < 0 || row >= m_table.rowCount())
        return values;
    for (size_t i = 0; i < values.size(); ++i)
        if (kRowValueColumns[i] >= 0)
            values[i] = m_table.cell(row, kRowValueColumns[i]);
    return values;
}

bool StatisticsView::canCompute() const
{
    return !m_ws.archive().empty() && chosenMethod() >= 0;
}

void StatisticsView::togglePrefetchsEnabled()
{
    const bool on = !m_ws.prefetchsEnabled();
    // Stored first: when the file cannot be written the option stays as it was.
    storeMainFormToggle(m_ws.formState(), mainform::kPrefetchsEnabled, on);
    m_ws.setPrefetchsEnabled(on);
    m_ws.createPrefetchFiles(false, 0);
    if (m_normListener)
        m_normListener(on);
    ComputeStatTable(true);
}

void StatisticsView::toggleShowTotalLine()
{
    BusyScope busy(m_ws.busyState(), m_ws.host(), tr("Создание графиков..."));
    const bool on = !m_showTotalLine;
    storeMainFormToggle(m_ws.formState(), mainform::kShowTotalLine, on);
    m_showTotalLine = on;
    m_chart = StatChart();
    tableChanged();
    ComputeStatTable(true);
}

bool StatisticsView::canFilter(const std::vector<int>& rows) const
{
    return !rows.empty() && m_tableMethod >= 0 && !m_ws.combs().list().empty();
}

bool StatisticsView::filterRows(const std::vector<int>& rows, bool deleteMode)
{
    if (!canFilter(rows))
        return false;
    // The rows belong to the table's own method, whatever the chooser shows now.
    return m_ws.combs().filterByTableRows(m_tableMethod, m_table, rows, deleteMode, sorted());
}

}  // namespace zircon
