#pragma once
// The check every family's prepared filters go through: over a large random
// sample of combinations, PrepareFilter must answer exactly as the plain
// CombMatches does, for many selections, including selected items that carry
// parts of the key the method does not use (K2..K4, L2, the high byte of K1),
// since a table built too eagerly would let those through.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/Enumeration.h"
#include "stats/TCustomStat.h"

namespace zircon::agreement {

inline constexpr size_t kDefaultSampleSize = 200000;
// The filter core hands the prepared filter blocks of this many combinations.
inline constexpr size_t kBlockSize = 65536;

// Uniformly random combinations of the full set; every other one has its
// numbers in a random order, as combinations read from files keep the order
// they were given in.
inline std::vector<TComb> sampleCombinations(size_t count, uint32_t seed)
{
    std::mt19937 rng(seed);
    std::uniform_int_distribution<uint32_t> rank(0, static_cast<uint32_t>(kFullSetSize) - 1);
    std::vector<TComb> combs;
    combs.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        TComb c = combUnrank(rank(rng));
        if (i % 2 == 1)
            std::shuffle(c.n.begin(), c.n.end(), rng);
        combs.push_back(c);
    }
    return combs;
}

// The values a table of the method can hold: the pre-seeded ones and those
// the given combinations yield. A method that yields none from combinations
// gets small K1 values, so that its selections are not empty.
inline std::vector<TStatKey> methodValues(TCustomStat& stat, const std::vector<TComb>& combs, int end)
{
    TStatDrawArray items;
    stat.BeginStat(end, items);
    for (const TComb& c : combs)
        stat.AddCombValues(c, items);
    std::vector<TStatKey> keys;
    for (const TStatDrawItem& it : items)
        keys.push_back(it.Key);
    if (keys.empty())
        for (uint16_t v = 0; v <= 80; ++v)
            keys.push_back(TStatKey::k1(v));
    return keys;
}

// A key near a real value that the method must not confuse with it (or, for
// the tests that ignore some parts, must treat like it): one of its unused
// parts made nonzero, K1 moved past a byte, a neighbouring K1, or noise.
inline TStatKey foreignKey(const std::vector<TStatKey>& values, std::mt19937& rng)
{
    std::uniform_int_distribution<size_t> pick(0, values.size() - 1);
    std::uniform_int_distribution<uint32_t> part(1, 0xFFFF);
    std::uniform_int_distribution<int> kind(0, 6);
    TStatKey k = values[pick(rng)];
    switch (kind(rng)) {
    case 0: k.setK(2, static_cast<uint16_t>(part(rng))); break;
    case 1: k.setK(3, static_cast<uint16_t>(part(rng))); break;
    case 2: k.setK(4, static_cast<uint16_t>(part(rng))); break;
    case 3: k.setL(2, part(rng) << 16 | part(rng)); break;
    case 4: k.setK(1, static_cast<uint16_t>(k.K(1) + 256 * (1 + part(rng) % 255))); break;
    case 5: k.setK(1, static_cast<uint16_t>(k.K(1) + 1 + part(rng) % 3)); break;
    default: k.raw = uint64_t{part(rng)} << 48 | uint64_t{part(rng)} << 32 | uint64_t{part(rng)} << 16 | part(rng); break;
    }
    return k;
}

// `count` distinct values of the method (at most all of them) and `foreign`
// keys from foreignKey, as a selection of table rows.
inline TStatDrawArray makeSelection(std::vector<TStatKey> values, size_t count, size_t foreign, std::mt19937& rng)
{
    TStatDrawArray selected;
    const std::vector<TStatKey> all = values;
    std::shuffle(values.begin(), values.end(), rng);
    TStatDrawItem item;
    item.Count = 1;
    for (size_t i = 0; i < std::min(count, values.size()); ++i) {
        item.Key = values[i];
        selected.AddValue(item, false);
    }
    for (size_t i = 0; i < foreign; ++i) {
        item.Key = foreignKey(all, rng);
        selected.AddValue(item, false);
    }
    return selected;
}

struct NamedSelection {
    std::string name;
    TStatDrawArray items;
};

// The usual series: nothing, one value, a few, half, all, and the same mixed
// with foreign keys, and foreign keys alone.
inline std::vector<NamedSelection> standardSelections(const std::vector<TStatKey>& values, uint32_t seed)
{
    std::mt19937 rng(seed);
    const size_t n = values.size();
    const size_t few = std::max<size_t>(1, std::min<size_t>(3, n / 4));
    std::vector<NamedSelection> out;
    out.push_back({"nothing", {}});
    out.push_back({"one value", makeSelection(values, 1, 0, rng)});
    out.push_back({"a few values", makeSelection(values, few, 0, rng)});
    out.push_back({"half of the values", makeSelection(values, n / 2, 0, rng)});
    out.push_back({"every value", makeSelection(values, n, 0, rng)});
    out.push_back({"a few values and foreign keys", makeSelection(values, few, 40, rng)});
    out.push_back({"half of the values and foreign keys", makeSelection(values, n / 2, 40, rng)});
    out.push_back({"foreign keys only", makeSelection(values, 0, 60, rng)});
    return out;
}

struct AgreementReport {
    size_t checked = 0;     // combinations compared
    size_t matched = 0;     // of them, how many the plain form matched
    size_t mismatches = 0;  // answers that differ, or a byte that is not 0/1
    std::string details;    // the first few mismatches, for the failure text
};

inline std::string combText(const TComb& c)
{
    std::ostringstream s;
    for (size_t i = 0; i < c.n.size(); ++i)
        s << (i ? " " : "") << int(c.n[i]);
    return s.str();
}

// One selection: the prepared filter over the sample in blocks, as the
// filter core runs it, against CombMatches per combination.
inline AgreementReport compareFilter(TCustomStat& stat, const TStatDrawArray& selected,
                                     const std::vector<TComb>& combs, int end, bool sorted, bool exclude)
{
    AgreementReport r;
    constexpr uint8_t kUntouched = 0xA5;
    constexpr size_t kGuard = 16;
    std::vector<uint8_t> prepared(combs.size() + kGuard, kUntouched);
    stat.LoadDraws(-1, end, sorted);
    const std::unique_ptr<CombFilter> filter = stat.PrepareFilter(selected, end, sorted, exclude);
    for (size_t from = 0; from < combs.size(); from += kBlockSize) {
        const size_t count = std::min(kBlockSize, combs.size() - from);
        filter->match(combs.data() + from, count, prepared.data() + from);
    }
    for (size_t g = combs.size(); g < prepared.size(); ++g)
        if (prepared[g] != kUntouched) {
            ++r.mismatches;
            r.details += "the filter wrote past the end of its block\n";
            break;
        }

    stat.LoadDraws(-1, end, sorted);
    for (size_t i = 0; i < combs.size(); ++i) {
        const bool plain = stat.CombMatches(combs[i], selected, end, sorted, exclude);
        ++r.checked;
        r.matched += plain ? 1 : 0;
        const uint8_t got = prepared[i];
        if (got > 1 || (got == 1) != plain) {
            if (++r.mismatches <= 5)
                r.details += "comb " + combText(combs[i]) + ": plain " + (plain ? "1" : "0") + ", prepared "
                             + std::to_string(int(got)) + "\n";
        }
    }
    return r;
}

struct AgreementTotals {
    size_t checked = 0;
    size_t selectionsWithBothAnswers = 0;  // selections under which some matched and some did not
};

// Every standard selection over one sample of `sampleSize` combinations; the
// sorted switch and the exclude flag alternate between selections.
inline ::testing::AssertionResult filterAgreesOnStandardSelections(TCustomStat& stat, int end, uint32_t seed,
                                                                   AgreementTotals* totals = nullptr,
                                                                   size_t sampleSize = kDefaultSampleSize)
{
    const std::vector<TComb> combs = sampleCombinations(sampleSize, seed);
    const size_t valueSample = std::min<size_t>(combs.size(), 2000);
    const std::vector<TStatKey> values =
        methodValues(stat, std::vector<TComb>(combs.begin(), combs.begin() + static_cast<std::ptrdiff_t>(valueSample)), end);
    const std::vector<NamedSelection> selections = standardSelections(values, seed * 7919u + 1u);
    AgreementTotals t;
    std::string failures;
    for (size_t i = 0; i < selections.size(); ++i) {
        const bool sorted = i % 2 == 1;
        const bool exclude = i % 4 >= 2;
        const AgreementReport r = compareFilter(stat, selections[i].items, combs, end, sorted, exclude);
        t.checked += r.checked;
        if (r.matched > 0 && r.matched < r.checked)
            ++t.selectionsWithBothAnswers;
        if (r.mismatches > 0)
            failures += "selection \"" + selections[i].name + "\" (" + std::to_string(selections[i].items.size())
                        + " items): " + std::to_string(r.mismatches) + " mismatches\n" + r.details;
    }
    if (totals)
        *totals = t;
    if (!failures.empty())
        return ::testing::AssertionFailure() << "seed " << seed << ":\n" << failures;
    return ::testing::AssertionSuccess();
}

}  // namespace zircon::agreement
