#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <cmath>
#include <memory>
#include <random>
#include <set>

#include "core/DrawArchive.h"
#include "core/Error.h"
#include "core/MainFormKeys.h"
#include "shell/CombCommands.h"
#include "shell/StatisticsView.h"
#include "shell/Workspace.h"
#include "stats/TCustomStat.h"
#include "support/DrawFixtures.h"
#include "support/FakeHost.h"
#include "support/TempDir.h"

using namespace zircon;
using zircon::test::FakeHost;
using zircon::test::makeDraw;
using zircon::test::TempDir;

namespace {

// Small methods of the test's own, so that the choosers and the chart's order
// are checked against values worked out by hand.

// Value = each of the five numbers; nothing pre-seeded, so the table lists
// the values in the order they first appear.
class ZEach : public TCustomValuesStat {
public:
    using TCustomValuesStat::TCustomValuesStat;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override
    {
        for (int i = 0; i < kMainCount; ++i)
            keys.addK1(nums[i]);
    }
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) override
    {
        for (uint8_t n : comb.n)
            if (MatchKey4(selected, n, 0, 0, 0))
                return true;
        return false;
    }
};

// Value = the sum of the five numbers (a method with a graph).
class ZSum : public TCustomGraphStat {
public:
    using TCustomGraphStat::TCustomGraphStat;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override
    {
        int s = 0;
        for (int i = 0; i < kMainCount; ++i)
            s += nums[i];
        keys.addK1(s);
    }
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) override
    {
        int s = 0;
        for (uint8_t n : comb.n)
            s += n;
        return MatchK(selected, 1, s);
    }
};

// Fails on every draw.
class ZFail : public ZEach {
public:
    using ZEach::ZEach;
    void AddDrawValues(int, int, bool, TStatDrawArray&, TStatWork&, TLastValueArray&) override
    {
        throw Error(QStringLiteral("сбой метода"));
    }
};

const StatClassInfo kBeta = statClass<ZSum>(
    StatClassInfo{.className = "ZBeta", .codeFormat = "ZB", .titleFormat = "Бета", .group = 1, .flags = 0});
const StatClassInfo kAlpha = statClass<ZEach>(
    StatClassInfo{.className = "ZAlpha", .codeFormat = "ZA", .titleFormat = "альфа", .group = 0, .flags = kFlagNorm});
const StatClassInfo kHidden = statClass<ZEach>(StatClassInfo{
    .className = "ZHidden", .codeFormat = "ZH", .titleFormat = "скрытый", .group = 0, .flags = 0, .listed = false});
const StatClassInfo kGamma = statClass<ZSum>(
    StatClassInfo{.className = "ZGamma", .codeFormat = "ZC", .titleFormat = "Гамма", .group = 0, .flags = kFlagNorm});
const StatClassInfo kFail = statClass<ZFail>(
    StatClassInfo{.className = "ZFail", .codeFormat = "ZF", .titleFormat = "сбой", .group = 0, .flags = 0});

// Fifty draws numbered 100.. with five different numbers each, from a
// generator whose output the standard fixes.
TDrawsArray sampleDraws(int count)
{
    std::mt19937 rng(20240607u);
    TDrawsArray draws;
    for (int i = 0; i < count; ++i) {
        std::array<uint8_t, 5> nums{};
        std::set<int> used;
        for (int k = 0; k < 5;) {
            const int n = static_cast<int>(rng() % 69) + 1;
            if (used.insert(n).second)
                nums[static_cast<size_t>(k++)] = static_cast<uint8_t>(n);
        }
        draws.push_back(makeDraw(100 + i, nums));
    }
    return draws;
}

// How often each number occurs in draws start..end.
std::array<int, 70> numberCounts(const TDrawsArray& draws, int start, int end)
{
    std::array<int, 70> counts{};
    for (int i = start; i <= end; ++i)
        for (uint8_t n : draws[static_cast<size_t>(i)].nums)
            ++counts[n];
    return counts;
}

bool drawHas(const TDraw& d, int n)
{
    for (uint8_t v : d.nums)
        if (v == n)
            return true;
    return false;
}

class StatisticsViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        draws = sampleDraws(50);
        dir.write(QStringLiteral("Zircon_5x69.ldr"), encodeArchive(draws));
        ws = std::make_unique<Workspace>(dir.path(), host);
        ASSERT_TRUE(ws->loadArchive());
        ws->rebuildRegistry();
        view = std::make_unique<StatisticsView>(*ws);
        view->setChoosersListener([this] { ++choosersFilled; });
        view->setTableListener([this] { ++tableChanges; });
        view->FillStatChoosers(false, false);
    }

    void useRegistry(std::vector<const StatClassInfo*> classes)
    {
        ws->statList().setRegistrationTable(std::move(classes));
        ws->statList().RegisterAll();
        view->FillStatChoosers(false, false);
    }
    void choose(const char* code)
    {
        const auto& entries = view->statEntries();
        for (size_t i = 0; i < entries.size(); ++i)
            if (entries[i].code == QLatin1String(code)) {
                view->setStatIndex(static_cast<int>(i));
                return;
            }
        FAIL() << "no entry " << code;
    }
    // The table row of a value text, or -1.
    int rowOf(const QString& value) const
    {
        const StatTable& t = view->table();
        for (int r = 0; r < t.rowCount(); ++r)
            if (t.valueText(r) == value)
                return r;
        return -1;
    }
    static QStringList codes(const std::vector<StatChooserEntry>& entries)
    {
        QStringList out;
        for (const auto& e : entries)
            out << e.code;
        return out;
    }
    QString prefetchPath(const char* code) const { return ws->paths().prefetchFile(QString::fromLatin1(code)); }

    TempDir dir;
    FakeHost host;
    TDrawsArray draws;
    std::unique_ptr<Workspace> ws;
    std::unique_ptr<StatisticsView> view;
    int choosersFilled = 0;
    int tableChanges = 0;
};

}  // namespace

// ---------------------------------------------------------------------------
// Choosers

TEST_F(StatisticsViewTest, ChooserEntriesFollowTheRegistryOptions)
{
    struct Case {
        const char* name;
        bool ordered;
        bool groupNames;
        const char* favourites;
        QStringList statCodes;
        QStringList graphCodes;
        QStringList texts;  // the texts of the statistics entries
    };
    const std::vector<Case> cases = {
        {"registration order", false, true, "", {"ZB", "ZA", "ZC"}, {"ZB", "ZC"},
         {"{ sum } Бета [ G ]", "{ num } альфа [ N ]", "{ num } Гамма [ NG ]"}},
        // Sorted by the whole text, case ignored: the group names come first.
        {"ordered with group names", true, true, "", {"ZA", "ZC", "ZB"}, {"ZC", "ZB"},
         {"{ num } альфа [ N ]", "{ num } Гамма [ NG ]", "{ sum } Бета [ G ]"}},
        {"ordered by title", true, false, "", {"ZA", "ZB", "ZC"}, {"ZB", "ZC"},
         {"альфа [ N ]", "Бета [ G ]", "Гамма [ NG ]"}},
        {"favourites only", false, true, "zc,ZA", {"ZA", "ZC"}, {"ZC"},
         {"{ num } альфа [ N ]", "{ num } Гамма [ NG ]"}},
        // A favourite that is not listed stays out of the choosers.
        {"unlisted favourite", false, true, "ZH,ZB", {"ZB"}, {"ZB"}, {"{ sum } Бета [ G ]"}},
    };
    useRegistry({&kBeta, &kAlpha, &kHidden, &kGamma});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TStatList& list = ws->statList();
        list.Ordered = c.ordered;
        list.ShowGroupName = c.groupNames;
        list.SetFavorites(QString::fromUtf8(c.favourites));
        view->FillStatChoosers(false, false);
        EXPECT_EQ(codes(view->statEntries()), c.statCodes);
        EXPECT_EQ(codes(view->graphEntries()), c.graphCodes);
        QStringList texts;
        for (const auto& e : view->statEntries()) {
            texts << e.text;
            EXPECT_EQ(list.ItemCode(e.methodIndex), e.code);
        }
        EXPECT_EQ(texts, c.texts);
        EXPECT_EQ(view->statIndex(), 0);
        EXPECT_EQ(view->graphIndex(), 0);
    }
}

TEST_F(StatisticsViewTest, KeepSelectionKeepsPositionsThatAreStillInRange)
{
    useRegistry({&kBeta, &kAlpha, &kHidden, &kGamma});
    view->setStatIndex(2);
    view->setGraphIndex(1);
    const int filled = choosersFilled;
    view->FillStatChoosers(true, false);
    EXPECT_EQ(choosersFilled, filled + 1);
    EXPECT_EQ(view->statIndex(), 2);
    EXPECT_EQ(view->graphIndex(), 1);
    EXPECT_EQ(view->statEntries()[2].code, QStringLiteral("ZC"));

    view->FillStatChoosers(false, false);
    EXPECT_EQ(view->statIndex(), 0);
    EXPECT_EQ(view->graphIndex(), 0);

    // Two entries left: position 2 is gone, position 1 of the graphs too.
    view->setStatIndex(2);
    view->setGraphIndex(1);
    ws->statList().SetFavorites(QStringLiteral("ZA,ZC"));
    view->FillStatChoosers(true, false);
    EXPECT_EQ(view->statIndex(), 0);
    EXPECT_EQ(view->graphIndex(), 0);

    // Out of range positions choose nothing.
    view->setStatIndex(5);
    EXPECT_EQ(view->statIndex(), -1);
    EXPECT_EQ(view->chosenMethod(), -1);
}

TEST_F(StatisticsViewTest, RebuildTakesTheRegistryAnew)
{
    useRegistry({&kBeta, &kAlpha});
    ASSERT_EQ(view->statEntries().size(), 2u);
    // The registration table changes (as settings change a method's
    // parameter range); only a rebuild shows it.
    ws->statList().setRegistrationTable({&kAlpha, &kHidden, &kGamma});
    view->FillStatChoosers(true, false);
    EXPECT_EQ(view->statEntries().size(), 2u);
    EXPECT_EQ(codes(view->statEntries()), (QStringList{"ZB", "ZA"}));
    view->FillStatChoosers(true, true);
    EXPECT_EQ(codes(view->statEntries()), (QStringList{"ZA", "ZC"}));
}

TEST_F(StatisticsViewTest, EmptyChooserClearsTheTableAndNamesTheControl)
{
    view->ComputeStatTable(true);
    ASSERT_FALSE(view->table().empty());
    ws->statList().SetFavorites(QStringLiteral("NOSUCH"));
    view->FillStatChoosers(true, false);
    EXPECT_TRUE(view->statEntries().empty());
    EXPECT_EQ(view->statIndex(), -1);
    EXPECT_FALSE(view->canCompute());
    EXPECT_TRUE(view->ComputeStatTable(true));
    EXPECT_TRUE(view->table().empty());
    EXPECT_EQ(view->tableMethod(), -1);
    EXPECT_TRUE(view->chart().empty());
    try {
        view->CreateStatFromCombo();
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Не выбран метод расчета статистики (cb: cbDrawsStatType)!"));
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(StatisticsViewTest, CreateStatFromComboMakesTheChosenMethod)
{
    choose("POS3");
    const auto stat = view->CreateStatFromCombo();
    ASSERT_TRUE(stat);
    EXPECT_EQ(stat->classInfo().code(stat->Param), QStringLiteral("POS3"));
}

// ---------------------------------------------------------------------------
// Recompute key

TEST_F(StatisticsViewTest, UnchangedInputsDoNotRecompute)
{
    choose("NUMS");
    EXPECT_TRUE(view->ComputeStatTable(false));
    EXPECT_FALSE(view->ComputeStatTable(false));
    EXPECT_TRUE(view->ComputeStatTable(true));

    struct Step {
        const char* name;
        std::function<void()> change;
        bool recomputes;
    };
    const std::vector<Step> steps = {
        {"nothing", [] {}, false},
        {"window length", [&] { view->setWindowLength(20); }, true},
        {"same window length", [&] { view->setWindowLength(20); }, false},
        {"draws offset", [&] { ws->setDrawsOffset(3); }, true},
        {"chooser", [&] { choose("DIGS"); }, true},
        {"chooser back", [&] { choose("NUMS"); }, true},
        {"draw added", [&] { ws->addDraw(makeDraw(150, {1, 2, 3, 4, 5})); }, true},
        {"refill", [&] { view->FillStatChoosers(true, false); }, true},
        {"reset", [&] { view->resetRecomputeKey(); }, true},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        s.change();
        EXPECT_EQ(view->ComputeStatTable(false), s.recomputes);
        EXPECT_FALSE(view->ComputeStatTable(false));
    }
}

TEST_F(StatisticsViewTest, DrawEditedInPlaceRecomputes)
{
    choose("NUMS");
    ASSERT_TRUE(view->ComputeStatTable(false));
    const int before = view->table().cell(rowOf(QStringLiteral("69")), StatTable::ColCount).toInt();
    const int newest = ws->archive().high();
    const bool had69 = drawHas(draws[static_cast<size_t>(newest)], 69);
    // Same size, same offset, same window: only the draw's numbers change.
    TDraw edited = draws[static_cast<size_t>(newest)];
    edited.nums = had69 ? std::array<uint8_t, 5>{1, 2, 3, 4, 5} : std::array<uint8_t, 5>{65, 66, 67, 68, 69};
    ASSERT_TRUE(ws->replaceDraw(newest, edited));
    ASSERT_EQ(ws->archive().count(), 50);
    EXPECT_TRUE(view->ComputeStatTable(false));
    const int after = view->table().cell(rowOf(QStringLiteral("69")), StatTable::ColCount).toInt();
    EXPECT_EQ(after, before + (had69 ? -1 : 1));
}

TEST_F(StatisticsViewTest, FailedComputationIsShownAndTriedAgain)
{
    useRegistry({&kFail, &kAlpha});
    choose("ZF");
    EXPECT_TRUE(view->ComputeStatTable(false));
    ASSERT_EQ(host.count(MessageKind::Error), 1);
    EXPECT_EQ(host.messages.back().text, QStringLiteral("сбой метода"));
    EXPECT_TRUE(view->table().empty());
    EXPECT_EQ(view->tableMethod(), -1);
    EXPECT_FALSE(ws->busy());
    // The same inputs are computed again rather than skipped.
    EXPECT_TRUE(view->ComputeStatTable(false));
    EXPECT_EQ(host.count(MessageKind::Error), 2);
}

TEST_F(StatisticsViewTest, ARegistryRebuiltBehindTheChoosersRefillsThem)
{
    useRegistry({&kBeta, &kAlpha});
    choose("ZA");
    ASSERT_TRUE(view->ComputeStatTable(false));
    const int filled = choosersFilled;
    // The settings dialog rebuilds the registry itself: position 1 now names
    // nothing the entries were filled with.
    ws->statList().setRegistrationTable({&kGamma});
    ws->statList().RegisterAll();
    EXPECT_TRUE(view->ComputeStatTable(false));
    EXPECT_EQ(choosersFilled, filled + 1);
    EXPECT_EQ(codes(view->statEntries()), (QStringList{"ZC"}));
    EXPECT_EQ(view->tableMethod(), 0);
    EXPECT_TRUE(host.messages.empty());
}

// ---------------------------------------------------------------------------
// The computation

TEST_F(StatisticsViewTest, WindowLongerThanTheArchiveStartsAtTheOldestDraw)
{
    choose("NUMS");
    ASSERT_EQ(view->windowLength(), 1000);
    ASSERT_TRUE(view->ComputeStatTable(false));
    const StatTable& t = view->table();
    EXPECT_EQ(t.window().start, 0);
    EXPECT_EQ(t.window().end, 49);
    EXPECT_EQ(t.window().length, 50);
    EXPECT_EQ(t.summary().total, 250);
    const auto counts = numberCounts(draws, 0, 49);
    ASSERT_EQ(t.rowCount(), 69);
    for (int n = 1; n <= 69; ++n)
        EXPECT_EQ(t.cell(rowOf(QString::number(n)), StatTable::ColCount), QString::number(counts[n])) << n;
    // The status line was cleared and the busy state left.
    EXPECT_EQ(host.panels[6], QString());
    EXPECT_FALSE(ws->busy());
    EXPECT_FALSE(host.busyChanges.empty());
}

TEST_F(StatisticsViewTest, OffsetZeroHasNoFact)
{
    choose("NUMS");
    ASSERT_TRUE(view->ComputeStatTable(false));
    const StatTable& t = view->table();
    for (int r = 0; r < t.rowCount(); ++r)
        for (int c : {StatTable::ColFact, StatTable::ColDiffPrd, StatTable::ColDiffStf, StatTable::ColDiffKrn})
            EXPECT_EQ(t.cell(r, c), QStringLiteral("-")) << r << " " << c;
}

TEST_F(StatisticsViewTest, OffsetFiveShowsTheFirstHiddenDrawWithTheValue)
{
    choose("NUMS");
    ASSERT_TRUE(ws->setDrawsOffset(5));
    ASSERT_TRUE(view->ComputeStatTable(false));
    const StatTable& t = view->table();
    ASSERT_EQ(t.window().end, 44);
    ASSERT_EQ(t.window().length, 45);
    const auto counts = numberCounts(draws, 0, 44);
    int facts = 0;
    for (int n = 1; n <= 69; ++n) {
        SCOPED_TRACE(n);
        const int r = rowOf(QString::number(n));
        ASSERT_GE(r, 0);
        int fact = -1;
        for (int i = 45; i <= 49 && fact < 0; ++i)
            if (drawHas(draws[static_cast<size_t>(i)], n))
                fact = draws[static_cast<size_t>(i)].number;
        if (counts[n] == 0)
            fact = -1;  // never in the window: nothing from "Глубина" on
        EXPECT_EQ(t.cell(r, StatTable::ColFact), fact < 0 ? QStringLiteral("-") : QString::number(fact));
        facts += fact >= 0;
        // "+/- ПРД": the expectation W / Count + LastDraw (from two
        // occurrences on) minus the actual next draw.
        int last = 0;
        for (int i = 44; i >= 0 && last == 0; --i)
            if (drawHas(draws[static_cast<size_t>(i)], n))
                last = draws[static_cast<size_t>(i)].number;
        QString diff = QStringLiteral("-");
        if (fact >= 0 && counts[n] >= 2) {
            const long long expected = std::llround(std::nearbyint(45.0 / counts[n] + last));
            const long long d = expected - fact;
            diff = d > 0 ? QStringLiteral("+%1").arg(d) : QString::number(d);
        }
        EXPECT_EQ(t.cell(r, StatTable::ColDiffPrd), diff);
    }
    // 25 numbers in five hidden draws: some have a next occurrence.
    EXPECT_GT(facts, 0);
}

TEST_F(StatisticsViewTest, PrefetchingOffHidesTheNorms)
{
    choose("NUMS");
    ASSERT_FALSE(ws->prefetchsEnabled());
    ASSERT_TRUE(view->ComputeStatTable(false));
    const StatTable& t = view->table();
    EXPECT_FALSE(t.hasNorm());
    for (int r = 0; r < t.rowCount(); ++r)
        for (int c : {StatTable::ColNorm, StatTable::ColDeviation, StatTable::ColDeviationPercent})
            EXPECT_EQ(t.cell(r, c), QStringLiteral("-"));
    // Nothing was opened or built.
    EXPECT_FALSE(QFileInfo::exists(prefetchPath("NUMS")));
    EXPECT_FALSE(view->chart().total);
}

TEST_F(StatisticsViewTest, PrefetchingOnGivesNormsFromTheFullSet)
{
    choose("NUMS");
    ws->setPrefetchsEnabled(true);
    ASSERT_TRUE(view->ComputeStatTable(false));
    const StatTable& t = view->table();
    ASSERT_TRUE(t.hasNorm());
    // Every number lies in C(68,4) combinations of the full set, so the norm
    // is the middle of the window's smallest and largest count.
    const auto counts = numberCounts(draws, 0, 49);
    const int lo = *std::min_element(counts.begin() + 1, counts.end());
    const int hi = *std::max_element(counts.begin() + 1, counts.end());
    const long long norm = std::llround(std::nearbyint((lo + hi) / 2.0));
    for (int n = 1; n <= 69; ++n) {
        const int r = rowOf(QString::number(n));
        EXPECT_EQ(t.cell(r, StatTable::ColNorm), QString::number(norm)) << n;
        EXPECT_EQ(t.cell(r, StatTable::ColDeviation), QString::number(counts[n] - norm)) << n;
    }
    EXPECT_EQ(QFileInfo(prefetchPath("NUMS")).size(), 69 * 12 + 12);
}

TEST_F(StatisticsViewTest, EmptyPrefetchFileIsRebuiltOnTheNextComputation)
{
    choose("NUMS");
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Prefetchs")));
    {
        QFile f(prefetchPath("NUMS"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ASSERT_EQ(QFileInfo(prefetchPath("NUMS")).size(), 0);
    ws->setPrefetchsEnabled(true);
    ASSERT_TRUE(view->ComputeStatTable(false));
    EXPECT_TRUE(view->table().hasNorm());
    EXPECT_EQ(QFileInfo(prefetchPath("NUMS")).size(), 69 * 12 + 12);
    EXPECT_TRUE(host.messages.empty());
}

// ---------------------------------------------------------------------------
// The chart

TEST_F(StatisticsViewTest, ChartWithoutNormsRunsAlongTheNumbers)
{
    choose("NUMS");
    ASSERT_TRUE(view->ComputeStatTable(false));
    const StatChart& chart = view->chart();
    EXPECT_EQ(chart.actual.name, QStringLiteral("Фактические данные"));
    EXPECT_FALSE(chart.total);
    const auto counts = numberCounts(draws, 0, 49);
    ASSERT_EQ(chart.actual.points.size(), 69u);
    for (int n = 1; n <= 69; ++n) {
        const StatChartPoint& p = chart.actual.points[static_cast<size_t>(n - 1)];
        EXPECT_EQ(p.x, n);
        EXPECT_EQ(p.label, QString::number(n));
        EXPECT_EQ(p.y, counts[n]);
    }
}

TEST_F(StatisticsViewTest, ChartWithoutNormsSortsTheValuesByKey)
{
    useRegistry({&kAlpha, &kBeta});
    choose("ZA");  // values in the order they first appear
    ASSERT_TRUE(view->ComputeStatTable(false));
    const StatTable& t = view->table();
    const auto counts = numberCounts(draws, 0, 49);
    std::vector<int> present;
    for (int n = 1; n <= 69; ++n)
        if (counts[n] > 0)
            present.push_back(n);
    ASSERT_EQ(t.rowCount(), static_cast<int>(present.size()));
    // The table keeps the order of first appearance: the first draw's numbers.
    EXPECT_EQ(t.valueText(0), QString::number(draws[0].nums[0]));
    const auto& points = view->chart().actual.points;
    ASSERT_EQ(points.size(), present.size());
    for (size_t i = 0; i < present.size(); ++i) {
        EXPECT_EQ(points[i].x, static_cast<int>(i) + 1);
        EXPECT_EQ(points[i].label, QString::number(present[i]));
        EXPECT_EQ(points[i].y, counts[static_cast<size_t>(present[i])]);
    }
}

TEST_F(StatisticsViewTest, ChartNeedsTwoValues)
{
    useRegistry({&kBeta});
    choose("ZB");
    view->setWindowLength(1);  // one draw: one sum
    ASSERT_TRUE(view->ComputeStatTable(false));
    EXPECT_EQ(view->table().rowCount(), 1);
    EXPECT_TRUE(view->chart().empty());
    view->setWindowLength(2);
    ASSERT_TRUE(view->ComputeStatTable(false));
    ASSERT_EQ(view->table().rowCount(), 2);  // the two newest sums differ
    EXPECT_EQ(view->chart().actual.points.size(), 2u);
}

TEST_F(StatisticsViewTest, ChartWithNormsWalksThePrefetchRecords)
{
    choose("NUMS");
    ws->setPrefetchsEnabled(true);
    view->setWindowLength(10);  // draws 40..49: not every number occurs
    ASSERT_TRUE(view->ComputeStatTable(false));
    const StatTable& t = view->table();
    ASSERT_TRUE(t.hasNorm());
    const auto counts = numberCounts(draws, 40, 49);
    const int lo = *std::min_element(counts.begin() + 1, counts.end());
    const int hi = *std::max_element(counts.begin() + 1, counts.end());
    const StatChart& chart = view->chart();
    ASSERT_TRUE(chart.total);
    EXPECT_EQ(chart.total->name, QStringLiteral("Все возможные комбинации"));
    ASSERT_EQ(chart.total->points.size(), 69u);
    // NUMS is pre-seeded, so every record of the file has its table item.
    ASSERT_EQ(chart.actual.points.size(), 69u);
    for (int n = 1; n <= 69; ++n) {
        SCOPED_TRACE(n);
        const StatChartPoint& full = chart.total->points[static_cast<size_t>(n - 1)];
        EXPECT_EQ(full.x, n);
        EXPECT_EQ(full.label, QString::number(n));
        // 814385 x (max + min) / 2 / 814385.
        EXPECT_NEAR(full.y, (lo + hi) / 2.0, 1e-9);
        const StatChartPoint& actual = chart.actual.points[static_cast<size_t>(n - 1)];
        EXPECT_EQ(actual.x, n);
        EXPECT_EQ(actual.label, QString::number(n));
        EXPECT_EQ(actual.y, counts[static_cast<size_t>(n)]);
    }

    // Without the full-set line only the window's series is left.
    view->setShowTotalLine(false);
    ASSERT_TRUE(view->ComputeStatTable(true));
    EXPECT_FALSE(view->chart().total);
    EXPECT_EQ(view->chart().actual.points.size(), 69u);
}

TEST_F(StatisticsViewTest, ChartSkipsValuesAbsentFromTheWindowButNotFromTheFullSet)
{
    // ZA is not pre-seeded: values that did not occur have no table item and
    // no window point, but keep their full-set point at their record's place.
    useRegistry({&kAlpha});
    ws->setPrefetchsEnabled(true);
    view->setWindowLength(3);
    ASSERT_TRUE(view->ComputeStatTable(false));
    ASSERT_TRUE(view->table().hasNorm());
    const auto counts = numberCounts(draws, 47, 49);
    const StatChart& chart = view->chart();
    ASSERT_TRUE(chart.total);
    ASSERT_EQ(chart.total->points.size(), 69u);
    std::vector<StatChartPoint> expected;
    for (int n = 1; n <= 69; ++n)
        if (counts[n] > 0)
            expected.push_back({n, static_cast<double>(counts[n]), QString::number(n)});
    EXPECT_EQ(chart.actual.points, expected);
}

// ---------------------------------------------------------------------------
// Row values and commands

TEST_F(StatisticsViewTest, RowValuesAreTheTwelveTextsOfARow)
{
    choose("NUMS");
    ws->setPrefetchsEnabled(true);
    ASSERT_TRUE(view->ComputeStatTable(false));
    const StatTable& t = view->table();
    const int r = rowOf(QStringLiteral("7"));
    const auto v = view->RowValues(r);
    const int columns[12] = {StatTable::ColValue,     -1,
                             StatTable::ColCount,     StatTable::ColCountPercent,
                             StatTable::ColDeviation, StatTable::ColDeviationPercent,
                             StatTable::ColDepth,     StatTable::ColDepthPercent,
                             StatTable::ColWeight,    StatTable::ColPeriodMin,
                             StatTable::ColPeriod,    StatTable::ColPeriodMax};
    for (size_t i = 0; i < 12; ++i)
        EXPECT_EQ(v[i], columns[i] < 0 ? QString() : t.cell(r, columns[i])) << i;
    EXPECT_EQ(v[0], QStringLiteral("7"));
    EXPECT_EQ(v[2], QString::number(numberCounts(draws, 0, 49)[7]));
    for (int missing : {-1, t.rowCount()})
        for (const QString& s : view->RowValues(missing))
            EXPECT_TRUE(s.isEmpty());
}

TEST_F(StatisticsViewTest, PrefetchToggleStoresBuildsAndRecomputes)
{
    useRegistry({&kAlpha, &kBeta, &kGamma});
    choose("ZA");
    std::vector<bool> normColumns;
    view->setNormColumnsListener([&](bool shown) { normColumns.push_back(shown); });
    ASSERT_TRUE(view->ComputeStatTable(false));
    ASSERT_FALSE(view->table().hasNorm());

    view->togglePrefetchsEnabled();
    EXPECT_TRUE(ws->prefetchsEnabled());
    EXPECT_TRUE(ws->formState().readBool(kMainFormSection, mainform::kPrefetchsEnabled, false));
    // Every method with a norm has its file now, the others none.
    EXPECT_TRUE(QFileInfo::exists(prefetchPath("ZA")));
    EXPECT_TRUE(QFileInfo::exists(prefetchPath("ZC")));
    EXPECT_FALSE(QFileInfo::exists(prefetchPath("ZB")));
    EXPECT_EQ(normColumns, std::vector<bool>{true});
    EXPECT_TRUE(view->table().hasNorm());

    view->togglePrefetchsEnabled();
    EXPECT_FALSE(ws->prefetchsEnabled());
    EXPECT_FALSE(ws->formState().readBool(kMainFormSection, mainform::kPrefetchsEnabled, true));
    EXPECT_EQ(normColumns, (std::vector<bool>{true, false}));
    EXPECT_FALSE(view->table().hasNorm());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(StatisticsViewTest, ToggleThatCannotBeStoredChangesNothing)
{
    choose("NUMS");
    // A form-state file that is not text refuses writes.
    dir.write(QStringLiteral("Zircon_5x69.frm"), QByteArray("\x00\x01\x02", 3));
    EXPECT_THROW(view->togglePrefetchsEnabled(), Error);
    EXPECT_FALSE(ws->prefetchsEnabled());
    EXPECT_THROW(view->toggleShowTotalLine(), Error);
    EXPECT_TRUE(view->showTotalLine());
    EXPECT_FALSE(ws->busy());
}

TEST_F(StatisticsViewTest, ShowTotalLineToggleStoresAndRedrawsTheChart)
{
    choose("NUMS");
    ws->setPrefetchsEnabled(true);
    ASSERT_TRUE(view->ComputeStatTable(false));
    ASSERT_TRUE(view->chart().total);
    view->toggleShowTotalLine();
    EXPECT_FALSE(view->showTotalLine());
    EXPECT_FALSE(ws->formState().readBool(kMainFormSection, mainform::kShowTotalLine, true));
    EXPECT_FALSE(view->chart().total);
    EXPECT_EQ(view->chart().actual.points.size(), 69u);
    view->toggleShowTotalLine();
    EXPECT_TRUE(ws->formState().readBool(kMainFormSection, mainform::kShowTotalLine, false));
    EXPECT_TRUE(view->chart().total);
    EXPECT_FALSE(ws->busy());
}

TEST_F(StatisticsViewTest, TableFilterKeepsOrDeletesTheSelectedValues)
{
    choose("NUMS");
    ASSERT_TRUE(view->ComputeStatTable(false));
    const int one = rowOf(QStringLiteral("1"));
    const int two = rowOf(QStringLiteral("2"));
    // Nothing to filter yet.
    EXPECT_FALSE(view->canFilter({one}));
    CombCommands& combs = ws->combs();
    combs.workbench().reserve(100);
    ASSERT_TRUE(combs.generate(2, QStringLiteral("1;2;3;4;5;6;7")));  // C(7,5) = 21
    ASSERT_EQ(combs.list().count(), 21u);
    EXPECT_FALSE(view->canFilter({}));
    ASSERT_TRUE(view->canFilter({one}));

    // Keeping 1 or 2: 21 minus the C(5,5) = 1 combination with neither.
    EXPECT_TRUE(view->filterRows({one, two}, false));
    EXPECT_EQ(combs.list().count(), 20u);
    ASSERT_EQ(combs.appliedFilters().count(), 1);
    EXPECT_EQ(combs.appliedFilters().row(0).source, ws->statList().DisplayName(view->tableMethod(), true));
    EXPECT_EQ(combs.appliedFilters().row(0).values, QStringLiteral("1; 2"));
    EXPECT_EQ(combs.appliedFilters().row(0).mark, FilterMark::Keep);
    ASSERT_TRUE(combs.undo());

    // Deleting 1: the C(6,5) = 6 combinations without it stay.
    EXPECT_TRUE(view->filterRows({one}, true));
    EXPECT_EQ(combs.list().count(), 6u);
    for (size_t i = 0; i < combs.list().count(); ++i)
        for (uint8_t n : combs.list()[i].n)
            EXPECT_NE(n, 1);
    EXPECT_EQ(combs.appliedFilters().row(0).mark, FilterMark::Delete);
}

TEST_F(StatisticsViewTest, TableFilterUsesTheTablesOwnMethod)
{
    choose("POS1");
    ASSERT_TRUE(view->ComputeStatTable(false));
    const int method = view->tableMethod();
    CombCommands& combs = ws->combs();
    combs.workbench().reserve(100);
    ASSERT_TRUE(combs.generate(2, QStringLiteral("1;2;3;4;5;6;7")));
    // The chooser moves on without a computation; the rows are still POS1's.
    choose("NUMS");
    const int r = rowOf(QStringLiteral("2"));
    ASSERT_GE(r, 0);
    EXPECT_TRUE(view->filterRows({r}, false));
    // First number 2: the C(5,4) = 5 combinations of 2 with four of 3..7.
    EXPECT_EQ(combs.list().count(), 5u);
    EXPECT_EQ(combs.appliedFilters().row(0).source, ws->statList().DisplayName(method, true));
}
