#pragma once
// Every way stakes are added to the stakes file, apart from the dialogs that
// ask for them: one stake by hand, a random combination of the list, the
// selected or all combinations of the list, several draws at once with
// separator records between them, and stakes made by scripts and tables.
#include <QRandomGenerator>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "core/Types.h"
#include "stakes/StakeRecord.h"
#include "stakes/StakesFile.h"

namespace zircon {

class TStatList;

// "Ставка \"вручную\"": the comment of a stake made by hand.
QString manualStakeComment();

// A new, unchecked stake: the numbers ascending, matches -1, the draw's
// numbers zero, profit StakeResult(number count, -1) (minus the cost), the
// comment cut to 255 characters.
StakeRecord makeStakeRecord(StakeKind kind, int32_t drawNumber, int32_t listSize, const TShema& numbers,
                            const QString& comment, const TStatList& stats);
StakeRecord makeStakeRecord(StakeKind kind, int32_t drawNumber, int32_t listSize, const TComb& comb,
                            const QString& comment, const TStatList& stats);

// The record the stake dialog opens with: kind "Вручную", the given next draw
// number and list length, the manual comment and the chosen combination
// (nullptr: no numbers yet).
StakeRecord prepareManualStake(int32_t drawNumber, int32_t listSize, const TComb* chosen, const TStatList& stats);

// The stake dialog's numbers: split at "," and ";" (runs of them count as
// one), each item trimmed; exactly five distinct integers of 1..69, returned
// ascending. nullopt for anything else.
std::optional<TShema> parseStakeNumbers(const QString& text);
// The dialog's "Сумма:" field: the sum of the items that are integers; any
// other item counts 0.
int stakeNumbersSum(const QString& text);

// Which field of the stake dialog stops its OK, numbers first.
enum class StakeEntryFault { None, Numbers, Comment };
StakeEntryFault checkStakeEntry(const QString& numbersText, const QString& comment);
// "Введена некорректная комбинация!", "Необходимо ввести комментарий!" or "".
QString stakeEntryFaultText(StakeEntryFault fault);

// What the dialog's OK makes of the prepared record: every field is kept but
// the draw number, the numbers (ascending, count 5) and the comment.
StakeRecord stakeFromEntry(const StakeRecord& prepared, int32_t drawNumber, const TShema& numbers,
                           const QString& comment);

// The position of a uniformly random combination in a list of `count`
// (the random stake). Throws Error for an empty list.
size_t randomCombIndex(size_t count, QRandomGenerator& rng);

// The comment of a script stake: "%.2d.%.3d:" with the line and variant
// numbers, a blank, the line comment and a blank when there is one, "@", a
// blank and the stake text; the record cuts it to 255 characters.
QString scriptStakeComment(int line, int variant, const QString& lineComment, const QString& stakeText);

struct StakeAddResult {
    int added = 0;       // stake records appended
    int separators = 0;  // separator records appended
    int skipped = 0;     // stakes left out because the file held them already
    bool stopped = false;  // the progress callback asked to stop
};

// Appends one stake for `draws` draws and writes it to the disk. A checked
// record ("Добавление в конец файла уже проверенной ставки!"), a record that
// is no valid stake, and a draw number whose last draw would pass the largest
// draw number are refused before anything is appended. Below 2 draws the
// record is appended as it is; otherwise for each draw i in turn a separator
// is appended when the file ends with a stake, then a copy of the record for
// draw number + i. With `newOnly` a stake the file already holds (same draw,
// same numbers in any order) is left out together with its separator.
StakeAddResult addStakes(StakesFile& file, const StakeRecord& record, int draws, bool newOnly = false);

struct BulkStakeSettings {
    StakeKind kind = StakeKind::Manual;
    int32_t drawNumber = 1;  // the first draw
    int draws = 1;           // draws to stake each combination on
    int32_t listSize = 0;    // the list length recorded with each stake
    QString comment;
    bool newOnly = false;
};

// Called after every kBulkProgressStride combinations and after the last
// one with the combinations done so far; returning false stops before the
// next combination. The caller refreshes the grid a few times a second from
// here and lets pending events run.
using StakeProgress = std::function<bool(size_t done, size_t total)>;
inline constexpr size_t kBulkProgressStride = 1024;

// One stake per combination of combs[0..count), in list order, each through
// the rules of addStakes. Stops at the first failure (thrown after the stakes
// before it were written) or when the progress callback says so; the stakes
// made reach the disk in either case.
StakeAddResult addBulkStakes(StakesFile& file, const TComb* combs, size_t count, const BulkStakeSettings& settings,
                             const TStatList& stats, const StakeProgress& progress = {});
// The same for the combinations at the selected positions, taken in list
// order whatever the order of `rows`; a position outside the list is refused
// before anything is added.
StakeAddResult addSelectedStakes(StakesFile& file, const TComb* combs, size_t count, std::vector<size_t> rows,
                                 const BulkStakeSettings& settings, const TStatList& stats,
                                 const StakeProgress& progress = {});

}  // namespace zircon
