#include <gtest/gtest.h>

#include <QFile>

#include <algorithm>
#include <limits>

#include "core/ExclusiveFile.h"
#include "core/NumberText.h"
#include "core/Shema.h"
#include "shell/StakeCommands.h"
#include "shell/StakesColumns.h"
#include "shell/Workspace.h"
#include "support/DrawFixtures.h"
#include "support/FakeHost.h"
#include "support/TempDir.h"

using namespace zircon;
using zircon::test::FakeHost;
using zircon::test::TempDir;

namespace {

TComb comb(std::array<uint8_t, 5> n)
{
    TComb c;
    c.n = n;
    return c;
}

class StakeCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString archive = dir.file(QStringLiteral("Zircon_5x69.ldr"));
        ASSERT_TRUE(QFile::copy(zircon::test::testDataPath("Zircon_5x69.ldr"), archive));
        QFile::setPermissions(archive, QFile::ReadOwner | QFile::WriteOwner);
        ws = std::make_unique<Workspace>(dir.path(), host);
        ASSERT_TRUE(ws->loadArchive());
        ASSERT_GT(ws->archive().count(), 0);
        // Cost 2, prizes 3 -> 10 and 4 -> 100: every profit below follows from these.
        ws->statList().Config.Cost = 2 * kCurrencyScale;
        ws->statList().Config.Profits = {{3, 10 * kCurrencyScale}, {4, 100 * kCurrencyScale}};
        ASSERT_TRUE(ws->openStakesFile());
        ws->combs().workbench().list().reserve(64);
        for (const TComb& c : {comb({1, 2, 3, 4, 5}), comb({6, 7, 8, 9, 10}), comb({11, 12, 13, 14, 15})})
            ws->combs().workbench().list().append(c);
    }
    StakeCommands& stakes() { return ws->stakes(); }
    int32_t next() const { return ws->archive().NextDrawNumber(0); }
    std::vector<StakeRecord> all()
    {
        std::vector<StakeRecord> out;
        for (int i = 0; i < stakes().count(); ++i)
            out.push_back(stakes().file()->read(i));
        return out;
    }
    // The draw numbers, 0 for a separator: the shape of the file.
    std::vector<int> shape()
    {
        std::vector<int> out;
        for (const StakeRecord& r : all())
            out.push_back(r.isSeparator() ? 0 : r.drawNumber);
        return out;
    }

    TempDir dir;
    FakeHost host;
    std::unique_ptr<Workspace> ws;
};

}  // namespace

TEST_F(StakeCommandsTest, EmptyFileShowsNoStakes)
{
    EXPECT_EQ(host.panels[kStakesPanel], QStringLiteral("Ставок: 0"));
    EXPECT_TRUE(stakes().isOpen());
    EXPECT_FALSE(stakes().hasRecords());
}

TEST_F(StakeCommandsTest, ManualStakeOverSeveralDrawsIsSeparated)
{
    const TComb chosen = comb({30, 10, 20, 50, 40});
    const StakeRecord prepared = stakes().prepareManual(&chosen);
    EXPECT_EQ(prepared.drawNumber, next());
    EXPECT_EQ(prepared.listSize, 3);
    EXPECT_EQ(prepared.comment(), QStringLiteral("Ставка \"вручную\""));
    EXPECT_EQ(prepared.profit, -2 * kCurrencyScale);

    ASSERT_TRUE(stakes().addManual(prepared, 1));  // one draw: no separator
    ASSERT_TRUE(stakes().addManual(prepared, 3));
    const int n = next();
    EXPECT_EQ(shape(), (std::vector<int>{n, 0, n, 0, n + 1, 0, n + 2}));
    EXPECT_EQ(host.panels[kStakesPanel], QStringLiteral("Ставок: 7"));
    EXPECT_EQ(ShemaText(all()[2].numbers, QStringLiteral(";")), QStringLiteral("10;20;30;40;50"));
    EXPECT_EQ(host.busyChanges.back(), false);

    // A checked record and a draw number that would overflow are refused,
    // shown, and leave the file alone.
    StakeRecord checked = prepared;
    checked.checked = true;
    StakeRecord huge = prepared;
    huge.drawNumber = std::numeric_limits<int32_t>::max();
    for (const StakeRecord& bad : {checked, huge}) {
        const size_t errors = static_cast<size_t>(host.count(MessageKind::Error));
        EXPECT_FALSE(stakes().addManual(bad, 2));
        EXPECT_EQ(static_cast<size_t>(host.count(MessageKind::Error)), errors + 1);
        EXPECT_EQ(stakes().count(), 7);
    }
}

TEST_F(StakeCommandsTest, RandomStakeTakesACombinationOfTheList)
{
    const std::optional<StakeRecord> r = stakes().prepareRandom();
    ASSERT_TRUE(r);
    const CombList& list = ws->combs().list();
    bool found = false;
    for (size_t i = 0; i < list.count(); ++i)
        found = found || ShemaText(r->numbers, QStringLiteral(";")) == CombText(list[i]);
    EXPECT_TRUE(found);
    ws->combs().workbench().list().clear();
    EXPECT_FALSE(stakes().prepareRandom());
}

TEST_F(StakeCommandsTest, BulkModesStakeInListOrderWithSeparators)
{
    MultiStakeEntry entry = stakes().prepareMulti();
    EXPECT_EQ(entry.drawNumber, next());
    entry.draws = 2;
    entry.comment = QStringLiteral("пачка");
    const int n = next();

    // Selected rows, given in any order, are staked in list order.
    std::optional<StakeAddResult> r = stakes().addSelected({2, 0}, entry);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->added, 4);
    EXPECT_EQ(shape(), (std::vector<int>{n, 0, n + 1, 0, n, 0, n + 1}));
    std::vector<StakeRecord> records = all();
    EXPECT_EQ(CombText(comb({1, 2, 3, 4, 5})), ShemaText(records[0].numbers, QStringLiteral(";")));
    EXPECT_EQ(CombText(comb({11, 12, 13, 14, 15})), ShemaText(records[4].numbers, QStringLiteral(";")));
    EXPECT_EQ(records[0].comment(), QStringLiteral("пачка"));
    EXPECT_EQ(records[0].listSize, 3);

    EXPECT_FALSE(stakes().clear());  // no answer: No keeps everything
    EXPECT_EQ(stakes().count(), 7);
    host.answers.push_back(true);
    ASSERT_TRUE(stakes().clear());
    EXPECT_EQ(stakes().count(), 0);
    EXPECT_EQ(host.panels[kStakesPanel], QStringLiteral("Ставок: 0"));

    // All of the list on one draw: no separators at all.
    entry.draws = 1;
    r = stakes().addAll(entry);
    ASSERT_TRUE(r);
    EXPECT_EQ(shape(), (std::vector<int>{n, n, n}));
    // A selected row outside the list adds nothing.
    EXPECT_FALSE(stakes().addSelected({7}, entry));
    EXPECT_EQ(stakes().count(), 3);
}

TEST_F(StakeCommandsTest, DeletesRowsAndByConditionAfterTheCheck)
{
    // Stakes on draws the archive holds, so the check gives them matches.
    const TDraw& last = ws->archive().draws().back();
    const TComb drawn = comb(last.nums);
    // 5, 3 and 0 of the draw's numbers: taken from the draw itself.
    std::array<uint8_t, 5> three = last.nums;
    std::array<uint8_t, 5> none{};
    {
        int k = 0;
        for (uint8_t v = 1; v <= 69 && k < 5; ++v)
            if (std::find(last.nums.begin(), last.nums.end(), v) == last.nums.end())
                none[static_cast<size_t>(k++)] = v;
        three[3] = none[0];
        three[4] = none[1];
    }
    for (const TComb& c : {drawn, comb(three), comb(none)}) {
        StakeRecord r = stakes().prepareManual(&c);
        r.drawNumber = last.number;
        ASSERT_TRUE(stakes().addManual(r, 1));
    }
    std::vector<StakeRecord> records = all();
    ASSERT_EQ(records.size(), 3u);
    const int expected[][2] = {{5, -2}, {3, 8}, {0, -2}};  // matches, profit in whole units
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(records[i].checked);
        EXPECT_EQ(records[i].matches(), expected[i][0]);
        EXPECT_EQ(records[i].profit, expected[i][1] * kCurrencyScale);
    }
    EXPECT_EQ(stakesCellText(records[1], StakeColProfit), QStringLiteral("8.00"));

    struct Case {
        StakeFilterOp op;
        int value;
        std::vector<int> left;  // matches of the stakes that stay
    } cases[] = {{StakeFilterOp::Equal, 3, {5, 0}},   {StakeFilterOp::Greater, 2, {0}},
                 {StakeFilterOp::NotLess, 3, {0}},    {StakeFilterOp::Less, 3, {5, 3}},
                 {StakeFilterOp::NotGreater, 3, {5}}, {StakeFilterOp::Equal, 4, {5, 3, 0}}};
    const QByteArray original = dir.read(QStringLiteral("Zircon_5x69.lsk"));
    for (const Case& c : cases) {
        // Back to the three checked stakes for each case.
        ws->closeStakesFile();
        dir.write(QStringLiteral("Zircon_5x69.lsk"), original);
        ASSERT_TRUE(ws->openStakesFile());
        ASSERT_TRUE(stakes().deleteWhere({c.op, c.value}));
        std::vector<int> left;
        for (const StakeRecord& r : all())
            left.push_back(r.matches());
        EXPECT_EQ(left, c.left) << static_cast<int>(c.op) << " " << c.value;
    }

    // Grid rows 1..1 are the first record; the question comes first.
    ws->closeStakesFile();
    dir.write(QStringLiteral("Zircon_5x69.lsk"), original);
    ASSERT_TRUE(ws->openStakesFile());
    EXPECT_FALSE(stakes().deleteRows(1, 1));
    EXPECT_EQ(host.messages.back().text, QStringLiteral("Удалить выделенную запись?"));
    EXPECT_TRUE(host.messages.back().defaultNo);
    host.answers.push_back(true);
    ASSERT_TRUE(stakes().deleteRows(1, 1));
    EXPECT_EQ(all().front().matches(), 3);
    host.answers.push_back(true);
    ASSERT_TRUE(stakes().deleteRows(1, 2));
    EXPECT_EQ(host.messages.back().text,
              QStringLiteral("Удалить все выделенные записи (всего будет удалено 2 записи(ей))?"));
    EXPECT_EQ(stakes().count(), 0);
}

TEST_F(StakeCommandsTest, StakeOnAMissingDrawIsCheckedOnceTheDrawArrives)
{
    const TComb c = comb({1, 2, 3, 4, 5});
    const StakeRecord r = stakes().prepareManual(&c);
    ASSERT_EQ(r.drawNumber, next());
    ASSERT_TRUE(stakes().addManual(r, 1));
    EXPECT_FALSE(all()[0].checked);
    EXPECT_EQ(all()[0].profit, -2 * kCurrencyScale);
    EXPECT_EQ(stakesCellText(all()[0], StakeColMatches), QString());

    // The draw entered by hand: the stakes wait for the next check.
    ASSERT_TRUE(ws->addDraw(zircon::test::makeDraw(r.drawNumber, {4, 1, 60, 2, 61}, 5)));
    EXPECT_FALSE(all()[0].checked);
    int ratings = 0;
    stakes().setRatingsHook([&](int, const StakeRecord&) { ++ratings; });
    stakes().setLogEnabled(true);
    EXPECT_EQ(stakes().checkManual(), 1);
    const StakeRecord checked = all()[0];
    EXPECT_TRUE(checked.checked);
    EXPECT_EQ(checked.matches(), 3);
    EXPECT_EQ(ShemaText(checked.matched, QStringLiteral(" ")), QStringLiteral("1 2 4"));
    EXPECT_EQ(CombText(checked.drawNumbers), QStringLiteral("4;1;60;2;61"));
    EXPECT_EQ(checked.profit, 8 * kCurrencyScale);
    EXPECT_EQ(ratings, 1);
    EXPECT_FALSE(dir.read(QStringLiteral("Zircon_5x69-3.log")).isEmpty());

    // A second check counts nothing twice.
    EXPECT_EQ(stakes().checkManual(), 0);
    EXPECT_EQ(ratings, 1);
}

TEST_F(StakeCommandsTest, SecondWorkspaceIsRefusedWhileTheFirstHoldsTheFile)
{
    FakeHost other;
    Workspace second(dir.path(), other);
    EXPECT_FALSE(second.openStakesFile());
    ASSERT_EQ(other.count(MessageKind::Error), 1);
    EXPECT_TRUE(other.messages[0].text.startsWith(QStringLiteral("Невозможно получить монопольный доступ")));
    EXPECT_FALSE(second.stakes().isOpen());
    EXPECT_TRUE(stakes().isOpen());
}

TEST_F(StakeCommandsTest, TornTailIsCutWithAWarningAtStartUp)
{
    const TComb c = comb({1, 2, 3, 4, 5});
    ASSERT_TRUE(stakes().addManual(stakes().prepareManual(&c), 1));
    ws->closeStakesFile();
    QByteArray bytes = dir.read(QStringLiteral("Zircon_5x69.lsk"));
    bytes.append('\x02');
    dir.write(QStringLiteral("Zircon_5x69.lsk"), bytes);
    ASSERT_TRUE(ws->openStakesFile());
    EXPECT_EQ(host.count(MessageKind::Warning), 1);
    EXPECT_EQ(stakes().count(), 1);
    EXPECT_EQ(host.panels[kStakesPanel], QStringLiteral("Ставок: 1"));
}
