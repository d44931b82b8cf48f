#pragma once
// Draw records for tests, built field by field.
#include <array>
#include <cstdint>

#include "core/Types.h"

namespace zircon::test {

inline TDraw makeDraw(int number, std::array<uint8_t, 5> nums, uint8_t extra = 1, const char* date = "01/01/2020")
{
    TDraw d;
    d.number = number;
    d.nums = nums;
    d.extra = extra;
    d.setDate(date);
    return d;
}

}  // namespace zircon::test
