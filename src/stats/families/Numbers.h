#pragma once
// The numbers family (group "num"): the methods that look at the five main
// numbers of a draw one by one: which numbers were drawn, their decimal
// digits, how many are even, small or prime and at which positions, the
// number at a given position, and the extra number.
//
// Every member states its values once, in CombKeys; draws, combinations,
// the prefetch build and the graphs all go through it. CombMatches is the
// plain test of one combination against the selected items, kept as the
// reference; PrepareFilter turns the same selection once into a lookup table
// so that a pass over the full set costs a few instructions per combination.
// Both read the combination's numbers in the order they are stored, and the
// tables cover every byte value, so a combination read from a file with an
// out-of-range number gets the same answer from both.
#include "stats/TCustomStat.h"

namespace zircon {

// NUMS: the five numbers themselves, five values per draw.
class TstValues : public TCustomValuesStat {
public:
    static const StatClassInfo Class;
    using TCustomValuesStat::TCustomValuesStat;

    void BeginStat(int end, TStatDrawArray& items) override;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// DIGS: every decimal digit of every number, numbers first to last and
// digits left to right, so 33 gives the digit 3 twice.
class TstDigits : public TCustomNumbersStat {
public:
    static const StatClassInfo Class;
    using TCustomNumbersStat::TCustomNumbersStat;

    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// EVEN: how many of the five numbers are even, shown "c:5-c".
class TstEvenCount : public TCustomRatioStat {
public:
    static const StatClassInfo Class;
    using TCustomRatioStat::TCustomRatioStat;

    void BeginStat(int end, TStatDrawArray& items) override;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// EVNV: which positions hold an odd number, as a 5-bit mask (a set bit is odd).
class TstEvenValues : public TCustomMaskStat {
public:
    static const StatClassInfo Class;
    using TCustomMaskStat::TCustomMaskStat;

    QString ZeroSymbol() const override;
    QString OneSymbol() const override;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// SMAL: how many of the five numbers lie in the first half of the range (<= 34).
class TstSmallCount : public TCustomRatioStat {
public:
    static const StatClassInfo Class;
    using TCustomRatioStat::TCustomRatioStat;

    void BeginStat(int end, TStatDrawArray& items) override;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// SMLV: which positions hold a large number (>= 35), as a 5-bit mask. Its
// table lists only the masks that occurred, so BeginStat seeds nothing.
class TstSmallValues : public TCustomMaskStat {
public:
    static const StatClassInfo Class;
    using TCustomMaskStat::TCustomMaskStat;

    QString ZeroSymbol() const override;
    QString OneSymbol() const override;
    // Does nothing at all: no pre-seeded masks.
    void BeginStat(int end, TStatDrawArray& items) override;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// PRIM: how many of the five numbers are prime, 1 counted as prime.
class TstPrimeCount : public TCustomRatioStat {
public:
    static const StatClassInfo Class;
    using TCustomRatioStat::TCustomRatioStat;

    void BeginStat(int end, TStatDrawArray& items) override;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// PRMV: which positions hold a prime number, as a 5-bit mask.
class TstPrimeValues : public TCustomMaskStat {
public:
    static const StatClassInfo Class;
    using TCustomMaskStat::TCustomMaskStat;

    QString ZeroSymbol() const override;
    QString OneSymbol() const override;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// POS%d: the number at position Param (1..5). With the sorted switch on a
// draw's position 1 holds its smallest number; combinations are ascending.
// A Param outside 1..5 (never registered) yields no value and matches nothing.
class TstPosVal : public TCustomGraphStat {
public:
    static const StatClassInfo Class;
    using TCustomGraphStat::TCustomGraphStat;

    void BeginStat(int end, TStatDrawArray& items) override;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// POE%d: the extra number of a draw, for the table and the graph only.
// Combinations have no extra number, so they add no value and never match.
class TstPosExt : public TCustomGraphStat {
public:
    static const StatClassInfo Class;
    using TCustomGraphStat::TCustomGraphStat;

    void AddCombValues(const TComb& comb, TStatDrawArray& items) override;
    void AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork& work,
                       TLastValueArray& last) override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    // Ignores the numbers: the extra number of the draw at `index`.
    int32_t CombGraphValue(const uint8_t* nums, int index, int end, bool sorted) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

}  // namespace zircon
