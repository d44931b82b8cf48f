#include <gtest/gtest.h>

#include <limits>
#include <set>

#include "core/Error.h"
#include "core/Shema.h"
#include "stakes/StakeAdding.h"
#include "stakes/StakesTestSupport.h"
#include "stats/TStatList.h"

using namespace zircon;
using zircon::test::encodeAll;
using zircon::test::OpenStakes;
using zircon::test::plainStake;

namespace {

TStatList costTwo()
{
    TStatList stats;
    stats.Config.Cost = 2 * kCurrencyScale;
    return stats;
}

// The draw numbers of the file in order, separators as -1.
std::vector<int> drawSequence(OpenStakes& s)
{
    std::vector<int> out;
    for (const StakeRecord& r : s.records())
        out.push_back(r.isSeparator() ? -1 : r.drawNumber);
    return out;
}

TShema shema(std::array<uint8_t, 5> n)
{
    return ShemaFromComb(TComb{n});
}

}  // namespace

TEST(StakeAdding, MakesAnUncheckedStakeWithItsCost)
{
    const TStatList stats = costTwo();
    const StakeRecord r = makeStakeRecord(StakeKind::Script, 1275, 4321, TComb{{40, 3, 69, 17, 25}},
                                          QStringLiteral("x"), stats);
    EXPECT_EQ(r.kind, StakeKind::Script);
    EXPECT_EQ(r.drawNumber, 1275);
    EXPECT_FALSE(r.checked);
    EXPECT_EQ(r.listSize, 4321);
    EXPECT_EQ(r.numbers, shema({3, 17, 25, 40, 69}));
    EXPECT_EQ(r.matches(), -1);
    EXPECT_EQ(r.drawNumbers, TComb{});
    EXPECT_EQ(r.profit, -20000);
    EXPECT_EQ(r.comment(), QStringLiteral("x"));
}

TEST(StakeAdding, ManualStakeIsPreparedAndTakesTheDialogEntry)
{
    const TStatList stats = costTwo();
    const TComb chosen{{9, 8, 7, 6, 5}};
    const StakeRecord prepared = prepareManualStake(1300, 120, &chosen, stats);
    EXPECT_EQ(prepared.kind, StakeKind::Manual);
    EXPECT_EQ(prepared.comment(), QStringLiteral("Ставка \"вручную\""));
    EXPECT_EQ(prepared.numbers, shema({5, 6, 7, 8, 9}));
    EXPECT_EQ(prepared.listSize, 120);
    EXPECT_EQ(prepared.profit, -20000);

    const StakeRecord none = prepareManualStake(1300, 0, nullptr, stats);
    EXPECT_EQ(none.numbers.count, 0);
    EXPECT_EQ(none.profit, -20000);

    const StakeRecord entered = stakeFromEntry(prepared, 1302, shema({3, 1, 2, 5, 4}), QStringLiteral("моя"));
    EXPECT_EQ(entered.drawNumber, 1302);
    EXPECT_EQ(entered.numbers, shema({1, 2, 3, 4, 5}));
    EXPECT_EQ(entered.comment(), QStringLiteral("моя"));
    EXPECT_EQ(entered.kind, prepared.kind);
    EXPECT_EQ(entered.listSize, prepared.listSize);
    EXPECT_EQ(entered.profit, prepared.profit);
}

TEST(StakeAdding, DialogNumbersTable)
{
    struct Case {
        const char* text;
        bool accepted;
        std::array<uint8_t, 5> numbers;
        int sum;
    };
    const Case cases[] = {
        {"3; 1 ;2;5;4", true, {1, 2, 3, 4, 5}, 15},
        {"1,2,3,4,69", true, {1, 2, 3, 4, 69}, 79},
        {";;10,,20;30;,40;50;", true, {10, 20, 30, 40, 50}, 150},
        {"5;5;10;20;30", false, {}, 70},     // repeated
        {"1,2,3,4,70", false, {}, 80},       // out of range
        {"0,2,3,4,5", false, {}, 14},
        {"1;2;3;4", false, {}, 10},          // too few
        {"1;2;3;4;5;6", false, {}, 21},      // too many
        {"1;2;x;4;5", false, {}, 12},        // not a number counts 0 in the sum
        {"1 2 3 4 5", false, {}, 0},         // blanks do not separate
        {"", false, {}, 0},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        const std::optional<TShema> parsed = parseStakeNumbers(text);
        EXPECT_EQ(parsed.has_value(), c.accepted) << c.text;
        if (parsed && c.accepted) {
            EXPECT_EQ(*parsed, shema(c.numbers)) << c.text;
        }
        EXPECT_EQ(stakeNumbersSum(text), c.sum) << c.text;
        const StakeEntryFault fault = checkStakeEntry(text, QStringLiteral("c"));
        EXPECT_EQ(fault, c.accepted ? StakeEntryFault::None : StakeEntryFault::Numbers) << c.text;
    }
    EXPECT_EQ(checkStakeEntry(QStringLiteral("1;2;3;4;5"), QStringLiteral("  ")), StakeEntryFault::Comment);
    EXPECT_EQ(checkStakeEntry(QStringLiteral("1;2;3"), QString()), StakeEntryFault::Numbers) << "numbers first";
    EXPECT_EQ(stakeEntryFaultText(StakeEntryFault::Numbers), QStringLiteral("Введена некорректная комбинация!"));
    EXPECT_EQ(stakeEntryFaultText(StakeEntryFault::Comment), QStringLiteral("Необходимо ввести комментарий!"));
}

TEST(StakeAdding, SequencesWithSeparators)
{
    const StakeRecord lastStake = plainStake(1199, {1, 2, 3, 4, 5});
    struct Case {
        const char* what;
        std::vector<StakeRecord> before;
        int draws;
        std::vector<int> expected;  // draw numbers, -1 for a separator
    };
    const Case cases[] = {
        {"file ending in a stake, 3 draws", {lastStake}, 3, {1199, -1, 1200, -1, 1201, -1, 1202}},
        {"single draw, no separator", {lastStake}, 1, {1199, 1200}},
        {"draws below 1 count as one", {lastStake}, 0, {1199, 1200}},
        {"empty file, 2 draws", {}, 2, {1200, -1, 1201}},
        {"file ending in a separator", {lastStake, StakeRecord::separator()}, 2, {1199, -1, 1200, -1, 1201}},
    };
    for (const Case& c : cases) {
        OpenStakes s(encodeAll(c.before));
        const StakeAddResult r = addStakes(s.file(), plainStake(1200, {7, 8, 9, 10, 11}), c.draws);
        EXPECT_EQ(drawSequence(s), c.expected) << c.what;
        EXPECT_EQ(r.added, std::max(c.draws, 1)) << c.what;
        EXPECT_EQ(s.bytes().size(), static_cast<qsizetype>(c.expected.size()) * kStakeRecordSize)
            << c.what << ": on the disk when addStakes returns";
    }
}

TEST(StakeAdding, MultiDrawStakeAfterReadingTheLastRecordKeepsItsSeparators)
{
    // Reading the last record once used to leave a stale answer behind, so
    // the separators of the next multi-draw stake went missing.
    OpenStakes s(encodeAll({plainStake(1199, {1, 2, 3, 4, 5})}));
    EXPECT_EQ(s.file().read(-1, true).drawNumber, 1199);
    addStakes(s.file(), plainStake(1200, {7, 8, 9, 10, 11}), 2);
    addStakes(s.file(), plainStake(1300, {7, 8, 9, 10, 12}), 2);
    EXPECT_EQ(drawSequence(s), (std::vector<int>{1199, -1, 1200, -1, 1201, -1, 1300, -1, 1301}));
}

TEST(StakeAdding, RefusesWhatCannotBeStakedBeforeAppendingAnything)
{
    const int32_t maxDraw = std::numeric_limits<int32_t>::max();
    StakeRecord checked = plainStake(1200, {1, 2, 3, 4, 5});
    checked.checked = true;
    StakeRecord fourNumbers = plainStake(1200, {1, 2, 3, 4, 5});
    fourNumbers.numbers.count = 4;
    struct Case {
        const char* what;
        StakeRecord record;
        int draws;
    };
    const Case cases[] = {
        {"checked", checked, 1},
        {"draw 0", plainStake(0, {1, 2, 3, 4, 5}), 1},
        {"four numbers", fourNumbers, 1},
        {"number 70", plainStake(10, {1, 2, 3, 4, 70}), 1},
        {"overflow by one", plainStake(maxDraw - 1, {1, 2, 3, 4, 5}), 3},
        {"overflow by many", plainStake(maxDraw, {1, 2, 3, 4, 5}), 65535},
    };
    for (const Case& c : cases) {
        OpenStakes s(encodeAll({plainStake(5, {1, 2, 3, 4, 5})}));
        EXPECT_THROW(addStakes(s.file(), c.record, c.draws), Error) << c.what;
        EXPECT_EQ(s.file().count(), 1) << c.what;
    }
    try {
        OpenStakes s;
        addStakes(s.file(), checked, 1);
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Добавление в конец файла уже проверенной ставки!"));
    }
    // The largest draw number itself is fine.
    OpenStakes s;
    addStakes(s.file(), plainStake(maxDraw - 1, {1, 2, 3, 4, 5}), 2);
    EXPECT_EQ(drawSequence(s), (std::vector<int>{maxDraw - 1, -1, maxDraw}));
}

TEST(StakeAdding, OnlyNewStakesSkipsWhatTheFileHolds)
{
    OpenStakes s(encodeAll({plainStake(1200, {1, 2, 3, 4, 5}), plainStake(1201, {9, 8, 7, 6, 5})}));
    StakeAddResult r = addStakes(s.file(), plainStake(1200, {5, 4, 3, 2, 1}), 1, true);
    EXPECT_EQ(r.added, 0);
    EXPECT_EQ(r.skipped, 1);
    r = addStakes(s.file(), plainStake(1200, {5, 4, 3, 2, 1}), 1, false);
    EXPECT_EQ(r.added, 1) << "without the flag every stake is added";
    // Over several draws only the draws already staked are left out, with
    // their separators.
    r = addStakes(s.file(), plainStake(1200, {5, 6, 7, 8, 9}), 3, true);
    EXPECT_EQ(r.added, 2);
    EXPECT_EQ(r.skipped, 1);
    EXPECT_EQ(drawSequence(s), (std::vector<int>{1200, 1201, 1200, -1, 1200, -1, 1202}));
    // A stake added in this run counts at once.
    r = addStakes(s.file(), plainStake(1202, {9, 8, 7, 6, 5}), 1, true);
    EXPECT_EQ(r.skipped, 1);
}

TEST(StakeAdding, BulkStakesForAllAndForTheSelected)
{
    const TStatList stats = costTwo();
    const std::vector<TComb> list = {TComb{{5, 4, 3, 2, 1}}, TComb{{10, 9, 8, 7, 6}}, TComb{{15, 14, 13, 12, 11}}};
    BulkStakeSettings settings;
    settings.drawNumber = 1500;
    settings.listSize = 3;
    settings.comment = QStringLiteral("пакет");

    {
        OpenStakes s;
        const StakeAddResult r = addBulkStakes(s.file(), list.data(), list.size(), settings, stats);
        EXPECT_EQ(r.added, 3);
        const auto records = s.records();
        ASSERT_EQ(records.size(), 3u);
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(records[i].numbers, shema({static_cast<uint8_t>(5 * i + 1), static_cast<uint8_t>(5 * i + 2),
                                                 static_cast<uint8_t>(5 * i + 3), static_cast<uint8_t>(5 * i + 4),
                                                 static_cast<uint8_t>(5 * i + 5)}));
            EXPECT_EQ(records[i].kind, StakeKind::Manual);
            EXPECT_EQ(records[i].drawNumber, 1500);
            EXPECT_EQ(records[i].listSize, 3);
            EXPECT_EQ(records[i].profit, -20000);
            EXPECT_EQ(records[i].comment(), QStringLiteral("пакет"));
        }
    }
    {
        // Selected rows are staked in list order, each over two draws.
        OpenStakes s;
        settings.draws = 2;
        const StakeAddResult r = addSelectedStakes(s.file(), list.data(), list.size(), {2, 0}, settings, stats);
        EXPECT_EQ(r.added, 4);
        EXPECT_EQ(drawSequence(s), (std::vector<int>{1500, -1, 1501, -1, 1500, -1, 1501}));
        EXPECT_EQ(s.file().read(0).numbers, shema({1, 2, 3, 4, 5}));
        EXPECT_EQ(s.file().read(4).numbers, shema({11, 12, 13, 14, 15}));
        EXPECT_THROW(addSelectedStakes(s.file(), list.data(), list.size(), {3}, settings, stats), Error);
        EXPECT_EQ(s.file().count(), 7);
    }
}

TEST(StakeAdding, BulkStopsAtTheFirstFailureKeepingWhatWasMade)
{
    const TStatList stats = costTwo();
    const std::vector<TComb> list = {TComb{{1, 2, 3, 4, 5}}, TComb{{6, 7, 8, 9, 10}}, TComb{{1, 1, 2, 3, 4}},
                                     TComb{{11, 12, 13, 14, 15}}};
    BulkStakeSettings settings;
    settings.drawNumber = 10;
    OpenStakes s;
    EXPECT_THROW(addBulkStakes(s.file(), list.data(), list.size(), settings, stats), Error);
    EXPECT_EQ(s.bytes().size(), 2 * kStakeRecordSize) << "the two stakes before the bad one are on the disk";
}

TEST(StakeAdding, BulkReportsProgressAndCanBeStopped)
{
    const TStatList stats = costTwo();
    std::vector<TComb> list(3000, TComb{{1, 2, 3, 4, 5}});
    BulkStakeSettings settings;
    settings.drawNumber = 10;
    OpenStakes s;
    std::vector<size_t> seen;
    const StakeAddResult r = addBulkStakes(s.file(), list.data(), list.size(), settings, stats,
                                           [&](size_t done, size_t total) {
                                               EXPECT_EQ(total, 3000u);
                                               seen.push_back(done);
                                               return done < 2048;
                                           });
    EXPECT_EQ(seen, (std::vector<size_t>{1024, 2048}));
    EXPECT_TRUE(r.stopped);
    EXPECT_EQ(r.added, 2048);
    EXPECT_EQ(s.bytes().size(), 2048 * kStakeRecordSize);
}

TEST(StakeAdding, RandomIndexStaysInTheListAndReachesEveryCombination)
{
    QRandomGenerator rng(12345);
    std::set<size_t> hit;
    for (int i = 0; i < 2000; ++i) {
        const size_t k = randomCombIndex(7, rng);
        ASSERT_LT(k, 7u);
        hit.insert(k);
    }
    EXPECT_EQ(hit.size(), 7u);
    EXPECT_EQ(randomCombIndex(1, rng), 0u);
    EXPECT_THROW(randomCombIndex(0, rng), Error);
}

TEST(StakeAdding, ScriptStakeComment)
{
    EXPECT_EQ(scriptStakeComment(1, 3, QStringLiteral("my note"), QStringLiteral("FULL#RAND + NUMS")),
              QStringLiteral("01.003: my note @ FULL#RAND + NUMS"));
    EXPECT_EQ(scriptStakeComment(12, 1234, QString(), QStringLiteral("t")), QStringLiteral("12.1234: @ t"));
}
