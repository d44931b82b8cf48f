#include <gtest/gtest.h>

#include <QFile>

#include "core/ExclusiveFile.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

using zircon::test::CliRun;
using zircon::test::TempDir;

namespace {

CliRun run(const TempDir& dir, const QStringList& args)
{
    return zircon::test::runCli(dir, args);
}

// Rows of `stakes list` without the header, split into cells.
std::vector<QStringList> stakeRows(const CliRun& r)
{
    std::vector<QStringList> rows;
    const QStringList lines = r.lines();
    for (qsizetype i = 1; i < lines.size(); ++i)
        rows.push_back(lines[i].split(u'\t'));
    return rows;
}

}  // namespace

TEST(CliStakes, AddsListsAndChecksAfterTheDrawArrives)
{
    TempDir dir;
    // An empty archive: the next draw is 1, and the draw is added as a CSV line later.
    dir.write(QStringLiteral("Zircon_5x69.ini"), "[STAKES]\r\nCost=2\r\nProfits=1\r\nProfit_0_Overlap=3\r\nProfit_0_Profit=10\r\n");
    dir.write(QStringLiteral("in.lcv"), "1;2;3;4;5\r\n10;20;30;40;50\r\n");
    const CliRun add = run(dir, {QStringLiteral("stakes"), QStringLiteral("add"), QStringLiteral("--from"),
                                 dir.file(QStringLiteral("in.lcv")), QStringLiteral("--draws"), QStringLiteral("2"),
                                 QStringLiteral("--comment"), QStringLiteral("проба")});
    ASSERT_EQ(add.exitCode, 0) << add.err.toStdString();
    EXPECT_EQ(add.out.trimmed(), QStringLiteral("Добавлено ставок: 4"));
    // Two combinations over two draws: stake, separator, stake, separator, ...
    EXPECT_EQ(dir.read(QStringLiteral("Zircon_5x69.lsk")).size(), 7 * 312);

    CliRun list = run(dir, {QStringLiteral("stakes"), QStringLiteral("list")});
    ASSERT_EQ(list.exitCode, 0) << list.err.toStdString();
    ASSERT_FALSE(list.lines().isEmpty());
    EXPECT_EQ(list.lines()[0], QStringLiteral("Вид ставки\t№ тиража\tМоя ставка\tСовпадений\tСовпадения\tПрофит\tКомментарий"));
    std::vector<QStringList> rows = stakeRows(list);
    ASSERT_EQ(rows.size(), 4u);
    const QStringList first{QStringLiteral("Вручную"), QStringLiteral("1"), QStringLiteral("1;2;3;4;5"), QString(),
                            QString(), QStringLiteral("-2.00"), QStringLiteral("проба")};
    EXPECT_EQ(rows[0], first);
    EXPECT_EQ(rows[1][1], QStringLiteral("2"));
    EXPECT_EQ(rows[2][2], QStringLiteral("10;20;30;40;50"));

    CliRun check = run(dir, {QStringLiteral("stakes"), QStringLiteral("check")});
    ASSERT_EQ(check.exitCode, 0) << check.err.toStdString();
    EXPECT_EQ(check.out.trimmed(), QStringLiteral("Проверено ставок: 0"));

    // Draw 1 arrives: 1, 2 and 3 match the first stake, nothing the second.
    dir.write(QStringLiteral("d.csv"), "1;\"01/02/2024\";1;2;3;60;61;5\r\n");
    CliRun import = run(dir, {QStringLiteral("draws"), QStringLiteral("import"), dir.file(QStringLiteral("d.csv"))});
    ASSERT_EQ(import.exitCode, 0) << import.err.toStdString();
    check = run(dir, {QStringLiteral("stakes"), QStringLiteral("check")});
    ASSERT_EQ(check.exitCode, 0) << check.err.toStdString();
    EXPECT_EQ(check.out.trimmed(), QStringLiteral("Проверено ставок: 2"));
    rows = stakeRows(run(dir, {QStringLiteral("stakes"), QStringLiteral("list")}));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0][3], QStringLiteral("3"));
    EXPECT_EQ(rows[0][4], QStringLiteral("1 2 3"));
    EXPECT_EQ(rows[0][5], QStringLiteral("8.00"));
    EXPECT_EQ(rows[1][3], QString()) << "draw 2 is not in the archive";
    EXPECT_EQ(rows[2][3], QStringLiteral("0"));
    EXPECT_EQ(rows[2][5], QStringLiteral("-2.00"));
}

TEST(CliStakes, SecondHolderIsRefused)
{
    TempDir dir;
    zircon::ExclusiveFile holder;
    ASSERT_TRUE(holder.open(dir.file(QStringLiteral("Zircon_5x69.lsk"))));
    for (const char* sub : {"list", "check"}) {
        const CliRun r = run(dir, {QStringLiteral("stakes"), QString::fromLatin1(sub)});
        EXPECT_NE(r.exitCode, 0) << sub;
        EXPECT_TRUE(r.err.contains(QStringLiteral("Невозможно получить монопольный доступ"))) << r.err.toStdString();
    }
    holder.close();
    EXPECT_EQ(run(dir, {QStringLiteral("stakes"), QStringLiteral("list")}).exitCode, 0);
}

TEST(CliStakes, RefusesBadArguments)
{
    TempDir dir;
    const QStringList cases[] = {{QStringLiteral("stakes")},
                                 {QStringLiteral("stakes"), QStringLiteral("add")},
                                 {QStringLiteral("stakes"), QStringLiteral("add"), QStringLiteral("--from"),
                                  QStringLiteral("x.lcv"), QStringLiteral("--draws"), QStringLiteral("0")},
                                 {QStringLiteral("stakes"), QStringLiteral("add"), QStringLiteral("--from"),
                                  dir.file(QStringLiteral("missing.lcv"))}};
    for (const QStringList& args : cases)
        EXPECT_NE(run(dir, args).exitCode, 0) << args.join(u' ').toStdString();
}
