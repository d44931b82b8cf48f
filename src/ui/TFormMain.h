#pragma once
// The main window: a frame of menus, the status bar and the two page
// controls, binding the one Workspace to its widgets. It runs the creation
// sequence when it is built and the start-up timer once shortly after, and
// stores its state when it is closed. Each page is its own widget class; the
// commands come from one table of actions.
#include <QMainWindow>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

#include "core/MainFormKeys.h"

class QSplitter;
class QTabWidget;

namespace zircon {

class ActionSet;
class CombsCommands;
class CombsTab;
class DrawDownloadCommands;
class DrawsCommands;
class DrawsTab;
class QtHost;
class StakesCommands;
class StakesTab;
class StatisticsTab;
class Workspace;

// Locale identifiers of the interface languages.
inline constexpr int kBaseLanguage = 1049;     // Russian, the program's own texts
inline constexpr int kDefaultLanguage = 1033;  // the stored default

class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    struct StartOptions {
        QString dataDir;                     // the chosen data directory, absolute
        QStringList arguments;               // the command line after the program name
        int requestedLanguage = kBaseLanguage;  // "no-language" or the stored `Language`
    };
    // Starts a process: program, arguments, working directory; returns
    // whether it started, with the reason in *error otherwise.
    using ProcessStarter =
        std::function<bool(const QString& program, const QStringList& args, const QString& dir, QString* error)>;

    explicit TFormMain(StartOptions options, QWidget* parent = nullptr);
    ~TFormMain() override;

    Workspace& workspace() { return *m_ws; }
    QtHost& host() { return *m_host; }
    ActionSet& actions() { return *m_actions; }
    DrawsTab* drawsTab() const { return m_drawsTab; }
    StatisticsTab* statisticsTab() const { return m_statsTab; }
    CombsTab* combsTab() const { return m_combsTab; }
    DrawDownloadCommands* downloadCommands() const { return m_downloadCommands.get(); }
    StakesTab* stakesTab() const { return m_stakesTab; }
    QTabWidget* leftPages() const { return m_leftPages; }
    QTabWidget* rightPages() const { return m_rightPages; }
    const MainFormKeys& keys() const { return m_keys; }
    const QString& helpFile() const { return m_helpFile; }
    int language() const { return m_language; }

    // Runs the start-up timer's work at once when it has not run yet (the
    // timer itself fires 100 ms after creation).
    void runStartupNow();
    bool startupDone() const { return m_startupDone; }

    // The program was told to end (exclusive access refused, restart wait
    // timed out, a batch switch finished, a restart started).
    bool programEnded() const { return m_ended; }
    // What ending the program does; by default the window closes and the
    // application's loop quits.
    void setProgramEnder(std::function<void()> ender) { m_ender = std::move(ender); }
    void setProcessStarter(ProcessStarter starter) { m_starter = std::move(starter); }

    // Starts a new copy with "restart" and this process's id (and the data
    // directory), in the program's directory, then ends this program. When
    // the copy cannot be started the reason is shown and this program runs on.
    bool restartProgram();

    // The idle-time refresh of the command states.
    void updateCommandStates();

    // The about box's text: title, "Версия программы:" line, program name.
    QString aboutText() const;

    // The window's caption without the version ("Анализ статистики лотереи \"Zircon\"").
    static QString applicationTitle();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Widgets and commands.
    void buildWidgets();
    void buildCommands();
    void buildMenus();
    void busyChanged(bool busy);

    // The creation sequence, in its order.
    void createWindow();
    void useMenuFontAndClearProxy();    // 1
    void hideSystemsTab();              // 2
    void clearCombinationLists();       // 3
    bool waitForPreviousCopy();         // 4
    void chooseLanguageAndHelp();       // 5
    void resetStateAndCreateViews();    // 6
    void restorePlacementAndKeys();     // 7
    void restoreListColumns();          // 8
    void applyPrefetchsInitRule();      // 9
    void loadConfiguration();           // 10
    void loadProxySettings();           // 11
    void registerStatistics();          // 12
    void fillStatisticChoosers();       // 13
    void startStartupTimer();           // 14

    // The start-up timer, in its order.
    void startupTimer();
    void stopTimerAndSayInitialising();          // 1
    void reserveCombinationLists();              // 2
    void appendVersionToCaption();               // 3
    void resetDrawsOffset();                     // 4
    bool openStakesFile();                       // 5
    void loadDataFiles();                        // 6
    void generateInitialCombinations();
    void loadRatingsTablesAndScript();
    void fillOnlineLists();                      // 7
    void attachRatingsSort();                    // 8
    bool runLoadOnly();                          // 9: true when the program ends
    bool checkForInstalledUpdate();              // 10
    bool runFullRecreate();                      // 11: true when the program ends
    bool createMissingPrefetchFiles();           // 12: true when the program ends
    void offerDrawDownload();                    // 13
    void showFirstRunDialog();                   // 14

    // Hooks of subsystems that join later.
    void downloadDraws();
    bool drawDownloadAvailable() const;
    void recreatePrefetchFiles();
    void showNormColumns(bool shown);

    void showHelp();
    void showAbout();
    void editConfig();
    void editShredding();
    void shutdown();
    void endProgram();
    void storeWindowState();
    bool batchSwitch() const;

    StartOptions m_options;
    std::unique_ptr<QtHost> m_host;
    std::unique_ptr<Workspace> m_ws;
    std::unique_ptr<ActionSet> m_actions;
    std::unique_ptr<DrawsCommands> m_drawsCommands;
    std::unique_ptr<CombsCommands> m_combsCommands;
    std::unique_ptr<StakesCommands> m_stakesCommands;
    std::unique_ptr<DrawDownloadCommands> m_downloadCommands;
    MainFormKeys m_keys;
    QSplitter* m_splitter = nullptr;
    QTabWidget* m_leftPages = nullptr;
    QTabWidget* m_rightPages = nullptr;
    DrawsTab* m_drawsTab = nullptr;
    StatisticsTab* m_statsTab = nullptr;
    CombsTab* m_combsTab = nullptr;
    StakesTab* m_stakesTab = nullptr;
    QTimer m_startupTimer;
    QTimer m_idleTimer;
    QString m_helpFile;
    int m_language = kBaseLanguage;
    bool m_startupRan = false;
    bool m_startupDone = false;
    bool m_ended = false;
    bool m_pendingClose = false;
    bool m_shutDown = false;
    bool m_stateRestored = false;  // the stored state was read: it may be written back
    std::function<void()> m_ender;
    ProcessStarter m_starter;
};

}  // namespace zircon
