#pragma once
// The owner-drawn report list of `lvCombs`: rows of one height, painted on
// demand from the model for the part that is on screen. Unlike QTreeView,
// which keeps an item per row (hundreds of megabytes and a second of layout
// for the full set of eleven million combinations), it keeps nothing per
// row: scrolling counts rows, and a selection is a handful of row ranges.
#include <QAbstractItemView>

#include <vector>

#include "core/WindowState.h"

class QHeaderView;

namespace zircon {

class CombsListView : public QAbstractItemView {
    Q_OBJECT
public:
    explicit CombsListView(QWidget* parent = nullptr);

    QHeaderView* header() const { return m_header; }
    void setModel(QAbstractItemModel* model) override;

    // The height of every row, from the font and the style.
    int rowHeight() const;
    // The row at the top of the viewport.
    int topRow() const;
    // Rows that fit wholly into the viewport (at least 1).
    int pageRows() const;

    // The selected rows, ascending, each once, read from the selection's
    // ranges without an index per row.
    std::vector<int> selectedRows() const;
    bool hasSelectedRows() const;

    // Column widths and the selection mode as the form-state file keeps a
    // list; the list does not sort.
    ListState listState() const;
    void applyColumnWidths(const std::vector<int>& widths);

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;
    // Typing does not search: a search over eleven million rows for a letter
    // no row holds would freeze the window for seconds.
    void keyboardSearch(const QString& search) override;

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex& index) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int rowCountNow() const;
    int columnCountNow() const;
    void updateScrollRanges();
    void computeRowHeight();

    QHeaderView* m_header = nullptr;
    int m_rowHeight = 18;
    bool m_inGeometries = false;
};

}  // namespace zircon
