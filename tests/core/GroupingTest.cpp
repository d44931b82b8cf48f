#include <gtest/gtest.h>

#include "core/Grouping.h"

using namespace zircon;

namespace {

// The channel palette as the program documents it, entry g at index g - 1.
const TRgb kPalette[19] = {
    {0xAA, 0xFF, 0xAA}, {0xFF, 0xFF, 0xAA}, {0xAA, 0xFF, 0xFF}, {0xFF, 0xAA, 0xAA}, {0xAA, 0xAA, 0xFF},
    {0xFF, 0xD5, 0xAA}, {0xD5, 0xAA, 0xFF}, {0xD4, 0xD4, 0xD4}, {0xAA, 0xD5, 0xFF}, {0xFF, 0xAA, 0xD5},
    {0xD5, 0xFF, 0xD5}, {0xFF, 0xFF, 0xD5}, {0xD5, 0xFF, 0xFF}, {0xFF, 0xD5, 0xD5}, {0xD5, 0xD5, 0xFF},
    {0xFF, 0xEA, 0xD5}, {0xEA, 0xD5, 0xFF}, {0xE9, 0xE9, 0xE9}, {0xD5, 0xEA, 0xFF},
};
const TRgb kRed{255, 0, 0};

}  // namespace

TEST(Grouping, MatrixCellOfANumber)
{
    struct Case { int n, width, column, row; };
    const Case cases[] = {
        {1, 10, 1, 1}, {10, 10, 10, 1}, {11, 10, 1, 2}, {69, 10, 9, 7}, {69, 7, 6, 10}, {1, 1, 1, 1}, {69, 1, 1, 69},
        {5, 0, 0, 0},  // no width: no cell instead of a crash
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatrixColumn(c.n, c.width), c.column) << c.n << " in width " << c.width;
        EXPECT_EQ(MatrixRow(c.n, c.width), c.row) << c.n << " in width " << c.width;
    }
}

TEST(Grouping, MatrixNumberInvertsColumnAndRow)
{
    for (int width = 1; width <= 69; ++width)
        for (int n = 1; n <= 69; ++n)
            ASSERT_EQ(MatrixNumber(1, MatrixRow(n, width) - 1, MatrixColumn(n, width) - 1, width), n)
                << n << " in width " << width;
    EXPECT_EQ(MatrixNumber(0, 2, 3, 10), 23);
}

TEST(Grouping, NumberChannel)
{
    struct Case { int n, size, channel; };
    const Case cases[] = {{1, 10, 1}, {10, 10, 1}, {11, 10, 2}, {69, 10, 7}, {69, 3, 23}, {1, 1, 1}, {69, 69, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(NumberChannel(c.n, c.size), c.channel) << c.n << " by " << c.size;
}

TEST(Grouping, ChannelColourOutsideTheRangeIsRed)
{
    EXPECT_EQ(ChannelColour(0, 10), kRed);
    EXPECT_EQ(ChannelColour(70, 10), kRed);
    EXPECT_EQ(ChannelColour(-5, 10), kRed);
    EXPECT_EQ(ChannelColour(5, 0), kRed);  // no channel size
}

TEST(Grouping, ChannelColourFollowsThePalette)
{
    // With channel size 1 number g is in channel g.
    for (int g = 1; g <= 19; ++g)
        EXPECT_EQ(ChannelColour(g, 1), kPalette[g - 1]) << "channel " << g;
    EXPECT_EQ(ChannelColour(69, 3), kPalette[3]);   // channel 23 takes entry 4
    EXPECT_EQ(ChannelColour(1, 10), kPalette[0]);
    EXPECT_EQ(ChannelColour(69, 10), kPalette[6]);  // channel 7
    EXPECT_EQ(ChannelColour(39, 2), kPalette[0]);   // channel 20 takes entry 1
    EXPECT_EQ(ChannelColour(69, 2), kPalette[15]);  // channel 35 takes entry 16
}

TEST(Grouping, ChannelColourWithSizeOneStaysInsideThePalette)
{
    // Channels 39 and 58 are more than 19 past the palette's start; the
    // entries repeat every 19 channels.
    EXPECT_EQ(ChannelColour(39, 1), kPalette[0]);
    EXPECT_EQ(ChannelColour(58, 1), kPalette[0]);
    EXPECT_EQ(ChannelColour(69, 1), kPalette[11]);
}

TEST(Grouping, ShiftNumberIsCyclicInsideTheRange)
{
    struct Case { int n, d, expected; };
    const Case cases[] = {
        {69, 1, 1}, {1, -1, 69}, {35, 0, 35}, {60, 10, 1}, {60, 9, 69}, {5, -5, 69}, {5, -4, 1},
        {1, 68, 69}, {1, 69, 1}, {1, -69, 1}, {1, 70, 2}, {1, -138, 1}, {10, 1000, 10 + 1000 % 69},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShiftNumber(static_cast<uint8_t>(c.n), c.d), c.expected) << c.n << " by " << c.d;
}

TEST(Grouping, ShiftNumberKeepsEveryResultInRange)
{
    for (int n = 1; n <= 69; ++n)
        for (int d = -200; d <= 200; ++d) {
            const int m = ShiftNumber(static_cast<uint8_t>(n), d);
            ASSERT_GE(m, 1);
            ASSERT_LE(m, 69);
            ASSERT_EQ((m - n - d) % 69, 0) << n << " by " << d;
        }
}

TEST(Grouping, ShiftCombShiftsEachNumberInOrder)
{
    EXPECT_EQ(ShiftComb(TComb{{65, 3, 69, 40, 17}}, 5), (TComb{{1, 8, 5, 45, 22}}));
    EXPECT_EQ(ShiftComb(TComb{{1, 2, 3, 4, 5}}, -2), (TComb{{68, 69, 1, 2, 3}}));
    EXPECT_EQ(ShiftComb(TComb{{7, 8, 9, 10, 11}}, 0), (TComb{{7, 8, 9, 10, 11}}));
}
