#include "stats/ConfigData.h"

#include <algorithm>

namespace zircon {

int TConfigData::lowestSegment() const
{
    return *std::min_element(Segments.begin(), Segments.end());
}

int TConfigData::highestSegment() const
{
    return *std::max_element(Segments.begin(), Segments.end());
}

}  // namespace zircon
