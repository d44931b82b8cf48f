#pragma once
// The numbers text of the draw dialog: five main numbers and the extra number
// separated by ";" or ",".
#include <QString>

#include <optional>

#include "core/Types.h"

namespace zircon {

struct DrawNumbers {
    std::array<uint8_t, kMainCount> nums{};  // in the given order
    uint8_t extra = 0;
};

// Accepts exactly six words (runs of separators count once): five different
// main numbers of 1..69 and an extra number of 1..26.
std::optional<DrawNumbers> parseDrawNumbersText(const QString& text);

// The dialog's form of a draw's numbers: the five main numbers and the extra
// number joined by ";".
QString drawNumbersText(const TDraw& draw);

}  // namespace zircon
