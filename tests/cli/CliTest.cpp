#include <gtest/gtest.h>

#include <QFile>

#include "support/CliRun.h"
#include "support/TempDir.h"

using zircon::test::CliRun;
using zircon::test::runCli;
using zircon::test::TempDir;


TEST(Cli, ListsTheArchiveNewestFirst)
{
    TempDir dir;
    ASSERT_TRUE(QFile::copy(zircon::test::testDataPath("Zircon_5x69.ldr"), dir.file(QStringLiteral("Zircon_5x69.ldr"))));
    CliRun r = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("draws")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1242);
    EXPECT_EQ(lines[0], QStringLiteral("Тираж\t1\t2\t3\t4\t5\tE\tS\tДата тиража"));
    EXPECT_EQ(lines[1], QStringLiteral("1241\t3\t16\t29\t61\t69\t22\t178\t09/03/2025"));
    EXPECT_EQ(lines.last(), QStringLiteral("1\t18\t30\t40\t48\t52\t9\t188\t10/07/2015"));
}

TEST(Cli, ExportThenImportIntoAFreshDirectory)
{
    TempDir src;
    TempDir dst;
    ASSERT_TRUE(QFile::copy(zircon::test::testDataPath("Zircon_5x69.ldr"), src.file(QStringLiteral("Zircon_5x69.ldr"))));
    const QString csv = src.file(QStringLiteral("out.csv"));
    CliRun e = runCli({QStringLiteral("--data-dir"), src.path(), QStringLiteral("draws"), QStringLiteral("export"), csv});
    ASSERT_EQ(e.exitCode, 0) << e.err.toStdString();
    EXPECT_TRUE(e.out.contains(QStringLiteral("1241")));

    CliRun i = runCli({QStringLiteral("--data-dir=") + dst.path(), QStringLiteral("draws"), QStringLiteral("import"), csv});
    ASSERT_EQ(i.exitCode, 0) << i.err.toStdString();
    EXPECT_TRUE(i.out.contains(QStringLiteral("1241")));
    EXPECT_EQ(dst.read(QStringLiteral("Zircon_5x69.ldr")), src.read(QStringLiteral("Zircon_5x69.ldr")));

    // The same file again adds nothing.
    CliRun again = runCli({QStringLiteral("--data-dir"), dst.path(), QStringLiteral("draws"), QStringLiteral("import"), csv});
    ASSERT_EQ(again.exitCode, 0);
    EXPECT_TRUE(again.out.contains(QStringLiteral(": 0,")));
}

TEST(Cli, FailuresExitNonZeroWithTheErrorOnStandardError)
{
    TempDir dir;
    CliRun missing = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("draws"), QStringLiteral("import"),
                          dir.file(QStringLiteral("nope.csv"))});
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_FALSE(missing.err.trimmed().isEmpty());

    dir.write(QStringLiteral("Zircon_5x69.ldr"), QByteArray(24, '\x7f'));  // not a draw record
    CliRun damaged = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("draws")});
    EXPECT_NE(damaged.exitCode, 0);
    EXPECT_TRUE(damaged.err.contains(QStringLiteral("Ошибка чтения файла тиражей!")));

    CliRun unknown = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("frobnicate")});
    EXPECT_EQ(unknown.exitCode, 2);
}
