#include "core/ProxyList.h"

#include <QRegularExpression>
#include <QUrl>

#include "core/Format.h"

namespace zircon {

namespace {

// The text of a cell: tags dropped, the common entities decoded, white space
// folded.
QString cellText(QString html)
{
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    static const QRegularExpression numeric(QStringLiteral("&#(\\d{1,5});"));
    html.remove(tags);
    QString out;
    qsizetype last = 0;
    for (auto it = numeric.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(html).mid(last, m.capturedStart() - last);
        const int code = m.captured(1).toInt();
        if (code > 0 && code < 0xD800)
            out += QChar(static_cast<char16_t>(code));
        last = m.capturedEnd();
    }
    out += QStringView(html).mid(last);
    out.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "), Qt::CaseInsensitive);
    out.replace(QStringLiteral("&lt;"), QStringLiteral("<"), Qt::CaseInsensitive);
    out.replace(QStringLiteral("&gt;"), QStringLiteral(">"), Qt::CaseInsensitive);
    out.replace(QStringLiteral("&quot;"), QStringLiteral("\""), Qt::CaseInsensitive);
    out.replace(QStringLiteral("&amp;"), QStringLiteral("&"), Qt::CaseInsensitive);
    return out.simplified();
}

bool isHost(const QString& text)
{
    static const QRegularExpression host(
        QStringLiteral("^[A-Za-z0-9](?:[A-Za-z0-9-]*[A-Za-z0-9])?(?:\\.[A-Za-z0-9](?:[A-Za-z0-9-]*[A-Za-z0-9])?)*$"));
    return text.size() <= 253 && host.match(text).hasMatch();
}

int portOf(const QString& text)
{
    bool ok = false;
    const int port = text.toInt(&ok);
    return ok && port >= 1 && port <= 65535 ? port : 0;
}

}  // namespace

QString proxyListUrl(const QString& service, const ProxyListQuery& query)
{
    QStringList keys;
    for (const QString& p : query.protocols)
        keys << fmt(QStringLiteral("protocol=%s"), QString::fromLatin1(QUrl::toPercentEncoding(p)));
    for (int level : query.anonymity)
        keys << fmt(QStringLiteral("anonlvl=%d"), level);
    for (const QString& c : query.countries)
        keys << fmt(QStringLiteral("country=%s"), QString::fromLatin1(QUrl::toPercentEncoding(c)));
    if (query.minUptime > 0)
        keys << fmt(QStringLiteral("min_uptime=%d"), query.minUptime);
    if (query.maxResponseTime > 0)
        keys << fmt(QStringLiteral("max_response_time=%d"), query.maxResponseTime);
    if (query.offset > 0)
        keys << fmt(QStringLiteral("offset=%d"), query.offset);
    QString root = service;
    if (QUrl(service).path().isEmpty())
        root += u'/';
    if (keys.isEmpty())
        return root;
    return root + u'?' + keys.join(u'&');
}

QStringList parseProxyListPage(const QString& html)
{
    static const QRegularExpression row(QStringLiteral("<tr\\b[^>]*>(.*?)</tr\\s*>"),
                                        QRegularExpression::CaseInsensitiveOption
                                            | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression cell(QStringLiteral("<td\\b[^>]*>(.*?)</td\\s*>"),
                                         QRegularExpression::CaseInsensitiveOption
                                             | QRegularExpression::DotMatchesEverythingOption);
    QStringList entries;
    for (auto rows = row.globalMatch(html); rows.hasNext();) {
        const QString rowHtml = rows.next().captured(1);
        QStringList cells;
        for (auto it = cell.globalMatch(rowHtml); it.hasNext() && cells.size() < 2;)
            cells << cellText(it.next().captured(1));
        if (cells.isEmpty())
            continue;
        QString host = cells[0];
        int port = 0;
        // Some pages write "host:port" in one cell.
        const qsizetype colon = host.lastIndexOf(u':');
        if (colon > 0 && host.indexOf(u':') == colon) {
            port = portOf(host.mid(colon + 1));
            host = host.left(colon);
        } else if (cells.size() > 1) {
            port = portOf(cells[1]);
        }
        if (port == 0 || !isHost(host))
            continue;
        const QString entry = fmt(QStringLiteral("%s:%d"), host, port);
        if (!entries.contains(entry))
            entries << entry;
    }
    return entries;
}

}  // namespace zircon
