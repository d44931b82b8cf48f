#pragma once
// What the form-state file remembers of a window and of its lists, and the
// rules for putting it back, apart from any widget: the window system
// adapter reads a window into these records and applies the decisions.
#include "core/IniFile.h"

#include <QStringView>

#include <vector>

namespace zircon {

struct PlacementPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PlacementPoint&, const PlacementPoint&) = default;
};

// Window-system convention: right and bottom lie just outside the window.
struct PlacementRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    friend bool operator==(const PlacementRect&, const PlacementRect&) = default;
};

// Show commands as the file stores them.
inline constexpr int kShowCmdHide = 0;
inline constexpr int kShowCmdNormal = 1;
inline constexpr int kShowCmdMinimized = 2;
inline constexpr int kShowCmdMaximized = 3;
// Placement flag bit 0: restore a minimised child to its stored minimised position.
inline constexpr int kPlacementFlagMinPosition = 1;

// Window coordinates are brought into the signed 16-bit range both window
// systems use, so a damaged file cannot ask for a window miles wide.
inline constexpr int kMinWindowCoord = -32768;
inline constexpr int kMaxWindowCoord = 32767;

struct WindowPlacement {
    int flags = 0;                     // placement flags of the window system
    int showCmd = kShowCmdNormal;      // show command, see the constants above
    int pixelsPerInch = 96;            // of the screen when the placement was taken
    PlacementPoint minPos{-1, -1};     // minimised position (-1, -1: none)
    PlacementPoint maxPos{-1, -1};     // maximised position (-1, -1: none)
    PlacementRect normRect;            // the normal (restored) rectangle
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

enum class WindowShowState { Normal, Minimized, Maximized };

// The show command as a state: 1, 5, 9 normal; 2, 6, 7 minimised; 3 maximised;
// anything else gives `def`.
WindowShowState showStateOf(int showCmd, WindowShowState def);

// What is written for a window: the main window of a minimised application
// is stored minimised, and a minimised child window gets flag bit 0.
WindowPlacement placementToSave(WindowPlacement placement, bool mainWindowOfMinimisedApp, bool minimisedChild);

// Writes "Flags", "ShowCmd", "PixelsPerInch", "MinMaxPos", "MinMaxPos_WxH",
// "NormPos" and "NormPos_WxH", in this order, W x H being the screen size.
void savePlacement(IniFile& ini, QStringView section, const WindowPlacement& placement, int screenWidth,
                   int screenHeight);

// The window as it is now, for restorePlacement().
struct PlacementContext {
    WindowPlacement current;            // the placement the window system reports now
    PlacementRect bounds;               // current left, top, left + width, top + height
    int screenWidth = 0;                // current screen size, selects the per-resolution keys
    int screenHeight = 0;
    int pixelsPerInch = 96;             // of the current screen
    PlacementRect visibleArea;          // the desktop; empty: not checked
    bool visible = false;               // the window is shown now
    bool isMainWindow = false;          // the application's main window (or there is none yet)
    bool resizable = true;              // has a sizeable frame
    bool mdiFrame = false;              // a multiple-document frame
    bool mdiChild = false;              // a child of a multiple-document frame
    bool systemDefaultPosition = false; // a plain window put where the system puts new windows
    bool centred = false;               // designed to centre itself on the screen or desktop
    bool applicationMinimised = false;  // the application is minimised now
};

struct PlacementDecision {
    bool applyPlacement = false;            // set `placement` on the window
    bool switchToDesignedPosition = false;  // a self-centring window stops centring first
    WindowPlacement placement;              // flags, show command, positions and the rectangle to set
    bool applyState = false;                // give the window `state`
    WindowShowState state = WindowShowState::Normal;
    bool stateRecordedOnly = false;         // child windows and frames: record it, the frame applies it
    bool minimiseApplication = false;       // main window stored minimised: minimise the application
    bool repaint = false;                   // repaint the window afterwards
};

// The restore rules: the stored position is used only when one of the
// position keys exists (the key for the current resolution first, else the
// general one) and the stored pixels per inch equal the current ones; a
// window that cannot be resized keeps its size and takes only the top-left
// corner. A rectangle wholly outside the visible area is moved into it, as
// the window system would. Nothing happens when both flags are false.
PlacementDecision restorePlacement(const IniFile& ini, QStringView section, const PlacementContext& context,
                                   bool restoreState, bool restorePosition);

// The stored state of a report-style list.
struct ListState {
    int sortColumn = -1;             // -1 none, 0 the caption, k the k-th sub-item
    int sortDirection = 0;           // 0 ascending, 1 descending
    std::vector<int> columnWidths;   // pixels, one per column from 0
    bool gridLines = false;
    bool multiSelect = false;
    friend bool operator==(const ListState&, const ListState&) = default;
};

// Column widths read back are brought into 0 .. this.
inline constexpr int kMaxColumnWidth = 10000;

// Keys "<list>.GridLines" and "<list>.MultiSelect" (with flags only),
// "<list>.SortType" as "column,direction" (sortable lists only) and
// "<list>.Column<i>" for every column.
void saveListState(IniFile& ini, QStringView section, QStringView list, const ListState& state, bool withFlags,
                   bool sortable);

// Every missing key keeps the value of `current`, whose column count is the
// list's. Throws Error when the stored sort column lies outside
// -1 .. column count - 1.
ListState restoreListState(const IniFile& ini, QStringView section, QStringView list, const ListState& current,
                           bool withFlags, bool sortable);

// A grid stores only "<grid>.Column<i>"; a missing key keeps the current width.
void saveGridColumns(IniFile& ini, QStringView section, QStringView grid, const std::vector<int>& widths);
std::vector<int> restoreGridColumns(const IniFile& ini, QStringView section, QStringView grid,
                                    std::vector<int> current);

}  // namespace zircon
