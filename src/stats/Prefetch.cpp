#include "stats/Prefetch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <exception>
#include <limits>
#include <memory>
#include <mutex>
#include <thread>

#include "core/AtomicFile.h"
#include "core/DataDir.h"
#include "core/Error.h"
#include "core/Format.h"
#include "core/Lottery.h"
#include "core/RecordCodec.h"
#include "core/Tr.h"
#include "stats/Rounding.h"
#include "stats/TCustomStat.h"
#include "stats/TStatList.h"

namespace zircon {
namespace {

// Groups whose bit a mask can hold; higher groups are never rebuilt by mask.
constexpr int kMaskGroups = 16;
// The threads a build splits over when the caller leaves it to the machine.
constexpr unsigned kMaxThreads = 16;

// The SortItems order: K1, then K2, K3, K4, each as an unsigned 16-bit number.
bool keyLess(TStatKey a, TStatKey b)
{
    for (int i = 1; i <= 4; ++i)
        if (a.K(i) != b.K(i))
            return a.K(i) < b.K(i);
    return false;
}

// One piece of the full set: every combination that starts with a, b. The
// 2,211 pieces are small enough (at most C(67,3) = 47,905 combinations) for
// the progress to move smoothly and for the threads to share the work evenly.
struct Piece {
    uint8_t a;
    uint8_t b;
    uint32_t size;
};

std::vector<Piece> fullSetPieces()
{
    std::vector<Piece> pieces;
    for (int a = 1; a <= kMainMax - 4; ++a)
        for (int b = a + 1; b <= kMainMax - 3; ++b) {
            const uint32_t rest = static_cast<uint32_t>(kMainMax - b);
            pieces.push_back({static_cast<uint8_t>(a), static_cast<uint8_t>(b), rest * (rest - 1) * (rest - 2) / 6});
        }
    return pieces;
}

// Counts keys: values that fit K1 below 65,536 with K2..K4 = 0 (most methods)
// go to a direct-indexed array; any other value to an open-addressing table.
class KeyCounter {
public:
    KeyCounter() : m_dense(kDenseSize, 0) {}

    void add(uint64_t raw)
    {
        if (raw < kDenseSize)
            ++m_dense[raw];
        else
            addHashed(raw);
    }

    // f(key, count) for every key counted at least once.
    template <class F>
    void forEach(F&& f) const
    {
        for (uint64_t k = 0; k < kDenseSize; ++k)
            if (m_dense[k] != 0)
                f(k, uint64_t{m_dense[k]});
        for (size_t i = 0; i < m_keys.size(); ++i)
            if (m_keys[i] != kEmpty)
                f(m_keys[i], m_counts[i]);
    }

private:
    static constexpr uint64_t kDenseSize = 65536;
    // Hashed keys are at least kDenseSize, so 0 marks a free slot.
    static constexpr uint64_t kEmpty = 0;

    static size_t slotOf(uint64_t raw, size_t mask)
    {
        return static_cast<size_t>((raw * 0x9E3779B97F4A7C15ull) >> 32) & mask;
    }

    void addHashed(uint64_t raw)
    {
        if (m_keys.empty() || (m_used + 1) * 2 > m_keys.size())
            grow();
        const size_t mask = m_keys.size() - 1;
        size_t i = slotOf(raw, mask);
        while (m_keys[i] != kEmpty && m_keys[i] != raw)
            i = (i + 1) & mask;
        if (m_keys[i] == kEmpty) {
            m_keys[i] = raw;
            ++m_used;
        }
        ++m_counts[i];
    }

    void grow()
    {
        std::vector<uint64_t> keys(m_keys.empty() ? 1024 : m_keys.size() * 2, kEmpty);
        std::vector<uint64_t> counts(keys.size(), 0);
        const size_t mask = keys.size() - 1;
        for (size_t j = 0; j < m_keys.size(); ++j) {
            if (m_keys[j] == kEmpty)
                continue;
            size_t i = slotOf(m_keys[j], mask);
            while (keys[i] != kEmpty)
                i = (i + 1) & mask;
            keys[i] = m_keys[j];
            counts[i] = m_counts[j];
        }
        m_keys.swap(keys);
        m_counts.swap(counts);
    }

    std::vector<uint32_t> m_dense;
    std::vector<uint64_t> m_keys;
    std::vector<uint64_t> m_counts;
    size_t m_used = 0;
};

// One thread's share of a build: its own instance of the method (instances
// keep working state) and its own counters.
class PrefetchWorker {
public:
    PrefetchWorker(const TStatList& list, int methodIndex) : m_stat(list.CreateStat(methodIndex))
    {
        m_byKeys = m_stat->prefetchByKeys();
    }

    void run(const Piece& piece)
    {
        TComb c;
        c.n[0] = piece.a;
        c.n[1] = piece.b;
        KeyList keys;
        for (int d = piece.b + 1; d <= kMainMax - 2; ++d) {
            c.n[2] = static_cast<uint8_t>(d);
            for (int e = d + 1; e <= kMainMax - 1; ++e) {
                c.n[3] = static_cast<uint8_t>(e);
                for (int g = e + 1; g <= kMainMax; ++g) {
                    c.n[4] = static_cast<uint8_t>(g);
                    if (m_byKeys) {
                        keys.count = 0;
                        m_stat->CombKeys(c.n.data(), keys);
                        for (TStatKey k : keys)
                            m_counter.add(k.raw);
                    } else {
                        m_stat->AddCombValues(c, m_items);
                    }
                }
            }
        }
    }

    template <class F>
    void forEachCount(F&& f) const
    {
        if (m_byKeys) {
            m_counter.forEach(f);
        } else {
            for (const TStatDrawItem& it : m_items)
                f(it.Key.raw, static_cast<uint64_t>(std::max<int32_t>(it.Count, 0)));
        }
    }

private:
    std::unique_ptr<TCustomStat> m_stat;
    bool m_byKeys = true;
    KeyCounter m_counter;
    TStatDrawArray m_items;
};

void requireMethod(const TStatList& list, int methodIndex)
{
    if (methodIndex < 0 || methodIndex >= list.Count())
        throw Error(fmt(tr("Метод расчета статистики с номером %d не зарегистрирован!"), methodIndex));
}

}  // namespace

QString prefetchStatusText(const QString& fileName)
{
    return fmt(tr("Создание файла предварительной выборки %s..."), fileName);
}

QString prefetchCreateErrorText(const QString& fileName, const QString& errorText)
{
    return fmt(tr("Ошибка создания файла данных для полного набора вариантов!\r\rИмя файла: %s\r\r%s"), fileName,
               errorText);
}

QString prefetchOpenErrorText(const QString& fileName, const QString& errorText)
{
    return fmt(tr("Ошибка открытия файла данных для полного набора вариантов!\r\rИмя файла: %s\r\r%s"), fileName,
               errorText);
}

QByteArray encodePrefetch(const PrefetchSource& source)
{
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>((source.records.size() + 1) * kPrefetchRecordSize));
    RecordWriter w(bytes);
    for (const PrefetchRecord& r : source.records) {
        // K1, K2 (and K3, K4) as little-endian 16-bit words are exactly the
        // little-endian 32-bit words L1 and L2.
        w.u32(r.key.L(1));
        w.u32(r.key.L(2));
        w.i32(r.count);
    }
    w.i32(source.minCount);
    w.i32(source.maxCount);
    w.i32(0);
    return bytes;
}

std::optional<PrefetchSource> decodePrefetch(const QByteArray& bytes)
{
    const qsizetype size = bytes.size();
    if (size < kPrefetchRecordSize || size % kPrefetchRecordSize != 0)
        return std::nullopt;
    const qsizetype count = size / kPrefetchRecordSize - 1;
    RecordReader r(bytes.constData(), size);
    PrefetchSource source;
    source.records.reserve(static_cast<size_t>(count));
    int32_t smallest = std::numeric_limits<int32_t>::max();
    int32_t largest = 0;
    for (qsizetype i = 0; i < count; ++i) {
        PrefetchRecord rec;
        const uint32_t l1 = r.u32();
        const uint32_t l2 = r.u32();
        rec.key = TStatKey::l2(l1, l2);
        rec.count = r.i32();
        if (rec.count < 0)
            return std::nullopt;
        if (!source.records.empty() && !keyLess(source.records.back().key, rec.key))
            return std::nullopt;
        smallest = std::min(smallest, rec.count);
        largest = std::max(largest, rec.count);
        source.records.push_back(rec);
    }
    source.minCount = r.i32();
    source.maxCount = r.i32();
    const int32_t zero = r.i32();
    if (!r.ok() || zero != 0)
        return std::nullopt;
    // The trailer is what SummarizeItems gave over the records, so it must
    // agree with them; an empty table gives the largest Int32 and 0.
    if (source.minCount != smallest || source.maxCount != largest)
        return std::nullopt;
    if (!source.records.empty() && source.maxCount == 0)
        return std::nullopt;
    return source;
}

std::optional<PrefetchSource> readPrefetchFile(const QString& path)
{
    if (!QFileInfo::exists(path))
        return std::nullopt;
    return decodePrefetch(readWholeFile(path));
}

std::optional<PrefetchSource> buildPrefetch(const TStatList& list, int methodIndex, const PrefetchProgress& progress,
                                            int threads)
{
    requireMethod(list, methodIndex);
    const std::vector<Piece> pieces = fullSetPieces();
    unsigned n = threads > 0 ? static_cast<unsigned>(threads) : std::thread::hardware_concurrency();
    n = std::clamp(n, 1u, kMaxThreads);

    // Instances are created here, on the calling thread, before any thread
    // starts; each thread then touches only its own worker.
    std::vector<std::unique_ptr<PrefetchWorker>> workers;
    for (unsigned i = 0; i < n; ++i)
        workers.push_back(std::make_unique<PrefetchWorker>(list, methodIndex));

    std::atomic<size_t> next{0};
    std::atomic<int64_t> done{0};
    std::atomic<bool> stop{false};
    std::exception_ptr failure;
    std::mutex failureMutex;
    int shownPercent = 0;
    bool stoppedByUser = false;

    // Progress is reported by the calling thread only, once per percent.
    auto report = [&](bool final) {
        if (!progress)
            return;
        const int64_t d = final ? int64_t{kFullSetSize} : done.load();
        const int percent = static_cast<int>(d * 100 / kFullSetSize);
        if (percent <= shownPercent && !(final && shownPercent < 100))
            return;
        shownPercent = std::max(percent, shownPercent);
        if (!progress(static_cast<int>(d), kFullSetSize)) {
            stoppedByUser = true;
            stop = true;
        }
    };
    auto work = [&](PrefetchWorker& worker, bool reporting) {
        try {
            while (!stop) {
                const size_t i = next++;
                if (i >= pieces.size())
                    break;
                worker.run(pieces[i]);
                done += pieces[i].size;
                if (reporting)
                    report(false);
            }
        } catch (...) {
            std::lock_guard<std::mutex> lock(failureMutex);
            if (!failure)
                failure = std::current_exception();
            stop = true;
        }
    };

    std::vector<std::thread> helpers;
    try {
        for (unsigned i = 1; i < n; ++i)
            helpers.emplace_back(work, std::ref(*workers[i]), false);
    } catch (...) {
        // Fewer threads than asked: the ones started share the work.
    }
    work(*workers[0], true);
    for (std::thread& t : helpers)
        t.join();
    if (failure)
        std::rethrow_exception(failure);
    if (stoppedByUser)
        return std::nullopt;
    report(true);
    if (stoppedByUser)
        return std::nullopt;

    // Every split gives the same counts; SortItems then fixes one order.
    TStatDrawArray items;
    for (const auto& worker : workers) {
        worker->forEachCount([&items](uint64_t raw, uint64_t c) {
            const TStatKey key{raw};
            const int at = items.find(key);
            if (at < 0) {
                TStatDrawItem it;
                it.Key = key;
                it.Count = static_cast<int32_t>(c);
                items.append(it);
            } else {
                items[at].Count += static_cast<int32_t>(c);
            }
        });
    }
    items.SortItems();
    const TStatSummary summary = items.SummarizeItems();
    PrefetchSource source;
    source.records.reserve(static_cast<size_t>(items.size()));
    for (const TStatDrawItem& it : items)
        source.records.push_back({it.Key, it.Count});
    source.minCount = summary.minCount;
    source.maxCount = summary.maxCount;
    return source;
}

std::optional<PrefetchSource> createPrefetchFile(const TStatList& list, int methodIndex, const QString& path,
                                                 const PrefetchCallbacks& callbacks, int threads)
{
    if (callbacks.status)
        callbacks.status(prefetchStatusText(path));
    try {
        // A file being rebuilt is stale: it goes first, so that a failed or
        // stopped build leaves no file (built again on next use) rather than
        // counts made under other settings.
        if (QFileInfo::exists(path) && !QFile::remove(path))
            throw Error(fmt(tr("Не удалось удалить файл %s"), path));
        std::optional<PrefetchSource> source = buildPrefetch(list, methodIndex, callbacks.progress, threads);
        if (!source)
            return std::nullopt;
        const QString dir = QFileInfo(path).absolutePath();
        if (!QDir().mkpath(dir))
            throw Error(fmt(tr("Не удалось создать папку %s"), dir));
        writeFileAtomically(path, encodePrefetch(*source));
        return source;
    } catch (const std::exception& e) {
        throw Error(prefetchCreateErrorText(path, errorText(e)));
    }
}

std::optional<PrefetchSource> openPrefetch(const TStatList& list, int methodIndex, const QString& path,
                                           const PrefetchCallbacks& callbacks, int threads)
{
    requireMethod(list, methodIndex);
    if (!list.HasNorm(methodIndex))
        return std::nullopt;
    std::optional<PrefetchSource> existing;
    try {
        existing = readPrefetchFile(path);
    } catch (const std::exception& e) {
        throw Error(prefetchOpenErrorText(path, errorText(e)));
    }
    if (existing)
        return existing;
    return createPrefetchFile(list, methodIndex, path, callbacks, threads);
}

PrefetchFilesReport createPrefetchFiles(const TStatList& list, const DataPaths& paths, uint32_t groupMask,
                                        const PrefetchCallbacks& callbacks,
                                        const std::function<bool(int done, int total)>& step, int threads)
{
    PrefetchFilesReport report;
    const int total = list.Count();
    for (int i = 0; i < total; ++i) {
        if (list.HasNorm(i)) {
            const QString path = paths.prefetchFile(list.ItemCode(i));
            const int group = list.Items(i).StatClass->group;
            const bool rebuild = group < kMaskGroups && ((groupMask >> group) & 1u) != 0;
            bool keep = false;
            if (!rebuild) {
                try {
                    keep = readPrefetchFile(path).has_value();
                } catch (const std::exception&) {
                    // Unreadable counts as missing: the build below replaces it
                    // or reports why it cannot.
                }
            }
            if (keep) {
                ++report.kept;
            } else {
                try {
                    if (!createPrefetchFile(list, i, path, callbacks, threads)) {
                        report.stopped = true;
                        break;
                    }
                    ++report.created;
                } catch (const Error& e) {
                    report.errors << e.text();
                }
            }
        }
        if (step && !step(i + 1, total)) {
            report.stopped = true;
            break;
        }
    }
    return report;
}

double normScale(const TStatSummary& window, const PrefetchSource& source)
{
    if (!source.suppliesNorm())
        return 0.0;
    const double p1 = source.maxCount;
    if (source.minCount == source.maxCount)
        return (static_cast<double>(window.maxCount) + window.minCount) / 2.0 / p1;
    return static_cast<double>(window.maxCount) / p1;
}

bool applyNorms(TStatDrawArray& items, const TStatSummary& window, const PrefetchSource& source)
{
    if (!source.suppliesNorm())
        return false;
    // count x H is formed as one division of whole numbers, so that a result
    // lying exactly halfway is seen as such and goes to the even neighbour
    // (H rounded first could tip a half either way).
    const bool equal = source.minCount == source.maxCount;
    const double numerator =
        equal ? static_cast<double>(window.maxCount) + window.minCount : static_cast<double>(window.maxCount);
    const double denominator = equal ? 2.0 * source.maxCount : static_cast<double>(source.maxCount);
    for (const PrefetchRecord& rec : source.records) {
        const int at = items.find(rec.key);
        if (at < 0)
            continue;
        const int64_t norm = roundHalfEven(rec.count * numerator / denominator);
        items[at].Norm = static_cast<int32_t>(
            std::clamp<int64_t>(norm, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
    }
    return true;
}

}  // namespace zircon
