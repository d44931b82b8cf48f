#pragma once
// The long-lived state of one working session: the data directory and its
// files, the draw archive with its offset, the settings and form-state files,
// the exclusive hold on the stakes file, and the busy and progress state.
// The main window owns one and binds it to widgets; the command-line program
// and the tests build their own. Every operation that is not about a widget is
// a method here, and reports to the user only through the host.
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "core/DataDir.h"
#include "core/DrawArchive.h"
#include "core/DrawCsv.h"
#include "core/ExclusiveFile.h"
#include "core/IniStore.h"
#include "shell/BusyState.h"
#include "shell/CombCommands.h"
#include "shell/Host.h"
#include "shell/Progress.h"
#include "shell/StakeCommands.h"
#include "stats/Prefetch.h"
#include "stats/TStatList.h"

namespace zircon {

struct ShreddingSettings {
    std::array<QString, 3> formulas;  // Formula1..Formula3
    std::array<int, 3> digits{};      // Formula1Digits..Formula3Digits, 1..5
};

class Workspace {
public:
    Workspace(const QString& dataDir, Host& host);

    Host& host() { return m_host; }
    const DataPaths& paths() const { return m_paths; }
    DrawArchive& archive() { return m_archive; }
    const DrawArchive& archive() const { return m_archive; }
    BusyState& busyState() { return m_busy; }
    bool busy() const { return m_busy.busy(); }
    Progress& progress() { return m_progress; }
    IniStore& settings() { return m_settings; }
    IniStore& formState() { return m_formState; }

    // The combination list with its undo copy and applied filters.
    CombCommands& combs() { return m_combs; }
    const CombCommands& combs() const { return m_combs; }

    // The statistic registry, bound to the archive for the whole run.
    TStatList& statList() { return m_statList; }
    const TStatList& statList() const { return m_statList; }
    // Reads the engine settings, the generation settings and the shredding
    // formulas from the settings file; a failure is shown and the defaults stay.
    bool loadEngineSettings();
    // Writes them back; a failure is shown and nothing is lost in memory.
    bool saveEngineSettings();
    // Rebuilds the registry from the settings, keeping the user's captions and
    // favourites through the method-list file.
    void rebuildRegistry();
    // Takes the settings dialog's result: saves it, rebuilds the registry and
    // refreshes every view. Returns the groups whose prefetch files went stale
    // (matrix, channels, segments) so they are rebuilt.
    std::set<int> applyConfig(const TConfigData& config);
    // The three shredding formulas and their digit counts as the registry
    // holds them, and the dialog's result taken in their place: the values
    // are set (formulas as typed), the "SHREDDING" section is saved (a failure
    // is shown and the new values stay in force), the prefetch files of the
    // shredding group are rebuilt and the registry is rebuilt, so new
    // instances and the display names use the new formulas. Returns whether
    // the settings file was written.
    ShreddingSettings shreddingSettings() const;
    bool applyShredding(const ShreddingSettings& settings);

    // Comparison with the full set ("PrefetchsEnabled"): the files are opened
    // and built only while it is on, or when a caller forces them.
    bool prefetchsEnabled() const { return m_prefetchsEnabled; }
    void setPrefetchsEnabled(bool on) { m_prefetchsEnabled = on; }
    // The prefetch file of a registry item with a norm, built when missing or
    // implausible (behind the progress window). nullopt without a norm, when
    // stopped, or after a failure, which is shown.
    std::optional<PrefetchSource> openPrefetch(int methodIndex);
    // Builds the missing files of every method with a norm and rebuilds the
    // existing ones of the groups in `groupMask` (bit g for group g); does
    // nothing unless forced or prefetching is on. Failures are shown.
    PrefetchFilesReport createPrefetchFiles(bool force, uint32_t groupMask);
    // The section name of the captions in the method-list file.
    QString languageName() const;

    // Start-up: takes the stakes file for this process alone. On failure shows
    // the exclusive-access message and returns false; the program then ends.
    // Once taken, the stakes check the file (a failure there also returns false).
    bool openStakesFile();
    void closeStakesFile();
    ExclusiveFile& stakesFile() { return m_stakesFile; }
    // The stakes over the held stakes file.
    StakeCommands& stakes() { return m_stakes; }

    // Reads the archive file; a failure is shown and the list refreshed.
    bool loadArchive();

    // Archive commands. Each saves the archive at once; when the save fails
    // the message is shown and the archive keeps its previous content.
    bool addDraw(const TDraw& draw);
    bool replaceDraw(int index, const TDraw& draw);
    // Deletes the draws shown at these rows (newest first), after the
    // confirmation question. Rows, not draw numbers, name the records, so
    // draws that share a number are deleted exactly as selected.
    bool deleteDrawRows(const std::vector<int>& rows);
    // Appends the draws of a CSV file and tells how many were added and how
    // many lines were skipped; nothing is appended when the file cannot be read.
    std::optional<CsvImportResult> importDrawsCsv(const QString& file, bool tellUser = true);
    // Writes the archive as a CSV file; returns the number of draws written.
    std::optional<int> exportDrawsCsv(const QString& file);

    // Sets the draws offset; when it changed, refreshes the list and every view.
    bool setDrawsOffset(int offset);

    // The texts of status panels 0..2: archive size, next draw number, the
    // numbers of the draw that follows the current one.
    std::array<QString, 3> drawStatusTexts() const;

    // The draws list refreshes on every archive change (forced after a save).
    void setDrawsListRefresher(std::function<void(bool force)> refresher) { m_listRefresher = std::move(refresher); }
    // Views join the refresh-all-views step in the order they register.
    void addViewRefresher(std::function<void(bool force)> refresher) { m_viewRefreshers.push_back(std::move(refresher)); }
    void refreshDrawsList(bool force);
    // Rebuilds every registered view; does nothing while a script runs.
    void refreshAllViews(bool force);
    void setScriptRunning(bool running) { m_scriptRunning = running; }
    bool scriptRunning() const { return m_scriptRunning; }

    // Shows a failure the usual way: the operation's message, an empty line
    // and the failure's text.
    void showFailure(const QString& operationMessage, const QString& failure);

private:
    bool storeArchive(TDrawsArray draws);

    Host& m_host;
    DataPaths m_paths;
    BusyState m_busy;
    Progress m_progress;
    DrawArchive m_archive;
    TStatList m_statList;
    IniStore m_settings;
    IniStore m_formState;
    ExclusiveFile m_stakesFile;
    CombCommands m_combs;
    StakeCommands m_stakes;  // after the hold it works on, so it goes first
    bool m_scriptRunning = false;
    std::function<void(bool)> m_listRefresher;
    bool m_prefetchsEnabled = false;
    std::vector<std::function<void(bool)>> m_viewRefreshers;
};

// "Удалить выделенную запись?" or "Удалить все выделенные записи (всего будет
// удалено %d записи(ей))?".
QString deleteConfirmationText(int count);

}  // namespace zircon
