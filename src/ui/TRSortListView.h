#pragma once
// The sortable report list shared by the list windows (filters, ratings,
// tables, ...): a tree view without branches over any table model, with a
// sort column (-1 none, 0 the caption, k the k-th sub-item) and a direction.
// Clicking the sort column's heading reverses the direction; clicking another
// heading sorts by that column ascending.
#include <QTreeView>

#include <vector>

namespace zircon {

class TRSortProxyModel;

class TRSortListView : public QTreeView {
    Q_OBJECT
public:
    explicit TRSortListView(QWidget* parent = nullptr);

    // The rows to show; the view shows them through its sorting proxy.
    void setSourceModel(QAbstractItemModel* model);
    QAbstractItemModel* sourceModel() const;
    TRSortProxyModel* proxy() const { return m_proxy; }

    int sortColumn() const { return m_sortColumn; }
    bool sortDescending() const { return m_descending; }
    // Fails with "Некорректное занчение номера столбца сортировки (%d)" for a
    // column outside -1 .. column count - 1; the state is then unchanged.
    void setSortState(int column, bool descending);

    // What a click on the heading of `column` does.
    void headingClicked(int column);

    // The model rows behind a view row and behind the selection (ascending).
    int sourceRow(int viewRow) const;
    std::vector<int> selectedSourceRows() const;

signals:
    void sortStateChanged(int column, bool descending);

private:
    void applySort();

    TRSortProxyModel* m_proxy = nullptr;
    int m_sortColumn = -1;
    bool m_descending = false;
};

}  // namespace zircon
