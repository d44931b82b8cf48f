#include "shell/DrawDownload.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <set>

#include "core/DrawDate.h"
#include "core/DrawsAnswer.h"
#include "core/Error.h"
#include "core/Format.h"
#include "core/IniFile.h"
#include "core/ProxyList.h"
#include "core/Tr.h"
#include "shell/BusyState.h"
#include "shell/Workspace.h"

namespace zircon {

namespace {

// The proxy-list search reads pages until it has enough entries; this bounds
// it should a service repeat full pages for ever.
constexpr int kMaxProxyListPages = 10;
constexpr int kRangeDays = 99;  // a range is 100 days: from, and 99 days after it

QString rangeDateText(int yyyymmdd)
{
    return DrawDateText(IntToDate(yyyymmdd));
}

}  // namespace

DrawDownload::DrawDownload(Workspace& workspace) : m_ws(workspace) {}

void DrawDownload::setTimeouts(int connectMs, int readMs)
{
    m_connectTimeoutMs = connectMs;
    m_readTimeoutMs = readMs;
}

int DrawDownload::todayInt() const
{
    return DateToInt(m_today ? m_today() : QDate::currentDate());
}

// ---------------------------------------------------------------------------
// Settings

void DrawDownload::LoadProxySettings()
{
    BusyScope busy(m_ws.busyState(), m_ws.host(), tr("Загрузка файла конфигурации..."));
    try {
        m_proxy.load(m_ws.settings().load());
    } catch (const std::exception& e) {
        m_ws.showFailure(tr("Ошибка чтения файла конфигурации!\r\r%s"), errorText(e));
    }
}

bool DrawDownload::SaveProxySettings(bool show)
{
    std::optional<BusyScope> busy;
    if (show)
        busy.emplace(m_ws.busyState(), m_ws.host(), tr("Сохранение файла конфигурации..."));
    try {
        m_ws.settings().update([&](IniFile& ini) { m_proxy.store(ini); });
        m_proxy.saved = true;
        return true;
    } catch (const std::exception& e) {
        m_ws.showFailure(tr("Ошибка записи в файл конфигурации!\r\r%s"), errorText(e));
        return false;
    }
}

NetworkSettings DrawDownload::networkSettings() const
{
    NetworkSettings s;
    s.load(m_ws.settings().loadOrEmpty());
    if (!m_serviceOverride.isEmpty()) {
        s.drawsService = m_serviceOverride.trimmed();
        while (s.drawsService.endsWith(u'/'))
            s.drawsService.chop(1);
    }
    if (!m_caFileOverride.isEmpty())
        s.caFile = m_caFileOverride;
    return s;
}

void DrawDownload::configureClient(const NetworkSettings& settings)
{
    HttpOptions o;
    o.connectTimeoutMs = m_connectTimeoutMs;
    o.readTimeoutMs = m_readTimeoutMs;
    o.followRedirects = true;
    o.caFile = settings.caFilePath(m_ws.paths().dir);
    o.pump = [this] {
        m_ws.host().processEvents();
        return !m_stop;
    };
    m_client.options() = o;
}

HttpOptions DrawDownload::listClientOptions(const NetworkSettings& settings) const
{
    // A client of its own, without proxy and with the default timeouts.
    HttpOptions o;
    o.caFile = settings.caFilePath(m_ws.paths().dir);
    o.pump = [this] {
        m_ws.host().processEvents();
        return !m_stop;
    };
    return o;
}

// ---------------------------------------------------------------------------
// The command and the loop

DownloadReport DrawDownload::runCommand()
{
    m_stop = false;
    m_running = true;
    {
        BusyScope busy(m_ws.busyState(), m_ws.host(), tr("Загрузка архива тиражей..."));
        m_waitText.clear();
        showWait(tr("Загрузка архива тиражей..."));
        try {
            DownloadDraws();
        } catch (const std::exception& e) {
            m_report.failed = true;
            m_ws.host().showMessage(MessageKind::Error, errorText(e));
        }
        // The stakes are checked whatever the download brought.
        if (m_stakesCheck) {
            try {
                m_stakesCheck();
            } catch (const std::exception& e) {
                m_ws.host().showMessage(MessageKind::Error, errorText(e));
            }
        }
        m_ws.host().waitClose();
        m_waitText.clear();
    }
    m_running = false;
    return m_report;
}

int DrawDownload::DownloadDraws()
{
    m_attempt = 1;
    m_report = DownloadReport();
    m_settings = networkSettings();
    configureClient(m_settings);
    m_configured = true;
    int added = 0;

    const DrawArchive& archive = m_ws.archive();
    // The first range starts the day after the newest draw. A newest draw
    // whose date does not read would start it at the game's first day and
    // append every draw a second time.
    if (!archive.empty()) {
        QDate newest;
        const QString text = QString::fromLatin1(archive.drawAtRow(0).date());
        try {
            newest = ParseDrawDate(text);
        } catch (const Error&) {
        }
        if (!newest.isValid()) {
            m_ws.host().showMessage(
                MessageKind::Error,
                fmt(tr("Дата последнего тиража архива (\"%s\") не распознана: загрузка новых тиражей невозможна, "
                       "пока она не исправлена."),
                    text));
            m_report.failed = true;
            return 0;
        }
    }

    bool proxySaveFailed = false;
    auto saveFoundProxy = [&] {
        if (!m_proxy.saved && !proxySaveFailed)
            proxySaveFailed = !SaveProxySettings(false);
    };

    int from = archive.DrawDateInt(0, 1);
    for (;;) {
        if (m_stop) {
            m_report.stopped = true;
            break;
        }
        try {
            const int today = todayInt();
            if (today < from)
                break;
            int to = IncIntDate(from, kRangeDays);
            if (to > today)
                to = today;
            if (to < from)
                to = from;
            const int n = FetchDrawRange(from, to);
            saveFoundProxy();
            if (n < 0) {
                (m_stop ? m_report.stopped : m_report.failed) = true;
                break;
            }
            if (n > 0) {
                added += n;
                m_report.added = added;
                m_ws.refreshAllViews(true);
            }
            if (to >= today)
                break;
            // An empty range moves on as well: the service may pause for
            // longer than one range.
            from = IncIntDate(to, 1);
        } catch (const std::exception& e) {
            if (m_stop) {
                m_report.stopped = true;
                break;
            }
            ++m_attempt;
            if (NextProxy())
                continue;
            const QString failure = errorText(e);
            if (!m_askToRetry) {
                m_ws.host().showMessage(MessageKind::Error,
                                        fmt(tr("Ошибка загрузки архива тиражей с сайта: \"%s\""), failure));
                m_report.failed = true;
                break;
            }
            if (!m_ws.host().showMessage(
                    MessageKind::ErrorQuestion,
                    fmt(tr("Ошибка загрузки архива тиражей с сайта: \"%s\"\r\rПовторить попытку?"), failure))) {
                m_report.failed = true;
                break;
            }
        }
    }
    m_proxy.list.clear();
    saveFoundProxy();
    m_report.added = added;
    return added;
}

int DrawDownload::FetchDrawRange(int from, int to)
{
    m_ws.host().setStatusText(kProgressPanel,
                              fmt(tr("Загрузка тиражей %s - %s..."), rangeDateText(from), rangeDateText(to)));
    if (!m_configured) {
        m_settings = networkSettings();
        configureClient(m_settings);
        m_configured = true;
    }
    const QString url = m_settings.drawsService + drawsRangeQuery(from, to);
    if (!ApplyProxy())
        return -1;
    const DrawsAnswer answer = parseDrawsAnswer(m_client.getText(url, false));

    // Oldest first, whatever order the service used; only the range asked
    // for (anything else is in the archive already or belongs to a later
    // range) and one draw a day, the first the answer gives.
    struct Dated {
        int date;
        TDraw draw;
    };
    std::vector<Dated> fresh;
    std::set<int> days;
    int refused = answer.skipped;
    for (const TDraw& draw : answer.draws) {
        const int date = DateToInt(ParseDrawDate(QString::fromLatin1(draw.date())));
        if (date < from || date > to || !days.insert(date).second) {
            ++refused;
            continue;
        }
        fresh.push_back({date, draw});
    }
    std::sort(fresh.begin(), fresh.end(), [](const Dated& a, const Dated& b) { return a.date < b.date; });
    m_report.skipped += refused;
    if (fresh.empty())
        return 0;

    m_ws.host().setStatusText(kProgressPanel, tr("Сохранение файла тиражей..."));
    const DrawArchive& archive = m_ws.archive();
    // Numbered after the newest draw's number: positions in the archive
    // collide with the real numbers after imports and deletions.
    int number = archive.empty() ? 0 : archive.drawAtRow(0).number;
    if (number > INT_MAX - static_cast<int>(fresh.size()))
        throw Error(fmt(tr("Номер тиража %d не допускает добавления новых тиражей"), number));
    TDrawsArray draws = archive.draws();
    draws.reserve(draws.size() + fresh.size());
    for (Dated& d : fresh) {
        d.draw.number = ++number;
        draws.push_back(d.draw);
    }
    if (!storeDraws(std::move(draws)))
        return -1;
    return static_cast<int>(fresh.size());
}

bool DrawDownload::storeDraws(TDrawsArray draws)
{
    {
        BusyScope busy(m_ws.busyState(), m_ws.host(), tr("Сохранение файла тиражей..."));
        try {
            m_ws.archive().store(m_ws.paths().archive, std::move(draws));
        } catch (const std::exception& e) {
            m_ws.showFailure(tr("Ошибка записи в файл тиражей!\r\r%s"), errorText(e));
            return false;
        }
    }
    m_ws.refreshDrawsList(true);
    return true;
}

// ---------------------------------------------------------------------------
// Proxies

void DrawDownload::showWait(const QString& text)
{
    // Every request sets the text; the window changes only when it does.
    if (text == m_waitText)
        return;
    m_waitText = text;
    m_ws.host().waitShow(text);
}

void DrawDownload::showWaitText()
{
    QString text = tr("Загрузка архива тиражей...");
    if (m_proxy.active() && !m_proxy.server.isEmpty())
        text = fmt(tr("Загрузка архива тиражей...\r\r%s"),
                   fmt(tr("Попытка %d, proxy %s : %d"), m_attempt, m_proxy.server, m_proxy.port));
    showWait(text);
}

bool DrawDownload::ApplyProxy()
{
    HttpProxy proxy;
    switch (m_proxy.mode) {
    case TProxy::Automatic:
        if (m_proxy.server.isEmpty()) {
            if (m_proxy.list.isEmpty() && !FindProxies(m_settings.drawsService))
                return false;
            try {
                if (m_proxy.list.isEmpty())
                    throw Error(tr("Не найдено ни одного proxy-сервера с заданными параметрами"));
                const QString entry = m_proxy.list.front();
                const qsizetype colon = entry.lastIndexOf(u':');
                bool ok = false;
                const int port = colon > 0 ? entry.mid(colon + 1).toInt(&ok) : 0;
                if (!ok || port < 1 || port > 65535)
                    throw Error(fmt(tr("Некорректный адрес proxy-сервера \"%s\""), entry));
                m_proxy.server = entry.left(colon);
                m_proxy.port = port;
                m_proxy.username.clear();
                m_proxy.password.clear();
                m_proxy.saved = false;
            } catch (const std::exception& e) {
                m_ws.showFailure(tr("Ошибка автоматического выбора proxy сервера!\r\r%s"), errorText(e));
                return false;
            }
        }
        proxy = HttpProxy::fromServer(m_proxy.server, m_proxy.port);
        break;
    case TProxy::Manual:
        proxy = HttpProxy::fromServer(m_proxy.server, m_proxy.port, m_proxy.username, m_proxy.password);
        break;
    default:
        break;
    }
    m_client.setProxy(proxy);
    showWaitText();
    return true;
}

bool DrawDownload::NextProxy()
{
    if (m_proxy.mode != TProxy::Automatic)
        return false;
    m_proxy.server.clear();
    m_proxy.port = 0;
    m_proxy.username.clear();
    m_proxy.password.clear();
    m_proxy.saved = false;
    if (!m_proxy.list.isEmpty())
        m_proxy.list.removeFirst();
    return !m_proxy.list.isEmpty();
}

bool DrawDownload::FindProxies(const QString& address)
{
    showWait(fmt(tr("Загрузка архива тиражей...\r\r%s"), tr("Поиск proxy-серверов")));
    try {
        const NetworkSettings settings = networkSettings();
        HttpClient client(listClientOptions(settings));
        ProxyListQuery query;
        if (address.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive))
            query.protocols = {QStringLiteral("https")};
        else
            query.protocols = {QStringLiteral("http"), QStringLiteral("https")};
        query.minUptime = 75;
        query.maxResponseTime = 0;
        QStringList found;
        for (int page = 1; page <= kMaxProxyListPages; ++page) {
            query.offset = kProxyListPageSize * (page - 1);
            const QStringList entries =
                parseProxyListPage(client.getText(proxyListUrl(settings.proxyListService, query), true));
            for (const QString& e : entries)
                if (!found.contains(e))
                    found << e;
            if (found.size() >= kProxyListWanted || entries.size() < kProxyListPageSize)
                break;
        }
        if (found.isEmpty())
            throw Error(tr("Не найдено ни одного proxy-сервера с заданными параметрами"));
        m_proxy.list = found;
        return true;
    } catch (const std::exception& e) {
        if (!m_stop)
            m_ws.showFailure(tr("Ошибка получения списка proxy-серверов!\r\r%s"), errorText(e));
        return false;
    }
}

}  // namespace zircon
