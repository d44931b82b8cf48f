// The applied-filters list: its rows, marks and captions.
#include <gtest/gtest.h>

#include <QString>

#include "workbench/AppliedFilters.h"

using namespace zircon;

namespace {

TEST(AppliedFiltersTest, ColumnCaptionsAreTheSystemsOwn)
{
    const QStringList captions = AppliedFilters::columnCaptions();
    ASSERT_EQ(captions.size(), AppliedFilters::ColumnCount);
    EXPECT_EQ(captions[AppliedFilters::ColSource], QString::fromUtf8("Примененные фильтры"));
    EXPECT_EQ(captions[AppliedFilters::ColValues], QString::fromUtf8("Значения"));
    EXPECT_EQ(captions[AppliedFilters::ColCount], QString::fromUtf8("Комбинаций"));
}

TEST(AppliedFiltersTest, RowsKeepTheirSourceValuesCountAndMarkInOrder)
{
    AppliedFilters filters;
    EXPECT_TRUE(filters.empty());
    filters.add(QString::fromUtf8("{ num } Числа тиража"), QStringLiteral("3; 9; 14"), 6000000, FilterMark::Keep);
    filters.add(QString::fromUtf8("Карта"), QStringLiteral("7"), 4500000, FilterMark::Delete);
    filters.addUndo(6000000);

    const AppliedFilterRow expected[] = {
        {QString::fromUtf8("{ num } Числа тиража"), QStringLiteral("3; 9; 14"), 6000000, FilterMark::Keep},
        {QString::fromUtf8("Карта"), QStringLiteral("7"), 4500000, FilterMark::Delete},
        {QString::fromUtf8("Отмена последней операции"), QString(), 6000000, FilterMark::Undo},
    };
    ASSERT_EQ(filters.count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(filters.row(i), expected[i]) << "row " << i;
        EXPECT_EQ(filters.cellText(i, AppliedFilters::ColSource), expected[i].source);
        EXPECT_EQ(filters.cellText(i, AppliedFilters::ColValues), expected[i].values);
        EXPECT_EQ(filters.cellText(i, AppliedFilters::ColCount), QString::number(expected[i].count));
    }
    EXPECT_EQ(filters.cellText(1, AppliedFilters::ColCount), QStringLiteral("4500000"));
}

TEST(AppliedFiltersTest, CellsOutsideTheTableAreEmpty)
{
    AppliedFilters filters;
    filters.add(QStringLiteral("NUMS"), QStringLiteral("1"), 5, FilterMark::Keep);
    const std::pair<int, int> outside[] = {{-1, 0}, {1, 0}, {0, -1}, {0, AppliedFilters::ColumnCount}};
    for (auto [row, column] : outside)
        EXPECT_TRUE(filters.cellText(row, column).isEmpty()) << row << ", " << column;
}

TEST(AppliedFiltersTest, RemoveLastTakesTheNewestRowAndClearEmptiesTheList)
{
    AppliedFilters filters;
    filters.removeLast();  // nothing to take: no effect
    EXPECT_TRUE(filters.empty());

    filters.add(QStringLiteral("A"), QStringLiteral("1"), 30, FilterMark::Keep);
    filters.add(QStringLiteral("B"), QStringLiteral("2"), 20, FilterMark::Delete);
    filters.add(QStringLiteral("C"), QStringLiteral("3"), 10, FilterMark::Keep);
    filters.removeLast();
    ASSERT_EQ(filters.count(), 2);
    EXPECT_EQ(filters.row(1).source, QStringLiteral("B"));
    EXPECT_EQ(filters.row(0).source, QStringLiteral("A"));

    filters.clear();
    EXPECT_TRUE(filters.empty());
    EXPECT_EQ(filters.count(), 0);
}

}  // namespace
