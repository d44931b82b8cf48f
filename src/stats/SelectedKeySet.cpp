#include "stats/SelectedKeySet.h"

namespace zircon {

SelectedKeySet::SelectedKeySet(const TStatDrawArray& selected)
    : SelectedKeySet(selected, [](TStatKey) { return true; })
{
}

void SelectedKeySet::build(const std::vector<uint64_t>& keys)
{
    auto d = std::make_shared<Data>();
    // At most a quarter full, so a miss that passes the summary ends after
    // a probe or two.
    size_t cells = 16;
    while (cells < keys.size() * 4)
        cells *= 2;
    d->cells.assign(cells, 0);
    d->cellMask = cells - 1;
    for (uint64_t raw : keys) {
        if (raw == 0) {
            d->count += d->hasZero ? 0 : 1;
            d->hasZero = true;
            continue;
        }
        const uint64_t h = raw * kMultiplier;
        uint64_t i = (h >> 16) & d->cellMask;
        while (d->cells[i] != 0 && d->cells[i] != raw)
            i = (i + 1) & d->cellMask;
        if (d->cells[i] == raw)
            continue;
        d->cells[i] = raw;
        ++d->count;
        const uint64_t bit = h >> 48;
        d->summary[bit >> 6] |= uint64_t{1} << (bit & 63);
    }
    m_data = std::move(d);
}

}  // namespace zircon
