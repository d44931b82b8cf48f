#pragma once
// Membership tests and counts over numbers, combinations and draws, and the
// two ways of growing a byte list.
#include <array>
#include <cstddef>
#include <cstdint>

#include "core/Types.h"

namespace zircon {

// A 69-entry table indexed by number - 1 (for example the segment map).
using TNumberMap = std::array<uint8_t, kMainMax>;

bool inComb(uint8_t n, const TComb& comb);
// n among the five main numbers of the draw (the extra number never counts).
bool inDraw(uint8_t n, const TDraw& draw);
bool inBytes(uint8_t n, const TByteArray& list);

// Some main number of the draw lies in channel g of the given size.
bool InDrawChannel(int g, const TDraw& draw, int size);
// Some main number n of the draw has map[n - 1] = v; numbers outside 1..69
// have no entry and never match.
bool InDrawMapped(uint8_t v, const TDraw& draw, const TNumberMap& map);

// How many of the draw's main numbers occur in the combination, every equal
// pair counted (a repeated number in the combination counts twice).
int DrawMatches(const TDraw& draw, const TComb& comb);

// Distinct numbers in the first `count` combinations; the scan stops once 69
// distinct numbers have been seen. The list overload never reads past its end.
int UniqueNumberCount(const TComb* combs, size_t count);
int UniqueNumberCount(const TCombsArray& combs, size_t count);
// The distinct numbers in order of first appearance, at most 69 of them.
TByteArray UniqueNumbers(const TComb* combs, size_t count);
TByteArray UniqueNumbers(const TCombsArray& combs, size_t count);

void appendByte(TByteArray& list, uint8_t value);
// Appends only a value not yet in the list; true when it was appended.
bool appendUniqueByte(TByteArray& list, uint8_t value);

}  // namespace zircon
