// The filter core: keeping and deleting by selected values over lists of
// combinations, the two-thread pass against the one-thread pass, progress and
// stopping, and the filter step that restores the list when it cannot finish.
#include <gtest/gtest.h>

#include <QString>

#include <algorithm>
#include <array>
#include <memory>
#include <numeric>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "core/DrawArchive.h"
#include "core/Enumeration.h"
#include "core/Error.h"
#include "stats/StatDrawArray.h"
#include "stats/TCustomStat.h"
#include "stats/TStatList.h"
#include "workbench/AppliedFilters.h"
#include "workbench/FilterCore.h"

using namespace zircon;

namespace {

// The archive every registry here reads: the shipped fixture.
const TDrawsArray& fixtureDraws()
{
    static const TDrawsArray draws = [] {
        DrawArchive archive;
        archive.load(QStringLiteral(ZIRCON_TEST_DATA_DIR "/Zircon_5x69.ldr"));
        return archive.draws();
    }();
    return draws;
}

struct Registry {
    TStatList list{&fixtureDraws()};
    Registry() { list.RegisterAll(); }

    std::unique_ptr<TCustomStat> create(const std::string& code) const
    {
        const int i = list.FindCode(QString::fromStdString(code));
        EXPECT_GE(i, 0) << code << " is not registered";
        return i < 0 ? nullptr : list.CreateStat(i);
    }
    int windowEnd() const { return filterWindowEnd(static_cast<int>(fixtureDraws().size()), 0); }
};

// `count` different combinations of the full set in a random order; every
// other one has its numbers shuffled, as lists read from files may.
std::vector<TComb> distinctSample(size_t count, uint32_t seed)
{
    std::mt19937 rng(seed);
    std::uniform_int_distribution<uint32_t> rank(0, static_cast<uint32_t>(kFullSetSize) - 1);
    std::vector<bool> seen(kFullSetSize);
    std::vector<TComb> combs;
    combs.reserve(count);
    while (combs.size() < count) {
        const uint32_t r = rank(rng);
        if (seen[r])
            continue;
        seen[r] = true;
        TComb c = combUnrank(r);
        if (combs.size() % 2 == 1)
            std::shuffle(c.n.begin(), c.n.end(), rng);
        combs.push_back(c);
    }
    return combs;
}

// The values of the method's table over the newest 300 draws of the fixture.
std::vector<TStatKey> tableValues(TCustomStat& stat, int end, bool sorted)
{
    TStatDrawArray items;
    stat.BeginStat(end, items);
    TStatWork work;
    TLastValueArray last;
    for (int i = std::max(0, end - 299); i <= end; ++i)
        stat.AddDrawValues(i, end, sorted, items, work, last);
    std::vector<TStatKey> keys;
    for (const TStatDrawItem& it : items)
        keys.push_back(it.Key);
    return keys;
}

TStatDrawArray selectionOf(const std::vector<TStatKey>& keys)
{
    TStatDrawArray s;
    TStatDrawItem item;
    item.Count = 1;
    for (TStatKey k : keys) {
        item.Key = k;
        s.AddValue(item, false);
    }
    return s;
}

// Random selections of table rows: one value, a few, about half, all but one.
std::vector<TStatDrawArray> randomSelections(std::vector<TStatKey> values, uint32_t seed)
{
    std::mt19937 rng(seed);
    const size_t n = values.size();
    std::vector<TStatDrawArray> out;
    for (size_t take : {size_t{1}, std::min<size_t>(3, n), n / 2, n - 1}) {
        std::shuffle(values.begin(), values.end(), rng);
        out.push_back(selectionOf(std::vector<TStatKey>(values.begin(), values.begin() + static_cast<long>(take))));
    }
    return out;
}

struct PassOutput {
    std::vector<TComb> combs;
    ValueFilterResult result;
};

PassOutput runPass(const std::vector<TComb>& input, TCustomStat& stat, const TStatDrawArray& selection,
                   ValueFilterPass pass)
{
    PassOutput out;
    out.combs.assign(input.size(), TComb{});
    out.result = applyValueFilter(input.data(), input.size(), out.combs.data(), stat, selection, pass);
    out.combs.resize(out.result.completed ? out.result.kept : 0);
    return out;
}

ValueFilterPass passOf(int end, bool sorted, bool deleteMode, FilterThreads threads)
{
    ValueFilterPass pass;
    pass.end = end;
    pass.sorted = sorted;
    pass.deleteMode = deleteMode;
    pass.threads = threads;
    return pass;
}

// Whether the two lists split the input between them: every combination of
// the input lies in exactly one of them, and each keeps the input's order.
// The input holds different combinations, so the walk is never ambiguous.
::testing::AssertionResult partitionsInput(const std::vector<TComb>& input, const std::vector<TComb>& kept,
                                           const std::vector<TComb>& deleted)
{
    size_t a = 0;
    size_t b = 0;
    for (size_t i = 0; i < input.size(); ++i) {
        const bool inKept = a < kept.size() && kept[a] == input[i];
        const bool inDeleted = b < deleted.size() && deleted[b] == input[i];
        if (inKept == inDeleted)
            return ::testing::AssertionFailure() << "input entry " << i << (inKept ? " is in both lists" : " is in neither list at its place");
        inKept ? ++a : ++b;
    }
    if (a != kept.size() || b != deleted.size())
        return ::testing::AssertionFailure() << "the lists hold entries that are not in the input";
    return ::testing::AssertionSuccess();
}

// -------------------------------------------------------------- properties

class FilterPropertyTest : public ::testing::TestWithParam<std::string> {};

TEST_P(FilterPropertyTest, KeepAndDeletePartitionTheInputInOrderAndAgreeWithCombMatches)
{
    Registry reg;
    const std::unique_ptr<TCustomStat> stat = reg.create(GetParam());
    ASSERT_NE(stat, nullptr);
    const std::vector<TComb> input = distinctSample(150000, 20240611u);
    const int end = reg.windowEnd();
    size_t selectionsSplittingTheList = 0;

    for (bool sorted : {false, true}) {
        const std::vector<TStatKey> values = tableValues(*stat, end, sorted);
        ASSERT_GE(values.size(), 2u) << "the method's table is too small to select from";
        for (const TStatDrawArray& selection : randomSelections(values, sorted ? 17u : 5u)) {
            SCOPED_TRACE(::testing::Message() << "sorted " << sorted << ", " << selection.size() << " values");
            const PassOutput kept = runPass(input, *stat, selection, passOf(end, sorted, false, FilterThreads::Single));
            const PassOutput deleted = runPass(input, *stat, selection, passOf(end, sorted, true, FilterThreads::Single));
            ASSERT_TRUE(kept.result.completed);
            ASSERT_TRUE(deleted.result.completed);
            EXPECT_EQ(kept.result.threads, 1);
            EXPECT_TRUE(partitionsInput(input, kept.combs, deleted.combs));

            // The plain test of one combination decides which list it is in.
            stat->LoadDraws(-1, end, sorted);
            std::vector<TComb> expected;
            for (const TComb& c : input)
                if (stat->CombMatches(c, selection, end, sorted, false))
                    expected.push_back(c);
            EXPECT_EQ(kept.combs, expected);
            if (!kept.combs.empty() && !deleted.combs.empty())
                ++selectionsSplittingTheList;

            // Two threads: the same lists in the same order.
            for (bool deleteMode : {false, true}) {
                const PassOutput two = runPass(input, *stat, selection, passOf(end, sorted, deleteMode, FilterThreads::Two));
                ASSERT_TRUE(two.result.completed);
                EXPECT_EQ(two.result.threads, 2) << "the numbers family's prepared filters may run on two threads";
                EXPECT_EQ(two.combs, deleteMode ? deleted.combs : kept.combs) << "delete mode " << deleteMode;
            }
        }
    }
    // Selections that keep everything or nothing would make the checks above weak.
    EXPECT_GE(selectionsSplittingTheList, 4u);
}

INSTANTIATE_TEST_SUITE_P(Numbers, FilterPropertyTest,
                         ::testing::Values("NUMS", "EVEN", "EVNV", "POS2", "DIGS", "SMLV", "PRIM"),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

// Keeping every value of a statistic that gives every combination a value
// keeps the whole list; deleting them empties it.
TEST(FilterCoreTest, EveryValueOfACoveringStatisticKeepsAllOrDeletesAll)
{
    struct Case {
        const char* code;
        std::vector<TStatKey> values;
    };
    std::vector<TStatKey> numbers;
    for (uint16_t n = 1; n <= kMainMax; ++n)
        numbers.push_back(TStatKey::k1(n));
    std::vector<TStatKey> evenCounts;
    for (uint16_t c = 0; c <= kMainCount; ++c)
        evenCounts.push_back(TStatKey::k1(c));
    std::vector<TStatKey> masks;
    for (uint32_t m = 0; m < 32; ++m)
        masks.push_back(TStatKey::l2(m, 0));
    const std::vector<Case> cases = {{"NUMS", numbers}, {"EVEN", evenCounts}, {"EVNV", masks}, {"POS2", numbers}};

    Registry reg;
    const std::vector<TComb> input = distinctSample(300000, 99u);
    for (const Case& c : cases)
        for (FilterThreads threads : {FilterThreads::Single, FilterThreads::Two}) {
            SCOPED_TRACE(::testing::Message() << c.code << (threads == FilterThreads::Two ? ", two threads" : ""));
            const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
            ASSERT_NE(stat, nullptr);
            const TStatDrawArray all = selectionOf(c.values);
            const PassOutput kept = runPass(input, *stat, all, passOf(reg.windowEnd(), false, false, threads));
            const PassOutput deleted = runPass(input, *stat, all, passOf(reg.windowEnd(), false, true, threads));
            EXPECT_EQ(kept.result.kept, input.size());
            EXPECT_EQ(kept.combs, input);
            EXPECT_EQ(deleted.result.kept, 0u);
        }
}

TEST(FilterCoreTest, AnEmptyInputTestsNothing)
{
    Registry reg;
    const std::unique_ptr<TCustomStat> stat = reg.create("NUMS");
    ValueFilterPass pass = passOf(reg.windowEnd(), false, false, FilterThreads::Two);
    int calls = 0;
    pass.progress = [&](size_t, size_t) { return ++calls, true; };
    TComb out{};
    const ValueFilterResult r = applyValueFilter(nullptr, 0, &out, *stat, selectionOf({TStatKey::k1(1)}), pass);
    EXPECT_TRUE(r.completed);
    EXPECT_EQ(r.kept, 0u);
    EXPECT_EQ(r.threads, 0);
    EXPECT_EQ(calls, 0);
}

TEST(FilterCoreTest, TheOutputMayNotOverlapTheInput)
{
    Registry reg;
    const std::unique_ptr<TCustomStat> stat = reg.create("NUMS");
    std::vector<TComb> buffer = distinctSample(100, 3u);
    EXPECT_THROW(applyValueFilter(buffer.data(), 60, buffer.data() + 40, *stat, selectionOf({TStatKey::k1(1)}),
                                  passOf(0, false, false, FilterThreads::Single)),
                 std::invalid_argument);
}

// Nothing past the room for the input is written, whatever the list's length
// and however it splits into blocks and halves.
TEST(FilterCoreTest, NothingIsWrittenPastTheOutputsRoom)
{
    Registry reg;
    const std::unique_ptr<TCustomStat> stat = reg.create("NUMS");
    const TStatDrawArray selection = selectionOf({TStatKey::k1(4), TStatKey::k1(44)});
    const std::vector<TComb> all = distinctSample(9000, 5u);
    const TComb guard{{0xEE, 0xEE, 0xEE, 0xEE, 0xEE}};
    for (size_t length : {size_t{1}, size_t{2}, size_t{7}, size_t{8}, size_t{9}, size_t{4097}, size_t{9000}})
        for (FilterThreads threads : {FilterThreads::Single, FilterThreads::Two})
            for (bool deleteMode : {false, true}) {
                const std::vector<TComb> input(all.begin(), all.begin() + static_cast<long>(length));
                std::vector<TComb> output(length + 2, guard);
                const ValueFilterResult r = applyValueFilter(input.data(), length, output.data(), *stat, selection,
                                                             passOf(reg.windowEnd(), false, deleteMode, threads));
                ASSERT_TRUE(r.completed);
                EXPECT_EQ(output[length], guard) << length << " combinations";
                EXPECT_EQ(output[length + 1], guard) << length << " combinations";
                const PassOutput single = runPass(input, *stat, selection, passOf(reg.windowEnd(), false, deleteMode, FilterThreads::Single));
                EXPECT_EQ(std::vector<TComb>(output.begin(), output.begin() + static_cast<long>(r.kept)), single.combs);
            }
}

// A list of any length gets a hundred or so reports on the calling thread,
// rising to the whole count; two threads report the same way.
TEST(FilterCoreTest, ProgressIsReportedAboutAHundredTimesOnTheCallingThread)
{
    Registry reg;
    const std::unique_ptr<TCustomStat> stat = reg.create("NUMS");
    const TStatDrawArray selection = selectionOf({TStatKey::k1(7), TStatKey::k1(30)});
    for (size_t length : {size_t{37}, size_t{250}, size_t{100000}, size_t{700000}})
        for (FilterThreads threads : {FilterThreads::Single, FilterThreads::Two}) {
            SCOPED_TRACE(::testing::Message() << length << " combinations" << (threads == FilterThreads::Two ? ", two threads" : ""));
            const std::vector<TComb> input = distinctSample(length, static_cast<uint32_t>(length));
            std::vector<size_t> reports;
            bool otherThread = false;
            const std::thread::id caller = std::this_thread::get_id();
            ValueFilterPass pass = passOf(reg.windowEnd(), false, false, threads);
            pass.progress = [&](size_t done, size_t total) {
                otherThread |= std::this_thread::get_id() != caller;
                EXPECT_EQ(total, length);
                reports.push_back(done);
                return true;
            };
            const PassOutput out = runPass(input, *stat, selection, pass);
            ASSERT_TRUE(out.result.completed);
            EXPECT_FALSE(otherThread);
            ASSERT_FALSE(reports.empty());
            EXPECT_LE(reports.size(), 100u);
            // On two threads the reports come from the first half, which may
            // run before or after the other: at least its own half percent by
            // percent.
            if (threads == FilterThreads::Single)
                EXPECT_GE(reports.size(), std::min<size_t>(length, 90));
            else
                EXPECT_GE(reports.size(), std::min<size_t>(length / 2, 45));
            EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
            EXPECT_EQ(reports.back(), length);
        }
}

// A stop asked for in the middle of a pass is reported, on one thread and on two.
TEST(FilterCoreTest, AStopMidPassReportsThatThePassDidNotComplete)
{
    Registry reg;
    const std::unique_ptr<TCustomStat> stat = reg.create("NUMS");
    const std::vector<TComb> input = distinctSample(400000, 8u);
    const TStatDrawArray selection = selectionOf({TStatKey::k1(3), TStatKey::k1(9)});
    for (FilterThreads threads : {FilterThreads::Single, FilterThreads::Two}) {
        int calls = 0;
        ValueFilterPass pass = passOf(reg.windowEnd(), false, false, threads);
        pass.progress = [&](size_t done, size_t total) {
            EXPECT_LT(done, total) << "the stop came only after the whole list";
            return ++calls < 10;
        };
        const PassOutput out = runPass(input, *stat, selection, pass);
        EXPECT_FALSE(out.result.completed);
        EXPECT_EQ(calls, 10) << "the pass went on after the stop";
    }
}

TEST(FilterCoreTest, WindowEndIsTheCurrentDrawAndZeroWhenTheOffsetExceedsTheArchive)
{
    struct Case {
        int draws;
        int offset;
        int end;
    };
    const Case cases[] = {{10, 0, 9}, {10, 3, 6}, {10, 9, 0}, {3, 5, 0}, {1, 0, 0}, {0, 0, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(filterWindowEnd(c.draws, c.offset), c.end) << c.draws << " draws, offset " << c.offset;
}

// ------------------------------------------- the filter step with its list

// A method of the tests' own: the plain test fails on one combination, and
// the prepared filter is the default (which calls the plain test).
class TstFailsOnComb : public TCustomValuesStat {
public:
    static const StatClassInfo Class;
    using TCustomValuesStat::TCustomValuesStat;
    static constexpr TComb kBad{{10, 11, 12, 13, 14}};

    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) override
    {
        if (comb == kBad)
            throw Error(QStringLiteral("test failure"));
        return MatchK(selected, 1, comb.n[0]);
    }
};
const StatClassInfo TstFailsOnComb::Class = statClass<TstFailsOnComb>(
    StatClassInfo{.className = "TstFailsOnComb", .codeFormat = "TFOC", .titleFormat = "fails"});

// The same test prepared as a table, which the pass may split over two
// threads, so a failure can come from either half.
class TstTableFailsOnComb : public TstFailsOnComb {
public:
    static const StatClassInfo Class;
    using TstFailsOnComb::TstFailsOnComb;

    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted, bool) override
    {
        LoadDraws(-1, end, sorted);
        std::array<bool, 256> first{};
        for (const TStatDrawItem& it : selected)
            if (it.Key.K(1) < first.size())
                first[it.Key.K(1)] = true;
        return makeCombFilter([first](const TComb& c) {
            if (c == kBad)
                throw Error(QStringLiteral("test failure"));
            return first[c.n[0]];
        });
    }
};
const StatClassInfo TstTableFailsOnComb::Class = statClass<TstTableFailsOnComb>(
    StatClassInfo{.className = "TstTableFailsOnComb", .codeFormat = "TTFC", .titleFormat = "fails"});

// The list and its undo copy as the combination list holds them: the backup
// has made the undo copy equal to the list.
struct ListAndUndo {
    std::vector<TComb> undo;
    std::vector<TComb> list;

    explicit ListAndUndo(std::vector<TComb> combs) : undo(std::move(combs)), list(undo) {}
    std::vector<TComb> listHead(size_t n) const { return std::vector<TComb>(list.begin(), list.begin() + static_cast<long>(n)); }
};

std::vector<TComb> withBadAt(std::vector<TComb> combs, size_t at)
{
    combs[at] = TstFailsOnComb::kBad;
    return combs;
}

TEST(ApplyValueFilterTest, ACompletedStepRebuildsTheListAndRecordsItsRow)
{
    Registry reg;
    const std::unique_ptr<TCustomStat> stat = reg.create("NUMS");
    const std::vector<TComb> input = distinctSample(20000, 41u);
    const TStatDrawArray selection = selectionOf({TStatKey::k1(5), TStatKey::k1(50)});
    AppliedFilters filters;
    for (bool deleteMode : {false, true}) {
        ListAndUndo lists(input);
        const PassOutput expected = runPass(input, *stat, selection, passOf(reg.windowEnd(), false, deleteMode, FilterThreads::Single));
        const ValueFilterResult r = ApplyValueFilter(*stat, selection, QStringLiteral("{ num } NUMS"), QStringLiteral("5; 50"),
                                                     lists.undo.data(), lists.undo.size(), lists.list.data(), filters,
                                                     passOf(reg.windowEnd(), false, deleteMode, FilterThreads::Automatic));
        ASSERT_TRUE(r.completed);
        EXPECT_EQ(lists.listHead(r.kept), expected.combs);
        EXPECT_EQ(lists.undo, input) << "the undo copy is the input and stays as it was";
        ASSERT_EQ(filters.count(), deleteMode ? 2 : 1);
        const AppliedFilterRow want{QStringLiteral("{ num } NUMS"), QStringLiteral("5; 50"), r.kept,
                                    deleteMode ? FilterMark::Delete : FilterMark::Keep};
        EXPECT_EQ(filters.row(filters.count() - 1), want);
    }
}

TEST(ApplyValueFilterTest, AnEmptyUndoCopyLeavesTheListEmptyAndAddsNoRow)
{
    Registry reg;
    const std::unique_ptr<TCustomStat> stat = reg.create("NUMS");
    AppliedFilters filters;
    TComb list{};
    const ValueFilterResult r = ApplyValueFilter(*stat, selectionOf({TStatKey::k1(1)}), QStringLiteral("NUMS"), QString(),
                                                 nullptr, 0, &list, filters, passOf(0, false, false, FilterThreads::Single));
    EXPECT_TRUE(r.completed);
    EXPECT_EQ(r.kept, 0u);
    EXPECT_TRUE(filters.empty());
}

// A stopped step or a failing method leaves the list exactly as the undo copy
// holds it, with its count, and records nothing.
TEST(ApplyValueFilterTest, AStopOrAFailureRestoresTheListFromTheUndoCopy)
{
    const std::vector<TComb> input = [] {
        std::vector<TComb> combs = distinctSample(400000, 77u);
        std::erase(combs, TstFailsOnComb::kBad);
        return combs;
    }();
    const size_t n = input.size();
    struct Case {
        const char* name;
        const StatClassInfo* cls;
        std::vector<TComb> combs;
        FilterThreads threads;
        int stopAfter;  // 0: no stop
        bool throws;
    };
    const std::vector<Case> cases = {
        {"stop, one thread", &TstTableFailsOnComb::Class, input, FilterThreads::Single, 5, false},
        {"stop, two threads", &TstTableFailsOnComb::Class, input, FilterThreads::Two, 5, false},
        {"failure in the plain test", &TstFailsOnComb::Class, withBadAt(input, n / 3), FilterThreads::Two, 0, true},
        {"failure in the first half", &TstTableFailsOnComb::Class, withBadAt(input, n / 4), FilterThreads::Two, 0, true},
        {"failure in the second half", &TstTableFailsOnComb::Class, withBadAt(input, n - 10), FilterThreads::Two, 0, true},
        {"failure on one thread", &TstTableFailsOnComb::Class, withBadAt(input, n / 2), FilterThreads::Single, 0, true},
    };
    TStatList list(&fixtureDraws());
    // Values whose combinations begin the list, so the list really changes.
    const TStatDrawArray selection = selectionOf({TStatKey::k1(1), TStatKey::k1(2), TStatKey::k1(40)});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<TCustomStat> stat = c.cls->create(*c.cls, list, 0);
        ListAndUndo lists(c.combs);
        AppliedFilters filters;
        filters.add(QStringLiteral("earlier"), QStringLiteral("1"), n, FilterMark::Keep);
        ValueFilterPass pass = passOf(0, false, true, c.threads);
        int calls = 0;
        if (c.stopAfter > 0)
            pass.progress = [&](size_t, size_t) { return ++calls < c.stopAfter; };
        ValueFilterResult r;
        if (c.throws) {
            EXPECT_THROW(r = ApplyValueFilter(*stat, selection, QStringLiteral("TFOC"), QStringLiteral("1"), lists.undo.data(),
                                              n, lists.list.data(), filters, pass),
                         Error);
        } else {
            r = ApplyValueFilter(*stat, selection, QStringLiteral("TFOC"), QStringLiteral("1"), lists.undo.data(), n,
                                 lists.list.data(), filters, pass);
            EXPECT_FALSE(r.completed);
            EXPECT_EQ(r.kept, n);
        }
        EXPECT_TRUE(lists.list == c.combs) << "the list was not restored";
        EXPECT_TRUE(lists.undo == c.combs);
        EXPECT_EQ(filters.count(), 1) << "no row for a step that did not complete";
    }
}

// A prepared filter that calls back into the statistic runs on one thread
// even when two are asked for, with the same result.
TEST(ApplyValueFilterTest, TheDefaultPreparedFilterIsNeverSplit)
{
    TStatList list(&fixtureDraws());
    TstFailsOnComb plain(TstFailsOnComb::Class, list, 0);
    TstTableFailsOnComb table(TstTableFailsOnComb::Class, list, 0);
    const std::vector<TComb> input = distinctSample(300000, 12u);
    const TStatDrawArray selection = selectionOf({TStatKey::k1(1), TStatKey::k1(9), TStatKey::k1(33)});
    const PassOutput serial = runPass(input, plain, selection, passOf(0, false, false, FilterThreads::Two));
    const PassOutput split = runPass(input, table, selection, passOf(0, false, false, FilterThreads::Two));
    EXPECT_EQ(serial.result.threads, 1);
    EXPECT_EQ(split.result.threads, 2);
    EXPECT_EQ(serial.combs, split.combs);
    EXPECT_FALSE(serial.combs.empty());
}

}  // namespace
