#pragma once
// The combination-values family (group "num"): groups of two, three or four
// numbers of a draw taken as one value: every choice of positions (KNM),
// every run of neighbouring positions (KNS) or the run from a chosen
// position (KNP). The table shows which numbers came together how often;
// the filter keeps or drops the combinations holding a selected group.
//
// The groups follow positions (flag "S"): with the sorted switch off a
// draw's pair (40, 7) never equals a combination's (7, 40). No member has a
// norm, a graph or pre-seeded values.
#include "stats/families/Tuples.h"

namespace zircon {

class TCustomCombValuesStat : public TCustomStat {
public:
    using TCustomStat::TCustomStat;
};

// A group of Size numbers in the given shape.
template <TupleShape Shape, int Size>
class TCombValuesTupleStat : public TTupleStat<TCustomCombValuesStat> {
public:
    TCombValuesTupleStat(const StatClassInfo& cls, const TStatList& list, int32_t param)
        : TTupleStat<TCustomCombValuesStat>(cls, list, param, Shape, Size)
    {
    }
};

// KNM2..KNM4: every choice of r positions (10, 10 and 5 groups per draw).
class TstCombValMix2 final : public TCombValuesTupleStat<TupleShape::Mix, 2> {
public:
    static const StatClassInfo Class;
    using TCombValuesTupleStat<TupleShape::Mix, 2>::TCombValuesTupleStat;
};
class TstCombValMix3 final : public TCombValuesTupleStat<TupleShape::Mix, 3> {
public:
    static const StatClassInfo Class;
    using TCombValuesTupleStat<TupleShape::Mix, 3>::TCombValuesTupleStat;
};
class TstCombValMix4 final : public TCombValuesTupleStat<TupleShape::Mix, 4> {
public:
    static const StatClassInfo Class;
    using TCombValuesTupleStat<TupleShape::Mix, 4>::TCombValuesTupleStat;
};

// KNS2..KNS4: every run of r neighbouring positions (4, 3 and 2 per draw).
class TstCombValSeq2 final : public TCombValuesTupleStat<TupleShape::Seq, 2> {
public:
    static const StatClassInfo Class;
    using TCombValuesTupleStat<TupleShape::Seq, 2>::TCombValuesTupleStat;
};
class TstCombValSeq3 final : public TCombValuesTupleStat<TupleShape::Seq, 3> {
public:
    static const StatClassInfo Class;
    using TCombValuesTupleStat<TupleShape::Seq, 3>::TCombValuesTupleStat;
};
class TstCombValSeq4 final : public TCombValuesTupleStat<TupleShape::Seq, 4> {
public:
    static const StatClassInfo Class;
    using TCombValuesTupleStat<TupleShape::Seq, 4>::TCombValuesTupleStat;
};

// KNP2%d, KNP3%d, KNP4%d: the run of r positions starting at Param.
class TstCombValPos2 final : public TCombValuesTupleStat<TupleShape::Pos, 2> {
public:
    static const StatClassInfo Class;
    using TCombValuesTupleStat<TupleShape::Pos, 2>::TCombValuesTupleStat;
};
class TstCombValPos3 final : public TCombValuesTupleStat<TupleShape::Pos, 3> {
public:
    static const StatClassInfo Class;
    using TCombValuesTupleStat<TupleShape::Pos, 3>::TCombValuesTupleStat;
};
class TstCombValPos4 final : public TCombValuesTupleStat<TupleShape::Pos, 4> {
public:
    static const StatClassInfo Class;
    using TCombValuesTupleStat<TupleShape::Pos, 4>::TCombValuesTupleStat;
};

// KNO2..KNO4: listed in the registration table but not available, so never
// registered; kept so that the table's order stays whole.
class TstCombValSort2 final : public TCombValuesTupleStat<TupleShape::Mix, 2> {
public:
    static const StatClassInfo Class;
    using TCombValuesTupleStat<TupleShape::Mix, 2>::TCombValuesTupleStat;
};
class TstCombValSort3 final : public TCombValuesTupleStat<TupleShape::Mix, 3> {
public:
    static const StatClassInfo Class;
    using TCombValuesTupleStat<TupleShape::Mix, 3>::TCombValuesTupleStat;
};
class TstCombValSort4 final : public TCombValuesTupleStat<TupleShape::Mix, 4> {
public:
    static const StatClassInfo Class;
    using TCombValuesTupleStat<TupleShape::Mix, 4>::TCombValuesTupleStat;
};

}  // namespace zircon
