#include <gtest/gtest.h>

#include <algorithm>

#include "core/Error.h"
#include "core/Lottery.h"
#include "support/TempDir.h"
#include "workbench/CombGeneration.h"
#include "workbench/CombListFixtures.h"

using namespace zircon;
using zircon::test::contents;
using zircon::test::listOf;
using zircon::test::TempDir;

namespace {

// Shared by the tests: one full-set block is enough for all of them.
CombList& fullList()
{
    static CombList list = [] {
        CombList l;
        l.reserveFullSet();
        return l;
    }();
    return list;
}

bool ascendingInRange(const TComb& c)
{
    if (c.n[0] < 1 || c.n[4] > kMainMax)
        return false;
    for (size_t i = 1; i < c.n.size(); ++i)
        if (c.n[i - 1] >= c.n[i])
            return false;
    return true;
}

// Every entry ascending inside 1..69 and each one lexicographically above the
// one before it: with the right count this can only be the ordered subset.
void expectOrderedSubset(const CombList& list)
{
    for (size_t i = 0; i < list.count(); ++i) {
        ASSERT_TRUE(ascendingInRange(list[i])) << "entry " << i;
        if (i > 0) {
            ASSERT_TRUE(std::lexicographical_compare(list[i - 1].n.begin(), list[i - 1].n.end(), list[i].n.begin(),
                                                     list[i].n.end()))
                << "entry " << i;
        }
    }
}

QString q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

}  // namespace

TEST(CombGeneration, FullSetInLexicographicOrder)
{
    CombList& list = fullList();
    const CombsReadResult r = GenerateCombs(list, 0, QString());
    ASSERT_EQ(list.count(), static_cast<size_t>(kFullSetSize));
    EXPECT_EQ(r.combinations, static_cast<size_t>(kFullSetSize));
    EXPECT_EQ(list[0], (TComb{{1, 2, 3, 4, 5}}));
    EXPECT_EQ(list[1], (TComb{{1, 2, 3, 4, 6}}));
    EXPECT_EQ(list[64], (TComb{{1, 2, 3, 4, 69}}));
    EXPECT_EQ(list[65], (TComb{{1, 2, 3, 5, 6}}));
    EXPECT_EQ(list[list.count() - 1], (TComb{{65, 66, 67, 68, 69}}));
    expectOrderedSubset(list);
}

TEST(CombGeneration, MyNumbersModesCountAsCombinatoricsSays)
{
    struct Case {
        uint8_t mode;
        const char* parameter;
        size_t count;  // worked out with binomials
    };
    const Case cases[] = {
        {1, "1", 814385},             // C(69,5) - C(68,5)
        {1, " 5 , 69", 1580865},      // C(69,5) - C(67,5)
        {2, "1;2;3;4;5;6", 6},        // C(6,5)
        {2, "1;2;3;4;5;6;7;8;9;10", 252},
        {2, "1;1;2;3;4;5", 1},        // a repeated number counts once
        {3, "1", 10424128},           // C(68,5)
        {3, "1;2;3;4;5", 7624512},    // C(64,5)
        {3, "0;70;255", 11238513},    // numbers outside the lottery exclude nothing
        {1, "0;70;255;x", 0},
        // Fewer than five usable numbers leave mode 2 empty.
        {2, "1;2;3;4", 0},
        {2, "1;2;3;4;70", 0},
        {2, "1;2;3;4;abc;0;300", 0},
        {2, "", 0},
        {9, "1", 11238513},           // an unknown mode byte builds the full set
    };
    CombList& list = fullList();
    for (const Case& c : cases) {
        const CombsReadResult r = GenerateCombs(list, c.mode, q(c.parameter));
        EXPECT_EQ(list.count(), c.count) << int(c.mode) << " «" << c.parameter << "»";
        EXPECT_EQ(r.combinations, list.count());
    }
}

TEST(CombGeneration, MyNumbersModesKeepTheRightCombinationsInOrder)
{
    CombList& list = fullList();

    GenerateCombs(list, 2, q("6;5;4;3;2;1"));
    EXPECT_EQ(contents(list), (std::vector<TComb>{TComb{{1, 2, 3, 4, 5}}, TComb{{1, 2, 3, 4, 6}},
                                                  TComb{{1, 2, 3, 5, 6}}, TComb{{1, 2, 4, 5, 6}},
                                                  TComb{{1, 3, 4, 5, 6}}, TComb{{2, 3, 4, 5, 6}}}));

    GenerateCombs(list, 1, q("1"));
    expectOrderedSubset(list);
    EXPECT_TRUE(std::all_of(list.begin(), list.end(), [](const TComb& c) { return c.n[0] == 1; }));

    GenerateCombs(list, 3, q("1;69"));
    expectOrderedSubset(list);
    EXPECT_TRUE(std::none_of(list.begin(), list.end(),
                             [](const TComb& c) { return c.n[0] == 1 || c.n[4] == 69; }));
}

TEST(CombGeneration, MyNumbersAreSplitAtCommasAndSemicolons)
{
    struct Case {
        const char* parameter;
        std::vector<int> numbers;
    };
    const Case cases[] = {
        {"1;2;3", {1, 2, 3}},
        {" 4 ,, 5 ;; ;6", {0, 4, 5, 6}},  // a blank word is 0
        {"07;+8", {7, 8}},
        {"x;-3;256;255", {0, 255}},      // not a number: 0; out of 0..255: dropped
        {"1 2", {0}},                    // spaces do not separate
        {"", {}},
    };
    for (const Case& c : cases) {
        std::bitset<256> expected;
        for (int v : c.numbers)
            expected.set(static_cast<size_t>(v));
        EXPECT_EQ(parseMyNumbers(q(c.parameter)), expected) << "«" << c.parameter << "»";
    }
}

TEST(CombGeneration, TooSmallAListKeepsWhatFitsAndSaysSo)
{
    CombList list;
    list.reserve(100);
    EXPECT_THROW(GenerateCombs(list, 3, q("1")), Error);
    EXPECT_EQ(list.count(), 100u);
    expectOrderedSubset(list);
    EXPECT_THROW(GenerateCombs(list, 0, QString()), Error);
    EXPECT_EQ(list[0], (TComb{{1, 2, 3, 4, 5}}));
    // What fits is built without complaint.
    GenerateCombs(list, 2, q("1;2;3;4;5;6"));
    EXPECT_EQ(list.count(), 6u);
}

TEST(CombGeneration, FileModeLoadsTheNamedFile)
{
    TempDir dir;
    dir.write(QStringLiteral("mine.lcv"), "3;17;25;40;69\r\n69;1;2;3;10\r\n");
    CombList list = listOf({TComb{{1, 2, 3, 4, 5}}}, 10);
    const CombsReadResult r = GenerateCombs(list, 4, dir.file(QStringLiteral("mine.lcv")));
    EXPECT_EQ(r.combinations, 2u);
    EXPECT_EQ(contents(list), (std::vector<TComb>{TComb{{3, 17, 25, 40, 69}}, TComb{{69, 1, 2, 3, 10}}}));
}

TEST(CombGeneration, FailedFileModeKeepsThePreviousList)
{
    TempDir dir;
    dir.write(QStringLiteral("big.lcv"), "1;2;3;4;5\r\n1;2;3;4;6\r\n1;2;3;4;7\r\n");
    const std::vector<TComb> before{TComb{{9, 8, 7, 6, 5}}, TComb{{1, 2, 3, 4, 5}}};
    struct Case {
        const char* what;
        QString file;
    };
    const Case cases[] = {
        {"missing file", dir.file(QStringLiteral("missing.lcv"))},
        {"a folder", dir.path()},
        {"more combinations than the list holds", dir.file(QStringLiteral("big.lcv"))},
    };
    for (const Case& c : cases) {
        CombList list = listOf({before[0], before[1]}, 2);
        EXPECT_THROW(GenerateCombs(list, 4, c.file), Error) << c.what;
        EXPECT_EQ(contents(list), before) << c.what;
    }
}
