#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "core/Counting.h"
#include "core/Lottery.h"

using namespace zircon;

TEST(Counting, FactorialOfSmallNumbers)
{
    struct Case { uint8_t n; long double expected; };
    const Case cases[] = {
        {0, 1.0L}, {1, 1.0L}, {2, 2.0L}, {5, 120.0L}, {10, 3628800.0L}, {20, 2432902008176640000.0L},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Factorial(c.n), c.expected) << "n = " << int(c.n);
}

TEST(Counting, BinomialQuotedValuesAndTheKAtLeastNRule)
{
    struct Case { uint8_t n, k; uint32_t expected; };
    const Case cases[] = {
        {69, 5, 11238513}, {5, 5, 1}, {3, 7, 1}, {69, 0, 1}, {69, 1, 69}, {10, 3, 120},
        {64, 4, 635376}, {26, 1, 26}, {69, 68, 69}, {0, 0, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Binomial(c.n, c.k), c.expected) << "C(" << int(c.n) << "," << int(c.k) << ")";
    EXPECT_EQ(Binomial(69, 5), static_cast<uint32_t>(kFullSetSize));
}

// Pascal's triangle in exact 64-bit integers is an independent source for
// every binomial of the lottery's sizes.
TEST(Counting, BinomialAgreesWithPascalsTriangleUpTo69)
{
    uint64_t row[70] = {1};
    for (int n = 1; n <= 69; ++n) {
        for (int k = n; k >= 1; --k)
            row[k] += row[k - 1];
        for (int k = 0; k < n; ++k) {
            const uint64_t expected = row[k] > std::numeric_limits<uint32_t>::max()
                                          ? std::numeric_limits<uint32_t>::max()
                                          : row[k];
            ASSERT_EQ(Binomial(static_cast<uint8_t>(n), static_cast<uint8_t>(k)), expected)
                << "C(" << n << "," << k << ")";
        }
    }
}

TEST(Counting, BinomialTooLargeForThirtyTwoBitsSaturates)
{
    EXPECT_EQ(Binomial(69, 34), std::numeric_limits<uint32_t>::max());
}

TEST(Counting, MatchCountForTheMainNumbers)
{
    const uint32_t expected[] = {7624512, 3176880, 416640, 20160, 320, 1};
    uint64_t total = 0;
    for (uint8_t m = 0; m <= 5; ++m) {
        EXPECT_EQ(MatchCount(69, 5, m), expected[m]) << "matched " << int(m);
        total += MatchCount(69, 5, m);
    }
    // Every combination shares some number of values with the draw.
    EXPECT_EQ(total, static_cast<uint64_t>(kFullSetSize));
}

TEST(Counting, MatchCountEdges)
{
    struct Case { uint8_t total, drawn, matched; uint32_t expected; };
    const Case cases[] = {
        {26, 1, 1, 1},   // the extra number: one way to hit it
        {26, 1, 0, 25},  // and 25 to miss it
        {69, 5, 69, 1},  // matched >= total
        {69, 5, 70, 1},
        {69, 5, 6, 0},   // more matches than numbers: no combination
        {4, 5, 2, 0},    // more drawn than there are numbers
        {10, 3, 1, 63},  // C(3,1) * C(7,2)
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchCount(c.total, c.drawn, c.matched), c.expected)
            << int(c.total) << "/" << int(c.drawn) << "/" << int(c.matched);
}

TEST(Counting, SumsOfRuns)
{
    struct Case { int first, count, up, down; };
    const Case cases[] = {
        {3, 4, 3 + 4 + 5 + 6, 3 + 2 + 1 + 0},
        {10, 3, 10 + 11 + 12, 10 + 9 + 8},
        {1, 5, 15, 1 + 0 - 1 - 2 - 3},
        {65, 5, 335, 65 + 64 + 63 + 62 + 61},
        {1, 69, 2415, 1 - 67 * 68 / 2},
        {7, 1, 7, 7},
        {7, 0, 0, 0},
        {7, -3, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SumUp(c.first, c.count), c.up) << c.first << "," << c.count;
        EXPECT_EQ(SumDown(c.first, c.count), c.down) << c.first << "," << c.count;
    }
}

TEST(Counting, CeilDivAndGroupCount)
{
    struct Div { int a, b, expected; };
    const Div divs[] = {
        {10, 3, 4}, {9, 3, 3}, {0, 5, 0}, {1, 10, 1}, {69, 10, 7}, {70, 10, 7}, {71, 10, 8},
        {5, 0, 0},  // no divisor: 0 instead of a crash
    };
    for (const Div& d : divs)
        EXPECT_EQ(CeilDiv(d.a, d.b), d.expected) << d.a << " / " << d.b;

    struct Groups { int low, high, size, expected; };
    const Groups groups[] = {
        {1, 69, 10, 7}, {0, 69, 10, 7}, {10, 20, 5, 3}, {0, 26, 5, 6}, {1, 26, 26, 1}, {5, 5, 3, 1},
    };
    for (const Groups& g : groups)
        EXPECT_EQ(GroupCount(g.low, g.high, g.size), g.expected) << g.low << ".." << g.high << " by " << g.size;
}
