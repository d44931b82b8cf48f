#include "core/Sorting.h"

#include <algorithm>

namespace zircon {
namespace {

// Moves each element left past the elements that must follow it; equal
// elements never pass each other, which keeps the sort stable.
template <class It, class Before>
void insertionSort(It first, It last, Before before)
{
    if (first == last)
        return;
    for (It i = first + 1; i != last; ++i) {
        auto value = *i;
        It j = i;
        while (j != first && before(value, *(j - 1))) {
            *j = *(j - 1);
            --j;
        }
        *j = value;
    }
}

}  // namespace

void sortComb(TComb& comb)
{
    insertionSort(comb.n.begin(), comb.n.end(), [](uint8_t a, uint8_t b) { return a < b; });
}

void sortDrawNumbers(TDraw& draw)
{
    insertionSort(draw.nums.begin(), draw.nums.end(), [](uint8_t a, uint8_t b) { return a < b; });
}

void sortShemaNumbers(TShema& set)
{
    const int size = std::clamp<int>(set.count, 0, kMaxShemaNumbers);
    insertionSort(set.nums.begin(), set.nums.begin() + size, [](uint8_t a, uint8_t b) { return a < b; });
}

void sortIntsDescending(TIntArray& list)
{
    // A list can be long (a range parameter); the library's stable sort gives
    // the same order as an insertion sort without the quadratic time.
    std::stable_sort(list.begin(), list.end(), [](int32_t a, int32_t b) { return a > b; });
}

}  // namespace zircon
