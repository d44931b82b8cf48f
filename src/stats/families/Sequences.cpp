#include "stats/families/Sequences.h"

#include <algorithm>
#include <array>

#include "core/Tr.h"

namespace zircon {
namespace {

constexpr int kStepCount = kMainCount - 1;
constexpr uint32_t kStepPatterns = 1u << kStepCount;

constexpr bool continuesRun(int before, int next, bool bothWays)
{
    return next == before + 1 || (bothWays && next == before - 1);
}

constexpr uint32_t stepsOf(const uint8_t* nums, bool bothWays)
{
    uint32_t steps = 0;
    for (int i = 0; i < kStepCount; ++i)
        if (continuesRun(nums[i], nums[i + 1], bothWays))
            steps |= 1u << i;
    return steps;
}

int runCountOf(uint32_t steps, int minLength)
{
    int lengths[kMainCount];
    const int runs = sequenceRuns(steps, lengths);
    return static_cast<int>(std::count_if(lengths, lengths + runs, [minLength](int l) { return l >= minLength; }));
}

int longestRunOf(uint32_t steps)
{
    int lengths[kMainCount];
    const int runs = sequenceRuns(steps, lengths);
    return *std::max_element(lengths, lengths + runs);
}

// Run lengths and counts never exceed 5, so the selection tables stop there.
constexpr size_t kRunValues = kMainCount + 1;

// The answer for each of the 16 step patterns, turned into a filter.
std::unique_ptr<CombFilter> stepPatternFilter(const std::array<uint8_t, kStepPatterns>& byPattern)
{
    return makeCombFilter([byPattern](const TComb& c) { return byPattern[stepsOf(c.n.data(), false)] != 0; });
}

}  // namespace

uint32_t sequenceSteps(const uint8_t* nums, bool bothWays)
{
    return stepsOf(nums, bothWays);
}

int sequenceRuns(uint32_t steps, int (&lengths)[kMainCount])
{
    int runs = 0;
    lengths[0] = 1;
    for (int i = 0; i < kStepCount; ++i) {
        if (steps & (1u << i)) {
            ++lengths[runs];
        } else {
            lengths[++runs] = 1;
        }
    }
    return runs + 1;
}

// ---------------------------------------------------------------- SEQL

const StatClassInfo TstSequenceLen::Class = statClass<TstSequenceLen>(StatClassInfo{
    .className = "TstSequenceLen",
    .codeFormat = "SEQL",
    .titleFormat = ZT("Длина последовательности в тираже"),
    .group = 6,
    .flags = kFlagSorted | kFlagNorm,
});

void TstSequenceLen::BeginStat(int end, TStatDrawArray& items)
{
    TCustomNumbersStat::BeginStat(end, items);
    preseedK1(items, 1, kMainCount);
}

void TstSequenceLen::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    int lengths[kMainCount];
    const int runs = sequenceRuns(sequenceSteps(nums, false), lengths);
    for (int r = 0; r < runs; ++r)
        keys.addK1(lengths[r]);
}

bool TstSequenceLen::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    int lengths[kMainCount];
    const int runs = sequenceRuns(sequenceSteps(comb.n.data(), false), lengths);
    for (int r = 0; r < runs; ++r)
        if (MatchK(selected, 1, lengths[r]))
            return true;
    return false;
}

std::unique_ptr<CombFilter> TstSequenceLen::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                                          bool)
{
    LoadDraws(-1, end, sorted);
    const auto byLength = selectedK1Table<kRunValues>(selected);
    std::array<uint8_t, kStepPatterns> byPattern{};
    for (uint32_t steps = 0; steps < kStepPatterns; ++steps) {
        int lengths[kMainCount];
        const int runs = sequenceRuns(steps, lengths);
        for (int r = 0; r < runs; ++r)
            byPattern[steps] |= byLength[static_cast<size_t>(lengths[r])];
    }
    return stepPatternFilter(byPattern);
}

// ---------------------------------------------------------------- SEQS

const StatClassInfo TstSequenceCnt::Class = statClass<TstSequenceCnt>(StatClassInfo{
    .className = "TstSequenceCnt",
    .codeFormat = "SEQS",
    .titleFormat = ZT("Количество последовательностей в тираже"),
    .group = 6,
    .flags = kFlagSorted | kFlagNorm,
});

void TstSequenceCnt::BeginStat(int end, TStatDrawArray& items)
{
    TCustomGraphStat::BeginStat(end, items);
    preseedK1(items, 0, 2);
}

void TstSequenceCnt::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    keys.addK1(runCountOf(sequenceSteps(nums, false), 2));
}

bool TstSequenceCnt::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    return MatchK(selected, 1, runCountOf(sequenceSteps(comb.n.data(), false), 2));
}

int32_t TstSequenceCnt::CombGraphValue(const uint8_t* nums, int, int, bool)
{
    return runCountOf(sequenceSteps(nums, true), 2);
}

std::unique_ptr<CombFilter> TstSequenceCnt::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                                          bool)
{
    LoadDraws(-1, end, sorted);
    const auto byCount = selectedK1Table<kRunValues>(selected);
    std::array<uint8_t, kStepPatterns> byPattern{};
    for (uint32_t steps = 0; steps < kStepPatterns; ++steps)
        byPattern[steps] = byCount[static_cast<size_t>(runCountOf(steps, 2))];
    return stepPatternFilter(byPattern);
}

// ---------------------------------------------------------------- LENS

const StatClassInfo TstSequenceLenMax::Class = statClass<TstSequenceLenMax>(StatClassInfo{
    .className = "TstSequenceLenMax",
    .codeFormat = "LENS",
    .titleFormat = ZT("Макс. длина последовательности в тираже"),
    .group = 6,
    .flags = kFlagSorted | kFlagNorm,
});

void TstSequenceLenMax::BeginStat(int end, TStatDrawArray& items)
{
    TCustomGraphStat::BeginStat(end, items);
    preseedK1(items, 1, kMainCount);
}

void TstSequenceLenMax::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    keys.addK1(longestRunOf(sequenceSteps(nums, false)));
}

bool TstSequenceLenMax::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    return MatchK(selected, 1, longestRunOf(sequenceSteps(comb.n.data(), false)));
}

int32_t TstSequenceLenMax::CombGraphValue(const uint8_t* nums, int, int, bool)
{
    return longestRunOf(sequenceSteps(nums, true));
}

std::unique_ptr<CombFilter> TstSequenceLenMax::PrepareFilter(const TStatDrawArray& selected, int end,
                                                             bool sorted, bool)
{
    LoadDraws(-1, end, sorted);
    const auto byLength = selectedK1Table<kRunValues>(selected);
    std::array<uint8_t, kStepPatterns> byPattern{};
    for (uint32_t steps = 0; steps < kStepPatterns; ++steps)
        byPattern[steps] = byLength[static_cast<size_t>(longestRunOf(steps))];
    return stepPatternFilter(byPattern);
}

}  // namespace zircon
