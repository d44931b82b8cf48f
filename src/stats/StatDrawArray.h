#pragma once
// The value table of one computation: items in the order values first
// appeared, with a hash index so that merging an occurrence costs the same
// whether the method has six values or fifty thousand.
#include <array>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "stats/StatItem.h"

namespace zircon {

class TStatDrawArray {
public:
    using const_iterator = std::vector<TStatDrawItem>::const_iterator;

    int size() const { return static_cast<int>(m_items.size()); }
    bool empty() const { return m_items.empty(); }
    const TStatDrawItem& operator[](int i) const { return m_items[static_cast<size_t>(i)]; }
    TStatDrawItem& operator[](int i) { return m_items[static_cast<size_t>(i)]; }
    const_iterator begin() const { return m_items.begin(); }
    const_iterator end() const { return m_items.end(); }
    const std::vector<TStatDrawItem>& items() const { return m_items; }

    void clear();
    void reserve(int n);
    // Position of the item with this key, or -1.
    int find(TStatKey key) const;
    // Appends without merging (the caller knows the key is new).
    void append(const TStatDrawItem& item);

    // The merge rule: a new value is appended; an existing one adds the count,
    // takes the nearest occurrence, and with `periods` widens its gap range.
    void AddValue(const TStatDrawItem& item, bool periods);

    // Stable sort ascending by K1, K2, K3, K4 as unsigned 16-bit numbers.
    void SortItems();
    TStatSummary SummarizeItems() const;

private:
    void rebuildIndex();

    std::vector<TStatDrawItem> m_items;
    std::unordered_map<uint64_t, int> m_index;
};

void AddSimple(TStatSimpleArray& map, int32_t key, int32_t amount);
// The gap since the value's previous occurrence, or -1 for its first.
int32_t MergeLast(TLastValueArray& last, const TStatDrawItem& item);

// The selection tests of the plain CombMatches forms.
bool MatchKey4(const TStatDrawArray& selected, uint16_t k1, uint16_t k2, uint16_t k3, uint16_t k4);
bool MatchLong2(const TStatDrawArray& selected, uint32_t a, uint32_t b);
bool MatchByte(const TStatDrawArray& selected, int i, int v);
bool MatchK(const TStatDrawArray& selected, int i, int v);
bool MatchL(const TStatDrawArray& selected, int i, int64_t v);

// MatchK(selected, 1, v) for every v below N at once, for the prepared
// filters: 1 where an item's K1 is v, whatever K2..K4 hold.
template <size_t N>
std::array<uint8_t, N> selectedK1Table(const TStatDrawArray& selected)
{
    std::array<uint8_t, N> t{};
    for (const TStatDrawItem& it : selected)
        if (it.Key.K(1) < N)
            t[it.Key.K(1)] = 1;
    return t;
}

}  // namespace zircon
