#pragma once
// The engine's settings: matrix layout, channel width, stake price and prizes,
// the weight coefficients of the "Вес" column and the segment of each number.
// Copied whole into and out of the settings dialog.
#include <array>
#include <cstdint>
#include <vector>

#include "core/Lottery.h"

namespace zircon {

using TCurrency = int64_t;  // money in ten-thousandths
inline constexpr TCurrency kCurrencyScale = 10000;

struct TProfitItem {
    uint8_t Overlap = 0;   // matched numbers
    TCurrency Profit = 0;  // the win for that many matches

    friend bool operator==(const TProfitItem&, const TProfitItem&) = default;
};

struct TWeightCoefs {
    double CountCoef = 0;
    double DeviationCoef = -1;
    double DepthCoef = 1;
    bool UsePercents = false;
    bool UseAbsValues = false;

    friend bool operator==(const TWeightCoefs&, const TWeightCoefs&) = default;
};

struct TConfigData {
    int32_t MatrixCols = 7;      // 1..69
    int32_t ChannelSize = 10;    // 1..69
    TCurrency Cost = 0;
    int32_t MaxStake = 5;
    std::vector<TProfitItem> Profits;
    TWeightCoefs Weights;
    std::array<uint8_t, kMainMax> Segments = filledSegments();  // 1..9 per number

    int matrixRows() const { return (kMainMax + MatrixCols - 1) / MatrixCols; }
    int channelCount() const { return (kMainMax + ChannelSize - 1) / ChannelSize; }
    int lowestSegment() const;
    int highestSegment() const;

    friend bool operator==(const TConfigData&, const TConfigData&) = default;

private:
    static std::array<uint8_t, kMainMax> filledSegments()
    {
        std::array<uint8_t, kMainMax> s{};
        s.fill(1);
        return s;
    }
};

}  // namespace zircon
