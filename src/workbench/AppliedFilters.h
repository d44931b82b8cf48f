#pragma once
// The list of applied filters shown below the combination list: one row per
// list-changing step since the list was last generated, opened or pasted.
// It lives as long as the current list and is never stored.
#include <QString>
#include <QStringList>

#include <cstddef>
#include <vector>

namespace zircon {

enum class FilterMark {
    Keep,    // the selected values were kept
    Delete,  // values or combinations were removed
    Undo,    // the script engine's "Отмена последней операции"
};

struct AppliedFilterRow {
    QString source;      // the statistic's display name, a view's tab caption or a fixed text
    QString values;      // what was selected
    size_t count = 0;    // the list count right after the step
    FilterMark mark = FilterMark::Keep;

    friend bool operator==(const AppliedFilterRow&, const AppliedFilterRow&) = default;
};

class AppliedFilters {
public:
    enum Column { ColSource, ColValues, ColCount, ColumnCount };

    // "Примененные фильтры", "Значения", "Комбинаций".
    static QStringList columnCaptions();
    // The source text of the undo row.
    static QString undoCaption();

    int count() const { return static_cast<int>(m_rows.size()); }
    bool empty() const { return m_rows.empty(); }
    const AppliedFilterRow& row(int i) const { return m_rows[static_cast<size_t>(i)]; }
    const std::vector<AppliedFilterRow>& rows() const { return m_rows; }

    // `combCount` is the list count at the moment the row is added.
    void add(const QString& source, const QString& values, size_t combCount, FilterMark mark);
    void addUndo(size_t combCount);
    // Undoing the list takes its row back; nothing happens on an empty list.
    void removeLast();
    void clear();

    // The text of a cell as the list shows it; "" outside the table.
    QString cellText(int row, int column) const;

private:
    std::vector<AppliedFilterRow> m_rows;
};

}  // namespace zircon
