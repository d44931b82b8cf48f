#include "stats/families/Sums.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

#include "core/Format.h"
#include "core/Tr.h"

namespace zircon {
namespace {

// The largest sum five bytes can make. Combinations read from a file may
// hold any byte, so every table indexed by a sum has this many entries + 1.
constexpr int kMaxByteSum = kMainCount * 255;
using SumTable = std::array<uint8_t, kMaxByteSum + 1>;

// The sums of real draws: 1+2+3+4+5 to 65+66+67+68+69.
constexpr int kMinDrawSum = 15;
constexpr int kMaxDrawSum = 335;

// How far the previous sum may lie from the last draw's sum for SUMV to learn
// from what followed it: one tenth of the span of sums.
constexpr int kChangeTolerance = (kMaxDrawSum - kMinDrawSum) / 10;
static_assert(kChangeTolerance == 32);

// The primes of the range with 1 counted among them, as the players count.
constexpr std::array<uint8_t, 20> kPrimes = {1, 2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47, 53, 59, 61, 67};

constexpr bool isEven(unsigned n) { return n % 2 == 0; }
constexpr bool isPrime(unsigned n)
{
    return std::find(kPrimes.begin(), kPrimes.end(), n) != kPrimes.end();
}

// What each byte value adds to a partial sum: itself when it qualifies, else 0.
using PartTable = std::array<uint16_t, 256>;

constexpr PartTable partTable(bool (*qualifies)(unsigned))
{
    PartTable t{};
    for (unsigned n = 0; n < t.size(); ++n)
        t[n] = static_cast<uint16_t>(qualifies(n) ? n : 0);
    return t;
}

constexpr PartTable kEvenPart = partTable(isEven);
constexpr PartTable kPrimePart = partTable(isPrime);

int sumOf(const uint8_t* nums)
{
    int s = 0;
    for (int i = 0; i < kMainCount; ++i)
        s += nums[i];
    return s;
}

int partSumOf(const uint8_t* nums, const PartTable& part)
{
    int s = 0;
    for (int i = 0; i < kMainCount; ++i)
        s += part[nums[i]];
    return s;
}

int direction(int from, int to)
{
    return to > from ? 1 : to < from ? -1 : 0;
}

// A signed value in L1 as 32-bit two's complement.
TStatKey signedKey(int v)
{
    return TStatKey::l2(static_cast<uint32_t>(v), 0);
}

int32_t signedL1(const TStatDrawItem& item)
{
    return static_cast<int32_t>(item.Key.L(1));
}

// The triples of positions (i, j, k), j < k, i apart from both, whose
// numbers make n_i = n_j + n_k; the numbers in the order given. The plain
// count, which CombMatches keeps as the reference.
int sumTriples(const uint8_t* n)
{
    int count = 0;
    for (int i = 0; i < kMainCount; ++i)
        for (int j = 0; j < kMainCount; ++j)
            for (int k = j + 1; k < kMainCount; ++k)
                if (i != j && i != k && n[j] + n[k] == n[i])
                    ++count;
    return count;
}

// The same count for the prefetch build and the prepared filter. When the
// numbers are positive and ascending (as every generated combination is), a
// sum of two exceeds both, so only a later position can hold it: ten
// comparisons instead of thirty.
int sumTriplesFast(const uint8_t* n)
{
    const int a = n[0], b = n[1], d = n[2], e = n[3], g = n[4];
    if (a >= 1 && a <= b && b <= d && d <= e && e <= g) {
        const int ab = a + b;
        return (ab == d) + (ab == e) + (a + d == e) + (b + d == e) + (ab == g) + (a + d == g) + (a + e == g)
               + (b + d == g) + (b + e == g) + (d + e == g);
    }
    return sumTriples(n);
}

// The sum of the draw before `index`, read unsorted; 0 before the archive.
int previousSum(const TCustomStat& stat, int index)
{
    return stat.GetDraw(index - 1, false).sum();
}

// Sums s with an item that is exactly {s, 0}: the MatchLong2(s, 0) test.
SumTable selectedExactSums(const TStatDrawArray& selected)
{
    SumTable t{};
    for (const TStatDrawItem& it : selected)
        if (it.Key.raw < t.size())
            t[static_cast<size_t>(it.Key.raw)] = 1;
    return t;
}

std::unique_ptr<CombFilter> sumFilter(const SumTable& bySum)
{
    return makeCombFilter([bySum](const TComb& c) {
        return bySum[static_cast<size_t>(c.n[0] + c.n[1] + c.n[2] + c.n[3] + c.n[4])] != 0;
    });
}

std::unique_ptr<CombFilter> partSumFilter(const PartTable& part, const SumTable& bySum)
{
    return makeCombFilter([part, bySum](const TComb& c) {
        return bySum[static_cast<size_t>(part[c.n[0]] + part[c.n[1]] + part[c.n[2]] + part[c.n[3]] + part[c.n[4]])]
               != 0;
    });
}

// ---------------------------------------------------------------- bands

struct SumBand {
    int low;
    int high;
    int num;  // the fraction in the title: "(1/3)"
    int den;
};

constexpr std::array<SumBand, 3> kBands = {{{109, 241, 1, 3}, {122, 228, 1, 2}, {134, 216, 2, 3}}};

const SumBand* bandOf(int32_t param)
{
    return param >= 1 && param <= static_cast<int32_t>(kBands.size()) ? &kBands[static_cast<size_t>(param - 1)]
                                                                       : nullptr;
}

bool inBand(const SumBand* band, int sum)
{
    return band && sum >= band->low && sum <= band->high;
}

std::pair<int, int> bandRange(const TConfigData&)
{
    return {1, static_cast<int>(kBands.size())};
}

QString bandTitle(const char* titleFormat, int32_t param)
{
    const SumBand* band = bandOf(param);
    return fmt(tr(titleFormat), param, band ? band->num : 0, band ? band->den : 0);
}

}  // namespace

// ---------------------------------------------------------------- SUMS

const StatClassInfo TstSumValues::Class = statClass<TstSumValues>(StatClassInfo{
    .className = "TstSumValues",
    .codeFormat = "SUMS",
    .titleFormat = ZT("Сумма тиража: все значения"),
    .group = 1,
    .flags = kFlagNorm,
});

QString TstSumValues::ValueText(const TStatDrawItem& item) const
{
    return QString::number(item.Key.L(1));
}

void TstSumValues::BeginStat(int end, TStatDrawArray& items)
{
    TCustomGraphStat::BeginStat(end, items);
    preseedK1(items, kMinDrawSum, kMaxDrawSum);
}

void TstSumValues::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    keys.add(TStatKey::l2(static_cast<uint32_t>(sumOf(nums)), 0));
}

bool TstSumValues::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    return MatchLong2(selected, static_cast<uint32_t>(sumOf(comb.n.data())), 0);
}

std::unique_ptr<CombFilter> TstSumValues::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted, bool)
{
    LoadDraws(-1, end, sorted);
    return sumFilter(selectedExactSums(selected));
}

// ---------------------------------------------------------------- SUM%d

const StatClassInfo TstSumRanges::Class = statClass<TstSumRanges>(StatClassInfo{
    .className = "TstSumRanges",
    .codeFormat = "SUM%d",
    .titleFormat = ZT("Сумма тиража: диапазон %d (%d/%d)"),
    .group = 1,
    .flags = kFlagNorm,
    .valueListSelectable = false,
    .paramRange = bandRange,
    .titleFn = bandTitle,
});

QString TstSumRanges::ValueText(const TStatDrawItem& item) const
{
    const SumBand* band = bandOf(Param);
    if (item.Key.K(1) == 1 && band)
        return fmt(QStringLiteral("%d-%d"), band->low, band->high);
    return tr("Остальные");
}

void TstSumRanges::BeginStat(int end, TStatDrawArray& items)
{
    TCustomGraphStat::BeginStat(end, items);
    preseedK1(items, 0, 1);
}

void TstSumRanges::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    keys.addK1(inBand(bandOf(Param), sumOf(nums)) ? 1 : 0);
}

bool TstSumRanges::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    const uint16_t v = inBand(bandOf(Param), sumOf(comb.n.data())) ? 1 : 0;
    return MatchKey4(selected, v, 0, 0, 0);
}

std::unique_ptr<CombFilter> TstSumRanges::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted, bool)
{
    LoadDraws(-1, end, sorted);
    const uint8_t outside = selected.find(TStatKey::k1(0)) >= 0 ? 1 : 0;
    const uint8_t inside = selected.find(TStatKey::k1(1)) >= 0 ? 1 : 0;
    const SumBand* band = bandOf(Param);
    SumTable bySum{};
    for (int s = 0; s <= kMaxByteSum; ++s)
        bySum[static_cast<size_t>(s)] = inBand(band, s) ? inside : outside;
    return sumFilter(bySum);
}

// ---------------------------------------------------------------- SUMC

const StatClassInfo TstSumChange::Class = statClass<TstSumChange>(StatClassInfo{
    .className = "TstSumChange",
    .codeFormat = "SUMC",
    .titleFormat = ZT("Сумма тиража: изменения (точно)"),
    .group = 1,
    .flags = kFlagSecond,
    .valueListSelectable = false,
});

QString TstSumChange::ValueText(const TStatDrawItem& item) const
{
    const qint64 a = item.Key.L(1);
    const qint64 b = item.Key.L(2);
    if (b < a)
        return fmt(QStringLiteral("- %0:.2d : %1:d - %0:d = %2:d"), a - b, a, b);
    return fmt(QStringLiteral("+%0:.2d : %1:d + %0:d = %2:d"), b - a, a, b);
}

void TstSumChange::AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork&,
                                 TLastValueArray&)
{
    beginDrawItem(index, end, sorted);
    const int prev = previousSum(*this, index);
    if (prev != SecondDraw.sum())
        return;
    Cur.Key = TStatKey::l2(static_cast<uint32_t>(prev), static_cast<uint32_t>(CurDraw.sum()));
    items.AddValue(Cur, true);
}

void TstSumChange::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    keys.add(TStatKey::l2(static_cast<uint32_t>(SecondDraw.sum()), static_cast<uint32_t>(sumOf(nums))));
}

bool TstSumChange::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    return MatchL(selected, 2, sumOf(comb.n.data()));
}

int32_t TstSumChange::CombGraphValue(const uint8_t* nums, int index, int, bool)
{
    return sumOf(nums) - previousSum(*this, index);
}

std::unique_ptr<CombFilter> TstSumChange::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted, bool)
{
    LoadDraws(-1, end, sorted);
    SumTable bySum{};
    for (const TStatDrawItem& it : selected)
        if (it.Key.L(2) < bySum.size())
            bySum[it.Key.L(2)] = 1;
    return sumFilter(bySum);
}

// ---------------------------------------------------------------- SUMV

const StatClassInfo TstSumChangeSome::Class = statClass<TstSumChangeSome>(StatClassInfo{
    .className = "TstSumChangeSome",
    .codeFormat = "SUMV",
    .titleFormat = ZT("Сумма тиража: изменения (диапазон)"),
    .group = 1,
    .flags = kFlagSecond,
    .valueListSelectable = false,
});

QString TstSumChangeSome::ValueText(const TStatDrawItem& item) const
{
    // Widened first, so that even the most negative L1 has a magnitude.
    const qint64 v = signedL1(item);
    if (v < 0)
        return fmt(QStringLiteral("- %0:.2d"), -v);
    return fmt(QStringLiteral("+%0:.2d"), v);
}

void TstSumChangeSome::AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork&,
                                     TLastValueArray&)
{
    beginDrawItem(index, end, sorted);
    const int prev = previousSum(*this, index);
    if (std::abs(SecondDraw.sum() - prev) > kChangeTolerance)
        return;
    Cur.Key = signedKey(CurDraw.sum() - prev);
    items.AddValue(Cur, true);
}

void TstSumChangeSome::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    keys.add(signedKey(sumOf(nums) - SecondDraw.sum()));
}

bool TstSumChangeSome::CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted, bool)
{
    LoadDraws(end, end, sorted);
    return MatchL(selected, 1, sumOf(comb.n.data()) - SecondDraw.sum());
}

std::unique_ptr<CombFilter> TstSumChangeSome::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                                            bool)
{
    LoadDraws(-1, end, sorted);
    LoadDraws(end, end, sorted);
    const int ref = SecondDraw.sum();
    // A combination's change is its sum minus ref, so each selected change
    // stands for exactly one sum.
    SumTable bySum{};
    for (const TStatDrawItem& it : selected) {
        const int64_t s = int64_t{ref} + signedL1(it);
        if (s >= 0 && s <= kMaxByteSum)
            bySum[static_cast<size_t>(s)] = 1;
    }
    return sumFilter(bySum);
}

// ---------------------------------------------------------------- SUMT

const StatClassInfo TstSumTrend::Class = statClass<TstSumTrend>(StatClassInfo{
    .className = "TstSumTrend",
    .codeFormat = "SUMT",
    .titleFormat = ZT("Сумма тиража: направление изменения"),
    .group = 1,
    .flags = kFlagSecond,
    .valueListSelectable = false,
});

QString TstSumTrend::ValueText(const TStatDrawItem& item) const
{
    const int32_t v = signedL1(item);
    return v == 0 ? QStringLiteral("=") : v > 0 ? QStringLiteral("+") : QStringLiteral("-");
}

void TstSumTrend::BeginStat(int end, TStatDrawArray& items)
{
    TCustomGraphStat::BeginStat(end, items);
    TStatDrawItem seed;
    for (int v : {0, 1, -1}) {
        seed.Key = signedKey(v);
        items.AddValue(seed, false);
    }
}

void TstSumTrend::AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork&,
                                TLastValueArray&)
{
    beginDrawItem(index, end, sorted);
    const int prev = previousSum(*this, index);
    if (prev != SecondDraw.sum())
        return;
    Cur.Key = signedKey(direction(prev, CurDraw.sum()));
    items.AddValue(Cur, true);
}

void TstSumTrend::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    keys.add(signedKey(direction(SecondDraw.sum(), sumOf(nums))));
}

bool TstSumTrend::CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted, bool)
{
    LoadDraws(end, end, sorted);
    return MatchL(selected, 1, direction(SecondDraw.sum(), sumOf(comb.n.data())));
}

int32_t TstSumTrend::CombGraphValue(const uint8_t* nums, int index, int, bool)
{
    return direction(previousSum(*this, index), sumOf(nums));
}

std::unique_ptr<CombFilter> TstSumTrend::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted, bool)
{
    LoadDraws(-1, end, sorted);
    LoadDraws(end, end, sorted);
    const int ref = SecondDraw.sum();
    // Index 0 down, 1 the same, 2 up.
    std::array<uint8_t, 3> byDirection{};
    for (int d = -1; d <= 1; ++d)
        byDirection[static_cast<size_t>(d + 1)] = MatchL(selected, 1, d) ? 1 : 0;
    SumTable bySum{};
    for (int s = 0; s <= kMaxByteSum; ++s)
        bySum[static_cast<size_t>(s)] = byDirection[static_cast<size_t>(direction(ref, s) + 1)];
    return sumFilter(bySum);
}

// ---------------------------------------------------------------- SUME

const StatClassInfo TstSumEvenValues::Class = statClass<TstSumEvenValues>(StatClassInfo{
    .className = "TstSumEvenValues",
    .codeFormat = "SUME",
    .titleFormat = ZT("Сумма тиража: только четные"),
    .group = 1,
    .flags = kFlagNorm,
});

QString TstSumEvenValues::ValueText(const TStatDrawItem& item) const
{
    return QString::number(item.Key.L(1));
}

void TstSumEvenValues::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    keys.add(TStatKey::l2(static_cast<uint32_t>(partSumOf(nums, kEvenPart)), 0));
}

bool TstSumEvenValues::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    return MatchLong2(selected, static_cast<uint32_t>(partSumOf(comb.n.data(), kEvenPart)), 0);
}

std::unique_ptr<CombFilter> TstSumEvenValues::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                                            bool)
{
    LoadDraws(-1, end, sorted);
    return partSumFilter(kEvenPart, selectedExactSums(selected));
}

// ---------------------------------------------------------------- SUMP

const StatClassInfo TstSumPrimeValues::Class = statClass<TstSumPrimeValues>(StatClassInfo{
    .className = "TstSumPrimeValues",
    .codeFormat = "SUMP",
    .titleFormat = ZT("Сумма тиража: только простые"),
    .group = 1,
    .flags = kFlagNorm,
});

QString TstSumPrimeValues::ValueText(const TStatDrawItem& item) const
{
    return QString::number(item.Key.L(1));
}

void TstSumPrimeValues::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    keys.add(TStatKey::l2(static_cast<uint32_t>(partSumOf(nums, kPrimePart)), 0));
}

bool TstSumPrimeValues::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    return MatchLong2(selected, static_cast<uint32_t>(partSumOf(comb.n.data(), kPrimePart)), 0);
}

std::unique_ptr<CombFilter> TstSumPrimeValues::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                                             bool)
{
    LoadDraws(-1, end, sorted);
    return partSumFilter(kPrimePart, selectedExactSums(selected));
}

// ---------------------------------------------------------------- S2T3

const StatClassInfo TstSum2To3::Class = statClass<TstSum2To3>(StatClassInfo{
    .className = "TstSum2To3",
    .codeFormat = "S2T3",
    .titleFormat = ZT("Сумма двух чисел тиража равна третьему числу"),
    .group = 1,
    .flags = kFlagNorm,
});

void TstSum2To3::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    keys.addK1(sumTriplesFast(nums));
}

bool TstSum2To3::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    return MatchK(selected, 1, sumTriples(comb.n.data()));
}

std::unique_ptr<CombFilter> TstSum2To3::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted, bool)
{
    LoadDraws(-1, end, sorted);
    // Five equal numbers (zeros from a damaged file) make the most triples:
    // each of the five positions with each of the six pairs of the others.
    constexpr int kMaxTriples = kMainCount * (kMainCount - 1) * (kMainCount - 2) / 2;
    const auto byCount = selectedK1Table<kMaxTriples + 1>(selected);
    return makeCombFilter(
        [byCount](const TComb& c) { return byCount[static_cast<size_t>(sumTriplesFast(c.n.data()))] != 0; });
}

}  // namespace zircon
