#pragma once
// Removing stakes from the stakes file: the records shown in a range of grid
// rows, or the checked stakes whose matches meet a condition of the
// "Удаление по условию" dialog. Both rewrite the file through StakesFile.
#include <QStringList>

#include <cstdint>
#include <optional>

#include "stakes/StakeRecord.h"
#include "stakes/StakesFile.h"

namespace zircon {

// How the matches of a checked stake are compared with the value.
enum class StakeFilterOp : uint8_t {
    Equal = 0,       // "Равно [ = ]"
    Greater = 1,     // "Более [ > ]"
    NotLess = 2,     // "Не менее [ >= ]"
    Less = 3,        // "Менее [ < ]"
    NotGreater = 4,  // "Не более [ <= ]"
};

// The dialog's texts in operation order, for its list.
QStringList stakeFilterOpTexts();

struct StakeFilterCondition {
    StakeFilterOp op = StakeFilterOp::Equal;
    int value = 0;  // matches, 0..5 in the dialog

    // The dialog's result: the operation in the low byte, the value in the
    // high byte. nullopt for an operation outside the table.
    static std::optional<StakeFilterCondition> fromPacked(uint16_t packed);
    uint16_t packed() const;

    bool accepts(int matches) const;
    // Only checked stakes are removed; separators and unchecked stakes stay.
    bool removes(const StakeRecord& record) const;
};

// Removes the records at 1-based positions first..last (record r sits in
// grid row r + 1 under the header, so the grid rows are the positions).
// Positions outside the file are ignored. Returns the number removed.
int deleteStakeRows(StakesFile& file, int first, int last);

// Removes every record the condition removes. A record that does not decode
// aborts the deletion with an Error naming it, and the file stays as it was.
int deleteStakesWhere(StakesFile& file, const StakeFilterCondition& condition);

}  // namespace zircon
