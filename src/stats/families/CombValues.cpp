#include "stats/families/CombValues.h"

#include "core/Tr.h"
#include "core/Types.h"

namespace zircon {
namespace {

template <int Size>
std::pair<int, int> startRange(const TConfigData&)
{
    return {1, kMainCount + 1 - Size};
}

constexpr uint8_t kNumbersGroup = 0;

// The tuples that start at a chosen position: the start is the parameter.
template <class T, int Size>
StatClassInfo startClass(const char* className, const char* code, const char* title, const char* helpCode)
{
    return statClass<T>(StatClassInfo{
        .className = className,
        .codeFormat = code,
        .titleFormat = title,
        .helpCodeFormat = helpCode,
        .group = kNumbersGroup,
        .flags = kFlagSorted,
        .valueListSelectable = false,
        .paramRange = startRange<Size>,
    });
}

const char* const kMixTitle = ZT("Сочетания из %0:d чисел по всем числам тиража");
const char* const kSeqTitle = ZT("Сочетания из %0:d соседних чисел тиража");
const char* const kSortTitle = ZT("Сочетания из %0:d чисел тиража по возрастанию");

}  // namespace

const StatClassInfo TstCombValMix2::Class =
    tupleClass<TstCombValMix2, 2>("TstCombValMix2", "KNM2", kMixTitle, kNumbersGroup);
const StatClassInfo TstCombValMix3::Class =
    tupleClass<TstCombValMix3, 3>("TstCombValMix3", "KNM3", kMixTitle, kNumbersGroup);
const StatClassInfo TstCombValMix4::Class =
    tupleClass<TstCombValMix4, 4>("TstCombValMix4", "KNM4", kMixTitle, kNumbersGroup);

const StatClassInfo TstCombValSeq2::Class =
    tupleClass<TstCombValSeq2, 2>("TstCombValSeq2", "KNS2", kSeqTitle, kNumbersGroup);
const StatClassInfo TstCombValSeq3::Class =
    tupleClass<TstCombValSeq3, 3>("TstCombValSeq3", "KNS3", kSeqTitle, kNumbersGroup);
const StatClassInfo TstCombValSeq4::Class =
    tupleClass<TstCombValSeq4, 4>("TstCombValSeq4", "KNS4", kSeqTitle, kNumbersGroup);

const StatClassInfo TstCombValPos2::Class = startClass<TstCombValPos2, 2>(
    "TstCombValPos2", "KNP2%d", ZT("Сочетания из 2-х чисел тиража начиная с %0:d позиции"), "KNP2");
const StatClassInfo TstCombValPos3::Class = startClass<TstCombValPos3, 3>(
    "TstCombValPos3", "KNP3%d", ZT("Сочетания из 3-х чисел тиража начиная с %0:d позиции"), "KNP3");
const StatClassInfo TstCombValPos4::Class = startClass<TstCombValPos4, 4>(
    "TstCombValPos4", "KNP4%d", ZT("Сочетания из 4-х чисел тиража начиная с %0:d позиции"), "KNP4");

const StatClassInfo TstCombValSort2::Class =
    tupleClass<TstCombValSort2, 2>("TstCombValSort2", "KNO2", kSortTitle, kNumbersGroup, /*available=*/false);
const StatClassInfo TstCombValSort3::Class =
    tupleClass<TstCombValSort3, 3>("TstCombValSort3", "KNO3", kSortTitle, kNumbersGroup, /*available=*/false);
const StatClassInfo TstCombValSort4::Class =
    tupleClass<TstCombValSort4, 4>("TstCombValSort4", "KNO4", kSortTitle, kNumbersGroup, /*available=*/false);

}  // namespace zircon
