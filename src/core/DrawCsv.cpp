#include "core/DrawCsv.h"

#include <set>

#include "core/DrawArchive.h"
#include "core/DrawDate.h"
#include "core/TextCodec.h"

namespace zircon {
namespace {

bool isBlank(QChar c)
{
    return c.unicode() <= u' ';
}

// Strict decimal conversion; 0 when the text is not an integer, as the import
// treats every unreadable number.
int toIntOrZero(const QString& text)
{
    bool ok = false;
    int v = text.trimmed().toInt(&ok);
    return ok ? v : 0;
}

}  // namespace

QStringList splitCsvFields(const QString& line)
{
    QStringList fields;
    const qsizetype n = line.size();
    qsizetype p = 0;
    while (p < n && isBlank(line[p]))
        ++p;
    while (p < n) {
        QString field;
        if (line[p] == u'"') {
            ++p;
            while (p < n) {
                if (line[p] == u'"') {
                    if (p + 1 < n && line[p + 1] == u'"') {
                        field += u'"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                field += line[p++];
            }
        } else {
            qsizetype start = p;
            while (p < n && !isBlank(line[p]) && line[p] != u';')
                ++p;
            field = line.mid(start, p - start);
        }
        fields.append(field);
        while (p < n && isBlank(line[p]))
            ++p;
        if (p < n && line[p] == u';') {
            if (p + 1 == n)
                fields.append(QString());
            ++p;
            while (p < n && isBlank(line[p]))
                ++p;
        }
    }
    return fields;
}

QString drawCsvLine(const TDraw& draw)
{
    QString date = QString::fromLatin1(draw.date());
    date.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    QString line = QString::number(draw.number) + QStringLiteral(";\"") + date + u'"';
    for (uint8_t n : draw.nums)
        line += u';' + QString::number(n);
    line += u';' + QString::number(draw.extra);
    return line;
}

QByteArray exportDrawsCsv(const TDrawsArray& draws)
{
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(draws.size()));
    for (const TDraw& d : draws)
        lines.append(drawCsvLine(d));
    return toCp1251(joinCrLfLines(lines));
}

CsvImportResult importDrawsCsv(const QByteArray& content, TDrawsArray& draws)
{
    CsvImportResult result;
    const QStringList lines = splitTextLines(fromCp1251(content));
    for (const QString& raw : lines) {
        if (raw.trimmed().isEmpty())
            continue;
        const QStringList f = splitCsvFields(raw);
        int first;  // index of the date field
        TDraw d;
        if (f.size() == 7) {
            d.number = static_cast<int>(draws.size()) + 1;
            first = 0;
        } else if (f.size() == 8) {
            d.number = toIntOrZero(f[0]);
            first = 1;
        } else {
            ++result.skipped;
            continue;
        }
        bool valid = d.number > 0;
        const QString date = f[first].left(10);
        valid = valid && isDrawDateText(date);
        std::set<int> seen;
        for (int i = 0; i < kMainCount; ++i) {
            int v = toIntOrZero(f[first + 1 + i]);
            valid = valid && v >= 1 && v <= kMainMax && seen.insert(v).second;
            d.nums[static_cast<size_t>(i)] = static_cast<uint8_t>(v >= 0 && v <= kMainMax ? v : 0);
        }
        int extra = toIntOrZero(f[first + 6]);
        valid = valid && extra >= 1 && extra <= kExtraMax;
        if (!valid || FindDraw(draws, d.number) >= 0) {
            ++result.skipped;
            continue;
        }
        d.extra = static_cast<uint8_t>(extra);
        d.setDate(date.toLatin1().constData());
        draws.push_back(d);
        ++result.added;
    }
    return result;
}

}  // namespace zircon
