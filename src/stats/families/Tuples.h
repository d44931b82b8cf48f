#pragma once
// Tuples of a draw's numbers taken as one value: every choice of r
// positions ("Mix"), every run of r neighbouring positions ("Seq") or the
// single run starting at a chosen position ("Pos"). The combination-values
// family takes the numbers themselves; the channel, matrix and segment
// families take the channel, column, row or segment of each number. A
// family states only what a number stands for, as a table over every byte
// value; the tuples, their keys, texts and prepared filters are here.
//
// A tuple of r values is the key with the values in K1..Kr and zeros after.
#include <QString>

#include <array>
#include <cstdint>
#include <memory>

#include "core/Format.h"
#include "core/Tr.h"
#include "stats/TCustomStat.h"

namespace zircon {

enum class TupleShape : uint8_t {
    Mix,  // every choice of r positions, in lexicographic order
    Seq,  // every run of r consecutive positions, left to right
    Pos,  // the one run of r positions starting at a given position
};

struct PositionTuples {
    TupleShape shape = TupleShape::Mix;
    int size = 0;   // r, 2..4
    int count = 0;  // tuples per draw
    std::array<std::array<uint8_t, 4>, 10> at{};  // 0-based positions

    // The tuples for a shape; for Pos, `start` is the first position
    // (1-based). A start outside 1..6-r gives no tuple at all.
    static PositionTuples of(TupleShape shape, int size, int start = 1);
};

// What each byte value stands for in a tuple: 0..255, index by the number.
using TupleValueMap = std::array<uint8_t, 256>;
TupleValueMap identityValueMap();

// The tuple at `t` of five mapped values.
inline TStatKey tupleKey(const uint8_t* values, const std::array<uint8_t, 4>& t, int size)
{
    uint64_t raw = 0;
    for (int j = 0; j < size; ++j)
        raw |= uint64_t{values[t[static_cast<size_t>(j)]]} << (16 * j);
    return TStatKey{raw};
}

// "a:b:c": the tuple's values in decimal joined by ":".
QString tupleText(TStatKey key, int size);

// The plain test: one of the tuples of five mapped values is selected (MatchKey4).
bool tupleMatches(const uint8_t* values, const PositionTuples& tuples, const TStatDrawArray& selected);

// The prepared test for combinations: their numbers mapped through `map`,
// then each tuple looked up in the selection made into a table once.
std::unique_ptr<CombFilter> tupleFilter(const TupleValueMap& map, const PositionTuples& tuples,
                                        const TStatDrawArray& selected);

// The title of a member whose pattern carries a fixed size ("Сочетания из
// %0:d каналов ..." with 2), not a parameter.
template <int Size>
QString sizedTitle(const char* titleFormat, int32_t)
{
    return fmt(tr(titleFormat), Size);
}

// The descriptor of a member whose values are tuples of `Size` values: they
// follow positions (flag "S"), are too many to select by a list of values,
// and the title pattern is formatted with the size.
template <class T, int Size>
StatClassInfo tupleClass(const char* className, const char* code, const char* titleFormat, uint8_t group,
                         bool available = true)
{
    return statClass<T>(StatClassInfo{
        .className = className,
        .codeFormat = code,
        .titleFormat = titleFormat,
        .group = group,
        .flags = kFlagSorted,
        .available = available,
        .valueListSelectable = false,
        .titleFn = sizedTitle<Size>,
    });
}

// A tuple member over any base: values in CombKeys, the text, the plain and
// the prepared test. The family sets what a number stands for in its
// constructor (setValueMap); the identity until then.
template <class Base>
class TTupleStat : public Base {
public:
    TTupleStat(const StatClassInfo& cls, const TStatList& list, int32_t param, TupleShape shape, int size)
        : Base(cls, list, param), m_tuples(PositionTuples::of(shape, size, param)), m_map(identityValueMap())
    {
    }

    const PositionTuples& tuples() const { return m_tuples; }
    const TupleValueMap& valueMap() const { return m_map; }

    QString ValueText(const TStatDrawItem& item) const override { return tupleText(item.Key, m_tuples.size); }

    void CombKeys(const uint8_t* nums, KeyList& keys) const override
    {
        uint8_t values[kMainCount];
        for (int i = 0; i < kMainCount; ++i)
            values[i] = m_map[nums[i]];
        for (int t = 0; t < m_tuples.count; ++t)
            keys.add(tupleKey(values, m_tuples.at[static_cast<size_t>(t)], m_tuples.size));
    }

    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) override
    {
        uint8_t values[kMainCount];
        for (int i = 0; i < kMainCount; ++i)
            values[i] = m_map[comb.n[static_cast<size_t>(i)]];
        return tupleMatches(values, m_tuples, selected);
    }

    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted, bool) override
    {
        this->LoadDraws(-1, end, sorted);
        return tupleFilter(m_map, m_tuples, selected);
    }

protected:
    void setValueMap(const TupleValueMap& map) { m_map = map; }

private:
    PositionTuples m_tuples;
    TupleValueMap m_map;
};

}  // namespace zircon
