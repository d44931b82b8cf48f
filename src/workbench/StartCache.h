#pragma once
// The start-list cache of script tests ("Zircon_5x69.~buff"): the starting list
// of a test pass as consecutive 5-byte records (the five numbers in stored
// order), no header, keyed in memory by the draws offset and the line's number
// of excluded draws. The key lives only as long as the process, so a file left
// by an earlier run is never loaded.
#include <QByteArray>
#include <QString>

#include <utility>

#include "workbench/CombList.h"

namespace zircon {

inline constexpr int kStartCacheRecordSize = 5;

struct StartCacheKey {
    int offset = -1;  // the draws offset of the pass
    int n = -1;       // the line's number of excluded draws

    // (-1, -1): no cache is valid.
    bool valid() const { return !(offset == -1 && n == -1); }
    friend bool operator==(const StartCacheKey&, const StartCacheKey&) = default;
};

// The records of the first `count` combinations.
QByteArray encodeStartCache(const TComb* combs, size_t count, const CombProgress& progress = {});
// Takes the cache's bytes into the list, or gives the reason they are refused
// and leaves the list untouched: a size that is not a whole number of
// records, more records than the list's capacity, or a record that is not
// five different numbers of 1..69. The records are all checked (with
// progress) before the list is written. Returns the empty text on success.
QString decodeStartCache(const QByteArray& bytes, CombList& list, const CombProgress& progress = {});

class StartCache {
public:
    explicit StartCache(QString path) : m_path(std::move(path)) {}

    const QString& path() const { return m_path; }
    StartCacheKey key() const { return m_key; }

    // Rewrites the file with the list when (offset, n) differs from the key and
    // returns true; returns false and writes nothing when it is the key (or is
    // (-1, -1), which names no cache). The
    // key is dropped before writing and stored only once the whole file has
    // been written (atomically, over the old one), so a write that fails
    // part-way never leaves a cache that a later load would take. Throws Error
    // with the reason; the caller shows saveStartCacheErrorText.
    bool SaveStartCache(const CombList& list, int offset, int n, const CombProgress& progress = {});

    // Replaces the list with the cache when (offset, n) is the key and the file
    // exists: true then. False, with the list untouched, in every other case,
    // (-1, -1) included: without a stored key a file on disk is from an earlier
    // run or an unfinished write and is never taken.
    // Throws Error with the reason when the file cannot be read or is refused
    // (decodeStartCache); the list is then untouched and the key dropped, so
    // the bad file is not tried again. The caller shows loadStartCacheErrorText.
    bool LoadStartCache(CombList& list, int offset, int n, const CombProgress& progress = {});

    // Drops the key and deletes the file when it exists, ignoring errors (at the
    // start and end of each test pass).
    void DropStartCache();
    // Drops the key only (at shutdown).
    void ResetStartCacheKey() { m_key = {}; }

private:
    QString m_path;
    StartCacheKey m_key;
};

}  // namespace zircon
