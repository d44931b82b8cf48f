#pragma once
// The stakes of one working session and every operation on them that is not
// about a widget: the start-up check of the stakes file, every way of adding
// stakes, deleting by rows and by a condition, clearing, the check against
// the archive with profits and logs, and the status text, each with its busy
// state, progress and messages. The stakes tab binds to it; the command-line
// program and the tests use it directly. It works on the stakes file the
// workspace holds, from the moment the hold is taken.
#include <QString>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "stakes/StakeAdding.h"
#include "stakes/StakeChecking.h"
#include "stakes/StakeDeleting.h"
#include "stakes/StakeLog.h"
#include "stakes/StakeRecord.h"
#include "stakes/StakesFile.h"

namespace zircon {

class Workspace;

// What the multi-stake dialog asks for the bulk stakes.
struct MultiStakeEntry {
    int32_t drawNumber = 1;  // the first draw
    int draws = 1;           // draws to stake each combination on
    QString comment;
};

class StakeCommands {
public:
    explicit StakeCommands(Workspace& ws);
    ~StakeCommands();
    StakeCommands(const StakeCommands&) = delete;
    StakeCommands& operator=(const StakeCommands&) = delete;

    // Start-up, right after the workspace took its hold: the check of the
    // file, its warning, and the first refresh. A failure is shown ("Ошибка
    // чтения файла ставок!\r\r%s") and returns false: the start-up stops.
    bool attach();
    // Flushes and lets go of the file (shutdown); the hold stays the
    // workspace's to close.
    void detach();

    bool isOpen() const;
    // The file while it is open, else nullptr.
    StakesFile* file() { return m_file.get(); }
    int count();
    bool hasRecords() { return count() > 0; }
    // Record `index` for the grid; a separator when it cannot be read (the
    // grid paints on, the failure shows in the check or the next command).
    StakeRecord record(int index);

    // Options of the main window.
    bool logEnabled() const { return m_logEnabled; }
    void setLogEnabled(bool on) { m_logEnabled = on; }
    bool scrollEnabled() const { return m_scrollEnabled; }
    void setScrollEnabled(bool on) { m_scrollEnabled = on; }

    // Every stake a check has just checked goes here (the ratings count it).
    void setRatingsHook(std::function<void(int index, const StakeRecord& record)> hook)
    {
        m_ratingsHook = std::move(hook);
    }
    // After a check that checked something, and after clearing: the ratings
    // sort, save and redisplay themselves.
    void setRatingsRefresher(std::function<void(bool cleared)> refresher) { m_ratingsRefresher = std::move(refresher); }
    // The grid's part of a refresh: the new row count (record count, at least
    // one data row), whether to select the last row.
    void setGridRefresher(std::function<void(bool updateRows, bool scrollToEnd)> refresher)
    {
        m_gridRefresher = std::move(refresher);
    }

    // The draw a new stake is for: the next draw for the current offset.
    int32_t nextDrawNumber() const;
    // The record the stake dialog opens with for this combination (nullptr:
    // none selected).
    StakeRecord prepareManual(const TComb* chosen) const;
    // The same for a uniformly random combination of the list; nullopt for
    // an empty list.
    std::optional<StakeRecord> prepareRandom() const;
    // The multi-stake dialog's starting values.
    MultiStakeEntry prepareMulti() const;

    // "StakeAdd" / "StakeAddRandom" after the dialog: the record for `draws`
    // draws, then the check and a refresh that scrolls to the end.
    bool addManual(const StakeRecord& record, int draws);
    // "StakeAddAll": every combination of the list.
    std::optional<StakeAddResult> addAll(const MultiStakeEntry& entry);
    // "StakeAddSelected": the combinations at these rows, in list order.
    std::optional<StakeAddResult> addSelected(const std::vector<size_t>& rows, const MultiStakeEntry& entry);
    // Any run of combinations (the command-line program's file), as kind
    // "Вручную" with the current list length.
    std::optional<StakeAddResult> addCombs(const TComb* combs, size_t count, const MultiStakeEntry& entry);

    // "StakeDel": the records in grid rows first..last (1-based, the header
    // is row 0) after the confirmation; then the check and a refresh.
    bool deleteRows(int first, int last);
    // "StakeFilter": the checked stakes the condition removes.
    std::optional<int> deleteWhere(const StakeFilterCondition& condition);
    // "StakeClear": every record, after the confirmation.
    bool clear();

    // Checks every unchecked stake against the whole archive; nullopt after a
    // failure, which is shown. Stakes checked before a failure stay checked.
    std::optional<StakeCheckResult> check();
    // check(); when something was checked the ratings refresh. Returns the
    // number checked (0 after a failure).
    int checkAndRefresh();
    // "StakesCheckManual": checkAndRefresh() and a refresh of the grid.
    int checkManual();

    // "LogStakesDelete": deletes "Zircon_5x69-*.log" and tells the outcome.
    // Returns the number of files deleted.
    int deleteLogs();

    // The grid's row count and selection, and status panel 4 whenever the
    // number of records changed.
    void refresh(bool updateRows, bool scrollToEnd);

private:
    std::optional<StakeAddResult> addBulk(const TComb* combs, size_t count, const std::vector<size_t>* rows,
                                          const MultiStakeEntry& entry);
    void showStatusCount(int records, bool force);

    Workspace& m_ws;
    std::unique_ptr<StakesFile> m_file;
    std::unique_ptr<StakeLog> m_log;
    bool m_logEnabled = false;
    bool m_scrollEnabled = true;
    int m_shownCount = -1;  // the record count status panel 4 shows, -1 before the first
    std::function<void(int, const StakeRecord&)> m_ratingsHook;
    std::function<void(bool)> m_ratingsRefresher;
    std::function<void(bool, bool)> m_gridRefresher;
};

// Status panel of the stakes count.
inline constexpr int kStakesPanel = 4;

}  // namespace zircon
