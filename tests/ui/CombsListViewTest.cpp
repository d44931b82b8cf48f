#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include "core/Grouping.h"
#include "core/Lottery.h"
#include "ui/CombsListView.h"
#include "ui/CombsModel.h"
#include "workbench/CombGeneration.h"
#include "workbench/CombList.h"

namespace zircon {
namespace {

constexpr int kRows = 2000;

// A list of kRows combinations and the view over it, on screen at a size that
// shows a few dozen rows.
class CombsListViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_list.reserve(kRows);
        for (int i = 0; i < kRows; ++i)
            ASSERT_TRUE(m_list.append(TComb{{1, 2, 3, static_cast<uint8_t>(4 + i % 60), static_cast<uint8_t>(69 - i % 5)}}));
        m_model = std::make_unique<CombsModel>(m_list);
        m_view.setModel(m_model.get());
        // Every column on screen.
        for (int c = 0; c < CombsModel::ColumnCount; ++c)
            m_view.header()->resizeSection(c, 40);
        m_view.resize(320, 300);
        m_view.show();
        QApplication::processEvents();
        ASSERT_GT(m_view.pageRows(), 3);
    }

    // The middle of a cell of a row that is on screen.
    QPoint cellPoint(int row, int column) const
    {
        const QRect r = m_view.visualRect(m_model->index(row, column));
        return r.center();
    }
    void click(const QPoint& p, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(p), m_view.viewport()->mapToGlobal(QPointF(p)),
                          Qt::LeftButton, Qt::LeftButton, modifiers);
        QApplication::sendEvent(m_view.viewport(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(p), m_view.viewport()->mapToGlobal(QPointF(p)),
                            Qt::LeftButton, Qt::NoButton, modifiers);
        QApplication::sendEvent(m_view.viewport(), &release);
    }
    void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, k, modifiers);
        QApplication::sendEvent(&m_view, &press);
    }
    static std::vector<int> span(int first, int last)
    {
        std::vector<int> rows;
        for (int r = first; r <= last; ++r)
            rows.push_back(r);
        return rows;
    }

    CombList m_list;
    std::unique_ptr<CombsModel> m_model;
    CombsListView m_view;
};

TEST_F(CombsListViewTest, RowsAndPointsMapBothWaysWhereverTheListIsScrolled)
{
    const int h = m_view.rowHeight();
    for (int top : {0, 500, kRows - m_view.pageRows()}) {
        m_view.scrollTo(m_model->index(top, 0), QAbstractItemView::PositionAtTop);
        ASSERT_EQ(m_view.topRow(), top);
        for (int k : {0, 1, m_view.pageRows() - 1}) {
            const QModelIndex index = m_view.indexAt(QPoint(cellPoint(top + k, 2).x(), k * h + h / 2));
            EXPECT_EQ(index.row(), top + k) << top << "+" << k;
            EXPECT_EQ(index.column(), 2);
            EXPECT_EQ(m_view.visualRect(m_model->index(top + k, 2)).top(), k * h);
        }
    }
    // The last page cannot scroll further; below the last row there is nothing.
    EXPECT_EQ(m_view.verticalScrollBar()->maximum(), kRows - m_view.pageRows());
    m_view.scrollTo(m_model->index(kRows - 1, 0), QAbstractItemView::PositionAtTop);
    EXPECT_EQ(m_view.topRow(), kRows - m_view.pageRows());
    EXPECT_FALSE(m_view.indexAt(QPoint(5, m_view.pageRows() * h + h)).isValid());
    EXPECT_FALSE(m_view.indexAt(QPoint(m_view.header()->length() + 5, 1)).isValid()) << "right of the last column";

    // EnsureVisible moves only as far as needed.
    m_view.scrollTo(m_model->index(100, 0), QAbstractItemView::PositionAtTop);
    m_view.scrollTo(m_model->index(102, 0));
    EXPECT_EQ(m_view.topRow(), 100);
    m_view.scrollTo(m_model->index(100 + m_view.pageRows(), 0));
    EXPECT_EQ(m_view.topRow(), 101);
    m_view.scrollTo(m_model->index(40, 0));
    EXPECT_EQ(m_view.topRow(), 40);
}

TEST_F(CombsListViewTest, ClicksSelectRowsAndShiftSpansFromRowsScrolledAway)
{
    click(cellPoint(3, 1));
    EXPECT_EQ(m_view.selectedRows(), std::vector<int>{3});
    EXPECT_EQ(m_view.currentIndex().row(), 3);

    // The anchor row is far above the viewport when the shift-click lands.
    m_view.scrollTo(m_model->index(1500, 0), QAbstractItemView::PositionAtTop);
    click(cellPoint(1502, 4), Qt::ShiftModifier);
    EXPECT_EQ(m_view.selectedRows(), span(3, 1502));

    // Ctrl-click takes a row out of the block and puts it back.
    click(cellPoint(1501, 0), Qt::ControlModifier);
    std::vector<int> expected = span(3, 1500);
    expected.push_back(1502);
    EXPECT_EQ(m_view.selectedRows(), expected);
    EXPECT_TRUE(m_view.hasSelectedRows());
    click(cellPoint(1501, 0), Qt::ControlModifier);
    EXPECT_EQ(m_view.selectedRows(), span(3, 1502)) << "each row once, in order";

    // A plain click starts anew.
    click(cellPoint(1505, 6));
    EXPECT_EQ(m_view.selectedRows(), std::vector<int>{1505});
    // Every column of the row is selected, not only the clicked cell.
    EXPECT_TRUE(m_view.selectionModel()->isSelected(m_model->index(1505, 0)));
    EXPECT_TRUE(m_view.selectionModel()->isSelected(m_model->index(1505, 3)));
}

TEST_F(CombsListViewTest, KeysMoveAndExtendAndScrollAlong)
{
    click(cellPoint(0, 1));
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(m_view.selectedRows(), span(0, 3));
    key(Qt::Key_Down);
    EXPECT_EQ(m_view.selectedRows(), std::vector<int>{4});
    key(Qt::Key_PageDown);
    EXPECT_EQ(m_view.currentIndex().row(), 4 + m_view.pageRows());
    key(Qt::Key_End);
    EXPECT_EQ(m_view.currentIndex().row(), kRows - 1);
    EXPECT_EQ(m_view.selectedRows(), std::vector<int>{kRows - 1});
    EXPECT_EQ(m_view.topRow(), kRows - m_view.pageRows()) << "the current row stays in sight";
    key(Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(m_view.selectedRows().size(), static_cast<size_t>(kRows));
    EXPECT_EQ(m_view.topRow(), 0);
    key(Qt::Key_Up);
    EXPECT_EQ(m_view.currentIndex().row(), 0) << "nothing above the first row";
    // Typing does not search the rows.
    const QModelIndex before = m_view.currentIndex();
    key(Qt::Key_5);
    EXPECT_EQ(m_view.currentIndex(), before);
}

TEST_F(CombsListViewTest, PaintsTheChannelColoursAndTheSelection)
{
    m_view.scrollTo(m_model->index(0, 0), QAbstractItemView::PositionAtTop);
    const QRect cell = m_view.visualRect(m_model->index(1, CombsModel::ColN5));
    const QPoint probe(cell.left() + 2, cell.top() + 2);  // clear of the centred text
    const QImage before = m_view.viewport()->grab().toImage();
    const TRgb c = ChannelColour(68, m_model->channelSize());  // row 1 ends in 68
    EXPECT_EQ(QColor(before.pixel(probe)), QColor(c.r, c.g, c.b));

    click(cellPoint(1, 0));
    const QImage selected = m_view.viewport()->grab().toImage();
    EXPECT_NE(QColor(selected.pixel(probe)), QColor(c.r, c.g, c.b)) << "the selection shows over the colour";

    m_model->setColorCombs(false);
    m_view.selectionModel()->clearSelection();
    // The focus frame of the current row is drawn elsewhere.
    m_view.selectionModel()->setCurrentIndex(m_model->index(5, 0), QItemSelectionModel::NoUpdate);
    const QImage plain = m_view.viewport()->grab().toImage();
    EXPECT_EQ(QColor(plain.pixel(probe)), QColor(Qt::white));
}

TEST_F(CombsListViewTest, ColumnWidthsGoToTheListStateAndBack)
{
    m_view.header()->resizeSection(0, 77);
    const ListState s = m_view.listState();
    ASSERT_EQ(s.columnWidths.size(), static_cast<size_t>(CombsModel::ColumnCount));
    EXPECT_EQ(s.columnWidths[0], 77);
    EXPECT_TRUE(s.multiSelect);
    EXPECT_EQ(s.sortColumn, -1) << "the list does not sort";
    m_view.applyColumnWidths({50, 31, 32});
    EXPECT_EQ(m_view.header()->sectionSize(0), 50);
    EXPECT_EQ(m_view.header()->sectionSize(2), 32);
    EXPECT_EQ(m_view.header()->sectionSize(3), s.columnWidths[3]) << "a missing width keeps the column";
}

TEST(CombsListViewFullSetTest, SelectsAndScrollsTheFullSetByRanges)
{
    CombList list;
    list.reserveFullSet();
    GenerateCombs(list, 0, QString());
    CombsModel model(list);
    CombsListView view;
    view.setModel(&model);
    view.resize(300, 400);
    view.show();
    QApplication::processEvents();

    view.scrollTo(model.index(kFullSetSize - 1, 0));
    EXPECT_EQ(view.topRow(), kFullSetSize - view.pageRows());
    const int h = view.rowHeight();
    EXPECT_EQ(view.indexAt(QPoint(5, (view.pageRows() - 1) * h + 1)).row(), kFullSetSize - 1);

    view.selectAll();
    EXPECT_EQ(view.selectionModel()->selection().size(), 1) << "one range, not a row each";
    const std::vector<int> rows = view.selectedRows();
    ASSERT_EQ(rows.size(), static_cast<size_t>(kFullSetSize));
    EXPECT_EQ(rows.front(), 0);
    EXPECT_EQ(rows.back(), kFullSetSize - 1);

    // A smaller list after the full one: the view starts anew.
    list.setCount(6);
    model.refresh();
    QApplication::processEvents();
    EXPECT_FALSE(view.hasSelectedRows());
    EXPECT_EQ(view.topRow(), 0);
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 0);
}

}  // namespace
}  // namespace zircon
