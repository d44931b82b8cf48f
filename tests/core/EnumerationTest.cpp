#include <gtest/gtest.h>

#include <algorithm>

#include "core/Enumeration.h"

using namespace zircon;

namespace {

// The full set is large; build it once for the whole suite.
const TCombsArray& fullSet()
{
    static const TCombsArray all = [] {
        TCombsArray list;
        list.reserve(static_cast<size_t>(kFullSetSize));
        fillFullSet(list);
        return list;
    }();
    return all;
}

bool lexLess(const TComb& a, const TComb& b)
{
    return std::lexicographical_compare(a.n.begin(), a.n.end(), b.n.begin(), b.n.end());
}

bool ascendingInRange(const TComb& c)
{
    if (c.n[0] < 1 || c.n[4] > 69)
        return false;
    for (int i = 1; i < 5; ++i)
        if (c.n[i - 1] >= c.n[i])
            return false;
    return true;
}

}  // namespace

TEST(Enumeration, FullSetSizeAndEnds)
{
    const TCombsArray& all = fullSet();
    ASSERT_EQ(all.size(), static_cast<size_t>(11238513));
    EXPECT_EQ(all.front(), (TComb{{1, 2, 3, 4, 5}}));
    EXPECT_EQ(all[1], (TComb{{1, 2, 3, 4, 6}}));
    EXPECT_EQ(all[64], (TComb{{1, 2, 3, 4, 69}}));
    EXPECT_EQ(all[65], (TComb{{1, 2, 3, 5, 6}}));
    EXPECT_EQ(all.back(), (TComb{{65, 66, 67, 68, 69}}));
    EXPECT_EQ(firstComb(), all.front());
}

TEST(Enumeration, FullSetIsStrictlyIncreasingAndAscending)
{
    const TCombsArray& all = fullSet();
    ASSERT_TRUE(ascendingInRange(all[0]));
    for (size_t i = 1; i < all.size(); ++i) {
        ASSERT_TRUE(lexLess(all[i - 1], all[i])) << "at " << i;
        ASSERT_TRUE(ascendingInRange(all[i])) << "at " << i;
    }
}

TEST(Enumeration, FillingAReservedListKeepsItsStorage)
{
    TCombsArray list;
    list.reserve(static_cast<size_t>(kFullSetSize));
    const TComb* storage = list.data();
    list.push_back(TComb{{9, 9, 9, 9, 9}});
    fillFullSet(list);
    EXPECT_EQ(list.data(), storage);
    EXPECT_EQ(list.size(), static_cast<size_t>(kFullSetSize));
    EXPECT_EQ(list.front(), firstComb());
}

TEST(Enumeration, RankOfEveryCombinationIsItsPosition)
{
    const TCombsArray& all = fullSet();
    for (size_t i = 0; i < all.size(); ++i)
        ASSERT_EQ(combRank(all[i]), static_cast<uint32_t>(i));
}

TEST(Enumeration, RankCountsTheCombinationsBefore)
{
    // All combinations starting with 1 come before 2 3 4 5 6: C(68,4) of them.
    EXPECT_EQ(combRank(TComb{{2, 3, 4, 5, 6}}), 814385u);
    // Those starting 1 2 3 4 come before 1 2 3 5 6: 65 of them.
    EXPECT_EQ(combRank(TComb{{1, 2, 3, 5, 6}}), 65u);
    EXPECT_EQ(combRank(TComb{{65, 66, 67, 68, 69}}), 11238512u);
}

TEST(Enumeration, UnrankInvertsRank)
{
    const TCombsArray& all = fullSet();
    const uint32_t last = static_cast<uint32_t>(kFullSetSize) - 1;
    const uint32_t ends[] = {0, 1, 2, 64, 65, 814384, 814385, last - 1, last};
    for (uint32_t r : ends) {
        EXPECT_EQ(combUnrank(r), all[r]) << r;
        EXPECT_EQ(combRank(combUnrank(r)), r);
    }
    for (uint32_t r = 0; r < static_cast<uint32_t>(kFullSetSize); r += 997) {
        ASSERT_EQ(combUnrank(r), all[r]) << r;
        ASSERT_EQ(combRank(combUnrank(r)), r);
    }
}

TEST(Enumeration, InvalidCombinationsHaveNoRank)
{
    const TComb invalid[] = {
        {{1, 1, 2, 3, 4}}, {{0, 1, 2, 3, 4}}, {{5, 4, 3, 2, 1}}, {{1, 2, 3, 4, 70}}, {{1, 2, 3, 5, 4}},
        {{0, 0, 0, 0, 0}}, {{255, 255, 255, 255, 255}},
    };
    for (const TComb& c : invalid)
        EXPECT_EQ(combRank(c), kNoRank);
    EXPECT_EQ(combUnrank(kNoRank), TComb{});
    EXPECT_EQ(combUnrank(0xFFFFFFFFu), TComb{});
}

TEST(Enumeration, ForEachCombAndNextCombWalkTheSameOrder)
{
    const TCombsArray& all = fullSet();
    size_t index = 0;
    bool same = true;
    const bool completed = forEachComb([&](const TComb& c) {
        same = same && index < all.size() && c == all[index];
        ++index;
    });
    EXPECT_TRUE(completed);
    EXPECT_TRUE(same);
    EXPECT_EQ(index, all.size());

    TComb c = firstComb();
    size_t steps = 1;
    while (nextComb(c)) {
        ASSERT_LT(steps, all.size());
        ASSERT_EQ(c, all[steps]) << "at " << steps;
        ++steps;
    }
    EXPECT_EQ(steps, all.size());
    EXPECT_EQ(c, all.back());  // left on the last one
}

TEST(Enumeration, ForEachCombStopsWhenAsked)
{
    int calls = 0;
    const bool completed = forEachComb([&](const TComb&) { return ++calls < 10; });
    EXPECT_FALSE(completed);
    EXPECT_EQ(calls, 10);
}
