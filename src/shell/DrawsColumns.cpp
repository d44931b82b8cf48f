#include "shell/DrawsColumns.h"

#include <algorithm>

#include "core/Tr.h"

namespace zircon {

QStringList drawsColumnCaptions()
{
    return {tr("Тираж"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
            QStringLiteral("5"), QStringLiteral("E"), QStringLiteral("S"), tr("Дата тиража")};
}

QString drawsCellText(const TDraw& draw, int column, bool sorted)
{
    switch (column) {
    case ColNumber:
        return QString::number(draw.number);
    case ColN1:
    case ColN2:
    case ColN3:
    case ColN4:
    case ColN5: {
        auto nums = draw.nums;
        if (sorted)
            std::stable_sort(nums.begin(), nums.end());
        return QString::number(nums[static_cast<size_t>(column - ColN1)]);
    }
    case ColExtra:
        return QString::number(draw.extra);
    case ColSum:
        return QString::number(draw.sum());
    case ColDate:
        return QString::fromLatin1(draw.date());
    default:
        return {};
    }
}

}  // namespace zircon
