#pragma once
// The public proxy-list service of the automatic proxy mode: the query that
// asks for one page of proxies and the reading of the page it answers, an
// HTML table with one row per proxy, the address in the first cell and the
// port in the second.
#include <QList>
#include <QString>
#include <QStringList>

namespace zircon {

inline constexpr int kProxyListPageSize = 15;  // entries on one page of the service
inline constexpr int kProxyListWanted = 30;    // the search stops once it has this many

struct ProxyListQuery {
    QStringList protocols;    // one "protocol=%s" each: "http", "https", "socks4", "socks5"
    QList<int> anonymity;     // one "anonlvl=%d" each, levels 1..4
    QStringList countries;    // one "country=%s" each, country codes
    int minUptime = 0;        // "min_uptime=%d", percent; 0 leaves the key out
    int maxResponseTime = 0;  // "max_response_time=%d", seconds; 0 leaves the key out
    int offset = 0;           // "offset=%d", entries skipped; 0 (the first page) leaves the key out
};

// The service's root with the keys joined by "&" after "?", or the root alone
// when there is no key.
QString proxyListUrl(const QString& service, const ProxyListQuery& query);

// The entries of one page as "%s:%d" (host, port), in page order, each once.
// Rows whose first cell is not a host name or address, or whose second is
// not a port of 1..65535, are left out (headings, notices, advertisements).
QStringList parseProxyListPage(const QString& html);

}  // namespace zircon
