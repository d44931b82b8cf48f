#include "stakes/StakeChecking.h"

#include <algorithm>
#include <vector>

#include "core/DrawArchive.h"
#include "core/Format.h"
#include "core/Shema.h"
#include "core/Tr.h"
#include "stats/TStatList.h"

namespace zircon {
namespace {

constexpr int kCheckBlockRecords = 4096;

// Stakes come in runs on the same draw; the last answer saves most lookups.
class DrawLookup {
public:
    explicit DrawLookup(const TDrawsArray& draws) : m_draws(draws) {}

    const TDraw* find(int32_t number)
    {
        if (number != m_lastNumber) {
            m_lastNumber = number;
            m_lastIndex = FindDraw(m_draws, number);
        }
        return m_lastIndex < 0 ? nullptr : &m_draws[static_cast<size_t>(m_lastIndex)];
    }

private:
    const TDrawsArray& m_draws;
    int32_t m_lastNumber = 0;
    int m_lastIndex = -1;
};

// Closes the log files however the check ends.
class LogSession {
public:
    explicit LogSession(StakeLog* log) : m_log(log)
    {
        if (m_log)
            m_log->begin();
    }
    ~LogSession()
    {
        if (m_log)
            m_log->end();
    }
    LogSession(const LogSession&) = delete;
    LogSession& operator=(const LogSession&) = delete;

    void finish(StakeCheckResult& result)
    {
        if (!m_log)
            return;
        m_log->end();
        result.logFailure = m_log->failure();
        result.logLinesLost = m_log->linesLost();
    }

private:
    StakeLog* m_log;
};

}  // namespace

bool isCheckCandidate(const StakeRecord& record)
{
    return !record.checked && record.drawNumber > 0 && record.numbers.count >= kMainCount;
}

void applyDrawToStake(StakeRecord& record, const TDraw& draw, const TStatList& stats)
{
    record.checked = true;
    record.drawNumbers = draw.comb();
    record.matched = ShemaIntersectDraw(draw, record.numbers);
    record.profit = stats.StakeResult(record.numbers.count, record.matched.count);
}

QString stakeCheckProgressText(int percent)
{
    return fmt(tr("Проверка результатов ставок ( завершено %.0f %% )..."), static_cast<double>(percent));
}

StakeCheckResult checkStakes(StakesFile& file, const TDrawsArray& draws, const TStatList& stats,
                             const StakeCheckOptions& options)
{
    StakeCheckResult result;
    LogSession session(options.log);
    const int total = file.count();
    DrawLookup lookup(draws);
    int firstCandidate = -1;
    int progressStep = 1;
    int span = 1;
    struct Checked {
        int index;
        StakeRecord record;
    };
    std::vector<Checked> justChecked;
    QByteArray encoded;
    justChecked.reserve(kCheckBlockRecords);

    for (int first = 0; first < total; first += kCheckBlockRecords) {
        const int n = std::min(kCheckBlockRecords, total - first);
        QByteArray block = file.readBlock(first, n);
        int lowChanged = n;
        int highChanged = -1;
        justChecked.clear();
        for (int j = 0; j < n; ++j) {
            const int index = first + j;
            char* raw = block.data() + static_cast<qsizetype>(j) * kStakeRecordSize;
            StakeRecord record;
            if (!decodeStake(raw, record)) {
                if (result.damaged++ == 0)
                    result.firstDamaged = index;
            } else if (isCheckCandidate(record)) {
                if (firstCandidate < 0) {
                    firstCandidate = index;
                    span = total - index;
                    progressStep = std::max(1, span / 100);
                }
                if (const TDraw* draw = lookup.find(record.drawNumber)) {
                    applyDrawToStake(record, *draw, stats);
                    encoded.clear();
                    encodeStake(record, encoded);
                    std::copy(encoded.begin(), encoded.end(), raw);
                    lowChanged = std::min(lowChanged, j);
                    highChanged = j;
                    justChecked.push_back({index, record});
                }
            }
            if (firstCandidate >= 0 && options.progress) {
                const int readSince = index - firstCandidate + 1;
                if (readSince % progressStep == 0)
                    options.progress(static_cast<int>(100LL * readSince / span));
            }
        }
        if (highChanged < 0)
            continue;
        // Records between the changed ones go back byte for byte as read.
        const qsizetype from = static_cast<qsizetype>(lowChanged) * kStakeRecordSize;
        const qsizetype size = static_cast<qsizetype>(highChanged - lowChanged + 1) * kStakeRecordSize;
        file.writeBlock(first + lowChanged, block.mid(from, size));
        result.checked += static_cast<int>(justChecked.size());
        for (const Checked& c : justChecked) {
            if (options.onChecked)
                options.onChecked(c.index, c.record);
            if (options.log)
                options.log->write(c.record);
        }
    }
    session.finish(result);
    return result;
}

}  // namespace zircon
