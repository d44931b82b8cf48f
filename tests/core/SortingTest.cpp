#include <gtest/gtest.h>

#include "core/Sorting.h"

using namespace zircon;

TEST(Sorting, CombAscending)
{
    struct Case { TComb in, out; };
    const Case cases[] = {
        {{{69, 3, 40, 17, 25}}, {{3, 17, 25, 40, 69}}},
        {{{1, 2, 3, 4, 5}}, {{1, 2, 3, 4, 5}}},
        {{{5, 4, 3, 2, 1}}, {{1, 2, 3, 4, 5}}},
        {{{7, 7, 1, 7, 0}}, {{0, 1, 7, 7, 7}}},
    };
    for (Case c : cases) {
        sortComb(c.in);
        EXPECT_EQ(c.in, c.out);
    }
}

TEST(Sorting, DrawNumbersAscendingLeaveTheRestAlone)
{
    TDraw d;
    d.number = 1275;
    d.nums = {40, 3, 69, 17, 25};
    d.extra = 12;
    d.setDate("02/15/2024");
    sortDrawNumbers(d);
    EXPECT_EQ(d.nums, (std::array<uint8_t, 5>{3, 17, 25, 40, 69}));
    EXPECT_EQ(d.number, 1275);
    EXPECT_EQ(d.extra, 12);
    EXPECT_EQ(d.date(), "02/15/2024");
}

TEST(Sorting, ShemaSortsOnlyItsCountedNumbers)
{
    TShema s;
    s.count = 6;
    s.nums = {8, 1, 7, 2, 6, 3, 0, 0};
    sortShemaNumbers(s);
    EXPECT_EQ(s.nums, (std::array<uint8_t, 8>{1, 2, 3, 6, 7, 8, 0, 0}));

    s.count = 3;
    s.nums = {9, 5, 1, 4, 2, 0, 0, 0};
    sortShemaNumbers(s);
    EXPECT_EQ(s.nums, (std::array<uint8_t, 8>{1, 5, 9, 4, 2, 0, 0, 0}));

    s.count = 99;  // a broken count sorts no more than the eight numbers
    s.nums = {8, 7, 6, 5, 4, 3, 2, 1};
    sortShemaNumbers(s);
    EXPECT_EQ(s.nums, (std::array<uint8_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(s.count, 99);
}

TEST(Sorting, IntArrayDescending)
{
    struct Case { TIntArray in, out; };
    const Case cases[] = {
        {{3, -1, 10, 3, 7}, {10, 7, 3, 3, -1}},
        {{}, {}},
        {{5}, {5}},
        {{1, 2, 3, 4}, {4, 3, 2, 1}},
    };
    for (Case c : cases) {
        sortIntsDescending(c.in);
        EXPECT_EQ(c.in, c.out);
    }
}
