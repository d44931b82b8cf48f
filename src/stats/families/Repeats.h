#pragma once
// The repeats family (group "rep"): numbers that come back from one draw to a
// later one. For a window ending at draw K, D(j) is the set of the numbers of
// draw j and L = D(K) its last draw. The "values" members count, over the
// window, how often a (shifted) number of L that was in draw i - d came up
// again in draw i; the "count" members count how many numbers draw i shares
// with earlier draws, and test a candidate combination as the draw that
// follows the window.
//
// Only the numbers 1..69 are ever members of D(j): a draw before the archive
// reads as five zeros and a damaged record may hold 0 or more than 69, and
// neither may make a number a repeat out of nothing (shifting 0 by +1 would
// give 1). Combinations, on the other hand, are tested byte by byte as they
// are stored, and every table covers all 256 byte values.
//
// None of these values depends on the state kept across draws (TStatWork);
// they depend on the draws only. Combinations yield no value of their own
// (the members have no full-set norm).
#include <cstdint>

#include "stats/TCustomStat.h"

namespace zircon {

// Moves n by s around the circle 1..69: Shift(69, +1) = 1, Shift(1, -2) = 68.
// For n in 1..69 and s in -68..68 the result is again in 1..69.
int shiftNumber(int n, int s);

// The members that take their values from the last draw of the window and
// look `Distance` draws back, each number moved by `Shift`. BeginStat seeds
// the shifted numbers of the last draw; a past draw i merges each shifted
// number x of draw i - Distance that is also a shifted number of the last
// draw and a number of draw i.
class TCustomRepValues2Stat : public TCustomValuesStat {
public:
    using TCustomValuesStat::TCustomValuesStat;

    virtual int32_t Shift() const = 0;
    virtual int32_t Distance() const = 0;

    void BeginStat(int end, TStatDrawArray& items) override;
    void AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork& work,
                       TLastValueArray& last) override;
    // True when any of the five numbers is a selected value.
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// The members that count how many numbers of draw i - Distance, moved by
// `Shift`, draw i holds. A candidate combination is counted against the draw
// that stands Distance draws before the draw following the window.
class TCustomRepCount2Stat : public TCustomNumbersStat {
public:
    using TCustomNumbersStat::TCustomNumbersStat;

    virtual int32_t Shift() const = 0;
    virtual int32_t Distance() const = 0;

    void BeginStat(int end, TStatDrawArray& items) override;
    void AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork& work,
                       TLastValueArray& last) override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// A values member with its shift and distance fixed.
template <int32_t kShift, int32_t kDistance>
class TRepValues2Stat : public TCustomRepValues2Stat {
public:
    using TCustomRepValues2Stat::TCustomRepValues2Stat;
    int32_t Shift() const override { return kShift; }
    int32_t Distance() const override { return kDistance; }
};

// A count member with its shift and distance fixed.
template <int32_t kShift, int32_t kDistance>
class TRepCount2Stat : public TCustomRepCount2Stat {
public:
    using TCustomRepCount2Stat::TCustomRepCount2Stat;
    int32_t Shift() const override { return kShift; }
    int32_t Distance() const override { return kDistance; }
};

// ---------------------------------------------------------------- values

// RPV2: numbers of the last draw that were in two draws in a row.
class TstRepValues2 final : public TRepValues2Stat<0, 1> {
public:
    static const StatClassInfo Class;
    using TRepValues2Stat::TRepValues2Stat;
};

// PRV2O1..PRV2O3: the same with one to three draws between the two.
class TstRepValues2over1 final : public TRepValues2Stat<0, 2> {
public:
    static const StatClassInfo Class;
    using TRepValues2Stat::TRepValues2Stat;
};

class TstRepValues2over2 final : public TRepValues2Stat<0, 3> {
public:
    static const StatClassInfo Class;
    using TRepValues2Stat::TRepValues2Stat;
};

class TstRepValues2over3 final : public TRepValues2Stat<0, 4> {
public:
    static const StatClassInfo Class;
    using TRepValues2Stat::TRepValues2Stat;
};

// PRV+1, PRV-1, PRV+2, PRV-2: the numbers of the previous draw moved by the
// shift that came up in the draw after it.
class TstRepValues2P1 final : public TRepValues2Stat<+1, 1> {
public:
    static const StatClassInfo Class;
    using TRepValues2Stat::TRepValues2Stat;
};

class TstRepValues2N1 final : public TRepValues2Stat<-1, 1> {
public:
    static const StatClassInfo Class;
    using TRepValues2Stat::TRepValues2Stat;
};

class TstRepValues2P2 final : public TRepValues2Stat<+2, 1> {
public:
    static const StatClassInfo Class;
    using TRepValues2Stat::TRepValues2Stat;
};

class TstRepValues2N2 final : public TRepValues2Stat<-2, 1> {
public:
    static const StatClassInfo Class;
    using TRepValues2Stat::TRepValues2Stat;
};

// RPV3: numbers of the last draw that were in three draws in a row
// (draws i - 2, i - 1 and i).
class TstRepValues3 : public TCustomValuesStat {
public:
    static const StatClassInfo Class;
    using TCustomValuesStat::TCustomValuesStat;

    void BeginStat(int end, TStatDrawArray& items) override;
    void AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork& work,
                       TLastValueArray& last) override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// PRL2: numbers of the last draw that were in exactly two draws in a row:
// in draws i - 1 and i but not in draw i - 2.
class TstRepValues2B3 : public TCustomValuesStat {
public:
    static const StatClassInfo Class;
    using TCustomValuesStat::TCustomValuesStat;

    void BeginStat(int end, TStatDrawArray& items) override;
    void AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork& work,
                       TLastValueArray& last) override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// ---------------------------------------------------------------- counts

// RPC2: how many numbers a draw shares with the draw before it.
class TstRepCount2 final : public TRepCount2Stat<0, 1> {
public:
    static const StatClassInfo Class;
    using TRepCount2Stat::TRepCount2Stat;
};

// RPO1, PRC2O2, PRC2O3: the same with one to three draws between the two.
class TstRepCount2over1 final : public TRepCount2Stat<0, 2> {
public:
    static const StatClassInfo Class;
    using TRepCount2Stat::TRepCount2Stat;
};

class TstRepCount2over2 final : public TRepCount2Stat<0, 3> {
public:
    static const StatClassInfo Class;
    using TRepCount2Stat::TRepCount2Stat;
};

class TstRepCount2over3 final : public TRepCount2Stat<0, 4> {
public:
    static const StatClassInfo Class;
    using TRepCount2Stat::TRepCount2Stat;
};

// PRC+1, PRC-1, PRC+2, PRC-2: how many numbers of the previous draw, moved
// by the shift, a draw holds.
class TstRepCount2P1 final : public TRepCount2Stat<+1, 1> {
public:
    static const StatClassInfo Class;
    using TRepCount2Stat::TRepCount2Stat;
};

class TstRepCount2N1 final : public TRepCount2Stat<-1, 1> {
public:
    static const StatClassInfo Class;
    using TRepCount2Stat::TRepCount2Stat;
};

class TstRepCount2P2 final : public TRepCount2Stat<+2, 1> {
public:
    static const StatClassInfo Class;
    using TRepCount2Stat::TRepCount2Stat;
};

class TstRepCount2N2 final : public TRepCount2Stat<-2, 1> {
public:
    static const StatClassInfo Class;
    using TRepCount2Stat::TRepCount2Stat;
};

// RPC3: how many numbers of a draw were also in each of the two draws
// before it. A candidate combination is counted against the last two draws
// of the window.
class TstRepCount3 : public TCustomNumbersStat {
public:
    static const StatClassInfo Class;
    using TCustomNumbersStat::TCustomNumbersStat;

    void BeginStat(int end, TStatDrawArray& items) override;
    void AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork& work,
                       TLastValueArray& last) override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// PRB2: how many numbers of a draw were in the draw before it but not in the
// one before that.
class TstRepCount2B3 : public TCustomNumbersStat {
public:
    static const StatClassInfo Class;
    using TCustomNumbersStat::TCustomNumbersStat;

    void BeginStat(int end, TStatDrawArray& items) override;
    void AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork& work,
                       TLastValueArray& last) override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

}  // namespace zircon
