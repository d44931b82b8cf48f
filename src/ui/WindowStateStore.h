#pragma once
// The form-state file seen from the widgets: reads a window, a list or a grid
// into the records of core/WindowState.h and applies what the core decides.
// Every function opens the file once; saves write it back at once.
#include "core/WindowState.h"

#include <QStringView>

#include <optional>

class QTableView;
class QTreeView;
class QWidget;

namespace zircon {

class IniStore;

struct WindowRestoreOptions {
    bool restoreState = true;            // minimised / maximised / normal
    bool restorePosition = true;         // the rectangle
    std::optional<bool> mainWindow;      // unset: a top-level QMainWindow without parent
    bool systemDefaultPosition = false;  // first start maximised, as a window the system places
    bool centred = false;                // the window centres itself when shown
};

// The window as the file stores it: the normal rectangle (the restored one
// while maximised or minimised), ShowCmd 3 maximised, 2 minimised, 1 otherwise,
// the logical pixels per inch of its screen; Qt knows no minimised or
// maximised positions, so they are stored as -1.
WindowPlacement widgetPlacement(const QWidget* window);
PlacementContext widgetPlacementContext(const QWidget* window, const WindowRestoreOptions& options = {});
void applyPlacementDecision(QWidget* window, const PlacementDecision& decision);

void saveWindowPlacement(IniStore& store, const QWidget* window, QStringView section);
// Missing or unreadable keys leave the window as it is.
void restoreWindowPlacement(const IniStore& store, QWidget* window, QStringView section,
                            const WindowRestoreOptions& options = {});

// A list: column 0 is the caption, column k the k-th sub-item, so the sort
// column is the header's section index. The sort state is that of a
// TRSortListView, or the header's sort indicator of a view that sorts itself;
// other views are not sortable and store no "SortType". With flags, grid lines
// are the view's "gridLines" property and multi-selection its selection mode.
bool isSortableList(const QTreeView* view);
ListState listStateOf(const QTreeView* view);
void applyListState(QTreeView* view, const ListState& state, bool withFlags);

void saveListState(IniStore& store, QStringView section, const QTreeView* view, QStringView listName,
                   bool withFlags = false);
// Throws Error for a stored sort column outside the list's columns.
void restoreListState(const IniStore& store, QStringView section, QTreeView* view, QStringView listName,
                      bool withFlags = false);

// A grid stores its column widths only.
void saveGridColumns(IniStore& store, QStringView section, const QTableView* grid, QStringView gridName);
void restoreGridColumns(const IniStore& store, QStringView section, QTableView* grid, QStringView gridName);

}  // namespace zircon
