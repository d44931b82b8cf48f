#pragma once
// The text form of the number-to-segment table (setting "MatrixSegments"):
// one digit per number, character k the segment of number k.
#include <QString>

#include <array>
#include <cstdint>

#include "core/Lottery.h"

namespace zircon {

using TSegmentMap = std::array<uint8_t, kMainMax>;

inline constexpr uint8_t kMinSegment = 1;
inline constexpr uint8_t kMaxSegment = 9;

// The 69 entries as digits run together. An entry outside 1..9 is written as
// 1, so the text always holds exactly one digit per number and reads back
// into the same positions.
QString SegmentMapText(const TSegmentMap& map);

// Character n of the text is the segment of number n; a character that is
// not a digit 1..9, and every position beyond the end of the text, gives 1.
TSegmentMap ParseSegmentMap(const QString& text);

}  // namespace zircon
