// Filtering by the channel, matrix and segment families: which parts of a
// selected item the plain CombMatches compares, the prepared filters
// against it for every registered member under several layouts (also for
// damaged combinations), and the prefetch counts and filter counts over the
// whole full set against counts from combinatorics.

// GCC 12 at -O3 takes the tables of cases holding whole settings (their
// vector of prizes) for maybe uninitialised where the library copies them;
// they are fully built, so that one warning is off for this file.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#include <gtest/gtest.h>

#include <QString>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/Enumeration.h"
#include "stats/FilterAgreement.h"
#include "stats/PartitionTestSupport.h"
#include "stats/Prefetch.h"

using namespace zircon;
using namespace zircon::test;

namespace {

constexpr int kChannels = 3;
constexpr int kMatrix = 4;
constexpr int kSegments = 5;

}  // namespace

TEST(PartitionFilter, PlainCombMatches)
{
    struct Case {
        TConfigData config;
        const char* code;
        TComb comb;
        std::vector<TStatKey> selected;
        bool expected;
        const char* why;
    };
    const TComb worked{{5, 12, 18, 33, 69}};  // channels 1 2 2 4 7 of width 10
    const TComb grid{{8, 15, 22, 30, 69}};    // columns 1 1 1 2 6, rows 2 3 4 5 10 of 7 columns
    const TComb wide{{1, 41, 41, 41, 41}};    // column 1 alone of 40
    const uint64_t wideKey = uint64_t{1} << 39;
    const Case cases[] = {
        {{}, "CHAN", worked, {k1(2)}, true, "channel 2 holds 12 and 18"},
        {{}, "CHAN", worked, {k1(3), k1(5)}, false, "channels 3 and 5 are empty"},
        {{}, "CHAN", worked, {k1(2 + 256)}, true, "only B1 is compared"},
        {{}, "CHAN", worked, {k4(4, 9, 9, 9)}, true, "only B1 is compared"},
        {{}, "CHAN", {{0, 70, 255, 0, 0}}, {k1(0), k1(256)}, false, "numbers outside 1..69 lie in no channel"},
        {{}, "CHNV", worked, {k4(3, 0, 0, 0)}, true, "channel 3 holds none"},
        {{}, "CHNV", worked, {k4(2, 2, 0, 0)}, true, "channel 2 holds two"},
        {{}, "CHNV", worked, {k4(2, 1, 0, 0), k4(1, 0, 0, 0)}, false, "neither pair"},
        {{}, "CHNV", worked, {k4(3, 0, 1, 0)}, false, "K3 must be 0"},
        {{}, "CHNV", worked, {k4(8, 0, 0, 0)}, false, "there is no channel 8"},
        {{}, "CHNC", worked, {k4(4, 1, 0, 0)}, true, "only K1 is compared"},
        {{}, "CHNC", worked, {k1(3), k1(5)}, false, "four channels"},
        {{}, "CHN2", worked, {k1(2)}, true, "two in channel 2"},
        {{}, "CHN3", worked, {k1(0)}, true, "none in channel 3"},
        {{}, "CHN3", worked, {k1(256)}, false, "K1 is compared whole"},
        {{}, "KCS2", worked, {k4(2, 4, 0, 0)}, true, "18 then 33"},
        {{}, "KCS2", worked, {k4(4, 2, 0, 0)}, false, "order counts"},
        {{}, "KCS2", worked, {k4(1, 4, 0, 0)}, false, "5 and 33 are not neighbours"},
        {{}, "KCM2", worked, {k4(1, 4, 0, 0)}, true, "any two positions"},
        {{}, "COLS", grid, {k1(6)}, true, "69 is in column 6"},
        {{}, "COLS", grid, {k1(6 + 256)}, false, "K1 is compared whole"},
        {{}, "COLS", grid, {k4(2, 7, 0, 0)}, true, "only K1 is compared"},
        {{}, "ROWS", grid, {k1(1), k1(6)}, false, "rows 2 3 4 5 10"},
        {{}, "COLV", grid, {k4(1, 3, 0, 0)}, true, "three in column 1"},
        {{}, "COLV", grid, {k4(7, 0, 0, 0)}, true, "column 7 is empty"},
        {{}, "COLV", grid, {k4(8, 0, 0, 0)}, false, "there is no column 8"},
        {{}, "ROWV", grid, {k4(10, 1, 0, 0)}, true, "69 in row 10"},
        {{}, "COLN", grid, {k1(3)}, true, "three columns"},
        {{}, "COLM", grid, {l2(98, 0)}, true, "columns 1, 2, 6"},
        {{}, "COLM", grid, {l2(98, 5)}, true, "only L1 is compared"},
        {{}, "COLM", grid, {l2(98 + 128, 0)}, false, "L1 is compared whole"},
        {{}, "COLA", grid, {k4(1, 3, 0, 0)}, true, "two pairs in column 1"},
        {{}, "COLA", grid, {k4(1, 2, 0, 0)}, false, "there are two pairs"},
        {{}, "COLA", grid, {k4(1, 3, 0, 1)}, false, "K4 must be 0"},
        {{}, "COLC", grid, {k1(1)}, true, "one column with pairs"},
        {{}, "ROWA", grid, {k4(2, 2, 0, 0), k4(3, 2, 0, 0), k4(10, 2, 0, 0)}, false, "no row holds two"},
        {{}, "ROWC", grid, {k1(0)}, true, "no row with pairs"},
        {{}, "KFS2", grid, {k4(2, 6, 0, 0)}, true, "30 then 69"},
        {{}, "COL1", grid, {k1(3)}, true, "three in column 1"},
        {{}, "ROW10", grid, {k1(1)}, true, "69 in row 10"},
        {configWith(10, 40), "COLM", wide, {TStatKey{wideKey}}, true, "the whole pattern"},
        {configWith(10, 40), "COLM", wide, {l2(0, 0x80)}, true, "the same key read as L1 and L2"},
        {configWith(10, 40), "COLM", wide, {TStatKey{wideKey | 1}}, false, "a wide pattern is compared whole"},
        {configWith(10, 40), "COLM", wide, {l2(0, 0)}, false, "column 1 is not lost"},
        {configWith(10, 1), "ROWM", {{1, 2, 3, 4, 69}}, {TStatKey{0x4504030201ull}}, true,
         "69 rows: the occupied rows one per byte"},
        {configWith(10, 1), "ROWM", {{69, 4, 3, 2, 1}}, {TStatKey{0x4504030201ull}}, true, "whatever the order"},
        {configWith(10, 1), "ROWM", {{1, 2, 3, 4, 68}}, {TStatKey{0x4504030201ull}}, false, "another row"},
        {twoSegments(), "SGMV", {{1, 2, 3, 4, 5}}, {k4(2, 0, 0, 0)}, true, "segment 2 holds none"},
        {twoSegments(), "SGMV", {{1, 2, 3, 4, 5}}, {k4(3, 0, 0, 0)}, false, "segment 3 is not in use"},
        {twoSegments(), "SGMS", {{1, 2, 3, 4, 5}}, {k1(2)}, false, "all in segment 1"},
        {twoSegments(), "SGM2", {{1, 2, 3, 4, 35}}, {k1(1)}, true, "35 in segment 2"},
        {twoSegments(), "KGS2", {{1, 35, 2, 3, 4}}, {k4(2, 1, 0, 0)}, true, "35 then 2"},
    };
    for (const Case& c : cases) {
        Registry reg(c.config);
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        const FilterAnswers a = filterAnswers(*stat, c.comb, selectionOf(c.selected), 0);
        EXPECT_EQ(a.plain, c.expected) << c.code << ": " << c.why;
        ASSERT_TRUE(a.concurrent) << c.code;
        EXPECT_EQ(a.prepared, c.expected ? 1 : 0) << c.code << " prepared: " << c.why;
    }
}

// ------------------------------------------------------------ agreement

namespace {

struct Layout {
    const char* name;
    TConfigData config;
    int group;                         // the family checked under it
    std::set<std::string> constant;    // codes whose every combination yields the same values
    size_t sample;
    bool everyPart = false;            // every per-part entry, not only the first two and the last
};

std::vector<Layout> layouts()
{
    std::vector<Layout> out;
    out.push_back({"defaults", {}, kChannels, {}, 50000, true});
    out.push_back({"defaults", {}, kMatrix, {}, 50000, true});
    out.push_back({"defaults", {}, kSegments,
                   {"SGMS", "SGMV", "SGMC", "SGM1", "KGM2", "KGM3", "KGM4", "KGS2", "KGS3", "KGS4"}, 20000, true});
    out.push_back({"channel size 4", configWith(4, 7), kChannels, {}, 20000});
    out.push_back({"channel size 69", configWith(69, 7), kChannels,
                   {"CHAN", "CHNV", "CHNC", "CHN1", "KCM2", "KCM3", "KCM4", "KCS2", "KCS3", "KCS4"}, 20000});
    out.push_back({"1 column", configWith(10, 1), kMatrix,
                   {"COLS", "COLV", "COLN", "COLM", "COL1", "KFM2", "KFM3", "KFM4", "KFS2", "KFS3", "KFS4", "ROWA",
                    "ROWC", "ROWN"},
                   30000});
    out.push_back({"33 columns", configWith(10, 33), kMatrix, {}, 20000});
    out.push_back({"40 columns", configWith(10, 40), kMatrix, {}, 20000});
    out.push_back({"69 columns", configWith(10, 69), kMatrix,
                   {"ROWS", "ROWV", "ROWN", "ROWM", "ROW1", "KRM2", "KRM3", "KRM4", "KRS2", "KRS3", "KRS4", "COLA",
                    "COLC", "COLN"},
                   20000});
    out.push_back({"two segments", twoSegments(), kSegments, {}, 50000});
    TConfigData nine;
    for (int n = 1; n <= kMainMax; ++n)
        nine.Segments[static_cast<size_t>(n - 1)] = static_cast<uint8_t>((n * 7) % 9 + 1);
    out.push_back({"nine scattered segments", nine, kSegments, {}, 20000});
    return out;
}

// Whether registry item i is checked under a layout: every member of the
// family, and of the per-part entries (one class for all parts) the first
// two and the last, which under the wide layouts would otherwise be dozens
// of copies of the same test.
bool checkedUnder(const TStatList& list, int i, const Layout& layout)
{
    const TStatMethod& m = list.Items(i);
    if (m.StatClass->group != layout.group)
        return false;
    if (!m.StatClass->hasParam() || layout.everyPart)
        return true;
    const int high = m.StatClass->paramRange(list.Config).second;
    return m.Param <= 2 || m.Param == high;
}

}  // namespace

// Every registered member of the three families, under each layout, over a
// sample of the full set with the usual series of selections.
TEST(PartitionFilter, PreparedFiltersAgreeWithCombMatches)
{
    uint32_t seed = 3000;
    for (const Layout& layout : layouts()) {
        Registry reg(layout.config);
        int checkedCodes = 0;
        for (int i = 0; i < reg.list.Count(); ++i) {
            if (!checkedUnder(reg.list, i, layout))
                continue;
            const std::string code = reg.list.ItemCode(i).toStdString();
            SCOPED_TRACE(code + " under " + layout.name);
            const std::unique_ptr<TCustomStat> stat = reg.list.CreateStat(i);
            agreement::AgreementTotals totals;
            EXPECT_TRUE(agreement::filterAgreesOnStandardSelections(*stat, -1, ++seed, &totals, layout.sample));
            EXPECT_GE(totals.checked, 8 * layout.sample);
            const bool constant = layout.constant.count(code) > 0;
            if (constant) {
                EXPECT_EQ(totals.selectionsWithBothAnswers, 0u);
            }

            // One value that really occurs, that of the first combination
            // with a value: the sample then holds combinations on both
            // sides, unless every combination yields the same.
            const std::vector<TComb> combs = agreement::sampleCombinations(layout.sample, seed);
            std::optional<TStatKey> occurring;
            for (size_t c = 0; c < combs.size() && !occurring; ++c) {
                KeyList keys;
                stat->CombKeys(combs[c].n.data(), keys);
                if (keys.count > 0)
                    occurring = keys.keys[0];
            }
            if (!occurring) {
                // Only a member that never yields anything may find none
                // (touching rows of a one-column matrix).
                EXPECT_TRUE(constant);
                ++checkedCodes;
                continue;
            }
            const agreement::AgreementReport r =
                agreement::compareFilter(*stat, selectionOf({*occurring}), combs, -1, false, false);
            EXPECT_EQ(r.mismatches, 0u) << r.details;
            EXPECT_GT(r.matched, 0u);
            if (constant) {
                EXPECT_EQ(r.matched, r.checked);
            } else {
                EXPECT_LT(r.matched, r.checked);
            }
            ++checkedCodes;
        }
        EXPECT_GE(checkedCodes, 10) << layout.name;
    }
}

// Combinations a file may have filled with anything: 0, 70..255, repeats,
// any order. The prepared tables cover every byte value and answer as the
// plain test does.
TEST(PartitionFilter, DamagedCombinationsGetTheSameAnswers)
{
    std::mt19937 rng(99);
    const uint8_t odd[] = {0, 70, 71, 128, 200, 255};
    std::uniform_int_distribution<int> number(1, kMainMax);
    std::uniform_int_distribution<int> pick(0, 9);
    std::vector<TComb> combs;
    for (int i = 0; i < 10000; ++i) {
        TComb c;
        for (uint8_t& n : c.n) {
            const int r = pick(rng);
            n = r < 3 ? odd[static_cast<size_t>(pick(rng) % 6)] : static_cast<uint8_t>(number(rng));
        }
        if (i % 3 == 0)
            c.n[2] = c.n[1];  // repeats
        combs.push_back(c);
    }
    // The selections draw on the values of valid combinations.
    const std::vector<TComb> valid = agreement::sampleCombinations(2000, 5);
    for (const Layout& layout : {layouts()[0], layouts()[1], layouts()[5], layouts()[8], layouts()[9]}) {
        Registry reg(layout.config);
        for (int i = 0; i < reg.list.Count(); ++i) {
            if (!checkedUnder(reg.list, i, layout))
                continue;
            const std::string code = reg.list.ItemCode(i).toStdString();
            SCOPED_TRACE(code + " under " + layout.name);
            const std::unique_ptr<TCustomStat> stat = reg.list.CreateStat(i);
            const std::vector<TStatKey> values = agreement::methodValues(*stat, valid, -1);
            for (const agreement::NamedSelection& s : agreement::standardSelections(values, 17u + static_cast<uint32_t>(i))) {
                const agreement::AgreementReport r = agreement::compareFilter(*stat, s.items, combs, -1, false, false);
                EXPECT_EQ(r.mismatches, 0u) << s.name << "\n" << r.details;
            }
        }
    }
}

// ------------------------------------------------------------ the full set

namespace {

// The combinations with exactly k distinct parts, for parts of the given
// sizes: the coefficient of x^k y^5 in the product over parts of
// (1 + x (C(s,1) y + C(s,2) y^2 + ...)).
std::array<uint64_t, 6> distinctPartCounts(const std::vector<int>& sizes)
{
    // ways[k][m]: k parts used, m numbers chosen.
    std::array<std::array<uint64_t, 6>, 6> ways{};
    ways[0][0] = 1;
    for (int s : sizes) {
        std::array<std::array<uint64_t, 6>, 6> next = ways;
        for (int k = 0; k < 5; ++k)
            for (int m = 0; m < 5; ++m)
                for (int j = 1; m + j <= 5; ++j)
                    next[static_cast<size_t>(k + 1)][static_cast<size_t>(m + j)] +=
                        ways[static_cast<size_t>(k)][static_cast<size_t>(m)] * choose(s, j);
        ways = next;
    }
    std::array<uint64_t, 6> out{};
    for (int k = 0; k <= 5; ++k)
        out[static_cast<size_t>(k)] = ways[static_cast<size_t>(k)][5];
    return out;
}

std::map<uint64_t, int64_t> prefetchCounts(TStatList& list, const char* code)
{
    const int i = list.FindCode(QString::fromUtf8(code));
    EXPECT_GE(i, 0) << code;
    std::map<uint64_t, int64_t> out;
    if (i < 0)
        return out;
    const std::optional<PrefetchSource> built = buildPrefetch(list, i, {}, 2);
    EXPECT_TRUE(built) << code;
    if (built)
        for (const PrefetchRecord& r : built->records)
            out[r.key.raw] = r.count;
    return out;
}

int64_t totalOf(const std::map<uint64_t, int64_t>& counts)
{
    int64_t t = 0;
    for (const auto& [key, count] : counts)
        t += count;
    return t;
}

}  // namespace

TEST(PartitionPrefetch, ChannelCountsOverTheFullSet)
{
    Registry reg;
    // Seven channels: six of ten numbers and 61..69.
    const std::vector<int> sizes = {10, 10, 10, 10, 10, 10, 9};

    const std::map<uint64_t, int64_t> chnc = prefetchCounts(reg.list, "CHNC");
    EXPECT_EQ(totalOf(chnc), kFullSetSize);
    const std::array<uint64_t, 6> expected = distinctPartCounts(sizes);
    ASSERT_EQ(chnc.size(), 5u);
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(chnc.at(static_cast<uint64_t>(k)), static_cast<int64_t>(expected[static_cast<size_t>(k)])) << k;

    const std::map<uint64_t, int64_t> chn2 = prefetchCounts(reg.list, "CHN2");
    EXPECT_EQ(totalOf(chn2), kFullSetSize);
    ASSERT_EQ(chn2.size(), 6u);
    for (int k = 0; k <= 5; ++k)
        EXPECT_EQ(chn2.at(static_cast<uint64_t>(k)), static_cast<int64_t>(choose(10, k) * choose(59, 5 - k))) << k;

    // CHNV: seven values per combination; each (channel, k) as above.
    const std::map<uint64_t, int64_t> chnv = prefetchCounts(reg.list, "CHNV");
    EXPECT_EQ(totalOf(chnv), int64_t{7} * kFullSetSize);
    for (int c = 1; c <= 7; ++c)
        for (int k = 0; k <= 5; ++k) {
            const int s = sizes[static_cast<size_t>(c - 1)];
            const auto it = chnv.find(TStatKey::k4(static_cast<uint16_t>(c), static_cast<uint16_t>(k), 0, 0).raw);
            ASSERT_NE(it, chnv.end()) << c << " x " << k;
            EXPECT_EQ(it->second, static_cast<int64_t>(choose(s, k) * choose(69 - s, 5 - k))) << c << " x " << k;
        }
}

TEST(PartitionPrefetch, MatrixCountsOverTheFullSet)
{
    Registry reg;
    // Seven columns: six of ten numbers, column 7 of nine (7, 14, ..., 63).
    const std::vector<int> columnSizes = {10, 10, 10, 10, 10, 10, 9};

    const std::map<uint64_t, int64_t> coln = prefetchCounts(reg.list, "COLN");
    const std::array<uint64_t, 6> expected = distinctPartCounts(columnSizes);
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(coln.at(static_cast<uint64_t>(k)), static_cast<int64_t>(expected[static_cast<size_t>(k)])) << k;

    // Every set of one to five columns is a pattern; a single column c is
    // reached by the C(size, 5) combinations inside it.
    const std::map<uint64_t, int64_t> colm = prefetchCounts(reg.list, "COLM");
    EXPECT_EQ(totalOf(colm), kFullSetSize);
    EXPECT_EQ(colm.size(), 7u + 21u + 35u + 35u + 21u);
    EXPECT_EQ(colm.at(0b1000000), static_cast<int64_t>(choose(10, 5)));
    EXPECT_EQ(colm.at(0b0000001), static_cast<int64_t>(choose(9, 5)));
    // Columns 1 and 7 both occupied, nothing else: 19 numbers, minus the
    // combinations inside one of the two columns.
    EXPECT_EQ(colm.at(0b1000001), static_cast<int64_t>(choose(19, 5) - choose(10, 5) - choose(9, 5)));

    // Rows of 7 (the tenth holds 64..69, six numbers): ROW10 counts.
    const std::map<uint64_t, int64_t> row10 = prefetchCounts(reg.list, "ROW10");
    for (int k = 0; k <= 5; ++k)
        EXPECT_EQ(row10.at(static_cast<uint64_t>(k)), static_cast<int64_t>(choose(6, k) * choose(63, 5 - k))) << k;

    // Columns with a touching pair: at most two, as five numbers allow.
    const std::map<uint64_t, int64_t> colc = prefetchCounts(reg.list, "COLC");
    EXPECT_EQ(totalOf(colc), kFullSetSize);
    EXPECT_EQ(colc.size(), 3u);
    // No pair at all in a one-column matrix means five numbers with no two
    // consecutive: C(65, 5).
    Registry one(configWith(10, 1));
    const std::map<uint64_t, int64_t> colcOne = prefetchCounts(one.list, "COLC");
    EXPECT_EQ(colcOne.at(0), static_cast<int64_t>(choose(65, 5)));
    EXPECT_EQ(colcOne.at(1), kFullSetSize - static_cast<int64_t>(choose(65, 5)));
}

TEST(PartitionPrefetch, SegmentCountsOverTheFullSet)
{
    Registry reg(twoSegments());
    const std::map<uint64_t, int64_t> sgmv = prefetchCounts(reg.list, "SGMV");
    EXPECT_EQ(totalOf(sgmv), int64_t{2} * kFullSetSize);
    ASSERT_EQ(sgmv.size(), 12u);
    for (int k = 0; k <= 5; ++k) {
        EXPECT_EQ(sgmv.at(TStatKey::k4(1, static_cast<uint16_t>(k), 0, 0).raw),
                  static_cast<int64_t>(choose(34, k) * choose(35, 5 - k)))
            << k;
        EXPECT_EQ(sgmv.at(TStatKey::k4(2, static_cast<uint16_t>(k), 0, 0).raw),
                  static_cast<int64_t>(choose(35, k) * choose(34, 5 - k)))
            << k;
    }
    const std::map<uint64_t, int64_t> sgmc = prefetchCounts(reg.list, "SGMC");
    EXPECT_EQ(sgmc.at(1), static_cast<int64_t>(choose(34, 5) + choose(35, 5)));
    EXPECT_EQ(sgmc.at(2), kFullSetSize - static_cast<int64_t>(choose(34, 5) + choose(35, 5)));
}

// How many of the 11,238,513 combinations each prepared filter keeps.
TEST(PartitionFilter, FullSetCountsMatchCombinatorics)
{
    struct Case {
        TConfigData config;
        const char* code;
        std::vector<TStatKey> selected;
        uint64_t expected;
    };
    const uint64_t all = choose(69, 5);
    const Case cases[] = {
        // None in channel 3 (21..30).
        {{}, "CHNV", {k4(3, 0, 0, 0)}, choose(59, 5)},
        // None in channel 3 or none in channel 4.
        {{}, "CHNV", {k4(3, 0, 0, 0), k4(4, 0, 0, 0)}, 2 * choose(59, 5) - choose(49, 5)},
        {{}, "CHAN", {k1(7)}, all - choose(60, 5)},
        {{}, "CHN7", {k1(2), k1(3)}, choose(9, 2) * choose(60, 3) + choose(9, 3) * choose(60, 2)},
        // Width 14: four channels of 14 and 57..69.
        {configWith(14, 7), "CHNC", {k1(1)}, 4 * choose(14, 5) + choose(13, 5)},
        {configWith(69, 7), "CHN1", {k1(5)}, all},
        {{}, "COLS", {k1(7)}, all - choose(60, 5)},
        {{}, "ROWN", {k1(1)}, 9 * choose(7, 5) + choose(6, 5)},
        // 40 columns: exactly columns 1, 2 and 3 ({1, 41}, {2, 42}, {3, 43}):
        // five of those six numbers, any one left out.
        {configWith(10, 40), "COLM", {TStatKey{uint64_t{7} << 37}}, 6},
        {configWith(10, 33), "ROWV", {k4(3, 0, 0, 0)}, choose(66, 5)},
        {twoSegments(), "SGM2", {k1(0)}, choose(34, 5)},
        {twoSegments(), "SGMV", {k4(1, 5, 0, 0), k4(2, 5, 0, 0)}, choose(34, 5) + choose(35, 5)},
    };
    for (const Case& c : cases) {
        Registry reg(c.config);
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        const TStatDrawArray selected = selectionOf(c.selected);
        EXPECT_EQ(keptOfFullSet(*stat->PrepareFilter(selected, -1, false, false)), c.expected) << c.code << " with " << c.selected.size() << " selected";
    }
}
