#pragma once
// The one lottery the program serves: five main numbers of 1..69 and one extra
// number of 1..26. Fixed at build time; used as literals everywhere.
#include <cstdint>

namespace zircon {

inline constexpr int kMainCount = 5;            // main numbers per draw and per combination
inline constexpr int kMainMax = 69;             // main numbers run 1..kMainMax
inline constexpr int kExtraMax = 26;            // the extra number runs 1..kExtraMax
inline constexpr int kFullSetSize = 11238513;   // C(69,5)
inline constexpr int kMinSum = 15;              // 1+2+3+4+5
inline constexpr int kMaxSum = 335;             // 69+68+67+66+65
inline constexpr int kSumBandWidth = (kMaxSum - kMinSum) / 10;  // 32
inline constexpr int kMaxShemaNumbers = 8;      // a system stake holds up to 8 numbers

inline constexpr const char* kProgramName = "Zircon_5x69";

}  // namespace zircon
