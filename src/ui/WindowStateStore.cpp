#include "ui/WindowStateStore.h"

#include "core/IniStore.h"
#include "ui/TRSortListView.h"

#include <QHeaderView>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTableView>
#include <QTreeView>
#include <QVariant>
#include <QWidget>

namespace zircon {
namespace {

constexpr Qt::WindowStates kSizeStates = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
const char* const kGridLinesProperty = "gridLines";

PlacementRect toPlacementRect(const QRect& r)
{
    return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

bool isApplicationMainWindow(const QWidget* w)
{
    return qobject_cast<const QMainWindow*>(w) && w->isWindow() && !w->parentWidget();
}

QSize screenSize(const QWidget* w)
{
    const QScreen* screen = w->screen();
    return screen ? screen->size() : QSize();
}

int screenPixelsPerInch(const QWidget* w)
{
    const QScreen* screen = w->screen();
    return screen ? qRound(screen->logicalDotsPerInch()) : 96;
}

std::vector<int> sectionWidths(const QHeaderView* header)
{
    std::vector<int> widths;
    for (int i = 0; i < header->count(); ++i)
        widths.push_back(header->sectionSize(i));
    return widths;
}

// A hidden section keeps its own width: giving it the stored 0 would leave
// it invisible once it is shown again.
void applySectionWidths(QHeaderView* header, const std::vector<int>& widths)
{
    const int n = std::min(header->count(), static_cast<int>(widths.size()));
    for (int i = 0; i < n; ++i) {
        if (!header->isSectionHidden(i) && header->sectionSize(i) != widths[i])
            header->resizeSection(i, widths[i]);
    }
}

}  // namespace

WindowPlacement widgetPlacement(const QWidget* w)
{
    WindowPlacement p;
    const Qt::WindowStates state = w->windowState();
    if (state & Qt::WindowMinimized)
        p.showCmd = kShowCmdMinimized;
    else if (state & Qt::WindowMaximized)
        p.showCmd = kShowCmdMaximized;
    else
        p.showCmd = kShowCmdNormal;
    p.flags = 0;
    p.pixelsPerInch = screenPixelsPerInch(w);
    const QRect normal = w->normalGeometry();
    const bool useNormal = (state & kSizeStates) && w->isWindow() && normal.isValid();
    p.normRect = toPlacementRect(useNormal ? normal : w->geometry());
    return p;
}

PlacementContext widgetPlacementContext(const QWidget* w, const WindowRestoreOptions& options)
{
    PlacementContext c;
    c.current = widgetPlacement(w);
    c.bounds = toPlacementRect(w->geometry());
    const QSize screen = screenSize(w);
    c.screenWidth = screen.width();
    c.screenHeight = screen.height();
    c.pixelsPerInch = c.current.pixelsPerInch;
    if (w->isWindow() && w->screen())
        c.visibleArea = toPlacementRect(w->screen()->availableVirtualGeometry());
    c.visible = w->isVisible();
    c.isMainWindow = options.mainWindow.value_or(isApplicationMainWindow(w));
    c.resizable = w->minimumSize() != w->maximumSize() && !(w->windowFlags() & Qt::MSWindowsFixedSizeDialogHint);
    c.mdiFrame = false;  // the program has no multiple-document frames
    c.mdiChild = qobject_cast<const QMdiSubWindow*>(w) != nullptr;
    c.systemDefaultPosition = options.systemDefaultPosition;
    c.centred = options.centred;
    c.applicationMinimised = w->window()->isMinimized();
    return c;
}

void applyPlacementDecision(QWidget* w, const PlacementDecision& d)
{
    const Qt::WindowStates before = w->windowState();
    if (d.applyPlacement) {
        const PlacementRect& r = d.placement.normRect;
        // Qt sets the normal rectangle only on a window in the normal state.
        if (before & kSizeStates)
            w->setWindowState(before & ~kSizeStates);
        w->setGeometry(r.left, r.top, r.width(), r.height());
        if (!d.applyState && (before & kSizeStates))
            w->setWindowState(before);
    }
    // Qt keeps a state given to a hidden window until it is shown, so a state
    // that is only to be recorded (stateRecordedOnly) is applied the same way.
    if (d.applyState) {
        Qt::WindowStates state = w->windowState() & ~kSizeStates;
        // The main window stands for the application: minimised, it is
        // normal again when the user brings it back.
        if (d.minimiseApplication || d.state == WindowShowState::Minimized)
            state |= Qt::WindowMinimized;
        else if (d.state == WindowShowState::Maximized)
            state |= Qt::WindowMaximized;
        if (state != w->windowState())
            w->setWindowState(state);
    }
    if (d.repaint)
        w->update();
}

void saveWindowPlacement(IniStore& store, const QWidget* w, QStringView section)
{
    const bool minimised = w->isMinimized();
    const WindowPlacement p =
        placementToSave(widgetPlacement(w), isApplicationMainWindow(w) && minimised, !w->isWindow() && minimised);
    const QSize screen = screenSize(w);
    store.update([&](IniFile& ini) { savePlacement(ini, section, p, screen.width(), screen.height()); });
}

void restoreWindowPlacement(const IniStore& store, QWidget* w, QStringView section, const WindowRestoreOptions& options)
{
    const PlacementDecision d = restorePlacement(store.loadOrEmpty(), section, widgetPlacementContext(w, options),
                                                 options.restoreState, options.restorePosition);
    applyPlacementDecision(w, d);
}

bool isSortableList(const QTreeView* view)
{
    return qobject_cast<const TRSortListView*>(view) || view->isSortingEnabled();
}

ListState listStateOf(const QTreeView* view)
{
    ListState s;
    const QHeaderView* header = view->header();
    s.columnWidths = sectionWidths(header);
    if (auto* sortList = qobject_cast<const TRSortListView*>(view)) {
        s.sortColumn = sortList->sortColumn();
        s.sortDirection = sortList->sortDescending() ? 1 : 0;
    } else if (view->isSortingEnabled() || header->isSortIndicatorShown()) {
        const int section = header->sortIndicatorSection();
        s.sortColumn = section >= 0 && section < header->count() ? section : -1;
        s.sortDirection = header->sortIndicatorOrder() == Qt::DescendingOrder ? 1 : 0;
    }
    s.gridLines = view->property(kGridLinesProperty).toBool();
    const auto mode = view->selectionMode();
    s.multiSelect = mode == QAbstractItemView::ExtendedSelection || mode == QAbstractItemView::MultiSelection;
    return s;
}

void applyListState(QTreeView* view, const ListState& s, bool withFlags)
{
    if (withFlags) {
        view->setProperty(kGridLinesProperty, s.gridLines);
        const bool multi = view->selectionMode() == QAbstractItemView::ExtendedSelection
                           || view->selectionMode() == QAbstractItemView::MultiSelection;
        if (s.multiSelect != multi)
            view->setSelectionMode(s.multiSelect ? QAbstractItemView::ExtendedSelection
                                                 : QAbstractItemView::SingleSelection);
    }
    if (auto* sortList = qobject_cast<TRSortListView*>(view)) {
        sortList->setSortState(s.sortColumn, s.sortDirection == 1);
    } else if (view->isSortingEnabled()) {
        view->sortByColumn(s.sortColumn, s.sortDirection == 1 ? Qt::DescendingOrder : Qt::AscendingOrder);
    }
    applySectionWidths(view->header(), s.columnWidths);
}

void saveListState(IniStore& store, QStringView section, const QTreeView* view, QStringView listName, bool withFlags)
{
    const ListState s = listStateOf(view);
    const bool sortable = isSortableList(view);
    store.update([&](IniFile& ini) { zircon::saveListState(ini, section, listName, s, withFlags, sortable); });
}

void restoreListState(const IniStore& store, QStringView section, QTreeView* view, QStringView listName,
                      bool withFlags)
{
    const ListState s = zircon::restoreListState(store.loadOrEmpty(), section, listName, listStateOf(view), withFlags,
                                                 isSortableList(view));
    applyListState(view, s, withFlags);
}

void saveGridColumns(IniStore& store, QStringView section, const QTableView* grid, QStringView gridName)
{
    const std::vector<int> widths = sectionWidths(grid->horizontalHeader());
    store.update([&](IniFile& ini) { zircon::saveGridColumns(ini, section, gridName, widths); });
}

void restoreGridColumns(const IniStore& store, QStringView section, QTableView* grid, QStringView gridName)
{
    const std::vector<int> widths =
        zircon::restoreGridColumns(store.loadOrEmpty(), section, gridName, sectionWidths(grid->horizontalHeader()));
    applySectionWidths(grid->horizontalHeader(), widths);
}

}  // namespace zircon
