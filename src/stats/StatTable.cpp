#include "stats/StatTable.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "core/Error.h"
#include "core/Format.h"
#include "core/Tr.h"
#include "stats/Prefetch.h"
#include "stats/Rounding.h"
#include "stats/TCustomStat.h"
#include "stats/TStatList.h"

namespace zircon {
namespace {

constexpr const char* kCaptions[StatTable::kColumnCount] = {
    ZT("Значение"),    ZT("Количество"), ZT("Кол-во в %"), ZT("Норма"),      ZT("Отклонение"),
    ZT("Откл-ие в %"), ZT("Глубина"),    ZT("Глубина в %"), ZT("Вес"),       ZT("Посл. тираж"),
    ZT("Период min"),  ZT("Период"),     ZT("Период max"),  ZT("Ожд. ПРД"),  ZT("Ожд. СТФ"),
    ZT("Ожд. КРН"),    ZT("Факт"),       ZT("+/- ПРД"),     ZT("+/- СТФ"),   ZT("+/- КРН"),
};

const QString& dash()
{
    static const QString d = QStringLiteral("-");
    return d;
}

QString real(const char* pattern, double v)
{
    return fmt(QString::fromLatin1(pattern), v);
}

// The expectation columns are ratios of whole numbers; each is formed as one
// division of exact products so that a result lying exactly halfway is seen
// as such and goes to the even neighbour.
int64_t nearestRatio(double numerator, double denominator)
{
    return roundHalfEven(numerator / denominator);
}

// "+3", "0", "-2": the expectation minus the actual next draw.
QString signedDifference(int64_t expected, int fact)
{
    const int64_t d = expected - fact;
    return d > 0 ? u'+' + QString::number(d) : QString::number(d);
}

}  // namespace

StatWindow statWindow(int archiveCount, int length, int offset)
{
    StatWindow w;
    w.end = archiveCount - 1 - std::max(offset, 0);
    w.start = std::max(0, w.end - std::max(length, 1) + 1);
    w.length = w.end >= w.start ? w.end - w.start + 1 : 0;
    return w;
}

QString StatTable::columnCaption(int column)
{
    if (column < 0 || column >= kColumnCount)
        return {};
    return tr(kCaptions[column]);
}

StatTable::StatTable(const StatWindow& window, TStatDrawArray items, std::vector<RowInput> rows, bool hasNorm,
                     double normScale, const TWeightCoefs& weights)
    : m_window(window),
      m_items(std::move(items)),
      m_rows(std::move(rows)),
      m_summary(m_items.SummarizeItems()),
      m_hasNorm(hasNorm),
      m_normScale(normScale)
{
    m_rows.resize(static_cast<size_t>(m_items.size()));
    m_cells.reserve(m_rows.size());
    for (int r = 0; r < m_items.size(); ++r)
        m_cells.push_back(makeCells(m_items[r], m_rows[static_cast<size_t>(r)], weights));
}

const QString& StatTable::cell(int row, int column) const
{
    return m_cells[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

TStatDrawArray StatTable::selectedItems(const std::vector<int>& rows) const
{
    TStatDrawArray selected;
    for (int r : rows)
        if (r >= 0 && r < rowCount() && selected.find(m_items[r].Key) < 0)
            selected.append(m_items[r]);
    return selected;
}

double statWeight(const TStatDrawItem& item, const TStatSummary& summary, bool hasNorm, const TWeightCoefs& weights)
{
    const double d = hasNorm ? static_cast<double>(item.Count) - item.Norm : 0.0;
    double a = item.Count;
    double b = d;
    double c = item.Depth;
    if (weights.UsePercents) {
        a = summary.total != 0 ? item.Count * 100.0 / static_cast<double>(summary.total) : 0.0;
        b = hasNorm && item.Norm != 0 ? d * 100.0 / item.Norm : 0.0;
        c = summary.maxDepth != 0 ? item.Depth * 100.0 / summary.maxDepth : 0.0;
    }
    if (weights.UseAbsValues) {
        a = std::fabs(a);
        b = std::fabs(b);
        c = std::fabs(c);
    }
    return weights.CountCoef * a + weights.DeviationCoef * b + weights.DepthCoef * c;
}

StatTable::Cells StatTable::makeCells(const TStatDrawItem& it, const RowInput& row, const TWeightCoefs& weights) const
{
    Cells c;
    c.fill(dash());
    const int64_t count = it.Count;
    const int64_t n = m_window.length;
    c[ColValue] = row.valueText;
    c[ColCount] = QString::number(count);
    if (m_summary.total != 0)
        c[ColCountPercent] = real("%.5f", count * 100.0 / static_cast<double>(m_summary.total));
    if (m_hasNorm) {
        const int64_t deviation = count - it.Norm;
        c[ColNorm] = QString::number(it.Norm);
        c[ColDeviation] = QString::number(deviation);
        if (it.Norm != 0)
            c[ColDeviationPercent] = real("%.5f", static_cast<double>(deviation) * 100.0 / it.Norm);
        else
            c[ColDeviationPercent] = real("%.5f", count != 0 ? 100.0 : 0.0);
    }
    // A value that did not occur in the window has nothing from "Глубина" on.
    if (it.Depth == 0)
        return c;

    c[ColDepth] = QString::number(it.Depth);
    if (m_summary.maxDepth != 0)
        c[ColDepthPercent] = real("%.2f", it.Depth * 100.0 / m_summary.maxDepth);
    c[ColWeight] = real("%.2f", statWeight(it, m_summary, m_hasNorm, weights));
    c[ColLastDraw] = QString::number(it.LastDraw);

    const double last = it.LastDraw;
    int64_t expected[3] = {-1, -1, -1};  // ПРД, СТФ, КРН; -1 where "-"
    if (count >= 2) {
        c[ColPeriodMin] = QString::number(it.PeriodMin);
        c[ColPeriod] = real("%.4f", static_cast<double>(n) / static_cast<double>(count));
        c[ColPeriodMax] = QString::number(it.PeriodMax);
        expected[0] = nearestRatio(static_cast<double>(n) + last * static_cast<double>(count), static_cast<double>(count));
        c[ColExpectPrd] = QString::number(expected[0]);
    }
    // A value seen in the window has a Count of at least 1; a method that
    // merged an occurrence with Count 0 gets "-" rather than a division by 0.
    if (count >= 1) {
        expected[1] = nearestRatio(static_cast<double>(count + 1) * last, static_cast<double>(count));
        expected[2] = nearestRatio(static_cast<double>(count + 2) * (last + 1.0), static_cast<double>(count + 1));
        c[ColExpectStf] = QString::number(expected[1]);
        c[ColExpectKrn] = QString::number(expected[2]);
    }
    if (row.fact >= 0) {
        c[ColFact] = QString::number(row.fact);
        const Column diffs[3] = {ColDiffPrd, ColDiffStf, ColDiffKrn};
        for (int k = 0; k < 3; ++k)
            if (expected[k] >= 0)
                c[diffs[k]] = signedDifference(expected[k], row.fact);
    }
    return c;
}

StatTable computeStatTable(const TStatList& list, int methodIndex, int windowLength, int offset, bool sorted,
                           const PrefetchSource* norms)
{
    if (methodIndex < 0 || methodIndex >= list.Count())
        throw Error(fmt(tr("Метод расчета статистики с номером %d не зарегистрирован!"), methodIndex));
    try {
        const int high = static_cast<int>(list.Draws().size()) - 1;
        const StatWindow window = statWindow(high + 1, windowLength, offset);
        const std::unique_ptr<TCustomStat> stat = list.CreateStat(methodIndex);

        TStatDrawArray items;
        if (window.length > 0) {
            TStatWork work;
            TLastValueArray last;
            stat->BeginStat(window.end, items);
            for (int i = window.start; i <= window.end; ++i)
                stat->AddDrawValues(i, window.end, sorted, items, work, last);
        }
        const TStatSummary summary = items.SummarizeItems();
        bool hasNorm = false;
        double scale = 0.0;
        // A file left from a formula or settings under which the item had a
        // norm is not applied once the item has none.
        if (norms && list.HasNorm(methodIndex)) {
            hasNorm = applyNorms(items, summary, *norms);
            scale = normScale(summary, *norms);
        }

        std::vector<StatTable::RowInput> rows(static_cast<size_t>(items.size()));
        int waiting = 0;
        for (int r = 0; r < items.size(); ++r) {
            StatTable::RowInput& row = rows[static_cast<size_t>(r)];
            row.valueText = stat->ValueText(items[r]);
            // Depth counts back from the window's end, so it names the
            // archive position of the latest occurrence exactly, even when
            // draw numbers repeat in the archive.
            if (items[r].Depth > 0 && window.end - items[r].Depth + 1 >= 0) {
                row.lastIndex = window.end - items[r].Depth + 1;
                ++waiting;
            }
        }

        // "Факт": the first draw after the latest occurrence that has the
        // value again. Only draws after the window can have it.
        if (stat->findsNextByScan()) {
            for (int r = 0; r < items.size(); ++r) {
                StatTable::RowInput& row = rows[static_cast<size_t>(r)];
                if (row.lastIndex >= 0) {
                    const int f = stat->FindNextDraw(items[r], row.lastIndex + 1, window.end, sorted);
                    row.fact = f >= 0 ? f : -1;
                }
            }
        } else {
            // One pass for all values: each later draw's values, in order,
            // give their first next occurrence.
            TStatWork work;
            TStatDrawArray found;
            TLastValueArray last;
            for (int j = window.end + 1; j <= high && waiting > 0; ++j) {
                found.clear();
                last.clear();
                stat->AddDrawValues(j, window.end, sorted, found, work, last);
                for (const TStatDrawItem& f : found) {
                    const int at = items.find(f.Key);
                    if (at < 0)
                        continue;
                    StatTable::RowInput& row = rows[static_cast<size_t>(at)];
                    if (row.lastIndex >= 0 && row.fact < 0) {
                        row.fact = f.LastDraw >= 0 ? f.LastDraw : -1;
                        --waiting;
                    }
                }
            }
        }
        return StatTable(window, std::move(items), std::move(rows), hasNorm, scale, list.Config.Weights);
    } catch (const Error&) {
        throw;
    } catch (const std::exception& e) {
        throw Error(errorText(e));
    }
}

}  // namespace zircon
