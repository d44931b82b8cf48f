#pragma once
// The draw download: new results fetched from the operator's service in
// ranges of 100 days and appended to the archive oldest first, through a
// proxy when the settings say so. It belongs to the workspace's session (the
// main window creates one, the command-line program another) and reports to
// the user only through the host: status panel 6, the wait window, the retry
// question and error boxes.
//
// A range the service reports empty does not end the download: it goes on to
// the next range until today, so a long pause of the game cannot stop the
// catching up for good. An answer that is not a list of draws, a status other
// than 2xx, a time-out or a refused certificate is a failure, answered with
// the retry question (or, without questions, a failure of the whole run).
#include <QDate>
#include <QString>

#include <functional>

#include "core/HttpClient.h"
#include "core/NetworkSettings.h"
#include "core/TProxy.h"
#include "core/Types.h"

namespace zircon {

class Workspace;

struct DownloadReport {
    int added = 0;         // draws appended (and saved) by this download
    int skipped = 0;       // pieces of the answers refused as unreadable or outside their range
    bool failed = false;   // it ended on a failure that was shown (or declined to retry)
    bool stopped = false;  // the user stopped it
};

class DrawDownload {
public:
    // The download's own client: connect 5000 ms, read 10000 ms.
    static constexpr int kConnectTimeoutMs = 5000;
    static constexpr int kReadTimeoutMs = 10000;

    explicit DrawDownload(Workspace& workspace);

    // The proxy settings (section PROXY). Load shows its failure with
    // "Ошибка чтения файла конфигурации!"; save with "Ошибка записи в файл
    // конфигурации!", and the status text only when `show` is set.
    TProxy& proxy() { return m_proxy; }
    const TProxy& proxy() const { return m_proxy; }
    void LoadProxySettings();
    bool SaveProxySettings(bool show);

    // The service addresses and the CA file, read from section NETWORK at the
    // start of every download; the overrides (the command line's --service
    // and --ca-file) win over the file for this session.
    NetworkSettings networkSettings() const;
    void setServiceOverride(const QString& url) { m_serviceOverride = url; }
    void setCaFileOverride(const QString& file) { m_caFileOverride = file; }

    // With questions (the window), a failure asks "Повторить попытку?"; without
    // (the command-line program), it is shown as an error and ends the run.
    void setAskToRetry(bool ask) { m_askToRetry = ask; }
    void setTimeouts(int connectMs, int readMs);
    // Today's date; the clock by default (tests choose their own).
    void setToday(std::function<QDate()> today) { m_today = std::move(today); }
    // Runs after every download, whatever its outcome: the stakes are checked
    // against the new draws and their view refreshed.
    void setStakesCheck(std::function<void()> check) { m_stakesCheck = std::move(check); }

    // The command: the busy state, the wait window and the status text
    // "Загрузка архива тиражей..."; DownloadDraws; the stakes check; then the
    // wait window is closed and the status cleared.
    DownloadReport runCommand();

    // The download loop; returns the number of draws added.
    int DownloadDraws();
    // One request for the draws dated from..to (yyyymmdd) and their appending,
    // with the settings the download under way read (read now when none is);
    // the number appended, 0 for a range without new draws, or -1 when no
    // request was made (no proxy found) or the archive could not be saved, which
    // ends the download. Failures of the request and of the answer are thrown.
    int FetchDrawRange(int from, int to);
    // Sets the client's proxy for the current mode; false when automatic mode
    // finds none.
    bool ApplyProxy();
    // Automatic mode: drops the current proxy; whether another one is left.
    bool NextProxy();
    // Fills the proxy list from the proxy-list service, for proxies that
    // reach `address`.
    bool FindProxies(const QString& address);

    // The stop button and a close request of the window set this; a running
    // request is abandoned within 100 ms and the download ends without
    // asking. Cleared when a command starts.
    void requestStop() { m_stop = true; }
    bool stopRequested() const { return m_stop; }
    bool running() const { return m_running; }

    // Attempts of the current download: 1, raised after every failed request.
    int attempt() const { return m_attempt; }
    const DownloadReport& lastReport() const { return m_report; }

private:
    int todayInt() const;
    void configureClient(const NetworkSettings& settings);
    HttpOptions listClientOptions(const NetworkSettings& settings) const;
    bool storeDraws(TDrawsArray draws);
    void showWaitText();
    void showWait(const QString& text);

    Workspace& m_ws;
    HttpClient m_client;
    TProxy m_proxy;
    NetworkSettings m_settings;  // of the download under way
    bool m_configured = false;   // the client has its options (DownloadDraws sets them afresh)
    QString m_serviceOverride;
    QString m_caFileOverride;
    bool m_askToRetry = true;
    int m_connectTimeoutMs = kConnectTimeoutMs;
    int m_readTimeoutMs = kReadTimeoutMs;
    std::function<QDate()> m_today;
    std::function<void()> m_stakesCheck;
    bool m_stop = false;
    bool m_running = false;
    int m_attempt = 1;
    DownloadReport m_report;
    QString m_waitText;  // what the wait window shows now
};

}  // namespace zircon
