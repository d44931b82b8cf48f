#include <gtest/gtest.h>

#include "core/Enumeration.h"
#include "core/Membership.h"

using namespace zircon;

namespace {

TDraw makeDraw(std::array<uint8_t, 5> nums, uint8_t extra)
{
    TDraw d;
    d.number = 1;
    d.nums = nums;
    d.extra = extra;
    return d;
}

}  // namespace

TEST(Membership, NumberInCombDrawAndList)
{
    const TComb comb{{3, 17, 25, 40, 69}};
    const TDraw draw = makeDraw({40, 3, 69, 17, 25}, 12);
    const TByteArray list{7, 1, 30};
    struct Case { uint8_t n; bool inC, inD, inL; };
    const Case cases[] = {
        {3, true, true, false}, {69, true, true, false}, {1, false, false, true}, {12, false, false, false},
        {0, false, false, false}, {30, false, false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(inComb(c.n, comb), c.inC) << int(c.n);
        EXPECT_EQ(inDraw(c.n, draw), c.inD) << int(c.n);  // the extra number 12 never counts
        EXPECT_EQ(inBytes(c.n, list), c.inL) << int(c.n);
    }
    EXPECT_FALSE(inBytes(1, TByteArray{}));
}

TEST(Membership, InDrawChannel)
{
    const TDraw draw = makeDraw({3, 17, 25, 40, 69}, 1);  // channels of 10: 1 2 3 4 7
    struct Case { int g, size; bool expected; };
    const Case cases[] = {
        {1, 10, true}, {4, 10, true}, {7, 10, true}, {5, 10, false}, {6, 10, false}, {0, 10, false},
        {23, 3, true}, {1, 3, true}, {2, 3, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InDrawChannel(c.g, draw, c.size), c.expected) << "channel " << c.g << " of size " << c.size;
}

TEST(Membership, InDrawMappedUsesTheNumberTable)
{
    TNumberMap map{};
    for (int n = 1; n <= 69; ++n)
        map[n - 1] = n <= 34 ? 1 : 2;
    EXPECT_TRUE(InDrawMapped(2, makeDraw({3, 12, 40, 51, 60}, 1), map));
    EXPECT_TRUE(InDrawMapped(1, makeDraw({3, 12, 40, 51, 60}, 1), map));
    EXPECT_FALSE(InDrawMapped(2, makeDraw({3, 12, 20, 30, 34}, 1), map));
    EXPECT_FALSE(InDrawMapped(3, makeDraw({3, 12, 40, 51, 60}, 1), map));
    // Numbers without an entry neither match nor read outside the table.
    EXPECT_FALSE(InDrawMapped(2, makeDraw({0, 70, 200, 255, 0}, 1), map));
    EXPECT_TRUE(InDrawMapped(2, makeDraw({0, 70, 200, 255, 35}, 1), map));
}

TEST(Membership, DrawMatchesCountsEveryEqualPair)
{
    const TDraw draw = makeDraw({40, 3, 69, 17, 25}, 12);
    struct Case { TComb comb; int expected; };
    const Case cases[] = {
        {{{3, 17, 25, 40, 69}}, 5},
        {{{3, 17, 1, 2, 4}}, 2},
        {{{1, 2, 4, 5, 6}}, 0},
        {{{12, 1, 2, 4, 5}}, 0},   // the extra number is not a main number
        {{{3, 3, 3, 3, 3}}, 5},    // a repeated number counts each time
        {{{3, 3, 17, 1, 2}}, 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DrawMatches(draw, c.comb), c.expected);
}

TEST(Membership, UniqueNumbersOfShortLists)
{
    const TCombsArray combs{{{1, 2, 3, 4, 5}}, {{1, 2, 3, 4, 6}}, {{10, 5, 1, 20, 6}}};
    EXPECT_EQ(UniqueNumberCount(combs, 0), 0);
    EXPECT_EQ(UniqueNumberCount(combs, 1), 5);
    EXPECT_EQ(UniqueNumberCount(combs, 2), 6);
    EXPECT_EQ(UniqueNumberCount(combs, 3), 8);
    EXPECT_EQ(UniqueNumberCount(combs, 1000), 8);  // never past the list's end
    EXPECT_EQ(UniqueNumbers(combs, 3), (TByteArray{1, 2, 3, 4, 5, 6, 10, 20}));
    EXPECT_EQ(UniqueNumbers(combs, 1000), (TByteArray{1, 2, 3, 4, 5, 6, 10, 20}));
    EXPECT_TRUE(UniqueNumbers(combs, 0).empty());
}

TEST(Membership, UniqueNumbersStopOnceAllSixtyNineAreSeen)
{
    // Fourteen combinations hold 1..69; a fifteenth with a number no real
    // combination has must not be looked at.
    TCombsArray combs;
    for (int first = 1; first <= 66; first += 5)
        combs.push_back(TComb{{uint8_t(first), uint8_t(first + 1), uint8_t(first + 2), uint8_t(first + 3),
                               uint8_t(first + 4 > 69 ? 1 : first + 4)}});
    combs.push_back(TComb{{0, 0, 0, 0, 0}});
    ASSERT_EQ(combs.size(), 15u);
    EXPECT_EQ(UniqueNumberCount(combs, combs.size()), 69);
    TByteArray expected;
    for (int n = 1; n <= 69; ++n)
        expected.push_back(uint8_t(n));
    EXPECT_EQ(UniqueNumbers(combs, combs.size()), expected);
}

TEST(Membership, UniqueNumbersOverTheFullSet)
{
    TCombsArray all;
    fillFullSet(all);
    EXPECT_EQ(UniqueNumberCount(all.data(), all.size()), 69);
    // The order starts 1 2 3 4 5, then 1 2 3 4 6 .. 1 2 3 4 69: numbers first
    // appear in ascending order.
    TByteArray expected;
    for (int n = 1; n <= 69; ++n)
        expected.push_back(uint8_t(n));
    EXPECT_EQ(UniqueNumbers(all.data(), all.size()), expected);
}

TEST(Membership, AppendingToByteLists)
{
    TByteArray list;
    appendByte(list, 5);
    appendByte(list, 5);
    EXPECT_EQ(list, (TByteArray{5, 5}));
    EXPECT_TRUE(appendUniqueByte(list, 7));
    EXPECT_FALSE(appendUniqueByte(list, 5));
    EXPECT_FALSE(appendUniqueByte(list, 7));
    EXPECT_EQ(list, (TByteArray{5, 5, 7}));
}
