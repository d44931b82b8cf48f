#pragma once
// The statistics tab without its widgets: the method chooser and the
// graph-type chooser filled from the registry, the window length, the
// computation of the table over the window ending at the current draw with
// the norms of the method's prefetch file, the chart's series, and the
// commands of the tab (prefetching, the full-set line, keeping or deleting by
// the selected rows). The tab's widgets only show what this holds.
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "stats/Prefetch.h"
#include "stats/StatTable.h"

namespace zircon {

class TCustomStat;
class Workspace;

// One entry of a chooser.
struct StatChooserEntry {
    QString text;          // DisplayName with flags
    int methodIndex = -1;  // the registry item it stands for
    QString code;          // that item's code when the chooser was filled

    friend bool operator==(const StatChooserEntry&, const StatChooserEntry&) = default;
};

struct StatChartPoint {
    int x = 0;       // position on the value axis, counted from 1
    double y = 0.0;  // count in the window, or the full-set count scaled to it
    QString label;   // ValueText of the value

    friend bool operator==(const StatChartPoint&, const StatChartPoint&) = default;
};

struct StatChartSeries {
    QString name;
    std::vector<StatChartPoint> points;

    friend bool operator==(const StatChartSeries&, const StatChartSeries&) = default;
};

struct StatChart {
    StatChartSeries actual;                // "Фактические данные"
    std::optional<StatChartSeries> total;  // "Все возможные комбинации": norms and ShowTotalLine only

    bool empty() const { return actual.points.empty() && !total; }
    friend bool operator==(const StatChart&, const StatChart&) = default;
};

// The chart of a table computed by `stat`'s method. With the table's norm
// flag the prefetch records are walked in file order: record j (from 1)
// gives the full-set point (x = j, its count times the norm scale) when
// `showTotalLine`, and the window point (x = j, the item's Count) when the
// table has that value; values absent from the full set are not drawn.
// Without norms the items, sorted by key, give x = 1, 2, ... with their
// Count. Tables of fewer than two items have no chart.
StatChart statChart(const StatTable& table, const TCustomStat& stat, const PrefetchSource* norms, bool showTotalLine);

class StatisticsView {
public:
    static constexpr int kDefaultWindowLength = 1000;
    static constexpr int kMaxWindowLength = 2147483647;
    // The twelve texts a script reads from a row.
    using RowValuesRecord = std::array<QString, 12>;

    explicit StatisticsView(Workspace& ws);

    // Refills both choosers from the registry: every item that is available,
    // listed and shown, by DisplayName with flags; the graph chooser only the
    // items with a graph; both sorted by text when the registry is Ordered.
    // With `rebuild` the registry is rebuilt first (captions and favourites
    // kept through the method-list file). With `keepSelection` the previous
    // positions stay when they are still in range; otherwise the first
    // entries are chosen. The table then counts as never computed.
    void FillStatChoosers(bool keepSelection, bool rebuild);
    const std::vector<StatChooserEntry>& statEntries() const { return m_statEntries; }
    const std::vector<StatChooserEntry>& graphEntries() const { return m_graphEntries; }
    // The chosen positions; -1 for none.
    int statIndex() const { return m_statIndex; }
    int graphIndex() const { return m_graphIndex; }
    // A position outside the chooser chooses nothing.
    void setStatIndex(int index);
    void setGraphIndex(int index);
    // The registry item of the chosen entry, or -1.
    int chosenMethod() const;
    int chosenGraphMethod() const;
    // A new instance of the chosen method. Throws Error "Не выбран метод
    // расчета статистики (cb: cbDrawsStatType)!" without a chosen entry.
    std::unique_ptr<TCustomStat> CreateStatFromCombo() const;

    // The window length N, 1 .. kMaxWindowLength.
    int windowLength() const { return m_windowLength; }
    // Returns false and keeps the length when `length` is out of range.
    bool setWindowLength(int length);

    // "Упорядочить MIN->MAX": asked at every computation and filter.
    void setSortedSource(std::function<bool()> source) { m_sortedSource = std::move(source); }
    bool sorted() const { return m_sortedSource && m_sortedSource(); }
    bool showTotalLine() const { return m_showTotalLine; }
    void setShowTotalLine(bool on) { m_showTotalLine = on; }

    // Told after the choosers were refilled, after the table and the chart
    // changed (also when they were cleared), and when the norm columns are to
    // be shown or hidden.
    void setChoosersListener(std::function<void()> listener) { m_choosersListener = std::move(listener); }
    void setTableListener(std::function<void()> listener) { m_tableListener = std::move(listener); }
    void setNormColumnsListener(std::function<void(bool shown)> listener) { m_normListener = std::move(listener); }

    // Recomputes the table and the chart. Unless forced, nothing happens when
    // the archive (its size and revision), the draws offset, the window
    // length and the chooser position are those of the last computation.
    // Returns whether the table was computed anew; a failure is shown, leaves
    // an empty table and lets the next call compute again.
    bool ComputeStatTable(bool force);
    // The next unforced computation computes (start-up, a registry rebuild,
    // a forced refresh that found the tab hidden).
    void resetRecomputeKey() { m_key.reset(); }

    const StatTable& table() const { return m_table; }
    // The registry item the table was computed with; -1 for an empty table.
    int tableMethod() const { return m_tableMethod; }
    const StatChart& chart() const { return m_chart; }

    // The row's twelve texts: "Значение", "", "Количество", "Кол-во в %",
    // "Отклонение", "Откл-ие в %", "Глубина", "Глубина в %", "Вес",
    // "Период min", "Период", "Период max"; all empty for a missing row.
    RowValuesRecord RowValues(int row) const;
    // Copies of the items of the given table rows.
    TStatDrawArray StatRowItems(const std::vector<int>& rows) const { return m_table.selectedItems(rows); }

    // "DrawsStatCalc": the archive is not empty and a method is chosen.
    bool canCompute() const;
    // "DrawsStatePrefetchsEnabled": stores the toggled option at once (when
    // it cannot be stored the option stays), builds the missing prefetch
    // files, shows or hides the norm columns and recomputes.
    void togglePrefetchsEnabled();
    // "DrawsStatShowTotalLine": stores the toggled option, clears the chart
    // and recomputes.
    void toggleShowTotalLine();
    // "StatFilter_Include" / "StatFilter_Exclude": rows of the table are
    // selected and the combination list is not empty.
    bool canFilter(const std::vector<int>& rows) const;
    // Keeps (deleteMode false) or deletes the combinations with the values of
    // the given table rows. Returns whether the list changed.
    bool filterRows(const std::vector<int>& rows, bool deleteMode);

private:
    struct RecomputeKey {
        int archiveCount = 0;
        uint64_t archiveRevision = 0;
        int drawsOffset = 0;
        int windowLength = 0;
        int chooserIndex = -1;
        friend bool operator==(const RecomputeKey&, const RecomputeKey&) = default;
    };
    RecomputeKey currentKey() const;
    // The entries name items of the registry as it was when they were filled;
    // a rebuild since then (the settings dialog rebuilds it) refills them.
    void refillWhenStale();
    void clearTable();
    void tableChanged();

    Workspace& m_ws;
    std::vector<StatChooserEntry> m_statEntries;
    std::vector<StatChooserEntry> m_graphEntries;
    int m_statIndex = -1;
    int m_graphIndex = -1;
    int m_windowLength = kDefaultWindowLength;
    bool m_showTotalLine = true;
    bool m_computing = false;
    std::function<bool()> m_sortedSource;
    std::optional<RecomputeKey> m_key;  // none: never matches
    StatTable m_table;
    int m_tableMethod = -1;
    StatChart m_chart;
    std::function<void()> m_choosersListener;
    std::function<void()> m_tableListener;
    std::function<void(bool)> m_normListener;
};

}  // namespace zircon
