#include "stakes/StakesFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/Error.h"
#include "core/Format.h"
#include "core/Tr.h"

namespace zircon {
namespace {

// Records per block of the sequential passes, and the size at which buffered
// appends and rewrite output go to the disk.
constexpr int kBlockRecords = 4096;
constexpr qsizetype kWriteChunk = 4 * 1024 * 1024;
constexpr int kCacheRecords = 64;

QString systemText(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

[[noreturn]] void failErrno(int err)
{
    throw Error(systemText(err));
}

// Reads exactly `size` bytes at `offset`; throws on an error or an early end.
void preadAll(int fd, char* data, qsizetype size, off_t offset)
{
    while (size > 0) {
        const ssize_t r = ::pread(fd, data, static_cast<size_t>(size), offset);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            failErrno(errno);
        }
        if (r == 0)
            throw Error(tr("Неожиданный конец файла ставок!"));
        data += r;
        size -= r;
        offset += r;
    }
}

// Writes exactly `size` bytes at `offset`; returns 0 or the error number.
int pwriteAll(int fd, const char* data, qsizetype size, off_t offset)
{
    while (size > 0) {
        const ssize_t w = ::pwrite(fd, data, static_cast<size_t>(size), offset);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (w == 0)
            return ENOSPC;
        data += w;
        size -= w;
        offset += w;
    }
    return 0;
}

// Makes a rename in the directory durable; a directory that cannot be opened
// for this is no reason to fail what already happened.
void syncDirectoryOf(const QString& path)
{
    const QByteArray dir = QFile::encodeName(QFileInfo(path).absolutePath());
    const int dfd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

off_t recordOffset(int index)
{
    return static_cast<off_t>(index) * kStakeRecordSize;
}

[[noreturn]] void failDamaged(int index)
{
    throw Error(fmt(tr("Запись № %d файла ставок повреждена!"), index + 1));
}

}  // namespace

QString StakesStartupReport::warning() const
{
    if (!movedAsideTo.isEmpty())
        return fmt(tr("Файл ставок имеет неизвестный формат. Он сохранен под именем \"%s\", работа продолжается с "
                      "новым пустым файлом ставок."),
                   movedAsideTo);
    if (tornTailBytes > 0)
        return fmt(tr("Файл ставок оканчивается неполной записью (%d байт); она отброшена, остальные ставки "
                      "(%d) сохранены."),
                   tornTailBytes, records);
    return {};
}

StakesFile::StakesFile(ExclusiveFile& file) : m_file(file) {}

StakesFile::~StakesFile()
{
    // The owner flushes after every operation; this only catches a forgotten
    // batch, and a destructor has no one to report a failure to.
    try {
        if (isOpen())
            flush();
    } catch (...) {
    }
}

QString StakesFile::tempPath() const
{
    const QFileInfo info(path());
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".~tmp"));
}

void StakesFile::requireOpen() const
{
    if (!m_file.isOpen())
        throw Error(tr("Файл ставок не открыт!"));
}

void StakesFile::probe(const char* step) const
{
    if (m_probe)
        m_probe(step);
}

int StakesFile::fileRecords()
{
    if (m_fileRecords < 0) {
        struct stat st {};
        if (::fstat(m_file.fd(), &st) != 0)
            failErrno(errno);
        m_fileRecords = static_cast<int>(st.st_size / kStakeRecordSize);
    }
    return m_fileRecords;
}

StakesStartupReport StakesFile::checkAtStartUp()
{
    requireOpen();
    m_pending.clear();
    m_pendingRecords = 0;
    m_fileRecords = -1;
    m_lastIsStake = -1;
    m_index.reset();
    invalidateCache();

    StakesStartupReport report;
    struct stat st {};
    if (::fstat(m_file.fd(), &st) != 0)
        failErrno(errno);
    if (st.st_size == 0) {
        m_fileRecords = 0;
        return report;
    }
    char version = 0;
    preadAll(m_file.fd(), &version, 1, 0);
    if (static_cast<uint8_t>(version) != kStakeRecordVersion) {
        moveAside(report);
        return report;
    }
    const auto whole = static_cast<int>(st.st_size / kStakeRecordSize);
    const auto tail = static_cast<int>(st.st_size % kStakeRecordSize);
    if (tail > 0) {
        // Only the incomplete last record goes: it is what an interrupted
        // append leaves, and every whole record before it is the user's.
        if (::ftruncate(m_file.fd(), recordOffset(whole)) != 0 || ::fdatasync(m_file.fd()) != 0)
            failErrno(errno);
        report.tornTailBytes = tail;
    }
    report.records = whole;
    m_fileRecords = whole;
    return report;
}

void StakesFile::moveAside(StakesStartupReport& report)
{
    // The empty successor is created and locked under the temporary name
    // first, so that the stakes file name is held by this process at every
    // moment: before the final rename it names the old file (still locked
    // through the old descriptor), after it the new one.
    const QString tmp = tempPath();
    const QByteArray tmpName = QFile::encodeName(tmp);
    const QByteArray target = QFile::encodeName(path());
    ::unlink(tmpName.constData());
    ExclusiveFile next;
    if (!next.open(tmp))
        throw Error(fmt(tr("Ошибка создания временного файла ставок %s!\r\r%s"), tmp, next.errorText()));
    if (::ftruncate(next.fd(), 0) != 0) {
        const int err = errno;
        next.close();
        ::unlink(tmpName.constData());
        failErrno(err);
    }

    // A hard link keeps the old file under its name until the new one
    // replaces it; where links are not supported it is renamed away instead.
    QString aside;
    bool linked = false;
    bool renamedAway = false;
    int lastError = 0;
    for (int n = 1; n <= 1000 && !linked && !renamedAway; ++n) {
        const QString candidate = path() + QStringLiteral(".unknown-") + QString::number(n);
        const QByteArray name = QFile::encodeName(candidate);
        if (::link(target.constData(), name.constData()) == 0) {
            aside = candidate;
            linked = true;
        } else if (errno == EEXIST) {
            continue;
        } else if (QFileInfo::exists(candidate)) {
            continue;
        } else if (::rename(target.constData(), name.constData()) == 0) {
            aside = candidate;
            renamedAway = true;
        } else {
            lastError = errno;
            break;
        }
    }
    if (!linked && !renamedAway) {
        next.close();
        ::unlink(tmpName.constData());
        failErrno(lastError != 0 ? lastError : EEXIST);
    }
    probe("temp-written");
    if (::rename(tmpName.constData(), target.constData()) != 0) {
        const int err = errno;
        if (linked)
            ::unlink(QFile::encodeName(aside).constData());
        else
            ::rename(QFile::encodeName(aside).constData(), target.constData());
        next.close();
        ::unlink(tmpName.constData());
        throw Error(fmt(tr("Ошибка переименования / удаления временного файла ставок %s!\r\r%s"), tmp,
                        systemText(err)));
    }
    syncDirectoryOf(path());
    probe("renamed");
    m_file.takeOver(next);
    probe("held");
    report.movedAsideTo = aside;
    report.records = 0;
    m_fileRecords = 0;
    m_lastIsStake = 0;
}

int StakesFile::count()
{
    requireOpen();
    return fileRecords() + m_pendingRecords;
}

void StakesFile::loadCache(int index)
{
    const int total = fileRecords();
    const int first = index - index % kCacheRecords;
    const int n = std::min(kCacheRecords, total - first);
    m_cache = readBlock(first, n);
    m_cacheFirst = first;
}

StakeRecord StakesFile::read(int index, bool fromEnd)
{
    requireOpen();
    flush();
    const int total = fileRecords();
    const int64_t position = fromEnd ? static_cast<int64_t>(total) + index : index;
    if (position < 0 || position >= total)
        throw Error(fmt(tr("Запись со индексом %d в файле данных не найдена!"), index));
    const int at = static_cast<int>(position);
    const int cachedRecords = static_cast<int>(m_cache.size() / kStakeRecordSize);
    if (m_cacheFirst < 0 || at < m_cacheFirst || at >= m_cacheFirst + cachedRecords)
        loadCache(at);
    StakeRecord record;
    if (!decodeStake(m_cache.constData() + static_cast<qsizetype>(at - m_cacheFirst) * kStakeRecordSize, record))
        failDamaged(at);
    return record;
}

QByteArray StakesFile::readBlock(int first, int n)
{
    requireOpen();
    flush();
    const int total = fileRecords();
    if (first < 0 || n < 0 || first > total - n) {
        const int missing = first < 0 || first >= total ? first : total;
        throw Error(fmt(tr("Запись со индексом %d в файле данных не найдена!"), missing));
    }
    QByteArray block(static_cast<qsizetype>(n) * kStakeRecordSize, Qt::Uninitialized);
    preadAll(m_file.fd(), block.data(), block.size(), recordOffset(first));
    return block;
}

void StakesFile::writeBlock(int first, const QByteArray& records)
{
    requireOpen();
    flush();
    const int total = fileRecords();
    const int n = static_cast<int>(records.size() / kStakeRecordSize);
    if (records.size() % kStakeRecordSize != 0 || first < 0 || first > total - n)
        throw Error(fmt(tr("Запись со индексом %d в файле данных не найдена!"), first));
    invalidateCache();
    if (const int err = pwriteAll(m_file.fd(), records.constData(), records.size(), recordOffset(first)))
        failErrno(err);
}

void StakesFile::append(const StakeRecord& record)
{
    requireOpen();
    const qsizetype at = m_pending.size();
    encodeStake(record, m_pending);
    // Only records that read back are written, so the file never holds one
    // that a later read must refuse.
    StakeRecord check;
    if (!decodeStake(m_pending.constData() + at, check)) {
        m_pending.truncate(at);
        throw Error(tr("Запись ставки содержит недопустимые значения и не может быть сохранена!"));
    }
    ++m_pendingRecords;
    invalidateCache();
    m_lastIsStake = record.isSeparator() ? 0 : 1;
    if (m_index && !record.isSeparator())
        m_index->insert(record.drawNumber, record.numbers);
    if (m_pending.size() >= kWriteChunk)
        flush();
}

void StakesFile::flush()
{
    if (m_pending.isEmpty())
        return;
    requireOpen();
    const int before = fileRecords();
    invalidateCache();
    if (const int err = pwriteAll(m_file.fd(), m_pending.constData(), m_pending.size(), recordOffset(before))) {
        // Part of the batch may be on the disk: cut back to the whole records
        // there were, so no torn record is left for the next start.
        ::ftruncate(m_file.fd(), recordOffset(before));
        m_pending.clear();
        m_pendingRecords = 0;
        m_fileRecords = -1;
        m_lastIsStake = -1;
        m_index.reset();
        failErrno(err);
    }
    m_fileRecords = before + m_pendingRecords;
    m_pending.clear();
    m_pendingRecords = 0;
}

void StakesFile::sync()
{
    flush();
    requireOpen();
    if (::fdatasync(m_file.fd()) != 0)
        failErrno(errno);
}

bool StakesFile::endsWithStake()
{
    requireOpen();
    if (m_lastIsStake < 0) {
        flush();
        const int total = fileRecords();
        if (total == 0) {
            m_lastIsStake = 0;
        } else {
            // The draw number alone says whether a record is a separator.
            char raw[4];
            preadAll(m_file.fd(), raw, 4, recordOffset(total - 1) + 4);
            uint32_t v = 0;
            for (int i = 0; i < 4; ++i)
                v |= static_cast<uint32_t>(static_cast<uint8_t>(raw[i])) << (8 * i);
            m_lastIsStake = static_cast<int32_t>(v) > 0 ? 1 : 0;
        }
    }
    return m_lastIsStake == 1;
}

void StakesFile::buildIndex()
{
    const int total = count();
    StakeIndex index;
    index.reserve(static_cast<size_t>(total));
    for (int first = 0; first < total; first += kBlockRecords) {
        const int n = std::min(kBlockRecords, total - first);
        const QByteArray block = readBlock(first, n);
        for (int j = 0; j < n; ++j) {
            StakeRecord r;
            if (!decodeStake(block.constData() + static_cast<qsizetype>(j) * kStakeRecordSize, r))
                failDamaged(first + j);
            if (!r.isSeparator())
                index.insert(r.drawNumber, r.numbers);
        }
    }
    m_index = std::move(index);
}

bool StakesFile::exists(int32_t drawNumber, const TShema& numbers)
{
    requireOpen();
    if (!m_index)
        buildIndex();
    return m_index->contains(drawNumber, numbers);
}

int StakesFile::rewrite(const std::function<bool(int, const char*)>& keep)
{
    requireOpen();
    flush();
    const int total = fileRecords();
    const QString tmp = tempPath();
    const QByteArray tmpName = QFile::encodeName(tmp);
    const QByteArray target = QFile::encodeName(path());

    // The new content goes to a file this process locks before writing it,
    // which is then renamed over the stakes file: the name always leads to a
    // locked file, the old content stays whole until the rename, and the
    // stakes file is never deleted or reopened. (Rewriting in place through
    // the held descriptor would leave a mix of old and new records after a
    // crash; closing and reopening would let another process in.)
    ::unlink(tmpName.constData());
    ExclusiveFile next;
    if (!next.open(tmp))
        throw Error(fmt(tr("Ошибка создания временного файла ставок %s!\r\r%s"), tmp, next.errorText()));
    auto abandon = [&] {
        next.close();
        ::unlink(tmpName.constData());
    };
    int removed = 0;
    try {
        if (::ftruncate(next.fd(), 0) != 0)
            failErrno(errno);
        // The new file keeps the permissions the user's file had.
        struct stat st {};
        if (::fstat(m_file.fd(), &st) == 0)
            ::fchmod(next.fd(), st.st_mode & 07777);
        QByteArray out;
        out.reserve(kWriteChunk + kStakeRecordSize);
        off_t outOffset = 0;
        auto writeOut = [&] {
            if (const int err = pwriteAll(next.fd(), out.constData(), out.size(), outOffset))
                failErrno(err);
            outOffset += out.size();
            out.clear();
        };
        for (int first = 0; first < total; first += kBlockRecords) {
            const int n = std::min(kBlockRecords, total - first);
            const QByteArray block = readBlock(first, n);
            for (int j = 0; j < n; ++j) {
                const char* record = block.constData() + static_cast<qsizetype>(j) * kStakeRecordSize;
                if (keep(first + j, record))
                    out.append(record, kStakeRecordSize);
                else
                    ++removed;
            }
            if (out.size() >= kWriteChunk)
                writeOut();
        }
        if (removed == 0) {
            abandon();
            return 0;
        }
        writeOut();
        if (::fsync(next.fd()) != 0)
            failErrno(errno);
        probe("temp-written");
        if (::rename(tmpName.constData(), target.constData()) != 0) {
            const int err = errno;
            throw Error(fmt(tr("Ошибка переименования / удаления временного файла ставок %s!\r\r%s"), tmp,
                            systemText(err)));
        }
    } catch (...) {
        abandon();
        throw;
    }
    syncDirectoryOf(path());
    probe("renamed");
    m_file.takeOver(next);
    probe("held");
    m_fileRecords = total - removed;
    m_lastIsStake = -1;
    m_index.reset();
    invalidateCache();
    return removed;
}

void StakesFile::clear()
{
    requireOpen();
    m_pending.clear();
    m_pendingRecords = 0;
    invalidateCache();
    if (::ftruncate(m_file.fd(), 0) != 0) {
        m_fileRecords = -1;
        m_lastIsStake = -1;
        m_index.reset();
        failErrno(errno);
    }
    m_fileRecords = 0;
    m_lastIsStake = 0;
    m_index = StakeIndex();
}

}  // namespace zircon
