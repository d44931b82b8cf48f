#include "stats/families/Partition.h"

#include <algorithm>
#include <bit>

#include "core/Grouping.h"

namespace zircon {
namespace {

// Parts never exceed 69 (a channel or column of one number each), so the
// tables indexed by part stop there.
constexpr size_t kPartSlots = kMainMax + 1;
// Counts per part within five numbers run 0..5; eight slots keep the index
// a shift.
constexpr unsigned kCountSlots = 8;

template <class PartOf>
Partition buildPartition(PartOf partOf)
{
    Partition p;
    std::array<bool, kPartSlots> seen{};
    for (int n = 1; n <= kMainMax; ++n) {
        const auto v = static_cast<uint8_t>(partOf(n));
        p.of[static_cast<size_t>(n)] = v;
        if (!seen[v]) {
            seen[v] = true;
            p.listed[static_cast<size_t>(p.listedCount++)] = v;
        }
        p.highest = std::max<int>(p.highest, v);
    }
    return p;
}

using ByteTable = std::array<uint8_t, 256>;

std::unique_ptr<CombFilter> anyNumberFilter(const ByteTable& flagged)
{
    return makeCombFilter([flagged](const TComb& c) {
        return (flagged[c.n[0]] | flagged[c.n[1]] | flagged[c.n[2]] | flagged[c.n[3]] | flagged[c.n[4]]) != 0;
    });
}

}  // namespace

Partition Partition::channels(int size)
{
    const int width = partitionWidth(size);
    return buildPartition([width](int n) { return NumberChannel(n, width); });
}

Partition Partition::columns(int columns)
{
    const int width = partitionWidth(columns);
    return buildPartition([width](int n) { return MatrixColumn(n, width); });
}

Partition Partition::rows(int columns)
{
    const int width = partitionWidth(columns);
    return buildPartition([width](int n) { return MatrixRow(n, width); });
}

Partition Partition::segments(const TSegmentMap& map)
{
    const TSegmentMap clean = sanitizedSegments(map);
    return buildPartition([&clean](int n) { return clean[static_cast<size_t>(n - 1)]; });
}

int partitionWidth(int width)
{
    return std::clamp(width, 1, kMainMax);
}

int partitionCount(int width)
{
    const int w = partitionWidth(width);
    return (kMainMax + w - 1) / w;
}

TSegmentMap sanitizedSegments(const TSegmentMap& map)
{
    TSegmentMap clean = map;
    for (uint8_t& s : clean)
        if (s < kMinSegment || s > kMaxSegment)
            s = kMinSegment;
    return clean;
}

// ---------------------------------------------------------------- each part

void eachPartKeys(const Partition& part, const uint8_t* nums, KeyList& keys)
{
    for (int i = 0; i < kMainCount; ++i)
        if (const uint8_t p = part.of[nums[i]])
            keys.addK1(p);
}

bool eachPartMatches(const Partition& part, const TComb& comb, const TStatDrawArray& selected, bool byByte)
{
    for (uint8_t n : comb.n) {
        const uint8_t p = part.of[n];
        if (p == 0)
            continue;
        if (byByte ? MatchByte(selected, 1, p) : MatchK(selected, 1, p))
            return true;
    }
    return false;
}

std::unique_ptr<CombFilter> eachPartFilter(const Partition& part, const TStatDrawArray& selected, bool byByte)
{
    ByteTable partSelected{};
    for (const TStatDrawItem& it : selected) {
        const unsigned v = byByte ? it.Key.B(1) : it.Key.K(1);
        if (v < partSelected.size())
            partSelected[v] = 1;
    }
    // Turned once into "this number lies in a selected part".
    ByteTable numberSelected{};
    for (size_t n = 0; n < numberSelected.size(); ++n)
        numberSelected[n] = part.of[n] != 0 ? partSelected[part.of[n]] : 0;
    return anyNumberFilter(numberSelected);
}

// ---------------------------------------------------------------- counts per part

void partCountsKeys(const Partition& part, const uint8_t* nums, KeyList& keys)
{
    std::array<uint8_t, kPartSlots> count{};
    for (int i = 0; i < kMainCount; ++i)
        ++count[part.of[nums[i]]];
    for (int k = 0; k < part.listedCount; ++k) {
        const uint8_t p = part.listed[static_cast<size_t>(k)];
        keys.add(TStatKey::k4(p, count[p], 0, 0));
    }
}

bool partCountsMatches(const Partition& part, const TComb& comb, const TStatDrawArray& selected)
{
    // The counting map: every part in use with 0, in the order the numbers
    // 1..69 reach them, then one for the part of each number.
    TStatSimpleArray map;
    map.reserve(static_cast<size_t>(part.listedCount));
    for (int n = 1; n <= kMainMax; ++n)
        AddSimple(map, part.of[static_cast<size_t>(n)], 0);
    for (uint8_t n : comb.n)
        if (part.of[n] != 0)
            AddSimple(map, part.of[n], 1);
    for (const TStatSimpleItem& e : map)
        if (MatchKey4(selected, static_cast<uint16_t>(e.Key), static_cast<uint16_t>(e.Count), 0, 0))
            return true;
    return false;
}

std::unique_ptr<CombFilter> partCountsFilter(const Partition& part, const TStatDrawArray& selected)
{
    std::array<uint8_t, kPartSlots * kCountSlots> pairSelected{};
    for (const TStatDrawItem& it : selected) {
        const TStatKey k = it.Key;
        if (k.K(3) == 0 && k.K(4) == 0 && k.K(1) < kPartSlots && k.K(2) < kCountSlots)
            pairSelected[k.K(1) * kCountSlots + k.K(2)] = 1;
    }
    // A part the combination leaves empty matches through (part, 0). Only
    // the parts in use are in the map, so only they count.
    std::array<uint8_t, kPartSlots> zeroSelected{};
    unsigned zeroCount = 0;
    for (int k = 0; k < part.listedCount; ++k) {
        const uint8_t p = part.listed[static_cast<size_t>(k)];
        zeroSelected[p] = pairSelected[p * kCountSlots];
        zeroCount += zeroSelected[p];
    }
    const ByteTable of = part.of;
    return makeCombFilter([of, pairSelected, zeroSelected, zeroCount](const TComb& c) {
        // The five parts sorted (a 9-comparator network), so equal parts
        // form runs whose lengths are the counts.
        uint8_t p[kMainCount];
        for (int i = 0; i < kMainCount; ++i)
            p[i] = of[c.n[static_cast<size_t>(i)]];
        auto order = [&p](int x, int y) {
            const uint8_t lo = std::min(p[x], p[y]);
            const uint8_t hi = std::max(p[x], p[y]);
            p[x] = lo;
            p[y] = hi;
        };
        order(0, 1);
        order(3, 4);
        order(2, 4);
        order(2, 3);
        order(1, 4);
        order(0, 3);
        order(0, 2);
        order(1, 3);
        order(1, 2);
        unsigned occupiedZeroSelected = 0;
        for (int i = 0; i < kMainCount;) {
            int j = i + 1;
            while (j < kMainCount && p[j] == p[i])
                ++j;
            if (p[i] != 0) {
                if (pairSelected[p[i] * kCountSlots + static_cast<unsigned>(j - i)])
                    return true;
                occupiedZeroSelected += zeroSelected[p[i]];
            }
            i = j;
        }
        return occupiedZeroSelected < zeroCount;
    });
}

// ---------------------------------------------------------------- distinct parts

int distinctParts(const Partition& part, const uint8_t* nums)
{
    uint64_t lo = 0;
    uint64_t hi = 0;
    for (int i = 0; i < kMainCount; ++i) {
        const unsigned p = part.of[nums[i]];
        if (p == 0)
            continue;
        if (p < 64)
            lo |= uint64_t{1} << p;
        else
            hi |= uint64_t{1} << (p - 64);
    }
    return std::popcount(lo) + std::popcount(hi);
}

std::unique_ptr<CombFilter> distinctPartsFilter(const Partition& part, const TStatDrawArray& selected)
{
    std::array<uint64_t, 256> bitLo{};
    std::array<uint64_t, 256> bitHi{};
    for (size_t n = 0; n < bitLo.size(); ++n) {
        const unsigned p = part.of[n];
        if (p == 0)
            continue;
        if (p < 64)
            bitLo[n] = uint64_t{1} << p;
        else
            bitHi[n] = uint64_t{1} << (p - 64);
    }
    const auto byCount = selectedK1Table<kMainCount + 1>(selected);
    return makeCombFilter([bitLo, bitHi, byCount](const TComb& c) {
        const uint64_t lo = bitLo[c.n[0]] | bitLo[c.n[1]] | bitLo[c.n[2]] | bitLo[c.n[3]] | bitLo[c.n[4]];
        const uint64_t hi = bitHi[c.n[0]] | bitHi[c.n[1]] | bitHi[c.n[2]] | bitHi[c.n[3]] | bitHi[c.n[4]];
        return byCount[static_cast<size_t>(std::popcount(lo) + std::popcount(hi))] != 0;
    });
}

// ---------------------------------------------------------------- count in one part

int countInPart(const Partition& part, int p, const uint8_t* nums)
{
    if (p <= 0)
        return 0;
    int count = 0;
    for (int i = 0; i < kMainCount; ++i)
        count += part.of[nums[i]] == p ? 1 : 0;
    return count;
}

std::unique_ptr<CombFilter> countInPartFilter(const Partition& part, int p, const TStatDrawArray& selected)
{
    ByteTable inPart{};
    if (p > 0)
        for (size_t n = 0; n < inPart.size(); ++n)
            inPart[n] = part.of[n] == p ? 1 : 0;
    const auto byCount = selectedK1Table<kMainCount + 1>(selected);
    return makeCombFilter([inPart, byCount](const TComb& c) {
        return byCount[inPart[c.n[0]] + inPart[c.n[1]] + inPart[c.n[2]] + inPart[c.n[3]] + inPart[c.n[4]]] != 0;
    });
}

// ---------------------------------------------------------------- pre-seeding

void seedParts(const Partition& part, TStatDrawArray& items)
{
    TStatDrawItem seed;
    for (int k = 0; k < part.listedCount; ++k) {
        seed.Key = TStatKey::k1(part.listed[static_cast<size_t>(k)]);
        items.AddValue(seed, false);
    }
}

void seedPartCounts(const Partition& part, int maxCount, TStatDrawArray& items)
{
    TStatDrawItem seed;
    for (int k = 0; k < part.listedCount; ++k)
        for (int c = 0; c <= maxCount; ++c) {
            seed.Key = TStatKey::k4(part.listed[static_cast<size_t>(k)], static_cast<uint16_t>(c), 0, 0);
            items.AddValue(seed, false);
        }
}

void seedValues(int to, TStatDrawArray& items)
{
    TStatDrawItem seed;
    for (int v = 1; v <= to; ++v) {
        seed.Key = TStatKey::k1(static_cast<uint16_t>(v));
        items.AddValue(seed, false);
    }
}

}  // namespace zircon
