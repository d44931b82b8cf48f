#pragma once
// The statistic table of one computation: the values a method found in a
// window of draws, and for each the twenty texts the user sees, sorts and
// selects by. The texts are made once, when the table is built, so that the
// view, the selection modes and the scripts all read the same cells.
#include <QString>

#include <array>
#include <vector>

#include "stats/ConfigData.h"
#include "stats/StatDrawArray.h"
#include "stats/StatItem.h"

namespace zircon {

class TStatList;
struct PrefetchSource;

// The draws of a computation: archive indexes start..end, `length` of them.
struct StatWindow {
    int end = -1;    // K: last archive index - offset; the current draw
    int start = 0;   // S: max(0, K - N + 1)
    int length = 0;  // the window's actual length K - S + 1; 0 when K < S
};

// The window for an archive of `archiveCount` draws, a window length (at
// least 1) and the draws offset (the newest draws left out).
StatWindow statWindow(int archiveCount, int length, int offset);

class StatTable {
public:
    enum Column {
        ColValue,             // "Значение"
        ColCount,             // "Количество"
        ColCountPercent,      // "Кол-во в %"
        ColNorm,              // "Норма"
        ColDeviation,         // "Отклонение"
        ColDeviationPercent,  // "Откл-ие в %"
        ColDepth,             // "Глубина"
        ColDepthPercent,      // "Глубина в %"
        ColWeight,            // "Вес"
        ColLastDraw,          // "Посл. тираж"
        ColPeriodMin,         // "Период min"
        ColPeriod,            // "Период"
        ColPeriodMax,         // "Период max"
        ColExpectPrd,         // "Ожд. ПРД"
        ColExpectStf,         // "Ожд. СТФ"
        ColExpectKrn,         // "Ожд. КРН"
        ColFact,              // "Факт"
        ColDiffPrd,           // "+/- ПРД"
        ColDiffStf,           // "+/- СТФ"
        ColDiffKrn,           // "+/- КРН"
    };
    static constexpr int kColumnCount = 20;
    using Cells = std::array<QString, kColumnCount>;

    // The column's caption (translated); "" outside 0..19.
    static QString columnCaption(int column);

    // One row's inputs beside its item.
    struct RowInput {
        QString valueText;  // the method's ValueText of the item
        int lastIndex = -1; // archive index of the latest occurrence; -1 when none
        int fact = -1;      // draw number of the next occurrence after the window; -1 when none
    };

    StatTable() = default;
    // Makes every cell from the items (one row each, in their order), the
    // row inputs (as many as items), the window, the norm flag and the
    // weight coefficients. The summary is SummarizeItems of the items.
    StatTable(const StatWindow& window, TStatDrawArray items, std::vector<RowInput> rows, bool hasNorm,
              double normScale, const TWeightCoefs& weights);

    int rowCount() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    const TStatDrawArray& items() const { return m_items; }
    const TStatDrawItem& item(int row) const { return m_items[row]; }
    const QString& valueText(int row) const { return cell(row, ColValue); }
    const QString& cell(int row, int column) const;
    const Cells& cells(int row) const { return m_cells[static_cast<size_t>(row)]; }
    int lastIndex(int row) const { return m_rows[static_cast<size_t>(row)].lastIndex; }
    int fact(int row) const { return m_rows[static_cast<size_t>(row)].fact; }

    const StatWindow& window() const { return m_window; }
    const TStatSummary& summary() const { return m_summary; }
    // Whether a prefetch file supplied the norms ("Норма" and the deviation
    // columns are "-" without one).
    bool hasNorm() const { return m_hasNorm; }
    // H of the norm: full-set count x H is a value's expected window count.
    double normScale() const { return m_normScale; }

    // Copies of the items of the given rows, for CombMatches.
    TStatDrawArray selectedItems(const std::vector<int>& rows) const;

private:
    Cells makeCells(const TStatDrawItem& item, const RowInput& row, const TWeightCoefs& weights) const;

    StatWindow m_window;
    TStatDrawArray m_items;
    std::vector<RowInput> m_rows;
    std::vector<Cells> m_cells;
    TStatSummary m_summary;
    bool m_hasNorm = false;
    double m_normScale = 0.0;
};

// The "Вес" of an item: CountCoef x A + DeviationCoef x B + DepthCoef x C
// with A, B, C the count, the deviation from the norm and the depth (in
// percent of the total, the norm and the deepest value when UsePercents;
// absolute when UseAbsValues). A divisor of 0 makes its part 0.
double statWeight(const TStatDrawItem& item, const TStatSummary& summary, bool hasNorm, const TWeightCoefs& weights);

// The computation over a window: the method of registry item `methodIndex`
// over the windowLength draws ending offset draws before the newest, the
// norms from `norms` when given, "Факт" from the draws after the window, and
// the weights of the registry's Config. The whole table is built before it
// is returned; a failure throws Error and leaves nothing half made.
StatTable computeStatTable(const TStatList& list, int methodIndex, int windowLength, int offset, bool sorted,
                           const PrefetchSource* norms);

}  // namespace zircon
