#include "ui/TFormMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>
#include <QUrl>

#include "core/CommandLine.h"
#include "core/Error.h"
#include "core/Format.h"
#include "core/Lottery.h"
#include "core/ProcessWait.h"
#include "core/Tr.h"
#include "shell/BusyState.h"
#include "shell/StakeCommands.h"
#include "shell/Workspace.h"
#include "stats/StatClassInfo.h"
#include "ui/ActionSet.h"
#include "ui/CombsCommands.h"
#include "ui/CombsListView.h"
#include "ui/CombsModel.h"
#include "ui/CombsTab.h"
#include "ui/DrawDownloadCommands.h"
#include "ui/DrawsCommands.h"
#include "ui/DrawsModel.h"
#include "ui/DrawsTab.h"
#include "ui/QtHost.h"
#include "ui/StakesCommands.h"
#include "ui/StakesTab.h"
#include "ui/StatisticsTab.h"
#include "ui/TRSortListView.h"
#include "ui/DialogRunner.h"
#include "ui/TFormConfig.h"
#include "ui/TFormFirstRun.h"
#include "ui/TFormShredding.h"
#include "ui/WindowStateStore.h"

namespace zircon {

namespace {

constexpr int kStartupDelayMs = 100;
constexpr int kIdleUpdateMs = 200;
constexpr int kRestartWaitAttempts = 601;  // 100 ms apart: about one minute
constexpr int kRestartWaitIntervalMs = 100;
const QString kDrawsListName = QStringLiteral("lvDraws");
const QString kDrawsStatListName = QStringLiteral("lvDrawsStat");

// The three-letter language abbreviations the module and help file names use.
QString languageAbbreviation(int language)
{
    switch (language) {
    case 1049:
        return QStringLiteral("RUS");
    case 1033:
        return QStringLiteral("ENU");
    case 1058:
        return QStringLiteral("UKR");
    case 1031:
        return QStringLiteral("DEU");
    default:
        return {};
    }
}

// The help file: beside the program, else in "help" under it, else in "help"
// under its parent folder; the last candidate stays the name even when it is
// missing (the help command is then disabled).
QString locateHelpFile(const QString& abbreviation)
{
    const QString name = QStringLiteral("Kalyx_%1.chm").arg(abbreviation);
    const QDir programDir(QCoreApplication::applicationDirPath());
    const QStringList candidates{programDir.filePath(name), programDir.filePath(QStringLiteral("help/") + name),
                                 QDir::cleanPath(programDir.filePath(QStringLiteral("../help/") + name))};
    for (const QString& c : candidates)
        if (QFileInfo::exists(c))
            return c;
    return candidates.back();
}

bool startDetachedProcess(const QString& program, const QStringList& args, const QString& dir, QString* error)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(args);
    process.setWorkingDirectory(dir);
    if (process.startDetached())
        return true;
    if (error)
        *error = process.errorString();
    return false;
}

bool dataDirGiven(const QStringList& args)
{
    for (const QString& a : args)
        if (a.compare(QStringLiteral("--data-dir"), Qt::CaseInsensitive) == 0
            || a.startsWith(QStringLiteral("--data-dir="), Qt::CaseInsensitive))
            return true;
    return false;
}

}  // namespace

TFormMain::TFormMain(StartOptions options, QWidget* parent)
    : QMainWindow(parent),
      m_options(std::move(options)),
      m_host(std::make_unique<QtHost>()),
      m_ws(std::make_unique<Workspace>(m_options.dataDir, *m_host))
{
    setObjectName(QStringLiteral("TFormMain"));
    setWindowTitle(applicationTitle());
    resize(1000, 700);
    m_host->setWindow(this);
    m_host->setStopHandler([this] { m_ws->progress().requestStop(); });
    m_host->setBusyListener([this](bool busy) { busyChanged(busy); });

    buildWidgets();
    buildCommands();
    buildMenus();
    m_ws->setDrawsListRefresher([this](bool force) {
        if (m_drawsTab)
            m_drawsTab->refreshList(force);
    });

    m_startupTimer.setSingleShot(true);
    m_startupTimer.setInterval(kStartupDelayMs);
    connect(&m_startupTimer, &QTimer::timeout, this, &TFormMain::startupTimer);
    m_idleTimer.setInterval(kIdleUpdateMs);
    connect(&m_idleTimer, &QTimer::timeout, this, &TFormMain::updateCommandStates);
    m_idleTimer.start();

    createWindow();
    updateCommandStates();
}

TFormMain::~TFormMain()
{
    shutdown();
    // The pages read the workspace; they go before it does.
    delete takeCentralWidget();
    m_drawsTab = nullptr;
    m_combsTab = nullptr;
    m_statsTab = nullptr;
    m_stakesTab = nullptr;
}

QString TFormMain::applicationTitle()
{
    return zircon::tr("Анализ статистики лотереи \"Zircon\"");
}

// ---------------------------------------------------------------------------
// Widgets and commands

void TFormMain::buildWidgets()
{
    m_host->attachStatusBar(statusBar());
    statusBar()->setSizeGripEnabled(true);

    m_leftPages = new QTabWidget(this);
    m_leftPages->setObjectName(QStringLiteral("pcLeft"));
    m_drawsTab = new DrawsTab(*m_ws, m_leftPages);
    m_leftPages->addTab(m_drawsTab, zircon::tr("Тиражи"));
    m_combsTab = new CombsTab(m_ws->combs(), m_leftPages);
    m_leftPages->addTab(m_combsTab, zircon::tr("Комбинации"));

    // The analysis pages (statistics, stakes, script, card, ...) join here.
    m_rightPages = new QTabWidget(this);
    m_rightPages->setObjectName(QStringLiteral("pcMain"));
    m_statsTab = new StatisticsTab(*m_ws, m_rightPages);
    m_rightPages->addTab(m_statsTab, zircon::tr("Статистика"));
    m_statsTab->view().setSortedSource([this] { return m_drawsTab->model()->sortedDraws(); });
    // The statistics rebuild only while their page shows; a forced refresh
    // that finds it hidden leaves the table to be recomputed when it shows.
    m_ws->addViewRefresher([this](bool force) {
        if (!m_statsTab)
            return;
        if (m_rightPages->currentWidget() == m_statsTab)
            m_statsTab->view().ComputeStatTable(force);
        else if (force)
            m_statsTab->view().resetRecomputeKey();
    });
    m_stakesTab = new StakesTab(m_ws->stakes(), m_rightPages);
    m_rightPages->addTab(m_stakesTab, zircon::tr("Ставки"));
    m_ws->stakes().setGridRefresher([this](bool updateRows, bool scrollToEnd) {
        if (m_stakesTab)
            m_stakesTab->refreshGrid(updateRows, scrollToEnd);
    });
    connect(m_rightPages, &QTabWidget::currentChanged, this, [this] { m_ws->refreshAllViews(false); });

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splMain"));
    m_splitter->addWidget(m_leftPages);
    m_splitter->addWidget(m_rightPages);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setChildrenCollapsible(false);
    setCentralWidget(m_splitter);

    m_drawsTab->model()->setChannelSizeSource([this] { return m_ws->statList().Config.ChannelSize; });
    connect(m_drawsTab->list()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TFormMain::updateCommandStates);
    connect(m_drawsTab->list()->model(), &QAbstractItemModel::modelReset, this, &TFormMain::updateCommandStates);
    m_combsTab->model()->setChannelSizeSource([this] { return m_ws->statList().Config.ChannelSize; });
    connect(m_combsTab->list()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TFormMain::updateCommandStates);
    connect(m_combsTab->model(), &QAbstractItemModel::modelReset, this, &TFormMain::updateCommandStates);
}

void TFormMain::buildCommands()
{
    m_actions = std::make_unique<ActionSet>(*m_host, [this] { return m_ws->busy(); });
    m_drawsCommands = std::make_unique<DrawsCommands>(*m_ws, *m_drawsTab, this);
    m_drawsCommands->addTo(*m_actions);
    m_statsTab->addTo(*m_actions);
    m_combsCommands = std::make_unique<CombsCommands>(*m_ws, *m_combsTab, this);
    m_combsCommands->addTo(*m_actions);
    m_stakesCommands = std::make_unique<StakesCommands>(*m_ws, *m_combsTab, *m_stakesTab, m_keys, this);
    m_stakesCommands->addTo(*m_actions);
    m_downloadCommands = std::make_unique<DrawDownloadCommands>(*m_ws, *m_host, m_keys, this);
    m_downloadCommands->addTo(*m_actions);
    // A double click on a combination stakes it while the stakes file is open.
    m_combsTab->setRowActivatedHook([this](int row) {
        if (!m_ws->busy())
            m_stakesCommands->addForRow(row);
    });
    connect(m_stakesTab->grid()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TFormMain::updateCommandStates);

    m_actions->add({"ExitProgram", ZT("Выход"), ZT("Завершить работу программы"), QKeySequence(Qt::ALT | Qt::Key_F4),
                    {}, [this] { close(); }, {}});
    m_actions->add({"GetHelp", ZT("Справка"), ZT("Вызов файла справки"), QKeySequence(Qt::Key_F1),
                    [this] { return QFileInfo::exists(m_helpFile); }, [this] { showHelp(); }, {}});
    m_actions->add({"ShowFirstRun", ZT("Справочная информация"), ZT("Справочная информация"), QKeySequence(), {},
                    [this] {
                        TFormFirstRun dialog(m_helpFile, this);
                        dialog.dontShowBox()->setChecked(!m_keys.firstRun);
                        runDialog(dialog);
                        const bool firstRun = !dialog.dontShowAgain();
                        if (firstRun != m_keys.firstRun) {
                            storeMainFormToggle(m_ws->formState(), mainform::kFirstRun, firstRun);
                            m_keys.firstRun = firstRun;
                        }
                    },
                    {}});
    m_actions->add({"EditConfig", ZT("Параметры"), ZT("Параметры системы"), QKeySequence(), {},
                    [this] { editConfig(); }, {}});
    m_actions->add({"EditShredding", ZT("Формулы шинковки"), ZT("Редактирование формул для методов шинковки"),
                    QKeySequence(), {}, [this] { editShredding(); }, {}});
    m_actions->add({"About", ZT("О программе"), ZT("Информация о программе"), QKeySequence(), {},
                    [this] { showAbout(); }, {}});
    // The window's shortcuts work without opening a menu.
    for (QAction* a : m_actions->actions())
        addAction(a);
}

void TFormMain::buildMenus()
{
    auto addCommands = [this](QMenu* menu, const QStringList& names) {
        for (const QString& name : names) {
            if (name == u'-')
                menu->addSeparator();
            else if (QAction* a = m_actions->action(name))
                menu->addAction(a);
        }
        connect(menu, &QMenu::aboutToShow, this, &TFormMain::updateCommandStates);
    };
    QMenu* program = menuBar()->addMenu(zircon::tr("Программа"));
    program->setObjectName(QStringLiteral("mnProgram"));
    addCommands(program, {QStringLiteral("EditConfig"), QStringLiteral("EditShredding"), QStringLiteral("EditProxy"),
                          QStringLiteral("-"), QStringLiteral("ExitProgram")});
    QMenu* draws = menuBar()->addMenu(zircon::tr("Тиражи"));
    draws->setObjectName(QStringLiteral("mnDraws"));
    addCommands(draws, DrawsCommands::menuOrder());
    m_downloadCommands->addToMenu(*m_actions, draws);
    QMenu* combs = menuBar()->addMenu(zircon::tr("Комбинации"));
    combs->setObjectName(QStringLiteral("mnCombs"));
    addCommands(combs, CombsCommands::menuOrder());
    QMenu* statistics = menuBar()->addMenu(zircon::tr("Статистика"));
    statistics->setObjectName(QStringLiteral("mnDrawsStat"));
    addCommands(statistics, StatisticsTab::menuOrder());
    QMenu* stakes = menuBar()->addMenu(zircon::tr("Ставки"));
    stakes->setObjectName(QStringLiteral("mnStakes"));
    addCommands(stakes, StakesCommands::menuOrder());
    QMenu* help = menuBar()->addMenu(zircon::tr("Помощь"));
    help->setObjectName(QStringLiteral("mnHelp"));
    addCommands(help, {QStringLiteral("GetHelp"), QStringLiteral("ShowFirstRun"), QStringLiteral("-"),
                       QStringLiteral("About")});

    QList<QAction*> popup;
    for (const QString& name : DrawsCommands::menuOrder()) {
        if (name == u'-') {
            auto* separator = new QAction(m_drawsTab);
            separator->setSeparator(true);
            popup.append(separator);
        } else if (QAction* a = m_actions->action(name)) {
            popup.append(a);
        }
    }
    m_drawsTab->setPopupActions(popup);

    QList<QAction*> combsPopup;
    for (const QString& name : CombsCommands::menuOrder()) {
        if (name == u'-') {
            auto* separator = new QAction(m_combsTab);
            separator->setSeparator(true);
            combsPopup.append(separator);
        } else if (QAction* a = m_actions->action(name)) {
            combsPopup.append(a);
        }
    }
    m_combsTab->setPopupActions(combsPopup);

    QList<QAction*> stakesPopup;
    for (const QString& name : StakesCommands::menuOrder()) {
        if (name == u'-') {
            auto* separator = new QAction(m_stakesTab);
            separator->setSeparator(true);
            stakesPopup.append(separator);
        } else if (QAction* a = m_actions->action(name)) {
            stakesPopup.append(a);
        }
    }
    m_stakesTab->setPopupActions(stakesPopup);
}

void TFormMain::editConfig()
{
    TFormConfig dialog(m_ws->statList().Config, this);
    if (runDialog(dialog) != QDialog::Accepted)
        return;
    m_ws->applyConfig(dialog.result());
    // The channel size colours the lists.
    m_drawsTab->model()->refresh(true);
    m_combsTab->model()->repaint();
}

void TFormMain::editShredding()
{
    TFormShredding dialog(m_ws->shreddingSettings(), this);
    if (runDialog(dialog) != QDialog::Accepted)
        return;
    m_ws->applyShredding(dialog.result());
    // The registry was rebuilt: the choosers show the new formulas in the
    // methods' names, and a shredding table on show is computed again.
    m_statsTab->view().FillStatChoosers(true, false);
    m_ws->refreshAllViews(true);
}

void TFormMain::updateCommandStates()
{
    if (m_actions)
        m_actions->updateStates();
}

void TFormMain::busyChanged(bool busy)
{
    updateCommandStates();
    // The offset moves the current draw under the running work; it waits.
    if (m_drawsTab)
        m_drawsTab->offsetEdit()->setEnabled(!busy);
    if (m_statsTab)
        m_statsTab->setControlsEnabled(!busy);
    if (!busy && m_pendingClose)
        QTimer::singleShot(0, this, [this] {
            if (m_pendingClose && !m_ws->busy()) {
                m_pendingClose = false;
                close();
            }
        });
}

bool TFormMain::event(QEvent* event)
{
    // Hints go to panel 6 instead of the status bar's own message line, and
    // only while no operation writes its progress there.
    if (event->type() == QEvent::StatusTip) {
        if (!m_ws->busy())
            m_host->setStatusText(kProgressPanel, static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

// ---------------------------------------------------------------------------
// Creation sequence

void TFormMain::createWindow()
{
    try {
        useMenuFontAndClearProxy();
        hideSystemsTab();
        clearCombinationLists();
        if (!waitForPreviousCopy())
            return;
        chooseLanguageAndHelp();
        resetStateAndCreateViews();
        try {
            restorePlacementAndKeys();
            restoreListColumns();
            applyPrefetchsInitRule();
        } catch (const std::exception& e) {
            m_ws->showFailure(zircon::tr("Ошибка загрузки параметров программы!\r\r%s"), errorText(e));
        }
        loadConfiguration();
        loadProxySettings();
        registerStatistics();
        fillStatisticChoosers();
        startStartupTimer();
    } catch (const std::exception& e) {
        m_ws->showFailure(zircon::tr("Ошибка запуска программы!\r\r%s"), errorText(e));
    }
}

void TFormMain::useMenuFontAndClearProxy()
{
    // Qt's fonts cover Cyrillic whatever the character set; the window takes
    // the menu font's face. The proxy record is cleared by the download's
    // settings when they arrive, and Qt's random generator seeds itself.
    QFont font = QApplication::font();
    font.setFamily(QApplication::font("QMenu").family());
    setFont(font);
}

void TFormMain::hideSystemsTab()
{
    // Filled by the systems library: its tab, menu and the two system-stake
    // commands stay hidden until it shows them.
}

void TFormMain::clearCombinationLists()
{
    // The list and its undo copy start empty; the start-up timer reserves
    // their room and generates the first list.
    m_ws->combs().workbench().list().clear();
    m_ws->combs().workbench().ClearUndo();
}

bool TFormMain::waitForPreviousCopy()
{
    if (!hasSwitch(m_options.arguments, kSwitchRestart))
        return true;
    // The copy that restarts names itself; without its id there is nothing
    // to wait for, and the exclusive hold on the data files still keeps two
    // copies from sharing them.
    const qint64 pid = restartPid(m_options.arguments);
    if (pid <= 0)
        return true;
    const bool ended = waitForProcessExit(pid, kRestartWaitAttempts, kRestartWaitIntervalMs,
                                          [] { QCoreApplication::processEvents(); });
    if (ended)
        return true;
    m_host->showMessage(MessageKind::Error,
                        zircon::tr("Предыдущая копия программы не завершила работу в течение минуты.\r\rПрограмма будет "
                           "закрыта!"));
    endProgram();
    return false;
}

void TFormMain::chooseLanguageAndHelp()
{
    // Language modules are not loaded by this build: a language other than
    // the base one falls back to it silently, as for a missing module.
    m_language = kBaseLanguage;
    m_helpFile = locateHelpFile(languageAbbreviation(m_language));
}

void TFormMain::resetStateAndCreateViews()
{
    // The start-list cache key, the script flags and the working objects of
    // the stakes grid, graphs, card, layout, week and tables views are reset
    // and created here as those views arrive.
    m_ws->setScriptRunning(false);
}

void TFormMain::restorePlacementAndKeys()
{
    restoreWindowPlacement(m_ws->formState(), this, kMainFormSection.toString());
    m_keys = MainFormKeys::read(m_ws->formState());
    const int total = std::max(width(), m_keys.leftPanelWidth + 100);
    m_splitter->setSizes({m_keys.leftPanelWidth, total - m_keys.leftPanelWidth});
    m_drawsTab->model()->setSortedDraws(m_keys.sortedDraws);
    m_drawsTab->model()->setColorDraws(m_keys.colorDraws);
    m_combsTab->setExcludeCount(m_keys.drawsExclude);
    m_combsTab->setFiltersHeight(m_keys.filtersHeight);
    m_combsTab->model()->setColorCombs(m_keys.colorCombs);
    m_ws->setPrefetchsEnabled(m_keys.prefetchsEnabled);
    m_statsTab->setWindowLength(m_keys.drawsStatLen);
    m_statsTab->setChartHeight(m_keys.drawsStatHeight);
    m_statsTab->view().setShowTotalLine(m_keys.showTotalLine);
    m_ws->stakes().setLogEnabled(m_keys.stakesLogEnabled);
    m_ws->stakes().setScrollEnabled(m_keys.stakesScrollEnabled);
}

void TFormMain::restoreListColumns()
{
    restoreListState(m_ws->formState(), kMainFormSection.toString(), m_drawsTab->list(), kDrawsListName);
    restoreListState(m_ws->formState(), kMainFormSection.toString(), m_statsTab->list(), kDrawsStatListName);
    m_combsTab->restoreListColumns(m_ws->formState(), kMainFormSection);
    restoreGridColumns(m_ws->formState(), kMainFormSection, m_stakesTab->grid(), QStringLiteral("sgStakes"));
    // The ratings, tables, systems, script and online scripts lists restore
    // theirs here as they arrive.
}

void TFormMain::applyPrefetchsInitRule()
{
    showNormColumns(applyPrefetchsInit(m_ws->formState(), m_keys));
}

void TFormMain::loadConfiguration()
{
    m_ws->loadEngineSettings();
}

void TFormMain::loadProxySettings()
{
    m_downloadCommands->download().LoadProxySettings();
}

void TFormMain::registerStatistics()
{
    m_ws->rebuildRegistry();
}

void TFormMain::fillStatisticChoosers()
{
    // The registry was just built; the graph chooser of the draw graphs
    // takes its entries from the same fill.
    m_statsTab->view().FillStatChoosers(false, false);
}

void TFormMain::startStartupTimer()
{
    m_startupTimer.start();
}

// ---------------------------------------------------------------------------
// Start-up timer

void TFormMain::runStartupNow()
{
    startupTimer();
}

void TFormMain::startupTimer()
{
    if (m_startupRan || m_ended)
        return;
    m_startupRan = true;
    try {
        stopTimerAndSayInitialising();
        {
            BusyScope busy(m_ws->busyState(), *m_host);
            reserveCombinationLists();
            appendVersionToCaption();
            resetDrawsOffset();
            if (!openStakesFile())
                return;
            loadDataFiles();
            if (!batchSwitch())
                fillOnlineLists();
            attachRatingsSort();
            if (runLoadOnly())
                return;
            if (checkForInstalledUpdate()) {
                restartProgram();
                return;
            }
            if (runFullRecreate())
                return;
            if (createMissingPrefetchFiles())
                return;
        }
        offerDrawDownload();
        showFirstRunDialog();
        m_startupDone = true;
    } catch (const std::exception& e) {
        m_ws->showFailure(zircon::tr("Ошибка инициализации программы!\r\r%s"), errorText(e));
    }
    updateCommandStates();
}

void TFormMain::stopTimerAndSayInitialising()
{
    m_startupTimer.stop();
    m_host->setStatusText(kProgressPanel, zircon::tr("Инициализация..."));
}

void TFormMain::reserveCombinationLists()
{
    // Room for the full set in the combination list and its undo copy; the
    // ratings add the expected match distribution here.
    m_ws->combs().reserveFullSet();
}

void TFormMain::appendVersionToCaption()
{
    setWindowTitle(applicationTitle() + zircon::tr(" версия ") + QStringLiteral(ZIRCON_VERSION));
}

void TFormMain::resetDrawsOffset()
{
    m_ws->setDrawsOffset(0);
}

bool TFormMain::openStakesFile()
{
    if (m_ws->openStakesFile())
        return true;
    endProgram();
    return false;
}

void TFormMain::loadDataFiles()
{
    m_ws->loadArchive();
    generateInitialCombinations();
    m_ws->refreshAllViews(true);
    loadRatingsTablesAndScript();
}

void TFormMain::generateInitialCombinations()
{
    // The starting list from the stored generation settings.
    m_ws->combs().generate(m_ws->statList().GenerateMode, m_ws->statList().GenerateParams);
}

void TFormMain::loadRatingsTablesAndScript()
{
    // Filled by the ratings, the tables of regular stakes and the working script.
}

void TFormMain::fillOnlineLists()
{
    // Filled by the systems library and the online script library.
}

void TFormMain::attachRatingsSort()
{
    // Filled by the ratings list.
}

bool TFormMain::batchSwitch() const
{
    return hasSwitch(m_options.arguments, kSwitchLoadOnly) || hasSwitch(m_options.arguments, kSwitchFullRecreate)
           || hasSwitch(m_options.arguments, kSwitchFullRefresh);
}

bool TFormMain::runLoadOnly()
{
    if (!hasSwitch(m_options.arguments, kSwitchLoadOnly))
        return false;
    downloadDraws();
    if (hasSwitch(m_options.arguments, kSwitchFullRecreate) || hasSwitch(m_options.arguments, kSwitchFullRefresh))
        return false;
    endProgram();
    return true;
}

bool TFormMain::checkForInstalledUpdate()
{
    // Filled by the self-update: true when the check installed a new version
    // (with `AutoUpdates` on), which then restarts the program.
    return false;
}

bool TFormMain::runFullRecreate()
{
    if (!hasSwitch(m_options.arguments, kSwitchFullRecreate))
        return false;
    recreatePrefetchFiles();
    endProgram();
    return true;
}

bool TFormMain::createMissingPrefetchFiles()
{
    const bool fullRefresh = hasSwitch(m_options.arguments, kSwitchFullRefresh);
    // The missing files only; "fullrefresh" forces them even while
    // prefetching is off.
    m_ws->createPrefetchFiles(fullRefresh, 0);
    if (!fullRefresh)
        return false;
    endProgram();
    return true;
}

void TFormMain::offerDrawDownload()
{
    // Asking makes sense only once there is a download to run.
    if (!drawDownloadAvailable())
        return;
    switch (m_keys.downloadDrawsOnStart) {
    case 0:
        if (m_host->showMessage(MessageKind::Question,
                                zircon::tr("Обновить список тиражей?\r\rДля выполнения обновления необходимо действующее "
                                   "подключение к сети Интернет.")))
            downloadDraws();
        break;
    case 1:
        downloadDraws();
        break;
    default:
        break;
    }
}

void TFormMain::showFirstRunDialog()
{
    if (!m_keys.firstRun)
        return;
    TFormFirstRun dialog(m_helpFile, this);
    dialog.exec();
    if (dialog.dontShowAgain()) {
        storeMainFormToggle(m_ws->formState(), mainform::kFirstRun, false);
        m_keys.firstRun = false;
    }
}

void TFormMain::downloadDraws()
{
    m_downloadCommands->run();
}

bool TFormMain::drawDownloadAvailable() const
{
    return m_downloadCommands != nullptr;
}

void TFormMain::recreatePrefetchFiles()
{
    constexpr uint32_t kAllGroups = (1u << kStatGroupCount) - 1;  // 8191
    m_ws->createPrefetchFiles(true, kAllGroups);
}

void TFormMain::showNormColumns(bool shown)
{
    m_statsTab->showNormColumns(shown);
}

// ---------------------------------------------------------------------------
// General commands

void TFormMain::showHelp()
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(m_helpFile)))
        m_host->showMessage(MessageKind::Error, fmt(zircon::tr("Не удалось открыть файл справки \"%s\"!"), m_helpFile));
}

QString TFormMain::aboutText() const
{
    const QString version = QStringLiteral(ZIRCON_VERSION);
    return applicationTitle() + QStringLiteral("\r\r") + zircon::tr("Версия программы:") + u' '
           + fmt(zircon::tr("%s ( %s )"), version, version) + QStringLiteral("\r\r") + QString::fromLatin1(kProgramName);
}

void TFormMain::showAbout()
{
    QMessageBox box(this);
    box.setWindowTitle(zircon::tr("О программе"));
    box.setIcon(QMessageBox::Information);
    box.setTextFormat(Qt::PlainText);
    box.setText(QtHost::messageBoxText(aboutText()));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

bool TFormMain::restartProgram()
{
    const QString program = QCoreApplication::applicationFilePath();
    const QString dir = QCoreApplication::applicationDirPath();
    QStringList args = restartArguments(QCoreApplication::applicationPid());
    // The new copy starts in the program's directory, where a relative data
    // directory would name another place: it gets the absolute one.
    if (dataDirGiven(m_options.arguments))
        args << QStringLiteral("--data-dir") << m_options.dataDir;
    QString error;
    const bool started = m_starter ? m_starter(program, args, dir, &error)
                                   : startDetachedProcess(program, args, dir, &error);
    if (!started) {
        m_host->showMessage(MessageKind::Error, fmt(zircon::tr("Не удалось перезапустить программу!\r\r%s"), error));
        return false;
    }
    endProgram();
    return true;
}

// ---------------------------------------------------------------------------
// Closing

void TFormMain::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    m_startupTimer.stop();
    if (m_ender) {
        m_ender();
        return;
    }
    // Later, from the main loop: the step that ends the program may be deep
    // inside the start-up work.
    QTimer::singleShot(0, this, [this] {
        close();
        QCoreApplication::quit();
    });
}

void TFormMain::closeEvent(QCloseEvent* event)
{
    // A close during busy work stops it first and closes once it has ended;
    // the window never goes away under a running loop.
    if (!m_ended && m_ws->busy()) {
        m_ws->progress().requestStop();
        m_pendingClose = true;
        event->ignore();
        return;
    }
    shutdown();
    event->accept();
}

void TFormMain::shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_startupTimer.stop();
    m_idleTimer.stop();
    // A copy that never took the data files (a second copy, a restart that
    // timed out) leaves the first copy's state alone.
    if (m_ws->stakesFile().isOpen()) {
        try {
            storeWindowState();
        } catch (const std::exception& e) {
            m_ws->showFailure(zircon::tr("Ошибка сохранения параметров программы!\r\r%s"), errorText(e));
        }
    }
    // The combination list and its undo copy are freed, the start-list cache
    // key reset, and the stakes, ratings and tables saved here as they arrive.
    m_ws->archive().clear();
    m_drawsTab->refreshList(true);
    m_ws->closeStakesFile();
}

void TFormMain::storeWindowState()
{
    const QString section = kMainFormSection.toString();
    saveWindowPlacement(m_ws->formState(), this, section);
    const QList<int> sizes = m_splitter->sizes();
    if (!sizes.isEmpty() && sizes.front() > 0)
        m_keys.leftPanelWidth = sizes.front();
    m_keys.drawsExclude = m_combsTab->excludeCount();
    m_keys.filtersHeight = m_combsTab->filtersHeight();
    m_keys.drawsStatLen = m_statsTab->view().windowLength();
    m_keys.drawsStatHeight = m_statsTab->chartHeight();
    m_keys.storeShutdownKeys(m_ws->formState());
    saveListState(m_ws->formState(), section, m_drawsTab->list(), kDrawsListName);
    saveListState(m_ws->formState(), section, m_statsTab->list(), kDrawsStatListName);
    m_combsTab->saveListColumns(m_ws->formState(), section);
    saveGridColumns(m_ws->formState(), section, m_stakesTab->grid(), QStringLiteral("sgStakes"));
}

}  // namespace zircon
