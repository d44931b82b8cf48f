#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <array>
#include <cstring>

#include "core/DataDir.h"
#include "core/Error.h"
#include "stats/Prefetch.h"
#include "support/TempDir.h"
#include "stats/TestStats.h"

using namespace zircon;
using namespace zircon::test;

namespace {

constexpr int32_t kWithOne = 814385;  // C(68,4): combinations holding one given number

QByteArray hexBytes(const char* hex)
{
    return QByteArray::fromHex(QByteArray(hex));
}

// The golden method's file, laid out by hand: K1 = 1 first (the others, with
// K2 = 0x0302 and K4 = 0x0504), then K1 = 2 (the combinations with 1);
// C(69,5) - C(68,4) = 10,424,128 = 0x009F0F40 and 814,385 = 0x000C6D31.
const char* kGoldenHex =
    "0100020300000405" "400f9f00"
    "0200000000000000" "316d0c00"
    "316d0c00" "400f9f00" "00000000";

// How many 5-number sets of 1..69 have each sum, counted without the engine.
std::array<int64_t, 336> sumCounts()
{
    // ways[k][s]: k numbers from those seen so far with sum s.
    std::vector<std::array<int64_t, 336>> ways(6);
    for (auto& w : ways)
        w.fill(0);
    ways[0][0] = 1;
    for (int n = 1; n <= 69; ++n)
        for (int k = 5; k >= 1; --k)
            for (int s = 335; s >= n; --s)
                ways[k][s] += ways[k - 1][s - n];
    return ways[5];
}

QStringList leftovers(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden);
}

PrefetchSource sample()
{
    PrefetchSource s;
    s.records = {{TStatKey::k1(3), 10}, {TStatKey::k1(5), 30}, {TStatKey::k4(5, 1, 0, 0), 20}};
    s.minCount = 10;
    s.maxCount = 30;
    return s;
}

}  // namespace

TEST(Prefetch, Texts)
{
    EXPECT_EQ(prefetchStatusText(QStringLiteral("a.dfc")), QStringLiteral("Создание файла предварительной выборки a.dfc..."));
    EXPECT_EQ(prefetchCreateErrorText(QStringLiteral("a.dfc"), QStringLiteral("boom")),
              QStringLiteral("Ошибка создания файла данных для полного набора вариантов!\r\rИмя файла: a.dfc\r\rboom"));
    EXPECT_EQ(prefetchOpenErrorText(QStringLiteral("a.dfc"), QStringLiteral("boom")),
              QStringLiteral("Ошибка открытия файла данных для полного набора вариантов!\r\rИмя файла: a.dfc\r\rboom"));
}

TEST(Prefetch, EncodeDecodeRoundTrip)
{
    const PrefetchSource s = sample();
    const QByteArray bytes = encodePrefetch(s);
    ASSERT_EQ(bytes.size(), 4 * 12);
    EXPECT_EQ(bytes.left(12), hexBytes("03000000000000000a000000"));
    EXPECT_EQ(bytes.mid(24, 12), hexBytes("050001000000000014000000"));
    EXPECT_EQ(bytes.right(12), hexBytes("0a0000001e00000000000000"));
    const std::optional<PrefetchSource> back = decodePrefetch(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, s);

    // A table without values: SummarizeItems' largest Int32 and 0, no norm.
    PrefetchSource none;
    none.minCount = INT32_MAX;
    none.maxCount = 0;
    const std::optional<PrefetchSource> empty = decodePrefetch(encodePrefetch(none));
    ASSERT_TRUE(empty);
    EXPECT_FALSE(empty->suppliesNorm());
}

// Each damage makes the file unusable, so it is built again.
TEST(Prefetch, ImplausibleFilesAreTreatedAsMissing)
{
    const QByteArray good = encodePrefetch(sample());
    auto with = [&](int offset, const char* hex) {
        QByteArray b = good;
        const QByteArray patch = hexBytes(hex);
        b.replace(offset, patch.size(), patch);
        return b;
    };
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty", QByteArray()},
        {"shorter than the trailer", good.left(11)},
        {"torn record", good.left(good.size() - 5)},
        {"one byte more", good + QByteArray(1, '\0')},
        {"third trailer word", with(44, "01000000")},
        {"min above max", with(36, "1f000000")},
        {"max 0 with records", with(36, "00000000").replace(40, 4, hexBytes("00000000"))},
        {"records out of order", with(0, "0500").replace(12, 2, hexBytes("0300"))},
        {"repeated key", with(12, "0300")},
        {"count above max", with(8, "1f000000")},
        {"count below min", with(20, "09000000")},
        {"trailer wider than the records", with(36, "09000000")},
        {"negative count", with(8, "ffffffff")},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(decodePrefetch(c.bytes)) << c.what;
}

TEST(Prefetch, ReadingFiles)
{
    TempDir dir;
    EXPECT_FALSE(readPrefetchFile(dir.file(QStringLiteral("missing.dfc"))));
    dir.write(QStringLiteral("good.dfc"), encodePrefetch(sample()));
    const std::optional<PrefetchSource> good = readPrefetchFile(dir.file(QStringLiteral("good.dfc")));
    ASSERT_TRUE(good);
    EXPECT_EQ(*good, sample());
    dir.write(QStringLiteral("torn.dfc"), encodePrefetch(sample()).left(30));
    EXPECT_FALSE(readPrefetchFile(dir.file(QStringLiteral("torn.dfc"))));
}

// Every number lies in C(68,4) combinations of the full set.
TEST(Prefetch, EachNumberOverTheWholeSet)
{
    TestRegistry reg({&TstEachNumber::Class});
    TempDir dir;
    const DataPaths paths(dir.path());
    const QString path = paths.prefetchFile(QStringLiteral("TNUM"));
    const std::optional<PrefetchSource> built = createPrefetchFile(reg.list(), 0, path);
    ASSERT_TRUE(built);
    const QByteArray bytes = dir.read(QStringLiteral("Prefetchs/Zircon_5x69_TNUM.dfc"));
    ASSERT_EQ(bytes.size(), 70 * 12);
    const std::optional<PrefetchSource> file = decodePrefetch(bytes);
    ASSERT_TRUE(file);
    EXPECT_EQ(*file, *built);
    ASSERT_EQ(file->records.size(), 69u);
    for (int v = 1; v <= 69; ++v) {
        EXPECT_EQ(file->records[static_cast<size_t>(v - 1)].key, TStatKey::k1(static_cast<uint16_t>(v)));
        EXPECT_EQ(file->records[static_cast<size_t>(v - 1)].count, kWithOne);
    }
    EXPECT_EQ(file->minCount, kWithOne);
    EXPECT_EQ(file->maxCount, kWithOne);
    EXPECT_EQ(leftovers(paths.prefetchDir), QStringList{QStringLiteral("Zircon_5x69_TNUM.dfc")});
}

// The bytes of a whole file, through CombKeys and through AddCombValues.
TEST(Prefetch, GoldenBytes)
{
    TestRegistry reg({&TstGoldenKeys::Class, &TstGoldenComb::Class});
    TempDir dir;
    for (int i = 0; i < 2; ++i) {
        const QString name = QStringLiteral("golden%1.dfc").arg(i);
        ASSERT_TRUE(createPrefetchFile(reg.list(), i, dir.file(name), {}, 1));
        EXPECT_EQ(dir.read(name).toHex(), hexBytes(kGoldenHex).toHex()) << i;
    }
}

// Sums: the counts agree with a count made without the engine, and any split
// over threads gives the same bytes.
TEST(Prefetch, SumsAndThreads)
{
    TestRegistry reg({&TstSumValue::Class});
    const std::optional<PrefetchSource> one = buildPrefetch(reg.list(), 0, {}, 1);
    const std::optional<PrefetchSource> two = buildPrefetch(reg.list(), 0, {}, 2);
    ASSERT_TRUE(one && two);
    EXPECT_EQ(encodePrefetch(*one), encodePrefetch(*two));
    const std::array<int64_t, 336> expected = sumCounts();
    ASSERT_EQ(one->records.size(), 321u);
    for (int s = 15; s <= 335; ++s) {
        EXPECT_EQ(one->records[static_cast<size_t>(s - 15)].key, TStatKey::k1(static_cast<uint16_t>(s)));
        EXPECT_EQ(one->records[static_cast<size_t>(s - 15)].count, expected[static_cast<size_t>(s)]) << s;
    }
    EXPECT_EQ(one->minCount, 1);  // 15 and 335 have one combination each
    EXPECT_EQ(one->maxCount, expected[175]);
}

TEST(Prefetch, ProgressAndStop)
{
    TestRegistry reg({&TstEachNumber::Class});
    std::vector<int> seen;
    const std::optional<PrefetchSource> built = buildPrefetch(
        reg.list(), 0,
        [&](int done, int total) {
            EXPECT_EQ(total, kFullSetSize);
            seen.push_back(done);
            return true;
        },
        2);
    ASSERT_TRUE(built);
    EXPECT_GE(seen.size(), 50u);
    EXPECT_LE(seen.size(), 101u);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(seen.back(), kFullSetSize);

    int calls = 0;
    TempDir dir;
    const QString path = dir.file(QStringLiteral("stopped.dfc"));
    dir.write(QStringLiteral("stopped.dfc"), encodePrefetch(sample()));
    PrefetchCallbacks stopAtOnce;
    stopAtOnce.progress = [&](int, int) {
        ++calls;
        return false;
    };
    EXPECT_FALSE(createPrefetchFile(reg.list(), 0, path, stopAtOnce, 2));
    EXPECT_EQ(calls, 1);
    // The stale file went; nothing half built took its place.
    EXPECT_TRUE(leftovers(dir.path()).isEmpty());
}

// A method failing part-way leaves no file and no temporary file behind, and
// the message names the file.
TEST(Prefetch, FailedBuildLeavesNothing)
{
    TestRegistry reg({&TstFailing::Class});
    TempDir dir;
    const QString path = dir.file(QStringLiteral("failing.dfc"));
    dir.write(QStringLiteral("failing.dfc"), encodePrefetch(sample()));
    QString status;
    PrefetchCallbacks cb;
    cb.status = [&](const QString& text) { status = text; };
    try {
        createPrefetchFile(reg.list(), 0, path, cb, 2);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_TRUE(e.text().startsWith(
            QStringLiteral("Ошибка создания файла данных для полного набора вариантов!\r\rИмя файла: ") + path));
        EXPECT_TRUE(e.text().endsWith(QStringLiteral("test failure")));
    }
    EXPECT_EQ(status, prefetchStatusText(path));
    EXPECT_TRUE(leftovers(dir.path()).isEmpty());
}

TEST(Prefetch, OpenBuildsWhatIsMissingOrTorn)
{
    TestRegistry reg({&TstEachNumber::Class, &TstNoValueList::Class});
    TempDir dir;
    const QString path = dir.file(QStringLiteral("Prefetchs/n.dfc"));
    QDir(dir.path()).mkpath(QStringLiteral("Prefetchs"));
    dir.write(QStringLiteral("Prefetchs/n.dfc"), encodePrefetch(sample()).left(20));
    int statuses = 0;
    PrefetchCallbacks cb;
    cb.status = [&](const QString&) { ++statuses; };
    const std::optional<PrefetchSource> opened = openPrefetch(reg.list(), 0, path, cb);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->records.size(), 69u);
    EXPECT_EQ(statuses, 1);
    // Now it is there: opened without a build.
    const std::optional<PrefetchSource> again = openPrefetch(reg.list(), 0, path, cb);
    ASSERT_TRUE(again);
    EXPECT_EQ(*again, *opened);
    EXPECT_EQ(statuses, 1);
    // A method without a norm has no file to open.
    EXPECT_FALSE(openPrefetch(reg.list(), 1, dir.file(QStringLiteral("none.dfc")), cb));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("none.dfc"))));
}

TEST(Prefetch, OpenErrorNamesTheFile)
{
    TestRegistry reg({&TstEachNumber::Class});
    TempDir dir;
    // A folder where the file should be cannot be read, nor replaced.
    const QString path = dir.file(QStringLiteral("folder.dfc"));
    QDir(dir.path()).mkdir(QStringLiteral("folder.dfc"));
    try {
        openPrefetch(reg.list(), 0, path);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("Ошибка открытия файла данных для полного набора вариантов!\r\rИмя файла: ") + path))
            << e.text().toStdString();
    }
}

TEST(Prefetch, CreateFilesOfManyMethods)
{
    // Two methods with a norm in groups 0 and 1, one without.
    TestRegistry reg({&TstEachNumber::Class, &TstNoValueList::Class, &TstSumValue::Class});
    TempDir dir;
    const DataPaths paths(dir.path());
    std::vector<int> steps;
    auto step = [&](int done, int total) {
        EXPECT_EQ(total, 3);
        steps.push_back(done);
        return true;
    };
    PrefetchFilesReport r = createPrefetchFiles(reg.list(), paths, 0, {}, step);
    EXPECT_EQ(r.created, 2);
    EXPECT_EQ(r.kept, 0);
    EXPECT_FALSE(r.stopped);
    EXPECT_TRUE(r.errors.isEmpty());
    EXPECT_EQ(steps, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(leftovers(paths.prefetchDir),
              (QStringList{QStringLiteral("Zircon_5x69_TNUM.dfc"), QStringLiteral("Zircon_5x69_TSUM.dfc")}));

    // Present and plausible: kept unless their group's bit is set.
    r = createPrefetchFiles(reg.list(), paths, 0);
    EXPECT_EQ(r.created, 0);
    EXPECT_EQ(r.kept, 2);
    r = createPrefetchFiles(reg.list(), paths, 1u << 1);
    EXPECT_EQ(r.created, 1);
    EXPECT_EQ(r.kept, 1);

    // A damaged file is built again whatever the mask.
    QFile::resize(paths.prefetchFile(QStringLiteral("TNUM")), 100);
    r = createPrefetchFiles(reg.list(), paths, 0);
    EXPECT_EQ(r.created, 1);
    EXPECT_EQ(r.kept, 1);
    EXPECT_TRUE(readPrefetchFile(paths.prefetchFile(QStringLiteral("TNUM"))));

    // Stopping after the first item.
    r = createPrefetchFiles(reg.list(), paths, 0xFFFF, {}, [](int, int) { return false; });
    EXPECT_TRUE(r.stopped);
    EXPECT_EQ(r.created, 1);
}

TEST(Prefetch, FailuresAreReportedAndTheRestBuilt)
{
    TestRegistry reg({&TstFailing::Class, &TstEachNumber::Class});
    TempDir dir;
    const DataPaths paths(dir.path());
    const PrefetchFilesReport r = createPrefetchFiles(reg.list(), paths, 0);
    EXPECT_EQ(r.created, 1);
    ASSERT_EQ(r.errors.size(), 1);
    EXPECT_TRUE(r.errors[0].contains(paths.prefetchFile(QStringLiteral("TFAIL"))));
    EXPECT_TRUE(QFile::exists(paths.prefetchFile(QStringLiteral("TNUM"))));
    EXPECT_FALSE(QFile::exists(paths.prefetchFile(QStringLiteral("TFAIL"))));
}

// P0 = P1: H = (max + min) / 2 / P1, so window counts of 12..20 expect 16.
TEST(PrefetchNorms, EquallyFrequentValues)
{
    TStatDrawArray items;
    for (int v = 1; v <= 9; ++v) {
        TStatDrawItem it;
        it.Key = TStatKey::k1(static_cast<uint16_t>(v));
        it.Count = 11 + v;  // 12..20
        items.append(it);
    }
    PrefetchSource src;
    for (int v = 1; v <= 9; ++v)
        src.records.push_back({TStatKey::k1(static_cast<uint16_t>(v)), kWithOne});
    src.minCount = src.maxCount = kWithOne;
    const TStatSummary s = items.SummarizeItems();
    ASSERT_TRUE(applyNorms(items, s, src));
    for (const TStatDrawItem& it : items)
        EXPECT_EQ(it.Norm, 16);
    EXPECT_DOUBLE_EQ(normScale(s, src), 16.0 / kWithOne);

    // 12..21 make 16.5, which goes to the even 16.
    items[8].Count = 21;
    ASSERT_TRUE(applyNorms(items, items.SummarizeItems(), src));
    EXPECT_EQ(items[0].Norm, 16);
}

// P0 < P1: H = max / P1; halves go to the even neighbour.
TEST(PrefetchNorms, UnequalValues)
{
    TStatDrawArray items;
    for (int v = 1; v <= 6; ++v) {
        TStatDrawItem it;
        it.Key = TStatKey::k1(static_cast<uint16_t>(v));
        it.Count = v <= 3 ? v : 1;  // max 3
        it.Norm = 99;
        items.append(it);
    }
    PrefetchSource src;
    src.records = {{TStatKey::k1(1), 60}, {TStatKey::k1(2), 50}, {TStatKey::k1(3), 10},
                   {TStatKey::k1(4), 30}, {TStatKey::k1(7), 40}};  // 7: no such item, skipped
    src.minCount = 10;
    src.maxCount = 60;
    ASSERT_TRUE(applyNorms(items, items.SummarizeItems(), src));
    EXPECT_EQ(items[0].Norm, 3);   // 60 * 3 / 60
    EXPECT_EQ(items[1].Norm, 2);   // 2.5 -> 2
    EXPECT_EQ(items[2].Norm, 0);   // 0.5 -> 0
    EXPECT_EQ(items[3].Norm, 2);   // 1.5 -> 2
    EXPECT_EQ(items[4].Norm, 99);  // no record: untouched
}

TEST(PrefetchNorms, NoNormWithoutRecordsOrWithP1Zero)
{
    TStatDrawArray items;
    TStatDrawItem it;
    it.Key = TStatKey::k1(1);
    it.Count = 4;
    items.append(it);
    PrefetchSource none;
    none.minCount = INT32_MAX;
    EXPECT_FALSE(applyNorms(items, items.SummarizeItems(), none));
    EXPECT_EQ(normScale(items.SummarizeItems(), none), 0.0);
    PrefetchSource zero;
    zero.records = {{TStatKey::k1(1), 0}};
    EXPECT_FALSE(applyNorms(items, items.SummarizeItems(), zero));
    EXPECT_EQ(items[0].Norm, 0);
}
