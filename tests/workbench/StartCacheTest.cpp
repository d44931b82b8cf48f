#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/Error.h"
#include "workbench/CombListFixtures.h"
#include "workbench/StartCache.h"

using namespace zircon;
using zircon::test::contents;
using zircon::test::listOf;
using zircon::test::TempDir;

namespace {

const TComb A{{1, 2, 3, 4, 5}};
const TComb B{{69, 10, 20, 30, 40}};
const TComb C{{7, 8, 9, 10, 11}};

}  // namespace

TEST(StartCache, RecordsAreTheFiveNumbersInStoredOrder)
{
    const CombList list = listOf({A, B});
    EXPECT_EQ(encodeStartCache(list.data(), list.count()), QByteArray("\x01\x02\x03\x04\x05\x45\x0A\x14\x1E\x28", 10));
}

TEST(StartCache, SavedUnderAKeyLoadsUnderThatKeyOnly)
{
    TempDir dir;
    StartCache cache(dir.file(QStringLiteral("Zircon_5x69.~buff")));
    EXPECT_FALSE(cache.key().valid());

    const CombList saved = listOf({A, B, C});
    EXPECT_TRUE(cache.SaveStartCache(saved, 3, 10));
    EXPECT_EQ(cache.key(), (StartCacheKey{3, 10}));
    EXPECT_EQ(QFileInfo(cache.path()).size(), 15);

    CombList list = listOf({C}, 5);
    EXPECT_FALSE(cache.LoadStartCache(list, 3, 11));
    EXPECT_FALSE(cache.LoadStartCache(list, 2, 10));
    EXPECT_EQ(contents(list), (std::vector<TComb>{C}));
    EXPECT_TRUE(cache.LoadStartCache(list, 3, 10));
    EXPECT_EQ(contents(list), contents(saved));
}

TEST(StartCache, TheSameKeyWritesNothing)
{
    TempDir dir;
    StartCache cache(dir.file(QStringLiteral("c.~buff")));
    EXPECT_TRUE(cache.SaveStartCache(listOf({A, B}), 0, 5));
    // Under the same key a different list is not written: the cache is still
    // the start list of that key.
    EXPECT_FALSE(cache.SaveStartCache(listOf({C}), 0, 5));
    EXPECT_EQ(QFileInfo(cache.path()).size(), 10);
    EXPECT_TRUE(cache.SaveStartCache(listOf({C}), 1, 5));
    EXPECT_EQ(QFileInfo(cache.path()).size(), 5);
}

TEST(StartCache, AFileWithoutItsKeyIsNeverLoaded)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("c.~buff"));
    {
        StartCache earlier(path);
        earlier.SaveStartCache(listOf({A, B}), 0, 5);
    }
    // A new run finds the file but holds no key for it.
    StartCache cache(path);
    CombList list = listOf({C}, 5);
    EXPECT_FALSE(cache.LoadStartCache(list, 0, 5));
    EXPECT_FALSE(cache.LoadStartCache(list, -1, -1));
    EXPECT_EQ(contents(list), (std::vector<TComb>{C}));
    // Nor is one saved under no key.
    EXPECT_FALSE(cache.SaveStartCache(listOf({A}), -1, -1));
    EXPECT_FALSE(cache.key().valid());
}

TEST(StartCache, AFailedWriteLeavesNoKey)
{
    TempDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("cache"));
    const QString path = dir.file(QStringLiteral("cache/c.~buff"));
    StartCache cache(path);
    ASSERT_TRUE(cache.SaveStartCache(listOf({A, B}), 0, 5));

    // The folder goes away; the next write fails part-way.
    ASSERT_TRUE(QDir(dir.file(QStringLiteral("cache"))).removeRecursively());
    EXPECT_THROW(cache.SaveStartCache(listOf({C}), 1, 5), Error);
    EXPECT_FALSE(cache.key().valid());

    // Whatever file turns up afterwards, neither key loads it.
    QDir(dir.path()).mkdir(QStringLiteral("cache"));
    dir.write(QStringLiteral("cache/c.~buff"), QByteArray("\x01\x02\x03\x04", 4));
    CombList list = listOf({A}, 5);
    EXPECT_FALSE(cache.LoadStartCache(list, 1, 5));
    EXPECT_FALSE(cache.LoadStartCache(list, 0, 5));
    EXPECT_EQ(contents(list), (std::vector<TComb>{A}));
}

TEST(StartCache, BadFilesAreRefusedAndTheListKept)
{
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"size not a multiple of 5", QByteArray("\x01\x02\x03\x04\x05\x06", 6)},
        {"more records than the list holds", QByteArray("\x01\x02\x03\x04\x05\x01\x02\x03\x04\x06\x01\x02\x03\x04\x07", 15)},
        {"a record with a repeated number", QByteArray("\x01\x02\x03\x04\x05\x01\x02\x03\x04\x04", 10)},
        {"a record with 0", QByteArray("\x00\x02\x03\x04\x05", 5)},
        {"a record above 69", QByteArray("\x46\x02\x03\x04\x05", 5)},
    };
    for (const Case& c : cases) {
        TempDir dir;
        StartCache cache(dir.file(QStringLiteral("c.~buff")));
        ASSERT_TRUE(cache.SaveStartCache(listOf({A}), 0, 1));
        dir.write(QStringLiteral("c.~buff"), c.bytes);  // damaged behind the program's back

        CombList list = listOf({C}, 2);
        EXPECT_THROW(cache.LoadStartCache(list, 0, 1), Error) << c.what;
        EXPECT_EQ(contents(list), (std::vector<TComb>{C})) << c.what;
        EXPECT_FALSE(cache.key().valid()) << c.what;
        EXPECT_FALSE(cache.LoadStartCache(list, 0, 1)) << c.what;  // not tried again
    }
}

TEST(StartCache, DecodeReportsProgressAndTakesAnEmptyCache)
{
    CombList list = listOf({C}, 300);
    std::vector<TComb> combs;
    for (int i = 0; i < 250; ++i)
        combs.push_back(TComb{{1, 2, 3, 4, static_cast<uint8_t>(5 + i % 60)}});
    const QByteArray bytes = encodeStartCache(combs.data(), combs.size());
    int calls = 0;
    size_t last = 0;
    EXPECT_TRUE(decodeStartCache(bytes, list, [&](size_t done, size_t total) {
                    ++calls;
                    EXPECT_EQ(total, 250u);
                    EXPECT_GT(done, last);
                    last = done;
                }).isEmpty());
    EXPECT_EQ(contents(list), combs);
    EXPECT_EQ(calls, 125);  // steps of max(1, 250 / 100) = 2
    EXPECT_EQ(last, 250u);

    EXPECT_TRUE(decodeStartCache(QByteArray(), list).isEmpty());
    EXPECT_TRUE(list.empty());
}

TEST(StartCache, DropDeletesTheFileAndTheKey)
{
    TempDir dir;
    StartCache cache(dir.file(QStringLiteral("c.~buff")));
    cache.SaveStartCache(listOf({A}), 2, 3);
    cache.DropStartCache();
    EXPECT_FALSE(QFile::exists(cache.path()));
    EXPECT_FALSE(cache.key().valid());
    cache.DropStartCache();  // nothing there: no complaint

    cache.SaveStartCache(listOf({A}), 2, 3);
    cache.ResetStartCacheKey();
    EXPECT_TRUE(QFile::exists(cache.path()));
    CombList list = listOf({}, 2);
    EXPECT_FALSE(cache.LoadStartCache(list, 2, 3));
    // After a reset the same key is written again.
    EXPECT_TRUE(cache.SaveStartCache(listOf({B}), 2, 3));
    EXPECT_TRUE(cache.LoadStartCache(list, 2, 3));
    EXPECT_EQ(contents(list), (std::vector<TComb>{B}));
}
