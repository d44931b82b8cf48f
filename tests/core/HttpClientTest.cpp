#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <atomic>
#include <cstdlib>

#include "core/Error.h"
#include "core/HttpClient.h"
#include "support/TempDir.h"
#include "support/TestHttpServer.h"
#include "support/TestProxy.h"

using namespace zircon;
using namespace zircon::test;

namespace {

// The answers of the tests: what each path serves and what it saw.
class HttpClientTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto& http = server.http();
        http.Get("/hello", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("plain answer", "text/plain");
        });
        http.Get("/gzip", [](const httplib::Request&, httplib::Response& res) {
            setCompressed(res, "[{\"compressed\":\"gzip\"}]", true);
        });
        http.Get("/deflate", [](const httplib::Request&, httplib::Response& res) {
            setCompressed(res, "[{\"compressed\":\"deflate\"}]", false);
        });
        http.Get("/headers", [this](const httplib::Request& req, httplib::Response& res) {
            std::lock_guard lock(m_mutex);
            m_headers = req.headers;
            res.set_content("ok", "text/plain");
        });
        http.Get(R"(/status/(\d+))", [](const httplib::Request& req, httplib::Response& res) {
            res.status = std::stoi(req.matches[1]);
            if (res.status != 204)
                res.set_content("status page", "text/plain");
        });
        http.Get("/to-https", [this](const httplib::Request&, httplib::Response& res) {
            res.set_redirect(server.url(QStringLiteral("/hello")).toStdString());
        });
        http.Get("/to-http", [this](const httplib::Request&, httplib::Response& res) {
            res.set_redirect(plain.url(QStringLiteral("/hello")).toStdString());
        });
        http.Get("/set-cookie", [](const httplib::Request&, httplib::Response& res) {
            res.set_header("Set-Cookie", "session=abc123; Path=/");
            res.set_content("set", "text/plain");
        });
        http.Get("/cookie", [](const httplib::Request& req, httplib::Response& res) {
            res.set_content(req.get_header_value("Cookie"), "text/plain");
        });
        http.Post("/form", [](const httplib::Request& req, httplib::Response& res) {
            res.set_content(req.get_header_value("Content-Type") + "|" + req.get_param_value("title") + "|"
                                + req.get_param_value("text") + "|" + req.body,
                            "text/plain");
        });
        http.Get("/file", [](const httplib::Request&, httplib::Response& res) {
            setCompressed(res, "new content", true);
        });
        http.Get("/wait", [this](const httplib::Request&, httplib::Response& res) {
            m_gate.wait();
            res.set_content("late answer", "text/plain");
        });
        server.start();
        plain.http().Get("/hello", [this](const httplib::Request&, httplib::Response& res) {
            ++m_plainHits;
            res.set_content("plain http", "text/plain");
        });
        plain.http().Get("/to-https", [this](const httplib::Request&, httplib::Response& res) {
            res.set_redirect(server.url(QStringLiteral("/hello")).toStdString());
        });
        plain.start();
    }
    void TearDown() override
    {
        m_gate.open();
        server.stop();
        plain.stop();
    }

    static HttpOptions trusting()
    {
        HttpOptions o;
        o.caFile = testPki().caFile;
        return o;
    }
    QString url(const char* path) const { return server.url(QString::fromLatin1(path)); }
    std::string header(const char* name)
    {
        std::lock_guard lock(m_mutex);
        auto it = m_headers.find(name);
        return it == m_headers.end() ? std::string("<none>") : it->second;
    }
    static QString failureOf(const std::function<void()>& request)
    {
        try {
            request();
        } catch (const Error& e) {
            return e.text();
        }
        return QStringLiteral("<no failure>");
    }

    TestHttpServer server{TestHttpServer::Tls::On};
    TestHttpServer plain{TestHttpServer::Tls::Off};
    Gate m_gate;
    std::mutex m_mutex;
    httplib::Headers m_headers;
    std::atomic<int> m_plainHits{0};
};

}  // namespace

TEST_F(HttpClientTest, SendsTheProgramsHeadersAndNeverOffersSdch)
{
    HttpClient client(trusting());
    EXPECT_EQ(client.get(url("/headers")), QByteArray("ok"));
    EXPECT_EQ(header("Accept"), "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
    EXPECT_EQ(header("Accept-Encoding"), "gzip, deflate");
    EXPECT_EQ(header("User-Agent"),
              "Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/47.0.2526.80 "
              "Safari/537.36");
    EXPECT_EQ(client.lastStatus(), 200);
}

TEST_F(HttpClientTest, CompressedAnswersArriveDecompressed)
{
    struct Case {
        const char* path;
        const char* body;
    };
    HttpClient client(trusting());
    for (const Case& c : {Case{"/hello", "plain answer"}, Case{"/gzip", "[{\"compressed\":\"gzip\"}]"},
                          Case{"/deflate", "[{\"compressed\":\"deflate\"}]"}})
        EXPECT_EQ(client.get(url(c.path)), QByteArray(c.body)) << c.path;
}

TEST_F(HttpClientTest, TextIsDecodedOnlyWhenAsked)
{
    server.http().Get("/utf8", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("\xD0\xA2\xD0\xB8\xD1\x80\xD0\xB0\xD0\xB6", "text/plain");  // "Тираж" in UTF-8
    });
    HttpClient client(trusting());
    EXPECT_EQ(client.getText(url("/utf8"), true), QStringLiteral("Тираж"));
    const QString raw = client.getText(url("/utf8"), false);
    ASSERT_EQ(raw.size(), 10) << "one character per byte";
    EXPECT_EQ(raw[0].unicode(), 0xD0);
}

TEST_F(HttpClientTest, AnAnswerOtherThan2xxIsAFailure)
{
    struct Case {
        int status;
        bool ok;
    };
    HttpClient client(trusting());
    client.options().followRedirects = false;
    for (const Case c : {Case{200, true}, Case{204, true}, Case{302, false}, Case{404, false}, Case{500, false},
                         Case{503, false}}) {
        const QString path = QStringLiteral("/status/%1").arg(c.status);
        const QString failure = failureOf([&] { client.get(server.url(path)); });
        if (c.ok) {
            EXPECT_EQ(failure, QStringLiteral("<no failure>")) << c.status;
        } else {
            EXPECT_EQ(failure, QStringLiteral("Сервер ответил ошибкой HTTP %1 на запрос \"%2\"")
                                   .arg(c.status)
                                   .arg(server.url(path)))
                << c.status;
        }
        EXPECT_EQ(client.lastStatus(), c.status);
    }
}

TEST_F(HttpClientTest, RedirectsAreFollowedButNeverFromHttpsToHttp)
{
    HttpClient client(trusting());
    EXPECT_EQ(client.get(url("/to-https")), QByteArray("plain answer"));
    EXPECT_EQ(client.get(plain.url(QStringLiteral("/to-https"))), QByteArray("plain answer")) << "http may go to https";

    const QString failure = failureOf([&] { client.get(url("/to-http")); });
    EXPECT_TRUE(failure.startsWith(QStringLiteral("Сервер перенаправил запрос на недопустимый адрес")))
        << failure.toStdString();
    EXPECT_EQ(m_plainHits.load(), 0) << "the http address is never asked";

    client.options().followRedirects = false;
    EXPECT_NE(failureOf([&] { client.get(url("/to-https")); }), QStringLiteral("<no failure>"))
        << "an unfollowed redirect is no answer";
}

TEST_F(HttpClientTest, CookiesLiveAsLongAsTheClient)
{
    HttpClient client(trusting());
    EXPECT_EQ(client.get(url("/cookie")), QByteArray());
    client.get(url("/set-cookie"));
    EXPECT_EQ(client.get(url("/cookie")), QByteArray("session=abc123"));
    EXPECT_EQ(client.get(url("/cookie")), QByteArray("session=abc123")) << "kept across requests";
    HttpClient other(trusting());
    EXPECT_EQ(other.get(url("/cookie")), QByteArray()) << "another client has its own";
}

TEST_F(HttpClientTest, PostsFormFieldsPercentEncoded)
{
    HttpClient client(trusting());
    const QByteArray echo = client.post(url("/form"), {{"title", "a b&c=d"}, {"text", QByteArray("\xD0\xA2", 2)}});
    EXPECT_EQ(echo, QByteArray("application/x-www-form-urlencoded|a b&c=d|\xD0\xA2|title=a%20b%26c%3Dd&text=%D0%A2"));
    EXPECT_EQ(client.postText(url("/form"), {{"title", "x"}}, true),
              QStringLiteral("application/x-www-form-urlencoded|x||title=x"));
}

TEST_F(HttpClientTest, GetIntoAFileReplacesItWholeOrNotAtAll)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("SelfUpdates.inf"));
    HttpClient client(trusting());

    // A missing file is created.
    client.getToFile(url("/file"), path);
    EXPECT_EQ(dir.read(QStringLiteral("SelfUpdates.inf")), QByteArray("new content"));

    // A longer old file leaves no bytes behind.
    dir.write(QStringLiteral("SelfUpdates.inf"), QByteArray("old content that is much longer than the new one"));
    client.getToFile(url("/file"), path);
    EXPECT_EQ(dir.read(QStringLiteral("SelfUpdates.inf")), QByteArray("new content"));

    // A failed download leaves the old file whole and no temporary file.
    dir.write(QStringLiteral("SelfUpdates.inf"), QByteArray("the good old copy"));
    for (const char* failing : {"/status/500", "/status/404"})
        EXPECT_NE(failureOf([&] { client.getToFile(url(failing), path); }), QStringLiteral("<no failure>")) << failing;
    EXPECT_NE(
        failureOf([&] { client.getToFile(QStringLiteral("https://127.0.0.1:%1/").arg(closedLoopbackPort()), path); }),
        QStringLiteral("<no failure>"));
    EXPECT_EQ(dir.read(QStringLiteral("SelfUpdates.inf")), QByteArray("the good old copy"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("SelfUpdates.inf")});
}

TEST_F(HttpClientTest, TheServerCertificateIsVerified)
{
    struct Case {
        const char* name;
        QString caFile;
        bool accepted;
    };
    for (const Case& c : {Case{"system certificates only", QString(), false},
                          Case{"an unrelated authority", testPki().otherCaFile, false},
                          Case{"the test authority", testPki().caFile, true}}) {
        HttpOptions o;
        o.caFile = c.caFile;
        HttpClient client(o);
        const QString failure = failureOf([&] { client.get(url("/hello")); });
        if (c.accepted)
            EXPECT_EQ(failure, QStringLiteral("<no failure>")) << c.name;
        else
            EXPECT_TRUE(failure.startsWith(QStringLiteral("Сертификат сервера не прошел проверку: ")))
                << c.name << ": " << failure.toStdString();
    }
    HttpOptions missing;
    missing.caFile = QStringLiteral("/nonexistent/ca.pem");
    HttpClient client(missing);
    EXPECT_TRUE(failureOf([&] { client.get(url("/hello")); })
                    .startsWith(QStringLiteral("Не удалось прочитать файл сертификатов \"/nonexistent/ca.pem\"")));
}

TEST_F(HttpClientTest, OnlyHttpAndHttpsAddressesAreAsked)
{
    HttpClient client(trusting());
    for (const char* address : {"file:///etc/passwd", "ftp://127.0.0.1/", "127.0.0.1/hello", ""})
        EXPECT_EQ(failureOf([&] { client.get(QString::fromLatin1(address)); }),
                  QStringLiteral("Неподдерживаемый адрес \"%1\": допускаются только адреса http:// и https://")
                      .arg(QString::fromLatin1(address)))
            << address;
    EXPECT_EQ(client.get(url("/hello").replace(QStringLiteral("https://"), QStringLiteral("HTTPS://"))),
              QByteArray("plain answer"))
        << "the scheme's letter case does not matter";
}

TEST_F(HttpClientTest, ASilentServerTimesOut)
{
    HttpOptions o = trusting();
    o.readTimeoutMs = 300;
    HttpClient client(o);
    EXPECT_EQ(failureOf([&] { client.get(url("/wait")); }),
              QStringLiteral("Сервер не ответил за отведенное время (300 мс)"));

    SilentListener silent;
    o.connectTimeoutMs = 300;
    HttpClient connecting(o);
    EXPECT_EQ(failureOf([&] { connecting.get(QStringLiteral("https://127.0.0.1:%1/").arg(silent.port())); }),
              QStringLiteral("Не удалось соединиться с сервером за отведенное время (300 мс)"));
}

TEST_F(HttpClientTest, ThePumpRunsWhileWaitingAndCanStop)
{
    // The answer cannot come before the pump has run three times.
    int pumps = 0;
    HttpOptions o = trusting();
    o.pump = [&] {
        if (++pumps == 3)
            m_gate.open();
        return true;
    };
    HttpClient client(o);
    EXPECT_EQ(client.get(url("/wait")), QByteArray("late answer"));
    EXPECT_GE(pumps, 3);
    EXPECT_FALSE(client.lastStopped());

    Gate never;
    server.http().Get("/never", [&never](const httplib::Request&, httplib::Response& res) {
        never.wait();
        res.set_content("too late", "text/plain");
    });
    HttpOptions stopping = trusting();
    stopping.pump = [] { return false; };
    HttpClient stopped(stopping);
    EXPECT_EQ(failureOf([&] { stopped.get(url("/never")); }), QStringLiteral("Загрузка прервана пользователем"));
    EXPECT_TRUE(stopped.lastStopped());
    never.open();
}

TEST_F(HttpClientTest, RequestsGoThroughHttpAndSocksProxies)
{
    struct Case {
        const char* name;
        TestProxy::Protocol protocol;
        const char* prefix;
        std::string user;
        std::string password;
        std::string seenCredentials;
    };
    const Case cases[] = {
        {"http", TestProxy::Protocol::HttpConnect, "", "", "", ""},
        {"http with password", TestProxy::Protocol::HttpConnect, "http://", "ivan", "s3cret:x", "ivan:s3cret:x"},
        {"socks4", TestProxy::Protocol::Socks4, "socks4://", "ivan", "", "ivan"},
        {"socks5", TestProxy::Protocol::Socks5, "socks5://", "", "", ""},
        {"socks5 with password", TestProxy::Protocol::Socks5, "socks5://", "ivan", "s3cret", "ivan:s3cret"},
    };
    // Neither the environment's proxy nor its exceptions take part.
    qputenv("no_proxy", "127.0.0.1,localhost");
    for (const Case& c : cases) {
        TestProxy proxy(c.protocol, c.user, c.password);
        HttpClient client(trusting());
        client.setProxy(HttpProxy::fromServer(QString::fromLatin1(c.prefix) + QStringLiteral("127.0.0.1"), proxy.port(),
                                              QString::fromStdString(c.user), QString::fromStdString(c.password)));
        EXPECT_EQ(client.get(url("/hello")), QByteArray("plain answer")) << c.name;
        const std::string target = "127.0.0.1:" + std::to_string(server.port());
        EXPECT_EQ(proxy.targets(), std::vector<std::string>{target}) << c.name;
        EXPECT_EQ(proxy.credentials(), std::vector<std::string>{c.seenCredentials}) << c.name;
    }
    qunsetenv("no_proxy");

    TestProxy guarded(TestProxy::Protocol::HttpConnect, "ivan", "right");
    HttpClient wrong(trusting());
    wrong.setProxy(HttpProxy::fromServer(QStringLiteral("127.0.0.1"), guarded.port(), QStringLiteral("ivan"),
                                         QStringLiteral("wrong")));
    EXPECT_NE(failureOf([&] { wrong.get(url("/hello")); }), QStringLiteral("<no failure>"))
        << "a proxy that refuses the password gives no answer";
}

TEST_F(HttpClientTest, NoProxyMeansNoneFromTheEnvironmentEither)
{
    const QByteArray dead = "http://127.0.0.1:" + QByteArray::number(closedLoopbackPort());
    qputenv("https_proxy", dead);
    qputenv("HTTPS_PROXY", dead);
    qputenv("all_proxy", dead);
    HttpClient client(trusting());
    const QByteArray body = client.get(url("/hello"));
    qunsetenv("https_proxy");
    qunsetenv("HTTPS_PROXY");
    qunsetenv("all_proxy");
    EXPECT_EQ(body, QByteArray("plain answer"));
}

TEST(HttpProxy, TheServerFieldMayNameTheKind)
{
    struct Case {
        const char* server;
        HttpProxy::Kind kind;
        const char* host;
    };
    for (const Case& c :
         {Case{"10.0.0.1", HttpProxy::Kind::Http, "10.0.0.1"},
          Case{" http://proxy.example.net ", HttpProxy::Kind::Http, "proxy.example.net"},
          Case{"SOCKS4://10.0.0.2", HttpProxy::Kind::Socks4, "10.0.0.2"},
          Case{"socks4a://10.0.0.2", HttpProxy::Kind::Socks4, "10.0.0.2"},
          Case{"socks5://gate", HttpProxy::Kind::Socks5, "gate"},
          Case{"socks5h://gate", HttpProxy::Kind::Socks5, "gate"}, Case{"", HttpProxy::Kind::Http, ""}}) {
        const HttpProxy p = HttpProxy::fromServer(QString::fromLatin1(c.server), 1080, QStringLiteral("u"));
        EXPECT_EQ(p.kind, c.kind) << c.server;
        EXPECT_EQ(p.host, QString::fromLatin1(c.host)) << c.server;
        EXPECT_EQ(p.port, 1080);
        EXPECT_EQ(p.user, QStringLiteral("u"));
        EXPECT_EQ(p.enabled(), *c.host != 0) << c.server;
    }
}
