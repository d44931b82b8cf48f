#include <gtest/gtest.h>

#include <QFileInfo>

#include "core/Error.h"
#include "stakes/StakeDeleting.h"
#include "stakes/StakesTestSupport.h"

using namespace zircon;
using zircon::test::encodeAll;
using zircon::test::OpenStakes;
using zircon::test::plainStake;

namespace {

StakeRecord checkedWith(int matches, int draw)
{
    StakeRecord r = plainStake(draw, {1, 2, 3, 4, 5});
    r.checked = true;
    r.drawNumbers = TComb{{1, 2, 3, 4, 5}};
    r.matched.count = matches;
    for (int i = 0; i < matches; ++i)
        r.matched.nums[static_cast<size_t>(i)] = static_cast<uint8_t>(i + 1);
    return r;
}

// Checked stakes with 0..5 matches (draw numbers 100 + matches), an
// unchecked stake (draw 200) and a separator.
std::vector<StakeRecord> mixedFile()
{
    std::vector<StakeRecord> v;
    for (int m = 0; m <= 5; ++m)
        v.push_back(checkedWith(m, 100 + m));
    v.push_back(plainStake(200, {6, 7, 8, 9, 10}));
    v.push_back(StakeRecord::separator());
    return v;
}

std::vector<int> drawsOf(OpenStakes& s)
{
    std::vector<int> out;
    for (const StakeRecord& r : s.records())
        out.push_back(r.drawNumber);
    return out;
}

}  // namespace

TEST(StakeDeleting, EveryConditionRemovesOnlyCheckedStakes)
{
    struct Case {
        StakeFilterOp op;
        int value;
        std::vector<int> kept;  // draw numbers left; 200 unchecked, -1 the separator
    };
    const Case cases[] = {
        {StakeFilterOp::Equal, 3, {100, 101, 102, 104, 105, 200, -1}},
        {StakeFilterOp::Greater, 2, {100, 101, 102, 200, -1}},
        {StakeFilterOp::NotLess, 2, {100, 101, 200, -1}},
        {StakeFilterOp::Less, 2, {102, 103, 104, 105, 200, -1}},
        {StakeFilterOp::NotGreater, 2, {103, 104, 105, 200, -1}},
        {StakeFilterOp::Equal, 0, {101, 102, 103, 104, 105, 200, -1}},
        {StakeFilterOp::NotGreater, 5, {200, -1}},
        {StakeFilterOp::Greater, 5, {100, 101, 102, 103, 104, 105, 200, -1}},
    };
    for (const Case& c : cases) {
        OpenStakes s(encodeAll(mixedFile()));
        const int removed = deleteStakesWhere(s.file(), StakeFilterCondition{c.op, c.value});
        EXPECT_EQ(drawsOf(s), c.kept) << static_cast<int>(c.op) << " " << c.value;
        EXPECT_EQ(removed, 8 - static_cast<int>(c.kept.size()));
        EXPECT_TRUE(s.secondOpenerRefused());
    }
}

TEST(StakeDeleting, NothingToRemoveLeavesTheFileUntouched)
{
    OpenStakes s(encodeAll(mixedFile()));
    const QByteArray before = s.bytes();
    bool rewritten = false;
    s.file().setStepProbe([&](const char*) { rewritten = true; });
    EXPECT_EQ(deleteStakesWhere(s.file(), StakeFilterCondition{StakeFilterOp::Greater, 5}), 0);
    EXPECT_FALSE(rewritten);
    EXPECT_EQ(s.bytes(), before);
    EXPECT_FALSE(QFileInfo::exists(s.file().tempPath()));
}

TEST(StakeDeleting, PackedConditionOfTheDialog)
{
    const auto c = StakeFilterCondition::fromPacked(0x0301);
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(c->op, StakeFilterOp::Greater);
    EXPECT_EQ(c->value, 3);
    EXPECT_EQ(c->packed(), 0x0301);
    EXPECT_EQ((StakeFilterCondition{StakeFilterOp::NotGreater, 5}).packed(), 0x0504);
    EXPECT_FALSE(StakeFilterCondition::fromPacked(0x0205).has_value());
    EXPECT_EQ(stakeFilterOpTexts(), (QStringList{QStringLiteral("Равно [ = ]"), QStringLiteral("Более [ > ]"),
                                                 QStringLiteral("Не менее [ >= ]"), QStringLiteral("Менее [ < ]"),
                                                 QStringLiteral("Не более [ <= ]")}));
}

TEST(StakeDeleting, RowsAreOneBasedPositions)
{
    struct Case {
        int first;
        int last;
        std::vector<int> kept;
    };
    const Case cases[] = {
        {1, 1, {101, 102, 103, 104, 105, 200, -1}},
        {8, 8, {100, 101, 102, 103, 104, 105, 200}},
        {2, 4, {100, 104, 105, 200, -1}},
        {1, 8, {}},
        {0, 2, {102, 103, 104, 105, 200, -1}},   // clipped to the file
        {7, 20, {100, 101, 102, 103, 104, 105}},
        {5, 4, {100, 101, 102, 103, 104, 105, 200, -1}},  // empty range
        {9, 12, {100, 101, 102, 103, 104, 105, 200, -1}},
    };
    for (const Case& c : cases) {
        OpenStakes s(encodeAll(mixedFile()));
        const int removed = deleteStakeRows(s.file(), c.first, c.last);
        EXPECT_EQ(drawsOf(s), c.kept) << c.first << ".." << c.last;
        EXPECT_EQ(removed, 8 - static_cast<int>(c.kept.size()));
    }
}

TEST(StakeDeleting, DamagedRecordStopsDeletingByConditionButCanBeDeletedByRow)
{
    QByteArray content = encodeAll(mixedFile());
    content[3 * kStakeRecordSize] = 7;  // record 4: unknown version
    OpenStakes s(content);
    try {
        deleteStakesWhere(s.file(), StakeFilterCondition{StakeFilterOp::NotLess, 0});
        ADD_FAILURE() << "a damaged record must stop the deletion";
    } catch (const Error& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Запись № 4 файла ставок повреждена!"));
    }
    EXPECT_EQ(s.bytes(), content);
    EXPECT_FALSE(QFileInfo::exists(s.file().tempPath()));

    EXPECT_EQ(deleteStakeRows(s.file(), 4, 4), 1);
    EXPECT_EQ(drawsOf(s), (std::vector<int>{100, 101, 102, 104, 105, 200, -1}));
}
