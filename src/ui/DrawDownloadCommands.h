#pragma once
// The commands of the draw download: "Загрузка" (F3) with its wait window and
// stop button, the choice of what the start does ("AutoDownload0".."2", one
// radio group under the draws menu) and the proxy dialog. They own the
// session's download; the main window fills its start-up hooks from here.
#include <QObject>
#include <QStringList>

#include "shell/DrawDownload.h"

class QMenu;
class QWidget;

namespace zircon {

class ActionSet;
class QtHost;
class Workspace;
struct MainFormKeys;

class DrawDownloadCommands : public QObject {
    Q_OBJECT
public:
    // `window` is the main window: a close request while the download runs
    // stops it.
    DrawDownloadCommands(Workspace& workspace, QtHost& host, MainFormKeys& keys, QWidget* window);

    DrawDownload& download() { return m_download; }

    // Adds DrawsDownload, AutoDownload0, AutoDownload1, AutoDownload2 and EditProxy.
    void addTo(ActionSet& actions);
    // A separator, DrawsDownload and the submenu of the three start choices.
    void addToMenu(ActionSet& actions, QMenu* drawsMenu);

    // "DrawsDownload": the wait window with its stop button, then the download.
    void run();
    // "AutoDownload0".."2": sets and stores `DownloadDrawsOnStart`.
    void setStartMode(int mode);
    // "EditProxy": the proxy dialog; on OK the PROXY section is saved.
    void editProxy();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Workspace& m_ws;
    QtHost& m_host;
    MainFormKeys& m_keys;
    QWidget* m_window;
    DrawDownload m_download;
};

}  // namespace zircon
