#include "core/NumberText.h"

#include <QStringList>

#include <limits>

#include "core/Error.h"
#include "core/Format.h"
#include "core/Tr.h"

namespace zircon {

QString numberText(int value)
{
    return QString::number(value);
}

std::optional<int32_t> parseIntStrict(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    if (i >= t.size())
        return std::nullopt;
    int64_t value = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int32_t>::max() || value < std::numeric_limits<int32_t>::min())
        return std::nullopt;
    return static_cast<int32_t>(value);
}

int32_t textToIntDef(const QString& text, int32_t defaultValue)
{
    return parseIntStrict(text).value_or(defaultValue);
}

int32_t textToInt(const QString& text)
{
    return textToIntDef(text, 0);
}

QString CombText(const TComb& comb)
{
    QString text;
    for (size_t i = 0; i < comb.n.size(); ++i) {
        if (i > 0)
            text += QLatin1Char(';');
        text += QString::number(comb.n[i]);
    }
    return text;
}

QString CombSpacedText(const TComb& comb)
{
    QString text;
    for (size_t i = 0; i < comb.n.size(); ++i) {
        if (i > 0)
            text += QLatin1Char(' ');
        text += QStringLiteral("%1").arg(comb.n[i], 2, 10, QLatin1Char('0'));
    }
    return text;
}

namespace {

bool isCombSeparator(QChar c)
{
    switch (c.unicode()) {
    case u'\t':
    case u' ':
    case u',':
    case u'-':
    case u'.':
    case u':':
    case u';':
    case u'|':
        return true;
    default:
        return false;
    }
}

}  // namespace

TComb TextToComb(const QString& text)
{
    QStringList words;
    QString word;
    for (QChar c : text) {
        if (isCombSeparator(c)) {
            if (!word.isEmpty())
                words << word;
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.isEmpty())
        words << word;
    if (words.size() != kMainCount)
        throw Error(fmt(tr("Некорректная комбинация: \"%s\"!"), text));
    TComb comb;
    for (size_t i = 0; i < comb.n.size(); ++i) {
        const int32_t v = textToInt(words[static_cast<qsizetype>(i)].trimmed());
        comb.n[i] = (v >= 0 && v <= 255) ? static_cast<uint8_t>(v) : 0;
    }
    return comb;
}

QString DrawSummaryText(const TDraw& draw)
{
    const QString values = CombText(draw.comb()) + QStringLiteral(" e:") + QString::number(draw.extra);
    return fmt(tr("Тираж № %d от %s, значения: %s"), draw.number, QString::fromLatin1(draw.date()), values);
}

QString StakeTypeName(int type)
{
    switch (type) {
    case 1:
        return tr("Вручную");
    case 2:
        return tr("Регуляр");
    case 3:
        return tr("Сценарий");
    case 4:
        return tr("Система");
    default:
        return {};
    }
}

QString DiffText(const QString& text, int base)
{
    const int32_t value = textToIntDef(text, -1);
    if (value < 0)
        return QStringLiteral("-");
    const int64_t d = static_cast<int64_t>(value) - base;
    if (d > 0)
        return QLatin1Char('+') + QString::number(d);
    return QString::number(d);
}

}  // namespace zircon
