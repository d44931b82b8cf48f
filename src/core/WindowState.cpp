#include "core/WindowState.h"

#include "core/Error.h"
#include "core/Format.h"
#include "core/Tr.h"

#include <QStringList>

#include <algorithm>

namespace zircon {
namespace {

const QString kFlags = QStringLiteral("Flags");
const QString kShowCmd = QStringLiteral("ShowCmd");
const QString kPixelsPerInch = QStringLiteral("PixelsPerInch");
const QString kMinMaxPos = QStringLiteral("MinMaxPos");
const QString kNormPos = QStringLiteral("NormPos");

QString perResolution(const QString& key, int width, int height)
{
    return QStringLiteral("%1_%2x%3").arg(key).arg(width).arg(height);
}

QString fourInts(int a, int b, int c, int d)
{
    return QStringLiteral("%1,%2,%3,%4").arg(a).arg(b).arg(c).arg(d);
}

int clampCoord(int v)
{
    return std::clamp(v, kMinWindowCoord, kMaxWindowCoord);
}

// The i-th comma-separated number of a stored value, or `def`.
int wordInt(const QStringList& words, int i, int def)
{
    if (i >= words.size())
        return def;
    return IniFile::parseInt(words[i]).value_or(def);
}

// The per-resolution key when it holds something, else the general one.
QString positionValue(const IniFile& ini, QStringView section, const QString& key, int width, int height)
{
    QString v = ini.readString(section, perResolution(key, width, height)).trimmed();
    if (v.isEmpty())
        v = ini.readString(section, key).trimmed();
    return v;
}

QString listKey(QStringView list, QStringView suffix)
{
    return list.toString() + u'.' + suffix.toString();
}

QString columnKey(QStringView list, int i)
{
    return list.toString() + QStringLiteral(".Column") + QString::number(i);
}

// Moves a rectangle that lies wholly outside the area back into it, keeping
// its size; a rectangle larger than the area goes to the area's top-left.
PlacementRect keepVisible(PlacementRect r, const PlacementRect& area)
{
    if (area.isEmpty())
        return r;
    const bool intersects = r.left < area.right && r.right > area.left && r.top < area.bottom && r.bottom > area.top;
    if (intersects)
        return r;
    const int w = r.width();
    const int h = r.height();
    const int left = std::clamp(r.left, area.left, std::max(area.left, area.right - w));
    const int top = std::clamp(r.top, area.top, std::max(area.top, area.bottom - h));
    return PlacementRect{left, top, left + w, top + h};
}

}  // namespace

WindowShowState showStateOf(int showCmd, WindowShowState def)
{
    switch (showCmd) {
    case 1:
    case 5:
    case 9:
        return WindowShowState::Normal;
    case 2:
    case 6:
    case 7:
        return WindowShowState::Minimized;
    case 3:
        return WindowShowState::Maximized;
    default:
        return def;
    }
}

WindowPlacement placementToSave(WindowPlacement placement, bool mainWindowOfMinimisedApp, bool minimisedChild)
{
    if (mainWindowOfMinimisedApp)
        placement.showCmd = kShowCmdMinimized;
    if (minimisedChild)
        placement.flags |= kPlacementFlagMinPosition;
    return placement;
}

void savePlacement(IniFile& ini, QStringView section, const WindowPlacement& p, int screenWidth, int screenHeight)
{
    const QString minMax = fourInts(p.minPos.x, p.minPos.y, p.maxPos.x, p.maxPos.y);
    const QString norm = fourInts(p.normRect.left, p.normRect.top, p.normRect.right, p.normRect.bottom);
    ini.writeInt(section, kFlags, p.flags);
    ini.writeInt(section, kShowCmd, p.showCmd);
    ini.writeInt(section, kPixelsPerInch, p.pixelsPerInch);
    ini.writeString(section, kMinMaxPos, minMax);
    ini.writeString(section, perResolution(kMinMaxPos, screenWidth, screenHeight), minMax);
    ini.writeString(section, kNormPos, norm);
    ini.writeString(section, perResolution(kNormPos, screenWidth, screenHeight), norm);
}

PlacementDecision restorePlacement(const IniFile& ini, QStringView section, const PlacementContext& c,
                                   bool restoreState, bool restorePosition)
{
    PlacementDecision d;
    if (!restoreState && !restorePosition)
        return d;

    d.placement = c.current;
    // Applying the placement must not show a window that is still hidden.
    if (!c.visible)
        d.placement.showCmd = kShowCmdHide;

    if (restorePosition) {
        bool found = false;
        d.placement.flags = ini.readInt(section, kFlags, c.current.flags);

        const QString minMax = positionValue(ini, section, kMinMaxPos, c.screenWidth, c.screenHeight);
        if (!minMax.isEmpty()) {
            found = true;
            const QStringList w = minMax.split(u',');
            d.placement.minPos = {clampCoord(wordInt(w, 0, 0)), clampCoord(wordInt(w, 1, 0))};
            d.placement.maxPos = {clampCoord(wordInt(w, 2, 0)), clampCoord(wordInt(w, 3, 0))};
        }

        const QString norm = positionValue(ini, section, kNormPos, c.screenWidth, c.screenHeight);
        if (!norm.isEmpty()) {
            found = true;
            const QStringList w = norm.split(u',');
            d.placement.normRect = {clampCoord(wordInt(w, 0, c.bounds.left)), clampCoord(wordInt(w, 1, c.bounds.top)),
                                    clampCoord(wordInt(w, 2, c.bounds.right)),
                                    clampCoord(wordInt(w, 3, c.bounds.bottom))};
        } else {
            d.placement.normRect = c.bounds;
        }

        // A position taken at another pixel density would put the window
        // somewhere unrelated; the state is still restored below.
        if (ini.readInt(section, kPixelsPerInch, c.pixelsPerInch) != c.pixelsPerInch)
            found = false;

        if (found) {
            PlacementRect& r = d.placement.normRect;
            if (!c.resizable)
                r = {r.left, r.top, r.left + c.bounds.width(), r.top + c.bounds.height()};
            if (r.left < r.right) {
                r = keepVisible(r, c.visibleArea);
                d.switchToDesignedPosition = c.centred;
                d.applyPlacement = true;
            }
        }
    }

    if (restoreState) {
        const bool maximiseByDefault = c.isMainWindow && (c.mdiFrame || c.systemDefaultPosition);
        const WindowShowState def = maximiseByDefault ? WindowShowState::Maximized : WindowShowState::Normal;
        WindowShowState state = showStateOf(ini.readInt(section, kShowCmd, kShowCmdHide), def);
        d.applyState = true;
        if (state == WindowShowState::Minimized && c.isMainWindow) {
            // The application goes to the task bar; restored, the window is normal.
            d.minimiseApplication = true;
            state = WindowShowState::Normal;
        } else {
            d.stateRecordedOnly = c.mdiChild || c.mdiFrame;
        }
        d.state = state;
    }

    d.repaint = !(c.applicationMinimised || d.minimiseApplication);
    return d;
}

void saveListState(IniFile& ini, QStringView section, QStringView list, const ListState& state, bool withFlags,
                   bool sortable)
{
    if (withFlags) {
        ini.writeBool(section, listKey(list, u"GridLines"), state.gridLines);
        ini.writeBool(section, listKey(list, u"MultiSelect"), state.multiSelect);
    }
    if (sortable) {
        ini.writeString(section, listKey(list, u"SortType"),
                        QStringLiteral("%1,%2").arg(state.sortColumn).arg(state.sortDirection));
    }
    saveGridColumns(ini, section, list, state.columnWidths);
}

ListState restoreListState(const IniFile& ini, QStringView section, QStringView list, const ListState& current,
                           bool withFlags, bool sortable)
{
    ListState state = current;
    if (withFlags) {
        state.gridLines = ini.readBool(section, listKey(list, u"GridLines"), current.gridLines);
        state.multiSelect = ini.readBool(section, listKey(list, u"MultiSelect"), current.multiSelect);
    }
    if (sortable) {
        const QString sortType = ini.readString(section, listKey(list, u"SortType")).trimmed();
        if (!sortType.isEmpty()) {
            const QStringList words = sortType.split(u',');
            const int column = wordInt(words, 0, current.sortColumn);
            const int direction = wordInt(words, 1, current.sortDirection);
            const int columnCount = static_cast<int>(current.columnWidths.size());
            if (column < -1 || column > columnCount - 1)
                throw Error(fmt(tr(ZT("Некорректное занчение номера столбца сортировки (%d)")), column));
            state.sortColumn = column;
            // Only the two directions exist; anything else keeps the list's own.
            if (direction == 0 || direction == 1)
                state.sortDirection = direction;
        }
    }
    state.columnWidths = restoreGridColumns(ini, section, list, current.columnWidths);
    return state;
}

void saveGridColumns(IniFile& ini, QStringView section, QStringView grid, const std::vector<int>& widths)
{
    for (std::size_t i = 0; i < widths.size(); ++i)
        ini.writeInt(section, columnKey(grid, static_cast<int>(i)), widths[i]);
}

std::vector<int> restoreGridColumns(const IniFile& ini, QStringView section, QStringView grid,
                                    std::vector<int> current)
{
    for (std::size_t i = 0; i < current.size(); ++i) {
        const QString key = columnKey(grid, static_cast<int>(i));
        if (ini.hasKey(section, key))
            current[i] = ini.readInt(section, key, current[i], 0, kMaxColumnWidth);
    }
    return current;
}

}  // namespace zircon
