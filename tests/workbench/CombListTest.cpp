#include <gtest/gtest.h>

#include "core/Error.h"
#include "core/Lottery.h"
#include "workbench/CombList.h"
#include "workbench/CombListFixtures.h"
#include "workbench/CombWorkbench.h"

using namespace zircon;
using zircon::test::contents;
using zircon::test::listOf;

namespace {

const TComb A{{1, 2, 3, 4, 5}};
const TComb B{{10, 20, 30, 40, 50}};
const TComb C{{69, 68, 1, 2, 3}};

}  // namespace

TEST(CombList, ProperCombinationsAreFiveDifferentNumbersOfTheLottery)
{
    struct Case { TComb comb; bool proper; };
    const Case cases[] = {
        {A, true},
        {C, true},  // any order
        {TComb{{65, 66, 67, 68, 69}}, true},
        {TComb{{0, 2, 3, 4, 5}}, false},
        {TComb{{1, 2, 3, 4, 70}}, false},
        {TComb{{1, 2, 3, 4, 255}}, false},
        {TComb{{1, 2, 3, 4, 1}}, false},
        {TComb{{7, 7, 7, 7, 7}}, false},
        {TComb{{0, 0, 0, 0, 0}}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isProperComb(c.comb), c.proper) << int(c.comb.n[0]) << ' ' << int(c.comb.n[4]);
}

TEST(CombList, TheFirstReservationStays)
{
    CombList list;
    EXPECT_EQ(list.capacity(), 0u);
    EXPECT_FALSE(list.append(A));  // no room yet: nothing is written anywhere
    ASSERT_TRUE(list.reserve(3));
    const TComb* block = list.data();
    EXPECT_FALSE(list.reserve(100));
    EXPECT_FALSE(list.reserveFullSet());
    EXPECT_EQ(list.capacity(), 3u);
    EXPECT_EQ(list.data(), block);
}

TEST(CombList, AppendingBeyondTheReserveIsRefused)
{
    CombList list;
    list.reserve(2);
    EXPECT_TRUE(list.append(A));
    EXPECT_TRUE(list.append(B));
    EXPECT_TRUE(list.full());
    EXPECT_FALSE(list.append(C));
    EXPECT_EQ(contents(list), (std::vector<TComb>{A, B}));
}

TEST(CombList, CountStaysWithinTheCapacity)
{
    CombList list = listOf({A, B}, 3);
    list.setCount(3);
    EXPECT_EQ(list.count(), 3u);
    EXPECT_THROW(list.setCount(4), Error);
    EXPECT_EQ(list.count(), 3u);
    list.setCount(1);
    EXPECT_EQ(contents(list), (std::vector<TComb>{A}));
    list.clear();
    EXPECT_TRUE(list.empty());
}

TEST(CombList, CopyFromIsAnExactCopyWithinTheCapacity)
{
    CombList source = listOf({A, B, C});
    CombList target = listOf({C}, 3);
    target.copyFrom(source);
    EXPECT_EQ(contents(target), contents(source));

    CombList small = listOf({C}, 2);
    EXPECT_THROW(small.copyFrom(source), Error);
    EXPECT_EQ(contents(small), (std::vector<TComb>{C}));  // unchanged after the refusal

    CombList empty = listOf({}, 3);
    target.copyFrom(empty);
    EXPECT_TRUE(target.empty());
}

TEST(CombList, FullSetReserveHoldsEveryCombination)
{
    CombList list;
    ASSERT_TRUE(list.reserveFullSet());
    EXPECT_EQ(list.capacity(), static_cast<size_t>(kFullSetSize));
    list.setCount(static_cast<size_t>(kFullSetSize));
    EXPECT_THROW(list.setCount(static_cast<size_t>(kFullSetSize) + 1), Error);
}

TEST(CombWorkbench, BackupRestoreAndClear)
{
    CombWorkbench wb;
    wb.reserve(4);
    EXPECT_FALSE(wb.canUndo());
    wb.list().append(A);
    wb.list().append(B);

    wb.BackupCombs();
    EXPECT_TRUE(wb.canUndo());
    EXPECT_EQ(contents(wb.undo()), (std::vector<TComb>{A, B}));

    // A command changes the list; undo brings back the state before it.
    wb.list().clear();
    wb.list().append(C);
    wb.RestoreCombs();
    EXPECT_EQ(contents(wb.list()), (std::vector<TComb>{A, B}));
    EXPECT_FALSE(wb.canUndo());  // undo holds exactly one step

    wb.BackupCombs();
    wb.ClearUndo();
    EXPECT_FALSE(wb.canUndo());
    EXPECT_EQ(contents(wb.list()), (std::vector<TComb>{A, B}));  // clearing undo leaves the list alone
}

TEST(CombWorkbench, BackupOfAnEmptyListLeavesNothingToUndo)
{
    CombWorkbench wb;
    wb.reserve(2);
    wb.BackupCombs();
    EXPECT_FALSE(wb.canUndo());
}

TEST(CombWorkbench, FullListRoundTripsThroughTheUndoCopy)
{
    CombWorkbench wb;
    wb.reserveFullSet();
    ASSERT_EQ(wb.undo().capacity(), static_cast<size_t>(kFullSetSize));
    TComb* out = wb.list().data();
    for (size_t i = 0; i < static_cast<size_t>(kFullSetSize); ++i)
        out[i] = TComb{{static_cast<uint8_t>(i), static_cast<uint8_t>(i >> 8), static_cast<uint8_t>(i >> 16), 1, 2}};
    wb.list().setCount(static_cast<size_t>(kFullSetSize));
    wb.BackupCombs();
    wb.list().setCount(7);
    wb.RestoreCombs();
    ASSERT_EQ(wb.list().count(), static_cast<size_t>(kFullSetSize));
    for (size_t i = 0; i < static_cast<size_t>(kFullSetSize); i += 9973) {
        ASSERT_EQ(wb.list()[i].n[0], static_cast<uint8_t>(i));
        ASSERT_EQ(wb.list()[i].n[2], static_cast<uint8_t>(i >> 16));
    }
}
