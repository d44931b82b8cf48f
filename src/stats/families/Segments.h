#pragma once
// The segments family (group "sgm"): the numbers 1..69 grouped into the
// segments the user draws on the matrix grid of the settings (1..9 per
// number, all in segment 1 until changed). The members count segments the
// way the channels family counts channels: the segments of the numbers, how
// many numbers each segment holds, how many segments a draw touches, the
// count in one chosen segment, and tuples of segments.
//
// Unlike channels, segments need not be contiguous or all in use: the
// tables list the segments in use in the order the numbers 1..69 reach them.
#include "stats/families/Partition.h"
#include "stats/families/Tuples.h"

namespace zircon {

// The segment map an instance copies from the settings when it is made.
template <class Root>
class TSegmentsLayout : public Root {
public:
    TSegmentsLayout(const StatClassInfo& cls, const TStatList& list, int32_t param)
        : Root(cls, list, param),
          Segments(sanitizedSegments(this->config().Segments)),
          m_segments(Partition::segments(Segments))
    {
    }

    // The segment of a number 1..69; 0 for anything else.
    int SegmentOf(int n) const { return n >= 0 && n < 256 ? m_segments.of[static_cast<size_t>(n)] : 0; }
    const Partition& segments() const { return m_segments; }

    // Entry n - 1 is the segment of number n, 1..9 (an entry outside it
    // reads as 1, as the settings file writes it).
    TSegmentMap Segments;

private:
    Partition m_segments;
};

class TCustomSegmentsStat : public TSegmentsLayout<TCustomNumbersStat> {
public:
    using TSegmentsLayout<TCustomNumbersStat>::TSegmentsLayout;
};

class TCustomSegmentsGraphStat : public TSegmentsLayout<TCustomGraphStat> {
public:
    using TSegmentsLayout<TCustomGraphStat>::TSegmentsLayout;
};

// SGMS: the segment of each of the five numbers; every segment in use is
// pre-seeded.
class TstSegments final : public TPartEachStat<TCustomSegmentsStat> {
public:
    static const StatClassInfo Class;
    TstSegments(const StatClassInfo& cls, const TStatList& list, int32_t param);
};

// SGMV: (segment, numbers in it) for every segment in use, "s x k".
class TstSegmValues final : public TPartCountsStat<TCustomSegmentsStat> {
public:
    static const StatClassInfo Class;
    TstSegmValues(const StatClassInfo& cls, const TStatList& list, int32_t param);
};

// SGMC: how many distinct segments the five numbers touch.
class TstSegmCount final : public TPartDistinctStat<TCustomSegmentsGraphStat> {
public:
    static const StatClassInfo Class;
    TstSegmCount(const StatClassInfo& cls, const TStatList& list, int32_t param);
};

// SGM%d: how many of the five numbers lie in segment Param.
class TstSgmValCnt final : public TPartCountInStat<TCustomSegmentsGraphStat> {
public:
    static const StatClassInfo Class;
    TstSgmValCnt(const StatClassInfo& cls, const TStatList& list, int32_t param);
};

// Tuples of the segments of r numbers.
template <TupleShape Shape, int Size>
class TSegmentTupleStat : public TTupleStat<TCustomSegmentsStat> {
public:
    TSegmentTupleStat(const StatClassInfo& cls, const TStatList& list, int32_t param)
        : TTupleStat<TCustomSegmentsStat>(cls, list, param, Shape, Size)
    {
        setValueMap(segments().of);
    }
};

// KGM2..KGM4: every choice of r positions; KGS2..KGS4: every run of r
// neighbouring positions.
class TstCombSegmMix2 final : public TSegmentTupleStat<TupleShape::Mix, 2> {
public:
    static const StatClassInfo Class;
    using TSegmentTupleStat<TupleShape::Mix, 2>::TSegmentTupleStat;
};
class TstCombSegmMix3 final : public TSegmentTupleStat<TupleShape::Mix, 3> {
public:
    static const StatClassInfo Class;
    using TSegmentTupleStat<TupleShape::Mix, 3>::TSegmentTupleStat;
};
class TstCombSegmMix4 final : public TSegmentTupleStat<TupleShape::Mix, 4> {
public:
    static const StatClassInfo Class;
    using TSegmentTupleStat<TupleShape::Mix, 4>::TSegmentTupleStat;
};
class TstCombSegmSeq2 final : public TSegmentTupleStat<TupleShape::Seq, 2> {
public:
    static const StatClassInfo Class;
    using TSegmentTupleStat<TupleShape::Seq, 2>::TSegmentTupleStat;
};
class TstCombSegmSeq3 final : public TSegmentTupleStat<TupleShape::Seq, 3> {
public:
    static const StatClassInfo Class;
    using TSegmentTupleStat<TupleShape::Seq, 3>::TSegmentTupleStat;
};
class TstCombSegmSeq4 final : public TSegmentTupleStat<TupleShape::Seq, 4> {
public:
    static const StatClassInfo Class;
    using TSegmentTupleStat<TupleShape::Seq, 4>::TSegmentTupleStat;
};

}  // namespace zircon
