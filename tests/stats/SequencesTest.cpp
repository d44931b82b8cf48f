// The sequences family: runs of consecutive numbers in a draw, their values
// in a window, the graph values that also join descending neighbours, the
// plain and prepared filters, the counts over the full set and the registry
// entries.
#include <gtest/gtest.h>

#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/Enumeration.h"
#include "stats/FamilyTestSupport.h"
#include "stats/FilterAgreement.h"
#include "stats/Prefetch.h"
#include "stats/families/Sequences.h"

using namespace zircon;
using namespace zircon::test;

namespace {

// Every way of writing 5 as an ordered sum of run lengths.
void compositions(int rest, std::vector<int>& parts, std::vector<std::vector<int>>& out)
{
    if (rest == 0) {
        out.push_back(parts);
        return;
    }
    for (int p = 1; p <= rest; ++p) {
        parts.push_back(p);
        compositions(rest - p, parts, out);
        parts.pop_back();
    }
}

}  // namespace

// ------------------------------------------------------------ one window

TEST(SequencesWindow, WorkedExamples)
{
    struct Row {
        const char* text;
        int count;
    };
    struct Case {
        const char* code;
        std::array<uint8_t, kMainCount> nums;
        bool sorted;
        std::vector<Row> occurring;  // rows with Count > 0, in table order
    };
    const Case cases[] = {
        // 3, 1, 1: the length 1 twice.
        {"SEQL", {1, 2, 3, 10, 20}, false, {{"1", 2}, {"3", 1}}},
        {"SEQL", {4, 5, 6, 7, 8}, false, {{"5", 1}}},
        {"SEQL", {10, 20, 30, 40, 50}, false, {{"1", 5}}},
        {"SEQS", {1, 2, 10, 11, 40}, false, {{"2", 1}}},
        {"LENS", {1, 2, 10, 11, 40}, false, {{"2", 1}}},
        {"SEQS", {10, 20, 30, 40, 50}, false, {{"0", 1}}},
        {"LENS", {10, 20, 30, 40, 50}, false, {{"1", 1}}},
        // Drawn order: 9 8 7 descends, so only 1 2 is a run.
        {"SEQL", {9, 8, 7, 1, 2}, false, {{"1", 3}, {"2", 1}}},
        {"SEQS", {9, 8, 7, 1, 2}, false, {{"1", 1}}},
        {"LENS", {9, 8, 7, 1, 2}, false, {{"2", 1}}},
        // Sorted: 1 2 7 8 9.
        {"SEQL", {9, 8, 7, 1, 2}, true, {{"2", 1}, {"3", 1}}},
        {"SEQS", {9, 8, 7, 1, 2}, true, {{"2", 1}}},
        {"LENS", {9, 8, 7, 1, 2}, true, {{"3", 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + (c.sorted ? " sorted" : " unsorted") + " from "
                     + std::to_string(c.nums[0]));
        Registry reg({makeDraw(300, c.nums)});
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        const TStatDrawArray items = computeWindow(*stat, 1, c.sorted);
        size_t next = 0;
        for (const TStatDrawItem& it : items) {
            if (it.Count == 0)
                continue;
            ASSERT_LT(next, c.occurring.size()) << "unexpected row " << stat->ValueText(it).toStdString();
            EXPECT_EQ(stat->ValueText(it), QString::fromUtf8(c.occurring[next].text));
            EXPECT_EQ(it.Count, c.occurring[next].count) << c.occurring[next].text;
            EXPECT_EQ(it.Depth, 1);
            EXPECT_EQ(it.LastDraw, 300);
            EXPECT_EQ(it.Key.raw >> 16, 0u) << "only K1 is used";
            ++next;
        }
        EXPECT_EQ(next, c.occurring.size());
    }
}

TEST(SequencesWindow, PreSeededValues)
{
    struct Case {
        const char* code;
        std::vector<const char*> texts;
    };
    const Case cases[] = {
        {"SEQL", {"1", "2", "3", "4", "5"}},
        {"SEQS", {"0", "1", "2"}},
        {"LENS", {"1", "2", "3", "4", "5"}},
    };
    Registry reg;
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        TStatDrawArray items;
        stat->BeginStat(-1, items);
        ASSERT_EQ(items.size(), static_cast<int>(c.texts.size())) << c.code;
        for (int i = 0; i < items.size(); ++i) {
            EXPECT_EQ(stat->ValueText(items[i]), QString::fromUtf8(c.texts[static_cast<size_t>(i)])) << c.code;
            EXPECT_EQ(items[i].Count, 0) << c.code;
            EXPECT_EQ(items[i].Depth, 0) << c.code;
        }
    }
}

// Two draws: the longest run 3 in the older one, 5 in the newer one.
TEST(SequencesWindow, OccurrencesAcrossDraws)
{
    Registry reg({makeDraw(10, {20, 21, 22, 40, 60}), makeDraw(11, {30, 31, 32, 33, 34})});
    const std::unique_ptr<TCustomStat> lens = reg.create("LENS");
    const std::unique_ptr<TCustomStat> seql = reg.create("SEQL");
    ASSERT_TRUE(lens && seql);
    const TStatDrawArray l = computeWindow(*lens, 2, false);
    const TStatDrawItem& three = l[l.find(k1(3))];
    const TStatDrawItem& five = l[l.find(k1(5))];
    EXPECT_EQ(three.Count, 1);
    EXPECT_EQ(three.Depth, 2);
    EXPECT_EQ(three.LastDraw, 10);
    EXPECT_EQ(five.Count, 1);
    EXPECT_EQ(five.Depth, 1);
    EXPECT_EQ(five.LastDraw, 11);
    const TStatDrawArray s = computeWindow(*seql, 2, false);
    EXPECT_EQ(s[s.find(k1(1))].Count, 2);  // 40 and 60
    EXPECT_EQ(s[s.find(k1(1))].LastDraw, 10);
    EXPECT_EQ(s[s.find(k1(2))].Count, 0);
}

// ------------------------------------------------------------ values

TEST(SequencesValues, RunLengthsInMergeOrder)
{
    struct Case {
        const char* code;
        std::array<uint8_t, kMainCount> nums;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"SEQL", {1, 2, 3, 10, 20}, {3, 1, 1}},
        {"SEQL", {10, 11, 5, 6, 7}, {2, 3}},
        {"SEQL", {5, 4, 3, 2, 1}, {1, 1, 1, 1, 1}},
        {"SEQL", {1, 3, 4, 6, 7}, {1, 2, 2}},
        // Bytes outside 1..69 step like any other value; 255 to 0 is no step.
        {"SEQL", {68, 69, 70, 71, 0}, {4, 1}},
        {"SEQL", {254, 255, 0, 1, 2}, {2, 3}},
        {"SEQS", {1, 3, 4, 6, 7}, {2}},
        {"SEQS", {1, 2, 3, 4, 6}, {1}},
        {"LENS", {1, 3, 4, 6, 7}, {2}},
        {"LENS", {2, 3, 4, 5, 1}, {4}},
    };
    Registry reg;
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        KeyList keys;
        stat->CombKeys(c.nums.data(), keys);
        std::vector<int> got;
        for (TStatKey k : keys) {
            EXPECT_EQ(k.raw >> 16, 0u);
            got.push_back(k.K(1));
        }
        EXPECT_EQ(got, c.expected) << c.code << " from " << int(c.nums[0]);
    }
}

TEST(SequencesValues, CombinationValuesCountOnce)
{
    Registry reg;
    const std::unique_ptr<TCustomStat> seql = reg.create("SEQL");
    ASSERT_TRUE(seql);
    TStatDrawArray items;
    seql->AddCombValues(TComb{{1, 2, 3, 10, 20}}, items);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[items.find(k1(3))].Count, 1);
    EXPECT_EQ(items[items.find(k1(1))].Count, 2);
    EXPECT_EQ(items[items.find(k1(1))].Depth, 0);
}

// The graphs also join descending neighbours; the tables never do.
TEST(SequencesGraph, GraphValuesJoinBothDirections)
{
    struct Case {
        const char* code;
        std::array<uint8_t, kMainCount> nums;
        bool sorted;
        int graph;  // DrawGraphValue
        int table;  // the value the table counts
    };
    const Case cases[] = {
        {"SEQS", {9, 8, 7, 1, 2}, false, 2, 1},
        {"LENS", {9, 8, 7, 1, 2}, false, 3, 2},
        {"SEQS", {9, 8, 7, 1, 2}, true, 2, 2},
        {"LENS", {9, 8, 7, 1, 2}, true, 3, 3},
        {"LENS", {5, 4, 3, 2, 1}, false, 5, 1},
        {"SEQS", {5, 4, 3, 2, 1}, false, 1, 0},
        // A turn keeps the run going: every step is +1 or -1.
        {"LENS", {4, 5, 4, 5, 6}, false, 5, 3},
        {"SEQS", {10, 11, 30, 21, 20}, false, 2, 1},
        {"LENS", {10, 20, 30, 40, 50}, false, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + (c.sorted ? " sorted" : " unsorted") + " from "
                     + std::to_string(c.nums[0]));
        Registry reg({makeDraw(5, c.nums)});
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        auto* graph = dynamic_cast<TCustomGraphStat*>(stat.get());
        ASSERT_NE(graph, nullptr);
        EXPECT_EQ(graph->DrawGraphValue(0, 0, c.sorted), c.graph);
        const TStatDrawArray items = computeWindow(*stat, 1, c.sorted);
        const int at = items.find(k1(static_cast<uint16_t>(c.table)));
        ASSERT_GE(at, 0);
        EXPECT_EQ(items[at].Count, 1);
    }
    Registry reg;
    const std::unique_ptr<TCustomStat> seql = reg.create("SEQL");
    EXPECT_EQ(dynamic_cast<TCustomGraphStat*>(seql.get()), nullptr) << "SEQL has no graph";
}

// ------------------------------------------------------------ filters

TEST(SequencesFilter, PlainAndPreparedAnswers)
{
    struct Case {
        const char* code;
        TComb comb;
        std::vector<TStatKey> selected;
        bool expected;
        const char* why;
    };
    const Case cases[] = {
        {"SEQL", {{1, 2, 3, 10, 20}}, {k1(3)}, true, "one run of three"},
        {"SEQL", {{1, 2, 3, 10, 20}}, {k1(1)}, true, "two runs of one"},
        {"SEQL", {{1, 2, 3, 10, 20}}, {k1(2), k1(4), k1(5)}, false, "no such run"},
        {"SEQL", {{1, 2, 3, 10, 20}}, {TStatKey::k4(3, 7, 0, 0)}, true, "only K1 is compared"},
        {"SEQL", {{1, 2, 3, 10, 20}}, {k1(3 + 256)}, false, "K1 is not cut to a byte"},
        {"SEQL", {{3, 2, 1, 10, 20}}, {k1(3)}, false, "stored descending: no run"},
        {"SEQS", {{2, 1, 10, 11, 40}}, {k1(1)}, true, "stored order: only 10 11"},
        {"SEQS", {{2, 1, 10, 11, 40}}, {k1(2)}, false, "2 1 descends"},
        {"SEQS", {{254, 255, 0, 1, 2}}, {k1(2)}, true, "any byte value steps"},
        {"SEQS", {{1, 3, 5, 7, 9}}, {k1(0)}, true, "no run"},
        {"LENS", {{69, 70, 71, 1, 2}}, {k1(3)}, true, "bytes past 69 step too"},
        {"LENS", {{4, 5, 6, 7, 8}}, {k1(5)}, true, "all five"},
        {"LENS", {{4, 5, 6, 7, 8}}, {k1(4)}, false, "the longest only"},
        {"LENS", {{4, 5, 6, 7, 8}}, {}, false, "nothing selected"},
    };
    Registry reg;
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        const FilterAnswers a = filterAnswers(*stat, c.comb, selectionOf(c.selected), 0);
        EXPECT_EQ(a.plain, c.expected) << c.code << ": " << c.why;
        EXPECT_EQ(a.prepared, c.expected ? 1 : 0) << c.code << " prepared: " << c.why;
        EXPECT_TRUE(a.concurrent) << c.code;
    }
}

TEST(SequencesFilter, PreparedFiltersAgreeWithCombMatches)
{
    Registry reg;
    for (const char* code : {"SEQL", "SEQS", "LENS"}) {
        SCOPED_TRACE(code);
        const std::unique_ptr<TCustomStat> stat = reg.create(code);
        ASSERT_TRUE(stat);
        agreement::AgreementTotals totals;
        EXPECT_TRUE(agreement::filterAgreesOnStandardSelections(*stat, -1, 6100u + static_cast<uint32_t>(code[3]),
                                                                &totals));
        EXPECT_GT(totals.selectionsWithBothAnswers, 0u);
    }
}

// ------------------------------------------------------------ full set

// Ascending combinations: a composition of 5 into r run lengths (in order)
// is made by C(65, r) combinations, placing r blocks with gaps in 1..69.
TEST(SequencesPrefetch, FullSetCountsMatchCombinatorics)
{
    std::vector<std::vector<int>> all;
    std::vector<int> parts;
    compositions(kMainCount, parts, all);
    ASSERT_EQ(all.size(), 16u);

    std::map<int, uint64_t> lengths, counts, longest;
    for (const std::vector<int>& c : all) {
        const uint64_t n = choose(kMainMax - kMainCount + 1, static_cast<int>(c.size()));
        int runsOfTwo = 0;
        int maxLength = 0;
        for (int l : c) {
            lengths[l] += n;
            runsOfTwo += l >= 2 ? 1 : 0;
            maxLength = std::max(maxLength, l);
        }
        counts[runsOfTwo] += n;
        longest[maxLength] += n;
    }
    EXPECT_EQ(longest[5], 65u);
    EXPECT_EQ(longest[1], choose(65, 5));

    struct Case {
        const char* code;
        const std::map<int, uint64_t>* expected;
        uint64_t total;
    };
    const Case cases[] = {
        {"SEQL", &lengths, 0},
        {"SEQS", &counts, kFullSetSize},
        {"LENS", &longest, kFullSetSize},
    };
    TDrawsArray none;
    TStatList list(&none);
    list.setRegistrationTable({&TstSequenceLen::Class, &TstSequenceCnt::Class, &TstSequenceLenMax::Class});
    list.RegisterAll();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const int index = list.FindCode(QString::fromLatin1(c.code));
        ASSERT_GE(index, 0);
        const std::optional<PrefetchSource> built = buildPrefetch(list, index);
        ASSERT_TRUE(built);
        std::map<int, uint64_t> got;
        uint64_t total = 0;
        uint64_t weighted = 0;
        for (const PrefetchRecord& r : built->records) {
            EXPECT_EQ(r.key.raw >> 16, 0u);
            got[r.key.K(1)] = static_cast<uint64_t>(r.count);
            total += static_cast<uint64_t>(r.count);
            weighted += static_cast<uint64_t>(r.count) * r.key.K(1);
        }
        EXPECT_EQ(got, *c.expected);
        if (c.total != 0)
            EXPECT_EQ(total, c.total);
        else  // every combination's run lengths add up to 5
            EXPECT_EQ(weighted, uint64_t{kMainCount} * kFullSetSize);
    }
}

// ------------------------------------------------------------ registry

TEST(SequencesRegistry, EntriesInOrder)
{
    struct Case {
        const char* code;
        const char* className;
        const char* title;
        const char* flags;
    };
    const Case cases[] = {
        {"SEQL", "TstSequenceLen", "Длина последовательности в тираже", "SN"},
        {"SEQS", "TstSequenceCnt", "Количество последовательностей в тираже", "SNG"},
        {"LENS", "TstSequenceLenMax", "Макс. длина последовательности в тираже", "SNG"},
    };
    Registry reg;
    const int first = reg.list.FindCode(QStringLiteral("SEQL"));
    ASSERT_GE(first, 0);
    for (int k = 0; k < static_cast<int>(std::size(cases)); ++k) {
        const Case& c = cases[k];
        SCOPED_TRACE(c.code);
        const int i = first + k;
        ASSERT_LT(i, reg.list.Count());
        const TStatMethod& m = reg.list.Items(i);
        EXPECT_EQ(reg.list.ItemCode(i), QString::fromUtf8(c.code));
        EXPECT_STREQ(m.StatClass->className, c.className);
        EXPECT_EQ(m.Param, 0);
        EXPECT_FALSE(m.StatClass->hasParam());
        EXPECT_EQ(m.StatClass->group, 6);
        EXPECT_EQ(reg.list.DisplayTitle(i), QString::fromUtf8(c.title));
        EXPECT_EQ(statFlagLetters(m.StatClass->fullFlags()), QString::fromUtf8(c.flags));
        EXPECT_EQ(m.StatClass->helpCode(0), QString::fromUtf8(c.code));
        const std::unique_ptr<TCustomStat> stat = reg.list.CreateStat(i);
        ASSERT_TRUE(stat);
        EXPECT_EQ(dynamic_cast<TCustomGraphStat*>(stat.get()) != nullptr, reg.list.HasGraph(i));
        EXPECT_EQ(dynamic_cast<TCustomNumbersStat*>(stat.get()) != nullptr, k == 0);
    }
    EXPECT_EQ(reg.list.DisplayName(first + 2, true),
              QStringLiteral("{ seq } Макс. длина последовательности в тираже [ SNG ]"));
}
