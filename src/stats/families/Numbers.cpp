#include "stats/families/Numbers.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/Tr.h"

namespace zircon {
namespace {

constexpr int kMaskBits = 5;
constexpr int kMaskCount = 1 << kMaskBits;

// The primes of the range with 1 counted among them, as the players count.
constexpr std::array<uint8_t, 20> kPrimes = {1, 2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47, 53, 59, 61, 67};

constexpr bool isEven(unsigned n) { return n % 2 == 0; }
constexpr bool isOdd(unsigned n) { return n % 2 != 0; }
constexpr bool isSmall(unsigned n) { return n <= 34; }
constexpr bool isLarge(unsigned n) { return n >= 35; }
constexpr bool isPrime(unsigned n)
{
    return std::find(kPrimes.begin(), kPrimes.end(), n) != kPrimes.end();
}

using Property = bool (*)(unsigned);

int countOf(const uint8_t* nums, Property has)
{
    int c = 0;
    for (int i = 0; i < kMainCount; ++i)
        c += has(nums[i]) ? 1 : 0;
    return c;
}

// First number in bit 4, fifth in bit 0.
uint32_t maskOf(const uint8_t* nums, Property has)
{
    uint32_t m = 0;
    for (int i = 0; i < kMainCount; ++i)
        m = (m << 1) | (has(nums[i]) ? 1u : 0u);
    return m;
}

// The decimal digits of n without leading zeros, left to right; 0 is "0".
int decimalDigits(unsigned n, uint8_t (&out)[3])
{
    if (n >= 100) {
        out[0] = static_cast<uint8_t>(n / 100);
        out[1] = static_cast<uint8_t>(n / 10 % 10);
        out[2] = static_cast<uint8_t>(n % 10);
        return 3;
    }
    if (n >= 10) {
        out[0] = static_cast<uint8_t>(n / 10);
        out[1] = static_cast<uint8_t>(n % 10);
        return 2;
    }
    out[0] = static_cast<uint8_t>(n);
    return 1;
}

// A flag per byte value. Combinations hold bytes, so indexing by a number
// never leaves the table, whatever a file put into a combination.
using ByteTable = std::array<uint8_t, 256>;

constexpr ByteTable propertyTable(Property has)
{
    ByteTable t{};
    for (unsigned n = 0; n < t.size(); ++n)
        t[n] = has(n) ? 1 : 0;
    return t;
}

constexpr ByteTable kEvenTable = propertyTable(isEven);
constexpr ByteTable kOddTable = propertyTable(isOdd);
constexpr ByteTable kSmallTable = propertyTable(isSmall);
constexpr ByteTable kLargeTable = propertyTable(isLarge);
constexpr ByteTable kPrimeTable = propertyTable(isPrime);

// Numbers n whose item is exactly {n, 0, 0, 0}: the MatchKey4 test.
ByteTable selectedExactK1(const TStatDrawArray& selected)
{
    ByteTable t{};
    for (const TStatDrawItem& it : selected)
        if (it.Key.raw < t.size())
            t[static_cast<size_t>(it.Key.raw)] = 1;
    return t;
}

// Masks m with an item whose L1 is m, whatever L2 holds: the MatchL(1, m) test.
std::array<uint8_t, kMaskCount> selectedMasks(const TStatDrawArray& selected)
{
    std::array<uint8_t, kMaskCount> t{};
    for (const TStatDrawItem& it : selected)
        if (it.Key.L(1) < t.size())
            t[it.Key.L(1)] = 1;
    return t;
}

std::unique_ptr<CombFilter> ratioFilter(const ByteTable& property, const TStatDrawArray& selected)
{
    const ByteTable any = selectedK1Table<256>(selected);
    std::array<uint8_t, 8> byCount{};
    std::copy_n(any.begin(), kMainCount + 1, byCount.begin());
    return makeCombFilter([property, byCount](const TComb& c) {
        const unsigned count = property[c.n[0]] + property[c.n[1]] + property[c.n[2]] + property[c.n[3]]
                               + property[c.n[4]];
        return byCount[count] != 0;
    });
}

std::unique_ptr<CombFilter> maskFilter(const ByteTable& property, const TStatDrawArray& selected)
{
    const std::array<uint8_t, kMaskCount> byMask = selectedMasks(selected);
    return makeCombFilter([property, byMask](const TComb& c) {
        const unsigned mask = static_cast<unsigned>(property[c.n[0]] << 4 | property[c.n[1]] << 3
                                                    | property[c.n[2]] << 2 | property[c.n[3]] << 1
                                                    | property[c.n[4]]);
        return byMask[mask] != 0;
    });
}

// "Any of the five numbers is flagged", for NUMS and DIGS.
std::unique_ptr<CombFilter> anyNumberFilter(const ByteTable& flagged)
{
    return makeCombFilter([flagged](const TComb& c) {
        return (flagged[c.n[0]] | flagged[c.n[1]] | flagged[c.n[2]] | flagged[c.n[3]] | flagged[c.n[4]]) != 0;
    });
}

std::unique_ptr<CombFilter> noneFilter()
{
    return makeCombFilter([](const TComb&) { return false; });
}

void addMaskKey(KeyList& keys, uint32_t mask)
{
    keys.add(TStatKey::l2(mask, 0));
}

std::pair<int, int> positionRange(const TConfigData&)
{
    return {1, kMainCount};
}

std::pair<int, int> extraRange(const TConfigData&)
{
    return {1, 1};
}

}  // namespace

// ---------------------------------------------------------------- NUMS

const StatClassInfo TstValues::Class = statClass<TstValues>(StatClassInfo{
    .className = "TstValues",
    .codeFormat = "NUMS",
    .titleFormat = ZT("Числа тиража"),
    .group = 0,
    .flags = kFlagNorm,
});

void TstValues::BeginStat(int end, TStatDrawArray& items)
{
    TCustomValuesStat::BeginStat(end, items);
    preseedK1(items, 1, kMainMax);
}

void TstValues::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    for (int i = 0; i < kMainCount; ++i)
        keys.addK1(nums[i]);
}

bool TstValues::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    for (uint8_t n : comb.n)
        if (MatchKey4(selected, n, 0, 0, 0))
            return true;
    return false;
}

std::unique_ptr<CombFilter> TstValues::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted, bool)
{
    LoadDraws(-1, end, sorted);
    return anyNumberFilter(selectedExactK1(selected));
}

// ---------------------------------------------------------------- DIGS

const StatClassInfo TstDigits::Class = statClass<TstDigits>(StatClassInfo{
    .className = "TstDigits",
    .codeFormat = "DIGS",
    .titleFormat = ZT("Цифры тиража"),
    .group = 0,
    .flags = kFlagNorm,
});

void TstDigits::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    uint8_t digits[3];
    for (int i = 0; i < kMainCount; ++i) {
        const int count = decimalDigits(nums[i], digits);
        for (int d = 0; d < count; ++d)
            keys.addK1(digits[d]);
    }
}

bool TstDigits::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    uint8_t digits[3];
    for (uint8_t n : comb.n) {
        const int count = decimalDigits(n, digits);
        for (int d = 0; d < count; ++d)
            if (MatchKey4(selected, digits[d], 0, 0, 0))
                return true;
    }
    return false;
}

std::unique_ptr<CombFilter> TstDigits::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted, bool)
{
    LoadDraws(-1, end, sorted);
    // Turned once into "this number has a selected digit", so the test is the
    // same five lookups as for NUMS.
    const ByteTable digitSelected = selectedExactK1(selected);
    ByteTable numberSelected{};
    uint8_t digits[3];
    for (unsigned n = 0; n < numberSelected.size(); ++n) {
        const int count = decimalDigits(n, digits);
        for (int d = 0; d < count; ++d)
            numberSelected[n] |= digitSelected[digits[d]];
    }
    return anyNumberFilter(numberSelected);
}

// ---------------------------------------------------------------- EVEN

const StatClassInfo TstEvenCount::Class = statClass<TstEvenCount>(StatClassInfo{
    .className = "TstEvenCount",
    .codeFormat = "EVEN",
    .titleFormat = ZT("Количество четных чисел в тираже (Ч:Н)"),
    .group = 0,
    .flags = kFlagNorm,
});

void TstEvenCount::BeginStat(int end, TStatDrawArray& items)
{
    TCustomRatioStat::BeginStat(end, items);
    preseedK1(items, 1, kMainCount);
}

void TstEvenCount::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    keys.addK1(countOf(nums, isEven));
}

bool TstEvenCount::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    return MatchK(selected, 1, countOf(comb.n.data(), isEven));
}

std::unique_ptr<CombFilter> TstEvenCount::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted, bool)
{
    LoadDraws(-1, end, sorted);
    return ratioFilter(kEvenTable, selected);
}

// ---------------------------------------------------------------- EVNV

const StatClassInfo TstEvenValues::Class = statClass<TstEvenValues>(StatClassInfo{
    .className = "TstEvenValues",
    .codeFormat = "EVNV",
    .titleFormat = ZT("Четные и нечетные числа в тираже (Чн..нЧ)"),
    .group = 0,
    .flags = kFlagSorted | kFlagNorm,
});

QString TstEvenValues::ZeroSymbol() const
{
    return tr("Ч");
}

QString TstEvenValues::OneSymbol() const
{
    return tr("н");
}

void TstEvenValues::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    addMaskKey(keys, maskOf(nums, isOdd));
}

bool TstEvenValues::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    return MatchL(selected, 1, maskOf(comb.n.data(), isOdd));
}

std::unique_ptr<CombFilter> TstEvenValues::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted, bool)
{
    LoadDraws(-1, end, sorted);
    return maskFilter(kOddTable, selected);
}

// ---------------------------------------------------------------- SMAL

const StatClassInfo TstSmallCount::Class = statClass<TstSmallCount>(StatClassInfo{
    .className = "TstSmallCount",
    .codeFormat = "SMAL",
    .titleFormat = ZT("Количество чисел из первой половины диапазона (1П:2П)"),
    .group = 0,
    .flags = kFlagNorm,
});

void TstSmallCount::BeginStat(int end, TStatDrawArray& items)
{
    TCustomRatioStat::BeginStat(end, items);
    preseedK1(items, 1, kMainCount);
}

void TstSmallCount::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    keys.addK1(countOf(nums, isSmall));
}

bool TstSmallCount::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    return MatchK(selected, 1, countOf(comb.n.data(), isSmall));
}

std::unique_ptr<CombFilter> TstSmallCount::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted, bool)
{
    LoadDraws(-1, end, sorted);
    return ratioFilter(kSmallTable, selected);
}

// ---------------------------------------------------------------- SMLV

const StatClassInfo TstSmallValues::Class = statClass<TstSmallValues>(StatClassInfo{
    .className = "TstSmallValues",
    .codeFormat = "SMLV",
    .titleFormat = ZT("Числа из первой половины диапазона (12..12)"),
    .group = 0,
    .flags = kFlagSorted | kFlagNorm,
});

QString TstSmallValues::ZeroSymbol() const
{
    return tr("1");
}

QString TstSmallValues::OneSymbol() const
{
    return tr("2");
}

void TstSmallValues::BeginStat(int, TStatDrawArray&) {}

void TstSmallValues::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    addMaskKey(keys, maskOf(nums, isLarge));
}

bool TstSmallValues::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    return MatchL(selected, 1, maskOf(comb.n.data(), isLarge));
}

std::unique_ptr<CombFilter> TstSmallValues::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted, bool)
{
    LoadDraws(-1, end, sorted);
    return maskFilter(kLargeTable, selected);
}

// ---------------------------------------------------------------- PRIM

const StatClassInfo TstPrimeCount::Class = statClass<TstPrimeCount>(StatClassInfo{
    .className = "TstPrimeCount",
    .codeFormat = "PRIM",
    .titleFormat = ZT("Количество простых чисел (П:С)"),
    .group = 0,
    .flags = kFlagNorm,
});

void TstPrimeCount::BeginStat(int end, TStatDrawArray& items)
{
    TCustomRatioStat::BeginStat(end, items);
    preseedK1(items, 1, kMainCount);
}

void TstPrimeCount::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    keys.addK1(countOf(nums, isPrime));
}

bool TstPrimeCount::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    return MatchK(selected, 1, countOf(comb.n.data(), isPrime));
}

std::unique_ptr<CombFilter> TstPrimeCount::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted, bool)
{
    LoadDraws(-1, end, sorted);
    return ratioFilter(kPrimeTable, selected);
}

// ---------------------------------------------------------------- PRMV

const StatClassInfo TstPrimeValues::Class = statClass<TstPrimeValues>(StatClassInfo{
    .className = "TstPrimeValues",
    .codeFormat = "PRMV",
    .titleFormat = ZT("Простые и составные числа (ПС..СП)"),
    .group = 0,
    .flags = kFlagSorted | kFlagNorm,
});

QString TstPrimeValues::ZeroSymbol() const
{
    return tr("С");
}

QString TstPrimeValues::OneSymbol() const
{
    return tr("П");
}

void TstPrimeValues::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    addMaskKey(keys, maskOf(nums, isPrime));
}

bool TstPrimeValues::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    return MatchL(selected, 1, maskOf(comb.n.data(), isPrime));
}

std::unique_ptr<CombFilter> TstPrimeValues::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted, bool)
{
    LoadDraws(-1, end, sorted);
    return maskFilter(kPrimeTable, selected);
}

// ---------------------------------------------------------------- POS%d

const StatClassInfo TstPosVal::Class = statClass<TstPosVal>(StatClassInfo{
    .className = "TstPosVal",
    .codeFormat = "POS%d",
    .titleFormat = ZT("Число в %0:d позиции тиража"),
    .helpCodeFormat = "POSx",
    .group = 0,
    .flags = kFlagSorted | kFlagNorm,
    .paramRange = positionRange,
});

void TstPosVal::BeginStat(int end, TStatDrawArray& items)
{
    TCustomGraphStat::BeginStat(end, items);
    preseedK1(items, 1, kMainMax);
}

void TstPosVal::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    if (Param >= 1 && Param <= kMainCount)
        keys.addK1(nums[Param - 1]);
}

bool TstPosVal::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    if (Param < 1 || Param > kMainCount)
        return false;
    return MatchK(selected, 1, comb.n[static_cast<size_t>(Param - 1)]);
}

std::unique_ptr<CombFilter> TstPosVal::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted, bool)
{
    LoadDraws(-1, end, sorted);
    if (Param < 1 || Param > kMainCount)
        return noneFilter();
    const ByteTable byNumber = selectedK1Table<256>(selected);
    const auto at = static_cast<size_t>(Param - 1);
    return makeCombFilter([byNumber, at](const TComb& c) { return byNumber[c.n[at]] != 0; });
}

// ---------------------------------------------------------------- POE%d

const StatClassInfo TstPosExt::Class = statClass<TstPosExt>(StatClassInfo{
    .className = "TstPosExt",
    .codeFormat = "POE%d",
    .titleFormat = ZT("Extra (Bonus, Star...) - число (!без фильтра!)"),
    .helpCodeFormat = "POSx",
    .group = 0,
    .flags = 0,
    .paramRange = extraRange,
});

void TstPosExt::AddCombValues(const TComb&, TStatDrawArray&)
{
    Cur = TStatDrawItem{};
    Cur.Count = 1;
}

void TstPosExt::AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork& work,
                              TLastValueArray& last)
{
    TCustomGraphStat::AddDrawValues(index, end, sorted, items, work, last);
    Cur.Key = TStatKey::k1(CurDraw.extra);
    items.AddValue(Cur, true);
}

bool TstPosExt::CombMatches(const TComb&, const TStatDrawArray&, int, bool, bool)
{
    return false;
}

int32_t TstPosExt::CombGraphValue(const uint8_t*, int index, int end, bool sorted)
{
    LoadDraws(index, end, sorted);
    return CurDraw.extra;
}

std::unique_ptr<CombFilter> TstPosExt::PrepareFilter(const TStatDrawArray&, int end, bool sorted, bool)
{
    LoadDraws(-1, end, sorted);
    return noneFilter();
}

}  // namespace zircon
