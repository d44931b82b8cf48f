// Changing the channel width, the matrix columns or the segment map in the
// settings: the registry gets the per-channel, per-column, per-row and
// per-segment entries of the new layout, and exactly the prefetch files of
// the group whose layout changed are built again.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <set>

#include "shell/Workspace.h"
#include "stats/Prefetch.h"
#include "stats/families/Channels.h"
#include "stats/families/Matrix.h"
#include "stats/families/Numbers.h"
#include "stats/families/Segments.h"
#include "support/FakeHost.h"
#include "support/TempDir.h"

using namespace zircon;
using zircon::test::FakeHost;
using zircon::test::TempDir;

namespace {

// The registered codes of a class with a parameter, in registry order.
QStringList entriesOf(const TStatList& list, const StatClassInfo& cls)
{
    QStringList out;
    for (int i = 0; i < list.Count(); ++i)
        if (list.Items(i).StatClass == &cls)
            out << list.ItemCode(i);
    return out;
}

QStringList numbered(const char* prefix, int from, int to)
{
    QStringList out;
    for (int p = from; p <= to; ++p)
        out << QString::fromLatin1(prefix) + QString::number(p);
    return out;
}

TConfigData halvesOf(const TConfigData& base)
{
    TConfigData c = base;
    for (int n = 1; n <= kMainMax; ++n)
        c.Segments[static_cast<size_t>(n - 1)] = n <= 34 ? 1 : 2;
    return c;
}

class LayoutSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { ws.rebuildRegistry(); }

    QByteArray fileBytes(const QString& code) const
    {
        QFile f(ws.paths().prefetchFile(code));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return f.readAll();
    }
    void writeFile(const QString& code, const QByteArray& bytes) const
    {
        QFile f(ws.paths().prefetchFile(code));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << code.toStdString();
        f.write(bytes);
    }

    TempDir dir;
    FakeHost host;
    Workspace ws{dir.path(), host};
};

// A plausible file that no build would write: one value counted 7 times.
QByteArray standIn()
{
    PrefetchSource s;
    s.records.push_back({TStatKey::k1(1), 7});
    s.minCount = 7;
    s.maxCount = 7;
    return encodePrefetch(s);
}

}  // namespace

TEST_F(LayoutSettingsTest, RegistryFollowsTheLayout)
{
    const TStatList& list = ws.statList();
    EXPECT_EQ(entriesOf(list, TstChnValCnt::Class), numbered("CHN", 1, 7));
    EXPECT_EQ(entriesOf(list, TstColValCnt::Class), numbered("COL", 1, 7));
    EXPECT_EQ(entriesOf(list, TstRowValCnt::Class), numbered("ROW", 1, 10));
    EXPECT_EQ(entriesOf(list, TstSgmValCnt::Class), numbered("SGM", 1, 1));

    TConfigData config = list.Config;
    config.ChannelSize = 4;
    EXPECT_EQ(ws.applyConfig(config), (std::set<int>{3}));
    EXPECT_EQ(entriesOf(list, TstChnValCnt::Class), numbered("CHN", 1, 18));
    EXPECT_EQ(entriesOf(list, TstColValCnt::Class), numbered("COL", 1, 7));

    config.MatrixCols = 1;
    EXPECT_EQ(ws.applyConfig(config), (std::set<int>{4}));
    EXPECT_EQ(entriesOf(list, TstColValCnt::Class), numbered("COL", 1, 1));
    EXPECT_EQ(entriesOf(list, TstRowValCnt::Class), numbered("ROW", 1, 69));
    EXPECT_EQ(entriesOf(list, TstChnValCnt::Class), numbered("CHN", 1, 18));

    config = halvesOf(config);
    EXPECT_EQ(ws.applyConfig(config), (std::set<int>{5}));
    EXPECT_EQ(entriesOf(list, TstSgmValCnt::Class), numbered("SGM", 1, 2));

    // The settings file keeps the layout for the next run.
    Workspace again(dir.path(), host);
    ASSERT_TRUE(again.loadEngineSettings());
    again.rebuildRegistry();
    EXPECT_EQ(entriesOf(again.statList(), TstChnValCnt::Class), numbered("CHN", 1, 18));
    EXPECT_EQ(entriesOf(again.statList(), TstRowValCnt::Class), numbered("ROW", 1, 69));
    EXPECT_EQ(entriesOf(again.statList(), TstSgmValCnt::Class), numbered("SGM", 1, 2));
}

TEST_F(LayoutSettingsTest, OnlyTheChangedGroupsPrefetchFilesAreBuiltAgain)
{
    // A registry of one method per group with a norm, and the per-part ones.
    ws.statList().setRegistrationTable({&TstValues::Class, &TstChanCount::Class, &TstColCount::Class,
                                        &TstSegmCount::Class, &TstChnValCnt::Class, &TstRowValCnt::Class,
                                        &TstSgmValCnt::Class});
    ws.rebuildRegistry();
    ws.setPrefetchsEnabled(true);
    // Every file there, holding what no build writes.
    const QStringList before = [&] {
        QStringList codes;
        for (int i = 0; i < ws.statList().Count(); ++i)
            codes << ws.statList().ItemCode(i);
        return codes;
    }();
    EXPECT_EQ(before, QStringList({"NUMS", "CHNC", "COLN", "SGMC"}) + numbered("CHN", 1, 7) + numbered("ROW", 1, 10)
                          + numbered("SGM", 1, 1));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(ws.paths().prefetchFile(QStringLiteral("NUMS"))).absolutePath()));
    for (const QString& code : before)
        writeFile(code, standIn());

    // What each file holds now: the stand-in, or a real build.
    auto rebuilt = [&](const QString& code) {
        const std::optional<PrefetchSource> s = decodePrefetch(fileBytes(code));
        EXPECT_TRUE(s) << code.toStdString();
        if (!s)
            return false;
        int64_t total = 0;
        for (const PrefetchRecord& r : s->records)
            total += r.count;
        // Every method built again here yields one value per combination.
        const bool built = fileBytes(code) != standIn();
        if (built) {
            EXPECT_EQ(total, kFullSetSize) << code.toStdString();
        }
        return built;
    };

    // Channels 10 -> 23: the channel files, and only they.
    TConfigData config = ws.statList().Config;
    config.ChannelSize = 23;
    EXPECT_EQ(ws.applyConfig(config), (std::set<int>{3}));
    for (const QString& code : QStringList{"CHNC", "CHN1", "CHN2", "CHN3"})
        EXPECT_TRUE(rebuilt(code)) << code.toStdString();
    // No longer registered: left as they were.
    for (const QString& code : numbered("CHN", 4, 7))
        EXPECT_FALSE(rebuilt(code)) << code.toStdString();
    for (const QString& code : QStringList{"NUMS", "COLN", "SGMC", "SGM1"} + numbered("ROW", 1, 10))
        EXPECT_FALSE(rebuilt(code)) << code.toStdString();
    // CHN1 now counts 23 numbers: k of them in C(23,k) x C(46,5-k) ways; 0 of
    // them in C(46,5) = 1,370,754.
    const std::optional<PrefetchSource> chn1 = decodePrefetch(fileBytes(QStringLiteral("CHN1")));
    ASSERT_TRUE(chn1);
    ASSERT_FALSE(chn1->records.empty());
    EXPECT_EQ(chn1->records.front().key, TStatKey::k1(0));
    EXPECT_EQ(chn1->records.front().count, 1370754);

    // Columns 7 -> 33: the matrix files (three rows now); the channel files
    // just built stay as they are.
    const QByteArray channelFile = fileBytes(QStringLiteral("CHNC"));
    config.MatrixCols = 33;
    EXPECT_EQ(ws.applyConfig(config), (std::set<int>{4}));
    for (const QString& code : QStringList{"COLN", "ROW1", "ROW2", "ROW3"})
        EXPECT_TRUE(rebuilt(code)) << code.toStdString();
    for (const QString& code : numbered("ROW", 4, 10))
        EXPECT_FALSE(rebuilt(code)) << code.toStdString();
    for (const QString& code : QStringList{"NUMS", "SGMC", "SGM1"})
        EXPECT_FALSE(rebuilt(code)) << code.toStdString();
    EXPECT_EQ(fileBytes(QStringLiteral("CHNC")), channelFile);

    // Two segments: the segment files.
    const QByteArray matrixFile = fileBytes(QStringLiteral("COLN"));
    config = halvesOf(config);
    EXPECT_EQ(ws.applyConfig(config), (std::set<int>{5}));
    for (const QString& code : QStringList{"SGMC", "SGM1", "SGM2"})
        EXPECT_TRUE(rebuilt(code)) << code.toStdString();
    EXPECT_FALSE(rebuilt(QStringLiteral("NUMS")));
    EXPECT_EQ(fileBytes(QStringLiteral("CHNC")), channelFile);
    EXPECT_EQ(fileBytes(QStringLiteral("COLN")), matrixFile);

    // Settings that change no layout build nothing.
    const QByteArray segmentFile = fileBytes(QStringLiteral("SGMC"));
    config.Weights.CountCoef = 2;
    EXPECT_TRUE(ws.applyConfig(config).empty());
    EXPECT_EQ(fileBytes(QStringLiteral("SGMC")), segmentFile);
    EXPECT_EQ(fileBytes(QStringLiteral("CHNC")), channelFile);
    EXPECT_FALSE(rebuilt(QStringLiteral("NUMS")));
    EXPECT_EQ(host.count(MessageKind::Error), 0);
}
