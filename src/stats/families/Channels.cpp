#include "stats/families/Channels.h"

#include <algorithm>
#include <utility>

#include "stats/TStatList.h"

namespace zircon {
namespace {

std::pair<int, int> channelRange(const TConfigData& config)
{
    return {1, partitionCount(config.ChannelSize)};
}

const char* const kMixTitle = ZT("Сочетания из %0:d каналов по всем числам тиража");
const char* const kSeqTitle = ZT("Сочетания из %0:d каналов по соседним числам");

}  // namespace

// ---------------------------------------------------------------- CHAN

const StatClassInfo TstChannels::Class = statClass<TstChannels>(StatClassInfo{
    .className = "TstChannels",
    .codeFormat = "CHAN",
    .titleFormat = ZT("Каналы"),
    .group = kChannelsGroup,
    .flags = kFlagNorm,
});

TstChannels::TstChannels(const StatClassInfo& cls, const TStatList& list, int32_t param)
    : TPartEachStat<TCustomChannelsStat>(cls, list, param)
{
    setPartition(channels());
    setMatchByByte(true);
}

QString TstChannels::ValueText(const TStatDrawItem& item) const
{
    return ChannelText(item.Key.B(1));
}

int32_t TstChannels::ParseValue(const QString& text) const
{
    return TCustomStat::ParseValue(text.section(u' ', 0, 0));
}

// ---------------------------------------------------------------- CHNV

const StatClassInfo TstChanValues::Class = statClass<TstChanValues>(StatClassInfo{
    .className = "TstChanValues",
    .codeFormat = "CHNV",
    .titleFormat = ZT("Количество чисел в канале"),
    .group = kChannelsGroup,
    .flags = kFlagNorm,
    .valueListSelectable = false,
});

TstChanValues::TstChanValues(const StatClassInfo& cls, const TStatList& list, int32_t param)
    : TPartCountsStat<TCustomChannelsStat>(cls, list, param)
{
    setPartition(channels());
    // A channel holds at most ChannelSize of the five numbers.
    setSeedMaxCount(std::min<int>(ChannelSize, kMainCount));
}

QString TstChanValues::ValueText(const TStatDrawItem& item) const
{
    return fmt(QStringLiteral("%0:s x %1:d"), ChannelText(item.Key.K(1)), int{item.Key.K(2)});
}

// ---------------------------------------------------------------- CHNC

const StatClassInfo TstChanCount::Class = statClass<TstChanCount>(StatClassInfo{
    .className = "TstChanCount",
    .codeFormat = "CHNC",
    .titleFormat = ZT("Количество каналов в тираже"),
    .group = kChannelsGroup,
    .flags = kFlagNorm,
});

TstChanCount::TstChanCount(const StatClassInfo& cls, const TStatList& list, int32_t param)
    : TPartDistinctStat<TCustomChannelsGraphStat>(cls, list, param)
{
    setPartition(channels());
    // The five numbers can occupy at most as many channels as there are:
    // with width 69 the only value is 1, with width 4 (18 channels) all of
    // 1..5 occur.
    setSeedTo(std::min(ChannelCount(), kMainCount));
}

// ---------------------------------------------------------------- CHN%d

const StatClassInfo TstChnValCnt::Class = statClass<TstChnValCnt>(StatClassInfo{
    .className = "TstChnValCnt",
    .codeFormat = "CHN%d",
    .titleFormat = ZT("Количество чисел в %0:d канале"),
    .helpCodeFormat = "CHNx",
    .group = kChannelsGroup,
    .flags = kFlagNorm,
    .paramRange = channelRange,
});

TstChnValCnt::TstChnValCnt(const StatClassInfo& cls, const TStatList& list, int32_t param)
    : TPartCountInStat<TCustomChannelsGraphStat>(cls, list, param)
{
    setPartition(channels());
    // 1..ChannelSize, as the table has always listed them; counts above 5
    // never occur and 0 is listed once it occurs.
    setSeedTo(ChannelSize);
}

// ---------------------------------------------------------------- KCM, KCS

const StatClassInfo TstCombChnMix2::Class =
    tupleClass<TstCombChnMix2, 2>("TstCombChnMix2", "KCM2", kMixTitle, kChannelsGroup);
const StatClassInfo TstCombChnMix3::Class =
    tupleClass<TstCombChnMix3, 3>("TstCombChnMix3", "KCM3", kMixTitle, kChannelsGroup);
const StatClassInfo TstCombChnMix4::Class =
    tupleClass<TstCombChnMix4, 4>("TstCombChnMix4", "KCM4", kMixTitle, kChannelsGroup);
const StatClassInfo TstCombChnSeq2::Class =
    tupleClass<TstCombChnSeq2, 2>("TstCombChnSeq2", "KCS2", kSeqTitle, kChannelsGroup);
const StatClassInfo TstCombChnSeq3::Class =
    tupleClass<TstCombChnSeq3, 3>("TstCombChnSeq3", "KCS3", kSeqTitle, kChannelsGroup);
const StatClassInfo TstCombChnSeq4::Class =
    tupleClass<TstCombChnSeq4, 4>("TstCombChnSeq4", "KCS4", kSeqTitle, kChannelsGroup);

}  // namespace zircon
