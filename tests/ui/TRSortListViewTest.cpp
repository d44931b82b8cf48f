#include <gtest/gtest.h>

#include <QHeaderView>
#include <QStandardItemModel>

#include "core/Error.h"
#include "ui/TRSortListView.h"

namespace zircon {
namespace {

// Caption, a number column with "," decimals, a text column.
QStandardItemModel* makeModel(QObject* parent)
{
    auto* m = new QStandardItemModel(0, 3, parent);
    const char* rows[][3] = {{"b", "10", "Beta"}, {"a", "2,5", "alpha"}, {"c", "2,5", "Gamma"}, {"d", "-1", "delta"}};
    for (const auto& r : rows) {
        QList<QStandardItem*> items;
        for (const char* t : r)
            items.append(new QStandardItem(QString::fromUtf8(t)));
        m->appendRow(items);
    }
    return m;
}

QString captions(const TRSortListView& v)
{
    QString s;
    for (int r = 0; r < v.model()->rowCount(); ++r)
        s += v.model()->index(r, 0).data().toString();
    return s;
}

TEST(TRSortListView, SortsByTheListRule)
{
    TRSortListView view;
    view.setSourceModel(makeModel(&view));
    EXPECT_EQ(view.sortColumn(), -1);
    EXPECT_EQ(captions(view), QStringLiteral("bacd")) << "no sort column: the model's order";

    struct Case {
        int column;
        bool descending;
        const char* order;
    };
    const Case cases[] = {
        {1, false, "dacb"},  // -1 < 2,5 = 2,5 < 10; the tie goes by caption a < c
        {1, true, "bcad"},   // exactly reversed, the tie included
        {2, false, "abdc"},  // alpha Beta delta Gamma, ignoring case
        {0, true, "dcba"},
        {-1, false, "bacd"},
    };
    for (const Case& c : cases) {
        view.setSortState(c.column, c.descending);
        EXPECT_EQ(captions(view), QString::fromLatin1(c.order)) << c.column << " " << c.descending;
        EXPECT_EQ(view.header()->isSortIndicatorShown(), c.column >= 0);
    }
}

TEST(TRSortListView, HeadingClicks)
{
    TRSortListView view;
    view.setSourceModel(makeModel(&view));
    std::vector<std::pair<int, bool>> changes;
    QObject::connect(&view, &TRSortListView::sortStateChanged,
                     [&](int c, bool d) { changes.emplace_back(c, d); });
    view.headingClicked(2);
    EXPECT_EQ(view.sortColumn(), 2);
    EXPECT_FALSE(view.sortDescending()) << "another heading sorts ascending";
    view.headingClicked(2);
    EXPECT_TRUE(view.sortDescending()) << "the sort column's heading reverses";
    view.headingClicked(2);
    EXPECT_FALSE(view.sortDescending());
    view.headingClicked(2);
    view.headingClicked(1);
    EXPECT_EQ(view.sortColumn(), 1);
    EXPECT_FALSE(view.sortDescending()) << "a new column starts ascending even after a descending one";
    EXPECT_EQ(changes.size(), 5u);
    // The header's own signal takes the same road.
    emit view.header()->sectionClicked(1);
    EXPECT_TRUE(view.sortDescending());
}

TEST(TRSortListView, ColumnOutsideTheListFails)
{
    TRSortListView view;
    view.setSourceModel(makeModel(&view));
    view.setSortState(1, true);
    for (int bad : {-2, 3, 100}) {
        try {
            view.setSortState(bad, false);
            ADD_FAILURE() << "accepted column " << bad;
        } catch (const Error& e) {
            EXPECT_EQ(e.text(), QStringLiteral("Некорректное занчение номера столбца сортировки (%1)").arg(bad));
        }
        EXPECT_EQ(view.sortColumn(), 1) << "the state is unchanged";
        EXPECT_TRUE(view.sortDescending());
    }
}

TEST(TRSortListView, SelectionMapsToModelRows)
{
    TRSortListView view;
    view.setSourceModel(makeModel(&view));
    view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    view.setSortState(0, true);  // d c b a
    EXPECT_EQ(view.sourceRow(0), 3);
    view.selectionModel()->select(view.model()->index(0, 0),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
    view.selectionModel()->select(view.model()->index(3, 0),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(view.selectedSourceRows(), (std::vector<int>{1, 3}));
}

}  // namespace
}  // namespace zircon
