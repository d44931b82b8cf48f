#pragma once
// The stakes file "Zircon_5x69.lsk": every stake and separator as a plain
// sequence of 312-byte records, worked on through the exclusive hold the
// workspace takes at start-up and keeps for the whole run, rewrites included.
//
// Appends are buffered and reach the file on flush(), which every read, every
// rewrite and the end of each add operation does; count() includes them. Any
// write empties the read cache. Failures are thrown as Error with the reason;
// the callers wrap them in their own messages.
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

#include "core/ExclusiveFile.h"
#include "stakes/StakeIndex.h"
#include "stakes/StakeRecord.h"

namespace zircon {

// What the start-up check found and did.
struct StakesStartupReport {
    int records = 0;        // whole records in the file after the check
    int tornTailBytes = 0;  // bytes of an incomplete last record, cut off
    QString movedAsideTo;   // where a file of unknown format was moved, or ""

    // The warning the caller shows, or "" when the file was sound.
    QString warning() const;
};

class StakesFile {
public:
    // `file` is the workspace's hold on the stakes file; it must stay alive
    // as long as this object.
    explicit StakesFile(ExclusiveFile& file);
    ~StakesFile();
    StakesFile(const StakesFile&) = delete;
    StakesFile& operator=(const StakesFile&) = delete;

    bool isOpen() const { return m_file.isOpen(); }
    const QString& path() const { return m_file.path(); }
    // "Zircon_5x69.~tmp" beside the stakes file: the new content of a rewrite.
    QString tempPath() const;

    // Run right after the hold was taken (and again if the owner ever takes
    // it anew: what this object knows of the file is reset here). An empty file or one of whole
    // version-2 records is left alone. A file of version-2 records ending in
    // an incomplete record loses only that tail. A file of any other format
    // is moved aside to a new name (never emptied) and an empty stakes file
    // takes its place, locked before it appears under the name.
    StakesStartupReport checkAtStartUp();

    // Records in the file, buffered appends included.
    int count();
    bool hasRecords() { return count() > 0; }

    // Record `index` from the start, or with `fromEnd` the record `index`
    // places from the end (-1 the last, as the stakes graphs read it).
    // Throws "Запись со индексом %d в файле данных не найдена!" for a position
    // outside the file and an Error naming the record when it does not decode.
    StakeRecord read(int index, bool fromEnd = false);

    // Raw whole records first..first+count-1, for the check's block passes.
    QByteArray readBlock(int first, int count);
    // Writes whole records in place from record `first`; they must lie inside
    // the file. A short or failed write is thrown.
    void writeBlock(int first, const QByteArray& records);

    // Buffers the record at the end of the file; flushed when the buffer
    // grows large and by flush().
    void append(const StakeRecord& record);
    // Writes the buffered appends. A failed or short write cuts the file back
    // to its last whole record before the batch, drops the batch and throws.
    void flush();
    // flush(), then asks the system to put the file on the disk.
    void sync();

    // The file has records and its last one is a stake, not a separator.
    bool endsWithStake();

    // Whether a record for this draw holds exactly these numbers (any order).
    // Answers from an index built on first use and kept current; a failure to
    // build it is thrown, never answered "no".
    bool exists(int32_t drawNumber, const TShema& numbers);

    // Rewrites the file without the records `keep` refuses (it sees the
    // 0-based index and the raw 312 bytes; a throw aborts the rewrite). The
    // kept records go to the temporary file, which this process locks before
    // writing, flushes to disk and renames over the stakes file; the hold then
    // passes to it. Any failure — reading a record, writing, the rename —
    // leaves the stakes file exactly as it was and removes the temporary file.
    // Nothing is rewritten when every record is kept. Returns the number of
    // records removed.
    int rewrite(const std::function<bool(int index, const char* record)>& keep);

    // Empties the file (the user asked for all stakes to go).
    void clear();

    // Test seam: called with the name of each step of a rewrite or of moving a
    // file aside ("temp-written", "renamed", "held"), so a test can look at
    // the files and the lock between the steps.
    void setStepProbe(std::function<void(const char* step)> probe) { m_probe = std::move(probe); }

private:
    void requireOpen() const;
    int fileRecords();
    void loadCache(int index);
    void invalidateCache() { m_cacheFirst = -1; m_cache.clear(); }
    void probe(const char* step) const;
    void buildIndex();
    void moveAside(StakesStartupReport& report);

    ExclusiveFile& m_file;
    int m_fileRecords = -1;  // whole records on disk; -1 until known
    QByteArray m_pending;    // encoded appends not yet written
    int m_pendingRecords = 0;
    // The last record's kind without a read: 1 stake, 0 separator, -1 unknown.
    int m_lastIsStake = -1;
    // A block of records read last, for the grid that reads row by row.
    int m_cacheFirst = -1;
    QByteArray m_cache;
    std::optional<StakeIndex> m_index;
    std::function<void(const char*)> m_probe;
};

}  // namespace zircon
