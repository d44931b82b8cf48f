#pragma once
// The columns of the stakes grid `sgStakes`, shared by the grid and the
// command-line listing so both show a stake the same way.
#include <QString>
#include <QStringList>

#include "stakes/StakeRecord.h"

namespace zircon {

enum StakesColumn {
    StakeColDraw,      // "№ тиража"
    StakeColKind,      // "Вид ставки"
    StakeColNumbers,   // "Моя ставка"
    StakeColListSize,  // "Выборка"
    StakeColResult,    // "Результаты тиража"
    StakeColMatches,   // "Совпадений"
    StakeColMatched,   // "Совпадения"
    StakeColProfit,    // "Профит"
    StakeColComment,   // "Комментарий"
    StakesColumnCount
};

QStringList stakesColumnCaptions();
// Default widths in pixels, column by column.
int stakesColumnWidth(int column);

// The text of one cell; a separator has empty cells, and the draw's numbers,
// the matches and the matched numbers stay empty until the stake is checked.
QString stakesCellText(const StakeRecord& record, int column);

// The profit with two decimals ("%.2f" of the currency value).
QString stakeProfitText(TCurrency profit);

// The row colour of a stake's kind as 0xRRGGBB; kWindowColour for a
// separator, which takes the window colour of the platform.
inline constexpr uint32_t kWindowColour = 0xFFFFFFFFu;
uint32_t stakeKindColour(StakeKind kind);

// "Ставок: %d": status panel 4.
QString stakesCountText(int records);

}  // namespace zircon
