#pragma once
// The channels family (group "grp"): the range 1..69 cut into consecutive
// channels of equal width (ChannelSize of the settings), and which channels
// a draw's numbers fall into: the channels themselves, how many numbers each
// channel holds, how many channels a draw occupies, the count in one chosen
// channel, and tuples of channels of two to four numbers.
//
// The counting members are the shared partition members of Partition.h over
// the channels; the tuples are those of Tuples.h with each number standing
// for its channel.
#include "stats/families/Partition.h"
#include "stats/families/Tuples.h"

namespace zircon {

// The channel width an instance copies from the settings when it is made.
template <class Root>
class TChannelsLayout : public Root {
public:
    TChannelsLayout(const StatClassInfo& cls, const TStatList& list, int32_t param)
        : Root(cls, list, param),
          ChannelSize(static_cast<uint8_t>(partitionWidth(this->config().ChannelSize))),
          m_channels(Partition::channels(ChannelSize))
    {
    }

    // The channel of a number 1..69: ceil(n / ChannelSize); 0 for anything else.
    int ChannelOf(int n) const { return n >= 0 && n < 256 ? m_channels.of[static_cast<size_t>(n)] : 0; }
    // Channels run 1..ChannelCount().
    int ChannelCount() const { return m_channels.highest; }
    // "03 [21-30]": the last channel's bound is not cut at 69 ("07 [61-70]").
    QString ChannelText(int c) const
    {
        return fmt(QStringLiteral("%.2d [%s-%s]"), c, QString::number(ChannelSize * (c - 1) + 1),
                   QString::number(c * ChannelSize));
    }
    const Partition& channels() const { return m_channels; }

    uint8_t ChannelSize;  // 1..69

private:
    Partition m_channels;
};

class TCustomChannelsStat : public TChannelsLayout<TCustomNumbersStat> {
public:
    using TChannelsLayout<TCustomNumbersStat>::TChannelsLayout;
};

class TCustomChannelsGraphStat : public TChannelsLayout<TCustomGraphStat> {
public:
    using TChannelsLayout<TCustomGraphStat>::TChannelsLayout;
};

// CHAN: the channel of each of the five numbers, in B1. Every channel is
// pre-seeded; the value reads "01 [1-10]".
class TstChannels final : public TPartEachStat<TCustomChannelsStat> {
public:
    static const StatClassInfo Class;
    TstChannels(const StatClassInfo& cls, const TStatList& list, int32_t param);

    QString ValueText(const TStatDrawItem& item) const override;
    // The text up to the first blank: "01 [1-10]" gives 1.
    int32_t ParseValue(const QString& text) const override;
};

// CHNV: (channel, numbers in it) for every channel, zero counts included:
// "03 [21-30] x 2".
class TstChanValues final : public TPartCountsStat<TCustomChannelsStat> {
public:
    static const StatClassInfo Class;
    TstChanValues(const StatClassInfo& cls, const TStatList& list, int32_t param);

    QString ValueText(const TStatDrawItem& item) const override;
};

// CHNC: how many distinct channels the five numbers occupy.
class TstChanCount final : public TPartDistinctStat<TCustomChannelsGraphStat> {
public:
    static const StatClassInfo Class;
    TstChanCount(const StatClassInfo& cls, const TStatList& list, int32_t param);
};

// CHN%d: how many of the five numbers lie in channel Param.
class TstChnValCnt final : public TPartCountInStat<TCustomChannelsGraphStat> {
public:
    static const StatClassInfo Class;
    TstChnValCnt(const StatClassInfo& cls, const TStatList& list, int32_t param);
};

// Tuples of the channels of r numbers, each number standing for its channel.
template <TupleShape Shape, int Size>
class TChannelTupleStat : public TTupleStat<TCustomChannelsStat> {
public:
    TChannelTupleStat(const StatClassInfo& cls, const TStatList& list, int32_t param)
        : TTupleStat<TCustomChannelsStat>(cls, list, param, Shape, Size)
    {
        setValueMap(channels().of);
    }
};

// KCM2..KCM4: every choice of r positions; KCS2..KCS4: every run of r
// neighbouring positions.
class TstCombChnMix2 final : public TChannelTupleStat<TupleShape::Mix, 2> {
public:
    static const StatClassInfo Class;
    using TChannelTupleStat<TupleShape::Mix, 2>::TChannelTupleStat;
};
class TstCombChnMix3 final : public TChannelTupleStat<TupleShape::Mix, 3> {
public:
    static const StatClassInfo Class;
    using TChannelTupleStat<TupleShape::Mix, 3>::TChannelTupleStat;
};
class TstCombChnMix4 final : public TChannelTupleStat<TupleShape::Mix, 4> {
public:
    static const StatClassInfo Class;
    using TChannelTupleStat<TupleShape::Mix, 4>::TChannelTupleStat;
};
class TstCombChnSeq2 final : public TChannelTupleStat<TupleShape::Seq, 2> {
public:
    static const StatClassInfo Class;
    using TChannelTupleStat<TupleShape::Seq, 2>::TChannelTupleStat;
};
class TstCombChnSeq3 final : public TChannelTupleStat<TupleShape::Seq, 3> {
public:
    static const StatClassInfo Class;
    using TChannelTupleStat<TupleShape::Seq, 3>::TChannelTupleStat;
};
class TstCombChnSeq4 final : public TChannelTupleStat<TupleShape::Seq, 4> {
public:
    static const StatClassInfo Class;
    using TChannelTupleStat<TupleShape::Seq, 4>::TChannelTupleStat;
};

}  // namespace zircon
