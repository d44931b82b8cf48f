// Every statistic family through the command line: the methods listed in
// their registration order with the default settings, and for each of them
// a table over the shipped archive and a filter step whose kept and deleted
// combinations add up to the input.
#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>

#include "support/CliRun.h"
#include "support/TempDir.h"

using zircon::test::CliRun;
using zircon::test::TempDir;

namespace {

QStringList numbered(const char* pattern, int from, int to)
{
    QStringList out;
    for (int p = from; p <= to; ++p)
        out << QString::fromLatin1(pattern).arg(p);
    return out;
}

QStringList words(const char* text)
{
    return QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts);
}

// The registered codes with the default settings (7 channels of 10, 7
// columns and 10 rows, every number in segment 1), families in their fixed
// order.
QStringList defaultCodes()
{
    QStringList c;
    c << words("NUMS DIGS EVEN EVNV SMAL SMLV PRIM PRMV");
    c << words("SUMS SUM1 SUM2 SUM3 SUMC SUMV SUMT SUME SUMP S2T3");
    c << words("DIFA DIFM DIFD DIFO DIFK");
    c << words("CHAN CHNV CHNC");
    c << words("COLS ROWS COLV ROWV COLN ROWN COLM ROWM COLA ROWA COLC ROWC");
    c << words("SGMS SGMV SGMC");
    c << words("SEQL SEQS LENS");
    c << words("RPV2 RPV3 PRL2 PRV2O1 PRV2O2 PRV2O3 PRV+1 PRV-1 PRV+2 PRV-2");
    c << words("RPC2 RPC3 PRB2 RPO1 PRC2O2 PRC2O3 PRC+1 PRC-1 PRC+2 PRC-2");
    c << words("KNM2 KNM3 KNM4 KNS2 KNS3 KNS4") << numbered("KNP2%1", 1, 4) << numbered("KNP3%1", 1, 3)
      << numbered("KNP4%1", 1, 2);
    c << words("KDS2 KDS3 KDS4 KCM2 KCM3 KCM4 KCS2 KCS3 KCS4");
    c << words("KFM2 KFM3 KFM4 KFS2 KFS3 KFS4 KRM2 KRM3 KRM4 KRS2 KRS3 KRS4");
    c << words("KGM2 KGM3 KGM4 KGS2 KGS3 KGS4");
    c << numbered("POS%1", 1, 5) << QStringLiteral("POE1");
    c << numbered("CHN%1", 1, 7) << numbered("COL%1", 1, 7) << numbered("ROW%1", 1, 10) << QStringLiteral("SGM1");
    c << numbered("SHR%1", 1, 3);
    return c;
}

QStringList listedCodes(const CliRun& r)
{
    QStringList codes;
    for (const QString& line : r.lines())
        codes << line.section(u'\t', 0, 0);
    return codes;
}

int combinationsOf(const CliRun& r)
{
    const QString prefix = QStringLiteral("Комбинаций: ");
    return r.out.startsWith(prefix) ? r.out.mid(prefix.size()).trimmed().toInt() : -1;
}

}  // namespace

TEST(CliFamilies, ListsEveryFamilyInRegistrationOrder)
{
    TempDir dir;
    const CliRun r = zircon::test::runCli(dir, {QStringLiteral("methods")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(listedCodes(r), defaultCodes());
}

TEST(CliFamilies, EveryMethodComputesItsTableAndFilters)
{
    TempDir dir;
    ASSERT_TRUE(QFile::copy(zircon::test::testDataPath("Zircon_5x69.ldr"), dir.file(QStringLiteral("Zircon_5x69.ldr"))));
    // The 792 combinations of the numbers 1..12.
    const QString in = dir.file(QStringLiteral("in.lcv"));
    const CliRun gen = zircon::test::runCli(
        dir, {QStringLiteral("combs"), QStringLiteral("generate"), QStringLiteral("--mode"), QStringLiteral("2"),
              QStringLiteral("--param"), QStringLiteral("1;2;3;4;5;6;7;8;9;10;11;12"), QStringLiteral("--out"), in});
    ASSERT_EQ(gen.exitCode, 0) << gen.err.toStdString();
    ASSERT_EQ(combinationsOf(gen), 792);

    const CliRun methods = zircon::test::runCli(dir, {QStringLiteral("methods")});
    ASSERT_EQ(methods.exitCode, 0);
    int filtered = 0;
    for (const QString& code : listedCodes(methods)) {
        const CliRun table = zircon::test::runCli(dir, {QStringLiteral("stat"), code, QStringLiteral("--window"),
                                                        QStringLiteral("200"), QStringLiteral("--sorted")});
        ASSERT_EQ(table.exitCode, 0) << code.toStdString() << ": " << table.err.toStdString();
        const QStringList lines = table.lines();
        ASSERT_GE(lines.size(), 1) << code.toStdString();
        if (lines.size() < 2)
            continue;  // a method comparing draws may find nothing to list
        // The most frequent value is the one the table shows with the largest count.
        QString value;
        int best = -1;
        for (int row = 1; row < lines.size(); ++row) {
            const QStringList cells = lines[row].split(u'\t');
            ASSERT_EQ(cells.size(), 20) << code.toStdString() << " row " << row;
            EXPECT_FALSE(cells[0].isEmpty()) << code.toStdString() << " row " << row;
            if (cells[1].toInt() > best) {
                best = cells[1].toInt();
                value = cells[0];
            }
        }
        auto step = [&](const char* mode, const char* out) {
            return zircon::test::runCli(dir, {QStringLiteral("filter"), code, QStringLiteral("--values"), value,
                                              QString::fromLatin1(mode), QStringLiteral("--window"),
                                              QStringLiteral("200"), QStringLiteral("--sorted"), QStringLiteral("--in"),
                                              in, QStringLiteral("--out"), dir.file(QString::fromLatin1(out))});
        };
        const CliRun keep = step("--keep", "keep.lcv");
        const CliRun del = step("--delete", "del.lcv");
        ASSERT_EQ(keep.exitCode, 0) << code.toStdString() << ": " << keep.err.toStdString();
        ASSERT_EQ(del.exitCode, 0) << code.toStdString() << ": " << del.err.toStdString();
        EXPECT_EQ(combinationsOf(keep) + combinationsOf(del), 792) << code.toStdString() << " value " << value.toStdString();
        ++filtered;
    }
    // Nearly every method lists values over 200 draws; only a method that
    // compares draws may find none.
    EXPECT_GE(filtered * 10, static_cast<int>(listedCodes(methods).size()) * 9);
}
