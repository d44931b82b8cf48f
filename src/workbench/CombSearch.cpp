#include "workbench/CombSearch.h"

#include <algorithm>

#include "core/Membership.h"
#include "core/NumberText.h"

namespace zircon {

bool sameNumbers(const TDraw& draw, const TComb& comb)
{
    TComb a = draw.comb();
    TComb b = comb;
    std::sort(a.n.begin(), a.n.end());
    std::sort(b.n.begin(), b.n.end());
    return a == b && isProperComb(a);
}

int UniqueNumberCount(const CombList& list)
{
    return UniqueNumberCount(list.data(), list.count());
}

QStringList findCombInDraws(const DrawArchive& archive, const TComb& comb)
{
    QStringList lines;
    const TDrawsArray& draws = archive.draws();
    for (auto it = draws.rbegin(); it != draws.rend() && lines.size() < kFindInDrawsMaxLines; ++it) {
        if (sameNumbers(*it, comb))
            lines.append(DrawSummaryText(*it));
    }
    return lines;
}

}  // namespace zircon
