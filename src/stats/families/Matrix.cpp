#include "stats/families/Matrix.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "stats/SelectedKeySet.h"
#include "stats/TStatList.h"

namespace zircon {
namespace {

using ByteTable = std::array<uint8_t, 256>;

// ---------------------------------------------------------------- masks

// Up to this many columns the pattern is a number in L1, up to kWideMaskParts
// one in the whole key; beyond, the occupied columns one per byte.
constexpr int kNarrowMaskParts = 32;
constexpr int kWideMaskParts = 64;

// The occupied parts of five numbers, distinct and ascending; how many.
int occupiedParts(const ByteTable& of, const uint8_t* nums, uint8_t (&parts)[kMainCount])
{
    int k = 0;
    for (int i = 0; i < kMainCount; ++i) {
        const uint8_t p = of[nums[i]];
        if (p == 0 || std::find(parts, parts + k, p) != parts + k)
            continue;
        parts[k++] = p;
    }
    std::sort(parts, parts + k);
    return k;
}

uint64_t packedParts(const uint8_t* parts, int count)
{
    uint64_t raw = 0;
    for (int j = 0; j < count; ++j)
        raw |= uint64_t{parts[j]} << (8 * j);
    return raw;
}

// Part p of a pattern of `parts` parts sits in bit parts - p: part 1 highest.
std::array<uint64_t, 256> maskBits(const ByteTable& of, int parts)
{
    std::array<uint64_t, 256> bits{};
    for (size_t n = 0; n < bits.size(); ++n)
        if (of[n] != 0 && of[n] <= parts)
            bits[n] = uint64_t{1} << (parts - of[n]);
    return bits;
}

// Decimal text of the 128-bit number hi:lo, at least three digits.
QString decimalText(uint64_t hi, uint64_t lo)
{
    uint32_t limbs[4] = {static_cast<uint32_t>(hi >> 32), static_cast<uint32_t>(hi), static_cast<uint32_t>(lo >> 32),
                         static_cast<uint32_t>(lo)};
    QString digits;
    auto zero = [&limbs] { return (limbs[0] | limbs[1] | limbs[2] | limbs[3]) == 0; };
    do {
        uint64_t rem = 0;
        for (uint32_t& limb : limbs) {
            const uint64_t cur = rem << 32 | limb;
            limb = static_cast<uint32_t>(cur / 10);
            rem = cur % 10;
        }
        digits.prepend(QChar(static_cast<char16_t>(u'0' + rem)));
    } while (!zero());
    while (digits.size() < 3)
        digits.prepend(u'0');
    return digits;
}

// ---------------------------------------------------------------- touching pairs

// Two numbers touch along an axis when they share its part (the column)
// and their parts across it (the rows) differ by one.
bool touches(const ByteTable& along, const ByteTable& across, uint8_t a, uint8_t b)
{
    const uint8_t p = along[a];
    if (p == 0 || p != along[b])
        return false;
    const int d = int{across[a]} - int{across[b]};
    return d == 1 || d == -1;
}

// The parts holding touching pairs in the order the pairs (i < j,
// lexicographic) reach them, with how many pairs each holds; how many parts.
struct TouchingParts {
    uint8_t part[10];
    uint8_t pairs[10];
    int count = 0;
};

template <class Touch>
TouchingParts touchingParts(const ByteTable& along, const uint8_t* nums, Touch touch)
{
    TouchingParts t;
    for (int i = 0; i < kMainCount; ++i)
        for (int j = i + 1; j < kMainCount; ++j) {
            if (!touch(nums[i], nums[j]))
                continue;
            const uint8_t p = along[nums[i]];
            int k = 0;
            while (k < t.count && t.part[k] != p)
                ++k;
            if (k == t.count) {
                t.part[t.count] = p;
                t.pairs[t.count] = 0;
                ++t.count;
            }
            ++t.pairs[k];
        }
    return t;
}

// Every (a, b) byte pair that touches, a bit each: 8 KiB.
using TouchTable = std::array<uint64_t, 65536 / 64>;

TouchTable touchTable(const ByteTable& along, const ByteTable& across)
{
    TouchTable bits{};
    for (unsigned a = 1; a <= kMainMax; ++a)
        for (unsigned b = 1; b <= kMainMax; ++b)
            if (touches(along, across, static_cast<uint8_t>(a), static_cast<uint8_t>(b))) {
                const unsigned code = a << 8 | b;
                bits[code >> 6] |= uint64_t{1} << (code & 63);
            }
    return bits;
}

inline bool touchBit(const TouchTable& bits, uint8_t a, uint8_t b)
{
    const unsigned code = unsigned{a} << 8 | b;
    return (bits[code >> 6] >> (code & 63)) & 1;
}

// Most combinations hold no touching pair at all. Each number's bit and the
// bits of the numbers it touches (two at most) tell that in five lookups,
// before the ten pairs are looked at.
struct TouchScreen {
    std::array<uint64_t, 256> selfLo{}, selfHi{};
    std::array<uint64_t, 256> nearLo{}, nearHi{};

    TouchScreen(const ByteTable& along, const ByteTable& across)
    {
        for (unsigned a = 1; a <= kMainMax; ++a) {
            (a < 64 ? selfLo[a] : selfHi[a]) = uint64_t{1} << (a % 64);
            for (unsigned b = 1; b <= kMainMax; ++b)
                if (touches(along, across, static_cast<uint8_t>(a), static_cast<uint8_t>(b)))
                    (b < 64 ? nearLo[a] : nearHi[a]) |= uint64_t{1} << (b % 64);
        }
    }
    bool mayTouch(const TComb& c) const
    {
        const uint64_t lo = selfLo[c.n[0]] | selfLo[c.n[1]] | selfLo[c.n[2]] | selfLo[c.n[3]] | selfLo[c.n[4]];
        const uint64_t hi = selfHi[c.n[0]] | selfHi[c.n[1]] | selfHi[c.n[2]] | selfHi[c.n[3]] | selfHi[c.n[4]];
        uint64_t any = 0;
        for (uint8_t n : c.n)
            any |= (nearLo[n] & lo) | (nearHi[n] & hi);
        return any != 0;
    }
};

// The plain form of the touching pairs: the counting map of AddSimple,
// starting empty, one for the part of every touching pair.
TStatSimpleArray touchingMap(const ByteTable& along, const ByteTable& across, const TComb& comb)
{
    TStatSimpleArray map;
    for (int i = 0; i < kMainCount; ++i)
        for (int j = i + 1; j < kMainCount; ++j)
            if (touches(along, across, comb.n[static_cast<size_t>(i)], comb.n[static_cast<size_t>(j)]))
                AddSimple(map, along[comb.n[static_cast<size_t>(i)]], 1);
    return map;
}

// ---------------------------------------------------------------- registration

std::pair<int, int> columnRange(const TConfigData& config)
{
    return {1, partitionWidth(config.MatrixCols)};
}

std::pair<int, int> rowRange(const TConfigData& config)
{
    return {1, partitionCount(config.MatrixCols)};
}

template <class T>
StatClassInfo matrixClass(const char* className, const char* code, const char* title, bool valueList = true)
{
    return statClass<T>(StatClassInfo{
        .className = className,
        .codeFormat = code,
        .titleFormat = title,
        .group = kMatrixGroup,
        .flags = kFlagNorm,
        .valueListSelectable = valueList,
    });
}

const char* const kColMixTitle = ZT("Сочетания из %0:d столбцов по всем числам тиража");
const char* const kColSeqTitle = ZT("Сочетания из %0:d столбцов по соседним числам");
const char* const kRowMixTitle = ZT("Сочетания из %0:d строк по всем числам тиража");
const char* const kRowSeqTitle = ZT("Сочетания из %0:d строк по соседним числам");

}  // namespace

// ---------------------------------------------------------------- COLM, ROWM

TMatrixMaskStat::TMatrixMaskStat(const StatClassInfo& cls, const TStatList& list, int32_t param, MatrixAxis axis)
    : TCustomMatrixStat(cls, list, param), m_axis(axis), m_parts(partsAlong(axis))
{
}

TStatKey TMatrixMaskStat::maskOf(const uint8_t* nums) const
{
    const ByteTable& of = along(m_axis).of;
    if (m_parts <= kWideMaskParts) {
        uint64_t m = 0;
        for (int i = 0; i < kMainCount; ++i)
            if (const uint8_t p = of[nums[i]])
                m |= uint64_t{1} << (m_parts - p);
        return TStatKey{m};
    }
    uint8_t parts[kMainCount];
    const int count = occupiedParts(of, nums, parts);
    return TStatKey{packedParts(parts, count)};
}

QString TMatrixMaskStat::ValueText(const TStatDrawItem& item) const
{
    // Which parts the value marks, part 1 first.
    std::vector<bool> occupied(static_cast<size_t>(m_parts) + 1, false);
    if (m_parts <= kWideMaskParts) {
        for (int p = 1; p <= m_parts; ++p)
            occupied[static_cast<size_t>(p)] = (item.Key.raw >> (m_parts - p)) & 1;
    } else {
        for (int j = 1; j <= 8; ++j) {
            const int p = item.Key.B(j);
            if (p >= 1 && p <= m_parts)
                occupied[static_cast<size_t>(p)] = true;
        }
    }
    const QString one = tr("1");
    const QString zero = tr("0");
    QString symbols;
    uint64_t hi = 0;
    uint64_t lo = 0;
    for (int p = 1; p <= m_parts; ++p) {
        const bool set = occupied[static_cast<size_t>(p)];
        symbols += set ? one : zero;
        const int bit = m_parts - p;
        if (set)
            (bit < 64 ? lo : hi) |= uint64_t{1} << (bit % 64);
    }
    if (m_parts <= kNarrowMaskParts)
        return fmt(QStringLiteral("%s (%.3d)"), symbols, static_cast<qint64>(item.Key.L(1)));
    return fmt(QStringLiteral("%s (%s)"), symbols, decimalText(hi, lo));
}

int32_t TMatrixMaskStat::ParseValue(const QString& text) const
{
    const QString one = tr("1");
    uint32_t mask = 0;
    for (int i = 0; i < m_parts; ++i) {
        mask <<= 1;
        if (i < text.size() && QStringView(text).mid(i, 1) == one)
            mask |= 1;
    }
    return static_cast<int32_t>(mask);
}

void TMatrixMaskStat::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    keys.add(maskOf(nums));
}

bool TMatrixMaskStat::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    const TStatKey key = maskOf(comb.n.data());
    if (m_parts <= kNarrowMaskParts)
        return MatchL(selected, 1, key.L(1));
    // A wide pattern is compared whole.
    return MatchLong2(selected, key.L(1), key.L(2));
}

std::unique_ptr<CombFilter> TMatrixMaskStat::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                                           bool)
{
    LoadDraws(-1, end, sorted);
    const ByteTable of = along(m_axis).of;
    if (m_parts <= kNarrowMaskParts) {
        // Only L1 is compared: the set holds the selected L1 values.
        std::vector<uint64_t> masks;
        masks.reserve(static_cast<size_t>(selected.size()));
        for (const TStatDrawItem& it : selected)
            masks.push_back(it.Key.L(1));
        const SelectedKeySet set(masks);
        const std::array<uint64_t, 256> bits = maskBits(of, m_parts);
        return makeCombFilter([bits, set](const TComb& c) {
            return set.contains(bits[c.n[0]] | bits[c.n[1]] | bits[c.n[2]] | bits[c.n[3]] | bits[c.n[4]]);
        });
    }
    const SelectedKeySet set(selected);
    if (m_parts <= kWideMaskParts) {
        const std::array<uint64_t, 256> bits = maskBits(of, m_parts);
        return makeCombFilter([bits, set](const TComb& c) {
            return set.contains(bits[c.n[0]] | bits[c.n[1]] | bits[c.n[2]] | bits[c.n[3]] | bits[c.n[4]]);
        });
    }
    return makeCombFilter([of, set](const TComb& c) {
        uint8_t parts[kMainCount];
        const int count = occupiedParts(of, c.n.data(), parts);
        return set.contains(packedParts(parts, count));
    });
}

// ---------------------------------------------------------------- COLA, ROWA

TMatrixAdjacentStat::TMatrixAdjacentStat(const StatClassInfo& cls, const TStatList& list, int32_t param,
                                         MatrixAxis axis)
    : TCustomMatrixStat(cls, list, param), m_axis(axis)
{
}

QString TMatrixAdjacentStat::ValueText(const TStatDrawItem& item) const
{
    return fmt(QStringLiteral("%0:d x %1:d"), int{item.Key.K(1)}, int{item.Key.K(2)});
}

void TMatrixAdjacentStat::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    const ByteTable& a = along(m_axis).of;
    const ByteTable& b = across(m_axis).of;
    const TouchingParts t = touchingParts(a, nums, [&](uint8_t x, uint8_t y) { return touches(a, b, x, y); });
    for (int k = 0; k < t.count; ++k)
        keys.add(TStatKey::k4(t.part[k], static_cast<uint16_t>(t.pairs[k] + 1), 0, 0));
}

bool TMatrixAdjacentStat::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    const TStatSimpleArray map = touchingMap(along(m_axis).of, across(m_axis).of, comb);
    for (const TStatSimpleItem& e : map)
        if (e.Count > 0
            && MatchKey4(selected, static_cast<uint16_t>(e.Key), static_cast<uint16_t>(e.Count + 1), 0, 0))
            return true;
    return false;
}

std::unique_ptr<CombFilter> TMatrixAdjacentStat::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                                               bool)
{
    LoadDraws(-1, end, sorted);
    const ByteTable of = along(m_axis).of;
    const TouchTable bits = touchTable(of, across(m_axis).of);
    // (part, pairs + 1) as a bit per part: five numbers hold at most six
    // touching pairs in one part (two stacked over three, repeated numbers
    // in a damaged record), so pairs + 1 stays below 16.
    std::array<uint16_t, kMainMax + 1> pairSelected{};
    for (const TStatDrawItem& it : selected) {
        const TStatKey k = it.Key;
        if (k.K(3) == 0 && k.K(4) == 0 && k.K(1) >= 1 && k.K(1) <= kMainMax && k.K(2) < 16)
            pairSelected[k.K(1)] = static_cast<uint16_t>(pairSelected[k.K(1)] | 1u << k.K(2));
    }
    const TouchScreen screen(of, across(m_axis).of);
    return makeCombFilter([of, bits, screen, pairSelected](const TComb& c) {
        if (!screen.mayTouch(c))
            return false;
        const TouchingParts t =
            touchingParts(of, c.n.data(), [&bits](uint8_t x, uint8_t y) { return touchBit(bits, x, y); });
        for (int k = 0; k < t.count; ++k)
            if ((pairSelected[t.part[k]] >> (t.pairs[k] + 1)) & 1)
                return true;
        return false;
    });
}

// ---------------------------------------------------------------- COLC, ROWC

TMatrixAdjacentCountStat::TMatrixAdjacentCountStat(const StatClassInfo& cls, const TStatList& list, int32_t param,
                                                   MatrixAxis axis)
    : TCustomMatrixGraphStat(cls, list, param), m_axis(axis)
{
}

void TMatrixAdjacentCountStat::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    const ByteTable& a = along(m_axis).of;
    const ByteTable& b = across(m_axis).of;
    keys.addK1(touchingParts(a, nums, [&](uint8_t x, uint8_t y) { return touches(a, b, x, y); }).count);
}

bool TMatrixAdjacentCountStat::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool)
{
    const TStatSimpleArray map = touchingMap(along(m_axis).of, across(m_axis).of, comb);
    const auto withPair =
        std::count_if(map.begin(), map.end(), [](const TStatSimpleItem& e) { return e.Count > 0; });
    return MatchK(selected, 1, static_cast<int>(withPair));
}

std::unique_ptr<CombFilter> TMatrixAdjacentCountStat::PrepareFilter(const TStatDrawArray& selected, int end,
                                                                    bool sorted, bool)
{
    LoadDraws(-1, end, sorted);
    const ByteTable of = along(m_axis).of;
    const TouchTable bits = touchTable(of, across(m_axis).of);
    const TouchScreen screen(of, across(m_axis).of);
    return singleValueFilter(selected, [of, bits, screen](const TComb& c) {
        if (!screen.mayTouch(c))
            return 0;
        return touchingParts(of, c.n.data(), [&bits](uint8_t x, uint8_t y) { return touchBit(bits, x, y); }).count;
    });
}

// ---------------------------------------------------------------- class descriptors

const StatClassInfo TstColumns::Class =
    matrixClass<TstColumns>("TstColumns", "COLS", ZT("Столбцы матрицы (не пустые)"));
const StatClassInfo TstRows::Class = matrixClass<TstRows>("TstRows", "ROWS", ZT("Строки матрицы (не пустые)"));
const StatClassInfo TstColValues::Class =
    matrixClass<TstColValues>("TstColValues", "COLV", ZT("Количество чисел в столбце матрицы"), false);
const StatClassInfo TstRowValues::Class =
    matrixClass<TstRowValues>("TstRowValues", "ROWV", ZT("Количество чисел в строке матрицы"), false);
const StatClassInfo TstColCount::Class =
    matrixClass<TstColCount>("TstColCount", "COLN", ZT("Количество не пустых столбцов в матрице"));
const StatClassInfo TstRowCount::Class =
    matrixClass<TstRowCount>("TstRowCount", "ROWN", ZT("Количество не пустых строк в матрице"));
const StatClassInfo TstColMask::Class = matrixClass<TstColMask>("TstColMask", "COLM", ZT("Сочетания столбцов матрицы"));
const StatClassInfo TstRowMask::Class = matrixClass<TstRowMask>("TstRowMask", "ROWM", ZT("Сочетания строк матрицы"));
const StatClassInfo TstColAjacent::Class =
    matrixClass<TstColAjacent>("TstColAjacent", "COLA", ZT("Столбцы матрицы со смежными числами"));
const StatClassInfo TstRowAjacent::Class =
    matrixClass<TstRowAjacent>("TstRowAjacent", "ROWA", ZT("Строки матрицы со смежными числами"));
const StatClassInfo TstColAjacentCnt::Class = matrixClass<TstColAjacentCnt>(
    "TstColAjacentCnt", "COLC", ZT("Количество столбцов матрицы со смежными числами"));
const StatClassInfo TstRowAjacentCnt::Class = matrixClass<TstRowAjacentCnt>(
    "TstRowAjacentCnt", "ROWC", ZT("Количество строк матрицы со смежными числами"));

const StatClassInfo TstCombColMix2::Class =
    tupleClass<TstCombColMix2, 2>("TstCombColMix2", "KFM2", kColMixTitle, kMatrixGroup);
const StatClassInfo TstCombColMix3::Class =
    tupleClass<TstCombColMix3, 3>("TstCombColMix3", "KFM3", kColMixTitle, kMatrixGroup);
const StatClassInfo TstCombColMix4::Class =
    tupleClass<TstCombColMix4, 4>("TstCombColMix4", "KFM4", kColMixTitle, kMatrixGroup);
const StatClassInfo TstCombColSeq2::Class =
    tupleClass<TstCombColSeq2, 2>("TstCombColSeq2", "KFS2", kColSeqTitle, kMatrixGroup);
const StatClassInfo TstCombColSeq3::Class =
    tupleClass<TstCombColSeq3, 3>("TstCombColSeq3", "KFS3", kColSeqTitle, kMatrixGroup);
const StatClassInfo TstCombColSeq4::Class =
    tupleClass<TstCombColSeq4, 4>("TstCombColSeq4", "KFS4", kColSeqTitle, kMatrixGroup);
const StatClassInfo TstCombRowMix2::Class =
    tupleClass<TstCombRowMix2, 2>("TstCombRowMix2", "KRM2", kRowMixTitle, kMatrixGroup);
const StatClassInfo TstCombRowMix3::Class =
    tupleClass<TstCombRowMix3, 3>("TstCombRowMix3", "KRM3", kRowMixTitle, kMatrixGroup);
const StatClassInfo TstCombRowMix4::Class =
    tupleClass<TstCombRowMix4, 4>("TstCombRowMix4", "KRM4", kRowMixTitle, kMatrixGroup);
const StatClassInfo TstCombRowSeq2::Class =
    tupleClass<TstCombRowSeq2, 2>("TstCombRowSeq2", "KRS2", kRowSeqTitle, kMatrixGroup);
const StatClassInfo TstCombRowSeq3::Class =
    tupleClass<TstCombRowSeq3, 3>("TstCombRowSeq3", "KRS3", kRowSeqTitle, kMatrixGroup);
const StatClassInfo TstCombRowSeq4::Class =
    tupleClass<TstCombRowSeq4, 4>("TstCombRowSeq4", "KRS4", kRowSeqTitle, kMatrixGroup);

const StatClassInfo TstColValCnt::Class = statClass<TstColValCnt>(StatClassInfo{
    .className = "TstColValCnt",
    .codeFormat = "COL%d",
    .titleFormat = ZT("Количество чисел в %0:d столбце матрицы"),
    .helpCodeFormat = "COLx",
    .group = kMatrixGroup,
    .flags = kFlagNorm,
    .paramRange = columnRange,
});

const StatClassInfo TstRowValCnt::Class = statClass<TstRowValCnt>(StatClassInfo{
    .className = "TstRowValCnt",
    .codeFormat = "ROW%d",
    .titleFormat = ZT("Количество чисел в %0:d строке матрицы"),
    .helpCodeFormat = "ROWx",
    .group = kMatrixGroup,
    .flags = kFlagNorm,
    .paramRange = rowRange,
});

}  // namespace zircon
