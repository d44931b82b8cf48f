#pragma once
// The combination list: one contiguous block of 5-byte combinations with its
// own count. The block is reserved once (for the full set at start-up) and
// never reallocated, so generation, filtering and undo only move bytes inside
// it; nothing is ever written past its end.
#include <QString>

#include <cstddef>
#include <cstdlib>
#include <functional>
#include <memory>

#include "core/Types.h"

namespace zircon {

// Called about a hundred times during a long pass over a list, on the calling
// thread, with the entries done so far and the entries in all.
using CombProgress = std::function<void(size_t done, size_t total)>;

// Five different numbers of 1..69 in any order: the only combinations a list
// takes from a file, the clipboard or the start-list cache.
bool isProperComb(const TComb& comb);

class CombList {
public:
    CombList() = default;
    CombList(const CombList&) = delete;
    CombList& operator=(const CombList&) = delete;
    CombList(CombList&& other) noexcept { swap(other); }
    CombList& operator=(CombList&& other) noexcept
    {
        swap(other);
        return *this;
    }

    // Reserves room for `capacity` combinations. Only the first reservation
    // takes effect: a later call changes nothing and returns false, so the
    // block (and every pointer into it) stays where it is for the whole run.
    // Throws Error when the memory cannot be had.
    bool reserve(size_t capacity);
    // Room for the full set, the largest list the program holds.
    bool reserveFullSet();

    size_t capacity() const { return m_capacity; }
    size_t count() const { return m_count; }
    bool empty() const { return m_count == 0; }
    bool full() const { return m_count == m_capacity; }

    TComb* data() { return m_data.get(); }
    const TComb* data() const { return m_data.get(); }
    const TComb* begin() const { return m_data.get(); }
    const TComb* end() const { return m_data.get() + m_count; }

    // Entries past the count keep whatever they held; throws Error when n is
    // above the capacity (the count is then unchanged).
    void setCount(size_t n);
    void clear() { m_count = 0; }

    // False (and nothing written) when the list is full.
    bool append(const TComb& comb)
    {
        if (m_count == m_capacity)
            return false;
        m_data[m_count++] = comb;
        return true;
    }

    // Unchecked, as in every inner loop over the list: i < capacity().
    TComb& operator[](size_t i) { return m_data[i]; }
    const TComb& operator[](size_t i) const { return m_data[i]; }

    // Makes this list hold exactly `n` combinations copied from `combs`, as
    // one block copy. Throws Error when n is above the capacity; the list is
    // then unchanged.
    void assign(const TComb* combs, size_t n);
    // The other list's entries as one block copy (the undo step).
    void copyFrom(const CombList& other) { assign(other.data(), other.count()); }

    void swap(CombList& other) noexcept;

private:
    struct FreeBlock {
        void operator()(TComb* p) const noexcept { std::free(p); }
    };

    // malloc'ed rather than new[]: TComb zero-initialises itself, and
    // touching 56 MB twice at start-up for entries that are always written
    // before they are read would only cost time and resident memory.
    std::unique_ptr<TComb[], FreeBlock> m_data;
    size_t m_capacity = 0;
    size_t m_count = 0;
};

// The text for a list that cannot take `capacity` + 1 combinations.
QString combListFullText(size_t capacity);

}  // namespace zircon
