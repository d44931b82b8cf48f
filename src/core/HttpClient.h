#pragma once
// The program's one HTTP(S) client, on libcurl: the draw download and the
// online services all speak through it.
//
// Every request carries the same Accept and User-Agent headers and accepts
// gzip and deflate answers, which arrive decompressed. Server certificates are
// verified against the system's certificates and an optional extra CA file:
// answers may come through public proxies, so an unverified server could feed
// the archive anything. A redirect never leads from https to http. An answer
// other than 2xx is a failure, never an empty result. Cookies live in memory
// for as long as the client does; each connection is closed after its request.
//
// Requests run on the calling (user-interface) thread. While one runs, the
// pump is called at least every 100 ms so that windows keep painting and the
// stop button works; when it returns false the request is abandoned.
#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace zircon {

// A proxy between the client and the servers; no proxy while the host is empty.
struct HttpProxy {
    enum class Kind {
        Http,    // CONNECT tunnels for https, plain forwarding for http
        Socks4,  // addresses resolved here
        Socks5,  // names resolved by the proxy
    };
    Kind kind = Kind::Http;
    QString host;
    int port = 0;
    QString user;      // optional
    QString password;  // optional

    bool enabled() const { return !host.isEmpty(); }

    // The proxy of a server field as the user types it: a leading "http://",
    // "socks4://", "socks4a://", "socks5://" or "socks5h://" names the kind
    // (HTTP without one).
    static HttpProxy fromServer(const QString& server, int port, const QString& user = {},
                                const QString& password = {});
};

// One field of a form POST; the caller encodes the texts as its service
// expects, the client only percent-encodes the bytes.
struct HttpField {
    QByteArray name;
    QByteArray value;
};

struct HttpOptions {
    int connectTimeoutMs = 10000;  // name lookup, TCP, proxy and TLS handshakes
    int readTimeoutMs = 30000;     // silence of the server once the request is under way
    bool followRedirects = true;   // GET into a file follows them always
    QString caFile;                // PEM certificates trusted beside the system's; empty: none
    // Called at least every 100 ms while a request runs; false stops it.
    std::function<bool()> pump;
};

class HttpClient {
public:
    explicit HttpClient(HttpOptions options = {});
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    HttpOptions& options() { return m_options; }
    const HttpOptions& options() const { return m_options; }
    void setProxy(HttpProxy proxy) { m_proxy = std::move(proxy); }
    const HttpProxy& proxy() const { return m_proxy; }

    // Each throws Error with a message for the user when the request fails,
    // times out, is stopped or is answered with a status other than 2xx.
    QByteArray get(const QString& url);
    // The body as text: decoded from UTF-8, or byte for byte (Latin-1).
    QString getText(const QString& url, bool utf8);
    // Writes the body to a temporary file beside `path` and renames it over
    // `path` once the answer is whole, so a failure leaves the old file as it
    // was; a missing file is created.
    void getToFile(const QString& url, const QString& path);
    // POST of form fields (application/x-www-form-urlencoded).
    QByteArray post(const QString& url, const std::vector<HttpField>& fields);
    QString postText(const QString& url, const std::vector<HttpField>& fields, bool utf8);

    // The HTTP status of the last answer; 0 when none came.
    int lastStatus() const { return m_lastStatus; }
    // Whether the last request ended because the pump asked to stop.
    bool lastStopped() const { return m_lastStopped; }

    // The request headers every request carries.
    static QByteArray acceptHeader();
    static QByteArray acceptEncoding();
    static QByteArray userAgent();

    // Takes the decoded body piece by piece; false stops the transfer, with
    // the reason in *error.
    using Sink = std::function<bool(const char* data, size_t size, QString* error)>;

    // The largest answer kept in memory; larger ones fail.
    static constexpr qint64 kMaxBodyBytes = 64LL * 1024 * 1024;

private:
    struct Impl;
    void perform(const QString& url, const QByteArray* postBody, bool followRedirects, const Sink& sink);

    HttpOptions m_options;
    HttpProxy m_proxy;
    std::unique_ptr<Impl> m_impl;
    int m_lastStatus = 0;
    bool m_lastStopped = false;
};

}  // namespace zircon
