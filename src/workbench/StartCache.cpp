#include "workbench/StartCache.h"

#include <QFile>

#include <algorithm>

#include "core/AtomicFile.h"
#include "core/Error.h"
#include "core/Format.h"
#include "core/Tr.h"

namespace zircon {
namespace {

// Runs body(i) for i in [0, total) in steps of one per cent, with progress
// after each step; stops early when body returns false.
template <class Body>
bool inSteps(size_t total, const CombProgress& progress, Body body)
{
    const size_t step = std::max<size_t>(1, total / 100);
    for (size_t done = 0; done < total;) {
        const size_t stop = std::min(total, done + step);
        for (size_t i = done; i < stop; ++i) {
            if (!body(i))
                return false;
        }
        done = stop;
        if (progress)
            progress(done, total);
    }
    return true;
}

}  // namespace

QByteArray encodeStartCache(const TComb* combs, size_t count, const CombProgress& progress)
{
    QByteArray out(static_cast<qsizetype>(count * kStartCacheRecordSize), Qt::Uninitialized);
    char* w = out.data();
    inSteps(count, progress, [&](size_t i) {
        for (uint8_t v : combs[i].n)
            *w++ = static_cast<char>(v);
        return true;
    });
    return out;
}

QString decodeStartCache(const QByteArray& bytes, CombList& list, const CombProgress& progress)
{
    const size_t size = static_cast<size_t>(bytes.size());
    if (size % kStartCacheRecordSize != 0)
        return fmt(tr("Размер буфера комбинаций (%d байт) не кратен размеру записи (%d байт)!"),
                   static_cast<uint64_t>(size), kStartCacheRecordSize);
    const size_t count = size / kStartCacheRecordSize;
    if (count > list.capacity())
        return combListFullText(list.capacity());

    const auto* in = reinterpret_cast<const uint8_t*>(bytes.constData());
    auto record = [in](size_t i) {
        TComb c;
        std::copy_n(in + i * kStartCacheRecordSize, kStartCacheRecordSize, c.n.begin());
        return c;
    };
    size_t bad = 0;
    const bool allProper = inSteps(count, progress, [&](size_t i) {
        if (isProperComb(record(i)))
            return true;
        bad = i;
        return false;
    });
    if (!allProper)
        return fmt(tr("Запись %d буфера комбинаций не является комбинацией из пяти разных чисел от 1 до 69!"),
                   static_cast<uint64_t>(bad + 1));

    TComb* out = list.data();
    for (size_t i = 0; i < count; ++i)
        out[i] = record(i);
    list.setCount(count);
    return {};
}

bool StartCache::SaveStartCache(const CombList& list, int offset, int n, const CombProgress& progress)
{
    const StartCacheKey key{offset, n};
    if (key == m_key || !key.valid())
        return false;
    m_key = {};
    writeFileAtomically(m_path, encodeStartCache(list.data(), list.count(), progress));
    m_key = key;
    return true;
}

bool StartCache::LoadStartCache(CombList& list, int offset, int n, const CombProgress& progress)
{
    const StartCacheKey key{offset, n};
    if (!m_key.valid() || key != m_key || !QFile::exists(m_path))
        return false;
    try {
        const QByteArray bytes = readWholeFile(m_path);
        const QString error = decodeStartCache(bytes, list, progress);
        if (!error.isEmpty())
            throw Error(error);
    } catch (...) {
        m_key = {};
        throw;
    }
    return true;
}

void StartCache::DropStartCache()
{
    m_key = {};
    QFile::remove(m_path);
}

}  // namespace zircon
