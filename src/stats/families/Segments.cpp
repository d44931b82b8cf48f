#include "stats/families/Segments.h"

#include <algorithm>
#include <utility>

#include "stats/TStatList.h"

namespace zircon {
namespace {

// From the smallest to the largest segment in the map (1..1 with the
// default map), read the way the instances read it.
std::pair<int, int> segmentRange(const TConfigData& config)
{
    const TSegmentMap map = sanitizedSegments(config.Segments);
    const auto [low, high] = std::minmax_element(map.begin(), map.end());
    return {*low, *high};
}

const char* const kMixTitle = ZT("Сочетания из %0:d сегментов по всем числам тиража");
const char* const kSeqTitle = ZT("Сочетания из %0:d сегментов по соседним числам");

}  // namespace

const StatClassInfo TstSegments::Class = statClass<TstSegments>(StatClassInfo{
    .className = "TstSegments",
    .codeFormat = "SGMS",
    .titleFormat = ZT("Сегменты матрицы"),
    .group = kSegmentsGroup,
    .flags = kFlagNorm,
});

TstSegments::TstSegments(const StatClassInfo& cls, const TStatList& list, int32_t param)
    : TPartEachStat<TCustomSegmentsStat>(cls, list, param)
{
    setPartition(segments());
}

const StatClassInfo TstSegmValues::Class = statClass<TstSegmValues>(StatClassInfo{
    .className = "TstSegmValues",
    .codeFormat = "SGMV",
    .titleFormat = ZT("Количество чисел в сегменте матрицы"),
    .group = kSegmentsGroup,
    .flags = kFlagNorm,
    .valueListSelectable = false,
});

TstSegmValues::TstSegmValues(const StatClassInfo& cls, const TStatList& list, int32_t param)
    : TPartCountsStat<TCustomSegmentsStat>(cls, list, param)
{
    setPartition(segments());
}

const StatClassInfo TstSegmCount::Class = statClass<TstSegmCount>(StatClassInfo{
    .className = "TstSegmCount",
    .codeFormat = "SGMC",
    .titleFormat = ZT("Количество не пустых сегментов в матрице"),
    .group = kSegmentsGroup,
    .flags = kFlagNorm,
});

TstSegmCount::TstSegmCount(const StatClassInfo& cls, const TStatList& list, int32_t param)
    : TPartDistinctStat<TCustomSegmentsGraphStat>(cls, list, param)
{
    setPartition(segments());
}

const StatClassInfo TstSgmValCnt::Class = statClass<TstSgmValCnt>(StatClassInfo{
    .className = "TstSgmValCnt",
    .codeFormat = "SGM%d",
    .titleFormat = ZT("Количество чисел в %0:d сегменте матрицы"),
    .helpCodeFormat = "SGMx",
    .group = kSegmentsGroup,
    .flags = kFlagNorm,
    .paramRange = segmentRange,
});

TstSgmValCnt::TstSgmValCnt(const StatClassInfo& cls, const TStatList& list, int32_t param)
    : TPartCountInStat<TCustomSegmentsGraphStat>(cls, list, param)
{
    setPartition(segments());
}

const StatClassInfo TstCombSegmMix2::Class =
    tupleClass<TstCombSegmMix2, 2>("TstCombSegmMix2", "KGM2", kMixTitle, kSegmentsGroup);
const StatClassInfo TstCombSegmMix3::Class =
    tupleClass<TstCombSegmMix3, 3>("TstCombSegmMix3", "KGM3", kMixTitle, kSegmentsGroup);
const StatClassInfo TstCombSegmMix4::Class =
    tupleClass<TstCombSegmMix4, 4>("TstCombSegmMix4", "KGM4", kMixTitle, kSegmentsGroup);
const StatClassInfo TstCombSegmSeq2::Class =
    tupleClass<TstCombSegmSeq2, 2>("TstCombSegmSeq2", "KGS2", kSeqTitle, kSegmentsGroup);
const StatClassInfo TstCombSegmSeq3::Class =
    tupleClass<TstCombSegmSeq3, 3>("TstCombSegmSeq3", "KGS3", kSeqTitle, kSegmentsGroup);
const StatClassInfo TstCombSegmSeq4::Class =
    tupleClass<TstCombSegmSeq4, 4>("TstCombSegmSeq4", "KGS4", kSeqTitle, kSegmentsGroup);

}  // namespace zircon
