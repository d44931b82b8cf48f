#include <gtest/gtest.h>

#include <QFile>

#include "support/CliRun.h"
#include "support/TempDir.h"

using zircon::test::TempDir;

namespace {

zircon::test::CliRun run(const TempDir& dir, const QStringList& args)
{
    auto r = zircon::test::runCli(dir, args);
    r.out = r.out.trimmed();
    return r;
}

int lineCount(const QByteArray& bytes)
{
    return static_cast<int>(bytes.count("\r\n"));
}

}  // namespace

TEST(CliCombs, GeneratesTheDescribedCounts)
{
    TempDir dir;
    struct Case {
        const char* mode;
        const char* param;
        int count;
    } cases[] = {{"1", "1", 814385}, {"2", "1;2;3;4;5;6", 6}, {"2", "1;2;3;70", 0}};
    for (const Case& c : cases) {
        const QString out = dir.file(QStringLiteral("g.lcv"));
        zircon::test::CliRun r = run(dir, {QStringLiteral("combs"), QStringLiteral("generate"), QStringLiteral("--mode"),
                             QString::fromLatin1(c.mode), QStringLiteral("--param"), QString::fromLatin1(c.param),
                             QStringLiteral("--out"), out});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.out, QStringLiteral("Комбинаций: %1").arg(c.count));
        EXPECT_EQ(lineCount(dir.read(QStringLiteral("g.lcv"))), c.count);
    }
    EXPECT_NE(run(dir, {QStringLiteral("combs"), QStringLiteral("generate"), QStringLiteral("--mode"),
                        QStringLiteral("9"), QStringLiteral("--out"), dir.file(QStringLiteral("x.lcv"))})
                  .exitCode,
              0);
}

TEST(CliCombs, KeepAndDeleteSplitTheInput)
{
    TempDir dir;
    ASSERT_TRUE(QFile::copy(zircon::test::testDataPath("Zircon_5x69.ldr"), dir.file(QStringLiteral("Zircon_5x69.ldr"))));
    const QString in = dir.file(QStringLiteral("in.lcv"));
    ASSERT_EQ(run(dir, {QStringLiteral("combs"), QStringLiteral("generate"), QStringLiteral("--mode"),
                        QStringLiteral("1"), QStringLiteral("--param"), QStringLiteral("7"), QStringLiteral("--out"), in})
                  .exitCode,
              0);
    auto filter = [&](const char* mode, const QString& out) {
        return run(dir, {QStringLiteral("filter"), QStringLiteral("EVEN"), QStringLiteral("--values"),
                         QStringLiteral("2:3;3:2"), QString::fromLatin1(mode), QStringLiteral("--window"),
                         QStringLiteral("100"), QStringLiteral("--in"), in, QStringLiteral("--out"), out});
    };
    zircon::test::CliRun keep = filter("--keep", dir.file(QStringLiteral("keep.lcv")));
    zircon::test::CliRun del = filter("--delete", dir.file(QStringLiteral("del.lcv")));
    ASSERT_EQ(keep.exitCode, 0) << keep.err.toStdString();
    ASSERT_EQ(del.exitCode, 0) << del.err.toStdString();
    const int kept = lineCount(dir.read(QStringLiteral("keep.lcv")));
    const int deleted = lineCount(dir.read(QStringLiteral("del.lcv")));
    EXPECT_EQ(kept + deleted, 814385);
    // Combinations with 7 and two or three even numbers among the five: 7 is
    // odd, so the other four hold 2 or 3 of the 34 evens and the rest from the
    // 34 other odds: C(34,2)C(34,2) + C(34,3)C(34,1) = 314721 + 203456.
    EXPECT_EQ(kept, 518177);
    EXPECT_EQ(keep.out, QStringLiteral("Комбинаций: %1").arg(kept));

    // The full set as input and an unknown method.
    zircon::test::CliRun full = run(dir, {QStringLiteral("filter"), QStringLiteral("NUMS"), QStringLiteral("--values"),
                            QStringLiteral("1"), QStringLiteral("--keep"), QStringLiteral("--in"), QStringLiteral("full"),
                            QStringLiteral("--out"), dir.file(QStringLiteral("f.lcv"))});
    EXPECT_EQ(full.out, QStringLiteral("Комбинаций: 814385"));
    EXPECT_NE(run(dir, {QStringLiteral("filter"), QStringLiteral("ROW11"), QStringLiteral("--values"),
                        QStringLiteral("1"), QStringLiteral("--keep"), QStringLiteral("--in"), QStringLiteral("full"),
                        QStringLiteral("--out"), dir.file(QStringLiteral("f.lcv"))})
                  .exitCode,
              0);
}
