#include <gtest/gtest.h>

#include "core/Shema.h"

using namespace zircon;

namespace {

TShema makeShema(int count, std::array<uint8_t, 8> nums)
{
    TShema s;
    s.count = count;
    s.nums = nums;
    return s;
}

TDraw makeDraw(std::array<uint8_t, 5> nums)
{
    TDraw d;
    d.nums = nums;
    d.extra = 3;
    return d;
}

}  // namespace

TEST(Shema, FromCombKeepsTheOrderAndZeroesTheRest)
{
    EXPECT_EQ(ShemaFromComb(TComb{{5, 3, 9, 1, 2}}), makeShema(5, {5, 3, 9, 1, 2, 0, 0, 0}));
}

TEST(Shema, IntersectDrawTable)
{
    struct Case { std::array<uint8_t, 5> draw; TShema set; TShema expected; };
    const Case cases[] = {
        {{40, 3, 69, 17, 25}, makeShema(7, {1, 3, 17, 40, 50, 60, 25, 0}), makeShema(4, {3, 17, 25, 40, 0, 0, 0, 0})},
        {{40, 3, 69, 17, 25}, makeShema(5, {69, 40, 25, 17, 3, 0, 0, 0}), makeShema(5, {3, 17, 25, 40, 69, 0, 0, 0})},
        {{40, 3, 69, 17, 25}, makeShema(5, {1, 2, 4, 5, 6, 0, 0, 0}), makeShema(0, {})},
        // bytes beyond the count are not part of the set
        {{40, 3, 69, 17, 25}, makeShema(2, {3, 17, 25, 40, 69, 0, 0, 0}), makeShema(2, {3, 17, 0, 0, 0, 0, 0, 0})},
        // the extra number (3) plays no part
        {{10, 20, 30, 40, 50}, makeShema(5, {3, 1, 2, 4, 5, 0, 0, 0}), makeShema(0, {})},
        // a count out of range reads at most the eight bytes
        {{10, 20, 30, 40, 50}, makeShema(100, {50, 10, 0, 0, 0, 0, 0, 0}), makeShema(2, {10, 50, 0, 0, 0, 0, 0, 0})},
        {{10, 20, 30, 40, 50}, makeShema(-1, {50, 10, 0, 0, 0, 0, 0, 0}), makeShema(0, {})},
    };
    for (const Case& c : cases) {
        const TShema got = ShemaIntersectDraw(makeDraw(c.draw), c.set);
        EXPECT_EQ(got, c.expected) << "got " << ShemaText(got, QStringLiteral(" ")).toStdString();
    }
}

TEST(Shema, EqualIgnoresOrderButNotCount)
{
    const TShema a = makeShema(5, {3, 17, 25, 40, 69, 0, 0, 0});
    EXPECT_TRUE(ShemaEqual(a, a));
    EXPECT_TRUE(ShemaEqual(a, makeShema(5, {69, 40, 25, 17, 3, 0, 0, 0})));
    EXPECT_FALSE(ShemaEqual(a, makeShema(5, {69, 40, 25, 17, 4, 0, 0, 0})));
    EXPECT_FALSE(ShemaEqual(a, makeShema(6, {3, 17, 25, 40, 69, 1, 0, 0})));
    // a number of a that sits beyond b's count is not found in b
    EXPECT_FALSE(ShemaEqual(makeShema(2, {3, 17, 0, 0, 0, 0, 0, 0}), makeShema(2, {3, 5, 17, 0, 0, 0, 0, 0})));
    EXPECT_TRUE(ShemaEqual(makeShema(0, {}), makeShema(0, {1, 2})));
}

TEST(Shema, TextJoinsTheCountedNumbers)
{
    EXPECT_EQ(ShemaText(makeShema(3, {3, 17, 25, 40, 0, 0, 0, 0}), QStringLiteral(";")).toStdString(), "3;17;25");
    EXPECT_EQ(ShemaText(makeShema(8, {1, 2, 3, 4, 5, 6, 7, 8}), QStringLiteral(", ")).toStdString(),
              "1, 2, 3, 4, 5, 6, 7, 8");
    EXPECT_EQ(ShemaText(makeShema(0, {1}), QStringLiteral(";")).toStdString(), "");
    EXPECT_EQ(ShemaText(makeShema(12, {1, 2, 3, 4, 5, 6, 7, 8}), QStringLiteral("")).toStdString(), "12345678");
}
