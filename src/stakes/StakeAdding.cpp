#include "stakes/StakeAdding.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <limits>

#include "core/Error.h"
#include "core/Format.h"
#include "core/NumberText.h"
#include "core/Shema.h"
#include "core/Sorting.h"
#include "core/Tr.h"
#include "stats/TStatList.h"

namespace zircon {
namespace {

QStringList stakeItems(const QString& text)
{
    static const QRegularExpression separators(QStringLiteral("[,;]+"));
    QStringList items = text.split(separators, Qt::SkipEmptyParts);
    for (QString& item : items)
        item = item.trimmed();
    return items;
}

// Everything that refuses a stake before anything is appended.
void checkAddable(const StakeRecord& record, int draws)
{
    if (record.checked)
        throw Error(tr("Добавление в конец файла уже проверенной ставки!"));
    const QString problem = stakeProblem(record);
    if (!problem.isEmpty())
        throw Error(problem);
    const int64_t last = static_cast<int64_t>(record.drawNumber) + std::max(draws, 1) - 1;
    if (last > std::numeric_limits<int32_t>::max())
        throw Error(fmt(tr("Ставка на %d тиражей, начиная с тиража %d, выходит за наибольший возможный номер "
                           "тиража!"),
                        draws, record.drawNumber));
}

// addStakes without the final write to the disk, for the bulk paths.
void appendStakes(StakesFile& file, const StakeRecord& record, int draws, bool newOnly, StakeAddResult& result)
{
    checkAddable(record, draws);
    if (draws < 2) {
        if (newOnly && file.exists(record.drawNumber, record.numbers)) {
            ++result.skipped;
            return;
        }
        file.append(record);
        ++result.added;
        return;
    }
    StakeRecord copy = record;
    for (int i = 0; i < draws; ++i) {
        copy.drawNumber = record.drawNumber + i;
        if (newOnly && file.exists(copy.drawNumber, copy.numbers)) {
            ++result.skipped;
            continue;
        }
        if (file.endsWithStake()) {
            file.append(StakeRecord::separator());
            ++result.separators;
        }
        file.append(copy);
        ++result.added;
    }
}

// Writes what was appended, also when a failure ends the batch; the first
// failure is the one reported.
template <class Body>
StakeAddResult runBatch(StakesFile& file, Body body)
{
    StakeAddResult result;
    try {
        body(result);
    } catch (...) {
        try {
            file.sync();
        } catch (...) {
        }
        throw;
    }
    file.sync();
    return result;
}

}  // namespace

QString manualStakeComment()
{
    return tr("Ставка \"вручную\"");
}

StakeRecord makeStakeRecord(StakeKind kind, int32_t drawNumber, int32_t listSize, const TShema& numbers,
                            const QString& comment, const TStatList& stats)
{
    StakeRecord r;
    r.kind = kind;
    r.drawNumber = drawNumber;
    r.checked = false;
    r.listSize = listSize;
    r.numbers = TShema{};
    r.numbers.count = std::clamp<int32_t>(numbers.count, 0, kMaxShemaNumbers);
    std::copy_n(numbers.nums.begin(), r.numbers.count, r.numbers.nums.begin());
    sortShemaNumbers(r.numbers);
    r.matched = TShema{-1, {}};
    r.profit = stats.StakeResult(r.numbers.count, -1);
    r.setComment(comment);
    return r;
}

StakeRecord makeStakeRecord(StakeKind kind, int32_t drawNumber, int32_t listSize, const TComb& comb,
                            const QString& comment, const TStatList& stats)
{
    return makeStakeRecord(kind, drawNumber, listSize, ShemaFromComb(comb), comment, stats);
}

StakeRecord prepareManualStake(int32_t drawNumber, int32_t listSize, const TComb* chosen, const TStatList& stats)
{
    const TShema numbers = chosen ? ShemaFromComb(*chosen) : TShema{};
    return makeStakeRecord(StakeKind::Manual, drawNumber, listSize, numbers, manualStakeComment(), stats);
}

std::optional<TShema> parseStakeNumbers(const QString& text)
{
    const QStringList items = stakeItems(text);
    if (items.size() != kMainCount)
        return std::nullopt;
    TShema set;
    set.count = kMainCount;
    for (int i = 0; i < kMainCount; ++i) {
        const std::optional<int32_t> n = parseIntStrict(items[i]);
        if (!n || *n < 1 || *n > kMainMax)
            return std::nullopt;
        for (int j = 0; j < i; ++j)
            if (set.nums[static_cast<size_t>(j)] == *n)
                return std::nullopt;
        set.nums[static_cast<size_t>(i)] = static_cast<uint8_t>(*n);
    }
    sortShemaNumbers(set);
    return set;
}

int stakeNumbersSum(const QString& text)
{
    int64_t sum = 0;
    for (const QString& item : stakeItems(text))
        sum += parseIntStrict(item).value_or(0);
    return static_cast<int>(std::clamp<int64_t>(sum, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

StakeEntryFault checkStakeEntry(const QString& numbersText, const QString& comment)
{
    if (!parseStakeNumbers(numbersText))
        return StakeEntryFault::Numbers;
    if (comment.trimmed().isEmpty())
        return StakeEntryFault::Comment;
    return StakeEntryFault::None;
}

QString stakeEntryFaultText(StakeEntryFault fault)
{
    switch (fault) {
    case StakeEntryFault::Numbers:
        return tr("Введена некорректная комбинация!");
    case StakeEntryFault::Comment:
        return tr("Необходимо ввести комментарий!");
    case StakeEntryFault::None:
        break;
    }
    return {};
}

StakeRecord stakeFromEntry(const StakeRecord& prepared, int32_t drawNumber, const TShema& numbers,
                           const QString& comment)
{
    StakeRecord r = prepared;
    r.drawNumber = drawNumber;
    r.numbers = TShema{};
    r.numbers.count = std::clamp<int32_t>(numbers.count, 0, kMaxShemaNumbers);
    std::copy_n(numbers.nums.begin(), r.numbers.count, r.numbers.nums.begin());
    sortShemaNumbers(r.numbers);
    r.setComment(comment);
    return r;
}

size_t randomCombIndex(size_t count, QRandomGenerator& rng)
{
    if (count == 0)
        throw Error(tr("Список комбинаций пуст!"));
    return static_cast<size_t>(rng.bounded(static_cast<quint64>(count)));
}

QString scriptStakeComment(int line, int variant, const QString& lineComment, const QString& stakeText)
{
    QString text = fmt(QStringLiteral("%.2d.%.3d:"), line, variant) + QLatin1Char(' ');
    if (!lineComment.isEmpty())
        text += lineComment + QLatin1Char(' ');
    return text + QStringLiteral("@ ") + stakeText;
}

StakeAddResult addStakes(StakesFile& file, const StakeRecord& record, int draws, bool newOnly)
{
    return runBatch(file, [&](StakeAddResult& result) { appendStakes(file, record, draws, newOnly, result); });
}

StakeAddResult addBulkStakes(StakesFile& file, const TComb* combs, size_t count, const BulkStakeSettings& settings,
                             const TStatList& stats, const StakeProgress& progress)
{
    return runBatch(file, [&](StakeAddResult& result) {
        // One record carries the shared fields; only the numbers change.
        StakeRecord record = makeStakeRecord(settings.kind, settings.drawNumber, settings.listSize, TShema{},
                                             settings.comment, stats);
        record.profit = stats.StakeResult(kMainCount, -1);
        for (size_t i = 0; i < count; ++i) {
            record.numbers = ShemaFromComb(combs[i]);
            sortShemaNumbers(record.numbers);
            appendStakes(file, record, settings.draws, settings.newOnly, result);
            const size_t done = i + 1;
            if (progress && (done % kBulkProgressStride == 0 || done == count) && !progress(done, count)) {
                result.stopped = done < count;
                return;
            }
        }
    });
}

StakeAddResult addSelectedStakes(StakesFile& file, const TComb* combs, size_t count, std::vector<size_t> rows,
                                 const BulkStakeSettings& settings, const TStatList& stats,
                                 const StakeProgress& progress)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (!rows.empty() && rows.back() >= count)
        throw Error(fmt(tr("Комбинация № %d в списке не найдена!"), static_cast<int64_t>(rows.back()) + 1));
    std::vector<TComb> selected;
    selected.reserve(rows.size());
    for (size_t row : rows)
        selected.push_back(combs[row]);
    return addBulkStakes(file, selected.data(), selected.size(), settings, stats, progress);
}

}  // namespace zircon
