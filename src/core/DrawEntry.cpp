#include "core/DrawEntry.h"

#include <QRegularExpression>
#include <QStringList>

namespace zircon {

std::optional<DrawNumbers> parseDrawNumbersText(const QString& text)
{
    static const QRegularExpression separators(QStringLiteral("[;,]+"));
    QStringList words = text.split(separators, Qt::SkipEmptyParts);
    // Separators with only spaces between them count once, like adjacent ones.
    QStringList trimmed;
    for (const QString& w : words)
        if (!w.trimmed().isEmpty())
            trimmed.append(w.trimmed());
    if (trimmed.size() != kMainCount + 1)
        return std::nullopt;
    DrawNumbers result;
    for (int i = 0; i <= kMainCount; ++i) {
        bool ok = false;
        int v = trimmed[i].toInt(&ok);
        const int max = i < kMainCount ? kMainMax : kExtraMax;
        if (!ok || v < 1 || v > max)
            return std::nullopt;
        if (i < kMainCount) {
            for (int j = 0; j < i; ++j)
                if (result.nums[static_cast<size_t>(j)] == v)
                    return std::nullopt;
            result.nums[static_cast<size_t>(i)] = static_cast<uint8_t>(v);
        } else {
            result.extra = static_cast<uint8_t>(v);
        }
    }
    return result;
}

QString drawNumbersText(const TDraw& draw)
{
    QString text;
    for (uint8_t n : draw.nums)
        text += QString::number(n) + u';';
    text += QString::number(draw.extra);
    return text;
}

}  // namespace zircon
