#pragma once
// The in-memory set of (draw number, number set) pairs held in the stakes
// file, so that "only new stakes" asks a hash table instead of reading the
// whole file once for every candidate stake.
#include <cstdint>
#include <unordered_set>

#include "core/Types.h"

namespace zircon {

class StakeIndex {
public:
    // Numbers beyond the count are ignored; the order of the numbers is not
    // part of the key, so a stake matches its numbers in any order.
    void insert(int32_t drawNumber, const TShema& numbers);
    bool contains(int32_t drawNumber, const TShema& numbers) const;
    void clear() { m_keys.clear(); }
    void reserve(size_t count) { m_keys.reserve(count); }
    size_t size() const { return m_keys.size(); }

private:
    struct Key {
        int32_t draw;
        uint64_t numbers;  // the sorted numbers, 7 bits each, then the count in the top bits

        friend bool operator==(const Key&, const Key&) = default;
    };
    struct KeyHash {
        size_t operator()(const Key& k) const noexcept;
    };
    static Key keyOf(int32_t drawNumber, const TShema& numbers);

    std::unordered_set<Key, KeyHash> m_keys;
};

}  // namespace zircon
