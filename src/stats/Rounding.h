#pragma once
// Every rounding to the nearest integer in the statistics engine: a value
// exactly halfway between two integers goes to the even one (2.5 -> 2,
// 3.5 -> 4, -2.5 -> -2), whatever the floating-point rounding mode is.
#include <cmath>
#include <cstdint>
#include <limits>

namespace zircon {

inline int64_t roundHalfEven(double x)
{
    // Not a number reads as 0; values beyond the 64-bit range saturate.
    if (std::isnan(x))
        return 0;
    constexpr double kLimit = 9223372036854775807.0;  // 2^63
    if (x >= kLimit)
        return std::numeric_limits<int64_t>::max();
    if (x <= -kLimit)
        return std::numeric_limits<int64_t>::min();
    // x - trunc(x) is exact for every finite double, so a half is seen as one.
    const double fraction = x - std::trunc(x);
    const double whole = std::fabs(fraction) == 0.5 ? 2.0 * std::round(x / 2.0) : std::round(x);
    return static_cast<int64_t>(whole);
}

}  // namespace zircon
