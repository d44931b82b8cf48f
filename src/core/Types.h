#pragma once
// The small value types every layer shares. In memory they are plain
// trivially-copyable records; files encode them field by field (RecordCodec),
// never by copying the struct.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Lottery.h"

namespace zircon {

// One combination: five main numbers. Enumerated combinations are ascending;
// combinations read from files keep the order they were given in.
struct TComb {
    std::array<uint8_t, kMainCount> n{};

    friend bool operator==(const TComb&, const TComb&) = default;
};
static_assert(sizeof(TComb) == 5, "the combination list relies on 5-byte combinations");

// One drawn result; the same fields make the 24-byte archive record.
struct TDraw {
    int32_t number = 0;                         // the operator's running number
    std::array<uint8_t, kMainCount> nums{};     // main numbers in drawn order
    uint8_t extra = 0;                          // the extra number
    uint8_t dateLen = 0;                        // length of the date text, 0..10
    std::array<char, 10> dateChars{};           // "mm/dd/yyyy" or empty

    std::string date() const { return std::string(dateChars.data(), dateLen); }
    // Keeps at most the first 10 characters, as the record can hold no more.
    void setDate(std::string_view text)
    {
        dateLen = static_cast<uint8_t>(text.size() < dateChars.size() ? text.size() : dateChars.size());
        dateChars.fill(0);
        for (uint8_t i = 0; i < dateLen; ++i)
            dateChars[i] = text[i];
    }
    TComb comb() const { return TComb{nums}; }
    int sum() const
    {
        int s = 0;
        for (uint8_t v : nums)
            s += v;
        return s;
    }

    friend bool operator==(const TDraw& a, const TDraw& b)
    {
        return a.number == b.number && a.nums == b.nums && a.extra == b.extra && a.date() == b.date();
    }
};

// The number set of one stake: count numbers (5 for a plain combination, up to
// 8 for a system stake); the unused bytes stay zero.
struct TShema {
    int32_t count = 0;
    std::array<uint8_t, kMaxShemaNumbers> nums{};

    friend bool operator==(const TShema&, const TShema&) = default;
};

using TByteArray = std::vector<uint8_t>;
using TIntArray = std::vector<int32_t>;
using TDrawsArray = std::vector<TDraw>;
using TCombsArray = std::vector<TComb>;
using TShemaArray = std::vector<TShema>;

}  // namespace zircon
