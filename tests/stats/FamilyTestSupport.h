#pragma once
// What the tests of the statistic families share: a registry over its own
// archive and settings, windows computed over its draws, values as texts,
// selections, the shipped archive, the full set and exact binomials.
#include <gtest/gtest.h>

#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "core/DrawArchive.h"
#include "core/Enumeration.h"
#include "stats/FilterAgreement.h"
#include "stats/TStatList.h"
#include "support/DrawFixtures.h"
#include "support/TempDir.h"

namespace zircon::test {

// The full registry over its own archive and settings, as the main window builds it.
struct Registry {
    TDrawsArray draws;
    TStatList list{&draws};

    explicit Registry(TDrawsArray d = {}) : draws(std::move(d)) { list.RegisterAll(); }
    explicit Registry(const TConfigData& config, TDrawsArray d = {}) : draws(std::move(d))
    {
        list.Config = config;
        list.RegisterAll();
    }

    // The entry of a code, a test failure when it is not registered.
    int index(const QString& code) const
    {
        const int i = list.FindCode(code);
        EXPECT_GE(i, 0) << code.toStdString() << " is not registered";
        return i;
    }
    int index(const char* code) const { return index(QString::fromUtf8(code)); }

    std::unique_ptr<TCustomStat> create(const QString& code)
    {
        const int i = index(code);
        return i < 0 ? nullptr : list.CreateStat(i);
    }
    std::unique_ptr<TCustomStat> create(const char* code) { return create(QString::fromUtf8(code)); }

    // The registered codes of one group, in registry order.
    std::vector<QString> groupCodes(int group) const
    {
        std::vector<QString> out;
        for (int i = 0; i < list.Count(); ++i)
            if (list.Items(i).StatClass->group == group)
                out.push_back(list.ItemCode(i));
        return out;
    }
};

// An entry of the registry as a family's table of cases describes it.
struct RegistryEntry {
    const char* code;
    const char* className;
    const char* title;
    const char* flags;  // FullFlags letters
    const char* helpCode;
    bool valueList;
    int param;
};

// Entry i of the list against its description.
inline void expectEntry(const TStatList& list, int i, const RegistryEntry& e)
{
    const TStatMethod& m = list.Items(i);
    EXPECT_STREQ(m.StatClass->className, e.className);
    EXPECT_EQ(m.Param, e.param);
    EXPECT_EQ(list.DisplayTitle(i), QString::fromUtf8(e.title));
    EXPECT_EQ(statFlagLetters(m.StatClass->fullFlags()), QString::fromUtf8(e.flags));
    EXPECT_EQ(m.StatClass->helpCode(m.Param), QString::fromUtf8(e.helpCode));
    EXPECT_EQ(m.StatClass->valueListSelectable, e.valueList);
}

// The table of the draws start..end as one window ending at end.
inline TStatDrawArray windowOf(TCustomStat& stat, int start, int end, bool sorted)
{
    TStatDrawArray items;
    TStatWork work;
    TLastValueArray last;
    stat.BeginStat(end, items);
    for (int i = start; i <= end; ++i)
        stat.AddDrawValues(i, end, sorted, items, work, last);
    return items;
}

// The table over the first drawCount draws (the whole archive) as one window.
inline TStatDrawArray computeWindow(TCustomStat& stat, int drawCount, bool sorted = false)
{
    return windowOf(stat, 0, drawCount - 1, sorted);
}

// A row of a window as a table of cases gives it.
struct WindowRow {
    const char* text;
    int count;
    int depth;
    int lastDraw;
    int periodMin = 0;
    int periodMax = 0;
};

// What else a window's rows must show besides the expected ones.
struct RowChecks {
    bool emptyRowsHaveNoLastDraw = true;  // a row with Count 0 has LastDraw 0 too
    bool onlyK1 = false;                  // no key part but K1 is used
};

// The rows with Count 0 carry no depth; the others are `occurring`, in table order.
inline void expectOccurringRows(const TCustomStat& stat, const TStatDrawArray& items,
                                const std::vector<WindowRow>& occurring, RowChecks checks = {})
{
    size_t next = 0;
    for (const TStatDrawItem& it : items) {
        const QString text = stat.ValueText(it);
        if (it.Count == 0) {
            EXPECT_EQ(it.Depth, 0) << text.toStdString();
            if (checks.emptyRowsHaveNoLastDraw) {
                EXPECT_EQ(it.LastDraw, 0) << text.toStdString();
            }
            continue;
        }
        ASSERT_LT(next, occurring.size()) << "unexpected row " << text.toStdString();
        const WindowRow& row = occurring[next++];
        EXPECT_EQ(text, QString::fromUtf8(row.text));
        EXPECT_EQ(it.Count, row.count) << row.text;
        EXPECT_EQ(it.Depth, row.depth) << row.text;
        EXPECT_EQ(it.LastDraw, row.lastDraw) << row.text;
        EXPECT_EQ(it.PeriodMin, row.periodMin) << row.text;
        EXPECT_EQ(it.PeriodMax, row.periodMax) << row.text;
        if (checks.onlyK1) {
            EXPECT_EQ(it.Key.raw >> 16, 0u) << "only K1 is used: " << row.text;
        }
    }
    EXPECT_EQ(next, occurring.size());
}

// The text the table shows for a key.
inline QString valueText(const TCustomStat& stat, TStatKey key)
{
    TStatDrawItem it;
    it.Key = key;
    return stat.ValueText(it);
}

inline std::vector<QString> keyTexts(const TCustomStat& stat, const KeyList& keys)
{
    std::vector<QString> out;
    for (TStatKey k : keys)
        out.push_back(valueText(stat, k));
    return out;
}

// The values five numbers yield, in merge order, as the table shows them.
inline std::vector<QString> valueTexts(const TCustomStat& stat, std::array<uint8_t, kMainCount> nums)
{
    KeyList keys;
    stat.CombKeys(nums.data(), keys);
    return keyTexts(stat, keys);
}

// The texts of a table's rows, in table order.
inline std::vector<QString> itemTexts(const TCustomStat& stat, const TStatDrawArray& items)
{
    std::vector<QString> out;
    for (const TStatDrawItem& it : items)
        out.push_back(stat.ValueText(it));
    return out;
}

inline std::vector<QString> qstrings(const std::vector<const char*>& texts)
{
    std::vector<QString> out;
    for (const char* t : texts)
        out.push_back(QString::fromUtf8(t));
    return out;
}

// The given keys as selected table rows.
inline TStatDrawArray selectionOf(const std::vector<TStatKey>& keys)
{
    TStatDrawArray s;
    TStatDrawItem it;
    for (TStatKey k : keys) {
        it.Key = k;
        s.AddValue(it, false);
    }
    return s;
}

inline TStatKey k1(uint16_t v) { return TStatKey::k1(v); }
inline TStatKey k4(uint16_t a, uint16_t b, uint16_t c, uint16_t d) { return TStatKey::k4(a, b, c, d); }
inline TStatKey l2(uint32_t a, uint32_t b = 0) { return TStatKey::l2(a, b); }

// The two answers for one combination over the window ending at end: the
// plain test and the prepared filter's byte (2 when it wrote none).
struct FilterAnswers {
    bool plain = false;
    uint8_t prepared = 2;
    bool concurrent = false;
};

inline FilterAnswers filterAnswers(TCustomStat& stat, const TComb& comb, const TStatDrawArray& selected, int end,
                                   bool sorted = false)
{
    FilterAnswers a;
    stat.LoadDraws(-1, end, sorted);
    a.plain = stat.CombMatches(comb, selected, end, sorted, false);
    stat.LoadDraws(-1, end, sorted);
    const std::unique_ptr<CombFilter> filter = stat.PrepareFilter(selected, end, sorted, false);
    filter->match(&comb, 1, &a.prepared);
    a.concurrent = filter->concurrent();
    return a;
}

// The shipped sample archive, read once.
inline const TDrawsArray& fixtureDraws()
{
    static const TDrawsArray draws = [] {
        DrawArchive archive;
        archive.load(testDataPath("Zircon_5x69.ldr"));
        return archive.draws();
    }();
    return draws;
}

// The full set, enumerated once.
inline const TCombsArray& fullSet()
{
    static const TCombsArray full = [] {
        TCombsArray f;
        fillFullSet(f);
        return f;
    }();
    return full;
}

// How many combinations of the full set the filter keeps, fed in the filter core's blocks.
inline uint64_t keptOfFullSet(CombFilter& filter)
{
    const TCombsArray& full = fullSet();
    std::vector<uint8_t> matched(agreement::kBlockSize);
    uint64_t kept = 0;
    for (size_t from = 0; from < full.size(); from += agreement::kBlockSize) {
        const size_t n = std::min(agreement::kBlockSize, full.size() - from);
        filter.match(full.data() + from, n, matched.data());
        for (size_t i = 0; i < n; ++i)
            kept += matched[i];
    }
    return kept;
}

// Exact C(n, k), 0 outside 0 <= k <= n, in the type the counts it is compared with have.
template <class Count = uint64_t>
Count choose(int n, int k)
{
    if (k < 0 || n < 0 || k > n)
        return 0;
    Count r = 1;
    for (int i = 1; i <= k; ++i)
        r = r * static_cast<Count>(n - k + i) / static_cast<Count>(i);
    return r;
}

}  // namespace zircon::test
