#include "stakes/StakeIndex.h"

#include <algorithm>

#include "core/Sorting.h"

namespace zircon {

StakeIndex::Key StakeIndex::keyOf(int32_t drawNumber, const TShema& numbers)
{
    // A set holds at most eight numbers of 1..69: eight 7-bit fields and a
    // 4-bit count fit one 64-bit word exactly, so equal keys mean equal sets.
    const int used = std::clamp<int>(numbers.count, 0, kMaxShemaNumbers);
    TShema sorted;
    sorted.count = used;
    std::copy_n(numbers.nums.begin(), used, sorted.nums.begin());
    sortShemaNumbers(sorted);
    uint64_t packed = static_cast<uint64_t>(used) << 56;
    for (int i = 0; i < used; ++i)
        packed |= static_cast<uint64_t>(sorted.nums[static_cast<size_t>(i)] & 0x7F) << (7 * i);
    return {drawNumber, packed};
}

size_t StakeIndex::KeyHash::operator()(const Key& k) const noexcept
{
    // splitmix64 finaliser over both fields.
    uint64_t x = k.numbers ^ (static_cast<uint64_t>(static_cast<uint32_t>(k.draw)) * 0x9E3779B97F4A7C15ULL);
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ULL;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBULL;
    x ^= x >> 31;
    return static_cast<size_t>(x);
}

void StakeIndex::insert(int32_t drawNumber, const TShema& numbers)
{
    m_keys.insert(keyOf(drawNumber, numbers));
}

bool StakeIndex::contains(int32_t drawNumber, const TShema& numbers) const
{
    // The file holds only numbers of 1..69, so a set with any other number is
    // in it nowhere (and must not alias a real key through the 7-bit fields).
    if (numbers.count < 0 || numbers.count > kMaxShemaNumbers)
        return false;
    const int used = numbers.count;
    for (int i = 0; i < used; ++i)
        if (numbers.nums[static_cast<size_t>(i)] < 1 || numbers.nums[static_cast<size_t>(i)] > kMainMax)
            return false;
    return m_keys.contains(keyOf(drawNumber, numbers));
}

}  // namespace zircon
