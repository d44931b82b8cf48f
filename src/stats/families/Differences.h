#pragma once
// The differences family (group "dif"): the gaps between the numbers of a
// draw taken in position order. A difference is always |n_i - n_(i+1)| for
// the neighbouring positions i = 1..4 (drawn order, or ascending with the
// sorted switch on; combinations in the order they are stored), so every
// member except DIFD follows positions.
//
// Every member states its values once, in CombKeys; draws, combinations,
// the prefetch build and the graphs all go through it. CombMatches is the
// plain test of one combination against the selected items, kept as the
// reference; PrepareFilter turns the same selection once into byte tables
// or a key set. A combination read from a file may hold any bytes, so its
// differences run 0..255 and every table covers that whole range.
#include "stats/TCustomStat.h"

namespace zircon {

// DIFA: the four differences d_1..d_4, four values per draw. Only the first
// value of a draw widens the gap range of its row, so the periods read as
// gaps between draws, not between positions of one draw.
class TstDiffTotal : public TCustomNumbersStat {
public:
    static const StatClassInfo Class;
    using TCustomNumbersStat::TCustomNumbersStat;

    void BeginStat(int end, TStatDrawArray& items) override;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    void AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork& work,
                       TLastValueArray& last) override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// DIFM: the largest of the four differences.
class TstDiffMax : public TCustomGraphStat {
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

// DIFD: the largest number minus the smallest, whatever their order.
class TstMinMaxDiffs : public TCustomGraphStat {
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

// DIFO: each distinct difference with how many of the four equal it
// (K1 = d, K2 = multiplicity), in order of first appearance; "3 x 2".
class TstDiffSame : public TCustomStat {
public:
    static const StatClassInfo Class;
    using TCustomStat::TCustomStat;

    QString ValueText(const TStatDrawItem& item) const override;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// DIFK: the largest multiplicity among the four differences, 1 when all
// differ and 4 when all are equal.
class TstDiffSameCnt : public TCustomGraphStat {
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

// KDS2..KDS4: the runs of `runLength` neighbouring differences, starting at
// d_1, d_2, ...; each run is one value with its differences in K1..Kr and
// the other parts 0, shown "3:7:3". As with DIFA, only the first run of a
// draw widens the gap range of its row. No norm and nothing pre-seeded.
class TCustomDiffSeqStat : public TCustomStat {
public:
    TCustomDiffSeqStat(const StatClassInfo& cls, const TStatList& list, int32_t param, int runLength);

    int runLength() const { return m_runLength; }

    QString ValueText(const TStatDrawItem& item) const override;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    void AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork& work,
                       TLastValueArray& last) override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;

private:
    int m_runLength;
};

class TstCombDiffSeq2 : public TCustomDiffSeqStat {
public:
    static const StatClassInfo Class;
    TstCombDiffSeq2(const StatClassInfo& cls, const TStatList& list, int32_t param)
        : TCustomDiffSeqStat(cls, list, param, 2)
    {
    }
};

class TstCombDiffSeq3 : public TCustomDiffSeqStat {
public:
    static const StatClassInfo Class;
    TstCombDiffSeq3(const StatClassInfo& cls, const TStatList& list, int32_t param)
        : TCustomDiffSeqStat(cls, list, param, 3)
    {
    }
};

class TstCombDiffSeq4 : public TCustomDiffSeqStat {
public:
    static const StatClassInfo Class;
    TstCombDiffSeq4(const StatClassInfo& cls, const TStatList& list, int32_t param)
        : TCustomDiffSeqStat(cls, list, param, 4)
    {
    }
};

}  // namespace zircon
