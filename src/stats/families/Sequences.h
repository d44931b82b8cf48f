#pragma once
// The sequences family (group "seq"): runs of consecutive numbers inside one
// draw. Taking the five numbers in position order, a run is a maximal stretch
// in which every number is exactly one more than the number before it, so
// 1 2 3 10 20 has the runs 3, 1 and 1 and the run lengths always add up to 5.
// A step of -1 does not continue a run in the tables and filters; only the
// graphs also join descending neighbours (9 8 7 drawn in that order).
//
// Every member states its values once, in CombKeys. The prepared filters use
// that a combination's runs depend only on which of its four neighbouring
// steps are +1: the selection becomes an answer for each of the 16 step
// patterns, so testing a combination costs four comparisons and one lookup.
#include <cstdint>

#include "stats/TCustomStat.h"

namespace zircon {

// Bit i (0..3) is set when the number at position i + 2 continues the run of
// the number at position i + 1: one more than it, or, with `bothWays`, also
// one less. Bytes outside 1..69 take part like any other value.
uint32_t sequenceSteps(const uint8_t* nums, bool bothWays);
// The run lengths of a step pattern, left to right; returns how many runs.
int sequenceRuns(uint32_t steps, int (&lengths)[kMainCount]);

// SEQL: the length of every run, left to right (1 2 3 10 20 gives 3, 1, 1).
class TstSequenceLen : public TCustomNumbersStat {
public:
    static const StatClassInfo Class;
    using TCustomNumbersStat::TCustomNumbersStat;

    void BeginStat(int end, TStatDrawArray& items) override;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// SEQS: how many runs of two or more numbers the draw holds (0..2).
class TstSequenceCnt : public TCustomGraphStat {
public:
    static const StatClassInfo Class;
    using TCustomGraphStat::TCustomGraphStat;

    void BeginStat(int end, TStatDrawArray& items) override;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    // The same count with descending neighbours joined as well.
    int32_t CombGraphValue(const uint8_t* nums, int index, int end, bool sorted) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

// LENS: the length of the longest run (1..5).
class TstSequenceLenMax : public TCustomGraphStat {
public:
    static const StatClassInfo Class;
    using TCustomGraphStat::TCustomGraphStat;

    void BeginStat(int end, TStatDrawArray& items) override;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    // The longest run with descending neighbours joined as well.
    int32_t CombGraphValue(const uint8_t* nums, int index, int end, bool sorted) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;
};

}  // namespace zircon
