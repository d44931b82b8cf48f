#include <gtest/gtest.h>

#include <QColor>

#include "core/Grouping.h"
#include "core/Lottery.h"
#include "ui/CombsModel.h"
#include "workbench/CombGeneration.h"
#include "workbench/CombList.h"

namespace zircon {
namespace {

TComb comb(uint8_t a, uint8_t b, uint8_t c, uint8_t d, uint8_t e)
{
    return TComb{{a, b, c, d, e}};
}

QColor channel(int n, int size)
{
    const TRgb c = ChannelColour(n, size);
    return QColor(c.r, c.g, c.b);
}

class CombsModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_list.reserve(10);
        // Stored order is shown as it is, not sorted.
        for (const TComb& c : {comb(1, 2, 3, 4, 5), comb(69, 11, 21, 31, 41), comb(33, 5, 69, 12, 40)})
            ASSERT_TRUE(m_list.append(c));
    }
    static QString text(const CombsModel& m, int row, int column)
    {
        return m.data(m.index(row, column), Qt::DisplayRole).toString();
    }
    static QColor background(const CombsModel& m, int row, int column)
    {
        return m.data(m.index(row, column), Qt::BackgroundRole).value<QColor>();
    }

    CombList m_list;
};

TEST_F(CombsModelTest, HeadersInOrder)
{
    CombsModel m(m_list);
    const QStringList expected{QStringLiteral("№ п.п."), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                               QStringLiteral("4"),      QStringLiteral("5"), QStringLiteral("S")};
    ASSERT_EQ(m.columnCount(), expected.size());
    for (int c = 0; c < m.columnCount(); ++c)
        EXPECT_EQ(m.headerData(c, Qt::Horizontal).toString(), expected[c]) << c;
    EXPECT_FALSE(m.headerData(0, Qt::Vertical).isValid()) << "no row captions beside the running number";
}

TEST_F(CombsModelTest, RowsShowTheEntriesInStoredOrderWithTheirSums)
{
    CombsModel m(m_list);
    ASSERT_EQ(m.rowCount(), 3);
    struct Row {
        QStringList cells;
    };
    const std::vector<Row> rows{
        {{"1", "1", "2", "3", "4", "5", "15"}},
        {{"2", "69", "11", "21", "31", "41", "173"}},
        {{"3", "33", "5", "69", "12", "40", "159"}},
    };
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < CombsModel::ColumnCount; ++c)
            EXPECT_EQ(text(m, r, c), rows[static_cast<size_t>(r)].cells[c]) << r << "," << c;
    EXPECT_FALSE(m.data(m.index(3, 0)).isValid()) << "past the last row";
    EXPECT_FALSE(m.flags(m.index(0, 1)) & Qt::ItemIsEditable);
}

TEST_F(CombsModelTest, NumberCellsTakeTheirChannelColourWhileTheOptionIsOn)
{
    int channelSize = 10;
    CombsModel m(m_list);
    m.setChannelSizeSource([&] { return channelSize; });
    EXPECT_TRUE(m.colorCombs()) << "on by default";
    // Row 1 holds 69, 11, 21, 31, 41: every number in another channel of 10.
    for (int c = CombsModel::ColN1; c <= CombsModel::ColN5; ++c) {
        const int n = text(m, 1, c).toInt();
        EXPECT_EQ(background(m, 1, c), channel(n, 10)) << c;
    }
    EXPECT_NE(background(m, 1, CombsModel::ColN1), background(m, 1, CombsModel::ColN2));
    EXPECT_EQ(background(m, 1, CombsModel::ColIndex), QColor(Qt::white));
    EXPECT_EQ(background(m, 1, CombsModel::ColSum), QColor(Qt::white));

    // A new channel size is read at the next repaint: with channels of 35
    // numbers 11 and 21 share the first one and 69 lies in the second.
    channelSize = 35;
    int changed = 0;
    QObject::connect(&m, &QAbstractItemModel::dataChanged, [&] { ++changed; });
    m.repaint();
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(m.channelSize(), 35);
    EXPECT_EQ(background(m, 1, CombsModel::ColN2), channel(11, 35));
    EXPECT_EQ(background(m, 1, CombsModel::ColN2), background(m, 1, CombsModel::ColN3)) << "11 and 21 in 1..35";
    EXPECT_NE(background(m, 1, CombsModel::ColN2), background(m, 1, CombsModel::ColN1)) << "69 in 36..69";

    m.setColorCombs(false);
    EXPECT_EQ(changed, 2) << "switching repaints";
    for (int c = 0; c < CombsModel::ColumnCount; ++c)
        EXPECT_EQ(background(m, 1, c), QColor(Qt::white)) << c;
    m.setColorCombs(false);
    EXPECT_EQ(changed, 2) << "no change, no repaint";
}

TEST_F(CombsModelTest, RefreshResetsOnANewCountAndRepaintsOtherwise)
{
    CombsModel m(m_list);
    int resets = 0;
    int changed = 0;
    QObject::connect(&m, &QAbstractItemModel::modelReset, [&] { ++resets; });
    QObject::connect(&m, &QAbstractItemModel::dataChanged, [&] { ++changed; });
    m_list[0] = comb(7, 8, 9, 10, 11);
    m.refresh();
    EXPECT_EQ(resets, 0) << "same count: the rows stay, the selection with them";
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(text(m, 0, CombsModel::ColN1), QStringLiteral("7"));

    ASSERT_TRUE(m_list.append(comb(60, 61, 62, 63, 64)));
    EXPECT_EQ(m.rowCount(), 3) << "the model is told, it does not poll";
    m.refresh();
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(m.rowCount(), 4);
    EXPECT_EQ(text(m, 3, CombsModel::ColSum), QStringLiteral("310"));

    m_list.clear();
    m.refresh();
    EXPECT_EQ(resets, 2);
    EXPECT_EQ(m.rowCount(), 0);
    EXPECT_FALSE(m.data(m.index(0, 0)).isValid());
}

TEST(CombsModelFullSetTest, HoldsTheFullSetWithoutRowsOfItsOwn)
{
    CombList list;
    list.reserveFullSet();
    GenerateCombs(list, 0, QString());
    ASSERT_EQ(list.count(), static_cast<size_t>(kFullSetSize));
    CombsModel m(list);
    EXPECT_EQ(m.rowCount(), kFullSetSize);
    // The lexicographic order: the first and the last combination of 1..69.
    EXPECT_EQ(m.data(m.index(0, CombsModel::ColN5)).toString(), QStringLiteral("5"));
    const int last = kFullSetSize - 1;
    EXPECT_EQ(m.data(m.index(last, CombsModel::ColIndex)).toString(), QStringLiteral("11238513"));
    EXPECT_EQ(m.data(m.index(last, CombsModel::ColN1)).toString(), QStringLiteral("65"));
    EXPECT_EQ(m.data(m.index(last, CombsModel::ColSum)).toString(), QString::number(65 + 66 + 67 + 68 + 69));
}

}  // namespace
}  // namespace zircon
