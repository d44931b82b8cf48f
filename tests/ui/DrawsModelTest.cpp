#include <gtest/gtest.h>

#include <QColor>

#include "support/DrawFixtures.h"
#include "core/DrawArchive.h"
#include "core/Grouping.h"
#include "support/TempDir.h"
#include "ui/DrawsModel.h"

using zircon::test::makeDraw;

namespace zircon {
namespace {

class DrawsModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Oldest first, as the archive keeps them.
        m_archive.store(m_dir.file(QStringLiteral("a.ldr")),
                        {makeDraw(101, {3, 1, 2, 4, 5}, 1, "01/02/2024"), makeDraw(102, {69, 11, 21, 31, 41}, 26, ""),
                         makeDraw(103, {33, 5, 69, 12, 41}, 26, "02/15/2024")});
    }

    QString text(const DrawsModel& m, int row, int column) const
    {
        return m.data(m.index(row, column), Qt::DisplayRole).toString();
    }
    QColor background(const DrawsModel& m, int row, int column) const
    {
        return m.data(m.index(row, column), Qt::BackgroundRole).value<QColor>();
    }
    static QColor channel(int n, int size)
    {
        const TRgb c = ChannelColour(n, size);
        return QColor(c.r, c.g, c.b);
    }

    test::TempDir m_dir;
    DrawArchive m_archive;
};

TEST_F(DrawsModelTest, HeadersInOrder)
{
    DrawsModel m(m_archive);
    const QStringList expected{QStringLiteral("Тираж"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                               QStringLiteral("4"),     QStringLiteral("5"), QStringLiteral("E"), QStringLiteral("S"),
                               QStringLiteral("Дата тиража")};
    ASSERT_EQ(m.columnCount(), expected.size());
    for (int c = 0; c < m.columnCount(); ++c)
        EXPECT_EQ(m.headerData(c, Qt::Horizontal).toString(), expected[c]) << c;
}

TEST_F(DrawsModelTest, RowsNewestFirstWithTheirTexts)
{
    DrawsModel m(m_archive);
    ASSERT_EQ(m.rowCount(), 3);
    // Row 0 is the newest draw (archive index 2), shown in drawn order.
    const QStringList row0{QStringLiteral("103"), QStringLiteral("33"), QStringLiteral("5"),   QStringLiteral("69"),
                           QStringLiteral("12"),  QStringLiteral("41"), QStringLiteral("26"),  QStringLiteral("160"),
                           QStringLiteral("02/15/2024")};
    for (int c = 0; c < 9; ++c)
        EXPECT_EQ(text(m, 0, c), row0[c]) << c;
    EXPECT_EQ(text(m, 1, 0), QStringLiteral("102"));
    EXPECT_EQ(text(m, 1, 8), QString()) << "a draw without a date shows an empty date";
    EXPECT_EQ(text(m, 2, 0), QStringLiteral("101"));
    EXPECT_EQ(text(m, 2, 7), QStringLiteral("15"));
}

TEST_F(DrawsModelTest, SortedDisplayLeavesTheArchiveAlone)
{
    DrawsModel m(m_archive);
    m.setSortedDraws(true);
    const QStringList sorted{QStringLiteral("5"), QStringLiteral("12"), QStringLiteral("33"), QStringLiteral("41"),
                             QStringLiteral("69")};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(text(m, 0, 1 + i), sorted[i]);
    EXPECT_EQ(text(m, 0, 6), QStringLiteral("26")) << "the extra number is not sorted in";
    EXPECT_EQ(m_archive.draws()[2].nums[0], 33) << "the stored record keeps its drawn order";
}

TEST_F(DrawsModelTest, NumberColumnsCentred)
{
    DrawsModel m(m_archive);
    for (int c = 0; c < 9; ++c) {
        const auto a = m.data(m.index(0, c), Qt::TextAlignmentRole).value<Qt::Alignment>();
        const bool centred = (a & Qt::AlignHCenter) != 0;
        EXPECT_EQ(centred, c >= 1 && c <= 7) << c;
    }
}

TEST_F(DrawsModelTest, BackgroundsFollowOffsetAndChannels)
{
    DrawsModel m(m_archive);
    m.setChannelSizeSource([] { return 10; });
    const QColor pink(255, 170, 170);
    const QColor white(Qt::white);

    struct Case {
        int offset;
        bool color;
    };
    for (const Case c : {Case{0, true}, Case{0, false}, Case{2, true}, Case{1, false}}) {
        m_archive.setDrawsOffset(c.offset);
        m.setColorDraws(c.color);
        for (int row = 0; row < 3; ++row) {
            const TDraw& d = m_archive.drawAtRow(row);
            for (int col = 0; col < 9; ++col) {
                QColor expected = row == c.offset ? pink : white;
                if (c.color && col >= 1 && col <= 5)
                    expected = channel(d.nums[static_cast<size_t>(col - 1)], 10);
                EXPECT_EQ(background(m, row, col), expected)
                    << "offset " << c.offset << " colour " << c.color << " row " << row << " col " << col;
            }
        }
    }
}

TEST_F(DrawsModelTest, ChannelSizeAndSortedOrderDecideTheColour)
{
    DrawsModel m(m_archive);
    int size = 10;
    m.setChannelSizeSource([&] { return size; });
    // 5 and 12 lie in channels 1 and 2 of size 10 but share channel 1 of size 20.
    m.setSortedDraws(true);  // row 0 shows 5, 12, 33, 41, 69
    EXPECT_EQ(background(m, 0, 1), channel(5, 10));
    EXPECT_EQ(background(m, 0, 2), channel(12, 10));
    EXPECT_NE(background(m, 0, 1), background(m, 0, 2));
    size = 20;
    m.refresh(false);
    EXPECT_EQ(m.channelSize(), 20);
    EXPECT_EQ(background(m, 0, 1), background(m, 0, 2)) << "5 and 12 share the first channel of 20";
}

TEST_F(DrawsModelTest, EmptyArchiveAndRefreshTakeTheNewCount)
{
    DrawArchive empty;
    DrawsModel e(empty);
    EXPECT_EQ(e.rowCount(), 0);
    EXPECT_FALSE(e.data(e.index(0, 0)).isValid());

    DrawsModel m(m_archive);
    int resets = 0;
    QObject::connect(&m, &QAbstractItemModel::modelReset, [&] { ++resets; });
    TDrawsArray more = m_archive.draws();
    more.push_back(makeDraw(104, {1, 2, 3, 4, 5}, 6, "03/01/2024"));
    m_archive.store(m_dir.file(QStringLiteral("a.ldr")), more);
    EXPECT_EQ(m.rowCount(), 3) << "the list keeps its count until it is refreshed";
    EXPECT_EQ(text(m, 0, 0), QStringLiteral("104")) << "rows are read on demand";
    m.refresh(false);
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(m.rowCount(), 4);
    m.refresh(true);
    EXPECT_EQ(resets, 1) << "an unchanged count repaints without starting the view anew";
}

}  // namespace
}  // namespace zircon
