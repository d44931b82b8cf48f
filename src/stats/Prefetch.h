#pragma once
// The prefetch file of a method: how often each of its values occurs among all
// C(69,5) combinations, the base of the "Норма" column. The file is a plain
// sequence of 12-byte little-endian records, one per value in SortItems order
// (K1, K2, K3, K4 as 16-bit words, then the count as a 32-bit word), followed
// by a 12-byte trailer: the smallest count, the largest count and 0.
//
// The file does not depend on the archive; it changes only with the settings
// a method's values depend on (matrix, channels, segments, formulas).
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "stats/StatDrawArray.h"
#include "stats/StatItem.h"

namespace zircon {

struct DataPaths;
class TStatList;

struct PrefetchRecord {
    TStatKey key;
    int32_t count = 0;  // combinations of the full set with this value

    friend bool operator==(const PrefetchRecord&, const PrefetchRecord&) = default;
};

// The contents of one prefetch file.
struct PrefetchSource {
    std::vector<PrefetchRecord> records;  // in file order: ascending by K1..K4
    int32_t minCount = 0;                 // P0 of the trailer
    int32_t maxCount = 0;                 // P1 of the trailer

    // A file without records or with P1 = 0 supplies no norm.
    bool suppliesNorm() const { return !records.empty() && maxCount != 0; }

    friend bool operator==(const PrefetchSource&, const PrefetchSource&) = default;
};

inline constexpr int kPrefetchRecordSize = 12;

// Called about a hundred times while one file is built, on the calling thread;
// returning false stops the build.
using PrefetchProgress = std::function<bool(int done, int total)>;

struct PrefetchCallbacks {
    std::function<void(const QString& text)> status;  // "Создание файла предварительной выборки ..."
    PrefetchProgress progress;                        // within one file
};

// The texts of the prefetch life cycle; the caller shows them.
QString prefetchStatusText(const QString& fileName);
QString prefetchCreateErrorText(const QString& fileName, const QString& errorText);
QString prefetchOpenErrorText(const QString& fileName, const QString& errorText);

// The file's bytes for a value table: the items in SortItems order, then the
// trailer with SummarizeItems' smallest and largest count.
QByteArray encodePrefetch(const PrefetchSource& source);
// The records and trailer of the file's bytes, or nullopt when they cannot be
// a prefetch file: a size that is not a whole number of records, no trailer,
// a third trailer word other than 0, a smallest count above the largest, a
// largest count of 0 with records present, records out of ascending key
// order, or a record count outside the trailer's range. Such a file is
// treated as missing and built again.
std::optional<PrefetchSource> decodePrefetch(const QByteArray& bytes);

// The file, or nullopt when it does not exist or is not plausible (above).
// Throws Error with the system's reason when it exists but cannot be read.
std::optional<PrefetchSource> readPrefetchFile(const QString& path);

// Counts the values of every combination of the full set for registry item
// `methodIndex`, walking the full set itself (never a user's list). The walk
// may be split over `threads` threads (0: the machine's cores); the result
// is the same for any split. nullopt when the progress callback asked to
// stop. Throws Error when the method fails.
std::optional<PrefetchSource> buildPrefetch(const TStatList& list, int methodIndex,
                                            const PrefetchProgress& progress = {}, int threads = 0);

// Builds the file and writes it atomically (a temporary file renamed over
// the old one, the "Prefetchs" folder created when missing), so a failure or
// a crash leaves the old file or none, never a part-written one. nullopt when
// stopped (nothing is written). Throws Error with the creation message.
std::optional<PrefetchSource> createPrefetchFile(const TStatList& list, int methodIndex, const QString& path,
                                                 const PrefetchCallbacks& callbacks = {}, int threads = 0);

// The file when it is there and plausible, else built as createPrefetchFile
// does. nullopt when a build was stopped. Throws Error with the opening
// message when the file cannot be read, with the creation message when it
// cannot be built.
std::optional<PrefetchSource> openPrefetch(const TStatList& list, int methodIndex, const QString& path,
                                           const PrefetchCallbacks& callbacks = {}, int threads = 0);

struct PrefetchFilesReport {
    int created = 0;     // files built
    int kept = 0;        // plausible files left as they were
    bool stopped = false;
    QStringList errors;  // one creation message per file that failed
};

// Builds the files of every registry item with a norm: a missing or
// implausible file always, an existing one when bit `group` of `groupMask` is
// set (groups above 15 are never rebuilt). `step` is called after each
// registry item (done, total = the registry's count); returning false stops,
// as does the progress of a file. A file that fails is reported and the next
// one is built.
PrefetchFilesReport createPrefetchFiles(const TStatList& list, const DataPaths& paths, uint32_t groupMask,
                                        const PrefetchCallbacks& callbacks = {},
                                        const std::function<bool(int done, int total)>& step = {},
                                        int threads = 0);

// The scale H that turns a full-set count into an expected window count:
// (max + min) / 2 / P1 when P0 = P1 (every value equally frequent), else
// max / P1, with the window's smallest and largest Count. 0 without a norm.
double normScale(const TStatSummary& window, const PrefetchSource& source);

// Sets Norm of every item that has a record to nearest(count x H), halves to
// even. Returns whether the source supplied a norm (the table's norm flag).
bool applyNorms(TStatDrawArray& items, const TStatSummary& window, const PrefetchSource& source);

}  // namespace zircon
