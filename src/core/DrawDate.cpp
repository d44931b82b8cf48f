#include "core/DrawDate.h"

#include "core/Error.h"
#include "core/Format.h"
#include "core/NumberText.h"
#include "core/Tr.h"

namespace zircon {
namespace {

// The years a four-digit text can name; QDate itself also takes years
// beyond them and before the common era, which no draw has.
constexpr int kMinYear = 1;
constexpr int kMaxYear = 9999;

QDate makeDate(int year, int month, int day)
{
    if (year < kMinYear || year > kMaxYear)
        return {};
    return QDate(year, month, day);  // invalid when month or day do not exist
}

}  // namespace

int DateToInt(const QDate& date)
{
    if (!date.isValid())
        return 0;
    return date.year() * 10000 + date.month() * 100 + date.day();
}

QDate IntToDate(int i)
{
    if (i <= 0)
        return {};
    return makeDate(i / 10000, i / 100 % 100, i % 100);
}

int IncIntDate(int i, int days)
{
    if (days == 0)
        return i;
    return DateToInt(IntToDate(i).addDays(days));
}

QString DrawDateText(const QDate& date)
{
    if (!date.isValid() || date.year() < kMinYear || date.year() > kMaxYear)
        return {};
    const QLatin1Char zero('0');
    return QStringLiteral("%1/%2/%3")
        .arg(date.month(), 2, 10, zero)
        .arg(date.day(), 2, 10, zero)
        .arg(date.year(), 4, 10, zero);
}

QDate ParseDrawDate(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    const int month = textToIntDef(t.mid(0, 2), 0);
    const int day = textToIntDef(t.mid(3, 2), 0);
    const int year = textToIntDef(t.mid(6, 4), 0);
    const QDate date = makeDate(year, month, day);
    if (!date.isValid())
        throw Error(fmt(tr("Некорректная дата: \"%s\"!"), t));
    return date;
}

bool isDrawDateText(const QString& text)
{
    if (text.size() != 10 || text[2] != QLatin1Char('/') || text[5] != QLatin1Char('/'))
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i == 2 || i == 5)
            continue;
        if (text[i].unicode() < u'0' || text[i].unicode() > u'9')
            return false;
    }
    return makeDate(text.mid(6, 4).toInt(), text.mid(0, 2).toInt(), text.mid(3, 2).toInt()).isValid();
}

}  // namespace zircon
