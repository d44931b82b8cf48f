#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/TextCodec.h"
#include "stakes/StakeChecking.h"
#include "stakes/StakeLog.h"
#include "stakes/StakesTestSupport.h"
#include "stats/TStatList.h"
#include "support/DrawFixtures.h"

using namespace zircon;
using zircon::test::encodeAll;
using zircon::test::makeDraw;
using zircon::test::OpenStakes;
using zircon::test::plainStake;

namespace {

// Cost 2, prizes 3 -> 10 and 4 -> 100.
TStatList prizes()
{
    TStatList stats;
    stats.Config.Cost = 2 * kCurrencyScale;
    stats.Config.Profits = {{3, 10 * kCurrencyScale}, {4, 100 * kCurrencyScale}};
    return stats;
}

// Draw 1200 is 40 3 69 17 25 with the extra number 12; 1201 is 1 2 3 4 5
// with the extra number 6.
TDrawsArray archive()
{
    return {makeDraw(1199, {60, 61, 62, 63, 64}, 1), makeDraw(1200, {40, 3, 69, 17, 25}, 12),
            makeDraw(1201, {1, 2, 3, 4, 5}, 6)};
}

QDateTime fixedTime()
{
    return QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9));
}

}  // namespace

TEST(StakeChecking, MatchesAndProfitsFromThePrizeTable)
{
    const TStatList stats = prizes();
    struct Case {
        std::array<uint8_t, 5> stake;
        int matches;
        TShema matched;
        TCurrency profit;
    };
    const Case cases[] = {
        {{3, 17, 25, 1, 2}, 3, {3, {3, 17, 25}}, 8 * kCurrencyScale},
        {{69, 40, 3, 17, 1}, 4, {4, {3, 17, 40, 69}}, 98 * kCurrencyScale},
        {{3, 40, 7, 8, 9}, 2, {2, {3, 40}}, -2 * kCurrencyScale},
        {{1, 2, 4, 5, 6}, 0, {0, {}}, -2 * kCurrencyScale},
        {{3, 17, 25, 40, 69}, 5, {5, {3, 17, 25, 40, 69}}, -2 * kCurrencyScale},  // no prize for 5 in this table
        // The extra number 12 is among the stake's numbers and never matches.
        {{12, 3, 50, 51, 52}, 1, {1, {3}}, -2 * kCurrencyScale},
    };
    std::vector<StakeRecord> stakes;
    for (const Case& c : cases)
        stakes.push_back(plainStake(1200, c.stake));
    OpenStakes s(encodeAll(stakes));
    const StakeCheckResult result = checkStakes(s.file(), archive(), stats);
    EXPECT_EQ(result.checked, static_cast<int>(std::size(cases)));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const StakeRecord r = s.file().read(static_cast<int>(i));
        EXPECT_TRUE(r.checked) << i;
        EXPECT_EQ(r.matches(), cases[i].matches) << i;
        EXPECT_EQ(r.matched, cases[i].matched) << i;
        EXPECT_EQ(r.profit, cases[i].profit) << i;
        EXPECT_EQ(r.drawNumbers, (TComb{{40, 3, 69, 17, 25}})) << i << ": the draw in archive order";
        EXPECT_EQ(r.numbers, stakes[i].numbers) << i;
        EXPECT_EQ(r.comment(), stakes[i].comment()) << i;
    }
}

TEST(StakeChecking, PrizeTableRules)
{
    TStatList stats;
    stats.Config.Cost = 2 * kCurrencyScale;
    StakeRecord r = plainStake(1201, {1, 2, 3, 40, 50});  // three matches with draw 1201
    applyDrawToStake(r, archive()[2], stats);
    EXPECT_EQ(r.profit, -2 * kCurrencyScale) << "an empty table pays nothing";

    stats.Config.Profits = {{3, 5 * kCurrencyScale}, {3, 7 * kCurrencyScale}};
    r = plainStake(1201, {1, 2, 3, 40, 50});
    applyDrawToStake(r, archive()[2], stats);
    EXPECT_EQ(r.profit, 3 * kCurrencyScale) << "only the first entry for an overlap counts";
}

TEST(StakeChecking, OnlyCandidatesWhoseDrawIsKnownAreChecked)
{
    StakeRecord separatorWithNumbers = StakeRecord::separator();
    separatorWithNumbers.numbers.count = 5;
    separatorWithNumbers.numbers.nums = {1, 2, 3, 4, 5, 0, 0, 0};
    StakeRecord fourNumbers = plainStake(1201, {1, 2, 3, 4, 5});
    fourNumbers.numbers.count = 4;
    const std::vector<StakeRecord> stakes = {
        plainStake(1201, {1, 2, 3, 4, 5}),  // checked
        plainStake(1300, {1, 2, 3, 4, 5}),  // no such draw yet
        StakeRecord::separator(),
        separatorWithNumbers,                // draw -1: a separator whatever it holds
        fourNumbers,                         // too few numbers
        plainStake(1199, {60, 61, 1, 2, 3}),
    };
    OpenStakes s(encodeAll(stakes));
    const StakeCheckResult result = checkStakes(s.file(), archive(), prizes());
    EXPECT_EQ(result.checked, 2);
    const auto after = s.records();
    EXPECT_TRUE(after[0].checked);
    EXPECT_EQ(after[1], stakes[1]) << "stays unchecked";
    EXPECT_EQ(after[2], stakes[2]);
    EXPECT_EQ(after[3], stakes[3]);
    EXPECT_EQ(after[4], stakes[4]);
    EXPECT_TRUE(after[5].checked);
    EXPECT_EQ(after[5].matches(), 2);
    // Records not checked are left byte for byte.
    const QByteArray bytes = s.bytes();
    for (int i : {1, 2, 3, 4})
        EXPECT_EQ(bytes.mid(i * kStakeRecordSize, kStakeRecordSize), encodeStake(stakes[static_cast<size_t>(i)]));
}

TEST(StakeChecking, SecondCheckCountsNothingTwiceAndNewDrawsAreCheckedLater)
{
    OpenStakes s(encodeAll({plainStake(1200, {3, 17, 25, 1, 2}), plainStake(1202, {7, 8, 9, 10, 11})}));
    std::vector<int> hooked;
    StakeCheckOptions options;
    options.onChecked = [&](int index, const StakeRecord& r) {
        hooked.push_back(index);
        EXPECT_TRUE(r.checked);
        // The hook runs once the record is on the disk.
        QFile f(s.path());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll().at(index * kStakeRecordSize + 8), 1);
    };
    TDrawsArray draws = archive();
    EXPECT_EQ(checkStakes(s.file(), draws, prizes(), options).checked, 1);
    const QByteArray afterFirst = s.bytes();
    EXPECT_EQ(checkStakes(s.file(), draws, prizes(), options).checked, 0);
    EXPECT_EQ(s.bytes(), afterFirst);
    EXPECT_EQ(hooked, std::vector<int>{0});

    draws.push_back(makeDraw(1202, {7, 8, 9, 60, 61}, 10));
    EXPECT_EQ(checkStakes(s.file(), draws, prizes(), options).checked, 1);
    EXPECT_EQ(hooked, (std::vector<int>{0, 1}));
    EXPECT_EQ(s.file().read(1).matches(), 3);
}

TEST(StakeChecking, DamagedRecordIsSkippedAndTheRestChecked)
{
    QByteArray content = encodeAll({plainStake(1200, {3, 17, 25, 1, 2}), plainStake(1201, {1, 2, 3, 4, 5}),
                                    plainStake(1201, {1, 2, 3, 4, 6})});
    content[kStakeRecordSize + 16] = 12;  // record 2: twelve numbers
    OpenStakes s(content);
    const StakeCheckResult result = checkStakes(s.file(), archive(), prizes());
    EXPECT_EQ(result.checked, 2);
    EXPECT_EQ(result.damaged, 1);
    EXPECT_EQ(result.firstDamaged, 1);
    EXPECT_EQ(s.bytes().mid(kStakeRecordSize, kStakeRecordSize), content.mid(kStakeRecordSize, kStakeRecordSize));
    EXPECT_TRUE(s.file().read(2).checked);
}

TEST(StakeChecking, ProgressFromTheFirstCandidate)
{
    std::vector<StakeRecord> stakes;
    StakeRecord done = plainStake(1201, {1, 2, 3, 4, 5});
    done.checked = true;
    done.matched.count = 0;
    for (int i = 0; i < 50; ++i)
        stakes.push_back(done);
    for (int i = 0; i < 250; ++i)
        stakes.push_back(plainStake(1201, {1, 2, 3, 4, 5}));
    OpenStakes s(encodeAll(stakes));
    std::vector<int> percents;
    StakeCheckOptions options;
    options.progress = [&](int p) { percents.push_back(p); };
    checkStakes(s.file(), archive(), prizes(), options);
    // 250 records from the first candidate: a step every 2 records.
    ASSERT_EQ(percents.size(), 125u);
    EXPECT_EQ(percents.front(), 0);
    EXPECT_EQ(percents.back(), 100);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_EQ(stakeCheckProgressText(42), QStringLiteral("Проверка результатов ставок ( завершено 42 % )..."));
}

TEST(StakeChecking, LogLinesGoToTheFileOfTheirMatches)
{
    OpenStakes s;
    StakeRecord five = plainStake(1201, {1, 2, 3, 4, 5});
    five.setComment(QStringLiteral("Ставка \"вручную\""));
    five.listSize = 77;
    s.file().append(plainStake(1201, {10, 20, 30, 40, 50}));
    s.file().append(five);
    s.file().append(plainStake(1300, {1, 2, 3, 4, 5}));
    StakeLog log(s.dir().path());
    log.setClock(fixedTime);
    StakeCheckOptions options;
    options.log = &log;
    const StakeCheckResult result = checkStakes(s.file(), archive(), prizes(), options);
    EXPECT_EQ(result.checked, 2);
    EXPECT_TRUE(result.logFailure.isEmpty());

    const QByteArray zero = s.dir().read(QStringLiteral("Zircon_5x69-0.log"));
    const QByteArray fiveLog = s.dir().read(QStringLiteral("Zircon_5x69-5.log"));
    EXPECT_EQ(fromCp1251(zero), QStringLiteral("2024.03.05 07:08:09: Тираж № 1201. Ставка: \"test\" [10;20;30;40;50] "
                                               "{10}. Результаты тиража: [1;2;3;4;5]. Совпадений: 0. Профит: -2.00."
                                               "\r\n"));
    EXPECT_EQ(fromCp1251(fiveLog), QStringLiteral("2024.03.05 07:08:09: Тираж № 1201. Ставка: \"Ставка \"вручную\"\" "
                                                  "[1;2;3;4;5] {77}. Результаты тиража: [1;2;3;4;5]. Совпадений: 5. "
                                                  "Профит: -2.00.\r\n"));
    EXPECT_EQ(static_cast<uint8_t>(zero.at(21)), 0xD2) << "Т in Windows-1251, one byte";
    EXPECT_FALSE(QFileInfo::exists(s.dir().file(QStringLiteral("Zircon_5x69-1.log"))));
    EXPECT_EQ(StakeLog::fileName(3), QStringLiteral("Zircon_5x69-3.log"));
    EXPECT_EQ(StakeLog::filePattern(), QStringLiteral("Zircon_5x69-*.log"));

    // Lines are appended to what the file holds.
    StakeRecord again = plainStake(1201, {10, 20, 30, 40, 51});
    s.file().append(again);
    checkStakes(s.file(), archive(), prizes(), options);
    EXPECT_EQ(s.dir().read(QStringLiteral("Zircon_5x69-0.log")).count("\r\n"), 2);
}

TEST(StakeChecking, ProfitInTheLogHasTwoDecimals)
{
    StakeRecord r = plainStake(1201, {1, 2, 3, 40, 50});
    r.checked = true;
    r.drawNumbers = TComb{{1, 2, 3, 4, 5}};
    r.matched = TShema{3, {1, 2, 3}};
    r.profit = 123456;  // 12.3456
    const QString line = StakeLog::lineText(r, fixedTime());
    EXPECT_TRUE(line.endsWith(QStringLiteral("Совпадений: 3. Профит: 12.35."))) << line.toStdString();
}

TEST(StakeChecking, LogPastTheSizeLimitStartsAfresh)
{
    test::TempDir dir;
    const QString path = dir.file(QStringLiteral("Zircon_5x69-0.log"));
    StakeRecord r = plainStake(1201, {10, 20, 30, 40, 50});
    applyDrawToStake(r, archive()[2], prizes());
    const qsizetype line = toCp1251(StakeLog::lineText(r, fixedTime())).size() + 2;

    StakeLog log(dir.path());
    log.setClock(fixedTime);
    log.setSizeLimit(2 * line);
    // A file larger than the limit is deleted before the next line.
    dir.write(QStringLiteral("Zircon_5x69-0.log"), QByteArray(static_cast<int>(2 * line + 1), 'x'));
    log.begin();
    log.write(r);
    log.end();
    EXPECT_EQ(QFileInfo(path).size(), line);
    EXPECT_EQ(dir.read(QStringLiteral("Zircon_5x69-0.log")).count('x'), 0);

    // Within one session the size is watched line by line: a file exactly at
    // the limit still takes a line, one above it starts afresh.
    log.begin();
    log.write(r);  // line -> 2 lines
    log.write(r);  // at the limit: 3 lines
    log.end();
    EXPECT_EQ(QFileInfo(path).size(), 3 * line);
    log.begin();
    log.write(r);  // above the limit: deleted, then 1 line
    log.end();
    EXPECT_EQ(QFileInfo(path).size(), line);
    EXPECT_TRUE(log.failure().isEmpty());
    EXPECT_EQ(StakeLog::kDefaultSizeLimit, 268435456);
}

TEST(StakeChecking, LogFailureIsReportedOncePerCheck)
{
    std::vector<StakeRecord> stakes(20, plainStake(1201, {10, 20, 30, 40, 50}));
    stakes.push_back(plainStake(1201, {1, 20, 30, 40, 50}));
    OpenStakes s(encodeAll(stakes));
    // A directory where the log for no matches should be.
    ASSERT_TRUE(QDir().mkpath(s.dir().file(QStringLiteral("Zircon_5x69-0.log"))));
    StakeLog log(s.dir().path());
    StakeCheckOptions options;
    options.log = &log;
    const StakeCheckResult result = checkStakes(s.file(), archive(), prizes(), options);
    EXPECT_EQ(result.checked, 21) << "the log does not stop the check";
    EXPECT_TRUE(result.logFailure.startsWith(QStringLiteral("Ошибка записи в файл \"")));
    EXPECT_TRUE(result.logFailure.contains(QStringLiteral("Zircon_5x69-0.log")));
    EXPECT_EQ(result.logLinesLost, 20);
    EXPECT_EQ(s.dir().read(QStringLiteral("Zircon_5x69-1.log")).count("\r\n"), 1) << "other files are written";
}
