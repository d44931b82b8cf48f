#include <gtest/gtest.h>

#include <QFile>

#include "support/DrawFixtures.h"
#include "core/DrawArchive.h"
#include "core/DrawRecord.h"
#include "core/Error.h"
#include "support/TempDir.h"

using namespace zircon;
using zircon::test::TempDir;

using zircon::test::makeDraw;

namespace {

TDrawsArray numbered(std::initializer_list<int> numbers)
{
    TDrawsArray draws;
    for (int n : numbers)
        draws.push_back(makeDraw(n, {1, 2, 3, 4, 5}, 1, "01/01/2020"));
    return draws;
}

}  // namespace

TEST(DrawRecord, EncodesTheTwentyFourByteLayout)
{
    QByteArray out;
    encodeDraw(makeDraw(1275, {5, 12, 33, 41, 69}, 26, "02/15/2024"), out);
    const QByteArray expected = QByteArray::fromHex("fb040000" "050c212945" "1a" "0a" "30322f31352f32303234" "000000");
    EXPECT_EQ(out.toHex(), expected.toHex());

    TDraw back;
    ASSERT_TRUE(decodeDraw(out.constData(), back));
    EXPECT_EQ(back, makeDraw(1275, {5, 12, 33, 41, 69}, 26, "02/15/2024"));
}

TEST(DrawRecord, RefusesWhatCannotBeADraw)
{
    QByteArray good;
    encodeDraw(makeDraw(7, {1, 2, 3, 4, 5}, 3, "01/02/2003"), good);
    struct Case {
        int offset;
        char value;
        bool accepted;
    } cases[] = {
        {4, 69, true},   // highest main number
        {4, 70, false},  // main number out of range
        {8, char(200), false},
        {9, 26, true},   // highest extra number
        {9, 27, false},
        {4, 0, true},    // a zero stands for a missing value
        {10, 10, true},  // full date length
        {10, 11, false}, // longer than the field
        {21, char(0xFF), true},  // reserved bytes are ignored
    };
    for (const Case& c : cases) {
        QByteArray rec = good;
        rec[c.offset] = c.value;
        TDraw d;
        EXPECT_EQ(decodeDraw(rec.constData(), d), c.accepted) << "offset " << c.offset << " value " << int(c.value);
    }
}

TEST(DrawArchive, LoadsTheSampleArchiveAndWritesItBackByteForByte)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("Zircon_5x69.ldr"));
    ASSERT_TRUE(QFile::copy(zircon::test::testDataPath("Zircon_5x69.ldr"), path));
    const QByteArray original = dir.read(QStringLiteral("Zircon_5x69.ldr"));

    DrawArchive archive;
    ArchiveLoadResult r = archive.load(path);
    EXPECT_TRUE(r.fileExisted);
    EXPECT_EQ(r.records, 1241);
    EXPECT_EQ(r.tornTailBytes, 0);
    EXPECT_EQ(r.badRecord, -1);
    ASSERT_EQ(archive.count(), 1241);
    EXPECT_EQ(archive.draws().front(), makeDraw(1, {18, 30, 40, 48, 52}, 9, "10/07/2015"));
    EXPECT_EQ(archive.drawAtRow(0), makeDraw(1241, {3, 16, 29, 61, 69}, 22, "09/03/2025"));

    QFile::remove(path);
    archive.save(path);
    EXPECT_EQ(dir.read(QStringLiteral("Zircon_5x69.ldr")), original);
}

TEST(DrawArchive, MissingFileIsAnEmptyArchive)
{
    TempDir dir;
    DrawArchive archive;
    ArchiveLoadResult r = archive.load(dir.file(QStringLiteral("none.ldr")));
    EXPECT_FALSE(r.fileExisted);
    EXPECT_TRUE(archive.empty());
    EXPECT_FALSE(archive.saveBlocked());
}

TEST(DrawArchive, TornTailKeepsTheWholeRecords)
{
    TempDir dir;
    QByteArray bytes = encodeArchive(numbered({1, 2, 3}));
    bytes.append("\x01\x02\x03\x04\x05", 5);
    dir.write(QStringLiteral("a.ldr"), bytes);
    DrawArchive archive;
    ArchiveLoadResult r = archive.load(dir.file(QStringLiteral("a.ldr")));
    EXPECT_EQ(r.records, 3);
    EXPECT_EQ(r.tornTailBytes, 5);
    EXPECT_EQ(archive.count(), 3);
    EXPECT_FALSE(archive.saveBlocked());
}

TEST(DrawArchive, BadRecordKeepsTheFileFromBeingOverwritten)
{
    TempDir dir;
    QByteArray bytes = encodeArchive(numbered({1, 2, 3, 4}));
    bytes[2 * kDrawRecordSize + 4] = char(99);  // third record: main number 99
    dir.write(QStringLiteral("a.ldr"), bytes);
    const QString path = dir.file(QStringLiteral("a.ldr"));

    DrawArchive archive;
    ArchiveLoadResult r = archive.load(path);
    EXPECT_EQ(r.badRecord, 2);
    EXPECT_EQ(archive.count(), 2);
    EXPECT_TRUE(archive.saveBlocked());
    EXPECT_THROW(archive.store(path, numbered({1, 2, 3})), Error);
    EXPECT_THROW(archive.save(path), Error);
    EXPECT_EQ(dir.read(QStringLiteral("a.ldr")), bytes);
    EXPECT_EQ(archive.count(), 2);
}

TEST(DrawArchive, FailedWriteLeavesArchiveAndFileUnchanged)
{
    TempDir dir;
    DrawArchive archive;
    const QString bad = dir.file(QStringLiteral("missing-folder/a.ldr"));
    EXPECT_THROW(archive.store(bad, numbered({1})), Error);
    EXPECT_TRUE(archive.empty());
}

TEST(FindDraw, FindsByNumberHoweverNumbersRun)
{
    struct Case {
        TDrawsArray draws;
        int number;
        int expected;
    } cases[] = {
        {{}, 5, -1},
        {numbered({1, 2, 3, 4, 5}), 1, 0},
        {numbered({1, 2, 3, 4, 5}), 5, 4},
        {numbered({1, 2, 3, 4, 5}), 3, 2},
        {numbered({1, 2, 3, 4, 5}), 9, -1},
        // The first and last numbers equal: the guess divides by a span of 1.
        {numbered({7, 3, 9, 7}), 9, 2},
        // Last below first: the span is zero or negative and the guess would fall below 0.
        {numbered({10, 4, 9}), 4, 1},
        {numbered({10, 9, 8, 7, 6, 5, 4, 3, 2, 1}), 4, 6},
        {numbered({100, 50, 1}), 50, 1},
        // Gaps: the walk passes the guess and the final scan finds it.
        {numbered({1, 2, 1000, 3, 2000}), 3, 3},
        // Repeated numbers: the guess round(4 * 4 / 9) = 2 lands on the second of them.
        {numbered({1, 5, 5, 9}), 5, 2},
        // The guess round(8 * 2 / 10) = 2 lands on a larger number; the walk down finds it.
        {numbered({1, 3, 9, 9, 9, 9, 9, 10}), 3, 1},
        {numbered({42}), 42, 0},
        {numbered({42}), 41, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindDraw(c.draws, c.number), c.expected) << "number " << c.number;
}

TEST(DrawArchive, RowsOffsetAndFollowingDraw)
{
    TempDir dir;
    DrawArchive archive;
    TDrawsArray draws = {makeDraw(10, {1, 2, 3, 4, 5}, 1, "01/01/2020"),
                         makeDraw(11, {6, 7, 8, 9, 10}, 2, "01/04/2020"),
                         makeDraw(12, {11, 12, 13, 14, 69}, 3, "01/08/2020")};
    archive.store(dir.file(QStringLiteral("a.ldr")), draws);

    EXPECT_EQ(archive.NextDrawNumber(0), 13);
    EXPECT_EQ(archive.NextDrawNumber(2), 11);
    EXPECT_EQ(archive.NextDrawNumber(3), -1);
    EXPECT_EQ(archive.NextDrawNumber(-1), -1);
    EXPECT_EQ(archive.DrawDateInt(0, 1), 20200109);
    EXPECT_EQ(archive.DrawDateInt(2, 0), 20200101);
    EXPECT_EQ(archive.DrawDateInt(5, 1), 19971101);
    EXPECT_EQ(archive.DrawComb(1), (TComb{{6, 7, 8, 9, 10}}));
    EXPECT_EQ(archive.DrawComb(7), TComb{});
    EXPECT_EQ(archive.NextDrawText(0), QString());
    EXPECT_EQ(archive.NextDrawText(1), QStringLiteral("11;12;13;14;69"));
    EXPECT_EQ(archive.NextDrawText(3), QString());

    EXPECT_TRUE(archive.followingDrawSet().none());
    EXPECT_TRUE(archive.setDrawsOffset(2));
    EXPECT_FALSE(archive.setDrawsOffset(2));
    EXPECT_EQ(archive.currentIndex(), 0);
    auto set = archive.followingDrawSet();
    EXPECT_EQ(set.count(), 5u);
    for (int n : {6, 7, 8, 9, 10})
        EXPECT_TRUE(set.test(static_cast<size_t>(n)));
    // The offset never passes the oldest draw.
    archive.setDrawsOffset(50);
    EXPECT_EQ(archive.drawsOffset(), 2);
    archive.setDrawsOffset(-3);
    EXPECT_EQ(archive.drawsOffset(), 0);
}

TEST(DrawArchive, EmptyArchiveRules)
{
    DrawArchive archive;
    EXPECT_EQ(archive.NextDrawNumber(0), 1);
    EXPECT_EQ(archive.DrawDateInt(0, 1), 19971101);
    EXPECT_EQ(archive.NextDrawText(0), QString());
    EXPECT_FALSE(archive.setDrawsOffset(1));
    EXPECT_EQ(archive.drawsOffset(), 0);
}

TEST(DrawArchive, RevisionGrowsWithEveryChange)
{
    TempDir dir;
    DrawArchive archive;
    const QString path = dir.file(QStringLiteral("a.ldr"));
    auto r0 = archive.revision();
    archive.store(path, numbered({1, 2}));
    auto r1 = archive.revision();
    // The same count with one draw edited in place still changes the revision.
    TDrawsArray edited = archive.draws();
    edited[0].nums[0] = 9;
    archive.store(path, edited);
    EXPECT_LT(r0, r1);
    EXPECT_LT(r1, archive.revision());
}
