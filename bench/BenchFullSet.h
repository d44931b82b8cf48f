#pragma once
// The full set the filter benchmarks run over, enumerated once, and one
// pass of a prepared filter over it as the filter core runs it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/Enumeration.h"
#include "stats/CombFilter.h"

namespace zircon::bench {

// The filter core hands the prepared filter blocks of this many combinations.
inline constexpr size_t kBlockSize = 65536;

inline const TCombsArray& fullSet()
{
    static const TCombsArray full = [] {
        TCombsArray list;
        list.reserve(static_cast<size_t>(kFullSetSize));
        fillFullSet(list);
        return list;
    }();
    return full;
}

// The filter's answers for the whole full set, block by block, into `matched`
// (one byte per combination).
inline void matchFullSet(CombFilter& filter, std::vector<uint8_t>& matched)
{
    const TCombsArray& full = fullSet();
    matched.resize(full.size());
    for (size_t from = 0; from < full.size(); from += kBlockSize) {
        const size_t n = std::min(kBlockSize, full.size() - from);
        filter.match(full.data() + from, n, matched.data() + from);
    }
}

}  // namespace zircon::bench
