#include "core/Grouping.h"

#include <array>

#include "core/Counting.h"

namespace zircon {
namespace {

constexpr int kPaletteSize = 19;

// Entry g - 1 is the colour of channel g; light tints so the digits stay
// readable on them.
constexpr std::array<TRgb, kPaletteSize> kChannelPalette{{
    {0xAA, 0xFF, 0xAA}, {0xFF, 0xFF, 0xAA}, {0xAA, 0xFF, 0xFF}, {0xFF, 0xAA, 0xAA}, {0xAA, 0xAA, 0xFF},
    {0xFF, 0xD5, 0xAA}, {0xD5, 0xAA, 0xFF}, {0xD4, 0xD4, 0xD4}, {0xAA, 0xD5, 0xFF}, {0xFF, 0xAA, 0xD5},
    {0xD5, 0xFF, 0xD5}, {0xFF, 0xFF, 0xD5}, {0xD5, 0xFF, 0xFF}, {0xFF, 0xD5, 0xD5}, {0xD5, 0xD5, 0xFF},
    {0xFF, 0xEA, 0xD5}, {0xEA, 0xD5, 0xFF}, {0xE9, 0xE9, 0xE9}, {0xD5, 0xEA, 0xFF},
}};

constexpr TRgb kPureRed{255, 0, 0};

}  // namespace

int MatrixColumn(int n, int width)
{
    if (width < 1)
        return 0;
    return (n - 1) % width + 1;
}

int MatrixRow(int n, int width)
{
    if (width < 1)
        return 0;
    return (n - 1) / width + 1;
}

int MatrixNumber(int low, int row, int column, int width)
{
    return low + row * width + column;
}

int NumberChannel(int n, int size)
{
    return CeilDiv(n, size);
}

TRgb ChannelColour(int n, int size)
{
    if (n < 1 || n > kMainMax || size < 1)
        return kPureRed;
    const int g = NumberChannel(n, size);
    // Channels past the 19th take the palette from its start again (channel
    // 20 the first colour); with a channel size of 1 a single step back by 19
    // would still run past the palette.
    return kChannelPalette[static_cast<size_t>((g - 1) % kPaletteSize)];
}

uint8_t ShiftNumber(uint8_t n, int d)
{
    if (d == 0)
        return n;
    // A true modulo keeps the result inside 1..69 for any shift, also beyond
    // one full turn.
    int m = (static_cast<int>(n) - 1 + d % kMainMax) % kMainMax;
    if (m < 0)
        m += kMainMax;
    return static_cast<uint8_t>(m + 1);
}

TComb ShiftComb(const TComb& comb, int d)
{
    TComb out = comb;
    for (uint8_t& v : out.n)
        v = ShiftNumber(v, d);
    return out;
}

}  // namespace zircon
