#include <gtest/gtest.h>

#include <QFile>

#include "core/DrawArchive.h"
#include "core/RecordCodec.h"
#include "support/DrawFixtures.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

using zircon::test::makeDraw;
using zircon::test::CliRun;
using zircon::test::TempDir;

namespace {
CliRun run(const TempDir& dir, const QStringList& args)
{
    return zircon::test::runCli(dir, args);
}
}  // namespace


TEST(CliStat, ListsTheMethodsInRegistrationOrder)
{
    TempDir dir;
    CliRun r = run(dir, {QStringLiteral("methods")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_GE(r.lines().size(), 14);
    EXPECT_EQ(r.lines()[0], QStringLiteral("NUMS\tnum\tN\tЧисла тиража"));
    EXPECT_EQ(r.lines()[3], QStringLiteral("EVNV\tnum\tSN\tЧетные и нечетные числа в тираже (Чн..нЧ)"));
    EXPECT_TRUE(r.lines().contains(QStringLiteral("POS3\tnum\tSNG\tЧисло в 3 позиции тиража")));
    EXPECT_TRUE(r.lines().contains(QStringLiteral("POE1\tnum\tG\tExtra (Bonus, Star...) - число (!без фильтра!)")));
}

TEST(CliStat, PrintsTheTableOfAWindow)
{
    TempDir dir;
    // Two draws; the window of the newest one alone, then both.
    dir.write(QStringLiteral("Zircon_5x69.ldr"),
              zircon::encodeArchive({makeDraw(100, {3, 14, 15, 26, 60}), makeDraw(103, {3, 7, 8, 9, 10})}));
    CliRun one = run(dir, {QStringLiteral("stat"), QStringLiteral("nums"), QStringLiteral("--window"),
                           QStringLiteral("1")});
    ASSERT_EQ(one.exitCode, 0) << one.err.toStdString();
    ASSERT_EQ(one.lines().size(), 1 + 69);
    EXPECT_TRUE(one.lines()[0].startsWith(QStringLiteral("Значение\tКоличество\tКол-во в %\tНорма")));
    EXPECT_EQ(one.lines()[0].count(u'\t'), 19);
    // Value 3 occurred in the only draw of the window: count 1, depth 1, 20% of five values.
    const QStringList three = one.lines()[3].split(u'\t');
    EXPECT_EQ(three[0], QStringLiteral("3"));
    EXPECT_EQ(three[1], QStringLiteral("1"));
    EXPECT_EQ(three[2], QStringLiteral("20.00000"));
    EXPECT_EQ(three[3], QStringLiteral("-"));  // no norm without --norms
    EXPECT_EQ(three[6], QStringLiteral("1"));
    EXPECT_EQ(three[9], QStringLiteral("103"));
    // A value that never occurred shows "-" from "Глубина" on.
    const QStringList fourteen = one.lines()[14].split(u'\t');
    EXPECT_EQ(fourteen[1], QStringLiteral("0"));
    for (int c = 6; c < 20; ++c)
        EXPECT_EQ(fourteen[c], QStringLiteral("-")) << c;

    // Offset 1: the window is the older draw and "Факт" of 3 is the newer one.
    CliRun back = run(dir, {QStringLiteral("stat"), QStringLiteral("NUMS"), QStringLiteral("--offset"),
                            QStringLiteral("1")});
    ASSERT_EQ(back.exitCode, 0);
    EXPECT_EQ(back.lines()[3].split(u'\t')[16], QStringLiteral("103"));
    EXPECT_EQ(back.lines()[14].split(u'\t')[16], QStringLiteral("-"));

    // Both draws: value 3 twice, gap 3.
    CliRun both = run(dir, {QStringLiteral("stat"), QStringLiteral("NUMS"), QStringLiteral("--window"),
                            QStringLiteral("2")});
    const QStringList both3 = both.lines()[3].split(u'\t');
    EXPECT_EQ(both3[1], QStringLiteral("2"));
    EXPECT_EQ(both3[10], QStringLiteral("3"));
    EXPECT_EQ(both3[12], QStringLiteral("3"));
}

TEST(CliStat, PrefetchFileOfNumsHoldsTheWholeSetCounts)
{
    TempDir dir;
    CliRun r = run(dir, {QStringLiteral("prefetch"), QStringLiteral("NUMS")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray bytes = dir.read(QStringLiteral("Prefetchs/Zircon_5x69_NUMS.dfc"));
    ASSERT_EQ(bytes.size(), 69 * 12 + 12);
    zircon::RecordReader reader(bytes.constData(), bytes.size());
    for (int n = 1; n <= 69; ++n) {
        EXPECT_EQ(reader.i32(), n);  // K1 = n, K2 = 0
        EXPECT_EQ(reader.i32(), 0);  // K3, K4
        EXPECT_EQ(reader.i32(), 814385);
    }
    EXPECT_EQ(reader.i32(), 814385);
    EXPECT_EQ(reader.i32(), 814385);
    EXPECT_EQ(reader.i32(), 0);

    // Present and plausible: kept; --recreate builds it again.
    CliRun again = run(dir, {QStringLiteral("prefetch"), QStringLiteral("NUMS")});
    EXPECT_TRUE(again.lines().join(u' ').contains(QStringLiteral(": 0,")));
    dir.write(QStringLiteral("Prefetchs/Zircon_5x69_NUMS.dfc"), bytes.left(100));  // torn
    CliRun rebuilt = run(dir, {QStringLiteral("prefetch"), QStringLiteral("NUMS")});
    ASSERT_EQ(rebuilt.exitCode, 0);
    EXPECT_EQ(dir.read(QStringLiteral("Prefetchs/Zircon_5x69_NUMS.dfc")), bytes);
}

TEST(CliStat, NormsComeFromThePrefetchFile)
{
    TempDir dir;
    ASSERT_TRUE(QFile::copy(zircon::test::testDataPath("Zircon_5x69.ldr"), dir.file(QStringLiteral("Zircon_5x69.ldr"))));
    CliRun r = run(dir, {QStringLiteral("stat"), QStringLiteral("NUMS"), QStringLiteral("--norms")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_EQ(r.lines().size(), 70);
    // Every number is equally frequent in the full set, so every norm is
    // (max + min) / 2 of the window's counts, the same in every row.
    const QString norm = r.lines()[1].split(u'\t')[3];
    EXPECT_NE(norm, QStringLiteral("-"));
    for (int i = 1; i < r.lines().size(); ++i)
        EXPECT_EQ(r.lines()[i].split(u'\t')[3], norm);
    EXPECT_TRUE(QFile::exists(dir.file(QStringLiteral("Prefetchs/Zircon_5x69_NUMS.dfc"))));
}

TEST(CliStat, BadArgumentsFail)
{
    TempDir dir;
    EXPECT_NE(run(dir, {QStringLiteral("stat"), QStringLiteral("ROW99")}).exitCode, 0);
    EXPECT_NE(run(dir, {QStringLiteral("stat"), QStringLiteral("NUMS"), QStringLiteral("--window"),
                        QStringLiteral("x")}).exitCode, 0);
    EXPECT_NE(run(dir, {QStringLiteral("prefetch"), QStringLiteral("POE1")}).exitCode, 0);  // no norm
    EXPECT_NE(run(dir, {QStringLiteral("prefetch")}).exitCode, 0);
}
