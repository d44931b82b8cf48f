#include "shell/SortCompare.h"

#include <QLocale>

#include <cmath>
#include <optional>

namespace zircon {

namespace {

std::optional<double> listNumber(const QString& text)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    t.replace(u',', u'.');
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    // "nan" and "inf" read as numbers but have no place in an order.
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

}  // namespace

int compareListText(const QString& a, const QString& b)
{
    const auto na = listNumber(a);
    const auto nb = listNumber(b);
    if (na && nb)
        return *na < *nb ? -1 : (*na > *nb ? 1 : 0);
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int compareListTexts(const QString& a, const QString& b, const QString& captionA, const QString& captionB)
{
    const int c = compareListText(a, b);
    if (c != 0)
        return c;
    return compareListText(captionA, captionB);
}

}  // namespace zircon
