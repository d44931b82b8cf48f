#pragma once
// What the channel, matrix and segment tests share: a registry over its own
// archive and settings, the values of five numbers as texts, a window
// computed over the whole archive, and exact binomial coefficients.
#include <gtest/gtest.h>

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "stats/TStatList.h"

namespace zircon::test {

// The full registry with the given settings, as the main window builds it.
struct PartsRegistry {
    TDrawsArray draws;
    TStatList list{&draws};

    explicit PartsRegistry(const TConfigData& config = {}, TDrawsArray d = {}) : draws(std::move(d))
    {
        list.Config = config;
        list.RegisterAll();
    }

    std::unique_ptr<TCustomStat> create(const char* code)
    {
        const int i = list.FindCode(QString::fromUtf8(code));
        EXPECT_GE(i, 0) << code << " is not registered";
        return i < 0 ? nullptr : list.CreateStat(i);
    }

    // The registered codes of one group, in registry order.
    std::vector<QString> groupCodes(int group) const
    {
        std::vector<QString> out;
        for (int i = 0; i < list.Count(); ++i)
            if (list.Items(i).StatClass->group == group)
                out.push_back(list.ItemCode(i));
        return out;
    }
};

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

inline TDraw drawOf(int32_t number, std::array<uint8_t, kMainCount> nums)
{
    TDraw d;
    d.number = number;
    d.nums = nums;
    return d;
}

inline QString valueText(const TCustomStat& stat, TStatKey key)
{
    TStatDrawItem it;
    it.Key = key;
    return stat.ValueText(it);
}

// The values five numbers yield, in merge order, as the table shows them.
inline std::vector<QString> valueTexts(const TCustomStat& stat, std::array<uint8_t, kMainCount> nums)
{
    KeyList keys;
    stat.CombKeys(nums.data(), keys);
    std::vector<QString> out;
    for (TStatKey k : keys)
        out.push_back(valueText(stat, k));
    return out;
}

inline std::vector<QString> qstrings(const std::vector<const char*>& texts)
{
    std::vector<QString> out;
    for (const char* t : texts)
        out.push_back(QString::fromUtf8(t));
    return out;
}

// The table over the whole archive as one window.
inline TStatDrawArray computeWindow(TCustomStat& stat, int drawCount, bool sorted = false)
{
    const int end = drawCount - 1;
    TStatDrawArray items;
    TStatWork work;
    TLastValueArray last;
    stat.BeginStat(end, items);
    for (int i = 0; i <= end; ++i)
        stat.AddDrawValues(i, end, sorted, items, work, last);
    return items;
}

inline std::vector<QString> itemTexts(const TCustomStat& stat, const TStatDrawArray& items)
{
    std::vector<QString> out;
    for (const TStatDrawItem& it : items)
        out.push_back(stat.ValueText(it));
    return out;
}

// Exact C(n, k), 0 outside 0 <= k <= n.
inline uint64_t choose(int n, int k)
{
    if (k < 0 || n < 0 || k > n)
        return 0;
    uint64_t r = 1;
    for (int i = 1; i <= k; ++i)
        r = r * static_cast<uint64_t>(n - k + i) / static_cast<uint64_t>(i);
    return r;
}

inline TStatDrawArray selectionOf(const std::vector<TStatKey>& keys)
{
    TStatDrawArray s;
    TStatDrawItem it;
    for (TStatKey k : keys) {
        it.Key = k;
        s.AddValue(it, false);
    }
    return s;
}

}  // namespace zircon::test
