#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "stats/Rounding.h"

using namespace zircon;

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
    struct Case {
        double x;
        int64_t expected;
    };
    const Case cases[] = {
        {0.5, 0},        {1.5, 2},          {2.5, 2},         {3.5, 4},          {-0.5, 0},
        {-1.5, -2},      {-2.5, -2},        {127.5, 128},     {148.5, 148},      {16.5, 16},
        {2.4999999, 2},  {2.5000001, 3},    {-2.5000001, -3}, {0.0, 0},          {7.0, 7},
        {-7.0, -7},      {1.0 / 3.0, 0},    {2.0 / 3.0, 1},
        // The neighbours of a half that x + 0.5 would mis-round.
        {0.49999999999999994, 0},          {-0.49999999999999994, 0},
        {4503599627370497.0, 4503599627370497},  // 2^52 + 1: already whole
    };
    for (const Case& c : cases)
        EXPECT_EQ(roundHalfEven(c.x), c.expected) << c.x;
}

TEST(Rounding, OutOfRangeAndNotANumber)
{
    EXPECT_EQ(roundHalfEven(std::nan("")), 0);
    EXPECT_EQ(roundHalfEven(1e300), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(roundHalfEven(-1e300), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(roundHalfEven(std::numeric_limits<double>::infinity()), std::numeric_limits<int64_t>::max());
}
