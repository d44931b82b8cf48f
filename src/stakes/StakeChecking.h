#pragma once
// Checking stakes against the draw archive: every unchecked stake whose draw
// is in the archive gets the draw's numbers, its matches, the matched numbers
// and its final profit, once. The whole archive counts, whatever the draws
// offset hides, so that a test run's stakes on past draws are checked at once.
#include <QString>

#include <functional>

#include "core/Types.h"
#include "stakes/StakeLog.h"
#include "stakes/StakeRecord.h"
#include "stakes/StakesFile.h"

namespace zircon {

class TStatList;

struct StakeCheckOptions {
    // Called for every stake this check has just checked, with its 0-based
    // index, once the record is on the disk (the ratings count it here).
    std::function<void(int index, const StakeRecord& record)> onChecked;
    // The stake logs, or nullptr when they are off; one session per check.
    StakeLog* log = nullptr;
    // The percentage of the records read since the first candidate, about a
    // hundred times per check.
    std::function<void(int percent)> progress;
};

struct StakeCheckResult {
    int checked = 0;        // stakes checked by this call
    int damaged = 0;        // records skipped because they do not decode
    int firstDamaged = -1;  // 0-based index of the first of them, or -1
    QString logFailure;     // the first stake log failure, ready to show, or ""
    int logLinesLost = 0;   // log lines that were not written
};

// Not checked, for a draw above 0, with at least five numbers.
bool isCheckCandidate(const StakeRecord& record);

// Checks one stake against its draw: the draw's five main numbers, the
// matches among them (the extra number plays no part), the matched numbers
// ascending and the profit StakeResult(number count, matches).
void applyDrawToStake(StakeRecord& record, const TDraw& draw, const TStatList& stats);

// "Проверка результатов ставок ( завершено %.0f %% )...".
QString stakeCheckProgressText(int percent);

// Checks every candidate of the file, reading it in blocks and writing back
// only the records that changed. A stake whose draw the archive lacks stays as
// it is; a record that does not decode is skipped and counted. Failures of
// the file are thrown; stakes checked before stay checked and their hooks have
// run. Log failures do not stop the check and are reported once, in the result.
StakeCheckResult checkStakes(StakesFile& file, const TDrawsArray& draws, const TStatList& stats,
                             const StakeCheckOptions& options = {});

}  // namespace zircon
