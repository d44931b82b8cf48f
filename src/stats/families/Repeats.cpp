#include "stats/families/Repeats.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>

#include "core/Tr.h"

namespace zircon {
namespace {

constexpr uint8_t kGroup = 7;

// Every member reads the draws before the one it counts (flag "D"), so none
// has a norm over the full set.
template <class T>
StatClassInfo repeatsClass(const char* className, const char* code, const char* title)
{
    return statClass<T>(StatClassInfo{
        .className = className,
        .codeFormat = code,
        .titleFormat = title,
        .group = kGroup,
        .flags = kFlagSecond,
    });
}

constexpr bool isMember(unsigned n)
{
    return n >= 1 && n <= static_cast<unsigned>(kMainMax);
}

// The distinct numbers 1..69 of a draw in position order; what a damaged
// record holds beside them is no member of the set.
int membersOf(const TDraw& d, uint8_t (&out)[kMainCount])
{
    int count = 0;
    for (uint8_t n : d.nums)
        if (isMember(n) && std::find(out, out + count, n) == out + count)
            out[count++] = n;
    return count;
}

NumberMask maskOf(const TDraw& d)
{
    NumberMask m;
    for (uint8_t n : d.nums)
        if (isMember(n))
            m.set(n);
    return m;
}

// The set of a draw with every member moved by s.
NumberMask shiftedMaskOf(const TDraw& d, int s)
{
    NumberMask m;
    for (uint8_t n : d.nums)
        if (isMember(n))
            m.set(static_cast<unsigned>(shiftNumber(n, s)));
    return m;
}

NumberMask both(NumberMask a, NumberMask b)
{
    return NumberMask{a.lo & b.lo, a.hi & b.hi};
}

NumberMask firstOnly(NumberMask a, NumberMask b)
{
    return NumberMask{a.lo & ~b.lo, a.hi & ~b.hi};
}

int commonCount(NumberMask a, NumberMask b)
{
    return std::popcount(a.lo & b.lo) + std::popcount(a.hi & b.hi);
}

// The bit of each byte value that is a number 1..69; none for the rest.
constexpr std::array<NumberMask, 256> kNumberBits = [] {
    std::array<NumberMask, 256> t{};
    for (unsigned n = 1; n <= static_cast<unsigned>(kMainMax); ++n) {
        if (n < 64)
            t[n].lo = uint64_t{1} << n;
        else
            t[n].hi = uint64_t{1} << (n - 64);
    }
    return t;
}();

// The distinct numbers 1..69 of a combination as a set.
NumberMask combMask(const TComb& c)
{
    const NumberMask& a = kNumberBits[c.n[0]];
    const NumberMask& b = kNumberBits[c.n[1]];
    const NumberMask& e = kNumberBits[c.n[2]];
    const NumberMask& f = kNumberBits[c.n[3]];
    const NumberMask& g = kNumberBits[c.n[4]];
    return NumberMask{a.lo | b.lo | e.lo | f.lo | g.lo, a.hi | b.hi | e.hi | f.hi | g.hi};
}

using ByteTable = std::array<uint8_t, 256>;

// The plain test of the "values" members: any of the five stored bytes is a
// selected value.
bool anyNumberSelected(const TComb& comb, const TStatDrawArray& selected)
{
    for (uint8_t n : comb.n)
        if (MatchK(selected, 1, n))
            return true;
    return false;
}

std::unique_ptr<CombFilter> anyNumberFilter(const TStatDrawArray& selected)
{
    const ByteTable flagged = selectedK1Table<256>(selected);
    return makeCombFilter([flagged](const TComb& c) {
        return (flagged[c.n[0]] | flagged[c.n[1]] | flagged[c.n[2]] | flagged[c.n[3]] | flagged[c.n[4]]) != 0;
    });
}

// How many distinct numbers of the combination the target set holds,
// selected by MatchK(1, count). A count never exceeds 5.
std::unique_ptr<CombFilter> countFilter(NumberMask target, const TStatDrawArray& selected)
{
    const ByteTable any = selectedK1Table<256>(selected);
    std::array<uint8_t, 8> byCount{};
    std::copy_n(any.begin(), kMainCount + 1, byCount.begin());
    return makeCombFilter([target, byCount](const TComb& c) {
        return byCount[static_cast<size_t>(commonCount(combMask(c), target))] != 0;
    });
}

// The distinct numbers of the combination that the set holds.
int combCountIn(const TComb& comb, NumberMask set)
{
    int count = 0;
    for (size_t i = 0; i < comb.n.size(); ++i) {
        const uint8_t n = comb.n[i];
        const bool repeated = std::find(comb.n.begin(), comb.n.begin() + static_cast<std::ptrdiff_t>(i), n)
                              != comb.n.begin() + static_cast<std::ptrdiff_t>(i);
        if (!repeated && isMember(n) && set.test(n))
            ++count;
    }
    return count;
}

void mergeK1(TCustomStat& stat, TStatDrawArray& items, int value)
{
    stat.Cur.Key = TStatKey::k1(static_cast<uint16_t>(value));
    items.AddValue(stat.Cur, true);
}

// The numbers of the last draw in drawn order (moved by s), listed before
// any draw of the window is processed.
void preseedLastDraw(TCustomStat& stat, int end, int s, TStatDrawArray& items)
{
    uint8_t members[kMainCount];
    const int count = membersOf(stat.GetDraw(end, false), members);
    TStatDrawItem seed;
    for (int k = 0; k < count; ++k) {
        seed.Key = TStatKey::k1(static_cast<uint16_t>(shiftNumber(members[k], s)));
        items.AddValue(seed, false);
    }
}

// RPV3 and PRL2: each number of draw i (loaded as CurDraw, the last draw as
// SecondDraw) that is in the last draw and in draw i - 1, merged when its
// presence in draw i - 2 is `inThird`.
void mergeThreeDrawRepeats(TCustomStat& stat, int index, bool sorted, bool inThird, TStatDrawArray& items)
{
    const NumberMask last = maskOf(stat.SecondDraw);
    const NumberMask previous = maskOf(stat.GetDraw(index - 1, sorted));
    const NumberMask third = maskOf(stat.GetDraw(index - 2, sorted));
    uint8_t members[kMainCount];
    const int count = membersOf(stat.CurDraw, members);
    for (int k = 0; k < count; ++k) {
        const uint8_t x = members[k];
        if (last.test(x) && previous.test(x) && third.test(x) == inThird)
            mergeK1(stat, items, x);
    }
}

// RPC3 (`inThird`) and PRB2: the numbers of draw i - 1 that draw i - 2 also
// holds, or those it does not.
NumberMask threeDrawTarget(const TCustomStat& stat, int index, bool sorted, bool inThird)
{
    const NumberMask previous = maskOf(stat.GetDraw(index - 1, sorted));
    const NumberMask third = maskOf(stat.GetDraw(index - 2, sorted));
    return inThird ? both(previous, third) : firstOnly(previous, third);
}

}  // namespace

int shiftNumber(int n, int s)
{
    int r = n + s;
    if (r <= 0)
        r += kMainMax;
    else if (r > kMainMax)
        r -= kMainMax;
    return r;
}

// ---------------------------------------------------------------- values

void TCustomRepValues2Stat::BeginStat(int end, TStatDrawArray& items)
{
    TCustomValuesStat::BeginStat(end, items);
    preseedLastDraw(*this, end, Shift(), items);
}

void TCustomRepValues2Stat::AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items,
                                          TStatWork& work, TLastValueArray& last)
{
    TCustomValuesStat::AddDrawValues(index, end, sorted, items, work, last);
    const int s = Shift();
    const NumberMask candidates = shiftedMaskOf(SecondDraw, s);
    const NumberMask drawn = maskOf(CurDraw);
    uint8_t earlier[kMainCount];
    const int count = membersOf(GetDraw(index - Distance(), sorted), earlier);
    for (int k = 0; k < count; ++k) {
        const int x = shiftNumber(earlier[k], s);
        if (candidates.test(static_cast<unsigned>(x)) && drawn.test(static_cast<unsigned>(x)))
            mergeK1(*this, items, x);
    }
}

bool TCustomRepValues2Stat::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    return anyNumberSelected(comb, selected);
}

std::unique_ptr<CombFilter> TCustomRepValues2Stat::PrepareFilter(const TStatDrawArray& selected, int end,
                                                                 bool sorted, bool)
{
    LoadDraws(-1, end, sorted);
    return anyNumberFilter(selected);
}

const StatClassInfo TstRepValues2::Class =
    repeatsClass<TstRepValues2>("TstRepValues2", "RPV2", ZT("Повторяющиеся числа в 2-х тиражах подряд"));

const StatClassInfo TstRepValues2over1::Class = repeatsClass<TstRepValues2over1>(
    "TstRepValues2over1", "PRV2O1", ZT("Повторяющиеся числа в 2-х тиражах через 1 тираж(а)"));

const StatClassInfo TstRepValues2over2::Class = repeatsClass<TstRepValues2over2>(
    "TstRepValues2over2", "PRV2O2", ZT("Повторяющиеся числа в 2-х тиражах через 2 тираж(а)"));

const StatClassInfo TstRepValues2over3::Class = repeatsClass<TstRepValues2over3>(
    "TstRepValues2over3", "PRV2O3", ZT("Повторяющиеся числа в 2-х тиражах через 3 тираж(а)"));

const StatClassInfo TstRepValues2P1::Class =
    repeatsClass<TstRepValues2P1>("TstRepValues2P1", "PRV+1", ZT("Данные предыдущего тиража + 1"));

const StatClassInfo TstRepValues2N1::Class =
    repeatsClass<TstRepValues2N1>("TstRepValues2N1", "PRV-1", ZT("Данные предыдущего тиража - 1"));

const StatClassInfo TstRepValues2P2::Class =
    repeatsClass<TstRepValues2P2>("TstRepValues2P2", "PRV+2", ZT("Данные предыдущего тиража + 2"));

const StatClassInfo TstRepValues2N2::Class =
    repeatsClass<TstRepValues2N2>("TstRepValues2N2", "PRV-2", ZT("Данные предыдущего тиража - 2"));

// ---------------------------------------------------------------- RPV3

const StatClassInfo TstRepValues3::Class =
    repeatsClass<TstRepValues3>("TstRepValues3", "RPV3", ZT("Повторяющиеся числа в 3-х тиражах подряд"));

void TstRepValues3::BeginStat(int end, TStatDrawArray& items)
{
    TCustomValuesStat::BeginStat(end, items);
    preseedLastDraw(*this, end, 0, items);
}

void TstRepValues3::AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork& work,
                                  TLastValueArray& last)
{
    TCustomValuesStat::AddDrawValues(index, end, sorted, items, work, last);
    mergeThreeDrawRepeats(*this, index, sorted, true, items);
}

bool TstRepValues3::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    return anyNumberSelected(comb, selected);
}

std::unique_ptr<CombFilter> TstRepValues3::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                                         bool)
{
    LoadDraws(-1, end, sorted);
    return anyNumberFilter(selected);
}

// ---------------------------------------------------------------- PRL2

const StatClassInfo TstRepValues2B3::Class =
    repeatsClass<TstRepValues2B3>("TstRepValues2B3", "PRL2", ZT("Повторяющиеся числа не более чем в 2-х тиражах"));

void TstRepValues2B3::BeginStat(int end, TStatDrawArray& items)
{
    TCustomValuesStat::BeginStat(end, items);
    preseedLastDraw(*this, end, 0, items);
}

void TstRepValues2B3::AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork& work,
                                    TLastValueArray& last)
{
    TCustomValuesStat::AddDrawValues(index, end, sorted, items, work, last);
    mergeThreeDrawRepeats(*this, index, sorted, false, items);
}

bool TstRepValues2B3::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    return anyNumberSelected(comb, selected);
}

std::unique_ptr<CombFilter> TstRepValues2B3::PrepareFilter(const TStatDrawArray& selected, int end,
                                                           bool sorted, bool)
{
    LoadDraws(-1, end, sorted);
    return anyNumberFilter(selected);
}

// ---------------------------------------------------------------- counts

void TCustomRepCount2Stat::BeginStat(int end, TStatDrawArray& items)
{
    TCustomNumbersStat::BeginStat(end, items);
    preseedK1(items, 1, kMainCount);
}

void TCustomRepCount2Stat::AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items,
                                         TStatWork& work, TLastValueArray& last)
{
    TCustomNumbersStat::AddDrawValues(index, end, sorted, items, work, last);
    const NumberMask earlier = shiftedMaskOf(GetDraw(index - Distance(), sorted), Shift());
    mergeK1(*this, items, commonCount(earlier, maskOf(CurDraw)));
}

bool TCustomRepCount2Stat::CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                                       bool)
{
    // The draw that stands Distance draws before the one following the window.
    uint8_t members[kMainCount];
    const int count = membersOf(GetDraw(end - Distance() + 1, sorted), members);
    int shared = 0;
    for (int k = 0; k < count; ++k) {
        const int p = shiftNumber(members[k], Shift());
        if (std::find(comb.n.begin(), comb.n.end(), p) != comb.n.end())
            ++shared;
    }
    return MatchK(selected, 1, shared);
}

std::unique_ptr<CombFilter> TCustomRepCount2Stat::PrepareFilter(const TStatDrawArray& selected, int end,
                                                                bool sorted, bool)
{
    LoadDraws(-1, end, sorted);
    return countFilter(shiftedMaskOf(GetDraw(end - Distance() + 1, sorted), Shift()), selected);
}

const StatClassInfo TstRepCount2::Class =
    repeatsClass<TstRepCount2>("TstRepCount2", "RPC2", ZT("Количество повторов в 2-х тиражах подряд"));

const StatClassInfo TstRepCount2over1::Class = repeatsClass<TstRepCount2over1>(
    "TstRepCount2over1", "RPO1", ZT("Количество повторов в 2-х тиражах через 1 тираж(а)"));

const StatClassInfo TstRepCount2over2::Class = repeatsClass<TstRepCount2over2>(
    "TstRepCount2over2", "PRC2O2", ZT("Количество повторов в 2-х тиражах через 2 тираж(а)"));

const StatClassInfo TstRepCount2over3::Class = repeatsClass<TstRepCount2over3>(
    "TstRepCount2over3", "PRC2O3", ZT("Количество повторов в 2-х тиражах через 3 тираж(а)"));

const StatClassInfo TstRepCount2P1::Class =
    repeatsClass<TstRepCount2P1>("TstRepCount2P1", "PRC+1", ZT("Количество совпадений \"значений + 1\""));

const StatClassInfo TstRepCount2N1::Class =
    repeatsClass<TstRepCount2N1>("TstRepCount2N1", "PRC-1", ZT("Количество совпадений \"значений - 1\""));

const StatClassInfo TstRepCount2P2::Class =
    repeatsClass<TstRepCount2P2>("TstRepCount2P2", "PRC+2", ZT("Количество совпадений \"значений + 2\""));

const StatClassInfo TstRepCount2N2::Class =
    repeatsClass<TstRepCount2N2>("TstRepCount2N2", "PRC-2", ZT("Количество совпадений \"значений - 2\""));

// ---------------------------------------------------------------- RPC3

const StatClassInfo TstRepCount3::Class =
    repeatsClass<TstRepCount3>("TstRepCount3", "RPC3", ZT("Количество повторов в 3-х тиражах подряд"));

void TstRepCount3::BeginStat(int end, TStatDrawArray& items)
{
    TCustomNumbersStat::BeginStat(end, items);
    preseedK1(items, 1, kMainCount);
}

void TstRepCount3::AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork& work,
                                 TLastValueArray& last)
{
    TCustomNumbersStat::AddDrawValues(index, end, sorted, items, work, last);
    mergeK1(*this, items, commonCount(maskOf(CurDraw), threeDrawTarget(*this, index, sorted, true)));
}

bool TstRepCount3::CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted, bool)
{
    // The combination stands as the draw after the window: its two draws
    // before are the window's last two.
    return MatchK(selected, 1, combCountIn(comb, threeDrawTarget(*this, end + 1, sorted, true)));
}

std::unique_ptr<CombFilter> TstRepCount3::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                                        bool)
{
    LoadDraws(-1, end, sorted);
    return countFilter(threeDrawTarget(*this, end + 1, sorted, true), selected);
}

// ---------------------------------------------------------------- PRB2

const StatClassInfo TstRepCount2B3::Class =
    repeatsClass<TstRepCount2B3>("TstRepCount2B3", "PRB2", ZT("Количество повторов не более чем в 2-х тиражах"));

void TstRepCount2B3::BeginStat(int end, TStatDrawArray& items)
{
    TCustomNumbersStat::BeginStat(end, items);
    preseedK1(items, 1, kMainCount);
}

void TstRepCount2B3::AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork& work,
                                   TLastValueArray& last)
{
    TCustomNumbersStat::AddDrawValues(index, end, sorted, items, work, last);
    mergeK1(*this, items, commonCount(maskOf(CurDraw), threeDrawTarget(*this, index, sorted, false)));
}

bool TstRepCount2B3::CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted, bool)
{
    return MatchK(selected, 1, combCountIn(comb, threeDrawTarget(*this, end + 1, sorted, false)));
}

std::unique_ptr<CombFilter> TstRepCount2B3::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                                          bool)
{
    LoadDraws(-1, end, sorted);
    return countFilter(threeDrawTarget(*this, end + 1, sorted, false), selected);
}

}  // namespace zircon
