#include "core/MainFormKeys.h"

#include "core/IniStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace zircon {
namespace {

using test::TempDir;

TEST(MainFormKeys, DefaultsWithoutFile)
{
    TempDir dir;
    const MainFormKeys k = MainFormKeys::read(IniStore(dir.file(QStringLiteral("Zircon_5x69.frm"))));
    EXPECT_EQ(k.leftPanelWidth, 335);
    EXPECT_EQ(k.drawsExclude, 0);
    EXPECT_EQ(k.drawsStatLen, 1000);
    EXPECT_EQ(k.drawsStatHeight, 131);
    EXPECT_EQ(k.drawsGraphLen, 100);
    EXPECT_EQ(k.filtersHeight, 127);
    EXPECT_EQ(k.layoutLen, 100);
    EXPECT_EQ(k.layoutCompareLen, (std::array<int, 5>{50, 100, 200, 300, 400}));
    EXPECT_EQ(k.weekLen, 1000);
    EXPECT_EQ(k.weekHeight, 131);
    EXPECT_EQ(k.weekChartMode, 0);
    EXPECT_FALSE(k.weekChartType);
    EXPECT_TRUE(k.autoUpdates);
    EXPECT_EQ(k.downloadDrawsOnStart, 0);
    EXPECT_FALSE(k.scriptLogEnabled);
    EXPECT_FALSE(k.stakesLogEnabled);
    EXPECT_TRUE(k.stakesScrollEnabled);
    EXPECT_TRUE(k.stakesCheckOnLine);
    EXPECT_TRUE(k.colorDraws && k.colorCombs && k.colorCard && k.colorCardSequences && k.layoutGradient);
    EXPECT_FALSE(k.sortedDraws);
    EXPECT_FALSE(k.prefetchsEnabled);
    EXPECT_TRUE(k.showTotalLine);
    EXPECT_EQ(k.ratingsEffMode, 1);
    EXPECT_EQ(k.layoutCompareHeight, 257);
    EXPECT_TRUE(k.scriptLibraryOn);
    EXPECT_EQ(k.scriptLibraryHeight, 223);
    EXPECT_EQ(k.scriptLibraryFilter, 2);
    EXPECT_FALSE(k.prefetchsInit);
    EXPECT_FALSE(k.firstRun);
    EXPECT_EQ(k.language, 1033);
    EXPECT_TRUE(k.tabGraphs && k.tabCard && k.tabLayout && k.tabWeek && k.tabTables && k.systemsEnabled);
}

TEST(MainFormKeys, StoredValuesAreReadAndClamped)
{
    const struct {
        const char* key;
        const char* stored;
        int MainFormKeys::*field;
        int expected;
    } cases[] = {
        {"LeftPanelWidth", "400", &MainFormKeys::leftPanelWidth, 400},
        {"LeftPanelWidth", "-20", &MainFormKeys::leftPanelWidth, 0},
        {"DrawsStatHeight", "50000", &MainFormKeys::drawsStatHeight, 10000},
        {"DrawsStatLen", "0", &MainFormKeys::drawsStatLen, 1},
        {"DrawsStatLen", "-100", &MainFormKeys::drawsStatLen, 1},
        {"DrawsStatLen", "250000", &MainFormKeys::drawsStatLen, 250000},
        {"DrawsStatLen", "lots", &MainFormKeys::drawsStatLen, 1000},
        {"DrawsExclude", "-1", &MainFormKeys::drawsExclude, 0},
        {"DrawsExclude", "12", &MainFormKeys::drawsExclude, 12},
        {"WeekLen", "0", &MainFormKeys::weekLen, 1},
        {"DrawsGraphLen", "0", &MainFormKeys::drawsGraphLen, 1},
        {"WeekChartMode", "1", &MainFormKeys::weekChartMode, 1},
        {"WeekChartMode", "7", &MainFormKeys::weekChartMode, 1},
        {"WeekChartMode", "-2", &MainFormKeys::weekChartMode, 0},
        {"DownloadDrawsOnStart", "2", &MainFormKeys::downloadDrawsOnStart, 2},
        {"DownloadDrawsOnStart", "3", &MainFormKeys::downloadDrawsOnStart, 2},
        {"DownloadDrawsOnStart", "-1", &MainFormKeys::downloadDrawsOnStart, 0},
        {"RatingsEffMode", "9", &MainFormKeys::ratingsEffMode, 2},
        {"ScriptLibraryFilter", "8", &MainFormKeys::scriptLibraryFilter, 7},
        {"Language", "1049", &MainFormKeys::language, 1049},
        {"Language", "70000", &MainFormKeys::language, 65535},
        {"Language", "-5", &MainFormKeys::language, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.stored);
        IniFile ini;
        ini.writeString(kMainFormSection, QString::fromLatin1(c.key), QString::fromLatin1(c.stored));
        MainFormKeys k;
        k.load(ini);
        EXPECT_EQ(k.*(c.field), c.expected);
    }

    IniFile ini = IniFile::parse("[tformmain]\r\nlayoutcomparelen3=0\r\nLayoutCompareLen5=77\r\nColorCard=0\r\n"
                                 "TabWeek=0\r\nFirstRun=5\r\nSortedDraws=yes\r\n");
    MainFormKeys k;
    k.load(ini);
    EXPECT_EQ(k.layoutCompareLen, (std::array<int, 5>{50, 100, 1, 300, 77}));
    EXPECT_FALSE(k.colorCard);
    EXPECT_FALSE(k.tabWeek);
    EXPECT_TRUE(k.firstRun);
    EXPECT_FALSE(k.sortedDraws);  // not an integer: the default
}

TEST(MainFormKeys, ShutdownStoresOnlySizesAndLengths)
{
    TempDir dir;
    IniStore store(dir.file(QStringLiteral("Zircon_5x69.frm")));
    store.update([](IniFile& ini) {
        ini.writeBool(kMainFormSection, mainform::kColorDraws, true);
        ini.writeInt(kMainFormSection, mainform::kWeekChartMode, 1);
    });

    MainFormKeys k;
    k.leftPanelWidth = 410;
    k.drawsStatLen = 500;
    k.layoutCompareLen[4] = 999;
    k.scriptLibraryFilter = 5;
    // Toggled options changed since their commands stored them are not rewritten here.
    k.colorDraws = false;
    k.weekChartMode = 0;
    k.language = 1049;
    k.storeShutdownKeys(store);

    const IniFile ini = store.load();
    const QStringList expected{
        QStringLiteral("ColorDraws"),        QStringLiteral("WeekChartMode"),     QStringLiteral("LeftPanelWidth"),
        QStringLiteral("DrawsExclude"),      QStringLiteral("DrawsStatLen"),      QStringLiteral("DrawsStatHeight"),
        QStringLiteral("DrawsGraphLen"),     QStringLiteral("FiltersHeight"),     QStringLiteral("LayoutLen"),
        QStringLiteral("LayoutCompareLen1"), QStringLiteral("LayoutCompareLen2"), QStringLiteral("LayoutCompareLen3"),
        QStringLiteral("LayoutCompareLen4"), QStringLiteral("LayoutCompareLen5"), QStringLiteral("WeekLen"),
        QStringLiteral("WeekHeight"),        QStringLiteral("LayoutCompareHeight"),
        QStringLiteral("ScriptLibraryHeight"), QStringLiteral("ScriptLibraryFilter")};
    EXPECT_EQ(ini.keys(kMainFormSection), expected);
    EXPECT_TRUE(ini.readBool(kMainFormSection, mainform::kColorDraws, false));
    EXPECT_EQ(ini.readInt(kMainFormSection, mainform::kWeekChartMode, -1), 1);

    const MainFormKeys back = MainFormKeys::read(store);
    EXPECT_EQ(back.leftPanelWidth, 410);
    EXPECT_EQ(back.drawsStatLen, 500);
    EXPECT_EQ(back.layoutCompareLen[4], 999);
    EXPECT_EQ(back.scriptLibraryFilter, 5);
    EXPECT_EQ(back.language, 1033);
}

TEST(MainFormKeys, ToggleIsStoredAtOnce)
{
    TempDir dir;
    IniStore store(dir.file(QStringLiteral("Zircon_5x69.frm")));
    storeMainFormToggle(store, mainform::kTabCard, false);
    storeMainFormValue(store, mainform::kDownloadDrawsOnStart, 2);
    EXPECT_EQ(dir.read(QStringLiteral("Zircon_5x69.frm")),
              QByteArray("[TFormMain]\r\nTabCard=0\r\nDownloadDrawsOnStart=2\r\n"));
    const MainFormKeys k = MainFormKeys::read(store);
    EXPECT_FALSE(k.tabCard);
    EXPECT_EQ(k.downloadDrawsOnStart, 2);
}

TEST(MainFormKeys, PrefetchsInitFirstStartRule)
{
    const struct {
        const char* name;
        QByteArray file;           // empty: no form-state file
        bool normColumns;          // shown afterwards
        const char* expectedFile;  // nullptr: the file is left as it was
    } cases[] = {
        {"first start, no file", {}, false, "[TFormMain]\r\nPrefetchsInit=1\r\nPrefetchsEnabled=0\r\n"},
        {"old file with prefetching on", "[TFormMain]\r\nPrefetchsEnabled=1\r\n", true,
         "[TFormMain]\r\nPrefetchsEnabled=1\r\nPrefetchsInit=1\r\n"},
        {"rule already ran, prefetching on", "[TFormMain]\r\nPrefetchsInit=1\r\nPrefetchsEnabled=1\r\n", true, nullptr},
        {"rule already ran, prefetching off", "[TFormMain]\r\nPrefetchsInit=1\r\n", false, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const QString name = QStringLiteral("Zircon_5x69.frm");
        if (!c.file.isEmpty())
            dir.write(name, c.file);
        IniStore store(dir.file(name));
        MainFormKeys keys = MainFormKeys::read(store);
        EXPECT_EQ(applyPrefetchsInit(store, keys), c.normColumns);
        EXPECT_TRUE(keys.prefetchsInit);
        EXPECT_EQ(dir.read(name), c.expectedFile ? QByteArray(c.expectedFile) : c.file);
    }
}

}  // namespace
}  // namespace zircon
