// The shredding methods SHR1..SHR3: the registry entries and their norms,
// the values of draws, combinations and graphs with the previous draws in
// place, the wide values of five digits, the plain and prepared filters and
// the prefetch files over the full set.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QString>

#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/DataDir.h"
#include "stats/FamilyTestSupport.h"
#include "stats/FilterAgreement.h"
#include "stats/Prefetch.h"
#include "stats/StatTable.h"
#include "stats/families/Shredding.h"

using namespace zircon;
using namespace zircon::test;

namespace {

constexpr int kFullSet = 11238513;

const TDraw kDrawA = makeDraw(100, {5, 12, 33, 45, 69});
const TDraw kDrawB = makeDraw(101, {69, 45, 33, 12, 5});
const TDraw kDrawC = makeDraw(102, {3, 20, 7, 41, 60});

// A registry over its own archive; `onlyShredding` registers SHR1..SHR3 alone.
struct FormulaRegistry : Registry {
    explicit FormulaRegistry(TDrawsArray d = {}, bool onlyShredding = true) : Registry(std::move(d))
    {
        if (onlyShredding) {
            list.setRegistrationTable({&TstShreddingStat::Class});
            list.RegisterAll();
        }
    }

    void setFormula(int param, const char* formula, int digits)
    {
        const QString f = QString::fromUtf8(formula);
        const auto d = static_cast<uint8_t>(digits);
        if (param == 1) {
            list.Formula1 = f;
            list.Formula1Digits = d;
        } else if (param == 2) {
            list.Formula2 = f;
            list.Formula2Digits = d;
        } else {
            list.Formula3 = f;
            list.Formula3Digits = d;
        }
        list.RegisterAll();
    }

    int index(int param) const { return list.FindCode(QStringLiteral("SHR") + QString::number(param)); }

    std::unique_ptr<TstShreddingStat> create(int param)
    {
        const int i = index(param);
        EXPECT_GE(i, 0);
        std::unique_ptr<TCustomStat> stat = list.CreateStat(i);
        return std::unique_ptr<TstShreddingStat>(dynamic_cast<TstShreddingStat*>(stat.release()));
    }
};

}  // namespace

// ------------------------------------------------------------ registry

TEST(ShreddingRegistry, ThreeMethodsWithTheirFormulas)
{
    FormulaRegistry reg({}, false);
    const TStatList& list = reg.list;
    struct Case {
        const char* code;
        const char* title;
        const char* name;
        const char* formula;
    };
    const Case cases[] = {
        {"SHR1", "Метод шинковки 1: %s", "{ shr } Метод шинковки 1: (n1+n2+n3)/(n4+n5) [ SNG ]", "(n1+n2+n3)/(n4+n5)"},
        {"SHR2", "Метод шинковки 2: %s", "{ shr } Метод шинковки 2: (n4+n5)/(n1+n2+n3) [ SNG ]", "(n4+n5)/(n1+n2+n3)"},
        {"SHR3", "Метод шинковки 3: %s", "{ shr } Метод шинковки 3: (n1+n2)/(n3+n4+n5) [ SNG ]", "(n1+n2)/(n3+n4+n5)"},
    };
    // The last family of the registration order.
    ASSERT_EQ(reg.index(3), list.Count() - 1);
    for (int p = 1; p <= 3; ++p) {
        const Case& c = cases[p - 1];
        SCOPED_TRACE(c.code);
        const int i = reg.index(p);
        ASSERT_EQ(i, list.Count() - 4 + p);
        const TStatMethod& m = list.Items(i);
        EXPECT_STREQ(m.StatClass->className, "TstShreddingStat");
        EXPECT_EQ(m.Param, p);
        EXPECT_EQ(m.StatClass->group, 12);
        EXPECT_EQ(list.DisplayTitle(i), QString::fromUtf8(c.title));
        EXPECT_EQ(list.DisplayName(i, true), QString::fromUtf8(c.name));
        EXPECT_EQ(m.StatClass->helpCode(p), QStringLiteral("SHRx"));
        EXPECT_EQ(statFlagLetters(m.StatClass->fullFlags()), QStringLiteral("SNG"));
        EXPECT_TRUE(list.HasNorm(i));
        EXPECT_TRUE(list.HasGraph(i));
        EXPECT_TRUE(m.StatClass->valueListSelectable);
        const std::unique_ptr<TstShreddingStat> stat = reg.create(p);
        ASSERT_TRUE(stat);
        EXPECT_EQ(stat->Formula, QString::fromUtf8(c.formula));
        EXPECT_EQ(stat->Digits, 2);
    }
    EXPECT_EQ(TstShreddingStat::Class.paramRange(TConfigData{}), std::make_pair(1, 3));
}

TEST(ShreddingRegistry, InstanceKeepsTheFormulaOfItsCreation)
{
    FormulaRegistry reg;
    reg.setFormula(2, "n1/7", 2);
    const std::unique_ptr<TstShreddingStat> before = reg.create(2);
    reg.setFormula(2, "n1/9", 3);
    const std::unique_ptr<TstShreddingStat> after = reg.create(2);
    ASSERT_TRUE(before && after);
    const uint8_t nums[kMainCount] = {3, 10, 20, 30, 40};
    KeyList a, b;
    before->CombKeys(nums, a);
    after->CombKeys(nums, b);
    // 3/7 = 0.428..., 3/9 = 0.333...
    EXPECT_EQ(before->Formula, QStringLiteral("n1/7"));
    EXPECT_EQ(before->Digits, 2);
    EXPECT_EQ(shreddingKeyValue(a.keys[0]), 42);
    EXPECT_EQ(after->Formula, QStringLiteral("n1/9"));
    EXPECT_EQ(after->Digits, 3);
    EXPECT_EQ(shreddingKeyValue(b.keys[0]), 333);
}

TEST(ShreddingRegistry, DigitsOutsideTheRangeAreClamped)
{
    struct Case {
        int stored;
        int digits;
        int32_t value;  // of 1/3
    };
    const Case cases[] = {{0, 1, 3}, {1, 1, 3}, {5, 5, 33333}, {6, 5, 33333}, {255, 5, 33333}};
    for (const Case& c : cases) {
        FormulaRegistry reg;
        reg.setFormula(1, "1/3", c.stored);
        const std::unique_ptr<TstShreddingStat> stat = reg.create(1);
        ASSERT_TRUE(stat);
        EXPECT_EQ(stat->Digits, c.digits) << c.stored;
        EXPECT_EQ(stat->CombGraphValue(kDrawA.nums.data(), 0, 0, false), c.value) << c.stored;
    }
}

// A formula over the previous draws has no meaningful value over the full
// set, so the item has no norm; the class keeps its flag.
TEST(ShreddingRegistry, NoNormForFormulasOverThePreviousDraws)
{
    struct Case {
        const char* formula;
        bool norm;
    };
    const Case cases[] = {
        {"(n1+n2+n3)/(n4+n5)", true}, {"n1*p1", false}, {"(n1+t5)/3", false}, {"SQRT(n1)*PI", true},
        {"p 1+n1", true},             {"pn1/7", false}, {"", true},
    };
    for (const Case& c : cases) {
        FormulaRegistry reg;
        reg.setFormula(2, c.formula, 2);
        EXPECT_EQ(reg.list.HasNorm(reg.index(2)), c.norm) << c.formula;
        EXPECT_TRUE(reg.list.HasNorm(reg.index(1))) << c.formula;
        EXPECT_TRUE(TstShreddingStat::Class.hasNorm());
    }
}

// The table applies a prefetch file only to an item that has a norm.
TEST(ShreddingRegistry, TableTakesNormsOnlyWithANorm)
{
    FormulaRegistry reg({kDrawA, kDrawB});
    PrefetchSource source;
    // Equal counts: every value expects (1 + 1) / 2 of the window.
    source.records = {{shreddingKey(43), 300}, {shreddingKey(64), 300}};
    source.minCount = 300;
    source.maxCount = 300;
    for (const char* formula : {"(n1+n2+n3)/(n4+n5)", "(n1+n2+n3)/(n4+n5)+0*p1"}) {
        SCOPED_TRACE(formula);
        reg.setFormula(1, formula, 2);
        const bool norm = reg.list.HasNorm(reg.index(1));
        const StatTable t = computeStatTable(reg.list, reg.index(1), 10, 0, false, &source);
        ASSERT_EQ(t.rowCount(), 2);
        EXPECT_EQ(t.hasNorm(), norm);
        for (const TStatDrawItem& it : t.items())
            EXPECT_EQ(it.Norm != 0, norm);
    }
}

// ------------------------------------------------------------ one window

TEST(ShreddingWindow, WorkedExamples)
{
    struct Row {
        const char* text;
        int count;
        int lastDraw;
        int depth;
        int periodMin = 0;
        int periodMax = 0;
    };
    struct Case {
        const char* formula;
        int digits;
        std::vector<TDraw> draws;
        bool sorted;
        std::vector<Row> rows;  // in table order
    };
    const Case cases[] = {
        // 50/114 = 0.438..., and in drawn order 147/17 = 8.647...
        {"(n1+n2+n3)/(n4+n5)", 2, {kDrawA, kDrawB}, false, {{"43", 1, 100, 2}, {"64", 1, 101, 1}}},
        {"(n1+n2+n3)/(n4+n5)", 2, {kDrawA, kDrawB}, true, {{"43", 2, 101, 1, 1, 1}}},
        {"(n1+n2+n3)/(n4+n5)", 3, {kDrawA}, false, {{"438", 1, 100, 1}}},
        // p1 of the first draw is 0; then 5/7 = 0.714... and 69/7 = 9.857...
        {"p1/7", 2, {kDrawA, kDrawB, kDrawC}, false, {{"0", 1, 100, 3}, {"71", 1, 101, 2}, {"85", 1, 102, 1}}},
        {"p1/7", 2, {kDrawA, kDrawB, kDrawC}, true, {{"0", 1, 100, 3}, {"71", 2, 102, 1, 1, 1}}},
        // t is two draws back: zeros for the first two draws.
        {"t1/7", 2, {kDrawA, kDrawB, kDrawC}, false, {{"0", 2, 101, 2, 1, 1}, {"71", 1, 102, 1}}},
        {"n1*p1", 2, {kDrawA}, false, {{"0", 1, 100, 1}}},
        // Five digits: 0.700005 and 0.700003 both give 70000, beyond 16 bits.
        {"0.7+n1/1000000", 5, {kDrawA, kDrawC}, false, {{"70000", 2, 102, 1, 2, 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.formula) + (c.sorted ? " sorted" : " unsorted") + " with "
                     + std::to_string(c.draws.size()) + " draws");
        FormulaRegistry reg(c.draws);
        reg.setFormula(1, c.formula, c.digits);
        const std::unique_ptr<TstShreddingStat> stat = reg.create(1);
        ASSERT_TRUE(stat);
        const TStatDrawArray items = computeWindow(*stat, static_cast<int>(c.draws.size()), c.sorted);
        ASSERT_EQ(items.size(), static_cast<int>(c.rows.size()));
        for (int r = 0; r < items.size(); ++r) {
            const Row& row = c.rows[static_cast<size_t>(r)];
            const TStatDrawItem& it = items[r];
            EXPECT_EQ(stat->ValueText(it), QString::fromUtf8(row.text));
            EXPECT_EQ(it.Count, row.count) << row.text;
            EXPECT_EQ(it.LastDraw, row.lastDraw) << row.text;
            EXPECT_EQ(it.Depth, row.depth) << row.text;
            EXPECT_EQ(it.PeriodMin, row.periodMin) << row.text;
            EXPECT_EQ(it.PeriodMax, row.periodMax) << row.text;
            const int value = QString::fromUtf8(row.text).toInt();
            if (value < 65535) {
                EXPECT_EQ(it.Key.raw >> 16, 0u) << "small values keep the plain key: " << row.text;
            } else {
                EXPECT_EQ(it.Key.K(1), 65535) << row.text;
                EXPECT_EQ(it.Key.K(2), value - 65535) << row.text;
                EXPECT_EQ(it.Key.raw >> 32, 0u) << row.text;
            }
        }
    }
}

// Over every draw of the sample archive, a formula without the previous
// draws gives in the table exactly the key the prefetch build counts, and
// FindNextDraw finds the draws the values came from.
TEST(ShreddingWindow, TableAndPrefetchKeysAgreeOnTheSampleArchive)
{
    const TDrawsArray& draws = fixtureDraws();
    ASSERT_GT(draws.size(), 100u);
    FormulaRegistry reg(draws);
    reg.setFormula(3, "(n1+n2)/(n3+n4+n5)*7", 5);
    const std::unique_ptr<TstShreddingStat> stat = reg.create(3);
    ASSERT_TRUE(stat);
    const int end = static_cast<int>(draws.size()) - 1;
    for (bool sorted : {false, true}) {
        for (int i = 0; i <= end; ++i) {
            TStatDrawArray one;
            TStatWork work;
            TLastValueArray last;
            stat->AddDrawValues(i, end, sorted, one, work, last);
            ASSERT_EQ(one.size(), 1);
            KeyList keys;
            stat->CombKeys(stat->GetDraw(i, sorted).nums.data(), keys);
            ASSERT_EQ(keys.count, 1);
            ASSERT_EQ(one[0].Key, keys.keys[0]) << "draw " << i;
            ASSERT_EQ(one[0].LastDraw, draws[static_cast<size_t>(i)].number);
            if (i % 200 == 0) {
                EXPECT_EQ(stat->FindNextDraw(one[0], i, end, sorted), one[0].LastDraw);
            }
        }
    }
}

// ------------------------------------------------------------ values and keys

TEST(ShreddingValues, CombinationValuesUseZerosForThePreviousDraws)
{
    struct Case {
        const char* formula;
        int digits;
        TComb comb;
        const char* text;
    };
    const Case cases[] = {
        {"(n1+n2+n3)/(n4+n5)", 2, {{5, 12, 33, 45, 69}}, "43"},
        {"(n1+n2+n3)/(n4+n5)", 2, {{69, 45, 33, 12, 5}}, "64"},
        {"p1/7+n1/7", 2, {{3, 4, 5, 6, 7}}, "42"},
        {"n1/t1", 2, {{3, 4, 5, 6, 7}}, "0"},
        {"(n1+n2+n3)/(n4+n5)", 5, {{5, 12, 33, 45, 70}}, "43478"},
    };
    for (const Case& c : cases) {
        FormulaRegistry reg({kDrawA, kDrawB});
        reg.setFormula(1, c.formula, c.digits);
        const std::unique_ptr<TstShreddingStat> stat = reg.create(1);
        ASSERT_TRUE(stat);
        TStatDrawArray items;
        stat->AddCombValues(c.comb, items);
        ASSERT_EQ(items.size(), 1) << c.formula;
        EXPECT_EQ(stat->ValueText(items[0]), QString::fromUtf8(c.text)) << c.formula;
        EXPECT_EQ(items[0].Count, 1);
        EXPECT_EQ(items[0].Depth, 0);
        EXPECT_EQ(items[0].LastDraw, 0);
    }
}

TEST(ShreddingValues, WideValuesKeepApartAndInOrder)
{
    struct Case {
        int32_t value;
        uint16_t k1;
        uint16_t k2;
    };
    const Case cases[] = {{0, 0, 0},         {100, 100, 0},         {65534, 65534, 0},
                          {65535, 65535, 0}, {65536, 65535, 1},     {70000, 65535, 4465},
                          {99999, 65535, 34464}};
    FormulaRegistry reg;
    reg.setFormula(1, "n1", 5);
    const std::unique_ptr<TstShreddingStat> stat = reg.create(1);
    ASSERT_TRUE(stat);
    TStatDrawArray items;
    // Merged out of order, listed in numeric order after SortItems.
    for (size_t i : {4, 0, 6, 2, 5, 1, 3}) {
        TStatDrawItem it;
        it.Key = shreddingKey(cases[i].value);
        items.AddValue(it, false);
    }
    ASSERT_EQ(items.size(), static_cast<int>(std::size(cases)));
    items.SortItems();
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const TStatKey k = shreddingKey(c.value);
        EXPECT_EQ(k.K(1), c.k1) << c.value;
        EXPECT_EQ(k.K(2), c.k2) << c.value;
        EXPECT_EQ(k.raw >> 32, 0u) << c.value;
        EXPECT_EQ(shreddingKeyValue(k), c.value);
        const QString text = stat->ValueText(items[static_cast<int>(i)]);
        EXPECT_EQ(text, QString::number(c.value));
        EXPECT_EQ(stat->ParseValue(text), c.value);
        EXPECT_EQ(stat->TryParseValue(text), c.value);
    }
}

TEST(ShreddingValues, GraphValuesAreWhole)
{
    FormulaRegistry reg({kDrawA, kDrawB, kDrawC});
    struct Case {
        const char* formula;
        int digits;
        int index;
        bool sorted;
        int32_t expected;
    };
    const Case cases[] = {
        // 0.700005, 0.700069 (drawn order), 0.700005 (sorted).
        {"0.7+n1/1000000", 5, 0, false, 70000},
        {"0.7+n1/1000000", 5, 1, false, 70006},
        {"0.7+n1/1000000", 5, 1, true, 70000},
        // p is the draw before the one shown: 69/7 = 9.857..., 5/7 sorted.
        {"p1/7", 2, 2, false, 85},
        {"p1/7", 2, 2, true, 71},
        {"p1/7", 2, 0, false, 0},
        {"(t1+1)/7", 2, 2, false, 85},
        {"(t1+1)/7", 2, 1, false, 14},
        // Beyond the archive the draw itself is zeros, and so is p.
        {"(n1+p1+1)/7", 2, 5, false, 14},
    };
    for (const Case& c : cases) {
        reg.setFormula(2, c.formula, c.digits);
        const std::unique_ptr<TstShreddingStat> stat = reg.create(2);
        ASSERT_TRUE(stat);
        EXPECT_EQ(stat->DrawGraphValue(c.index, 2, c.sorted), c.expected)
            << c.formula << " at " << c.index << (c.sorted ? " sorted" : "");
    }
    reg.setFormula(2, "(n1+p1)/7", 2);
    const std::unique_ptr<TstShreddingStat> stat = reg.create(2);
    const uint8_t nums[kMainCount] = {1, 2, 3, 4, 5};
    // The given numbers with the draw before the index: (1 + 69) / 7 = 10, (1 + 5) / 7.
    EXPECT_EQ(stat->CombGraphValue(nums, 2, 2, false), 0);
    EXPECT_EQ(stat->CombGraphValue(nums, 1, 2, false), 85);
}

// ------------------------------------------------------------ filter

TEST(ShreddingFilter, PlainCombMatches)
{
    struct Case {
        const char* formula;
        int digits;
        int end;
        bool sorted;
        std::vector<TStatKey> selected;
        bool expected;
        const char* why;
    };
    const TComb comb{{1, 2, 3, 4, 5}};
    const char* f = "(n1+p1+t1)/7";
    const Case cases[] = {
        {f, 2, 1, false, {TStatKey::k1(71)}, true, "p = draw 1, t = draw 0: 75/7 = 10.71..."},
        {f, 2, 1, false, {TStatKey::k1(70), TStatKey::k1(10)}, false, "neither value"},
        {f, 2, 1, true, {TStatKey::k1(57)}, true, "sorted: 11/7 = 1.57..."},
        {f, 2, 1, true, {TStatKey::k1(71)}, false, "sorted changes p"},
        {f, 2, 0, false, {TStatKey::k1(85)}, true, "p = draw 0, t = zeros: 6/7"},
        {f, 2, -1, false, {TStatKey::k1(14)}, true, "no window: zeros: 1/7"},
        {f, 2, 1, false, {TStatKey::k4(71, 9, 0, 0)}, true, "K2 of a small value is not read"},
        {f, 2, 1, false, {}, false, "nothing selected"},
        {"0.7+n1/1000000", 5, 1, false, {shreddingKey(70000)}, true, "0.700001: a wide value"},
        {"0.7+n1/1000000", 5, 1, false, {TStatKey::k1(70000 & 0xFFFF)}, false, "not cut to 16 bits"},
        {"0.7+n1/1000000", 5, 1, false, {TStatKey::k4(65535, 4466, 0, 0)}, false, "the next wide value"},
        {"n1/(n2-n2)", 2, 1, false, {TStatKey::k1(0)}, true, "an error gives 0"},
    };
    for (const Case& c : cases) {
        FormulaRegistry reg({kDrawA, kDrawB});
        reg.setFormula(1, c.formula, c.digits);
        const std::unique_ptr<TstShreddingStat> stat = reg.create(1);
        ASSERT_TRUE(stat);
        const FilterAnswers a = filterAnswers(*stat, comb, selectionOf(c.selected), c.end, c.sorted);
        EXPECT_EQ(a.plain, c.expected) << c.why;
        EXPECT_TRUE(a.concurrent);
        EXPECT_EQ(a.prepared, c.expected ? 1 : 0) << c.why;
    }
}

TEST(ShreddingFilter, PreparedFiltersAgreeWithCombMatches)
{
    const TDrawsArray& draws = fixtureDraws();
    ASSERT_GT(draws.size(), 100u);
    FormulaRegistry reg(draws);
    struct Setting {
        const char* formula;
        int digits;
    };
    const Setting settings[][3] = {
        {{"(n1+n2+n3)/(n4+n5)", 2}, {"(n1*n2+p2+t3)/(n4+p5+1)", 3}, {"SQRT(n1*n2+p1)/(n3+t2+1)", 5}},
        // Evaluated as replaced text: the digits of n1 meet the 2.
        {{"2n1/(n2+p1)", 2}, {"(n1+p1+p2+p3)/(n2+n3)", 5}, {"ARCTAN(n5-t5)*1000", 2}},
    };
    int seed = 1;
    for (const auto& set : settings) {
        for (int p = 1; p <= 3; ++p)
            reg.setFormula(p, set[p - 1].formula, set[p - 1].digits);
        for (int p = 1; p <= 3; ++p) {
            for (int end : {0, 1, static_cast<int>(draws.size()) - 1}) {
                SCOPED_TRACE(std::string(set[p - 1].formula) + " up to draw " + std::to_string(end));
                const std::unique_ptr<TstShreddingStat> stat = reg.create(p);
                ASSERT_TRUE(stat);
                agreement::AgreementTotals totals;
                EXPECT_TRUE(agreement::filterAgreesOnStandardSelections(*stat, end, static_cast<uint32_t>(seed++),
                                                                        &totals, 30000));
                EXPECT_GT(totals.selectionsWithBothAnswers, 0u);
            }
        }
    }
}

// ------------------------------------------------------------ prefetch

// The full set's counts of the default first formula against the same
// arithmetic done directly: the sum of the first three over the sum of the
// last two, two digits after the point.
TEST(ShreddingPrefetch, FullSetCountsOfTheDefaultFormula)
{
    FormulaRegistry reg;
    const std::optional<PrefetchSource> source = buildPrefetch(reg.list, reg.index(1));
    ASSERT_TRUE(source);
    std::map<int, int> expected;
    for (int a = 1; a <= 65; ++a)
        for (int b = a + 1; b <= 66; ++b)
            for (int c = b + 1; c <= 67; ++c)
                for (int d = c + 1; d <= 68; ++d)
                    for (int e = d + 1; e <= 69; ++e) {
                        const long double r = static_cast<long double>(a + b + c) / static_cast<long double>(d + e);
                        ++expected[static_cast<int>(std::trunc((r - std::trunc(r)) * 100))];
                    }
    ASSERT_EQ(source->records.size(), expected.size());
    int64_t total = 0;
    auto want = expected.begin();
    for (const PrefetchRecord& rec : source->records) {
        EXPECT_EQ(shreddingKeyValue(rec.key), want->first);
        EXPECT_EQ(rec.count, want->second) << want->first;
        total += rec.count;
        ++want;
    }
    EXPECT_EQ(total, kFullSet);
}

// Files are built only for items with a norm; five digits give values past
// 16 bits, and the file lists them in numeric order.
TEST(ShreddingPrefetch, FilesOnlyForFormulasWithANorm)
{
    FormulaRegistry reg;
    reg.setFormula(1, "n1*p1/7", 2);
    reg.setFormula(2, "(n1+n2+n3)/(n4+n5)", 5);
    reg.setFormula(3, "t2/3", 2);
    test::TempDir dir;
    const DataPaths paths(dir.path());
    const PrefetchFilesReport report = createPrefetchFiles(reg.list, paths, 1u << 12);
    EXPECT_TRUE(report.errors.isEmpty());
    EXPECT_EQ(report.created, 1);
    EXPECT_FALSE(QFileInfo::exists(paths.prefetchFile(QStringLiteral("SHR1"))));
    EXPECT_FALSE(QFileInfo::exists(paths.prefetchFile(QStringLiteral("SHR3"))));
    const std::optional<PrefetchSource> file = readPrefetchFile(paths.prefetchFile(QStringLiteral("SHR2")));
    ASSERT_TRUE(file);
    int64_t total = 0;
    int32_t previous = -1;
    int wide = 0;
    for (const PrefetchRecord& rec : file->records) {
        const int32_t v = shreddingKeyValue(rec.key);
        EXPECT_GT(v, previous);
        EXPECT_LT(v, 100000);
        EXPECT_EQ(rec.key, shreddingKey(v));
        wide += v > 65535 ? 1 : 0;
        previous = v;
        total += rec.count;
    }
    EXPECT_EQ(total, kFullSet);
    EXPECT_GT(wide, 1000);
}
