#include "workbench/CombClipboard.h"

#include <QStringList>

#include "core/Error.h"
#include "core/Format.h"
#include "core/NumberText.h"
#include "core/TextCodec.h"
#include "core/Tr.h"

namespace zircon {

QString combsClipboardText(const CombList& list, const std::vector<int>& rows)
{
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(rows.size()));
    for (int row : rows) {
        if (row >= 0 && static_cast<size_t>(row) < list.count())
            lines.append(CombSpacedText(list[static_cast<size_t>(row)]));
    }
    return lines.join(QLatin1Char('\n'));
}

ClipboardCombs parseClipboardCombs(const QString& text, size_t capacity)
{
    ClipboardCombs result;
    const QStringList lines = splitTextLines(text);
    result.lines = static_cast<size_t>(lines.size());
    if (result.lines > capacity) {
        result.failedLine = static_cast<int>(capacity);
        result.error = combListFullText(capacity);
        return result;
    }
    result.combs.reserve(result.lines);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        try {
            const TComb comb = TextToComb(lines[i]);
            if (!isProperComb(comb))
                throw Error(fmt(tr("Некорректная комбинация: \"%s\"!"), lines[i]));
            result.combs.push_back(comb);
        } catch (const Error& e) {
            result.combs.clear();
            result.failedLine = static_cast<int>(i);
            result.error = e.text();
            return result;
        }
    }
    return result;
}

}  // namespace zircon
