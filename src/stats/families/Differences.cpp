#include "stats/families/Differences.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "core/Format.h"
#include "core/Tr.h"
#include "stats/SelectedKeySet.h"
#include "stats/families/Tuples.h"

namespace zircon {
namespace {

constexpr int kDiffCount = kMainCount - 1;
// The largest difference two numbers of the range can have (1 and 69).
constexpr int kMaxDiff = kMainMax - 1;

using Diffs = std::array<uint8_t, kDiffCount>;

// Bytes, so the difference of any two is 0..255 and indexes a ByteTable.
inline uint8_t absDiff(uint8_t a, uint8_t b)
{
    return static_cast<uint8_t>(a > b ? a - b : b - a);
}

inline Diffs neighbourDiffs(const uint8_t* n)
{
    return {absDiff(n[0], n[1]), absDiff(n[1], n[2]), absDiff(n[2], n[3]), absDiff(n[3], n[4])};
}

// How many of the four differences equal each one: m[i] = #{j : d_j = d_i}.
// Equal differences share their multiplicity, so looking at every position
// is the same as looking at each distinct difference once.
inline std::array<uint8_t, kDiffCount> multiplicities(const Diffs& d)
{
    std::array<uint8_t, kDiffCount> m{};
    for (size_t i = 0; i < m.size(); ++i) {
        const uint8_t v = d[i];
        m[i] = static_cast<uint8_t>((d[0] == v) + (d[1] == v) + (d[2] == v) + (d[3] == v));
    }
    return m;
}

// The counting map of the four differences without an allocation: keys in
// order of first appearance, as AddSimple keeps them.
struct DiffCounts {
    std::array<uint8_t, kDiffCount> key{};
    std::array<uint8_t, kDiffCount> count{};
    int size = 0;

    explicit DiffCounts(const Diffs& d)
    {
        for (uint8_t v : d) {
            int at = 0;
            while (at < size && key[static_cast<size_t>(at)] != v)
                ++at;
            if (at == size) {
                key[static_cast<size_t>(size)] = v;
                count[static_cast<size_t>(size++)] = 0;
            }
            ++count[static_cast<size_t>(at)];
        }
    }
    int largest() const
    {
        int m = 0;
        for (int i = 0; i < size; ++i)
            m = std::max<int>(m, count[static_cast<size_t>(i)]);
        return m;
    }
};

// The plain forms read the numbers as plain integers, apart from the byte
// arithmetic of the prepared filters.
int plainDiff(const TComb& c, int i)
{
    return std::abs(int(c.n[static_cast<size_t>(i)]) - int(c.n[static_cast<size_t>(i + 1)]));
}

TStatSimpleArray plainDiffCounts(const TComb& c)
{
    TStatSimpleArray map;
    for (int i = 0; i < kDiffCount; ++i)
        AddSimple(map, plainDiff(c, i), 1);
    return map;
}

// The base preparation of a draw's value (draw loaded, Cur with Count 1,
// its depth and draw number), then the values of CombKeys with periods only
// for the first: the other values of the same draw update PrevDraw but do
// not count as gaps between draws.
void mergeFirstWithPeriods(TCustomStat& stat, int index, int end, bool sorted, TStatDrawArray& items)
{
    stat.beginDrawItem(index, end, sorted);
    KeyList keys;
    stat.CombKeys(stat.CurDraw.nums.data(), keys);
    for (int i = 0; i < keys.count; ++i) {
        stat.Cur.Key = keys.keys[static_cast<size_t>(i)];
        items.AddValue(stat.Cur, i == 0);
    }
}

// A flag per byte value.
using ByteTable = std::array<uint8_t, 256>;

// The members with one value of 0..255 per combination.
template <int (*Value)(const TComb&)>
std::unique_ptr<CombFilter> valueFilter(const TStatDrawArray& selected)
{
    const ByteTable byValue = selectedK1Table<256>(selected);
    return makeCombFilter([byValue](const TComb& c) { return byValue[static_cast<size_t>(Value(c))] != 0; });
}

int largestDiff(const TComb& c)
{
    const Diffs d = neighbourDiffs(c.n.data());
    return std::max(std::max(d[0], d[1]), std::max(d[2], d[3]));
}

int spread(const TComb& c)
{
    const auto [lo, hi] = std::minmax_element(c.n.begin(), c.n.end());
    return *hi - *lo;
}

int largestMultiplicity(const TComb& c)
{
    const std::array<uint8_t, kDiffCount> m = multiplicities(neighbourDiffs(c.n.data()));
    return std::max(std::max(m[0], m[1]), std::max(m[2], m[3]));
}

// Pairs (a, b) of bytes, 65,536 bits (8 KiB): the dense set of the KDS2 runs.
class PairBits {
public:
    void set(unsigned a, unsigned b)
    {
        const unsigned i = a << 8 | b;
        m_words[i >> 6] |= uint64_t{1} << (i & 63);
    }
    bool test(unsigned a, unsigned b) const
    {
        const unsigned i = a << 8 | b;
        return (m_words[i >> 6] >> (i & 63)) & 1;
    }

private:
    std::array<uint64_t, 1024> m_words{};
};

// Selected keys a run of `length` differences can equal: its parts below 256
// and the parts past the run 0.
bool isRunKey(TStatKey k, int length)
{
    for (int j = 1; j <= 4; ++j) {
        const uint16_t part = k.K(j);
        if (j <= length ? part > 255 : part != 0)
            return false;
    }
    return true;
}

// The key of the run of `length` differences starting at `from` (K1 first),
// the other parts 0.
inline uint64_t runRaw(const Diffs& d, int from, int length)
{
    uint64_t raw = 0;
    for (int j = 0; j < length; ++j)
        raw |= uint64_t{d[static_cast<size_t>(from + j)]} << (16 * j);
    return raw;
}

// The runs of neighbouring differences that combinations of the range
// have: every part at least 1 and all parts together at most 68 (the gaps
// between 1 and 69). There are C(68, r) runs of r parts, numbered in
// lexicographic order, so a selection of them fits a dense bitset: 100 KiB
// for runs of four, 6 KiB for runs of three, within the second-level cache,
// where a hashed set of a hundred thousand runs would not be. Runs outside
// (damaged combinations) are left to a key set.
template <int Length>
class RunBits {
public:
    RunBits() : m_words((kChoose[Length][kBudget] + 63) / 64, 0) {}

    // The run's number, or -1 when the run lies outside.
    int32_t indexOf(const uint8_t* parts) const
    {
        int budget = kBudget;
        int32_t index = 0;
        for (int i = 0; i < Length; ++i) {
            const int after = Length - 1 - i;  // parts still to come, each at least 1
            const int d = parts[i];
            if (d < 1 || d > budget - after)
                return -1;
            // The runs with a smaller part here: their remaining parts sum
            // to at most budget - v for each v below d.
            index += kChoose[static_cast<size_t>(after + 1)][static_cast<size_t>(budget)]
                     - kChoose[static_cast<size_t>(after + 1)][static_cast<size_t>(budget - d + 1)];
            budget -= d;
        }
        return index;
    }
    void set(int32_t i) { m_words[static_cast<size_t>(i) >> 6] |= uint64_t{1} << (i & 63); }
    bool test(int32_t i) const { return (m_words[static_cast<size_t>(i) >> 6] >> (i & 63)) & 1; }

private:
    static constexpr int kBudget = kMainMax - 1;

    // kChoose[k][n] = C(n, k) for n <= 68, k <= 4.
    static constexpr std::array<std::array<int32_t, kBudget + 1>, 5> kChoose = [] {
        std::array<std::array<int32_t, kBudget + 1>, 5> c{};
        for (int n = 0; n <= kBudget; ++n) {
            c[0][static_cast<size_t>(n)] = 1;
            for (int k = 1; k <= 4 && k <= n; ++k)
                c[static_cast<size_t>(k)][static_cast<size_t>(n)] = c[static_cast<size_t>(k - 1)][static_cast<size_t>(n - 1)]
                                                                    + c[static_cast<size_t>(k)][static_cast<size_t>(n - 1)];
        }
        return c;
    }();

    std::vector<uint64_t> m_words;
};

// A selection of runs of three or four: the dense bitset for the runs of the
// range, a key set for any other selected run.
template <int Length>
class RunSelection {
public:
    explicit RunSelection(const TStatDrawArray& selected)
    {
        std::vector<uint64_t> others;
        uint8_t parts[kDiffCount];
        for (const TStatDrawItem& it : selected) {
            if (!isRunKey(it.Key, Length))
                continue;
            for (int j = 0; j < Length; ++j)
                parts[j] = static_cast<uint8_t>(it.Key.K(j + 1));
            const int32_t i = m_bits.indexOf(parts);
            if (i >= 0)
                m_bits.set(i);
            else
                others.push_back(it.Key.raw);
        }
        m_others = SelectedKeySet(others);
    }

    bool contains(const Diffs& d, int from) const
    {
        const int32_t i = m_bits.indexOf(d.data() + from);
        return i >= 0 ? m_bits.test(i) : m_others.contains(runRaw(d, from, Length));
    }

private:
    RunBits<Length> m_bits;
    SelectedKeySet m_others;
};

const char* const kRunTitle = ZT("Сочетания из %0:d разностей между числами");

}  // namespace

// ---------------------------------------------------------------- DIFA

const StatClassInfo TstDiffTotal::Class = statClass<TstDiffTotal>(StatClassInfo{
    .className = "TstDiffTotal",
    .codeFormat = "DIFA",
    .titleFormat = ZT("Все разности между соседними позициями"),
    .group = 2,
    .flags = kFlagSorted | kFlagNorm,
});

void TstDiffTotal::BeginStat(int end, TStatDrawArray& items)
{
    TCustomNumbersStat::BeginStat(end, items);
    preseedK1(items, 1, kMaxDiff);
}

void TstDiffTotal::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    for (uint8_t d : neighbourDiffs(nums))
        keys.addK1(d);
}

void TstDiffTotal::AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork&,
                                 TLastValueArray&)
{
    mergeFirstWithPeriods(*this, index, end, sorted, items);
}

bool TstDiffTotal::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    for (int i = 0; i < kDiffCount; ++i)
        if (MatchK(selected, 1, plainDiff(comb, i)))
            return true;
    return false;
}

std::unique_ptr<CombFilter> TstDiffTotal::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted, bool)
{
    LoadDraws(-1, end, sorted);
    const ByteTable byDiff = selectedK1Table<256>(selected);
    return makeCombFilter([byDiff](const TComb& c) {
        const Diffs d = neighbourDiffs(c.n.data());
        return (byDiff[d[0]] | byDiff[d[1]] | byDiff[d[2]] | byDiff[d[3]]) != 0;
    });
}

// ---------------------------------------------------------------- DIFM

const StatClassInfo TstDiffMax::Class = statClass<TstDiffMax>(StatClassInfo{
    .className = "TstDiffMax",
    .codeFormat = "DIFM",
    .titleFormat = ZT("Максимальная разность между соседними позициями"),
    .group = 2,
    .flags = kFlagSorted | kFlagNorm,
});

void TstDiffMax::BeginStat(int end, TStatDrawArray& items)
{
    TCustomGraphStat::BeginStat(end, items);
    preseedK1(items, 1, kMaxDiff);
}

void TstDiffMax::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    const Diffs d = neighbourDiffs(nums);
    keys.addK1(*std::max_element(d.begin(), d.end()));
}

bool TstDiffMax::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    int v = 0;
    for (int i = 0; i < kDiffCount; ++i)
        v = std::max(v, plainDiff(comb, i));
    return MatchK(selected, 1, v);
}

std::unique_ptr<CombFilter> TstDiffMax::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted, bool)
{
    LoadDraws(-1, end, sorted);
    return valueFilter<largestDiff>(selected);
}

// ---------------------------------------------------------------- DIFD

const StatClassInfo TstMinMaxDiffs::Class = statClass<TstMinMaxDiffs>(StatClassInfo{
    .className = "TstMinMaxDiffs",
    .codeFormat = "DIFD",
    .titleFormat = ZT("Разность между минимальным и максимальным числом"),
    .group = 2,
    .flags = kFlagNorm,
});

void TstMinMaxDiffs::BeginStat(int end, TStatDrawArray& items)
{
    TCustomGraphStat::BeginStat(end, items);
    preseedK1(items, 1, kMaxDiff);
}

void TstMinMaxDiffs::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    const auto [lo, hi] = std::minmax_element(nums, nums + kMainCount);
    keys.addK1(*hi - *lo);
}

bool TstMinMaxDiffs::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    int lo = comb.n[0];
    int hi = comb.n[0];
    for (uint8_t n : comb.n) {
        lo = std::min<int>(lo, n);
        hi = std::max<int>(hi, n);
    }
    return MatchK(selected, 1, hi - lo);
}

std::unique_ptr<CombFilter> TstMinMaxDiffs::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                                          bool)
{
    LoadDraws(-1, end, sorted);
    return valueFilter<spread>(selected);
}

// ---------------------------------------------------------------- DIFO

const StatClassInfo TstDiffSame::Class = statClass<TstDiffSame>(StatClassInfo{
    .className = "TstDiffSame",
    .codeFormat = "DIFO",
    .titleFormat = ZT("Одинаковые разности между соседними позициями"),
    .group = 2,
    .flags = kFlagSorted | kFlagNorm,
    .valueListSelectable = false,
});

QString TstDiffSame::ValueText(const TStatDrawItem& item) const
{
    return fmt(QStringLiteral("%0:d x %1:d"), int{item.Key.K(1)}, int{item.Key.K(2)});
}

void TstDiffSame::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    const DiffCounts counts(neighbourDiffs(nums));
    for (int i = 0; i < counts.size; ++i)
        keys.add(TStatKey::k4(counts.key[static_cast<size_t>(i)], counts.count[static_cast<size_t>(i)], 0, 0));
}

bool TstDiffSame::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    for (const TStatSimpleItem& it : plainDiffCounts(comb))
        if (MatchKey4(selected, static_cast<uint16_t>(it.Key), static_cast<uint16_t>(it.Count), 0, 0))
            return true;
    return false;
}

std::unique_ptr<CombFilter> TstDiffSame::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted, bool)
{
    LoadDraws(-1, end, sorted);
    // Per difference, bit m set when (d, m) is selected exactly (K3 = K4 = 0);
    // a multiplicity is always 1..4.
    ByteTable byDiff{};
    for (const TStatDrawItem& it : selected) {
        const TStatKey k = it.Key;
        if (k.K(1) < byDiff.size() && k.K(2) >= 1 && k.K(2) <= kDiffCount && k.K(3) == 0 && k.K(4) == 0)
            byDiff[k.K(1)] = static_cast<uint8_t>(byDiff[k.K(1)] | 1u << k.K(2));
    }
    return makeCombFilter([byDiff](const TComb& c) {
        const Diffs d = neighbourDiffs(c.n.data());
        const std::array<uint8_t, kDiffCount> m = multiplicities(d);
        return ((byDiff[d[0]] >> m[0] | byDiff[d[1]] >> m[1] | byDiff[d[2]] >> m[2] | byDiff[d[3]] >> m[3]) & 1)
               != 0;
    });
}

// ---------------------------------------------------------------- DIFK

const StatClassInfo TstDiffSameCnt::Class = statClass<TstDiffSameCnt>(StatClassInfo{
    .className = "TstDiffSameCnt",
    .codeFormat = "DIFK",
    .titleFormat = ZT("Количество одинаковых разностей между соседними позициями"),
    .group = 2,
    .flags = kFlagSorted | kFlagNorm,
});

void TstDiffSameCnt::BeginStat(int end, TStatDrawArray& items)
{
    TCustomGraphStat::BeginStat(end, items);
    preseedK1(items, 1, kDiffCount);
}

void TstDiffSameCnt::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    keys.addK1(DiffCounts(neighbourDiffs(nums)).largest());
}

bool TstDiffSameCnt::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    int v = 0;
    for (const TStatSimpleItem& it : plainDiffCounts(comb))
        v = std::max(v, it.Count);
    return MatchK(selected, 1, v);
}

std::unique_ptr<CombFilter> TstDiffSameCnt::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                                          bool)
{
    LoadDraws(-1, end, sorted);
    return valueFilter<largestMultiplicity>(selected);
}

// ---------------------------------------------------------------- KDS2..KDS4

const StatClassInfo TstCombDiffSeq2::Class = tupleClass<TstCombDiffSeq2, 2>("TstCombDiffSeq2", "KDS2", kRunTitle, 2);
const StatClassInfo TstCombDiffSeq3::Class = tupleClass<TstCombDiffSeq3, 3>("TstCombDiffSeq3", "KDS3", kRunTitle, 2);
const StatClassInfo TstCombDiffSeq4::Class = tupleClass<TstCombDiffSeq4, 4>("TstCombDiffSeq4", "KDS4", kRunTitle, 2);

TCustomDiffSeqStat::TCustomDiffSeqStat(const StatClassInfo& cls, const TStatList& list, int32_t param,
                                       int runLength)
    : TCustomStat(cls, list, param), m_runLength(std::clamp(runLength, 2, kDiffCount))
{
}

QString TCustomDiffSeqStat::ValueText(const TStatDrawItem& item) const
{
    QString text;
    for (int j = 1; j <= m_runLength; ++j) {
        if (j > 1)
            text += u':';
        text += QString::number(item.Key.K(j));
    }
    return text;
}

void TCustomDiffSeqStat::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    const Diffs d = neighbourDiffs(nums);
    for (int from = 0; from + m_runLength <= kDiffCount; ++from)
        keys.add(TStatKey{runRaw(d, from, m_runLength)});
}

void TCustomDiffSeqStat::AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork&,
                                       TLastValueArray&)
{
    mergeFirstWithPeriods(*this, index, end, sorted, items);
}

bool TCustomDiffSeqStat::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    for (int from = 0; from + m_runLength <= kDiffCount; ++from) {
        uint16_t run[4] = {0, 0, 0, 0};
        for (int j = 0; j < m_runLength; ++j)
            run[j] = static_cast<uint16_t>(plainDiff(comb, from + j));
        if (MatchKey4(selected, run[0], run[1], run[2], run[3]))
            return true;
    }
    return false;
}

std::unique_ptr<CombFilter> TCustomDiffSeqStat::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                                              bool)
{
    LoadDraws(-1, end, sorted);
    const int length = m_runLength;
    if (length == 2) {
        PairBits pairs;
        for (const TStatDrawItem& it : selected)
            if (isRunKey(it.Key, 2))
                pairs.set(it.Key.K(1), it.Key.K(2));
        return makeCombFilter([pairs](const TComb& c) {
            const Diffs d = neighbourDiffs(c.n.data());
            return pairs.test(d[0], d[1]) || pairs.test(d[1], d[2]) || pairs.test(d[2], d[3]);
        });
    }
    // Up to a hundred thousand selected runs of three or four.
    if (length == 3) {
        const RunSelection<3> runs(selected);
        return makeCombFilter([runs](const TComb& c) {
            const Diffs d = neighbourDiffs(c.n.data());
            return runs.contains(d, 0) || runs.contains(d, 1);
        });
    }
    const RunSelection<4> runs(selected);
    return makeCombFilter([runs](const TComb& c) { return runs.contains(neighbourDiffs(c.n.data()), 0); });
}

}  // namespace zircon
