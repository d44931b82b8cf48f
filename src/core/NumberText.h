#pragma once
// Text forms of numbers, combinations and draws, and their parsing.
#include <QString>

#include <cstdint>
#include <optional>

#include "core/Types.h"

namespace zircon {

// Decimal form without leading zeros (main, extra and draw numbers alike).
QString numberText(int value);

// The text, trimmed, as a signed 32-bit decimal integer (optional sign, ASCII
// digits only); nullopt for anything else, an empty text included.
std::optional<int32_t> parseIntStrict(const QString& text);
// As parseIntStrict, with `defaultValue` for a text that is not an integer.
int32_t textToIntDef(const QString& text, int32_t defaultValue);
// The lenient conversion used wherever the user types numbers: 0 when the
// text is not an integer.
int32_t textToInt(const QString& text);

// "3;17;25;40;69": the line form of combination files and logs.
QString CombText(const TComb& comb);
// "03 17 25 40 69": the clipboard form.
QString CombSpacedText(const TComb& comb);

// Five words separated by any run of TAB, space, ",", "-", ".", ":", ";" or
// "|". Throws Error "Некорректная комбинация: \"...\"!" unless there are
// exactly five. A word that is not an integer, or whose value does not fit a
// byte, gives 0, so that the caller's range check refuses it instead of
// seeing a wrapped number. Neither range nor duplicates are checked here.
TComb TextToComb(const QString& text);

// "Тираж № 1275 от 02/15/2024, значения: 3;17;25;40;69 e:12".
QString DrawSummaryText(const TDraw& draw);

// The origin of a stake: 1 "Вручную", 2 "Регуляр", 3 "Сценарий", 4 "Система";
// any other value the empty text.
QString StakeTypeName(int type);

// Difference of a number in text against base: "-" when the text is not a
// non-negative integer, "+d" for d > 0, otherwise d ("0" or negative).
QString DiffText(const QString& text, int base);

}  // namespace zircon
