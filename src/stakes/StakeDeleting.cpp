#include "stakes/StakeDeleting.h"

#include <algorithm>

#include "core/Error.h"
#include "core/Format.h"
#include "core/Tr.h"

namespace zircon {

QStringList stakeFilterOpTexts()
{
    return {tr("Равно [ = ]"), tr("Более [ > ]"), tr("Не менее [ >= ]"), tr("Менее [ < ]"), tr("Не более [ <= ]")};
}

std::optional<StakeFilterCondition> StakeFilterCondition::fromPacked(uint16_t packed)
{
    const int op = packed & 0xFF;
    if (op > static_cast<int>(StakeFilterOp::NotGreater))
        return std::nullopt;
    return StakeFilterCondition{static_cast<StakeFilterOp>(op), packed >> 8};
}

uint16_t StakeFilterCondition::packed() const
{
    return static_cast<uint16_t>(static_cast<unsigned>(op) | (static_cast<unsigned>(value & 0xFF) << 8));
}

bool StakeFilterCondition::accepts(int matches) const
{
    switch (op) {
    case StakeFilterOp::Equal:
        return matches == value;
    case StakeFilterOp::Greater:
        return matches > value;
    case StakeFilterOp::NotLess:
        return matches >= value;
    case StakeFilterOp::Less:
        return matches < value;
    case StakeFilterOp::NotGreater:
        return matches <= value;
    }
    return false;
}

bool StakeFilterCondition::removes(const StakeRecord& record) const
{
    return record.checked && !record.isSeparator() && accepts(record.matches());
}

int deleteStakeRows(StakesFile& file, int first, int last)
{
    const int total = file.count();
    first = std::max(first, 1);
    last = std::min(last, total);
    if (first > last)
        return 0;
    // Positions alone decide, so the records are copied without decoding: a
    // damaged record can be removed this way too.
    return file.rewrite([first, last](int index, const char*) {
        const int position = index + 1;
        return position < first || position > last;
    });
}

int deleteStakesWhere(StakesFile& file, const StakeFilterCondition& condition)
{
    return file.rewrite([&condition](int index, const char* raw) {
        StakeRecord record;
        if (!decodeStake(raw, record))
            throw Error(fmt(tr("Запись № %d файла ставок повреждена!"), index + 1));
        return !condition.removes(record);
    });
}

}  // namespace zircon
