#pragma once
// Repeated neighbour differences of a row of numbers, the base of the Ognev
// statistics.
#include <cstdint>

#include "core/Types.h"

namespace zircon {

// Replaces the values by the absolute differences of neighbours until two
// remain, a (first) and b (second), and gives d = |b - a| with the mode's
// correction: mode 1 turns d < 2 into a + b; mode 2 turns d = 0 into a + b and
// then gives the two values 1, a + b when d = 1; other modes keep d.
// A single value is returned as it stands; no values give an empty list.
TByteArray ReducedDifferences(const uint8_t* values, int count, int mode);
TByteArray ReducedDifferences(const TComb& comb, int mode);

}  // namespace zircon
