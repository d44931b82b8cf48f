#pragma once
// The combination list of one working session and every operation on it that
// is not about a widget: generation, files, clipboard text, removals, undo and
// the filter steps, each with its busy state, progress and messages. The
// combination tab and the statistics tab bind to it; the command-line program
// and the tests use it directly.
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

#include "workbench/AppliedFilters.h"
#include "workbench/CombWorkbench.h"

namespace zircon {

class StatTable;
class Workspace;

class CombCommands {
public:
    explicit CombCommands(Workspace& ws);

    CombWorkbench& workbench() { return m_bench; }
    const CombList& list() const { return m_bench.list(); }
    const AppliedFilters& appliedFilters() const { return m_filters; }
    bool canUndo() const { return m_bench.canUndo(); }

    // Room for the full set in the list and the undo copy (start-up).
    void reserveFullSet() { m_bench.reserveFullSet(); }

    // Views of the list refresh after every change.
    void setListRefresher(std::function<void()> refresher) { m_refresher = std::move(refresher); }

    // Builds the list from a generation mode and parameter ("CombsGen", and
    // the start-up list from the stored settings). Clears the applied filters
    // and the undo copy. A failed mode 4 read keeps the previous list.
    bool generate(uint8_t mode, const QString& parameter);
    // Stores the generation settings as the defaults.
    bool storeGenerationSettings(uint8_t mode, const QString& parameter);

    // "CombsOpen": the previous list stays when the file cannot be read.
    bool openFile(const QString& path);
    // "CombsSave".
    bool saveFile(const QString& path);
    // "CombsUndo": the undo copy back, and the last applied-filters row off.
    bool undo();
    // "CombsDelSelected": rows of the list in any order.
    bool deleteSelected(const std::vector<int>& rows);
    // "CombsDelExists": the combinations equal to one of the n newest visible draws.
    bool removeDrawCombs(int n);
    // "CombsCopy": the text the clipboard gets.
    QString copyText(const std::vector<int>& rows) const;
    // "CombsPaste": the previous list stays when a line does not read.
    bool paste(const QString& text);
    // "CombsCheckNums" and "CombsFindInDraws": the information texts.
    QString uniqueNumbersMessage() const;
    QString findInDrawsMessage(int row) const;

    // "StatFilter_Include" / "StatFilter_Exclude": keeps or deletes the
    // combinations that have the values of the selected table rows. The
    // table's method is `methodIndex` of the registry, computed with the
    // sorted switch `sorted`. Returns whether the list changed.
    bool filterByTableRows(int methodIndex, const StatTable& table, const std::vector<int>& rows, bool deleteMode,
                           bool sorted);

private:
    void refresh();
    void failed(const QString& operationMessage, const QString& reason);

    Workspace& m_ws;
    CombWorkbench m_bench;
    AppliedFilters m_filters;
    std::function<void()> m_refresher;
};

}  // namespace zircon
