#pragma once
// What the channel, matrix and segment tests add to the families' support:
// the layouts of channels, matrix columns and segments they are run under.
#include "stats/FamilyTestSupport.h"

namespace zircon::test {

inline TConfigData configWith(int channelSize, int matrixCols)
{
    TConfigData c;
    c.ChannelSize = channelSize;
    c.MatrixCols = matrixCols;
    return c;
}

// Numbers 1..split in segment 1, the rest in segment 2.
inline TConfigData twoSegments(int split = 34)
{
    TConfigData c;
    for (int n = 1; n <= kMainMax; ++n)
        c.Segments[static_cast<size_t>(n - 1)] = n <= split ? 1 : 2;
    return c;
}

}  // namespace zircon::test
