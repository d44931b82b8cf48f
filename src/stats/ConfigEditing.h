#pragma once
// The rules of the settings dialog "Параметры системы", kept apart from its
// widgets: how each field of TConfigData is shown, read back and limited, how
// the segment grid is laid out like the number matrix, and which prefetch
// groups a changed configuration makes stale.
#include <QString>
#include <QStringList>

#include <optional>
#include <set>
#include <vector>

#include "core/SegmentMap.h"
#include "stats/ConfigData.h"
#include "stats/StatClassInfo.h"

namespace zircon {

inline constexpr int kMinMatrixCols = 1;
inline constexpr int kMaxMatrixCols = 69;
inline constexpr int kMinChannelSize = 4;
inline constexpr int kMaxChannelSize = 69;
// The dialog always shows the prizes for 0..5 matched numbers.
inline constexpr int kProfitRowCount = 6;
// Amounts typed into the dialog are held to a whole-unit magnitude that keeps
// the stake arithmetic (cost times up to C(8,5) = 56 combinations, plus the
// prizes) well inside the 64-bit range.
inline constexpr TCurrency kMaxConfigAmount = TCurrency{999'999'999'999} * kCurrencyScale;

// A real number as the user types it: "," or "." as the decimal point,
// blanks around it ignored. Empty when the text is not a finite number.
std::optional<double> parseDecimal(const QString& text);

// Money in ten-thousandths shown with two decimals ("12.50").
QString amountText(TCurrency amount);
// The text as an amount: the real number x 10000, halves to even, held to
// +-kMaxConfigAmount; 0 when the text is not a number.
TCurrency parseAmount(const QString& text);

// "Стоимость ставки:" and back.
inline QString costText(TCurrency cost) { return amountText(cost); }
inline TCurrency costFromText(const QString& text) { return parseAmount(text); }

// The six rows of "Размеры выигрышей:": row i reads "i=<profit>" with the
// prize for i matched numbers, taken as StakeResult pays it: the Profit of
// the first element whose Overlap is i, 0 when there is none. For the arrays
// this dialog writes (element i for i matches) that is element i; an array
// from elsewhere, say the prize for 5 matches alone, keeps every prize under
// its own number of matches instead of sliding into the rows from 0.
QStringList profitRows(const std::vector<TProfitItem>& profits);
// The rows back as Profits: one element per row, Overlap = the text before
// the first "=" as an integer (0 when not one, at most 255), Profit = the
// text after it as an amount (parseAmount).
std::vector<TProfitItem> profitsFromRows(const QStringList& rows);

// A weight coefficient shown with three decimals ("-1.000").
QString weightText(double coef);
// The text as a coefficient; 0 when it is not a number.
double parseWeight(const QString& text);

// The column count brought into 1..69.
int clampMatrixCols(int columns);
// The channel size brought into 4..69.
int clampChannelSize(int size);
// Rows of the matrix: ceil(69 / columns), columns brought into 1..69 first.
int matrixRowsFor(int columns);

// The number in cell (column, row) of the segment grid, both from 0: row x
// columns + column + 1; 0 for a cell outside the grid or beyond 69.
int segmentCellNumber(int column, int row, int columns);
// Only the cells that hold a number can be selected and edited.
inline bool segmentCellSelectable(int column, int row, int columns)
{
    return segmentCellNumber(column, row, columns) != 0;
}

// What a segment cell's text gives.
struct SegmentCellValue {
    uint8_t segment = 1;  // 1..9
    QString message;      // the error text to show, empty when the text is good
};
// A whole number 1..9 is taken as it stands; an empty text reads as 1
// silently; anything else gives 1 and the message
// "Некорректное значение: %s!\r\rУкажите любое число от 1 до 9".
SegmentCellValue checkSegmentCell(const QString& text);

// The texts of the segment grid: rows[r][c] is cell (c, r); every row is as
// wide as the matrix has columns.
using SegmentGrid = std::vector<std::vector<QString>>;

// The grid for a column count (brought into 1..69): matrixRowsFor rows, each
// cell the segment digit of its number, "" for the cells beyond 69.
SegmentGrid segmentGridTexts(const TSegmentMap& segments, int columns);
// The segments the cells give (checkSegmentCell, messages dropped); the
// columns are the width of the first row. A number without a cell stays in
// segment 1.
TSegmentMap segmentsFromGrid(const SegmentGrid& grid);
// The 69 cell texts, each as it stands, moved to their numbers' cells in a
// grid for the new column count.
SegmentGrid relayoutSegmentGrid(const SegmentGrid& grid, int newColumns);

// The groups whose prefetch files no longer fit when `after` replaces
// `before`: 4 for another matrix width, 3 for another channel size, 5 for
// other segments.
std::set<int> staleGroups(const TConfigData& before, const TConfigData& after);

}  // namespace zircon
