#include "core/DrawsAnswer.h"

#include <QDate>
#include <QStringList>

#include <bitset>

#include "core/DrawDate.h"
#include "core/Error.h"
#include "core/Format.h"
#include "core/Lottery.h"
#include "core/Tr.h"

namespace zircon {

namespace {

// Enough of a refused answer to recognise it in a message box.
constexpr qsizetype kExcerptLength = 300;

QString excerpt(const QString& text)
{
    if (text.size() <= kExcerptLength)
        return text;
    return text.left(kExcerptLength) + QStringLiteral("...");
}

QString unquoted(QString text)
{
    text = text.trimmed();
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"')) {
        text = text.mid(1, text.size() - 2);
        text.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    }
    return text;
}

qsizetype skipSpaces(QStringView text, qsizetype at)
{
    while (at < text.size() && text[at].isSpace())
        ++at;
    return at;
}

std::optional<TDraw> readPiece(QStringView piece)
{
    const std::optional<QString> dateText = answerField(piece, u"field_draw_date");
    const std::optional<QString> numbersText = answerField(piece, u"field_winning_numbers");
    if (!dateText || !numbersText)
        return std::nullopt;
    const QDate date = QDate::fromString(dateText->left(10), QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        return std::nullopt;
    const QStringList words = numbersText->split(u',');
    if (words.size() < kMainCount + 1)
        return std::nullopt;
    TDraw draw;
    std::bitset<kMainMax + 1> seen;
    for (int i = 0; i < kMainCount; ++i) {
        bool ok = false;
        const int n = words[i].trimmed().toInt(&ok);
        if (!ok || n < 1 || n > kMainMax || seen.test(static_cast<size_t>(n)))
            return std::nullopt;
        seen.set(static_cast<size_t>(n));
        draw.nums[static_cast<size_t>(i)] = static_cast<uint8_t>(n);
    }
    bool ok = false;
    const int extra = words[kMainCount].trimmed().toInt(&ok);
    if (!ok || extra < 1 || extra > kExtraMax)
        return std::nullopt;
    draw.extra = static_cast<uint8_t>(extra);
    draw.setDate(DrawDateText(date).toStdString());
    return draw;
}

}  // namespace

QString drawsRangeQuery(int from, int to)
{
    return fmt(QString::fromLatin1(kDrawsServicePath)
                   + QStringLiteral("?_format=json&min=%.4d-%.2d-%.2d%%2000:00:00&max=%.4d-%.2d-%.2d%%2023:59:59"),
               from / 10000, from / 100 % 100, from % 100, to / 10000, to / 100 % 100, to % 100);
}

std::optional<QString> answerField(QStringView piece, QStringView name)
{
    const QString key = u'"' + name.toString() + u'"';
    for (qsizetype at = piece.indexOf(key, 0, Qt::CaseInsensitive); at >= 0;
         at = piece.indexOf(key, at + 1, Qt::CaseInsensitive)) {
        qsizetype p = skipSpaces(piece, at + key.size());
        if (p >= piece.size() || piece[p] != u':')
            continue;
        p = skipSpaces(piece, p + 1);
        if (p >= piece.size() || piece[p] != u'"')
            continue;
        const qsizetype end = piece.indexOf(u'"', p + 1);
        if (end < 0)
            return std::nullopt;
        return unquoted(piece.mid(p + 1, end - p - 1).toString());
    }
    return std::nullopt;
}

DrawsAnswer parseDrawsAnswer(const QString& text)
{
    const qsizetype open = text.indexOf(u'[');
    if (open < 0)
        throw Error(fmt(tr("Ответ сервера не содержит списка тиражей:\r\r%s"), excerpt(text)));
    const qsizetype close = text.indexOf(u']', open + 1);
    if (close < 0)
        throw Error(fmt(tr("Не удалось найти пару идентификаторов \"%1:s\" - \"%2:s\" в тексте\r\r[%0:s]!"),
                        excerpt(text), QStringLiteral("["), QStringLiteral("]")));
    const QStringView list = QStringView(text).mid(open + 1, close - open - 1);
    DrawsAnswer answer;
    for (qsizetype start = list.indexOf(u'{'); start >= 0;) {
        const qsizetype next = list.indexOf(u'{', start + 1);
        const QStringView piece = list.mid(start + 1, next < 0 ? -1 : next - start - 1);
        if (std::optional<TDraw> draw = readPiece(piece))
            answer.draws.push_back(*draw);
        else
            ++answer.skipped;
        start = next;
    }
    return answer;
}

}  // namespace zircon
