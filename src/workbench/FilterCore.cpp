#include "workbench/FilterCore.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <vector>

#include "stats/CombFilter.h"
#include "stats/StatDrawArray.h"
#include "stats/TCustomStat.h"
#include "workbench/AppliedFilters.h"

namespace zircon {
namespace {

// Progress is counted in blocks of at most this many combinations.
constexpr size_t kMaxBlock = 65536;
// The prepared filter answers this many combinations at a time, and they are
// compacted at once: 20 KB of combinations and 4 KB of answers, still in the
// first-level cache when the compaction reads them again.
constexpr size_t kChunk = 4096;
// A shorter list is done in about the time a second thread takes to start,
// so Automatic keeps it on one.
constexpr size_t kMinSplit = 4 * kMaxBlock;
constexpr size_t kProgressSteps = 100;
// How often the starting thread reports while it waits for the other half.
constexpr auto kWaitSlice = std::chrono::milliseconds(10);

// Small enough that every percent of the pass ends a block, so a short list
// reports as often as a long one; never above kMaxBlock.
size_t blockSizeFor(size_t total, size_t blocksPerStep = 1)
{
    return std::clamp(total / (kProgressSteps * blocksPerStep), size_t{1}, kMaxBlock);
}

// One byte per answer turned into one bit per byte: 1 where the answer is
// not 0 (a filter answers 1, but anything else nonzero counts as a match).
inline uint64_t nonzeroBytes(uint64_t bytes)
{
    constexpr uint64_t low7 = 0x7F7F7F7F7F7F7F7FULL;
    return ((((bytes & low7) + low7) | bytes) >> 7) & 0x0101010101010101ULL;
}

// Copies one combination as an 8-byte move (see compactChunk).
inline void moveWide(const unsigned char* src, unsigned char* dst)
{
    uint64_t bytes;
    std::memcpy(&bytes, src, sizeof bytes);
    std::memcpy(dst, &bytes, sizeof bytes);
}

// Writes the combinations of one chunk that the step keeps to `out`, in
// order, and returns their count. Every combination is copied and the write
// position advances only for the kept ones, so the loop has no branch to
// mispredict; the answers are read eight at a time, so the copies do not wait
// on loads that might alias them. The copies are 8-byte moves: the 3 bytes
// past a combination land on the next output slot, which the next kept
// combination overwrites or which lies past the kept ones, and never beyond
// the slot of the next input combination. Only the range's last combination,
// whose next slot may belong to someone else, is copied by its 5 bytes
// (`rangeEnd`).
template <bool DeleteMode>
size_t compactChunk(const TComb* in, const uint8_t* matched, size_t n, TComb* out, bool rangeEnd)
{
    const size_t wide = rangeEnd ? n - 1 : n;
    const auto* src = reinterpret_cast<const unsigned char*>(in);
    auto* dst = reinterpret_cast<unsigned char*>(out);
    size_t w = 0;
    size_t i = 0;
    for (; i + 8 <= wide; i += 8) {
        uint64_t answers;
        std::memcpy(&answers, matched + i, sizeof answers);
        uint64_t keep = nonzeroBytes(answers);
        if constexpr (DeleteMode)
            keep ^= 0x0101010101010101ULL;
        for (size_t k = 0; k < 8; ++k) {
            moveWide(src + (i + k) * sizeof(TComb), dst + w * sizeof(TComb));
            w += static_cast<size_t>((keep >> (8 * k)) & 1);
        }
    }
    for (; i < wide; ++i) {
        moveWide(src + i * sizeof(TComb), dst + w * sizeof(TComb));
        w += static_cast<size_t>((matched[i] != 0) != DeleteMode);
    }
    if (rangeEnd) {
        out[w] = in[n - 1];
        w += static_cast<size_t>((matched[n - 1] != 0) != DeleteMode);
    }
    return w;
}
static_assert(sizeof(TComb) == 5 && sizeof(uint64_t) - sizeof(TComb) < sizeof(TComb),
              "an 8-byte move reaches only into the next combination");

// Walks in[0 .. n-1] block by block; afterBlock(tested) is called after each
// block and false from it stops the walk. Returns the kept count, or nothing
// meaningful when stopped (the caller knows from its own flag). `out` has room
// for n combinations and nothing past it is touched.
template <class AfterBlock>
size_t filterRange(const CombFilter& filter, const TComb* in, size_t n, TComb* out, bool deleteMode, size_t block,
                   AfterBlock&& afterBlock)
{
    std::vector<uint8_t> matched(std::min(kChunk, n));
    size_t kept = 0;
    for (size_t from = 0; from < n; from += block) {
        const size_t len = std::min(block, n - from);
        for (size_t at = from; at < from + len; at += kChunk) {
            const size_t chunk = std::min(kChunk, from + len - at);
            filter.match(in + at, chunk, matched.data());
            const bool rangeEnd = at + chunk == n;
            kept += deleteMode ? compactChunk<true>(in + at, matched.data(), chunk, out + kept, rangeEnd)
                               : compactChunk<false>(in + at, matched.data(), chunk, out + kept, rangeEnd);
        }
        if (!afterBlock(len))
            break;
    }
    return kept;
}

// Calls the progress callback each time the pass has done another percent.
class ProgressReporter {
public:
    ProgressReporter(const FilterProgress& progress, size_t total) : m_progress(progress), m_total(total) {}

    // False when the callback asked to stop.
    bool report(size_t done)
    {
        if (!m_progress)
            return true;
        const size_t step = done * kProgressSteps / m_total;
        if (step <= m_lastStep)
            return true;
        m_lastStep = step;
        return m_progress(done, m_total);
    }

private:
    const FilterProgress& m_progress;
    size_t m_total;
    size_t m_lastStep = 0;
};

bool overlaps(const TComb* a, const TComb* b, size_t count)
{
    const auto pa = reinterpret_cast<std::uintptr_t>(a);
    const auto pb = reinterpret_cast<std::uintptr_t>(b);
    const std::uintptr_t bytes = count * sizeof(TComb);
    return pa < pb + bytes && pb < pa + bytes;
}

ValueFilterResult singlePass(const CombFilter& filter, const TComb* input, size_t count, TComb* output,
                             const ValueFilterPass& pass)
{
    ProgressReporter reporter(pass.progress, count);
    size_t done = 0;
    bool stopped = false;
    const size_t kept = filterRange(filter, input, count, output, pass.deleteMode, blockSizeFor(count),
                                    [&](size_t tested) {
                                        done += tested;
                                        stopped = !reporter.report(done);
                                        return !stopped;
                                    });
    if (stopped)
        return ValueFilterResult{0, false, 1};
    return ValueFilterResult{kept, true, 1};
}

// The first half runs on the calling thread (which alone talks to the
// progress callback) and writes its kept combinations from output[0]; the
// second half runs on a worker and writes its own from output[mid], which
// lies beyond anything the first half can keep. One block move then closes
// the gap, so the output is exactly what one thread would have written.
ValueFilterResult twoThreadPass(const CombFilter& filter, const TComb* input, size_t count, TComb* output,
                                const ValueFilterPass& pass, bool& started)
{
    const size_t mid = count / 2;
    // The reports come from the first half's blocks, so they are a quarter
    // of a percent of the list: however the two threads' speeds differ, every
    // percent of the whole still ends one of them.
    const size_t block = blockSizeFor(count, 4);
    std::atomic<bool> stop{false};
    std::atomic<size_t> workerDone{0};
    size_t workerKept = 0;
    std::exception_ptr workerError;
    std::mutex mutex;
    std::condition_variable finishedSignal;
    bool workerFinished = false;

    auto work = [&] {
        try {
            workerKept = filterRange(filter, input + mid, count - mid, output + mid, pass.deleteMode, block,
                                     [&](size_t tested) {
                                         workerDone.fetch_add(tested, std::memory_order_relaxed);
                                         return !stop.load(std::memory_order_relaxed);
                                     });
        } catch (...) {
            workerError = std::current_exception();
        }
        const std::lock_guard<std::mutex> lock(mutex);
        workerFinished = true;
        finishedSignal.notify_one();
    };
    std::thread worker;
    try {
        worker = std::thread(work);
    } catch (const std::system_error&) {
        started = false;  // no second thread to be had: the caller runs the pass on this one
        return {};
    }
    started = true;

    ProgressReporter reporter(pass.progress, count);
    size_t mainDone = 0;
    bool stopped = false;
    size_t mainKept = 0;
    try {
        mainKept = filterRange(filter, input, mid, output, pass.deleteMode, block, [&](size_t tested) {
            mainDone += tested;
            stopped = !reporter.report(mainDone + workerDone.load(std::memory_order_relaxed));
            return !stopped;
        });
    } catch (...) {
        stop = true;
        worker.join();
        throw;
    }
    if (stopped)
        stop = true;
    {
        // Keep reporting while the other half finishes, so a window stays
        // responsive and its stop button still works.
        std::unique_lock<std::mutex> lock(mutex);
        while (!workerFinished) {
            finishedSignal.wait_for(lock, kWaitSlice);
            if (workerFinished || stopped)
                continue;
            lock.unlock();
            stopped = !reporter.report(mainDone + workerDone.load(std::memory_order_relaxed));
            if (stopped)
                stop = true;
            lock.lock();
        }
    }
    worker.join();
    if (workerError)
        std::rethrow_exception(workerError);
    if (stopped)
        return ValueFilterResult{0, false, 2};
    if (!reporter.report(count))
        return ValueFilterResult{0, false, 2};
    if (workerKept > 0 && mainKept < mid)
        std::memmove(static_cast<void*>(output + mainKept), output + mid, workerKept * sizeof(TComb));
    return ValueFilterResult{mainKept + workerKept, true, 2};
}

bool splitPass(const CombFilter& filter, size_t count, FilterThreads threads)
{
    if (!filter.concurrent() || count < 2)
        return false;
    switch (threads) {
    case FilterThreads::Single:
        return false;
    case FilterThreads::Two:
        return true;
    case FilterThreads::Automatic:
        break;
    }
    return count >= kMinSplit && std::thread::hardware_concurrency() >= 2;
}

}  // namespace

int filterWindowEnd(int drawCount, int drawsOffset)
{
    if (drawCount < drawsOffset)
        return 0;
    return drawCount - 1 - drawsOffset;
}

ValueFilterResult applyValueFilter(const TComb* input, size_t count, TComb* output, TCustomStat& stat,
                                   const TStatDrawArray& selection, const ValueFilterPass& pass)
{
    if (count == 0)
        return ValueFilterResult{0, true, 0};
    if (overlaps(input, output, count))
        throw std::invalid_argument("applyValueFilter: the output overlaps the input");

    stat.LoadDraws(-1, pass.end, pass.sorted);
    const std::unique_ptr<CombFilter> filter = stat.PrepareFilter(selection, pass.end, pass.sorted, pass.deleteMode);

    if (splitPass(*filter, count, pass.threads)) {
        bool started = false;
        const ValueFilterResult r = twoThreadPass(*filter, input, count, output, pass, started);
        if (started)
            return r;
    }
    return singlePass(*filter, input, count, output, pass);
}

ValueFilterResult ApplyValueFilter(TCustomStat& stat, const TStatDrawArray& selection, const QString& source,
                                   const QString& valuesText, const TComb* undo, size_t undoCount, TComb* list,
                                   AppliedFilters& filters, const ValueFilterPass& pass)
{
    if (undoCount == 0)
        return ValueFilterResult{0, true, 0};
    // Restoring needs the undo copy intact, so the two must be apart.
    if (overlaps(undo, list, undoCount))
        throw std::invalid_argument("ApplyValueFilter: the list overlaps its undo copy");
    auto restore = [&] { std::memcpy(static_cast<void*>(list), undo, undoCount * sizeof(TComb)); };
    ValueFilterResult r;
    try {
        r = applyValueFilter(undo, undoCount, list, stat, selection, pass);
    } catch (...) {
        restore();
        throw;
    }
    if (!r.completed) {
        restore();
        r.kept = undoCount;
        return r;
    }
    filters.add(source, valuesText, r.kept, pass.deleteMode ? FilterMark::Delete : FilterMark::Keep);
    return r;
}

}  // namespace zircon
