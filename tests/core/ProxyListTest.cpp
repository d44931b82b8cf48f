#include <gtest/gtest.h>

#include <QFile>

#include "core/ProxyList.h"
#include "support/TempDir.h"

using namespace zircon;

TEST(ProxyList, TheSavedPageGivesItsProxiesInPageOrder)
{
    QFile page(test::testDataPath("proxy-list-page.html"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QStringList entries = parseProxyListPage(QString::fromUtf8(page.readAll()));
    // Read off the page by hand: the heading, the advertisement, the rows
    // without a port, with port 0 or 65536, with a malformed address and the
    // repeated first proxy are left out; an address cell may hold the port
    // itself, and entities and upper-case tags read as usual.
    EXPECT_EQ(entries, (QStringList{QStringLiteral("203.0.113.10:8080"), QStringLiteral("198.51.100.7:3128"),
                                    QStringLiteral("proxy-1.example.net:80"), QStringLiteral("192.0.2.44:8888"),
                                    QStringLiteral("203.0.113.77:443"), QStringLiteral("192.0.2.5:65535"),
                                    QStringLiteral("198.51.100.31:1080"), QStringLiteral("192.0.2.91:8000"),
                                    QStringLiteral("203.0.113.12:9090"), QStringLiteral("192.0.2.250:3129")}));
}

TEST(ProxyList, PagesWithoutATableGiveNothing)
{
    for (const char* html : {"", "<html><body>Too many requests</body></html>",
                             "<table><tr><th>IP address</th><th>Port</th></tr></table>"})
        EXPECT_TRUE(parseProxyListPage(QString::fromLatin1(html)).isEmpty()) << html;
}

TEST(ProxyList, TheQueryNamesEachFilterAsItsKey)
{
    struct Case {
        const char* service;
        ProxyListQuery query;
        const char* url;
    };
    ProxyListQuery https;
    https.protocols = {QStringLiteral("https")};
    https.minUptime = 75;
    ProxyListQuery secondPage = https;
    secondPage.offset = 15;
    ProxyListQuery both;
    both.protocols = {QStringLiteral("http"), QStringLiteral("https")};
    both.minUptime = 75;
    ProxyListQuery everything;
    everything.protocols = {QStringLiteral("socks4"), QStringLiteral("socks5")};
    everything.anonymity = {1, 4};
    everything.countries = {QStringLiteral("DE"), QStringLiteral("NL")};
    everything.minUptime = 90;
    everything.maxResponseTime = 2;
    everything.offset = 30;
    const Case cases[] = {
        {"https://proxies.example", ProxyListQuery{}, "https://proxies.example/"},
        {"https://proxies.example", https, "https://proxies.example/?protocol=https&min_uptime=75"},
        {"https://proxies.example", secondPage, "https://proxies.example/?protocol=https&min_uptime=75&offset=15"},
        {"http://127.0.0.1:8080", both, "http://127.0.0.1:8080/?protocol=http&protocol=https&min_uptime=75"},
        {"https://proxies.example/list", everything,
         "https://proxies.example/list?protocol=socks4&protocol=socks5&anonlvl=1&anonlvl=4&country=DE&country=NL"
         "&min_uptime=90&max_response_time=2&offset=30"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(proxyListUrl(QString::fromLatin1(c.service), c.query), QString::fromLatin1(c.url)) << c.url;
}
