#include "stats/StatDrawArray.h"

#include <algorithm>
#include <cstdlib>

namespace zircon {

void TStatDrawArray::clear()
{
    m_items.clear();
    m_index.clear();
}

void TStatDrawArray::reserve(int n)
{
    m_items.reserve(static_cast<size_t>(n));
    m_index.reserve(static_cast<size_t>(n));
}

int TStatDrawArray::find(TStatKey key) const
{
    auto it = m_index.find(key.raw);
    return it == m_index.end() ? -1 : it->second;
}

void TStatDrawArray::append(const TStatDrawItem& item)
{
    m_index.emplace(item.Key.raw, size());
    m_items.push_back(item);
}

void TStatDrawArray::AddValue(const TStatDrawItem& n, bool periods)
{
    const int at = find(n.Key);
    if (at < 0) {
        TStatDrawItem copy = n;
        copy.Norm = 0;
        append(copy);
        return;
    }
    TStatDrawItem& e = m_items[static_cast<size_t>(at)];
    e.Count += n.Count;
    if (e.Depth == 0 || (n.Depth > 0 && n.Depth <= e.Depth)) {
        e.LastDraw = n.LastDraw;
        e.Depth = n.Depth;
    }
    if (periods && n.LastDraw > 0 && e.PrevDraw > 0) {
        const int64_t g = std::llabs(static_cast<int64_t>(e.PrevDraw) - n.LastDraw);
        const auto g16 = static_cast<uint16_t>(g);
        if (e.PeriodMin == 0 || g16 < e.PeriodMin)
            e.PeriodMin = g16;
        if (e.PeriodMax == 0 || g16 > e.PeriodMax)
            e.PeriodMax = g16;
    }
    e.PrevDraw = n.LastDraw;
}

void TStatDrawArray::SortItems()
{
    auto order = [](const TStatDrawItem& a, const TStatDrawItem& b) {
        for (int i = 1; i <= 4; ++i)
            if (a.Key.K(i) != b.Key.K(i))
                return a.Key.K(i) < b.Key.K(i);
        return false;
    };
    std::stable_sort(m_items.begin(), m_items.end(), order);
    rebuildIndex();
}

void TStatDrawArray::rebuildIndex()
{
    m_index.clear();
    for (int i = 0; i < size(); ++i)
        m_index.emplace(m_items[static_cast<size_t>(i)].Key.raw, i);
}

TStatSummary TStatDrawArray::SummarizeItems() const
{
    TStatSummary s;
    for (const TStatDrawItem& it : m_items) {
        s.minCount = std::min(s.minCount, it.Count);
        s.maxCount = std::max(s.maxCount, it.Count);
        s.maxDepth = std::max(s.maxDepth, it.Depth);
        s.total += it.Count;
    }
    return s;
}

void AddSimple(TStatSimpleArray& map, int32_t key, int32_t amount)
{
    for (TStatSimpleItem& it : map) {
        if (it.Key == key) {
            if (amount > 0)
                it.Count += amount;
            return;
        }
    }
    map.push_back({key, amount});
}

int32_t MergeLast(TLastValueArray& last, const TStatDrawItem& item)
{
    for (TLastValueItem& e : last) {
        if (e.Key == item.Key) {
            const int32_t gap = item.LastDraw - e.LastDraw;
            e.LastDraw = item.LastDraw;
            return gap;
        }
    }
    last.push_back({item.LastDraw, item.Key});
    return -1;
}

bool MatchKey4(const TStatDrawArray& selected, uint16_t k1, uint16_t k2, uint16_t k3, uint16_t k4)
{
    return selected.find(TStatKey::k4(k1, k2, k3, k4)) >= 0;
}

bool MatchLong2(const TStatDrawArray& selected, uint32_t a, uint32_t b)
{
    return selected.find(TStatKey::l2(a, b)) >= 0;
}

bool MatchByte(const TStatDrawArray& selected, int i, int v)
{
    const auto b = static_cast<uint8_t>(v);
    return std::any_of(selected.begin(), selected.end(), [&](const TStatDrawItem& it) { return it.Key.B(i) == b; });
}

bool MatchK(const TStatDrawArray& selected, int i, int v)
{
    const auto k = static_cast<uint16_t>(v);
    return std::any_of(selected.begin(), selected.end(), [&](const TStatDrawItem& it) { return it.Key.K(i) == k; });
}

bool MatchL(const TStatDrawArray& selected, int i, int64_t v)
{
    const auto l = static_cast<uint32_t>(v);
    return std::any_of(selected.begin(), selected.end(), [&](const TStatDrawItem& it) { return it.Key.L(i) == l; });
}

}  // namespace zircon
