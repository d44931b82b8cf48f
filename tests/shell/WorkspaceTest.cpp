#include <gtest/gtest.h>

#include <QFile>

#include "support/DrawFixtures.h"
#include "core/DrawArchive.h"
#include "core/DrawRecord.h"
#include "shell/Workspace.h"
#include "support/FakeHost.h"
#include "support/TempDir.h"

using namespace zircon;
using zircon::test::FakeHost;
using zircon::test::TempDir;

using zircon::test::makeDraw;

namespace {

class WorkspaceTest : public ::testing::Test {
protected:
    void seed(const TDrawsArray& draws) { dir.write(QStringLiteral("Zircon_5x69.ldr"), encodeArchive(draws)); }
    QByteArray archiveBytes() const { return dir.read(QStringLiteral("Zircon_5x69.ldr")); }

    TempDir dir;
    FakeHost host;
};

}  // namespace

TEST_F(WorkspaceTest, LoadsTheSampleAndFillsTheStatusPanels)
{
    ASSERT_TRUE(QFile::copy(zircon::test::testDataPath("Zircon_5x69.ldr"), dir.file(QStringLiteral("Zircon_5x69.ldr"))));
    Workspace ws(dir.path(), host);
    int refreshes = 0;
    ws.setDrawsListRefresher([&](bool force) { refreshes += force; });
    EXPECT_TRUE(ws.loadArchive());
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(host.panels[0], QStringLiteral("Архив тиражей: 1241"));
    EXPECT_EQ(host.panels[1], QStringLiteral("Следующий тираж: 1242"));
    EXPECT_EQ(host.panels[2], QString());
    EXPECT_EQ(host.panels[6], QString());  // cleared after the load
    EXPECT_EQ(host.busyChanges, (std::vector<bool>{true, false}));

    // Offset 2: the third-newest draw is current, panel 2 shows the second-newest.
    EXPECT_TRUE(ws.setDrawsOffset(2));
    EXPECT_EQ(host.panels[1], QStringLiteral("Следующий тираж: 1240"));
    EXPECT_EQ(host.panels[2], QStringLiteral("8;23;25;40;53"));
}

TEST_F(WorkspaceTest, EmptyArchivePanels)
{
    Workspace ws(dir.path(), host);
    EXPECT_TRUE(ws.loadArchive());
    EXPECT_TRUE(host.messages.empty());  // a missing file is no error
    EXPECT_EQ(host.panels[0], QStringLiteral("Архив тиражей: 0"));
    EXPECT_EQ(host.panels[1], QStringLiteral("Следующий тираж: 1"));
    EXPECT_EQ(host.panels[2], QString());
}

TEST_F(WorkspaceTest, DamagedArchiveIsReportedAndNeverSavedOver)
{
    QByteArray bytes = encodeArchive({makeDraw(1, {1, 2, 3, 4, 5}), makeDraw(2, {1, 2, 3, 4, 5})});
    bytes[kDrawRecordSize + 9] = char(77);  // second record: extra number 77
    dir.write(QStringLiteral("Zircon_5x69.ldr"), bytes);
    Workspace ws(dir.path(), host);
    EXPECT_FALSE(ws.loadArchive());
    ASSERT_EQ(host.count(MessageKind::Error), 1);
    EXPECT_TRUE(host.messages[0].text.startsWith(QStringLiteral("Ошибка чтения файла тиражей!\r\r")));
    EXPECT_EQ(ws.archive().count(), 1);

    EXPECT_FALSE(ws.addDraw(makeDraw(3, {6, 7, 8, 9, 10})));
    EXPECT_TRUE(host.messages.back().text.startsWith(QStringLiteral("Ошибка записи в файл тиражей!\r\r")));
    EXPECT_EQ(archiveBytes(), bytes);
    EXPECT_EQ(ws.archive().count(), 1);
}

TEST_F(WorkspaceTest, TornTailIsAWarningAndTheRecordsStay)
{
    QByteArray bytes = encodeArchive({makeDraw(1, {1, 2, 3, 4, 5})});
    bytes.append("xyz");
    dir.write(QStringLiteral("Zircon_5x69.ldr"), bytes);
    Workspace ws(dir.path(), host);
    EXPECT_TRUE(ws.loadArchive());
    EXPECT_EQ(host.count(MessageKind::Warning), 1);
    EXPECT_EQ(ws.archive().count(), 1);
}

TEST_F(WorkspaceTest, AddReplaceAndDeleteSaveAtOnce)
{
    seed({makeDraw(1, {1, 2, 3, 4, 5}), makeDraw(2, {6, 7, 8, 9, 10})});
    Workspace ws(dir.path(), host);
    int viewRefreshes = 0;
    ws.addViewRefresher([&](bool force) { viewRefreshes += force; });
    ASSERT_TRUE(ws.loadArchive());

    ASSERT_TRUE(ws.addDraw(makeDraw(3, {11, 12, 13, 14, 15}, 7, "02/02/2020")));
    EXPECT_EQ(viewRefreshes, 1);
    EXPECT_EQ(archiveBytes(), encodeArchive(ws.archive().draws()));
    EXPECT_EQ(ws.archive().count(), 3);

    ASSERT_TRUE(ws.replaceDraw(0, makeDraw(100, {21, 22, 23, 24, 25})));
    EXPECT_EQ(ws.archive().draws()[0].number, 100);
    EXPECT_EQ(archiveBytes(), encodeArchive(ws.archive().draws()));
    EXPECT_FALSE(ws.replaceDraw(7, makeDraw(1, {1, 2, 3, 4, 5})));
    EXPECT_EQ(host.count(MessageKind::Error), 1);
}

TEST_F(WorkspaceTest, DeleteAsksAndRemovesExactlyTheSelectedRecords)
{
    // Three draws share number 5; the user selects the newest two rows.
    seed({makeDraw(5, {1, 2, 3, 4, 5}), makeDraw(5, {6, 7, 8, 9, 10}), makeDraw(5, {11, 12, 13, 14, 15}),
          makeDraw(6, {16, 17, 18, 19, 20})});
    Workspace ws(dir.path(), host);
    ASSERT_TRUE(ws.loadArchive());

    host.answers = {false};
    EXPECT_FALSE(ws.deleteDrawRows({1, 2}));
    ASSERT_EQ(host.count(MessageKind::Question), 1);
    EXPECT_EQ(host.messages.back().text,
              QStringLiteral("Удалить все выделенные записи (всего будет удалено 2 записи(ей))?"));
    EXPECT_TRUE(host.messages.back().defaultNo);
    EXPECT_EQ(ws.archive().count(), 4);

    host.answers = {true};
    EXPECT_TRUE(ws.deleteDrawRows({1, 2}));
    ASSERT_EQ(ws.archive().count(), 2);
    EXPECT_EQ(ws.archive().draws()[0].nums[0], 1);
    EXPECT_EQ(ws.archive().draws()[1].number, 6);
    EXPECT_EQ(archiveBytes(), encodeArchive(ws.archive().draws()));

    host.answers = {true};
    EXPECT_TRUE(ws.deleteDrawRows({0}));
    EXPECT_EQ(host.messages.back().text, QStringLiteral("Удалить выделенную запись?"));
    EXPECT_EQ(ws.archive().count(), 1);
}

TEST_F(WorkspaceTest, ImportTellsAddedAndSkipped)
{
    seed({makeDraw(1, {1, 2, 3, 4, 5})});
    dir.write(QStringLiteral("in.csv"), "1;\"01/01/2020\";1;2;3;4;5;1\r\n2;\"01/04/2020\";6;7;8;9;10;2\r\n"
                                        "3;\"01/08/2020\";6;7;8;9;99;2\r\n");
    Workspace ws(dir.path(), host);
    ASSERT_TRUE(ws.loadArchive());
    auto r = ws.importDrawsCsv(dir.file(QStringLiteral("in.csv")));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->added, 1);
    EXPECT_EQ(r->skipped, 2);
    EXPECT_EQ(ws.archive().count(), 2);
    ASSERT_EQ(host.count(MessageKind::Information), 1);
    EXPECT_TRUE(host.messages.back().text.contains(QStringLiteral("1")));
    EXPECT_EQ(archiveBytes(), encodeArchive(ws.archive().draws()));

    // An unreadable file appends nothing.
    EXPECT_FALSE(ws.importDrawsCsv(dir.file(QStringLiteral("missing.csv"))));
    EXPECT_EQ(ws.archive().count(), 2);
}

TEST_F(WorkspaceTest, ExportWritesTheArchive)
{
    seed({makeDraw(1, {1, 2, 3, 4, 5}, 3, "05/06/2021")});
    Workspace ws(dir.path(), host);
    ASSERT_TRUE(ws.loadArchive());
    auto n = ws.exportDrawsCsv(dir.file(QStringLiteral("out.csv")));
    ASSERT_TRUE(n);
    EXPECT_EQ(*n, 1);
    EXPECT_EQ(dir.read(QStringLiteral("out.csv")), QByteArray("1;\"05/06/2021\";1;2;3;4;5;3\r\n"));
    EXPECT_FALSE(ws.exportDrawsCsv(dir.file(QStringLiteral("no/such/dir/out.csv"))));
    EXPECT_EQ(host.count(MessageKind::Error), 1);
}

TEST_F(WorkspaceTest, SecondWorkspaceCannotTakeTheStakesFile)
{
    Workspace first(dir.path(), host);
    ASSERT_TRUE(first.openStakesFile());
    FakeHost otherHost;
    Workspace second(dir.path(), otherHost);
    EXPECT_FALSE(second.openStakesFile());
    ASSERT_EQ(otherHost.count(MessageKind::Error), 1);
    EXPECT_TRUE(otherHost.messages[0].text.startsWith(
        QStringLiteral("Невозможно получить монопольный доступ к файлам данных!")));
    EXPECT_TRUE(first.stakesFile().isOpen());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(WorkspaceTest, NoViewRefreshWhileAScriptRuns)
{
    Workspace ws(dir.path(), host);
    int refreshes = 0;
    ws.addViewRefresher([&](bool) { ++refreshes; });
    ws.setScriptRunning(true);
    ws.refreshAllViews(true);
    EXPECT_EQ(refreshes, 0);
    ws.setScriptRunning(false);
    ws.refreshAllViews(false);
    EXPECT_EQ(refreshes, 1);
}
