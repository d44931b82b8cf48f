#pragma once
// The rows of the applied-filters list `lvFilters` below the combination
// list: one row per list-changing step, read-only. The step's mark (kept,
// deleted, undone) shows as a small colour sign before its source.
#include <QAbstractTableModel>
#include <QColor>

#include "workbench/AppliedFilters.h"

namespace zircon {

class AppliedFiltersModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The row's FilterMark as an int, for whoever paints or tests the rows.
    static constexpr int MarkRole = Qt::UserRole + 1;

    explicit AppliedFiltersModel(const AppliedFilters& filters, QObject* parent = nullptr);

    // Takes the list's rows anew (it holds a handful of them).
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    static QColor markColour(FilterMark mark);

private:
    const AppliedFilters& m_filters;
    int m_rows = 0;
};

}  // namespace zircon
