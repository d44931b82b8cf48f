#include "core/IntList.h"

#include <QStringList>

#include "core/NumberText.h"

namespace zircon {

std::optional<TIntArray> ParseIntList(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    TIntArray list;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != QLatin1Char(',') && text[i] != QLatin1Char(';'))
            continue;
        const std::optional<int32_t> v = parseIntStrict(text.mid(start, i - start));
        if (!v)
            return std::nullopt;
        list.push_back(*v);
        start = i + 1;
    }
    return list;
}

TIntArray ParseIntRange(const QString& text)
{
    // The first "-" after the first character ends the low bound, so that a
    // negative low bound keeps its sign.
    const qsizetype dash = text.indexOf(QLatin1Char('-'), 1);
    if (dash < 0)
        return {};
    qsizetype stepSep = -1;
    for (qsizetype i = dash + 1; i < text.size(); ++i) {
        if (text[i] == QLatin1Char(';') || text[i] == QLatin1Char(',')) {
            stepSep = i;
            break;
        }
    }
    if (stepSep < 0)
        return {};
    const std::optional<int32_t> a = parseIntStrict(text.left(dash));
    const std::optional<int32_t> b = parseIntStrict(text.mid(dash + 1, stepSep - dash - 1));
    const std::optional<int32_t> s = parseIntStrict(text.mid(stepSep + 1));
    if (!a || !b || !s || *s == 0)
        return {};
    // 64-bit arithmetic: the span of two 32-bit bounds does not fit 32 bits.
    const int64_t count = (static_cast<int64_t>(*b) - *a) / *s + 1;
    if (count < 1 || count > kMaxIntListEntries)
        return {};
    TIntArray list;
    list.reserve(static_cast<size_t>(count));
    for (int64_t i = 0; i < count; ++i)
        list.push_back(static_cast<int32_t>(*a + i * *s));
    return list;
}

TIntArray ParseIntSpec(const QString& text)
{
    if (text.isEmpty())
        return {};
    if (std::optional<TIntArray> list = ParseIntList(text))
        return *list;
    return ParseIntRange(text);
}

QString IntListText(const TIntArray& list, const QString& separator)
{
    QString text;
    for (size_t i = 0; i < list.size(); ++i) {
        if (i > 0)
            text += separator;
        text += QString::number(list[i]);
    }
    return text;
}

}  // namespace zircon
