#include "workbench/FilterItem.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include <QStringList>

#include "stats/SelectionModes.h"
#include "stats/TStatList.h"

namespace zircon {
namespace {

// Word n (1-based) of the text split at runs of the separator, so empty
// fields are skipped and later words move forward; "" when there is none.
QString wordAt(const QStringList& words, int n)
{
    return n >= 1 && n <= words.size() ? words[n - 1] : QString();
}

QStringList splitWords(const QString& text, QChar separator)
{
    return text.split(separator, Qt::SkipEmptyParts);
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The sort column written after the three flag letters: all its digits, with
// an optional "-"; 1 when there is no number there.
int32_t readSortColumn(const QString& flags)
{
    constexpr int kFirst = 3;
    if (flags.size() <= kFirst)
        return 1;
    int at = kFirst;
    if (flags[at] == u'-')
        ++at;
    int stop = at;
    while (stop < flags.size() && isAsciiDigit(flags[stop]))
        ++stop;
    if (stop == at)
        return 1;
    bool ok = false;
    const int32_t v = flags.mid(kFirst, stop - kFirst).toInt(&ok);
    return ok ? v : 1;
}

// The first code, in code order, that begins the word (case ignored), or -1.
template <class CodeOf>
int codeBeginning(const QString& word, int count, CodeOf codeOf)
{
    for (int i = 0; i < count; ++i) {
        const QString code = codeOf(i);
        if (!code.isEmpty() && word.startsWith(code, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

}  // namespace

double parseFilterCoef(const QString& text)
{
    QString kept;
    kept.reserve(text.size());
    for (QChar c : text) {
        if (c == u',')
            kept += u'.';
        else if (c == u'-' || c == u'.' || isAsciiDigit(c))
            kept += c;
    }
    bool ok = false;
    const double v = kept.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

QString filterCoefText(double value)
{
    if (!std::isfinite(value) || value == 0.0)
        return QStringLiteral("0");
    // The longest shortest-fixed text of a double (the smallest subnormal)
    // has fewer than 330 characters.
    char buffer[400];
    const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (r.ec != std::errc())
        return QStringLiteral("0");
    return QString::fromLatin1(buffer, static_cast<qsizetype>(r.ptr - buffer));
}

TFilterItem ParseFilterItem(const QString& text, const TStatList& list)
{
    TFilterItem item;
    if (text.trimmed().isEmpty())
        return item;
    item.active = true;
    const QStringList words = splitWords(text, u'#');

    const QString flags = wordAt(words, 1);
    item.bottomUp = flags.contains(u'B');
    item.multiSelect = flags.contains(u'M');
    item.keep = flags.contains(u'F');
    item.sortColumn = readSortColumn(flags);

    item.methodText = wordAt(words, 2);
    const QString code = item.methodText.section(u':', 0, 0).trimmed();
    item.method = code.isEmpty() ? -1 : list.FindCode(code);
    if (item.method >= 0)
        item.windowLengths = wordAt(splitWords(item.methodText, u':'), 2).trimmed();

    const QString conditionWord = wordAt(words, 3);
    const int condition = codeBeginning(conditionWord, kSelectionModeCount, selectionModeCode);
    if (condition >= 0) {
        item.condition = static_cast<uint8_t>(condition);
        item.conditionValue = wordAt(splitWords(conditionWord, u':'), 2).trimmed();
    }

    const QString stopWord = wordAt(words, 4);
    const int stop = codeBeginning(stopWord, kStopModeCount, stopModeCode);
    if (stop >= 0) {
        item.stopRule = static_cast<uint8_t>(stop);
        bool ok = false;
        const int32_t v = wordAt(splitWords(stopWord, u':'), 2).trimmed().toInt(&ok);
        item.stopValue = ok ? v : 1;
    }

    if (words.size() >= 5) {
        const QStringList coefs = splitWords(words[4], u':');
        item.ownWeights = true;
        item.weights.CountCoef = parseFilterCoef(wordAt(coefs, 1));
        item.weights.DeviationCoef = parseFilterCoef(wordAt(coefs, 2));
        item.weights.DepthCoef = parseFilterCoef(wordAt(coefs, 3));
        item.weights.UsePercents = wordAt(coefs, 4).trimmed() == u"1";
        item.weights.UseAbsValues = wordAt(coefs, 5).trimmed() == u"1";
    }
    return item;
}

QString FilterItemText(const TFilterItem& item, const TStatList& list)
{
    if (!item.active)
        return QString();
    QString text;
    text += item.bottomUp ? u'B' : u'T';
    text += item.multiSelect ? u'M' : u'S';
    text += item.keep ? u'F' : u'D';
    text += QString::number(item.sortColumn);
    text += u'#';
    if (item.method >= 0 && item.method < list.Count())
        text += list.ItemCode(item.method) + u':' + item.windowLengths;
    else
        text += item.methodText;
    text += u'#';
    text += selectionModeCode(item.condition) + u':' + item.conditionValue;
    text += u'#';
    text += stopModeCode(item.stopRule) + u':' + QString::number(item.stopValue);
    if (item.ownWeights) {
        const TWeightCoefs& w = item.weights;
        text += u'#';
        text += QStringList{filterCoefText(w.CountCoef), filterCoefText(w.DeviationCoef),
                            filterCoefText(w.DepthCoef), w.UsePercents ? QStringLiteral("1") : QStringLiteral("0"),
                            w.UseAbsValues ? QStringLiteral("1") : QStringLiteral("0")}
                    .join(u':');
    }
    return text;
}

}  // namespace zircon
