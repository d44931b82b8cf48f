#pragma once
// Questions about the list and about one combination against the archive.
#include <QStringList>

#include "core/DrawArchive.h"
#include "core/Types.h"
#include "workbench/CombList.h"

namespace zircon {

// The combination is the draw: five different numbers of 1..69, the same in
// both, in any order (a combination from a file keeps its own order). For a
// proper draw this is DrawMatches = 5; a draw with a missing or repeated
// number is no combination at all and equals none, where counting equal
// pairs would let it "match" every combination that merely holds its
// remaining numbers.
bool sameNumbers(const TDraw& draw, const TComb& comb);

// Distinct numbers in the list (at most 69), by the core's count.
int UniqueNumberCount(const CombList& list);

// The most lines findCombInDraws gives: the walk stops once it has more than
// 25 of them.
inline constexpr int kFindInDrawsMaxLines = 26;

// DrawSummaryText of every draw that is the combination, walking the whole
// archive from the newest draw to the oldest (the draws offset is ignored),
// stopping once there are more than 25 lines.
QStringList findCombInDraws(const DrawArchive& archive, const TComb& comb);

}  // namespace zircon
