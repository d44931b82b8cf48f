#include <gtest/gtest.h>

#include <QFile>

#include "shell/Workspace.h"
#include "stats/StatTable.h"
#include "support/FakeHost.h"
#include "support/TempDir.h"

using namespace zircon;
using zircon::test::FakeHost;
using zircon::test::TempDir;

namespace {

class CombCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::copy(zircon::test::testDataPath("Zircon_5x69.ldr"), dir.file(QStringLiteral("Zircon_5x69.ldr"))));
        ws = std::make_unique<Workspace>(dir.path(), host);
        ASSERT_TRUE(ws->loadArchive());
        ws->rebuildRegistry();
        ws->combs().reserveFullSet();
        ASSERT_TRUE(ws->combs().generate(0, {}));
    }
    CombCommands& combs() { return ws->combs(); }
    int nums() const { return ws->statList().FindCode(QStringLiteral("NUMS")); }
    // The rows of a NUMS table whose values are these numbers.
    std::vector<int> rowsOf(const StatTable& table, std::initializer_list<int> values)
    {
        std::vector<int> rows;
        for (int v : values)
            for (int r = 0; r < table.rowCount(); ++r)
                if (table.valueText(r) == QString::number(v))
                    rows.push_back(r);
        return rows;
    }

    TempDir dir;
    FakeHost host;
    std::unique_ptr<Workspace> ws;
};

}  // namespace

TEST_F(CombCommandsTest, StartsFromTheFullSetWithNothingToUndo)
{
    EXPECT_EQ(combs().list().count(), 11238513u);
    EXPECT_EQ(host.panels[3], QStringLiteral("Комбинаций: 11238513"));
    EXPECT_FALSE(combs().canUndo());
    EXPECT_TRUE(combs().appliedFilters().empty());
}

TEST_F(CombCommandsTest, KeepingAndDeletingTableRowsSplitTheListAndUndoRestoresIt)
{
    const StatTable table = computeStatTable(ws->statList(), nums(), 1000, 0, false, nullptr);
    const std::vector<int> one = rowsOf(table, {1});
    ASSERT_EQ(one.size(), 1u);

    ASSERT_TRUE(combs().filterByTableRows(nums(), table, one, false, false));
    EXPECT_EQ(combs().list().count(), 814385u);  // C(69,5) - C(68,5)
    ASSERT_EQ(combs().appliedFilters().count(), 1);
    EXPECT_EQ(combs().appliedFilters().row(0).values, QStringLiteral("1"));
    EXPECT_EQ(combs().appliedFilters().row(0).count, 814385u);
    EXPECT_EQ(host.panels[3], QStringLiteral("Комбинаций: 814385"));
    for (size_t i = 0; i < combs().list().count(); i += 9973)
        EXPECT_EQ(combs().list()[i].n[0], 1);

    ASSERT_TRUE(combs().undo());
    EXPECT_EQ(combs().list().count(), 11238513u);
    EXPECT_TRUE(combs().appliedFilters().empty());
    EXPECT_FALSE(combs().canUndo());

    // Deleting two numbers leaves C(67,5); the values text joins the rows.
    ASSERT_TRUE(combs().filterByTableRows(nums(), table, rowsOf(table, {1, 2}), true, false));
    EXPECT_EQ(combs().list().count(), 9657648u);
    EXPECT_EQ(combs().appliedFilters().row(0).values, QStringLiteral("1; 2"));
    EXPECT_EQ(combs().appliedFilters().row(0).mark, FilterMark::Delete);
    EXPECT_FALSE(combs().filterByTableRows(nums(), table, {}, true, false));
}

TEST_F(CombCommandsTest, DeleteSelectedAndRemoveDrawsRecordTheirSteps)
{
    ASSERT_TRUE(combs().deleteSelected({0, 2, 4}));
    EXPECT_EQ(combs().list().count(), 11238510u);
    EXPECT_EQ(combs().appliedFilters().row(0).source, QStringLiteral("Выделенные комбинации"));
    EXPECT_EQ(combs().appliedFilters().row(0).values, QStringLiteral("3"));
    ASSERT_TRUE(combs().undo());
    EXPECT_EQ(combs().list().count(), 11238513u);

    ASSERT_TRUE(combs().removeDrawCombs(10));
    EXPECT_EQ(combs().list().count(), 11238513u - 10);
    EXPECT_EQ(combs().appliedFilters().row(0).source, QStringLiteral("Последние тиражи"));
    EXPECT_EQ(combs().appliedFilters().row(0).values, QStringLiteral("10"));
}

TEST_F(CombCommandsTest, FilesAndClipboardThatDoNotReadLeaveEverythingAsItWas)
{
    ASSERT_TRUE(combs().deleteSelected({0}));
    EXPECT_FALSE(combs().openFile(dir.file(QStringLiteral("missing.lcv"))));
    EXPECT_EQ(host.count(MessageKind::Error), 1);
    EXPECT_EQ(combs().list().count(), 11238512u);
    EXPECT_TRUE(combs().canUndo());
    EXPECT_EQ(combs().appliedFilters().count(), 1);

    EXPECT_FALSE(combs().paste(QStringLiteral("1 2 3 4 5\nnot a combination\n")));
    EXPECT_TRUE(host.messages.back().text.contains(QStringLiteral("Некорректная комбинация")));
    EXPECT_EQ(combs().list().count(), 11238512u);

    ASSERT_TRUE(combs().paste(QStringLiteral("01 02 03 04 05\n10 20 30 40 50\n")));
    EXPECT_EQ(combs().list().count(), 2u);
    EXPECT_FALSE(combs().canUndo());
    EXPECT_TRUE(combs().appliedFilters().empty());
    EXPECT_EQ(combs().copyText({1}).trimmed(), QStringLiteral("10 20 30 40 50"));

    // A file with one line that is not a combination: the rest is read and the user told.
    dir.write(QStringLiteral("in.lcv"), "1;2;3;4;5\r\n1;2;3;4;70\r\n6;7;8;9;10\r\n");
    ASSERT_TRUE(combs().openFile(dir.file(QStringLiteral("in.lcv"))));
    EXPECT_EQ(combs().list().count(), 2u);
    EXPECT_EQ(host.count(MessageKind::Warning), 1);
    ASSERT_TRUE(combs().saveFile(dir.file(QStringLiteral("out.lcv"))));
    EXPECT_EQ(dir.read(QStringLiteral("out.lcv")), QByteArray("1;2;3;4;5\r\n6;7;8;9;10\r\n"));
}

TEST_F(CombCommandsTest, GenerationModesAndStoredSettings)
{
    ASSERT_TRUE(combs().generate(1, QStringLiteral("1")));
    EXPECT_EQ(combs().list().count(), 814385u);
    ASSERT_TRUE(combs().generate(2, QStringLiteral("1;2;3;4;5;6")));
    EXPECT_EQ(combs().list().count(), 6u);
    // Mode 4 with a file that cannot be read keeps the list it had.
    EXPECT_FALSE(combs().generate(4, dir.file(QStringLiteral("missing.lcv"))));
    EXPECT_EQ(combs().list().count(), 6u);

    ASSERT_TRUE(combs().storeGenerationSettings(3, QStringLiteral("1")));
    EXPECT_TRUE(dir.read(QStringLiteral("Zircon_5x69.ini")).contains("CombsGenerateMode=3"));
    EXPECT_EQ(ws->statList().GenerateParams, QStringLiteral("1"));
    EXPECT_EQ(combs().uniqueNumbersMessage(), QStringLiteral("В текущем списке комбинаций содержится 6 уникальных номеров"));
}
