#include "core/DrawArchive.h"

#include <QFile>

#include <cmath>

#include "core/AtomicFile.h"
#include "core/DrawDate.h"
#include "core/DrawRecord.h"
#include "core/Error.h"
#include "core/Tr.h"

namespace zircon {

int FindDraw(const TDrawsArray& draws, int number)
{
    const int count = static_cast<int>(draws.size());
    if (count == 0)
        return -1;
    const int high = count - 1;
    const int64_t first = draws.front().number;
    const int64_t last = draws.back().number;
    if (first == number)
        return 0;
    if (last == number)
        return high;
    // The guess assumes numbers rise with the position. Guard the divisor and
    // keep the guess inside the archive: numbers need not rise at all.
    const int64_t span = last - first + 1;
    int64_t g = 0;
    if (span != 0)
        g = std::llround(static_cast<long double>(count) * (static_cast<int64_t>(number) - first) /
                         static_cast<long double>(span));
    if (g > high)
        g = high;
    if (g < 0)
        g = 0;
    int i = static_cast<int>(g);
    if (draws[static_cast<size_t>(i)].number == number)
        return i;
    const int step = draws[static_cast<size_t>(i)].number < number ? 1 : -1;
    for (i += step; i >= 0 && i <= high; i += step)
        if (draws[static_cast<size_t>(i)].number == number)
            return i;
    for (i = high; i >= 0; --i)
        if (draws[static_cast<size_t>(i)].number == number)
            return i;
    return -1;
}

QByteArray encodeArchive(const TDrawsArray& draws)
{
    QByteArray out;
    out.reserve(static_cast<qsizetype>(draws.size()) * kDrawRecordSize);
    for (const TDraw& d : draws)
        encodeDraw(d, out);
    return out;
}

ArchiveLoadResult DrawArchive::load(const QString& path)
{
    ArchiveLoadResult result;
    m_draws.clear();
    m_saveBlocked = false;
    ++m_revision;
    if (!QFile::exists(path))
        return result;
    result.fileExisted = true;
    QByteArray bytes;
    try {
        bytes = readWholeFile(path);
    } catch (...) {
        m_saveBlocked = true;
        throw;
    }
    const qsizetype whole = bytes.size() / kDrawRecordSize;
    result.tornTailBytes = static_cast<int>(bytes.size() % kDrawRecordSize);
    m_draws.reserve(static_cast<size_t>(whole));
    for (qsizetype i = 0; i < whole; ++i) {
        TDraw d;
        if (!decodeDraw(bytes.constData() + i * kDrawRecordSize, d)) {
            result.badRecord = static_cast<int>(i);
            m_saveBlocked = true;
            break;
        }
        m_draws.push_back(d);
    }
    result.records = count();
    if (m_offset > high())
        m_offset = high() < 0 ? 0 : high();
    return result;
}

void DrawArchive::store(const QString& path, TDrawsArray draws)
{
    if (m_saveBlocked)
        throw Error(tr("Файл тиражей был прочитан не полностью, поэтому он не будет перезаписан: "
                       "исправьте или уберите файл и перезапустите программу."));
    writeFileAtomically(path, encodeArchive(draws));
    m_draws = std::move(draws);
    ++m_revision;
    if (m_offset > high())
        m_offset = high() < 0 ? 0 : high();
}

void DrawArchive::save(const QString& path) const
{
    if (m_saveBlocked)
        throw Error(tr("Файл тиражей был прочитан не полностью, поэтому он не будет перезаписан: "
                       "исправьте или уберите файл и перезапустите программу."));
    writeFileAtomically(path, encodeArchive(m_draws));
}

void DrawArchive::clear()
{
    m_draws.clear();
    m_offset = 0;
    ++m_revision;
}

bool DrawArchive::setDrawsOffset(int offset)
{
    if (offset > high())
        offset = high();
    if (offset < 0)
        offset = 0;
    if (offset == m_offset)
        return false;
    m_offset = offset;
    return true;
}

int DrawArchive::NextDrawNumber(int row) const
{
    if (empty())
        return 1;
    if (!rowValid(row))
        return -1;
    return drawAtRow(row).number + 1;
}

int DrawArchive::DrawDateInt(int row, int days) const
{
    constexpr int kNoDate = 19971101;
    if (!rowValid(row))
        return kNoDate;
    try {
        QDate date = ParseDrawDate(QString::fromLatin1(drawAtRow(row).date()));
        if (!date.isValid())
            return kNoDate;
        return DateToInt(date.addDays(days));
    } catch (const Error&) {
        return kNoDate;
    }
}

TComb DrawArchive::DrawComb(int row) const
{
    if (!rowValid(row))
        return {};
    return drawAtRow(row).comb();
}

QString DrawArchive::NextDrawText(int offset) const
{
    if (offset <= 0 || offset >= count())
        return {};
    const TDraw& d = m_draws[static_cast<size_t>(high() - offset + 1)];
    QString text;
    for (int i = 0; i < kMainCount; ++i) {
        if (i)
            text += u';';
        text += QString::number(d.nums[static_cast<size_t>(i)]);
    }
    return text;
}

std::bitset<256> DrawArchive::followingDrawSet() const
{
    std::bitset<256> set;
    if (m_offset <= 0 || empty())
        return set;
    const TDraw& d = m_draws[static_cast<size_t>(high() - m_offset + 1)];
    for (uint8_t n : d.nums)
        set.set(n);
    return set;
}

}  // namespace zircon
