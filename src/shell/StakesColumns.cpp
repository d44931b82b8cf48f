#include "shell/StakesColumns.h"

#include "core/Format.h"
#include "core/NumberText.h"
#include "core/Shema.h"
#include "core/Tr.h"

namespace zircon {

QStringList stakesColumnCaptions()
{
    return {tr("№ тиража"),   tr("Вид ставки"), tr("Моя ставка"), tr("Выборка"),    tr("Результаты тиража"),
            tr("Совпадений"), tr("Совпадения"), tr("Профит"),     tr("Комментарий")};
}

int stakesColumnWidth(int column)
{
    static constexpr int kWidths[StakesColumnCount] = {60, 60, 120, 60, 120, 60, 60, 60, 1000};
    return column >= 0 && column < StakesColumnCount ? kWidths[column] : 60;
}

QString stakeProfitText(TCurrency profit)
{
    return fmt(QStringLiteral("%.2f"), static_cast<double>(profit) / static_cast<double>(kCurrencyScale));
}

QString stakesCellText(const StakeRecord& r, int column)
{
    if (r.isSeparator())
        return {};
    switch (column) {
    case StakeColDraw:
        return QString::number(r.drawNumber);
    case StakeColKind:
        return StakeTypeName(static_cast<int>(r.kind));
    case StakeColNumbers:
        return ShemaText(r.numbers, QStringLiteral(";"));
    case StakeColListSize:
        return QString::number(r.listSize);
    case StakeColResult:
        return r.checked ? CombText(r.drawNumbers) : QString();
    case StakeColMatches:
        return r.checked ? QString::number(r.matches()) : QString();
    case StakeColMatched:
        return r.checked ? ShemaText(r.matched, QStringLiteral(" ")) : QString();
    case StakeColProfit:
        return stakeProfitText(r.profit);
    case StakeColComment:
        return r.comment();
    default:
        return {};
    }
}

uint32_t stakeKindColour(StakeKind kind)
{
    switch (kind) {
    case StakeKind::Manual:
        return 0xEAFFEA;
    case StakeKind::Regular:
        return 0xFFEAEA;
    case StakeKind::Script:
        return 0xEAFFFF;
    case StakeKind::System:
        return 0xFCFDD9;
    case StakeKind::None:
        break;
    }
    return kWindowColour;
}

QString stakesCountText(int records)
{
    return fmt(tr("Ставок: %d"), records);
}

}  // namespace zircon
