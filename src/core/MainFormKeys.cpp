#include "core/MainFormKeys.h"

#include "core/Error.h"
#include "core/IniStore.h"

namespace zircon {

using namespace mainform;

QString mainform::layoutCompareLenKey(int i)
{
    return QStringLiteral("LayoutCompareLen%1").arg(i);
}

void MainFormKeys::load(const IniFile& ini)
{
    const QStringView s = kMainFormSection;
    auto size = [&](QStringView key, int def) { return ini.readInt(s, key, def, 0, kMaxPaneSize); };
    auto length = [&](QStringView key, int def) { return ini.readInt(s, key, def, 1, kMaxWindowLen); };
    auto flag = [&](QStringView key, bool def) { return ini.readBool(s, key, def); };

    leftPanelWidth = size(kLeftPanelWidth, leftPanelWidth);
    drawsExclude = ini.readInt(s, kDrawsExclude, drawsExclude, 0, kMaxWindowLen);
    drawsStatLen = length(kDrawsStatLen, drawsStatLen);
    drawsStatHeight = size(kDrawsStatHeight, drawsStatHeight);
    drawsGraphLen = length(kDrawsGraphLen, drawsGraphLen);
    filtersHeight = size(kFiltersHeight, filtersHeight);
    layoutLen = length(kLayoutLen, layoutLen);
    for (int i = 0; i < kLayoutCompareCount; ++i)
        layoutCompareLen[i] = length(layoutCompareLenKey(i + 1), layoutCompareLen[i]);
    weekLen = length(kWeekLen, weekLen);
    weekHeight = size(kWeekHeight, weekHeight);
    weekChartMode = ini.readInt(s, kWeekChartMode, weekChartMode, 0, kMaxWeekChartMode);
    weekChartType = flag(kWeekChartType, weekChartType);
    autoUpdates = flag(kAutoUpdates, autoUpdates);
    downloadDrawsOnStart = ini.readInt(s, kDownloadDrawsOnStart, downloadDrawsOnStart, 0, kMaxDownloadMode);
    scriptLogEnabled = flag(kScriptLogEnabled, scriptLogEnabled);
    stakesLogEnabled = flag(kStakesLogEnabled, stakesLogEnabled);
    stakesScrollEnabled = flag(kStakesScrollEnabled, stakesScrollEnabled);
    stakesCheckOnLine = flag(kStakesCheckOnLine, stakesCheckOnLine);
    colorDraws = flag(kColorDraws, colorDraws);
    colorCombs = flag(kColorCombs, colorCombs);
    colorCard = flag(kColorCard, colorCard);
    colorCardSequences = flag(kColorCardSequences, colorCardSequences);
    layoutGradient = flag(kLayoutGradient, layoutGradient);
    sortedDraws = flag(kSortedDraws, sortedDraws);
    prefetchsEnabled = flag(kPrefetchsEnabled, prefetchsEnabled);
    showTotalLine = flag(kShowTotalLine, showTotalLine);
    ratingsEffMode = ini.readInt(s, kRatingsEffMode, ratingsEffMode, 0, kMaxRatingsEffMode);
    layoutCompareHeight = size(kLayoutCompareHeight, layoutCompareHeight);
    scriptLibraryOn = flag(kScriptLibraryOn, scriptLibraryOn);
    scriptLibraryHeight = size(kScriptLibraryHeight, scriptLibraryHeight);
    scriptLibraryFilter = ini.readInt(s, kScriptLibraryFilter, scriptLibraryFilter, 0, kMaxScriptLibraryFilter);
    prefetchsInit = flag(kPrefetchsInit, prefetchsInit);
    firstRun = flag(kFirstRun, firstRun);
    language = ini.readInt(s, kLanguage, language, 0, kMaxLanguage);
    tabGraphs = flag(kTabGraphs, tabGraphs);
    tabCard = flag(kTabCard, tabCard);
    tabLayout = flag(kTabLayout, tabLayout);
    tabWeek = flag(kTabWeek, tabWeek);
    tabTables = flag(kTabTables, tabTables);
    systemsEnabled = flag(kSystemsEnabled, systemsEnabled);
}

MainFormKeys MainFormKeys::read(const IniStore& store)
{
    MainFormKeys keys;
    try {
        keys.load(store.load());
    } catch (const Error&) {
        // An unloadable file reads as a missing one: all defaults.
    }
    return keys;
}

void MainFormKeys::storeShutdownKeys(IniFile& ini) const
{
    const QStringView s = kMainFormSection;
    ini.writeInt(s, kLeftPanelWidth, leftPanelWidth);
    ini.writeInt(s, kDrawsExclude, drawsExclude);
    ini.writeInt(s, kDrawsStatLen, drawsStatLen);
    ini.writeInt(s, kDrawsStatHeight, drawsStatHeight);
    ini.writeInt(s, kDrawsGraphLen, drawsGraphLen);
    ini.writeInt(s, kFiltersHeight, filtersHeight);
    ini.writeInt(s, kLayoutLen, layoutLen);
    for (int i = 0; i < kLayoutCompareCount; ++i)
        ini.writeInt(s, layoutCompareLenKey(i + 1), layoutCompareLen[i]);
    ini.writeInt(s, kWeekLen, weekLen);
    ini.writeInt(s, kWeekHeight, weekHeight);
    ini.writeInt(s, kLayoutCompareHeight, layoutCompareHeight);
    ini.writeInt(s, kScriptLibraryHeight, scriptLibraryHeight);
    ini.writeInt(s, kScriptLibraryFilter, scriptLibraryFilter);
}

void MainFormKeys::storeShutdownKeys(IniStore& store) const
{
    store.update([this](IniFile& ini) { storeShutdownKeys(ini); });
}

void storeMainFormToggle(IniStore& store, QStringView key, bool value)
{
    store.writeBool(kMainFormSection, key, value);
}

void storeMainFormValue(IniStore& store, QStringView key, int value)
{
    store.writeInt(kMainFormSection, key, value);
}

bool applyPrefetchsInit(IniFile& ini, MainFormKeys& keys)
{
    if (!keys.prefetchsInit) {
        ini.writeBool(kMainFormSection, kPrefetchsInit, true);
        ini.writeBool(kMainFormSection, kPrefetchsEnabled, keys.prefetchsEnabled);
        keys.prefetchsInit = true;
    }
    return keys.prefetchsEnabled;
}

bool applyPrefetchsInit(IniStore& store, MainFormKeys& keys)
{
    if (!keys.prefetchsInit) {
        MainFormKeys updated = keys;
        store.update([&](IniFile& ini) { applyPrefetchsInit(ini, updated); });
        keys = updated;
    }
    return keys.prefetchsEnabled;
}

}  // namespace zircon
