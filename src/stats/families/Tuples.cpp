#include "stats/families/Tuples.h"

#include <QStringList>

#include <algorithm>
#include <bit>

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

// A bit per code of a tuple's values packed a few bits apart.
class CodeBits {
public:
    explicit CodeBits(unsigned bits) : m_words(std::max<size_t>(1, (size_t{1} << bits) / 64), 0) {}
    void set(uint32_t code) { m_words[code >> 6] |= uint64_t{1} << (code & 63); }
    bool test(uint32_t code) const { return (m_words[code >> 6] >> (code & 63)) & 1; }

private:
    std::vector<uint64_t> m_words;
};

// Quadruples of bytes: the first three values as a bit per code (2 MiB, of
// which a pass touches only the corner numbers 0..69 reach) pass the few
// candidates on to the key set.
std::unique_ptr<CombFilter> quadTupleFilter(const TupleValueMap& map, const PositionTuples& tuples,
                                            const TStatDrawArray& selected)
{
    auto leadOf = [](uint32_t a, uint32_t b, uint32_t c) { return a << 16 | b << 8 | c; };
    CodeBits lead(24);
    for (const TStatDrawItem& it : selected)
        if (tupleCanYield(it.Key, 4))
            lead.set(leadOf(it.Key.K(1), it.Key.K(2), it.Key.K(3)));
    const SelectedKeySet full(selected, [](TStatKey k) { return tupleCanYield(k, 4); });
    if (full.empty() || tuples.count == 0)
        return makeCombFilter([](const TComb&) { return false; });
    return makeCombFilter([map, tuples, leadOf, lead = std::move(lead), full](const TComb& c) {
        uint8_t v[kMainCount];
        for (int i = 0; i < kMainCount; ++i)
            v[i] = map[c.n[static_cast<size_t>(i)]];
        for (int t = 0; t < tuples.count; ++t) {
            const auto& at = tuples.at[static_cast<size_t>(t)];
            if (lead.test(leadOf(v[at[0]], v[at[1]], v[at[2]])) && full.contains(tupleKey(v, at, 4).raw))
                return true;
        }
        return false;
    });
}

// The bits a value of the map needs: channels, columns, rows and segments
// of a usual layout fit in three or four, numbers themselves in eight.
unsigned valueBits(const TupleValueMap& map)
{
    unsigned all = 0;
    for (uint8_t v : map)
        all |= v;
    return std::max(1, static_cast<int>(std::bit_width(all)));
}

// Tuples of small values: an exact bit per tuple, its values packed `bits`
// apart, at most 2 MiB and usually a few bytes. Selected tuples with a value
// the map never gives cannot match and are left out.
template <int Size, int Count>
std::unique_ptr<CombFilter> denseTupleFilter(const TupleValueMap& map, const PositionTuples& tuples,
                                             const TStatDrawArray& selected, unsigned bits)
{
    CodeBits table(std::max(6u, bits * Size));
    const unsigned limit = 1u << bits;
    for (const TStatDrawItem& it : selected) {
        if (!tupleCanYield(it.Key, Size))
            continue;
        uint32_t code = 0;
        bool fits = true;
        for (int j = 1; j <= Size; ++j) {
            fits = fits && it.Key.K(j) < limit;
            code = code << bits | (it.Key.K(j) & (limit - 1));
        }
        if (fits)
            table.set(code);
    }
    // What a number adds to the code in each slot of a tuple, so a tuple's
    // code is Size loads and ORs.
    std::array<std::array<uint32_t, 256>, Size> slot{};
    for (int j = 0; j < Size; ++j)
        for (size_t n = 0; n < 256; ++n)
            slot[static_cast<size_t>(j)][n] = uint32_t{map[n]} << (bits * static_cast<unsigned>(Size - 1 - j));
    if constexpr (Size == 4 && Count == 5) {
        // Every choice of four positions is the five with one left out: its
        // code joins what stands before the gap and what stands after it.
        if (tuples.shape == TupleShape::Mix)
            return makeCombFilter([map, bits, table = std::move(table)](const TComb& c) -> bool {
                uint32_t v[kMainCount];
                for (int i = 0; i < kMainCount; ++i)
                    v[i] = map[c.n[static_cast<size_t>(i)]];
                const uint32_t head1 = v[0], head2 = head1 << bits | v[1], head3 = head2 << bits | v[2],
                               head4 = head3 << bits | v[3];
                const uint32_t tail3 = v[4], tail2 = v[3] << bits | tail3, tail1 = v[2] << (2 * bits) | tail2;
                const uint32_t tail0 = v[1] << (3 * bits) | tail1;
                return table.test(head4) | table.test(head3 << bits | tail3)
                       | table.test(head2 << (2 * bits) | tail2) | table.test(head1 << (3 * bits) | tail1)
                       | table.test(tail0);
            });
    }
    std::array<std::array<uint8_t, 4>, Count> positions{};
    std::copy_n(tuples.at.begin(), Count, positions.begin());
    return makeCombFilter([slot, positions, table = std::move(table)](const TComb& c) -> bool {
        bool hit = false;
        for (const auto& at : positions) {
            uint32_t code = 0;
            for (size_t j = 0; j < Size; ++j)
                code |= slot[j][c.n[at[j]]];
            hit |= table.test(code);
        }
        return hit;
    });
}

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

// The dense filter with the number of tuples fixed, so that its loop unrolls.
template <int Size>
std::unique_ptr<CombFilter> denseFilter(const TupleValueMap& map, const PositionTuples& tuples,
                                        const TStatDrawArray& selected, unsigned bits)
{
    switch (tuples.count) {
    case 0: return makeCombFilter([](const TComb&) { return false; });
    case 1: return denseTupleFilter<Size, 1>(map, tuples, selected, bits);
    case 2: return denseTupleFilter<Size, 2>(map, tuples, selected, bits);
    case 3: return denseTupleFilter<Size, 3>(map, tuples, selected, bits);
    case 4: return denseTupleFilter<Size, 4>(map, tuples, selected, bits);
    case 5: return denseTupleFilter<Size, 5>(map, tuples, selected, bits);
    case 10: return denseTupleFilter<Size, 10>(map, tuples, selected, bits);
    default:
        // No shape gives another count; the plain test keeps any other exact.
        return makeCombFilter([map, tuples, selected](const TComb& c) {
            uint8_t v[kMainCount];
            for (int i = 0; i < kMainCount; ++i)
                v[i] = map[c.n[static_cast<size_t>(i)]];
            return tupleMatches(v, tuples, selected);
        });
    }
}

}  // namespace

std::unique_ptr<CombFilter> tupleFilter(const TupleValueMap& map, const PositionTuples& tuples,
                                        const TStatDrawArray& selected)
{
    const unsigned bits = valueBits(map);
    const bool mix = tuples.shape == TupleShape::Mix;
    const bool dense = bits * static_cast<unsigned>(tuples.size) <= 24;
    switch (tuples.size) {
    case 1: return denseFilter<1>(map, tuples, selected, bits);
    case 2:
        if (mix)
            return mixMaskFilter<2>(map, tuples, selected, denseFilter<2>(map, tuples, selected, bits));
        return denseFilter<2>(map, tuples, selected, bits);
    case 3:
        if (mix)
            return mixMaskFilter<3>(map, tuples, selected, denseFilter<3>(map, tuples, selected, bits));
        return denseFilter<3>(map, tuples, selected, bits);
    case 4:
        return dense ? denseFilter<4>(map, tuples, selected, bits) : quadTupleFilter(map, tuples, selected);
    default: return makeCombFilter([](const TComb&) { return false; });
    }
}

}  // namespace zircon
