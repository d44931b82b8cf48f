#include "ui/CombsListView.h"

#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace zircon {

CombsListView::CombsListView(QWidget* parent) : QAbstractItemView(parent)
{
    m_header = new QHeaderView(Qt::Horizontal, this);
    m_header->setObjectName(QStringLiteral("header"));
    m_header->setSectionsClickable(false);
    m_header->setSectionsMovable(false);
    m_header->setStretchLastSection(false);
    m_header->setHighlightSections(false);
    connect(m_header, &QHeaderView::sectionResized, this, [this] {
        updateGeometries();
        viewport()->update();
    });
    connect(m_header, &QHeaderView::sectionCountChanged, this, [this] { updateGeometries(); });
    // Scrolling counts rows; the horizontal bar counts pixels.
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollMode(ScrollPerPixel);
    setSelectionMode(ExtendedSelection);
    setSelectionBehavior(SelectRows);
    setEditTriggers(NoEditTriggers);
    setAutoScroll(true);
    computeRowHeight();
}

void CombsListView::setModel(QAbstractItemModel* model)
{
    QAbstractItemView::setModel(model);
    m_header->setModel(model);
    updateGeometries();
}

void CombsListView::computeRowHeight()
{
    // What the standard delegate asks for a one-line text cell.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("0");
    const QSize size = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this);
    m_rowHeight = std::max({size.height(), fontMetrics().height() + 2, 1});
}

int CombsListView::rowHeight() const
{
    return m_rowHeight;
}

int CombsListView::rowCountNow() const
{
    return model() ? model()->rowCount(rootIndex()) : 0;
}

int CombsListView::columnCountNow() const
{
    return model() ? model()->columnCount(rootIndex()) : 0;
}

int CombsListView::topRow() const
{
    return verticalScrollBar()->value();
}

int CombsListView::pageRows() const
{
    return std::max(1, viewport()->height() / m_rowHeight);
}

void CombsListView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        computeRowHeight();
        updateGeometries();
    }
    QAbstractItemView::changeEvent(event);
}

void CombsListView::updateScrollRanges()
{
    const int rows = rowCountNow();
    const int page = pageRows();
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setRange(0, std::max(0, rows - page));
    const int width = viewport()->width();
    horizontalScrollBar()->setSingleStep(20);
    horizontalScrollBar()->setPageStep(std::max(1, width));
    horizontalScrollBar()->setRange(0, std::max(0, m_header->length() - width));
}

void CombsListView::updateGeometries()
{
    // Setting the margins resizes the viewport, which lands here again.
    if (m_inGeometries)
        return;
    m_inGeometries = true;
    const int headerHeight = m_header->isHidden() ? 0 : m_header->sizeHint().height();
    setViewportMargins(0, headerHeight, 0, 0);
    const QRect vg = viewport()->geometry();
    m_header->setGeometry(vg.left(), vg.top() - headerHeight, vg.width(), headerHeight);
    updateScrollRanges();
    m_header->setOffset(horizontalScrollBar()->value());
    m_inGeometries = false;
    QAbstractItemView::updateGeometries();
}

void CombsListView::scrollContentsBy(int dx, int dy)
{
    if (dx != 0)
        m_header->setOffset(horizontalScrollBar()->value());
    (void)dy;
    viewport()->update();
}

int CombsListView::horizontalOffset() const
{
    return horizontalScrollBar()->value();
}

int CombsListView::verticalOffset() const
{
    // At most 11238513 rows of a few dozen pixels: well inside int.
    return topRow() * m_rowHeight;
}

bool CombsListView::isIndexHidden(const QModelIndex& index) const
{
    return index.isValid() && m_header->isSectionHidden(index.column());
}

QRect CombsListView::visualRect(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != model() || index.parent() != rootIndex())
        return {};
    const int column = index.column();
    if (m_header->isSectionHidden(column))
        return {};
    // Rows off screen get their rectangle too: a shift-click or shift-arrow
    // spans from the anchor row wherever it is.
    const int y = (index.row() - topRow()) * m_rowHeight;
    return QRect(m_header->sectionViewportPosition(column), y, m_header->sectionSize(column), m_rowHeight);
}

QModelIndex CombsListView::indexAt(const QPoint& point) const
{
    if (!model() || point.y() < 0)
        return {};
    const int row = topRow() + point.y() / m_rowHeight;
    const int column = m_header->logicalIndexAt(point.x());
    if (row >= rowCountNow() || column < 0)
        return {};
    return model()->index(row, column, rootIndex());
}

void CombsListView::keyboardSearch(const QString& search)
{
    (void)search;
}

void CombsListView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid() || index.model() != model())
        return;
    // The ranges may still wait for a delayed layout after a reset.
    updateScrollRanges();
    const int page = pageRows();
    const int row = index.row();
    int top = topRow();
    switch (hint) {
    case PositionAtTop:
        top = row;
        break;
    case PositionAtBottom:
        top = row - page + 1;
        break;
    case PositionAtCenter:
        top = row - page / 2;
        break;
    case EnsureVisible:
        if (row < top)
            top = row;
        else if (row >= top + page)
            top = row - page + 1;
        break;
    }
    verticalScrollBar()->setValue(top);

    const int column = index.column();
    if (!m_header->isSectionHidden(column)) {
        const int x = m_header->sectionPosition(column);
        const int w = m_header->sectionSize(column);
        const int left = horizontalScrollBar()->value();
        const int width = viewport()->width();
        if (x < left)
            horizontalScrollBar()->setValue(x);
        else if (x + w > left + width)
            horizontalScrollBar()->setValue(std::min(x, x + w - width));
    }
}

QModelIndex CombsListView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    (void)modifiers;
    const int rows = rowCountNow();
    const int columns = columnCountNow();
    if (rows == 0 || columns == 0)
        return {};
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return model()->index(0, 0, rootIndex());
    int row = current.row();
    switch (cursorAction) {
    case MoveUp:
    case MovePrevious:
        --row;
        break;
    case MoveDown:
    case MoveNext:
        ++row;
        break;
    case MovePageUp:
        row -= pageRows();
        break;
    case MovePageDown:
        row += pageRows();
        break;
    case MoveHome:
        row = 0;
        break;
    case MoveEnd:
        row = rows - 1;
        break;
    case MoveLeft:
        // Whole rows are selected: left and right only scroll.
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        return current;
    case MoveRight:
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        return current;
    }
    row = std::clamp(row, 0, rows - 1);
    return model()->index(row, current.column(), rootIndex());
}

void CombsListView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    if (!model() || !selectionModel())
        return;
    const int rows = rowCountNow();
    const int columns = columnCountNow();
    QItemSelection selection;
    if (rows > 0 && columns > 0) {
        const QRect r = rect.normalized();
        // Content coordinates: the rectangle may start rows above the viewport.
        const qint64 offset = verticalOffset();
        const qint64 top = std::max<qint64>(0, r.top() + offset) / m_rowHeight;
        const qint64 bottom = std::max<qint64>(0, r.bottom() + offset) / m_rowHeight;
        if (top < rows) {
            const int last = static_cast<int>(std::min<qint64>(bottom, rows - 1));
            selection.select(model()->index(static_cast<int>(top), 0, rootIndex()),
                             model()->index(last, columns - 1, rootIndex()));
        }
    }
    selectionModel()->select(selection, command);
}

QRegion CombsListView::visualRegionForSelection(const QItemSelection& selection) const
{
    QRegion region;
    const int top = topRow();
    const int bottom = top + pageRows();  // the partly visible row below the page
    const int width = viewport()->width();
    for (const QItemSelectionRange& range : selection) {
        if (!range.isValid() || range.parent() != rootIndex())
            continue;
        const int first = std::max(range.top(), top);
        const int last = std::min(range.bottom(), bottom);
        if (first > last)
            continue;
        region += QRect(0, (first - top) * m_rowHeight, width, (last - first + 1) * m_rowHeight);
    }
    return region;
}

std::vector<int> CombsListView::selectedRows() const
{
    std::vector<int> rows;
    if (!selectionModel() || !model())
        return rows;
    const int count = rowCountNow();
    std::vector<std::pair<int, int>> spans;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        if (!range.isValid() || range.parent() != rootIndex())
            continue;
        const int first = std::max(0, range.top());
        const int last = std::min(count - 1, range.bottom());
        if (first <= last)
            spans.emplace_back(first, last);
    }
    // Ranges may overlap (a ctrl-click inside a dragged block): merged, each
    // row comes once.
    std::sort(spans.begin(), spans.end());
    size_t total = 0;
    int end = -1;
    for (const auto& [first, last] : spans) {
        const int from = std::max(first, end + 1);
        if (last >= from)
            total += static_cast<size_t>(last - from + 1);
        end = std::max(end, last);
    }
    rows.reserve(total);
    end = -1;
    for (const auto& [first, last] : spans) {
        for (int r = std::max(first, end + 1); r <= last; ++r)
            rows.push_back(r);
        end = std::max(end, last);
    }
    return rows;
}

bool CombsListView::hasSelectedRows() const
{
    return selectionModel() && selectionModel()->hasSelection();
}

ListState CombsListView::listState() const
{
    ListState s;
    for (int i = 0; i < m_header->count(); ++i)
        s.columnWidths.push_back(m_header->sectionSize(i));
    s.multiSelect = selectionMode() == ExtendedSelection || selectionMode() == MultiSelection;
    return s;
}

void CombsListView::applyColumnWidths(const std::vector<int>& widths)
{
    const int n = std::min(m_header->count(), static_cast<int>(widths.size()));
    for (int i = 0; i < n; ++i)
        if (!m_header->isSectionHidden(i) && m_header->sectionSize(i) != widths[static_cast<size_t>(i)])
            m_header->resizeSection(i, widths[static_cast<size_t>(i)]);
}

void CombsListView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const int rows = rowCountNow();
    const int columns = columnCountNow();
    if (rows == 0 || columns == 0 || !itemDelegate())
        return;
    QStyleOptionViewItem base;
    initViewItemOption(&base);
    const QRect area = event->rect();
    const int top = topRow();
    const int first = top + std::max(0, area.top()) / m_rowHeight;
    const int last = std::min(rows - 1, top + area.bottom() / m_rowHeight);
    const int width = viewport()->width();
    const QModelIndex current = currentIndex();
    const QItemSelectionModel* selection = selectionModel();
    for (int row = first; row <= last; ++row) {
        const int y = (row - top) * m_rowHeight;
        for (int column = 0; column < columns; ++column) {
            if (m_header->isSectionHidden(column))
                continue;
            const int x = m_header->sectionViewportPosition(column);
            const int w = m_header->sectionSize(column);
            if (x + w <= area.left() || x > area.right() || x >= width)
                continue;
            const QModelIndex index = model()->index(row, column, rootIndex());
            QStyleOptionViewItem option = base;
            option.rect = QRect(x, y, w, m_rowHeight);
            if (selection && selection->isSelected(index))
                option.state |= QStyle::State_Selected;
            itemDelegate()->paint(&painter, option, index);
        }
        if (hasFocus() && current.isValid() && current.row() == row) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = QRect(-horizontalOffset(), y, m_header->length(), m_rowHeight);
            focus.state |= QStyle::State_KeyboardFocusChange;
            focus.backgroundColor = palette().color(QPalette::Base);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
    }
}

}  // namespace zircon
