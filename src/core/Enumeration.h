#pragma once
// The full set of combinations in its one order: the 5-number subsets of
// 1..69 in lexicographic order, every combination ascending, from 1 2 3 4 5
// to 65 66 67 68 69. The rank of a combination is its 0-based position in
// that order, so a list position and a combination convert both ways
// without a search.
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "core/Types.h"

namespace zircon {

// The rank no valid combination has; combRank's answer for a combination
// that is not ascending inside 1..69.
inline constexpr uint32_t kNoRank = static_cast<uint32_t>(kFullSetSize);

// Writes all kFullSetSize combinations to out[0 .. kFullSetSize-1].
void fillFullSet(TComb* out);
// Makes the list the full set; a list reserved beforehand keeps its storage.
void fillFullSet(TCombsArray& list);

// 1 2 3 4 5.
TComb firstComb();
// Steps an ascending combination to the next one; false (and the
// combination unchanged) after the last.
bool nextComb(TComb& comb);

// Position of an ascending combination in the order; kNoRank when the
// combination is not ascending inside 1..69. Five table lookups.
uint32_t combRank(const TComb& ascending);
// The combination at a position; all zeros for a rank >= kFullSetSize.
TComb combUnrank(uint32_t rank);

// Calls f(const TComb&) for every combination in order. When f returns bool,
// false stops the walk; the result says whether the walk went to the end.
template <class F>
bool forEachComb(F&& f)
{
    constexpr uint8_t top = kMainMax;
    TComb c;
    for (uint8_t a = 1; a <= top - 4; ++a) {
        c.n[0] = a;
        for (uint8_t b = a + 1; b <= top - 3; ++b) {
            c.n[1] = b;
            for (uint8_t d = b + 1; d <= top - 2; ++d) {
                c.n[2] = d;
                for (uint8_t e = d + 1; e <= top - 1; ++e) {
                    c.n[3] = e;
                    for (uint8_t g = e + 1; g <= top; ++g) {
                        c.n[4] = g;
                        if constexpr (std::is_same_v<std::invoke_result_t<F&, const TComb&>, bool>) {
                            if (!f(static_cast<const TComb&>(c)))
                                return false;
                        } else {
                            f(static_cast<const TComb&>(c));
                        }
                    }
                }
            }
        }
    }
    return true;
}

}  // namespace zircon
