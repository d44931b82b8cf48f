#include "workbench/CombRemoval.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

#include "core/Error.h"

namespace zircon {
namespace {

// A set of numbers as bits: bit v for each number v of 1..69 (1..63 in lo,
// 64..69 in hi). A value outside 1..69 sets bit 0 of lo, which no proper
// combination has, so a combination holding one never equals a draw; a
// repeated number sets its bit once, so such a combination has fewer than
// five bits and never equals a draw either.
struct NumberMask {
    uint64_t lo = 0;
    uint64_t hi = 0;

    bool operator==(const NumberMask&) const = default;
    bool isEmpty() const { return (lo | hi) == 0; }
};

constexpr std::array<NumberMask, 256> makeNumberMasks()
{
    std::array<NumberMask, 256> masks{};
    for (int v = 0; v < 256; ++v) {
        NumberMask& m = masks[static_cast<size_t>(v)];
        if (v >= 1 && v <= 63)
            m.lo = uint64_t{1} << v;
        else if (v >= 64 && v <= kMainMax)
            m.hi = uint64_t{1} << (v - 64);
        else
            m.lo = 1;
    }
    return masks;
}

constexpr auto kNumberMasks = makeNumberMasks();

inline NumberMask maskOf(const std::array<uint8_t, kMainCount>& nums)
{
    NumberMask m;
    for (uint8_t v : nums) {
        m.lo |= kNumberMasks[v].lo;
        m.hi |= kNumberMasks[v].hi;
    }
    return m;
}

// The number sets of the draws in an open-addressed table at most a quarter
// full, so a lookup of a combination that is no draw (nearly all of them)
// usually ends at the first slot.
class DrawSet {
public:
    explicit DrawSet(size_t draws)
    {
        const size_t slotCount = std::bit_ceil(std::max<size_t>(16, draws * 4));
        m_slots.assign(slotCount, NumberMask{});
        m_shift = 64 - std::countr_zero(slotCount);
    }

    void insert(const TDraw& draw)
    {
        if (!isProperComb(draw.comb()))
            return;  // a draw with a missing or repeated number is no combination
        const NumberMask key = maskOf(draw.nums);
        size_t i = slotOf(key);
        while (!m_slots[i].isEmpty()) {
            if (m_slots[i] == key)
                return;
            i = (i + 1) & (m_slots.size() - 1);
        }
        m_slots[i] = key;
    }

    bool contains(const NumberMask& key) const
    {
        size_t i = slotOf(key);
        while (!m_slots[i].isEmpty()) {
            if (m_slots[i] == key)
                return true;
            i = (i + 1) & (m_slots.size() - 1);
        }
        return false;
    }

private:
    size_t slotOf(const NumberMask& key) const
    {
        uint64_t h = key.lo * 0x9E3779B97F4A7C15ull ^ key.hi * 0xC2B2AE3D27D4EB4Full;
        h ^= h >> 29;
        h *= 0xBF58476D1CE4E5B9ull;
        return static_cast<size_t>(h >> m_shift);
    }

    std::vector<NumberMask> m_slots;
    int m_shift = 60;
};

// Walks the undo copy in steps of one per cent, copying the entries `keep`
// accepts into the list, and reports progress after each step.
template <class Keep>
size_t rebuildFromUndo(const CombList& undo, CombList& list, const CombProgress& progress, Keep keep)
{
    if (undo.count() > list.capacity())
        throw Error(combListFullText(list.capacity()));
    const size_t total = undo.count();
    const size_t step = std::max<size_t>(1, total / 100);
    const TComb* in = undo.data();
    TComb* const out = list.data();
    size_t kept = 0;
    for (size_t done = 0; done < total;) {
        const size_t stop = std::min(total, done + step);
        for (size_t i = done; i < stop; ++i) {
            if (keep(i, in[i]))
                out[kept++] = in[i];
        }
        done = stop;
        if (progress)
            progress(done, total);
    }
    list.setCount(kept);
    return total - kept;
}

}  // namespace

size_t deleteSelectedCombs(const CombList& undo, CombList& list, const std::vector<int>& selectedRows)
{
    std::vector<bool> selected(undo.count(), false);
    for (int row : selectedRows) {
        if (row >= 0 && static_cast<size_t>(row) < selected.size())
            selected[static_cast<size_t>(row)] = true;
    }
    return rebuildFromUndo(undo, list, {}, [&selected](size_t i, const TComb&) { return !selected[i]; });
}

DrawRange removeDrawsRange(const DrawArchive& archive, int n)
{
    DrawRange range;
    const int k = archive.currentIndex();
    if (n <= 0 || k < 0 || archive.empty())
        return range;
    range.last = k;
    range.first = std::max(0, k - n + 1);
    return range;
}

size_t RemoveDrawCombs(const CombList& undo, CombList& list, const DrawArchive& archive, int n,
                       const CombProgress& progress)
{
    const DrawRange range = removeDrawsRange(archive, n);
    DrawSet drawSet(static_cast<size_t>(range.size()));
    for (int i = range.first; i <= range.last; ++i)
        drawSet.insert(archive.draws()[static_cast<size_t>(i)]);
    return rebuildFromUndo(undo, list, progress,
                           [&drawSet](size_t, const TComb& c) { return !drawSet.contains(maskOf(c.n)); });
}

}  // namespace zircon
