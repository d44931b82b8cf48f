// The selected-key set of the multi-part filters: it must answer exactly as
// the selection itself, whatever keys it holds (0, repeats, keys whose hashes
// share a summary bit) and however many.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "stats/SelectedKeySet.h"

using namespace zircon;

namespace {

TStatDrawArray selectionOf(const std::vector<uint64_t>& raws)
{
    TStatDrawArray s;
    TStatDrawItem it;
    for (uint64_t r : raws) {
        it.Key.raw = r;
        s.AddValue(it, false);
    }
    return s;
}

}  // namespace

TEST(SelectedKeySet, AnswersAsTheSelectionForSmallAndLargeSets)
{
    std::mt19937_64 rng(17);
    for (size_t n : {size_t{0}, size_t{1}, size_t{7}, size_t{300}, size_t{50000}}) {
        std::vector<uint64_t> keys;
        // Tuple-shaped keys (small parts), so neighbours differ in one part only.
        for (size_t i = 0; i < n; ++i)
            keys.push_back((rng() % 70) | (rng() % 70) << 16 | (rng() % 70) << 32);
        const std::set<uint64_t> expected(keys.begin(), keys.end());
        const SelectedKeySet set(selectionOf(keys));
        EXPECT_EQ(set.size(), expected.size());
        EXPECT_EQ(set.empty(), expected.empty());
        for (uint64_t k : keys)
            ASSERT_TRUE(set.contains(k)) << "selected key " << k << " of " << n;
        size_t found = 0;
        for (int i = 0; i < 200000; ++i) {
            const uint64_t probe = (rng() % 70) | (rng() % 70) << 16 | (rng() % 70) << 32;
            const bool in = expected.count(probe) != 0;
            ASSERT_EQ(set.contains(probe), in) << "probe " << probe << " of " << n;
            found += in ? 1 : 0;
        }
        if (n == 50000) {
            EXPECT_GT(found, 0u);  // the probes did meet selected keys
        }
    }
}

TEST(SelectedKeySet, KeyZeroAndTheKeepPredicate)
{
    const TStatDrawArray selected = selectionOf({0, 5, uint64_t{5} << 48, 0x10002});
    const SelectedKeySet all(selected);
    EXPECT_TRUE(all.contains(uint64_t{0}));
    EXPECT_TRUE(all.contains(uint64_t{5} << 48));
    EXPECT_EQ(all.size(), 4u);

    // Leaving out keys with anything in K4.
    const SelectedKeySet kept(selected, [](TStatKey k) { return k.K(4) == 0; });
    EXPECT_TRUE(kept.contains(uint64_t{0}));
    EXPECT_TRUE(kept.contains(uint64_t{5}));
    EXPECT_TRUE(kept.contains(uint64_t{0x10002}));
    EXPECT_FALSE(kept.contains(uint64_t{5} << 48));
    EXPECT_EQ(kept.size(), 3u);

    const SelectedKeySet none(selectionOf({}));
    EXPECT_FALSE(none.contains(uint64_t{0}));
    EXPECT_FALSE(SelectedKeySet{}.contains(uint64_t{0}));
}

TEST(SelectedKeySet, CopiesAnswerAlike)
{
    const SelectedKeySet a(selectionOf({1, 2, 3}));
    const SelectedKeySet b = a;
    for (uint64_t k = 0; k < 10; ++k)
        EXPECT_EQ(a.contains(k), b.contains(k)) << k;
    EXPECT_TRUE(b.contains(uint64_t{2}));
}
