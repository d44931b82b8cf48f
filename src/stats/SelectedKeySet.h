#pragma once
// The selected values of a method as a set that answers "is this key
// selected?" in a few instructions, for the prepared filters of the methods
// whose values have several parts (pairs, tuples, (value, count) pairs) and
// whose selections can hold thousands of rows.
//
// Most keys a filter asks about are not selected, so a 64K-bit summary of
// the keys' hashes (8 KiB, in the first-level cache) rejects them before
// the open-addressed table is touched. The set is immutable once built;
// copies share the same data, so a prepared filter may capture it by value
// and read it from two threads at once.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "stats/StatDrawArray.h"

namespace zircon {

class SelectedKeySet {
public:
    SelectedKeySet() = default;
    // Every selected key.
    explicit SelectedKeySet(const TStatDrawArray& selected);
    // The selected keys `keep` answers true for; a filter leaves out the
    // keys its combinations can never yield (a nonzero part it never sets).
    template <class Keep>
    SelectedKeySet(const TStatDrawArray& selected, Keep keep)
    {
        std::vector<uint64_t> keys;
        keys.reserve(static_cast<size_t>(selected.size()));
        for (const TStatDrawItem& it : selected)
            if (keep(it.Key))
                keys.push_back(it.Key.raw);
        build(keys);
    }
    explicit SelectedKeySet(const std::vector<uint64_t>& keys) { build(keys); }

    bool empty() const { return !m_data || m_data->count == 0; }
    size_t size() const { return m_data ? m_data->count : 0; }

    bool contains(uint64_t raw) const
    {
        const Data* d = m_data.get();
        if (!d)
            return false;
        if (raw == 0)
            return d->hasZero;
        const uint64_t h = raw * kMultiplier;
        const uint64_t bit = h >> 48;
        if (((d->summary[bit >> 6] >> (bit & 63)) & 1) == 0)
            return false;
        for (uint64_t i = (h >> 16) & d->cellMask;; i = (i + 1) & d->cellMask) {
            const uint64_t s = d->cells[i];
            if (s == raw)
                return true;
            if (s == 0)
                return false;
        }
    }
    bool contains(TStatKey key) const { return contains(key.raw); }

private:
    static constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
    static constexpr size_t kSummaryWords = 1024;  // 65,536 bits

    struct Data {
        uint64_t summary[kSummaryWords] = {};
        std::vector<uint64_t> cells;  // 0 marks an empty slot; key 0 is hasZero
        uint64_t cellMask = 0;
        size_t count = 0;
        bool hasZero = false;
    };

    void build(const std::vector<uint64_t>& keys);

    std::shared_ptr<const Data> m_data;
};

}  // namespace zircon
