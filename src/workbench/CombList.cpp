#include "workbench/CombList.h"

#include <array>
#include <cstring>
#include <utility>

#include "core/Error.h"
#include "core/Format.h"
#include "core/Tr.h"

namespace zircon {

bool isProperComb(const TComb& comb)
{
    std::array<bool, kMainMax + 1> seen{};
    for (uint8_t n : comb.n) {
        if (n < 1 || n > kMainMax || seen[n])
            return false;
        seen[n] = true;
    }
    return true;
}

QString combListFullText(size_t capacity)
{
    return fmt(tr("Список комбинаций не может содержать более %d комбинаций!"), static_cast<uint64_t>(capacity));
}

bool CombList::reserve(size_t capacity)
{
    if (m_data || capacity == 0)
        return false;
    // TComb is an aggregate of bytes, so the block holds combinations as soon
    // as it is allocated; every entry is written before it is read.
    auto* block = static_cast<TComb*>(std::malloc(capacity * sizeof(TComb)));
    if (!block)
        throw Error(fmt(tr("Недостаточно памяти для списка из %d комбинаций!"), static_cast<uint64_t>(capacity)));
    m_data.reset(block);
    m_capacity = capacity;
    m_count = 0;
    return true;
}

bool CombList::reserveFullSet()
{
    return reserve(static_cast<size_t>(kFullSetSize));
}

void CombList::setCount(size_t n)
{
    if (n > m_capacity)
        throw Error(combListFullText(m_capacity));
    m_count = n;
}

void CombList::assign(const TComb* combs, size_t n)
{
    if (n > m_capacity)
        throw Error(combListFullText(m_capacity));
    if (n > 0 && combs != m_data.get())
        std::memmove(m_data.get(), combs, n * sizeof(TComb));
    m_count = n;
}

void CombList::swap(CombList& other) noexcept
{
    std::swap(m_data, other.m_data);
    std::swap(m_capacity, other.m_capacity);
    std::swap(m_count, other.m_count);
}

}  // namespace zircon
