#include <gtest/gtest.h>

#include <vector>

#include "core/Differences.h"

using namespace zircon;

TEST(Differences, ReducedDifferencesTable)
{
    struct Case {
        std::vector<uint8_t> values;
        int mode;
        TByteArray expected;
    };
    const Case cases[] = {
        // 3 17 25 40 69 -> 14 8 15 29 -> 6 7 14 -> 1 7 -> 6
        {{3, 17, 25, 40, 69}, 0, {6}},
        {{3, 17, 25, 40, 69}, 1, {6}},
        {{3, 17, 25, 40, 69}, 2, {6}},
        // 10 20 25 40 41 -> 10 5 15 1 -> 5 10 14 -> 5 4 -> 1
        {{10, 20, 25, 40, 41}, 0, {1}},
        {{10, 20, 25, 40, 41}, 1, {9}},
        {{10, 20, 25, 40, 41}, 2, {1, 9}},
        {{10, 20, 25, 40, 41}, 7, {1}},
        // two values left at once
        {{5, 6}, 0, {1}},
        {{5, 6}, 1, {11}},
        {{5, 6}, 2, {1, 11}},
        {{7, 7}, 0, {0}},
        {{7, 7}, 1, {14}},
        {{7, 7}, 2, {14}},
        {{3, 10}, 1, {7}},
        {{10, 3}, 2, {7}},
        {{8, 10}, 1, {2}},  // d = 2 is kept by mode 1
        // 1 4 6 -> 3 2 -> 1
        {{1, 4, 6}, 2, {1, 5}},
        // no reduction possible
        {{5}, 1, {5}},
        {{}, 1, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReducedDifferences(c.values.data(), static_cast<int>(c.values.size()), c.mode), c.expected)
            << "mode " << c.mode << ", " << c.values.size() << " values, first "
            << (c.values.empty() ? -1 : int(c.values[0]));
    }
}

TEST(Differences, CombOverloadUsesTheFiveNumbersInOrder)
{
    EXPECT_EQ(ReducedDifferences(TComb{{3, 17, 25, 40, 69}}, 0), TByteArray{6});
    // Order matters: 69 40 25 17 3 -> 29 15 8 14 -> 14 7 6 -> 7 1 -> 6
    EXPECT_EQ(ReducedDifferences(TComb{{69, 40, 25, 17, 3}}, 0), TByteArray{6});
    // 1 2 4 7 11 -> 1 2 3 4 -> 1 1 1 -> 0 0 -> 0, and 0 + 0 for modes 1 and 2
    EXPECT_EQ(ReducedDifferences(TComb{{1, 2, 4, 7, 11}}, 1), TByteArray{0});
}
