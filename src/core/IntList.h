#pragma once
// Integer lists and ranges as the user writes them in filter and script
// parameters: "3;5;8", "3,5,8" or "10-20;5" (low, high, step).
#include <QString>

#include <optional>

#include "core/Types.h"

namespace zircon {

// The longest list a range may expand to. Far beyond any real parameter; it
// keeps a typing slip such as "1-2000000000;1" from claiming gigabytes.
inline constexpr int kMaxIntListEntries = 100000;

// Words separated by "," or ";", each a strict integer. nullopt when the text
// is empty or any word is not an integer.
std::optional<TIntArray> ParseIntList(const QString& text);

// "a-b;s" or "a-b,s": a, a+s, a+2s, ... with (b - a) div s + 1 entries. Empty
// when a part is not an integer (a missing step included), the step is 0, the
// count is below 1 or the count exceeds kMaxIntListEntries.
TIntArray ParseIntRange(const QString& text);

// ParseIntList, else ParseIntRange; an empty text gives an empty list.
TIntArray ParseIntSpec(const QString& text);

// The decimal values joined by the separator.
QString IntListText(const TIntArray& list, const QString& separator);

}  // namespace zircon
