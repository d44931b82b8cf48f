#include "core/Differences.h"

namespace zircon {

TByteArray ReducedDifferences(const uint8_t* values, int count, int mode)
{
    if (values == nullptr || count <= 0)
        return {};
    TByteArray row(values, values + count);
    if (count == 1)
        return row;
    while (row.size() > 2) {
        for (size_t i = 0; i + 1 < row.size(); ++i)
            row[i] = static_cast<uint8_t>(row[i] > row[i + 1] ? row[i] - row[i + 1] : row[i + 1] - row[i]);
        row.pop_back();
    }
    const uint8_t a = row[0];
    const uint8_t b = row[1];
    const auto sum = static_cast<uint8_t>(a + b);
    uint8_t d = static_cast<uint8_t>(a > b ? a - b : b - a);
    if (mode == 1) {
        if (d < 2)
            d = sum;
    } else if (mode == 2) {
        if (d == 0)
            d = sum;
        if (d == 1)
            return {1, sum};
    }
    return {d};
}

TByteArray ReducedDifferences(const TComb& comb, int mode)
{
    return ReducedDifferences(comb.n.data(), static_cast<int>(comb.n.size()), mode);
}

}  // namespace zircon
