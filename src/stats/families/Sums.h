#pragma once
// The sums family (group "sum"): the sum of the five main numbers of a draw,
// whether it falls into one of three fixed bands, the sums of the even and
// of the prime numbers only, how many pairs of numbers add up to a third,
// and how the sum moved from the draw before.
//
// The members that look at one draw state their values once, in CombKeys.
// The three members that compare two draws (flag "D": SUMC, SUMV, SUMT) read
// the sum of the draw before (index - 1, a zero draw before the archive) and
// the reference sum of the window's last draw, loaded as SecondDraw; their
// AddDrawValues state the draw's value, and their CombKeys the value a
// combination would take as the draw after the window's last one.
//
// Every sum is taken over the five bytes as they are, so a combination a
// file filled with anything sums to 0..1275; every prepared table covers
// that whole range and gives the answer CombMatches gives.
#include "stats/TCustomStat.h"

namespace zircon {

// SUMS: the sum itself, in L1; every sum 15..335 is listed.
class TstSumValues : public TCustomGraphStat {
public:
    static const StatClassInfo Class;
    using TCustomGraphStat::TCustomGraphStat;

    QString ValueText(const TStatDrawItem& item) const override;
    void BeginStat(int end, TStatDrawArray& items) override;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// SUM%d: 1 when the sum lies in band Param (both bounds included), else 0.
// A Param outside 1..3 (never registered) has no band: every sum is outside.
class TstSumRanges : public TCustomGraphStat {
public:
    static const StatClassInfo Class;
    using TCustomGraphStat::TCustomGraphStat;

    QString ValueText(const TStatDrawItem& item) const override;
    void BeginStat(int end, TStatDrawArray& items) override;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    // A combination matches when its own value, inside or outside, is
    // selected: selecting both rows keeps everything, selecting none nothing.
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// SUMC: after every draw whose sum equalled the last draw's sum, the sum that
// followed it: L1 = that earlier sum, L2 = the following one.
class TstSumChange : public TCustomGraphStat {
public:
    static const StatClassInfo Class;
    using TCustomGraphStat::TCustomGraphStat;

    QString ValueText(const TStatDrawItem& item) const override;
    void AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork& work,
                       TLastValueArray& last) override;
    // {reference sum, the combination's sum}.
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    // The combination's sum is one of the selected following sums.
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    // The sum of the numbers minus the sum of draw index - 1.
    int32_t CombGraphValue(const uint8_t* nums, int index, int end, bool sorted) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// SUMV: the change of the sum after every draw whose sum lay within 32 of the
// last draw's sum, as a signed 32-bit L1.
class TstSumChangeSome : public TCustomStat {
public:
    static const StatClassInfo Class;
    using TCustomStat::TCustomStat;

    QString ValueText(const TStatDrawItem& item) const override;
    void AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork& work,
                       TLastValueArray& last) override;
    // The combination's sum minus the reference sum.
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// SUMT: the direction the sum took after every draw whose sum equalled the
// last draw's sum: 1 up, -1 down, 0 the same (signed 32-bit L1).
class TstSumTrend : public TCustomGraphStat {
public:
    static const StatClassInfo Class;
    using TCustomGraphStat::TCustomGraphStat;

    QString ValueText(const TStatDrawItem& item) const override;
    void BeginStat(int end, TStatDrawArray& items) override;
    void AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork& work,
                       TLastValueArray& last) override;
    // The direction from the reference sum to the combination's sum.
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    // The direction from the sum of draw index - 1 to the sum of the numbers.
    int32_t CombGraphValue(const uint8_t* nums, int index, int end, bool sorted) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// SUME: the sum of the even numbers only; 0 when none is even.
class TstSumEvenValues : public TCustomGraphStat {
public:
    static const StatClassInfo Class;
    using TCustomGraphStat::TCustomGraphStat;

    QString ValueText(const TStatDrawItem& item) const override;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// SUMP: the sum of the prime numbers only (1 counted as prime); 0 when none.
class TstSumPrimeValues : public TCustomGraphStat {
public:
    static const StatClassInfo Class;
    using TCustomGraphStat::TCustomGraphStat;

    QString ValueText(const TStatDrawItem& item) const override;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// S2T3: how many triples of positions hold two numbers and their sum.
class TstSum2To3 : public TCustomGraphStat {
public:
    static const StatClassInfo Class;
    using TCustomGraphStat::TCustomGraphStat;

    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

}  // namespace zircon
