#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/Enumeration.h"
#include "core/Error.h"
#include "workbench/CombGeneration.h"
#include "workbench/CombListFixtures.h"
#include "workbench/CombRemoval.h"
#include "workbench/CombWorkbench.h"

using namespace zircon;
using zircon::test::archiveOf;
using zircon::test::contents;
using zircon::test::listOf;
using zircon::test::makeDraw;
using zircon::test::TempDir;

namespace {

const TComb A{{1, 2, 3, 4, 5}};
const TComb B{{10, 20, 30, 40, 50}};
const TComb C{{69, 68, 1, 2, 3}};
const TComb D{{7, 8, 9, 10, 11}};

// Five draws, oldest first, each with its numbers in drawn (unsorted) order.
const TDrawsArray kDraws{
    makeDraw(101, {40, 3, 25, 69, 17}),
    makeDraw(102, {5, 1, 4, 2, 3}),
    makeDraw(103, {11, 12, 13, 14, 15}),
    makeDraw(104, {21, 22, 23, 24, 25}),
    makeDraw(105, {31, 32, 33, 34, 35}),
};

// One combination per draw, some stored in an order of their own, and two that
// are none of the draws.
const TComb kD101{{3, 17, 25, 40, 69}};
const TComb kD102{{5, 4, 3, 2, 1}};
const TComb kD103{{11, 12, 13, 14, 15}};
const TComb kD104{{25, 21, 23, 22, 24}};
const TComb kD105{{31, 32, 33, 34, 35}};
const TComb kOther1{{1, 2, 3, 4, 6}};
const TComb kOther2{{31, 32, 33, 34, 36}};

}  // namespace

TEST(CombRemoval, DeleteSelectedKeepsTheOtherRowsInOrder)
{
    const CombList undo = listOf({A, B, C, D});
    struct Case {
        std::vector<int> rows;
        std::vector<TComb> left;
    };
    const Case cases[] = {
        {{1, 3}, {A, C}},
        {{3, 1, 3}, {A, C}},      // order and repeats of the selection do not matter
        {{0, 7, -1}, {B, C, D}},  // rows outside the list are ignored
        {{}, {A, B, C, D}},
        {{0, 1, 2, 3}, {}},
    };
    for (const Case& c : cases) {
        CombList list = listOf({}, 4);
        const size_t removed = deleteSelectedCombs(undo, list, c.rows);
        EXPECT_EQ(contents(list), c.left);
        EXPECT_EQ(removed, 4 - c.left.size());
    }
    EXPECT_EQ(contents(undo), (std::vector<TComb>{A, B, C, D}));
}

TEST(CombRemoval, DeleteSelectedThenUndoBringsTheRowsBack)
{
    CombWorkbench wb;
    wb.reserve(4);
    for (const TComb& c : {A, B, C, D})
        wb.list().append(c);
    wb.BackupCombs();
    deleteSelectedCombs(wb.undo(), wb.list(), {0, 2});
    EXPECT_EQ(contents(wb.list()), (std::vector<TComb>{B, D}));
    ASSERT_TRUE(wb.canUndo());
    wb.RestoreCombs();
    EXPECT_EQ(contents(wb.list()), (std::vector<TComb>{A, B, C, D}));
}

TEST(CombRemoval, TheNewestVisibleDrawsAreRemoved)
{
    TempDir dir;
    const CombList undo = listOf({kD101, kOther1, kD102, kD103, kD104, kOther2, kD105});
    struct Case {
        const char* what;
        int offset;
        int n;
        std::vector<TComb> left;
    };
    const Case cases[] = {
        {"the two newest", 0, 2, {kD101, kOther1, kD102, kD103, kOther2}},
        {"n above the archive size uses every draw", 0, 100, {kOther1, kOther2}},
        {"exactly the archive size", 0, 5, {kOther1, kOther2}},
        {"offset 3 hides the three newest", 3, 100, {kOther1, kD103, kD104, kOther2, kD105}},
        {"offset 3, one draw", 3, 1, {kD101, kOther1, kD103, kD104, kOther2, kD105}},
        {"the oldest draw only", 4, 1, {kOther1, kD102, kD103, kD104, kOther2, kD105}},
        {"n = 0 removes nothing", 0, 0, {kD101, kOther1, kD102, kD103, kD104, kOther2, kD105}},
        {"negative n removes nothing", 0, -5, {kD101, kOther1, kD102, kD103, kD104, kOther2, kD105}},
    };
    for (const Case& c : cases) {
        const DrawArchive archive = archiveOf(dir, kDraws, c.offset);
        CombList list = listOf({}, undo.count());
        const size_t removed = RemoveDrawCombs(undo, list, archive, c.n);
        EXPECT_EQ(contents(list), c.left) << c.what;
        EXPECT_EQ(removed, undo.count() - c.left.size()) << c.what;
    }
}

TEST(CombRemoval, RangeFollowsTheCurrentDraw)
{
    TempDir dir;
    struct Case {
        int offset;
        int n;
        int first;
        int last;
    };
    const Case cases[] = {{0, 2, 3, 4}, {0, 100, 0, 4}, {3, 100, 0, 1}, {3, 1, 1, 1}, {0, 0, 0, -1}};
    for (const Case& c : cases) {
        const DrawRange r = removeDrawsRange(archiveOf(dir, kDraws, c.offset), c.n);
        EXPECT_EQ(r.first, c.first) << c.offset << ' ' << c.n;
        EXPECT_EQ(r.last, c.last) << c.offset << ' ' << c.n;
    }
    EXPECT_TRUE(removeDrawsRange(DrawArchive{}, 10).empty());

    // An empty archive removes nothing and still rebuilds the list.
    const CombList undo = listOf({A, B});
    CombList list = listOf({}, 2);
    EXPECT_EQ(RemoveDrawCombs(undo, list, DrawArchive{}, 10), 0u);
    EXPECT_EQ(contents(list), contents(undo));
}

TEST(CombRemoval, OnlyTheDrawsOwnFiveNumbersMatch)
{
    TempDir dir;
    // A draw with a repeated or a missing number is no combination: it removes
    // nothing, even the combinations that hold all of its numbers.
    const TDrawsArray draws{makeDraw(1, {5, 5, 10, 20, 30}), makeDraw(2, {0, 10, 20, 30, 40})};
    const CombList undo = listOf({TComb{{5, 10, 20, 30, 40}}, TComb{{5, 10, 20, 30, 41}}, TComb{{10, 20, 30, 40, 41}}});
    CombList list = listOf({}, 3);
    EXPECT_EQ(RemoveDrawCombs(undo, list, archiveOf(dir, draws), 10), 0u);
    EXPECT_EQ(contents(list), contents(undo));

    // Odd entries in a list (as an older file could hold) are never a draw.
    const TDrawsArray one{makeDraw(1, {1, 2, 3, 4, 5})};
    const CombList odd = listOf({TComb{{1, 2, 3, 4, 4}}, TComb{{0, 1, 2, 3, 4}}, TComb{{1, 2, 3, 4, 133}},
                                 TComb{{5, 1, 4, 2, 3}}});
    CombList out = listOf({}, 4);
    EXPECT_EQ(RemoveDrawCombs(odd, out, archiveOf(dir, one), 1), 1u);
    EXPECT_EQ(contents(out), (std::vector<TComb>{odd[0], odd[1], odd[2]}));
}

TEST(CombRemoval, FullSetLosesExactlyTheRanksOfTheDraws)
{
    DrawArchive archive;
    archive.load(zircon::test::testDataPath("Zircon_5x69.ldr"));
    ASSERT_GT(archive.count(), 1000);
    archive.setDrawsOffset(7);

    CombWorkbench wb;
    wb.reserveFullSet();
    GenerateCombs(wb.list(), 0, QString());
    wb.BackupCombs();

    std::vector<size_t> calls;
    const size_t removed =
        RemoveDrawCombs(wb.undo(), wb.list(), archive, 1000, [&](size_t done, size_t total) {
            EXPECT_EQ(total, static_cast<size_t>(kFullSetSize));
            calls.push_back(done);
        });

    // The expected survivors by another road: each draw's position in the
    // full set, found by sorting its numbers and ranking them.
    std::vector<bool> drawn(static_cast<size_t>(kFullSetSize), false);
    const int k = archive.currentIndex();
    for (int i = k - 999; i <= k; ++i) {
        TComb c = archive.draws()[static_cast<size_t>(i)].comb();
        std::sort(c.n.begin(), c.n.end());
        const uint32_t rank = combRank(c);
        if (rank != kNoRank)
            drawn[rank] = true;
    }
    const size_t expectedRemoved = static_cast<size_t>(std::count(drawn.begin(), drawn.end(), true));
    EXPECT_GT(expectedRemoved, 900u);
    EXPECT_EQ(removed, expectedRemoved);
    ASSERT_EQ(wb.list().count(), static_cast<size_t>(kFullSetSize) - expectedRemoved);
    size_t j = 0;
    for (uint32_t r = 0; r < static_cast<uint32_t>(kFullSetSize); ++r) {
        if (drawn[r])
            continue;
        ASSERT_EQ(wb.list()[j], combUnrank(r)) << "survivor " << j;
        ++j;
    }

    // About a hundred reports, rising, the last at the end.
    EXPECT_GE(calls.size(), 100u);
    EXPECT_LE(calls.size(), 101u);
    EXPECT_TRUE(std::is_sorted(calls.begin(), calls.end()));
    EXPECT_EQ(calls.back(), static_cast<size_t>(kFullSetSize));

    // The undo copy still holds the whole input.
    EXPECT_EQ(wb.undo().count(), static_cast<size_t>(kFullSetSize));
}

TEST(CombRemoval, AListThatCannotHoldTheUndoCopyIsLeftAlone)
{
    const CombList undo = listOf({A, B, C});
    CombList list = listOf({D}, 2);
    EXPECT_THROW(deleteSelectedCombs(undo, list, {0}), Error);
    EXPECT_THROW(RemoveDrawCombs(undo, list, DrawArchive{}, 1), Error);
    EXPECT_EQ(contents(list), (std::vector<TComb>{D}));
}
