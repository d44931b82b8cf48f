#include "workbench/CombWorkbench.h"

#include "core/Lottery.h"

namespace zircon {

void CombWorkbench::reserveFullSet()
{
    reserve(static_cast<size_t>(kFullSetSize));
}

void CombWorkbench::reserve(size_t capacity)
{
    m_list.reserve(capacity);
    m_undo.reserve(capacity);
}

}  // namespace zircon
