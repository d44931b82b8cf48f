// The combination-values family and the tuple scheme it shares with the
// channel, matrix and segment tuples: which groups of positions a draw
// yields, the value texts, the plain and prepared filters, the registry.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <memory>
#include <random>
#include <vector>

#include "stats/FamilyTestSupport.h"
#include "stats/FilterAgreement.h"
#include "stats/families/CombValues.h"

using namespace zircon;
using namespace zircon::test;

namespace {

// The table over every draw of the registry's archive: value texts with counts.
QStringList windowTexts(TCustomStat& stat, int drawCount, bool sorted)
{
    QStringList out;
    for (const TStatDrawItem& it : computeWindow(stat, drawCount, sorted))
        out << stat.ValueText(it) + u'#' + QString::number(it.Count);
    return out;
}

QStringList split(const char* text)
{
    return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
}

const std::vector<QString>& registeredCodes()
{
    static const std::vector<QString> codes = {
        QStringLiteral("KNM2"),  QStringLiteral("KNM3"),  QStringLiteral("KNM4"),  QStringLiteral("KNS2"),
        QStringLiteral("KNS3"),  QStringLiteral("KNS4"),  QStringLiteral("KNP21"), QStringLiteral("KNP22"),
        QStringLiteral("KNP23"), QStringLiteral("KNP24"), QStringLiteral("KNP31"), QStringLiteral("KNP32"),
        QStringLiteral("KNP33"), QStringLiteral("KNP41"), QStringLiteral("KNP42"),
    };
    return codes;
}

}  // namespace

TEST(PositionTuples, ShapesAndOrder)
{
    struct Case {
        TupleShape shape;
        int size;
        int start;
        std::vector<std::vector<int>> expected;  // 0-based positions
    };
    const Case cases[] = {
        {TupleShape::Mix, 2, 1, {{0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}}},
        {TupleShape::Mix, 4, 1, {{0, 1, 2, 3}, {0, 1, 2, 4}, {0, 1, 3, 4}, {0, 2, 3, 4}, {1, 2, 3, 4}}},
        {TupleShape::Seq, 3, 1, {{0, 1, 2}, {1, 2, 3}, {2, 3, 4}}},
        {TupleShape::Seq, 4, 1, {{0, 1, 2, 3}, {1, 2, 3, 4}}},
        {TupleShape::Pos, 2, 4, {{3, 4}}},
        {TupleShape::Pos, 3, 2, {{1, 2, 3}}},
        {TupleShape::Pos, 4, 3, {}},  // would run past the fifth position
        {TupleShape::Pos, 2, 0, {}},
    };
    for (const Case& c : cases) {
        const PositionTuples t = PositionTuples::of(c.shape, c.size, c.start);
        ASSERT_EQ(t.count, static_cast<int>(c.expected.size())) << int(c.shape) << " r" << c.size;
        for (int i = 0; i < t.count; ++i)
            for (int j = 0; j < c.size; ++j)
                EXPECT_EQ(t.at[static_cast<size_t>(i)][static_cast<size_t>(j)],
                          c.expected[static_cast<size_t>(i)][static_cast<size_t>(j)]);
    }
    EXPECT_EQ(PositionTuples::of(TupleShape::Mix, 3).count, 10);
}

TEST(CombValues, GroupsOfOneDraw)
{
    struct Case {
        const char* code;
        const char* expected;  // value#count, in merge order
    };
    const Case cases[] = {
        {"KNM2", "3:14#1 3:15#1 3:26#1 3:60#1 14:15#1 14:26#1 14:60#1 15:26#1 15:60#1 26:60#1"},
        {"KNM4", "3:14:15:26#1 3:14:15:60#1 3:14:26:60#1 3:15:26:60#1 14:15:26:60#1"},
        {"KNS2", "3:14#1 14:15#1 15:26#1 26:60#1"},
        {"KNS4", "3:14:15:26#1 14:15:26:60#1"},
        {"KNP21", "3:14#1"},
        {"KNP24", "26:60#1"},
        {"KNP32", "14:15:26#1"},
        {"KNP42", "14:15:26:60#1"},
    };
    Registry r({makeDraw(1, {3, 14, 15, 26, 60})});
    for (const Case& c : cases) {
        auto stat = r.create(c.code);
        ASSERT_TRUE(stat);
        EXPECT_EQ(windowTexts(*stat, 1, true), split(c.expected)) << c.code;
    }
}

TEST(CombValues, PositionsFollowTheSortedSwitch)
{
    Registry r({makeDraw(1, {40, 7, 23, 61, 2}), makeDraw(2, {7, 40, 1, 2, 3})});
    auto knm2 = r.create(QStringLiteral("KNM2"));
    const QStringList drawn = windowTexts(*knm2, 2, false);
    EXPECT_TRUE(drawn.contains(QStringLiteral("40:7#1")));
    EXPECT_TRUE(drawn.contains(QStringLiteral("7:40#1")));
    const QStringList sorted = windowTexts(*knm2, 2, true);
    EXPECT_TRUE(sorted.contains(QStringLiteral("7:40#2")));
    EXPECT_FALSE(sorted.contains(QStringLiteral("40:7#1")));

    // The drawn pair (40, 7) never meets a combination, which is ascending.
    const TStatDrawArray selected = selectionOf({TStatKey::k4(40, 7, 0, 0)});
    EXPECT_FALSE(knm2->CombMatches(TComb{{2, 7, 23, 40, 61}}, selected, 1, false, false));
    EXPECT_TRUE(knm2->CombMatches(TComb{{40, 7, 23, 61, 2}}, selected, 1, false, false));
}

TEST(CombValues, PlainMatches)
{
    struct Case {
        const char* code;
        TComb comb;
        std::vector<TStatKey> selected;
        bool expected;
    };
    const Case cases[] = {
        {"KNM3", {{3, 14, 15, 26, 60}}, {TStatKey::k4(3, 14, 15, 0)}, true},
        {"KNM3", {{3, 10, 14, 15, 60}}, {TStatKey::k4(3, 14, 15, 0)}, true},
        {"KNM3", {{3, 10, 14, 16, 60}}, {TStatKey::k4(3, 14, 15, 0)}, false},
        {"KNM3", {{3, 14, 15, 26, 60}}, {TStatKey::k4(3, 14, 15, 1)}, false},  // K4 must be 0
        {"KNS3", {{3, 10, 14, 15, 60}}, {TStatKey::k4(3, 14, 15, 0)}, false},  // not neighbours
        {"KNS3", {{3, 10, 14, 15, 60}}, {TStatKey::k4(10, 14, 15, 0)}, true},
        {"KNP22", {{3, 10, 14, 15, 60}}, {TStatKey::k4(3, 10, 0, 0)}, false},  // starts at position 1
        {"KNP22", {{3, 10, 14, 15, 60}}, {TStatKey::k4(10, 14, 0, 0)}, true},
        {"KNM2", {{3, 10, 14, 15, 60}}, {}, false},
    };
    Registry r;
    for (const Case& c : cases) {
        auto stat = r.create(c.code);
        ASSERT_TRUE(stat);
        EXPECT_EQ(stat->CombMatches(c.comb, selectionOf(c.selected), -1, true, false), c.expected) << c.code;
    }
}

// A selected group keeps exactly the combinations holding it: over the
// full set that is C(69 - r, 5 - r) of them, whatever the group.
TEST(CombValues, PreparedFilterOverTheFullSetCountsCombinationsHoldingAGroup)
{
    struct Case {
        const char* code;
        TStatKey group;
        uint64_t expected;
    };
    const Case cases[] = {
        {"KNM2", TStatKey::k4(1, 69, 0, 0), 47905},  // C(67,3)
        {"KNM3", TStatKey::k4(3, 14, 15, 0), 2145},  // C(66,2)
        {"KNM4", TStatKey::k4(5, 6, 7, 8), 65},      // C(65,1)
        {"KNP41", TStatKey::k4(1, 2, 3, 4), 65},     // any fifth number above 4
        {"KNP42", TStatKey::k4(1, 2, 3, 4), 0},      // nothing lies below 1
    };
    Registry r;
    for (const Case& c : cases) {
        auto stat = r.create(c.code);
        ASSERT_TRUE(stat);
        const TStatDrawArray selected = selectionOf({c.group});
        EXPECT_EQ(keptOfFullSet(*stat->PrepareFilter(selected, -1, true, false)), c.expected) << c.code;
    }
}

TEST(CombValues, PreparedFiltersAgreeWithThePlainTest)
{
    Registry r;
    uint32_t seed = 101;
    for (const QString& code : registeredCodes()) {
        auto stat = r.create(code);
        ASSERT_TRUE(stat);
        agreement::AgreementTotals totals;
        EXPECT_TRUE(agreement::filterAgreesOnStandardSelections(*stat, -1, seed++, &totals, 60000))
            << code.toStdString();
        EXPECT_GT(totals.selectionsWithBothAnswers, 0u) << code.toStdString();
    }
}

TEST(CombValues, Registry)
{
    Registry r;
    int previous = -1;
    for (const QString& code : registeredCodes()) {
        const int at = r.list.FindCode(code);
        ASSERT_GE(at, 0) << code.toStdString();
        EXPECT_GT(at, previous) << code.toStdString() << " out of registration order";
        previous = at;
        EXPECT_EQ(r.list.Items(at).StatClass->group, 0);
        EXPECT_FALSE(r.list.HasNorm(at));
        EXPECT_FALSE(r.list.HasGraph(at));
        EXPECT_FALSE(r.list.Items(at).StatClass->valueListSelectable);
    }
    for (const char* code : {"KNO2", "KNO3", "KNO4", "KNP25", "KNP34", "KNP43"})
        EXPECT_EQ(r.list.FindCode(QString::fromLatin1(code)), -1) << code;

    struct Titles {
        const char* code;
        const char* title;
        const char* help;
    };
    const Titles titles[] = {
        {"KNM2", "Сочетания из 2 чисел по всем числам тиража", "KNM2"},
        {"KNS3", "Сочетания из 3 соседних чисел тиража", "KNS3"},
        {"KNP23", "Сочетания из 2-х чисел тиража начиная с 3 позиции", "KNP2"},
        {"KNP42", "Сочетания из 4-х чисел тиража начиная с 2 позиции", "KNP4"},
    };
    for (const Titles& t : titles) {
        const int at = r.list.FindCode(QString::fromLatin1(t.code));
        ASSERT_GE(at, 0);
        EXPECT_EQ(r.list.DisplayTitle(at), QString::fromUtf8(t.title));
        EXPECT_EQ(r.list.Items(at).StatClass->helpCode(r.list.Items(at).Param), QString::fromLatin1(t.help));
    }
}

// Combinations read from a file may hold any bytes: the prepared filters
// must answer as the plain test for them too, including selected groups
// with numbers from 128 on, which only such combinations can hold.
TEST(CombValues, PreparedFiltersAgreeOnDamagedCombinations)
{
    std::mt19937 rng(4242);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<int> number(1, 69);
    std::vector<TComb> combs;
    for (int i = 0; i < 40000; ++i) {
        TComb c;
        for (uint8_t& n : c.n)
            n = static_cast<uint8_t>(i % 3 == 0 ? anyByte(rng) : number(rng));
        combs.push_back(c);
    }
    Registry r;
    for (const char* code : {"KNM2", "KNM3", "KNM4", "KNS3", "KNP22"}) {
        auto stat = r.create(code);
        ASSERT_TRUE(stat);
        // Some of the groups the sample itself holds: about one in 29.
        TStatDrawArray selected;
        int n = 0;
        for (const TComb& c : combs) {
            KeyList keys;
            stat->CombKeys(c.n.data(), keys);
            for (TStatKey k : keys)
                if (n++ % 29 == 0) {
                    TStatDrawItem it;
                    it.Key = k;
                    selected.AddValue(it, false);
                }
        }
        const agreement::AgreementReport report = agreement::compareFilter(*stat, selected, combs, -1, false, false);
        EXPECT_EQ(report.mismatches, 0u) << code << "\n" << report.details;
        EXPECT_GT(report.matched, 0u) << code;
        EXPECT_LT(report.matched, report.checked) << code;
    }
}
