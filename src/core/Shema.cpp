#include "core/Shema.h"

#include <algorithm>

#include "core/Sorting.h"

namespace zircon {

int shemaSize(const TShema& set)
{
    return std::clamp<int>(set.count, 0, kMaxShemaNumbers);
}

TShema ShemaFromComb(const TComb& comb)
{
    TShema set;
    set.count = kMainCount;
    std::copy(comb.n.begin(), comb.n.end(), set.nums.begin());
    return set;
}

namespace {

bool inShema(uint8_t n, const TShema& set)
{
    const auto end = set.nums.begin() + shemaSize(set);
    return std::find(set.nums.begin(), end, n) != end;
}

}  // namespace

TShema ShemaIntersectDraw(const TDraw& draw, const TShema& set)
{
    TShema out;
    for (uint8_t n : draw.nums) {
        if (inShema(n, set))
            out.nums[static_cast<size_t>(out.count++)] = n;
    }
    sortShemaNumbers(out);
    return out;
}

bool ShemaEqual(const TShema& a, const TShema& b)
{
    if (a.count != b.count)
        return false;
    const int size = shemaSize(a);
    for (int i = 0; i < size; ++i) {
        if (!inShema(a.nums[static_cast<size_t>(i)], b))
            return false;
    }
    return true;
}

QString ShemaText(const TShema& set, const QString& separator)
{
    QString text;
    const int size = shemaSize(set);
    for (int i = 0; i < size; ++i) {
        if (i > 0)
            text += separator;
        text += QString::number(set.nums[static_cast<size_t>(i)]);
    }
    return text;
}

}  // namespace zircon
