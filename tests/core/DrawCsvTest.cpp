#include <gtest/gtest.h>

#include "support/DrawFixtures.h"
#include "core/DrawArchive.h"
#include "core/DrawCsv.h"
#include "core/TextCodec.h"
#include "support/TempDir.h"

using namespace zircon;

using zircon::test::makeDraw;

namespace {

QByteArray lines(std::initializer_list<const char*> ls)
{
    QByteArray out;
    for (const char* l : ls) {
        out += l;
        out += "\r\n";
    }
    return out;
}

}  // namespace

TEST(CsvFields, SplitsAsTheDrawFilesNeed)
{
    struct Case {
        const char* line;
        QStringList fields;
    } cases[] = {
        {"1;\"10/07/2015\";18;30;40;48;52;9",
         {"1", "10/07/2015", "18", "30", "40", "48", "52", "9"}},
        {"a;b;", {"a", "b", ""}},               // a final ";" adds an empty field
        {"a;;b", {"a", "", "b"}},
        {"  a  b ;c", {"a", "b", "c"}},          // blanks separate outside quotes
        {"\"x y\";z", {"x y", "z"}},             // but not inside
        {"\"he said \"\"hi\"\"\";1", {"he said \"hi\"", "1"}},
        {"a\tb", {"a", "b"}},
        {"a; ", {"a"}},                          // only a ";" at the very end adds a field
        {"\"unclosed;1", {"unclosed;1"}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitCsvFields(QString::fromUtf8(c.line)), c.fields) << c.line;
}

TEST(CsvExport, WritesEightFieldsWithQuotedDateAndCrLf)
{
    TDrawsArray draws = {makeDraw(1275, {5, 12, 33, 41, 69}, 26, "02/15/2024"),
                         makeDraw(1276, {1, 2, 3, 4, 5}, 1, "")};
    EXPECT_EQ(exportDrawsCsv(draws), QByteArray("1275;\"02/15/2024\";5;12;33;41;69;26\r\n1276;\"\";1;2;3;4;5;1\r\n"));
}

TEST(CsvExport, MatchesTheShippedSampleFile)
{
    DrawArchive archive;
    archive.load(zircon::test::testDataPath("Zircon_5x69.ldr"));
    QByteArray expected;
    {
        QFile f(zircon::test::testDataPath("draws-1241.csv"));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        expected = f.readAll();
    }
    // The sample file may or may not end its last line; compare line by line.
    EXPECT_EQ(splitTextLines(fromCp1251(exportDrawsCsv(archive.draws()))), splitTextLines(fromCp1251(expected)));
}

TEST(CsvImport, ExportThenImportIntoAnEmptyArchiveGivesTheSameArchive)
{
    DrawArchive archive;
    archive.load(zircon::test::testDataPath("Zircon_5x69.ldr"));
    TDrawsArray copy;
    CsvImportResult r = importDrawsCsv(exportDrawsCsv(archive.draws()), copy);
    EXPECT_EQ(r.added, 1241);
    EXPECT_EQ(r.skipped, 0);
    EXPECT_EQ(copy, archive.draws());
    // A second import of numbered lines adds nothing.
    r = importDrawsCsv(exportDrawsCsv(archive.draws()), copy);
    EXPECT_EQ(r.added, 0);
    EXPECT_EQ(r.skipped, 1241);
}

TEST(CsvImport, SevenFieldLinesAreNumberedAfterTheCurrentCount)
{
    TDrawsArray draws = {makeDraw(1, {1, 2, 3, 4, 5}, 1, "01/01/2020")};
    const QByteArray file = lines({"\"01/04/2020\";6;7;8;9;10;2", "\"01/08/2020\";11;12;13;14;15;3"});
    CsvImportResult r = importDrawsCsv(file, draws);
    EXPECT_EQ(r.added, 2);
    ASSERT_EQ(draws.size(), 3u);
    EXPECT_EQ(draws[1], makeDraw(2, {6, 7, 8, 9, 10}, 2, "01/04/2020"));
    EXPECT_EQ(draws[2], makeDraw(3, {11, 12, 13, 14, 15}, 3, "01/08/2020"));
    // The same file again adds its lines again, numbered after the new count.
    r = importDrawsCsv(file, draws);
    EXPECT_EQ(r.added, 2);
    EXPECT_EQ(draws.back().number, 5);
}

TEST(CsvImport, SkipsLinesThatAreNotDraws)
{
    struct Case {
        const char* line;
        bool taken;
    } cases[] = {
        {"5;\"03/01/2021\";1;2;3;4;69;26", true},
        {"5;\"03/01/2021\";1;2;3;4;70;26", false},    // main number out of range
        {"5;\"03/01/2021\";0;2;3;4;5;26", false},     // zero
        {"5;\"03/01/2021\";1;2;3;4;4;26", false},     // repeated main number
        {"5;\"03/01/2021\";1;2;3;4;5;27", false},     // extra out of range
        {"5;\"03/01/2021\";1;2;3;4;5;0", false},
        {"5;\"03/01/2021\";1;2;x;4;5;6", false},      // not a number
        {"0;\"03/01/2021\";1;2;3;4;5;6", false},      // draw number not above 0
        {"-3;\"03/01/2021\";1;2;3;4;5;6", false},
        {"abc;\"03/01/2021\";1;2;3;4;5;6", false},
        {"5;\"02/30/2021\";1;2;3;4;5;6", false},      // impossible date
        {"5;\"2021-03-01\";1;2;3;4;5;6", false},      // not mm/dd/yyyy
        {"5;\"\";1;2;3;4;5;6", false},                // no date
        {"5;03/01/2021 x;1;2;3;4;5;6", false},        // a space in an unquoted date: more fields
        {"5;\"03/01/2021 x\";1;2;3;4;5;6", true},     // quoted, the date is cut to 10 characters
        {"5;\"03/01/2021\";1;2;3;4;5;6;", false},     // a final ";" makes nine fields
        {"5;\"03/01/2021\";1;2;3;4;5", false},        // too few
        {"1;\"03/01/2021\";1;2;3;4;5;6", false},      // number already in the archive
    };
    for (const Case& c : cases) {
        TDrawsArray draws = {makeDraw(1, {1, 2, 3, 4, 5}, 1, "01/01/2020")};
        CsvImportResult r = importDrawsCsv(lines({c.line}), draws);
        EXPECT_EQ(r.added, c.taken ? 1 : 0) << c.line;
        EXPECT_EQ(r.skipped, c.taken ? 0 : 1) << c.line;
        EXPECT_EQ(draws.size(), c.taken ? 2u : 1u) << c.line;
    }
}

TEST(CsvImport, DuplicatesInsideOneFileAreTakenOnce)
{
    TDrawsArray draws;
    CsvImportResult r = importDrawsCsv(lines({"9;\"03/01/2021\";1;2;3;4;5;6", "9;\"03/04/2021\";7;8;9;10;11;12", "",
                                              "   "}),
                                       draws);
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(r.skipped, 1);  // blank lines are not counted
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].date(), "03/01/2021");
}

TEST(CsvImport, ReadsAnyLineEnd)
{
    TDrawsArray draws;
    CsvImportResult r = importDrawsCsv(QByteArray("1;\"03/01/2021\";1;2;3;4;5;6\n2;\"03/04/2021\";1;2;3;4;5;6\r"
                                                  "3;\"03/08/2021\";1;2;3;4;5;6"),
                                       draws);
    EXPECT_EQ(r.added, 3);
}
