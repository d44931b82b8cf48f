#pragma once
// Stable in-place insertion sorts of the short number rows (a handful of
// elements, where insertion sort is the quickest).
#include "core/Types.h"

namespace zircon {

// The five numbers of a combination, ascending.
void sortComb(TComb& comb);
// The five main numbers of a draw, ascending; for the sorted display.
void sortDrawNumbers(TDraw& draw);
// The first `count` numbers of a stake set, ascending; the rest untouched.
void sortShemaNumbers(TShema& set);
// An integer list, descending; equal values keep their order.
void sortIntsDescending(TIntArray& list);

}  // namespace zircon
