#pragma once
// The main window's own keys in the form-state file: pane sizes, window
// lengths of the views, and the options its commands toggle. All are read
// once when the window is created; sizes and window lengths are stored when
// it is destroyed, toggled options at once by their commands.
#include "core/IniFile.h"

#include <QString>
#include <QStringView>

#include <array>

namespace zircon {

class IniStore;

// The section is the class name of the main window.
inline constexpr QStringView kMainFormSection = u"TFormMain";

namespace mainform {
inline constexpr QStringView kLeftPanelWidth = u"LeftPanelWidth";
inline constexpr QStringView kDrawsExclude = u"DrawsExclude";
inline constexpr QStringView kDrawsStatLen = u"DrawsStatLen";
inline constexpr QStringView kDrawsStatHeight = u"DrawsStatHeight";
inline constexpr QStringView kDrawsGraphLen = u"DrawsGraphLen";
inline constexpr QStringView kFiltersHeight = u"FiltersHeight";
inline constexpr QStringView kLayoutLen = u"LayoutLen";
// "LayoutCompareLen1" .. "LayoutCompareLen5": see layoutCompareLenKey().
inline constexpr QStringView kWeekLen = u"WeekLen";
inline constexpr QStringView kWeekHeight = u"WeekHeight";
inline constexpr QStringView kWeekChartMode = u"WeekChartMode";
inline constexpr QStringView kWeekChartType = u"WeekChartType";
inline constexpr QStringView kAutoUpdates = u"AutoUpdates";
inline constexpr QStringView kDownloadDrawsOnStart = u"DownloadDrawsOnStart";
inline constexpr QStringView kScriptLogEnabled = u"ScriptLogEnabled";
inline constexpr QStringView kStakesLogEnabled = u"StakesLogEnabled";
inline constexpr QStringView kStakesScrollEnabled = u"StakesScrollEnabled";
inline constexpr QStringView kStakesCheckOnLine = u"StakesCheckOnLine";
inline constexpr QStringView kColorDraws = u"ColorDraws";
inline constexpr QStringView kColorCombs = u"ColorCombs";
inline constexpr QStringView kColorCard = u"ColorCard";
inline constexpr QStringView kColorCardSequences = u"ColorCardSequences";
inline constexpr QStringView kLayoutGradient = u"LayoutGradient";
inline constexpr QStringView kSortedDraws = u"SortedDraws";
inline constexpr QStringView kPrefetchsEnabled = u"PrefetchsEnabled";
inline constexpr QStringView kShowTotalLine = u"ShowTotalLine";
inline constexpr QStringView kRatingsEffMode = u"RatingsEffMode";
inline constexpr QStringView kLayoutCompareHeight = u"LayoutCompareHeight";
inline constexpr QStringView kScriptLibraryOn = u"ScriptLibraryOn";
inline constexpr QStringView kScriptLibraryHeight = u"ScriptLibraryHeight";
inline constexpr QStringView kScriptLibraryFilter = u"ScriptLibraryFilter";
inline constexpr QStringView kPrefetchsInit = u"PrefetchsInit";
inline constexpr QStringView kFirstRun = u"FirstRun";
inline constexpr QStringView kLanguage = u"Language";
inline constexpr QStringView kTabGraphs = u"TabGraphs";
inline constexpr QStringView kTabCard = u"TabCard";
inline constexpr QStringView kTabLayout = u"TabLayout";
inline constexpr QStringView kTabWeek = u"TabWeek";
inline constexpr QStringView kTabTables = u"TabTables";
inline constexpr QStringView kSystemsEnabled = u"SystemsEnabled";

inline constexpr int kLayoutCompareCount = 5;
// "LayoutCompareLen%d" for i = 1 .. 5.
QString layoutCompareLenKey(int i);

// The ranges a read value is brought into.
inline constexpr int kMaxPaneSize = 10000;   // pixels
inline constexpr int kMaxWindowLen = 2147483647;  // the window-length fields accept 1 .. this
inline constexpr int kMaxLanguage = 65535;   // locale identifiers
inline constexpr int kMaxWeekChartMode = 1;  // 0 day across numbers, 1 number across days
inline constexpr int kMaxDownloadMode = 2;   // 0 ask, 1 download, 2 never
inline constexpr int kMaxRatingsEffMode = 2;
inline constexpr int kMaxScriptLibraryFilter = 7;  // positions of the catalogue filter list
}  // namespace mainform

struct MainFormKeys {
    // Sizes and window lengths: stored at shutdown.
    int leftPanelWidth = 335;       // width of the left page control (draws, combinations)
    int drawsExclude = 0;           // newest draws removed from the combination list
    int drawsStatLen = 1000;        // statistics window length
    int drawsStatHeight = 131;      // height of the statistics chart
    int drawsGraphLen = 100;        // window of the draw graphs
    int filtersHeight = 127;        // height of the applied-filters list
    int layoutLen = 100;            // layout window
    std::array<int, mainform::kLayoutCompareCount> layoutCompareLen{50, 100, 200, 300, 400};
    int weekLen = 1000;             // week window
    int weekHeight = 131;           // height of the week chart
    int layoutCompareHeight = 257;  // height of the comparison panel
    int scriptLibraryHeight = 223;  // height of the online script library panel
    int scriptLibraryFilter = 2;    // catalogue filter choice

    // Options stored by their commands.
    int weekChartMode = 0;          // 0 or 1
    bool weekChartType = false;     // line (true) or bar chart
    bool autoUpdates = true;        // check for a new version at start
    int downloadDrawsOnStart = 0;   // 0 ask, 1 download, 2 never
    bool scriptLogEnabled = false;
    bool stakesLogEnabled = false;
    bool stakesScrollEnabled = true;  // scroll the stakes list on add
    bool stakesCheckOnLine = true;    // check stakes after every script line
    bool colorDraws = true;
    bool colorCombs = true;
    bool colorCard = true;
    bool colorCardSequences = true;
    bool layoutGradient = true;
    bool sortedDraws = false;         // numbers of a draw shown ascending
    bool prefetchsEnabled = false;    // comparison with the full set
    bool showTotalLine = true;        // ideal distribution line on the statistics chart
    int ratingsEffMode = 1;           // 0 .. 2
    bool scriptLibraryOn = true;      // online script library panel shown
    bool prefetchsInit = false;       // the first-start rule has run
    bool firstRun = false;            // show the reference dialog after start
    int language = 1033;              // interface language (locale identifier)
    bool tabGraphs = true;
    bool tabCard = true;
    bool tabLayout = true;
    bool tabWeek = true;
    bool tabTables = true;
    bool systemsEnabled = true;       // systems tab shown

    // Reads every key of the section; missing or malformed keys keep the
    // defaults above, numbers are brought into their ranges.
    void load(const IniFile& ini);
    static MainFormKeys read(const IniStore& store);

    // Writes only the sizes and window lengths, the keys stored at shutdown;
    // toggled options are left as their commands stored them.
    void storeShutdownKeys(IniFile& ini) const;
    // The same with one load and one rewrite of the file.
    void storeShutdownKeys(IniStore& store) const;
};

// A toggled option or a mode chosen by its command, stored at once.
void storeMainFormToggle(IniStore& store, QStringView key, bool value);
void storeMainFormValue(IniStore& store, QStringView key, int value);

// The first-start rule for prefetching: when `PrefetchsInit` is false, store
// `PrefetchsInit` = 1 and `PrefetchsEnabled` = its current value, and mark the
// rule as done in `keys`. Returns whether the norm columns of the statistics
// list are shown (they are exactly while prefetching is on).
bool applyPrefetchsInit(IniFile& ini, MainFormKeys& keys);
bool applyPrefetchsInit(IniStore& store, MainFormKeys& keys);

}  // namespace zircon
