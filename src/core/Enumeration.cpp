#include "core/Enumeration.h"

#include <algorithm>
#include <array>

namespace zircon {
namespace {

constexpr int kRows = kMainMax + 1;  // a = 0..69

// kChoose[k][a] = C(a, k) for k = 0..5, true binomials (0 when a < k), built
// by Pascal's rule at compile time.
constexpr std::array<std::array<uint32_t, kRows>, kMainCount + 1> makeChooseTable()
{
    std::array<std::array<uint32_t, kRows>, kMainCount + 1> t{};
    for (int a = 0; a < kRows; ++a) {
        t[0][static_cast<size_t>(a)] = 1;
        for (int k = 1; k <= kMainCount; ++k)
            t[static_cast<size_t>(k)][static_cast<size_t>(a)] =
                a == 0 ? 0 : t[static_cast<size_t>(k - 1)][static_cast<size_t>(a - 1)] + t[static_cast<size_t>(k)][static_cast<size_t>(a - 1)];
    }
    return t;
}

constexpr auto kChoose = makeChooseTable();
static_assert(kChoose[kMainCount][kMainMax] == static_cast<uint32_t>(kFullSetSize));

}  // namespace

// With a_i = 69 - c_i the combination is a descending row of 0..68, and the
// combinations after it in the order are counted by the combinatorial number
// system: sum of C(a_i, 5 - i). Its rank is what is left of the full set.
uint32_t combRank(const TComb& c)
{
    if (c.n[0] < 1 || c.n[kMainCount - 1] > kMainMax)
        return kNoRank;
    for (int i = 1; i < kMainCount; ++i) {
        if (c.n[static_cast<size_t>(i - 1)] >= c.n[static_cast<size_t>(i)])
            return kNoRank;
    }
    uint32_t after = 0;
    for (int i = 0; i < kMainCount; ++i)
        after += kChoose[static_cast<size_t>(kMainCount - i)][static_cast<size_t>(kMainMax - c.n[static_cast<size_t>(i)])];
    return static_cast<uint32_t>(kFullSetSize) - 1 - after;
}

TComb combUnrank(uint32_t rank)
{
    if (rank >= static_cast<uint32_t>(kFullSetSize))
        return {};
    uint32_t after = static_cast<uint32_t>(kFullSetSize) - 1 - rank;
    TComb c;
    int limit = kMainMax;  // a_i < limit: the a_i strictly decrease
    for (int i = 0; i < kMainCount; ++i) {
        const auto& column = kChoose[static_cast<size_t>(kMainCount - i)];
        // Largest a below the limit with C(a, k) <= after; a column is sorted.
        const auto it = std::upper_bound(column.begin(), column.begin() + limit, after);
        const int a = static_cast<int>(it - column.begin()) - 1;
        after -= column[static_cast<size_t>(a)];
        c.n[static_cast<size_t>(i)] = static_cast<uint8_t>(kMainMax - a);
        limit = a;
    }
    return c;
}

void fillFullSet(TComb* out)
{
    forEachComb([&out](const TComb& c) { *out++ = c; });
}

void fillFullSet(TCombsArray& list)
{
    list.resize(static_cast<size_t>(kFullSetSize));
    fillFullSet(list.data());
}

TComb firstComb()
{
    return TComb{{1, 2, 3, 4, 5}};
}

bool nextComb(TComb& comb)
{
    // The rightmost number that can still grow: position i tops out at
    // 69 - (4 - i).
    for (int i = kMainCount - 1; i >= 0; --i) {
        const int top = kMainMax - (kMainCount - 1 - i);
        if (comb.n[static_cast<size_t>(i)] < top) {
            uint8_t v = comb.n[static_cast<size_t>(i)];
            for (int j = i; j < kMainCount; ++j)
                comb.n[static_cast<size_t>(j)] = ++v;
            return true;
        }
    }
    return false;
}

}  // namespace zircon
