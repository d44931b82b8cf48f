#pragma once
// Grouping of the numbers 1..69 into matrix cells and channels, the channel
// colours of the number cells, and cyclic shifts inside 1..69.
#include <cstdint>

#include "core/Types.h"

namespace zircon {

// A plain colour value, so that the core needs no GUI module; the widgets
// turn it into their own colour type.
struct TRgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;

    friend bool operator==(const TRgb&, const TRgb&) = default;
};

// Column (1-based) of number n in a matrix laid out row by row, width columns
// wide. A width below 1 gives 0.
int MatrixColumn(int n, int width);
// Row (1-based) of number n in that matrix. A width below 1 gives 0.
int MatrixRow(int n, int width);
// The number in a cell; row and column counted from 0.
int MatrixNumber(int low, int row, int column, int width);

// The channel (group of `size` consecutive numbers, counted from 1) of n.
int NumberChannel(int n, int size);

// The colour of a number cell: pure red for a number outside 1..69 or a
// channel size below 1, otherwise the palette entry of its channel. The 19
// palette entries repeat for channels beyond the 19th.
TRgb ChannelColour(int n, int size);

// Cyclic shift of n by d inside 1..69: 69 shifted by 1 is 1, 1 by -1 is 69.
uint8_t ShiftNumber(uint8_t n, int d);
// ShiftNumber applied to each of the five numbers, order kept.
TComb ShiftComb(const TComb& comb, int d);

}  // namespace zircon
