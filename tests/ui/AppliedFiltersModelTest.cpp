#include <gtest/gtest.h>

#include <QColor>

#include "ui/AppliedFiltersModel.h"
#include "workbench/AppliedFilters.h"

namespace zircon {
namespace {

TEST(AppliedFiltersModelTest, ShowsTheStepsWithTheirMarks)
{
    AppliedFilters filters;
    AppliedFiltersModel m(filters);
    ASSERT_EQ(m.columnCount(), 3);
    EXPECT_EQ(m.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Примененные фильтры"));
    EXPECT_EQ(m.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Значения"));
    EXPECT_EQ(m.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Комбинаций"));
    EXPECT_EQ(m.rowCount(), 0);

    filters.add(QStringLiteral("Числа"), QStringLiteral("1; 2"), 814385, FilterMark::Keep);
    filters.add(QStringLiteral("Последние тиражи"), QStringLiteral("10"), 814380, FilterMark::Delete);
    filters.addUndo(814385);
    EXPECT_EQ(m.rowCount(), 0) << "the model takes the rows when told";
    m.refresh();
    ASSERT_EQ(m.rowCount(), 3);

    struct Case {
        int row;
        const char* source;
        const char* values;
        const char* count;
        FilterMark mark;
    };
    const Case cases[] = {
        {0, "Числа", "1; 2", "814385", FilterMark::Keep},
        {1, "Последние тиражи", "10", "814380", FilterMark::Delete},
        {2, "Отмена последней операции", "", "814385", FilterMark::Undo},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(m.index(c.row, 0).data().toString(), QString::fromUtf8(c.source)) << c.row;
        EXPECT_EQ(m.index(c.row, 1).data().toString(), QString::fromUtf8(c.values)) << c.row;
        EXPECT_EQ(m.index(c.row, 2).data().toString(), QString::fromUtf8(c.count)) << c.row;
        EXPECT_EQ(m.index(c.row, 0).data(AppliedFiltersModel::MarkRole).toInt(), static_cast<int>(c.mark)) << c.row;
        EXPECT_EQ(m.index(c.row, 0).data(Qt::DecorationRole).value<QColor>(), AppliedFiltersModel::markColour(c.mark));
        EXPECT_FALSE(m.index(c.row, 1).data(Qt::DecorationRole).isValid()) << "the sign stands before the source only";
        EXPECT_FALSE(m.flags(m.index(c.row, 0)) & Qt::ItemIsEditable) << "read-only";
    }
    // The three marks look different.
    EXPECT_NE(AppliedFiltersModel::markColour(FilterMark::Keep), AppliedFiltersModel::markColour(FilterMark::Delete));
    EXPECT_NE(AppliedFiltersModel::markColour(FilterMark::Delete), AppliedFiltersModel::markColour(FilterMark::Undo));
    EXPECT_NE(AppliedFiltersModel::markColour(FilterMark::Keep), AppliedFiltersModel::markColour(FilterMark::Undo));

    filters.removeLast();
    m.refresh();
    EXPECT_EQ(m.rowCount(), 2);
    filters.clear();
    m.refresh();
    EXPECT_EQ(m.rowCount(), 0);
    EXPECT_FALSE(m.index(0, 0).data().isValid());
}

}  // namespace
}  // namespace zircon
