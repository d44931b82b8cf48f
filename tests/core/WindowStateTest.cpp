#include "core/WindowState.h"

#include "core/Error.h"

#include <gtest/gtest.h>

#include <functional>

namespace zircon {
namespace {

const QString kSection = QStringLiteral("TFormMain");

// A shown, resizable child window at 10,20 sized 300 x 200 on a 1280 x 1024 screen at 96 pixels per inch.
PlacementContext plainContext()
{
    PlacementContext c;
    c.current.normRect = {10, 20, 310, 220};
    c.bounds = {10, 20, 310, 220};
    c.screenWidth = 1280;
    c.screenHeight = 1024;
    c.pixelsPerInch = 96;
    c.visible = true;
    return c;
}

TEST(WindowState, EdgeCases)
{
    struct Case {
        const char* name;
        const char* file;
        std::function<void(PlacementContext&)> adjust;
        std::function<void(const PlacementDecision&)> check;
    };
    const Case cases[] = {
        {"written at 1920x1080, read at 1280x1024: the general key",
         "[TFormMain]\r\nShowCmd=1\r\nPixelsPerInch=96\r\nNormPos_1920x1080=10,10,500,500\r\nNormPos=100,50,900,650\r\n",
         [](PlacementContext&) {},
         [](const PlacementDecision& d) {
             EXPECT_TRUE(d.applyPlacement);
             EXPECT_EQ(d.placement.normRect, (PlacementRect{100, 50, 900, 650}));
         }},
        {"the key of the current resolution comes first",
         "[TFormMain]\r\nPixelsPerInch=96\r\nNormPos_1920x1080=10,10,500,500\r\nNormPos=100,50,900,650\r\n",
         [](PlacementContext& c) {
             c.screenWidth = 1920;
             c.screenHeight = 1080;
         },
         [](const PlacementDecision& d) {
             EXPECT_TRUE(d.applyPlacement);
             EXPECT_EQ(d.placement.normRect, (PlacementRect{10, 10, 500, 500}));
         }},
        {"120 ppi file at 96 ppi: position ignored, maximised kept",
         "[TFormMain]\r\nShowCmd=3\r\nPixelsPerInch=120\r\nNormPos=100,50,900,650\r\nMinMaxPos=-1,-1,0,0\r\n",
         [](PlacementContext&) {},
         [](const PlacementDecision& d) {
             EXPECT_FALSE(d.applyPlacement);
             EXPECT_TRUE(d.applyState);
             EXPECT_EQ(d.state, WindowShowState::Maximized);
         }},
        {"fixed-size dialog keeps its size and moves",
         "[TFormMain]\r\nPixelsPerInch=96\r\nNormPos=400,300,1000,800\r\n",
         [](PlacementContext& c) { c.resizable = false; },
         [](const PlacementDecision& d) {
             EXPECT_TRUE(d.applyPlacement);
             EXPECT_EQ(d.placement.normRect, (PlacementRect{400, 300, 700, 500}));
         }},
        {"ShowCmd 2 for the main window minimises the application",
         "[TFormMain]\r\nShowCmd=2\r\nPixelsPerInch=96\r\nNormPos=100,50,900,650\r\n",
         [](PlacementContext& c) { c.isMainWindow = true; },
         [](const PlacementDecision& d) {
             EXPECT_TRUE(d.minimiseApplication);
             EXPECT_EQ(d.state, WindowShowState::Normal);
             EXPECT_FALSE(d.repaint);
             EXPECT_TRUE(d.applyPlacement);
         }},
        {"ShowCmd 6 for a child window minimises the window",
         "[TFormMain]\r\nShowCmd=6\r\n",
         [](PlacementContext&) {},
         [](const PlacementDecision& d) {
             EXPECT_FALSE(d.minimiseApplication);
             EXPECT_EQ(d.state, WindowShowState::Minimized);
             EXPECT_TRUE(d.repaint);
         }},
        {"no stored keys: nothing placed, default state normal", "",
         [](PlacementContext&) {},
         [](const PlacementDecision& d) {
             EXPECT_FALSE(d.applyPlacement);
             EXPECT_TRUE(d.applyState);
             EXPECT_EQ(d.state, WindowShowState::Normal);
         }},
        {"main window at the system's default position starts maximised", "[TFormMain]\r\nShowCmd=0\r\n",
         [](PlacementContext& c) {
             c.isMainWindow = true;
             c.systemDefaultPosition = true;
         },
         [](const PlacementDecision& d) { EXPECT_EQ(d.state, WindowShowState::Maximized); }},
        {"a stored normal state overrides the maximised default", "[TFormMain]\r\nShowCmd=9\r\n",
         [](PlacementContext& c) {
             c.isMainWindow = true;
             c.mdiFrame = true;
         },
         [](const PlacementDecision& d) {
             EXPECT_EQ(d.state, WindowShowState::Normal);
             EXPECT_TRUE(d.stateRecordedOnly);
         }},
        {"a hidden window stays hidden",
         "[TFormMain]\r\nFlags=1\r\nPixelsPerInch=96\r\nMinMaxPos=5,6,7,8\r\n",
         [](PlacementContext& c) { c.visible = false; },
         [](const PlacementDecision& d) {
             EXPECT_TRUE(d.applyPlacement);
             EXPECT_EQ(d.placement.showCmd, kShowCmdHide);
             EXPECT_EQ(d.placement.flags, 1);
             EXPECT_EQ(d.placement.minPos, (PlacementPoint{5, 6}));
             EXPECT_EQ(d.placement.maxPos, (PlacementPoint{7, 8}));
             // Only the positions were stored: the rectangle stays the current one.
             EXPECT_EQ(d.placement.normRect, (PlacementRect{10, 20, 310, 220}));
         }},
        {"missing numbers take the current values", "[TFormMain]\r\nNormPos=50,x\r\n",
         [](PlacementContext&) {},
         [](const PlacementDecision& d) {
             EXPECT_TRUE(d.applyPlacement);
             EXPECT_EQ(d.placement.normRect, (PlacementRect{50, 20, 310, 220}));
         }},
        {"an empty rectangle is not applied", "[TFormMain]\r\nNormPos=500,0,400,300\r\n",
         [](PlacementContext&) {}, [](const PlacementDecision& d) { EXPECT_FALSE(d.applyPlacement); }},
        {"a self-centring window is switched to its designed position", "[TFormMain]\r\nNormPos=1,2,3,4\r\n",
         [](PlacementContext& c) { c.centred = true; },
         [](const PlacementDecision& d) {
             EXPECT_TRUE(d.applyPlacement);
             EXPECT_TRUE(d.switchToDesignedPosition);
         }},
        {"a rectangle wholly off the desktop is brought back", "[TFormMain]\r\nNormPos=3000,-900,3400,-600\r\n",
         [](PlacementContext& c) { c.visibleArea = {0, 0, 1280, 1024}; },
         [](const PlacementDecision& d) {
             EXPECT_TRUE(d.applyPlacement);
             EXPECT_EQ(d.placement.normRect, (PlacementRect{880, 0, 1280, 300}));
         }},
        {"a partly visible rectangle is left where the user put it", "[TFormMain]\r\nNormPos=1200,-10,1500,290\r\n",
         [](PlacementContext& c) { c.visibleArea = {0, 0, 1280, 1024}; },
         [](const PlacementDecision& d) { EXPECT_EQ(d.placement.normRect, (PlacementRect{1200, -10, 1500, 290})); }},
        {"absurd coordinates are clamped", "[TFormMain]\r\nNormPos=-99999999,0,99999999,100\r\n",
         [](PlacementContext&) {},
         [](const PlacementDecision& d) {
             EXPECT_EQ(d.placement.normRect, (PlacementRect{kMinWindowCoord, 0, kMaxWindowCoord, 100}));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlacementContext context = plainContext();
        c.adjust(context);
        const IniFile ini = IniFile::parse(c.file);
        c.check(restorePlacement(ini, kSection, context, true, true));
    }
}

TEST(WindowState, RestoreFlagsSelectWhatIsRestored)
{
    const IniFile ini = IniFile::parse("[TFormMain]\r\nShowCmd=3\r\nPixelsPerInch=96\r\nNormPos=100,50,900,650\r\n");
    const PlacementContext c = plainContext();

    const PlacementDecision none = restorePlacement(ini, kSection, c, false, false);
    EXPECT_FALSE(none.applyPlacement || none.applyState || none.minimiseApplication || none.repaint);

    const PlacementDecision stateOnly = restorePlacement(ini, kSection, c, true, false);
    EXPECT_FALSE(stateOnly.applyPlacement);
    EXPECT_EQ(stateOnly.state, WindowShowState::Maximized);

    const PlacementDecision positionOnly = restorePlacement(ini, kSection, c, false, true);
    EXPECT_TRUE(positionOnly.applyPlacement);
    EXPECT_FALSE(positionOnly.applyState);
}

TEST(WindowState, ShowCommandsMapToStates)
{
    const struct {
        int cmd;
        WindowShowState state;
    } cases[] = {
        {1, WindowShowState::Normal},    {5, WindowShowState::Normal},    {9, WindowShowState::Normal},
        {2, WindowShowState::Minimized}, {6, WindowShowState::Minimized}, {7, WindowShowState::Minimized},
        {3, WindowShowState::Maximized}, {0, WindowShowState::Maximized}, {4, WindowShowState::Maximized},
        {8, WindowShowState::Maximized}, {10, WindowShowState::Maximized}, {-1, WindowShowState::Maximized},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cmd);
        // Maximised as the default shows which commands fall back to it.
        EXPECT_EQ(showStateOf(c.cmd, WindowShowState::Maximized), c.state);
    }
}

TEST(WindowState, SaveWritesTheSevenKeysInOrder)
{
    IniFile ini;
    WindowPlacement p;
    p.flags = 0;
    p.showCmd = 3;
    p.pixelsPerInch = 120;
    p.minPos = {-1, -1};
    p.maxPos = {-8, -8};
    p.normRect = {100, 50, 900, 650};
    savePlacement(ini, u"TFormRepeats", p, 1920, 1080);
    EXPECT_EQ(ini.toText(), QStringLiteral("[TFormRepeats]\r\nFlags=0\r\nShowCmd=3\r\nPixelsPerInch=120\r\n"
                                           "MinMaxPos=-1,-1,-8,-8\r\nMinMaxPos_1920x1080=-1,-1,-8,-8\r\n"
                                           "NormPos=100,50,900,650\r\nNormPos_1920x1080=100,50,900,650\r\n"));
}

TEST(WindowState, PlacementToSaveMarksMinimisedWindows)
{
    WindowPlacement p;
    p.showCmd = 1;
    p.flags = 2;
    EXPECT_EQ(placementToSave(p, true, false).showCmd, kShowCmdMinimized);
    EXPECT_EQ(placementToSave(p, true, false).flags, 2);
    EXPECT_EQ(placementToSave(p, false, true).flags, 3);
    EXPECT_EQ(placementToSave(p, false, true).showCmd, 1);
    EXPECT_EQ(placementToSave(p, false, false), p);
}

TEST(WindowState, PlacementRoundTrip)
{
    WindowPlacement saved;
    saved.flags = 1;
    saved.showCmd = 3;
    saved.pixelsPerInch = 96;
    saved.minPos = {3, 4};
    saved.maxPos = {-4, -4};
    saved.normRect = {-200, 30, 600, 530};
    IniFile ini;
    savePlacement(ini, u"TFormGraph", saved, 1280, 1024);

    PlacementContext c = plainContext();
    const PlacementDecision d = restorePlacement(IniFile::parse(ini.serialize()), u"tformgraph", c, true, true);
    ASSERT_TRUE(d.applyPlacement);
    EXPECT_EQ(d.placement.flags, saved.flags);
    EXPECT_EQ(d.placement.minPos, saved.minPos);
    EXPECT_EQ(d.placement.maxPos, saved.maxPos);
    EXPECT_EQ(d.placement.normRect, saved.normRect);
    EXPECT_EQ(d.state, WindowShowState::Maximized);
}

ListState fourColumns()
{
    ListState s;
    s.columnWidths = {60, 80, 100, 120};
    return s;
}

TEST(WindowState, SortTypeSelectsColumnAndDirection)
{
    const struct {
        const char* sortType;
        int column;
        int direction;
    } cases[] = {
        {"2,1", 2, 1},   {" 2 , 1 ", 2, 1}, {"0,0", 0, 0}, {"-1,0", -1, 0}, {"3", 3, 0},
        {",1", 1, 1},    {"x,y", 1, 0},     {"", 1, 0},    {"2,5", 2, 0},   {"1,-1", 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sortType);
        IniFile ini;
        ini.writeString(kSection, u"lvDraws.SortType", QString::fromLatin1(c.sortType));
        ListState current = fourColumns();
        current.sortColumn = 1;  // what the list shows now
        const ListState s = restoreListState(ini, kSection, u"lvDraws", current, false, true);
        EXPECT_EQ(s.sortColumn, c.column);
        EXPECT_EQ(s.sortDirection, c.direction);
    }
}

TEST(WindowState, SortColumnOutsideTheListFails)
{
    for (const char* bad : {"4,0", "-2,1", "100,0"}) {
        SCOPED_TRACE(bad);
        IniFile ini;
        ini.writeString(kSection, u"lvDraws.SortType", QString::fromLatin1(bad));
        try {
            restoreListState(ini, kSection, u"lvDraws", fourColumns(), false, true);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            const QString column = QString::fromLatin1(bad).section(u',', 0, 0);
            EXPECT_EQ(e.text(), QStringLiteral("Некорректное занчение номера столбца сортировки (") + column + u')');
        }
    }
    // A list that is not sortable never reads the key.
    IniFile ini;
    ini.writeString(kSection, u"lvDraws.SortType", QStringLiteral("9,0"));
    EXPECT_NO_THROW(restoreListState(ini, kSection, u"lvDraws", fourColumns(), false, false));
}

TEST(WindowState, ListStateRoundTrips)
{
    ListState saved;
    saved.sortColumn = 2;
    saved.sortDirection = 1;
    saved.columnWidths = {45, 0, 133, 80};
    saved.gridLines = true;
    saved.multiSelect = true;

    const struct {
        bool withFlags;
        bool sortable;
        const char* text;
    } cases[] = {
        {true, true,
         "[TFormMain]\r\nlvFields.GridLines=1\r\nlvFields.MultiSelect=1\r\nlvFields.SortType=2,1\r\n"
         "lvFields.Column0=45\r\nlvFields.Column1=0\r\nlvFields.Column2=133\r\nlvFields.Column3=80\r\n"},
        {false, true,
         "[TFormMain]\r\nlvFields.SortType=2,1\r\n"
         "lvFields.Column0=45\r\nlvFields.Column1=0\r\nlvFields.Column2=133\r\nlvFields.Column3=80\r\n"},
        {false, false,
         "[TFormMain]\r\n"
         "lvFields.Column0=45\r\nlvFields.Column1=0\r\nlvFields.Column2=133\r\nlvFields.Column3=80\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        IniFile ini;
        saveListState(ini, kSection, u"lvFields", saved, c.withFlags, c.sortable);
        EXPECT_EQ(ini.serialize(), QByteArray(c.text));

        ListState current;  // a fresh list of four columns
        current.columnWidths = {10, 10, 10, 10};
        const ListState back =
            restoreListState(IniFile::parse(ini.serialize()), kSection, u"lvFields", current, c.withFlags, c.sortable);
        EXPECT_EQ(back.columnWidths, saved.columnWidths);
        EXPECT_EQ(back.gridLines, c.withFlags);
        EXPECT_EQ(back.multiSelect, c.withFlags);
        EXPECT_EQ(back.sortColumn, c.sortable ? 2 : -1);
        EXPECT_EQ(back.sortDirection, c.sortable ? 1 : 0);
    }
}

TEST(WindowState, MissingColumnKeysKeepCurrentWidths)
{
    const IniFile ini = IniFile::parse("[TFormMain]\r\nsgStakes.Column0=70\r\nsgStakes.Column2=bad\r\n"
                                       "sgStakes.Column3=-40\r\nsgStakes.Column4=99999\r\nsgStakes.Column9=5\r\n");
    const std::vector<int> widths = restoreGridColumns(ini, kSection, u"sgStakes", {11, 12, 13, 14, 15});
    EXPECT_EQ(widths, (std::vector<int>{70, 12, 13, 0, kMaxColumnWidth}));

    IniFile out;
    saveGridColumns(out, kSection, u"sgStakes", {30, 40});
    EXPECT_EQ(out.toText(), QStringLiteral("[TFormMain]\r\nsgStakes.Column0=30\r\nsgStakes.Column1=40\r\n"));
}

}  // namespace
}  // namespace zircon
