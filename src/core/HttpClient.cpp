#include "core/HttpClient.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QUrl>

#include <curl/curl.h>

#include <mutex>

#include "core/Error.h"
#include "core/Format.h"
#include "core/Tr.h"

namespace zircon {

namespace {

// Short enough that the pump runs well within every 100 ms.
constexpr long kPollMs = 40;
constexpr long kMaxRedirects = 10;

constexpr char kAccept[] = "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";
// Only what libcurl decodes: advertising "sdch" would invite answers nothing reads.
constexpr char kAcceptEncoding[] = "gzip, deflate";
constexpr char kUserAgent[] =
    "Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/47.0.2526.80 Safari/537.36";

void globalInit()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool isHttps(const QString& url)
{
    return url.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive);
}

bool isHttp(const QString& url)
{
    return url.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive);
}

struct SlistDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

struct MultiDeleter {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};

QByteArray formBody(const std::vector<HttpField>& fields)
{
    QByteArray body;
    for (const HttpField& f : fields) {
        if (!body.isEmpty())
            body += '&';
        body += f.name.toPercentEncoding() + '=' + f.value.toPercentEncoding();
    }
    return body;
}

}  // namespace

HttpProxy HttpProxy::fromServer(const QString& server, int port, const QString& user, const QString& password)
{
    struct Prefix {
        const char* text;
        Kind kind;
    };
    static const Prefix kPrefixes[] = {{"http://", Kind::Http},       {"socks4://", Kind::Socks4},
                                       {"socks4a://", Kind::Socks4},  {"socks5://", Kind::Socks5},
                                       {"socks5h://", Kind::Socks5}};
    HttpProxy p;
    p.host = server.trimmed();
    for (const Prefix& prefix : kPrefixes) {
        const QString text = QString::fromLatin1(prefix.text);
        if (p.host.startsWith(text, Qt::CaseInsensitive)) {
            p.kind = prefix.kind;
            p.host = p.host.mid(text.size());
            break;
        }
    }
    p.port = port;
    p.user = user;
    p.password = password;
    return p;
}

struct HttpClient::Impl {
    CURL* easy = nullptr;
    // The system's bundle joined with the extra CA file, built once per file.
    QString caFile;
    QByteArray caBundle;

    Impl()
    {
        globalInit();
        easy = curl_easy_init();
    }
    ~Impl()
    {
        if (easy)
            curl_easy_cleanup(easy);
    }

    const QByteArray& bundleWith(const QString& file)
    {
        if (file == caFile && !caBundle.isEmpty())
            return caBundle;
        QFile extra(file);
        if (!extra.open(QIODevice::ReadOnly))
            throw Error(fmt(tr("Не удалось прочитать файл сертификатов \"%s\": %s"), file, extra.errorString()));
        QByteArray bundle;
        char* systemFile = nullptr;
        if (curl_easy_getinfo(easy, CURLINFO_CAINFO, &systemFile) == CURLE_OK && systemFile) {
            QFile system(QString::fromLocal8Bit(systemFile));
            if (system.open(QIODevice::ReadOnly))
                bundle = system.readAll();
        }
        bundle += '\n';
        bundle += extra.readAll();
        caFile = file;
        caBundle = bundle;
        return caBundle;
    }
};

namespace {

// One request's state shared with libcurl's callbacks.
struct Transfer {
    const std::function<bool(const char*, size_t, QString*)>* sink = nullptr;
    QString sinkError;
    QElapsedTimer clock;
    qint64 lastActivityMs = 0;
};

size_t onBody(char* data, size_t size, size_t count, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    t->lastActivityMs = t->clock.elapsed();
    if (!(*t->sink)(data, bytes, &t->sinkError))
        return 0;  // libcurl ends the transfer with a write error
    return bytes;
}

size_t onHeader(char*, size_t size, size_t count, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    t->lastActivityMs = t->clock.elapsed();
    return size * count;
}

}  // namespace

HttpClient::HttpClient(HttpOptions options) : m_options(std::move(options)), m_impl(std::make_unique<Impl>()) {}

HttpClient::~HttpClient() = default;

QByteArray HttpClient::acceptHeader()
{
    return QByteArray(kAccept);
}

QByteArray HttpClient::acceptEncoding()
{
    return QByteArray(kAcceptEncoding);
}

QByteArray HttpClient::userAgent()
{
    return QByteArray(kUserAgent);
}

void HttpClient::perform(const QString& url, const QByteArray* postBody, bool followRedirects, const Sink& sink)
{
    Transfer t;
    t.sink = &sink;
    m_lastStatus = 0;
    m_lastStopped = false;
    if (!isHttp(url) && !isHttps(url))
        throw Error(fmt(tr("Неподдерживаемый адрес \"%s\": допускаются только адреса http:// и https://"), url));
    CURL* h = m_impl->easy;
    if (!h)
        throw Error(tr("Не удалось инициализировать HTTP-клиент"));
    // A reset keeps the cookies the handle has collected.
    curl_easy_reset(h);

    char errorBuffer[CURL_ERROR_SIZE] = {};
    const QByteArray urlBytes = url.toUtf8();
    curl_easy_setopt(h, CURLOPT_URL, urlBytes.constData());
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, isHttps(url) ? "https" : "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, followRedirects ? 1L : 0L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(h, CURLOPT_COOKIEFILE, "");
    curl_easy_setopt(h, CURLOPT_ACCEPT_ENCODING, kAcceptEncoding);
    curl_easy_setopt(h, CURLOPT_USERAGENT, kUserAgent);
    std::unique_ptr<curl_slist, SlistDeleter> headers(
        curl_slist_append(nullptr, (QByteArrayLiteral("Accept: ") + kAccept).constData()));
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_options.connectTimeoutMs));
    curl_easy_setopt(h, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(h, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
    if (!m_options.caFile.isEmpty()) {
        const QByteArray& bundle = m_impl->bundleWith(m_options.caFile);
        curl_blob blob{const_cast<char*>(bundle.constData()), static_cast<size_t>(bundle.size()), CURL_BLOB_COPY};
        curl_easy_setopt(h, CURLOPT_CAINFO_BLOB, &blob);
    }

    const QByteArray proxyHost = m_proxy.host.toUtf8();
    const QByteArray proxyUser = m_proxy.user.toUtf8();
    const QByteArray proxyPassword = m_proxy.password.toUtf8();
    if (m_proxy.enabled()) {
        curl_easy_setopt(h, CURLOPT_PROXY, proxyHost.constData());
        curl_easy_setopt(h, CURLOPT_PROXYPORT, static_cast<long>(m_proxy.port));
        long type = CURLPROXY_HTTP;
        if (m_proxy.kind == HttpProxy::Kind::Socks4)
            type = CURLPROXY_SOCKS4;
        else if (m_proxy.kind == HttpProxy::Kind::Socks5)
            type = CURLPROXY_SOCKS5_HOSTNAME;
        curl_easy_setopt(h, CURLOPT_PROXYTYPE, type);
        if (!m_proxy.user.isEmpty() || !m_proxy.password.isEmpty()) {
            curl_easy_setopt(h, CURLOPT_PROXYUSERNAME, proxyUser.constData());
            curl_easy_setopt(h, CURLOPT_PROXYPASSWORD, proxyPassword.constData());
        }
        // The proxy the user chose, for every host, whatever no_proxy says.
        curl_easy_setopt(h, CURLOPT_NOPROXY, "");
    } else {
        // No proxy means none: not one taken from the environment either.
        curl_easy_setopt(h, CURLOPT_PROXY, "");
    }

    if (postBody) {
        curl_easy_setopt(h, CURLOPT_POST, 1L);
        curl_easy_setopt(h, CURLOPT_POSTFIELDS, postBody->constData());
        curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(postBody->size()));
    } else {
        curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    }
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &t);

    std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
    if (!multi)
        throw Error(tr("Не удалось инициализировать HTTP-клиент"));
    curl_multi_add_handle(multi.get(), h);

    // The multi interface does the work in small steps, so the pump runs
    // between them; the read timeout counts from the moment the request goes
    // out (the connect timeout covers what comes before) and from every byte.
    t.clock.start();
    t.lastActivityMs = 0;
    bool requestSent = false;
    bool readTimedOut = false;
    curl_off_t lastUploaded = 0;
    int running = 1;
    CURLMcode multiCode = CURLM_OK;
    while (running) {
        multiCode = curl_multi_perform(multi.get(), &running);
        if (multiCode != CURLM_OK || !running)
            break;
        if (!requestSent) {
            curl_off_t pretransfer = 0;
            if (curl_easy_getinfo(h, CURLINFO_PRETRANSFER_TIME_T, &pretransfer) == CURLE_OK && pretransfer > 0) {
                requestSent = true;
                t.lastActivityMs = t.clock.elapsed();
            }
        }
        // A form still going out is activity as well.
        curl_off_t uploaded = 0;
        if (postBody && curl_easy_getinfo(h, CURLINFO_SIZE_UPLOAD_T, &uploaded) == CURLE_OK
            && uploaded != lastUploaded) {
            lastUploaded = uploaded;
            t.lastActivityMs = t.clock.elapsed();
        }
        if (requestSent && t.clock.elapsed() - t.lastActivityMs > m_options.readTimeoutMs) {
            readTimedOut = true;
            break;
        }
        if (m_options.pump && !m_options.pump()) {
            m_lastStopped = true;
            break;
        }
        multiCode = curl_multi_poll(multi.get(), nullptr, 0, kPollMs, nullptr);
        if (multiCode != CURLM_OK)
            break;
    }

    CURLcode result = CURLE_OK;
    bool done = false;
    int left = 0;
    while (CURLMsg* msg = curl_multi_info_read(multi.get(), &left)) {
        if (msg->msg == CURLMSG_DONE && msg->easy_handle == h) {
            result = msg->data.result;
            done = true;
        }
    }
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    curl_multi_remove_handle(multi.get(), h);

    if (m_lastStopped)
        throw Error(tr("Загрузка прервана пользователем"));
    if (readTimedOut)
        throw Error(fmt(tr("Сервер не ответил за отведенное время (%d мс)"), m_options.readTimeoutMs));
    if (multiCode != CURLM_OK)
        throw Error(fmt(tr("Ошибка соединения с сервером: %s"), QString::fromUtf8(curl_multi_strerror(multiCode))));
    if (!done)
        throw Error(tr("Ошибка соединения с сервером: запрос не завершен"));
    const QString detail
        = errorBuffer[0] ? QString::fromUtf8(errorBuffer) : QString::fromUtf8(curl_easy_strerror(result));
    switch (result) {
    case CURLE_OK:
        break;
    case CURLE_OPERATION_TIMEDOUT:
        throw Error(
            fmt(tr("Не удалось соединиться с сервером за отведенное время (%d мс)"), m_options.connectTimeoutMs));
    case CURLE_PEER_FAILED_VERIFICATION:
        throw Error(fmt(tr("Сертификат сервера не прошел проверку: %s"), detail));
    case CURLE_UNSUPPORTED_PROTOCOL:
        // The address itself was checked above: what is refused is where a
        // redirect wanted to go.
        throw Error(fmt(tr("Сервер перенаправил запрос на недопустимый адрес (после https допускается только "
                           "https): %s"),
                        detail));
    case CURLE_WRITE_ERROR:
        if (!t.sinkError.isEmpty())
            throw Error(t.sinkError);
        [[fallthrough]];
    default:
        throw Error(fmt(tr("Ошибка соединения с сервером: %s"), detail));
    }
    m_lastStatus = static_cast<int>(status);
    if (status < 200 || status > 299)
        throw Error(fmt(tr("Сервер ответил ошибкой HTTP %d на запрос \"%s\""), m_lastStatus, url));
}

namespace {

HttpClient::Sink memorySink(QByteArray& body)
{
    return [&body](const char* data, size_t size, QString* error) {
        if (body.size() + static_cast<qint64>(size) > HttpClient::kMaxBodyBytes) {
            *error = fmt(tr("Ответ сервера слишком велик (более %d байт)"), HttpClient::kMaxBodyBytes);
            return false;
        }
        body.append(data, static_cast<qsizetype>(size));
        return true;
    };
}

}  // namespace

QByteArray HttpClient::get(const QString& url)
{
    QByteArray body;
    perform(url, nullptr, m_options.followRedirects, memorySink(body));
    return body;
}

QString HttpClient::getText(const QString& url, bool utf8)
{
    const QByteArray body = get(url);
    return utf8 ? QString::fromUtf8(body) : QString::fromLatin1(body);
}

void HttpClient::getToFile(const QString& url, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(fmt(tr("Ошибка записи в файл \"%s\": %s"), path, file.errorString()));
    const Sink sink = [&](const char* data, size_t size, QString* error) {
        if (file.write(data, static_cast<qint64>(size)) != static_cast<qint64>(size)) {
            *error = fmt(tr("Ошибка записи в файл \"%s\": %s"), path, file.errorString());
            return false;
        }
        return true;
    };
    // On any failure the temporary file is dropped with `file`.
    perform(url, nullptr, true, sink);
    if (!file.commit())
        throw Error(fmt(tr("Ошибка записи в файл \"%s\": %s"), path, file.errorString()));
}

QByteArray HttpClient::post(const QString& url, const std::vector<HttpField>& fields)
{
    const QByteArray form = formBody(fields);
    QByteArray body;
    perform(url, &form, m_options.followRedirects, memorySink(body));
    return body;
}

QString HttpClient::postText(const QString& url, const std::vector<HttpField>& fields, bool utf8)
{
    const QByteArray body = post(url, fields);
    return utf8 ? QString::fromUtf8(body) : QString::fromLatin1(body);
}

}  // namespace zircon
