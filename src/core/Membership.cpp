#include "core/Membership.h"

#include <algorithm>

#include "core/Grouping.h"

namespace zircon {

bool inComb(uint8_t n, const TComb& comb)
{
    return std::find(comb.n.begin(), comb.n.end(), n) != comb.n.end();
}

bool inDraw(uint8_t n, const TDraw& draw)
{
    return std::find(draw.nums.begin(), draw.nums.end(), n) != draw.nums.end();
}

bool inBytes(uint8_t n, const TByteArray& list)
{
    return std::find(list.begin(), list.end(), n) != list.end();
}

bool InDrawChannel(int g, const TDraw& draw, int size)
{
    return std::any_of(draw.nums.begin(), draw.nums.end(),
                       [&](uint8_t n) { return NumberChannel(n, size) == g; });
}

bool InDrawMapped(uint8_t v, const TDraw& draw, const TNumberMap& map)
{
    return std::any_of(draw.nums.begin(), draw.nums.end(),
                       [&](uint8_t n) { return n >= 1 && n <= kMainMax && map[n - 1] == v; });
}

int DrawMatches(const TDraw& draw, const TComb& comb)
{
    int matches = 0;
    for (uint8_t d : draw.nums)
        for (uint8_t c : comb.n)
            matches += (d == c) ? 1 : 0;
    return matches;
}

int UniqueNumberCount(const TComb* combs, size_t count)
{
    // Indexed by byte value, so an odd number (0, or beyond 69 from a file)
    // is counted as what it is without leaving the table.
    std::array<bool, 256> seen{};
    int distinct = 0;
    for (size_t i = 0; i < count && distinct < kMainMax; ++i) {
        for (uint8_t n : combs[i].n) {
            if (!seen[n]) {
                seen[n] = true;
                ++distinct;
            }
        }
    }
    return std::min(distinct, kMainMax);
}

int UniqueNumberCount(const TCombsArray& combs, size_t count)
{
    return UniqueNumberCount(combs.data(), std::min(count, combs.size()));
}

TByteArray UniqueNumbers(const TComb* combs, size_t count)
{
    std::array<bool, 256> seen{};
    TByteArray out;
    for (size_t i = 0; i < count && out.size() < static_cast<size_t>(kMainMax); ++i) {
        for (uint8_t n : combs[i].n) {
            if (out.size() >= static_cast<size_t>(kMainMax))
                break;
            if (!seen[n]) {
                seen[n] = true;
                out.push_back(n);
            }
        }
    }
    return out;
}

TByteArray UniqueNumbers(const TCombsArray& combs, size_t count)
{
    return UniqueNumbers(combs.data(), std::min(count, combs.size()));
}

void appendByte(TByteArray& list, uint8_t value)
{
    list.push_back(value);
}

bool appendUniqueByte(TByteArray& list, uint8_t value)
{
    if (inBytes(value, list))
        return false;
    list.push_back(value);
    return true;
}

}  // namespace zircon
