#pragma once
// The value records every statistic method produces: one TStatDrawItem per
// distinct value, with how often and how recently it occurred.
#include <cstdint>
#include <vector>

namespace zircon {

// The 8-byte value, read as four 16-bit parts K1..K4, two 32-bit parts L1, L2
// or eight bytes B1..B8 (all little-endian, K1 and L1 first). Two values are
// the same when all eight bytes are.
struct TStatKey {
    uint64_t raw = 0;

    uint16_t K(int i) const { return static_cast<uint16_t>(raw >> (16 * (i - 1))); }
    uint32_t L(int i) const { return static_cast<uint32_t>(raw >> (32 * (i - 1))); }
    uint8_t B(int i) const { return static_cast<uint8_t>(raw >> (8 * (i - 1))); }
    void setK(int i, uint16_t v)
    {
        const int s = 16 * (i - 1);
        raw = (raw & ~(uint64_t{0xFFFF} << s)) | (uint64_t{v} << s);
    }
    void setL(int i, uint32_t v)
    {
        const int s = 32 * (i - 1);
        raw = (raw & ~(uint64_t{0xFFFFFFFF} << s)) | (uint64_t{v} << s);
    }
    void setB(int i, uint8_t v)
    {
        const int s = 8 * (i - 1);
        raw = (raw & ~(uint64_t{0xFF} << s)) | (uint64_t{v} << s);
    }

    static TStatKey k1(uint16_t v) { return TStatKey{v}; }
    static TStatKey k4(uint16_t a, uint16_t b, uint16_t c, uint16_t d)
    {
        return TStatKey{uint64_t{a} | uint64_t{b} << 16 | uint64_t{c} << 32 | uint64_t{d} << 48};
    }
    static TStatKey l2(uint32_t a, uint32_t b) { return TStatKey{uint64_t{a} | uint64_t{b} << 32}; }

    friend bool operator==(TStatKey, TStatKey) = default;
};

struct TStatDrawItem {
    int32_t LastDraw = 0;   // draw number of the latest occurrence in the window; 0 if none
    int32_t Depth = 0;      // window end - index of that draw + 1; 0 = never occurred
    int32_t PrevDraw = 0;   // working field: the draw number merged last
    uint16_t PeriodMin = 0; // smallest gap between successive occurrences; 0 = none yet
    uint16_t PeriodMax = 0; // largest such gap; 0 = none yet
    int32_t Count = 0;      // occurrences in the window
    int32_t Norm = 0;       // expected count from the prefetch file; 0 when none
    TStatKey Key;           // the value itself
};

// A small counting map used inside one draw (numbers per channel, column, ...).
struct TStatSimpleItem {
    int32_t Key = 0;
    int32_t Count = 0;
};
using TStatSimpleArray = std::vector<TStatSimpleItem>;

// The distance since a value's previous occurrence, for the period methods.
struct TLastValueItem {
    int32_t LastDraw = 0;
    TStatKey Key;
};
using TLastValueArray = std::vector<TLastValueItem>;

// Scratch state that the serial and chain methods keep across the draws of
// one computation; zeroed once per computation. 828 bytes: 69 records of
// three 32-bit fields.
struct TStatWork {
    int32_t cells[207] = {};
};

// SummarizeItems: the table-wide figures the columns are computed from.
struct TStatSummary {
    int32_t minCount = INT32_MAX;  // smallest Count; INT32_MAX for an empty list
    int32_t maxCount = 0;          // largest Count
    int32_t maxDepth = 0;          // largest Depth
    int64_t total = 0;             // sum of all Counts
};

}  // namespace zircon
