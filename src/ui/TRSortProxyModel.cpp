#include "ui/TRSortProxyModel.h"

#include "shell/SortCompare.h"

namespace zircon {

TRSortProxyModel::TRSortProxyModel(QObject* parent) : QSortFilterProxyModel(parent)
{
    setSortRole(Qt::DisplayRole);
}

bool TRSortProxyModel::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const QAbstractItemModel* m = sourceModel();
    const QString a = m->data(left, sortRole()).toString();
    const QString b = m->data(right, sortRole()).toString();
    const QString captionA = m->data(left.siblingAtColumn(0), sortRole()).toString();
    const QString captionB = m->data(right.siblingAtColumn(0), sortRole()).toString();
    // A descending sort asks the same question with the rows swapped, which
    // reverses the result as the rule wants.
    return compareListTexts(a, b, captionA, captionB) < 0;
}

}  // namespace zircon
