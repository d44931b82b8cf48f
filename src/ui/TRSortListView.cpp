#include "ui/TRSortListView.h"

#include <QHeaderView>

#include <algorithm>

#include "core/Error.h"
#include "core/Format.h"
#include "core/Tr.h"
#include "ui/TRSortProxyModel.h"

namespace zircon {

TRSortListView::TRSortListView(QWidget* parent) : QTreeView(parent)
{
    m_proxy = new TRSortProxyModel(this);
    QTreeView::setModel(m_proxy);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The view's own sorting would take over the heading clicks with Qt's
    // comparison; the list keeps its own rule and state.
    setSortingEnabled(false);
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(false);
    header()->setStretchLastSection(false);
    connect(header(), &QHeaderView::sectionClicked, this, &TRSortListView::headingClicked);
}

void TRSortListView::setSourceModel(QAbstractItemModel* model)
{
    m_proxy->setSourceModel(model);
    if (m_sortColumn >= (model ? model->columnCount() : 0))
        m_sortColumn = -1;
    applySort();
}

QAbstractItemModel* TRSortListView::sourceModel() const
{
    return m_proxy->sourceModel();
}

void TRSortListView::setSortState(int column, bool descending)
{
    const int columns = sourceModel() ? sourceModel()->columnCount() : 0;
    if (column < -1 || column > columns - 1)
        throw Error(fmt(zircon::tr("Некорректное занчение номера столбца сортировки (%d)"), column));
    const bool changed = column != m_sortColumn || descending != m_descending;
    m_sortColumn = column;
    m_descending = descending;
    applySort();
    if (changed)
        emit sortStateChanged(m_sortColumn, m_descending);
}

void TRSortListView::headingClicked(int column)
{
    if (column == m_sortColumn)
        setSortState(column, !m_descending);
    else
        setSortState(column, false);
}

void TRSortListView::applySort()
{
    if (m_sortColumn < 0) {
        // Column -1 gives the rows back in the model's own order.
        m_proxy->sort(-1);
        header()->setSortIndicatorShown(false);
        return;
    }
    const Qt::SortOrder order = m_descending ? Qt::DescendingOrder : Qt::AscendingOrder;
    m_proxy->sort(m_sortColumn, order);
    header()->setSortIndicator(m_sortColumn, order);
    header()->setSortIndicatorShown(true);
}

int TRSortListView::sourceRow(int viewRow) const
{
    const QModelIndex source = m_proxy->mapToSource(m_proxy->index(viewRow, 0));
    return source.isValid() ? source.row() : -1;
}

std::vector<int> TRSortListView::selectedSourceRows() const
{
    std::vector<int> rows;
    if (!selectionModel())
        return rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(m_proxy->mapToSource(index).row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

}  // namespace zircon
