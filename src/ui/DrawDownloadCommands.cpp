#include "ui/DrawDownloadCommands.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QMenu>
#include <QWidget>

#include "core/MainFormKeys.h"
#include "core/Tr.h"
#include "shell/Workspace.h"
#include "ui/ActionSet.h"
#include "ui/DialogRunner.h"
#include "ui/QtHost.h"
#include "ui/TFormProxy.h"
#include "ui/WaitWindow.h"

namespace zircon {

DrawDownloadCommands::DrawDownloadCommands(Workspace& workspace, QtHost& host, MainFormKeys& keys, QWidget* window)
    : m_ws(workspace), m_host(host), m_keys(keys), m_window(window), m_download(workspace)
{
    // New draws are checked against the stakes at once, and the grid shows it.
    m_download.setStakesCheck([this] { m_ws.stakes().checkManual(); });
    if (m_window)
        m_window->installEventFilter(this);
}

void DrawDownloadCommands::addTo(ActionSet& actions)
{
    actions.add({"DrawsDownload", ZT("Загрузка"), ZT("Загрузка архива тиражей с сайта лотереи"),
                 QKeySequence(Qt::Key_F3), {}, [this] { run(); }, {}});
    actions.add({"AutoDownload0", ZT("По запросу (по умолчанию)"), ZT("Спросить пользователя"), QKeySequence(), {},
                 [this] { setStartMode(0); }, [this] { return m_keys.downloadDrawsOnStart == 0; }});
    actions.add({"AutoDownload1", ZT("Автоматически"), ZT("Автоматическая загрузка тиражей при запуске программы"),
                 QKeySequence(), {}, [this] { setStartMode(1); }, [this] { return m_keys.downloadDrawsOnStart == 1; }});
    actions.add({"AutoDownload2", ZT("Отключено"), ZT("Без автоматической загрузки при запуске программы"),
                 QKeySequence(), {}, [this] { setStartMode(2); }, [this] { return m_keys.downloadDrawsOnStart == 2; }});
    actions.add({"EditProxy", ZT("Параметры proxy-сервера"), ZT("Параметры proxy-сервера"), QKeySequence(), {},
                 [this] { editProxy(); }, {}});
    auto* group = new QActionGroup(this);
    group->setExclusive(true);
    for (const char* name : {"AutoDownload0", "AutoDownload1", "AutoDownload2"})
        if (QAction* a = actions.action(QString::fromLatin1(name)))
            group->addAction(a);
}

void DrawDownloadCommands::addToMenu(ActionSet& actions, QMenu* drawsMenu)
{
    drawsMenu->addSeparator();
    if (QAction* a = actions.action(QStringLiteral("DrawsDownload")))
        drawsMenu->addAction(a);
    QMenu* start = drawsMenu->addMenu(zircon::tr("Загрузка тиражей при запуске программы"));
    start->setObjectName(QStringLiteral("mnAutoDownload"));
    for (const char* name : {"AutoDownload0", "AutoDownload1", "AutoDownload2"})
        if (QAction* a = actions.action(QString::fromLatin1(name)))
            start->addAction(a);
    connect(start, &QMenu::aboutToShow, this, [&actions] { actions.updateStates(); });
}

void DrawDownloadCommands::run()
{
    if (m_download.running())
        return;
    // The window exists before the download so that its stop button does.
    m_host.waitShow(zircon::tr("Загрузка архива тиражей..."));
    if (WaitWindow* w = m_host.waitWindow())
        w->setStopHandler([this] { m_download.requestStop(); });
    m_download.runCommand();
}

void DrawDownloadCommands::setStartMode(int mode)
{
    storeMainFormValue(m_ws.formState(), mainform::kDownloadDrawsOnStart, mode);
    m_keys.downloadDrawsOnStart = mode;
}

void DrawDownloadCommands::editProxy()
{
    TFormProxy dialog(m_download.proxy(), m_window);
    if (runDialog(dialog) != QDialog::Accepted)
        return;
    m_download.proxy() = dialog.result();
    m_download.SaveProxySettings(true);
}

bool DrawDownloadCommands::eventFilter(QObject* watched, QEvent* event)
{
    // The window's own close handling waits for the busy work to end; the
    // download ends at once when asked.
    if (watched == m_window && event->type() == QEvent::Close && m_download.running())
        m_download.requestStop();
    return QObject::eventFilter(watched, event);
}

}  // namespace zircon
