#include "stats/families/Tuples.h"

#include <QStringList>

#include <algorithm>

#include <vector>

#include "stats/SelectedKeySet.h"

namespace zircon {

PositionTuples PositionTuples::of(TupleShape shape, int size, int start)
{
    PositionTuples p;
    p.shape = shape;
    p.size = size;
    if (size < 1 || size > 4)
        return p;
    auto add = [&p](std::initializer_list<int> positions) {
        size_t j = 0;
        for (int pos : positions)
            p.at[static_cast<size_t>(p.count)][j++] = static_cast<uint8_t>(pos);
        ++p.count;
    };
    switch (shape) {
    case TupleShape::Mix:
        // Lexicographic order of position sets; a set of r out of 5 as r
        // nested ascending indices.
        for (int a = 0; a < kMainCount; ++a) {
            if (size == 1) {
                add({a});
                continue;
            }
            for (int b = a + 1; b < kMainCount; ++b) {
                if (size == 2) {
                    add({a, b});
                    continue;
                }
                for (int c = b + 1; c < kMainCount; ++c) {
                    if (size == 3) {
                        add({a, b, c});
                        continue;
                    }
                    for (int d = c + 1; d < kMainCount; ++d)
                        add({a, b, c, d});
                }
            }
        }
        break;
    case TupleShape::Seq:
        for (int s = 0; s + size <= kMainCount; ++s) {
            for (int j = 0; j < size; ++j)
                p.at[static_cast<size_t>(p.count)][static_cast<size_t>(j)] = static_cast<uint8_t>(s + j);
            ++p.count;
        }
        break;
    case TupleShape::Pos:
        if (start >= 1 && start - 1 + size <= kMainCount) {
            for (int j = 0; j < size; ++j)
                p.at[0][static_cast<size_t>(j)] = static_cast<uint8_t>(start - 1 + j);
            p.count = 1;
        }
        break;
    }
    return p;
}

TupleValueMap identityValueMap()
{
    TupleValueMap m{};
    for (size_t n = 0; n < m.size(); ++n)
        m[n] = static_cast<uint8_t>(n);
    return m;
}

QString tupleText(TStatKey key, int size)
{
    QStringList parts;
    for (int j = 1; j <= size; ++j)
        parts << QString::number(key.K(j));
    return parts.join(u':');
}

bool tupleMatches(const uint8_t* values, const PositionTuples& tuples, const TStatDrawArray& selected)
{
    for (int t = 0; t < tuples.count; ++t) {
        const TStatKey k = tupleKey(values, tuples.at[static_cast<size_t>(t)], tuples.size);
        if (MatchKey4(selected, k.K(1), k.K(2), k.K(3), k.K(4)))
            return true;
    }
    return false;
}

namespace {

// Whether a combination's tuple can ever equal the key: parts beyond the
// tuple's size are 0 and every part is a byte.
bool tupleCanYield(TStatKey key, int size)
{
    for (int j = 1; j <= 4; ++j) {
        const uint16_t part = key.K(j);
        if (j > size ? part != 0 : part > 0xFF)
            return false;
    }
    return true;
}

// A bit per code of the first `Bits / 8` values of a tuple, each a byte.
class CodeBits {
public:
    explicit CodeBits(unsigned bits) : m_words((size_t{1} << bits) / 64, 0) {}
    void set(uint32_t code) { m_words[code >> 6] |= uint64_t{1} << (code & 63); }
    bool test(uint32_t code) const { return (m_words[code >> 6] >> (code & 63)) & 1; }

private:
    std::vector<uint64_t> m_words;
};

template <int Size>
uint32_t leadCode(const uint8_t* v, const std::array<uint8_t, 4>& at)
{
    uint32_t code = 0;
    for (int j = 0; j < std::min(Size, 3); ++j)
        code = code << 8 | v[at[static_cast<size_t>(j)]];
    return code;
}

uint32_t leadCode(TStatKey key, int size)
{
    uint32_t code = 0;
    for (int j = 1; j <= std::min(size, 3); ++j)
        code = code << 8 | key.K(j);
    return code;
}

// Pairs and triples: an exact bit per tuple of bytes (8 KiB, 2 MiB), of
// which a pass touches only the corner numbers 0..69 reach. Quadruples: the
// same bits for their first three values pass the few candidates on to the
// key set.
template <int Size>
std::unique_ptr<CombFilter> sizedTupleFilter(const TupleValueMap& map, const PositionTuples& tuples,
                                             const TStatDrawArray& selected)
{
    CodeBits lead(8 * std::min(Size, 3));
    bool any = false;
    for (const TStatDrawItem& it : selected)
        if (tupleCanYield(it.Key, Size)) {
            lead.set(leadCode(it.Key, Size));
            any = true;
        }
    if (!any || tuples.count == 0)
        return makeCombFilter([](const TComb&) { return false; });
    SelectedKeySet full;
    if constexpr (Size > 3)
        full = SelectedKeySet(selected, [](TStatKey k) { return tupleCanYield(k, Size); });
    return makeCombFilter([map, tuples, lead = std::move(lead), full](const TComb& c) {
        uint8_t v[kMainCount];
        for (int i = 0; i < kMainCount; ++i)
            v[i] = map[c.n[static_cast<size_t>(i)]];
        if constexpr (Size <= 3) {
            // Every tuple tested without a branch: whether a combination
            // matches is as good as random, and the loads run side by side.
            bool hit = false;
            for (int t = 0; t < tuples.count; ++t)
                hit |= lead.test(leadCode<Size>(v, tuples.at[static_cast<size_t>(t)]));
            return hit;
        } else {
            for (int t = 0; t < tuples.count; ++t) {
                const auto& at = tuples.at[static_cast<size_t>(t)];
                if (lead.test(leadCode<Size>(v, at)) && full.contains(tupleKey(v, at, Size).raw))
                    return true;
            }
            return false;
        }
    });
}

}  // namespace

// A set of values below 128, the later positions of a tuple.
struct ValueBits {
    uint64_t lo = 0;
    uint64_t hi = 0;

    static ValueBits of(unsigned v)
    {
        return {uint64_t{v < 64} << (v & 63), uint64_t{v >= 64} << (v & 63)};
    }
    ValueBits operator|(ValueBits o) const { return {lo | o.lo, hi | o.hi}; }
    bool meets(ValueBits o) const { return ((lo & o.lo) | (hi & o.hi)) != 0; }
    void set(unsigned v) { *this = *this | of(v); }
};

// Every choice of two or three positions, as "some earlier value (pair)
// has a selected follower among the later values": one mask per first
// value (pair) tested against the set of the values after it, four or six
// loads per combination instead of ten. Values from 128 on (only damaged
// combinations reach them) go to the exact tuple-by-tuple test.
template <int Size>
std::unique_ptr<CombFilter> mixMaskFilter(const TupleValueMap& map, const PositionTuples& tuples,
                                          const TStatDrawArray& selected, std::unique_ptr<CombFilter> exact)
{
    constexpr size_t kRows = Size == 2 ? 128 : 128 * 128;
    std::vector<ValueBits> follow(kRows);
    for (const TStatDrawItem& it : selected) {
        if (!tupleCanYield(it.Key, Size))
            continue;
        const unsigned a = it.Key.K(1), b = it.Key.K(2), c = it.Key.K(3);
        if (a >= 128 || b >= 128 || c >= 128)
            continue;
        if constexpr (Size == 2)
            follow[a].set(b);
        else
            follow[a * 128 + b].set(c);
    }
    (void)tuples;
    std::shared_ptr<const CombFilter> fallback(std::move(exact));
    return makeCombFilter([map, follow = std::move(follow), fallback](const TComb& c) -> bool {
        const unsigned v0 = map[c.n[0]], v1 = map[c.n[1]], v2 = map[c.n[2]], v3 = map[c.n[3]], v4 = map[c.n[4]];
        if (((v0 | v1 | v2 | v3 | v4) & 0x80) != 0) {
            uint8_t matched = 0;
            fallback->match(&c, 1, &matched);
            return matched != 0;
        }
        const ValueBits s4 = ValueBits::of(v4);
        const ValueBits s3 = s4 | ValueBits::of(v3);
        const ValueBits s2 = s3 | ValueBits::of(v2);
        if constexpr (Size == 2) {
            const ValueBits s1 = s2 | ValueBits::of(v1);
            return follow[v0].meets(s1) | follow[v1].meets(s2) | follow[v2].meets(s3) | follow[v3].meets(s4);
        } else {
            return follow[v0 * 128 + v1].meets(s2) | follow[v0 * 128 + v2].meets(s3)
                   | follow[v0 * 128 + v3].meets(s4) | follow[v1 * 128 + v2].meets(s3)
                   | follow[v1 * 128 + v3].meets(s4) | follow[v2 * 128 + v3].meets(s4);
        }
    });
}

std::unique_ptr<CombFilter> tupleFilter(const TupleValueMap& map, const PositionTuples& tuples,
                                        const TStatDrawArray& selected)
{
    switch (tuples.size) {
    case 1: return sizedTupleFilter<1>(map, tuples, selected);
    case 2:
        if (tuples.shape == TupleShape::Mix)
            return mixMaskFilter<2>(map, tuples, selected, sizedTupleFilter<2>(map, tuples, selected));
        return sizedTupleFilter<2>(map, tuples, selected);
    case 3:
        if (tuples.shape == TupleShape::Mix)
            return mixMaskFilter<3>(map, tuples, selected, sizedTupleFilter<3>(map, tuples, selected));
        return sizedTupleFilter<3>(map, tuples, selected);
    case 4: return sizedTupleFilter<4>(map, tuples, selected);
    default: return makeCombFilter([](const TComb&) { return false; });
    }
}

}  // namespace zircon
