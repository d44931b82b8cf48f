#include "stats/families/CombValues.h"

#include "core/Format.h"
#include "core/Tr.h"
#include "core/Types.h"

namespace zircon {
namespace {

// The title patterns carry the group size, not a parameter.
template <int Size>
QString sizedTitle(const char* titleFormat, int32_t)
{
    return fmt(tr(titleFormat), Size);
}

template <int Size>
std::pair<int, int> startRange(const TConfigData&)
{
    return {1, kMainCount + 1 - Size};
}

template <class T>
StatClassInfo combValuesClass(const char* className, const char* code, const char* title,
                              StatClassInfo::TitleFn titleFn, StatClassInfo::ParamRangeFn range,
                              const char* helpCode = "", bool available = true)
{
    return statClass<T>(StatClassInfo{
        .className = className,
        .codeFormat = code,
        .titleFormat = title,
        .helpCodeFormat = helpCode,
        .group = 0,
        .flags = kFlagSorted,
        .available = available,
        .valueListSelectable = false,
        .paramRange = range,
        .titleFn = titleFn,
    });
}

const char* const kMixTitle = ZT("Сочетания из %0:d чисел по всем числам тиража");
const char* const kSeqTitle = ZT("Сочетания из %0:d соседних чисел тиража");
const char* const kSortTitle = ZT("Сочетания из %0:d чисел тиража по возрастанию");

}  // namespace

const StatClassInfo TstCombValMix2::Class =
    combValuesClass<TstCombValMix2>("TstCombValMix2", "KNM2", kMixTitle, sizedTitle<2>, nullptr);
const StatClassInfo TstCombValMix3::Class =
    combValuesClass<TstCombValMix3>("TstCombValMix3", "KNM3", kMixTitle, sizedTitle<3>, nullptr);
const StatClassInfo TstCombValMix4::Class =
    combValuesClass<TstCombValMix4>("TstCombValMix4", "KNM4", kMixTitle, sizedTitle<4>, nullptr);

const StatClassInfo TstCombValSeq2::Class =
    combValuesClass<TstCombValSeq2>("TstCombValSeq2", "KNS2", kSeqTitle, sizedTitle<2>, nullptr);
const StatClassInfo TstCombValSeq3::Class =
    combValuesClass<TstCombValSeq3>("TstCombValSeq3", "KNS3", kSeqTitle, sizedTitle<3>, nullptr);
const StatClassInfo TstCombValSeq4::Class =
    combValuesClass<TstCombValSeq4>("TstCombValSeq4", "KNS4", kSeqTitle, sizedTitle<4>, nullptr);

const StatClassInfo TstCombValPos2::Class = combValuesClass<TstCombValPos2>(
    "TstCombValPos2", "KNP2%d", ZT("Сочетания из 2-х чисел тиража начиная с %0:d позиции"), nullptr,
    startRange<2>, "KNP2");
const StatClassInfo TstCombValPos3::Class = combValuesClass<TstCombValPos3>(
    "TstCombValPos3", "KNP3%d", ZT("Сочетания из 3-х чисел тиража начиная с %0:d позиции"), nullptr,
    startRange<3>, "KNP3");
const StatClassInfo TstCombValPos4::Class = combValuesClass<TstCombValPos4>(
    "TstCombValPos4", "KNP4%d", ZT("Сочетания из 4-х чисел тиража начиная с %0:d позиции"), nullptr,
    startRange<4>, "KNP4");

const StatClassInfo TstCombValSort2::Class =
    combValuesClass<TstCombValSort2>("TstCombValSort2", "KNO2", kSortTitle, sizedTitle<2>, nullptr, "", false);
const StatClassInfo TstCombValSort3::Class =
    combValuesClass<TstCombValSort3>("TstCombValSort3", "KNO3", kSortTitle, sizedTitle<3>, nullptr, "", false);
const StatClassInfo TstCombValSort4::Class =
    combValuesClass<TstCombValSort4>("TstCombValSort4", "KNO4", kSortTitle, sizedTitle<4>, nullptr, "", false);

}  // namespace zircon
