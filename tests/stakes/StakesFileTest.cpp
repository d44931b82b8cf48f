#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

#include "core/Error.h"
#include "core/ExclusiveFile.h"
#include "stakes/StakeDeleting.h"
#include "stakes/StakesFile.h"
#include "stakes/StakesTestSupport.h"

using namespace zircon;
using zircon::test::encodeAll;
using zircon::test::OpenStakes;
using zircon::test::plainStake;

namespace {

std::vector<StakeRecord> threeStakes()
{
    return {plainStake(1200, {1, 2, 3, 4, 5}), StakeRecord::separator(), plainStake(1201, {6, 7, 8, 9, 10})};
}

QString errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const Error& e) {
        return e.text();
    }
    return {};
}

}  // namespace

TEST(StakesFile, StartUpKeepsASoundFileAsItIs)
{
    const QByteArray content = encodeAll(threeStakes());
    OpenStakes s(content);
    EXPECT_EQ(s.report().records, 3);
    EXPECT_TRUE(s.report().warning().isEmpty());
    EXPECT_EQ(s.bytes(), content);
    EXPECT_EQ(s.file().count(), 3);
    EXPECT_EQ(s.records(), threeStakes());
}

TEST(StakesFile, StartUpOfAMissingFileGivesAnEmptyOne)
{
    OpenStakes s;
    EXPECT_EQ(s.report().records, 0);
    EXPECT_TRUE(s.report().warning().isEmpty());
    EXPECT_FALSE(s.file().hasRecords());
    EXPECT_TRUE(QFileInfo::exists(s.path()));
}

TEST(StakesFile, StartUpDropsOnlyATornTail)
{
    struct Case {
        int wholeRecords;
        int tailBytes;
    };
    // 313 bytes: one record and a stray byte; a lone partial first record.
    const Case cases[] = {{1, 1}, {3, 5}, {2, 311}, {0, 100}};
    for (const Case& c : cases) {
        std::vector<StakeRecord> records = threeStakes();
        records.resize(static_cast<size_t>(c.wholeRecords));
        const QByteArray whole = encodeAll(records);
        QByteArray content = whole + encodeStake(plainStake(1300, {11, 12, 13, 14, 15})).left(c.tailBytes);
        if (c.wholeRecords == 0)
            content[0] = static_cast<char>(kStakeRecordVersion);
        OpenStakes s(content);
        EXPECT_EQ(s.report().records, c.wholeRecords) << c.tailBytes;
        EXPECT_EQ(s.report().tornTailBytes, c.tailBytes);
        EXPECT_TRUE(s.report().movedAsideTo.isEmpty());
        EXPECT_TRUE(s.report().warning().contains(QString::number(c.tailBytes)));
        EXPECT_EQ(s.bytes(), whole) << "the whole records stay byte for byte";
        EXPECT_EQ(s.file().count(), c.wholeRecords);
        EXPECT_TRUE(s.secondOpenerRefused());
    }
}

TEST(StakesFile, StartUpMovesAFileOfUnknownFormatAsideAndKeepsTheLock)
{
    QByteArray old = encodeAll(threeStakes());
    old[0] = 1;  // an older record format
    const QByteArray odd = QByteArray("not a stakes file at all");
    for (const QByteArray& content : {old, odd, old + "x"}) {
        std::vector<QString> stepsRefused;
        test::TempDir dir;
        const QString path = dir.file(QStringLiteral("Zircon_5x69.lsk"));
        dir.write(QStringLiteral("Zircon_5x69.lsk"), content);
        dir.write(QStringLiteral("Zircon_5x69.lsk.unknown-1"), "an earlier one");
        ExclusiveFile hold;
        ASSERT_TRUE(hold.open(path));
        StakesFile file(hold);
        file.setStepProbe([&](const char* step) {
            ExclusiveFile other;
            if (!other.open(path))
                stepsRefused.push_back(QString::fromLatin1(step));
        });
        const StakesStartupReport report = file.checkAtStartUp();
        EXPECT_EQ(stepsRefused, (std::vector<QString>{"temp-written", "renamed", "held"}));
        EXPECT_EQ(report.movedAsideTo, dir.file(QStringLiteral("Zircon_5x69.lsk.unknown-2")));
        EXPECT_TRUE(report.warning().contains(report.movedAsideTo));
        EXPECT_EQ(dir.read(QStringLiteral("Zircon_5x69.lsk.unknown-2")), content) << "never truncated";
        EXPECT_EQ(dir.read(QStringLiteral("Zircon_5x69.lsk.unknown-1")), QByteArray("an earlier one"));
        EXPECT_EQ(QFileInfo(path).size(), 0);
        EXPECT_FALSE(QFileInfo::exists(file.tempPath()));
        ExclusiveFile other;
        EXPECT_FALSE(other.open(path));

        // The new file is the one held: what is appended lands under the name.
        file.append(plainStake(5, {1, 2, 3, 4, 5}));
        file.flush();
        EXPECT_EQ(QFileInfo(path).size(), kStakeRecordSize);
    }
}

TEST(StakesFile, SecondOpenerIsRefusedAtEveryStepOfARewrite)
{
    OpenStakes s(encodeAll(threeStakes()));
    const QByteArray before = s.bytes();
    EXPECT_TRUE(s.secondOpenerRefused());
    std::vector<QString> steps;
    s.file().setStepProbe([&](const char* step) {
        steps.push_back(QString::fromLatin1(step));
        EXPECT_TRUE(s.secondOpenerRefused()) << step;
        if (steps.size() == 1) {
            EXPECT_EQ(s.bytes(), before) << "the old file is whole until the rename";
        }
    });
    EXPECT_EQ(deleteStakeRows(s.file(), 2, 2), 1);
    EXPECT_EQ(steps, (std::vector<QString>{"temp-written", "renamed", "held"}));
    EXPECT_TRUE(s.secondOpenerRefused()) << "right after the rewrite";
    EXPECT_EQ(s.bytes(), encodeAll({threeStakes()[0], threeStakes()[2]}));
    EXPECT_FALSE(QFileInfo::exists(s.file().tempPath()));

    // Appends after the rewrite go to the new file under the name.
    s.file().append(plainStake(1300, {1, 2, 3, 4, 6}));
    s.file().flush();
    EXPECT_EQ(s.bytes().size(), 3 * kStakeRecordSize);
    EXPECT_TRUE(s.secondOpenerRefused());

    // Once let go, the file can be taken: the refusals above were the lock.
    s.hold().close();
    EXPECT_FALSE(s.secondOpenerRefused());
}

TEST(StakesFile, FailedRenameLeavesTheOldFileByteIdenticalAndHeld)
{
    OpenStakes s(encodeAll(threeStakes()));
    const QByteArray before = s.bytes();
    // The held file is moved to another name (it keeps its content and the
    // lock), and a directory with something in it takes its name, so the
    // temporary file cannot be renamed onto it.
    const QString moved = s.path() + QStringLiteral(".held");
    ASSERT_TRUE(QFile::rename(s.path(), moved));
    ASSERT_TRUE(QDir().mkpath(s.path() + QStringLiteral("/inner")));

    const QString error = errorOf([&] { deleteStakeRows(s.file(), 1, 1); });
    EXPECT_TRUE(error.startsWith(QStringLiteral("Ошибка переименования / удаления временного файла ставок")))
        << error.toStdString();
    QFile heldFile(moved);
    ASSERT_TRUE(heldFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(heldFile.readAll(), before);
    EXPECT_FALSE(QFileInfo::exists(s.file().tempPath()));
    EXPECT_EQ(s.records(), threeStakes());
    ExclusiveFile other;
    EXPECT_FALSE(other.open(moved)) << "the lock was never let go";

    // With the name free again the same deletion goes through.
    ASSERT_TRUE(QDir(s.path()).removeRecursively());
    ASSERT_TRUE(QFile::rename(moved, s.path()));
    EXPECT_EQ(deleteStakeRows(s.file(), 1, 1), 1);
    EXPECT_EQ(s.records(), (std::vector<StakeRecord>{threeStakes()[1], threeStakes()[2]}));
}

TEST(StakesFile, TemporaryFileThatCannotBeCreatedLeavesTheFileAlone)
{
    OpenStakes s(encodeAll(threeStakes()));
    const QByteArray before = s.bytes();
    ASSERT_TRUE(QDir().mkpath(s.file().tempPath() + QStringLiteral("/inner")));
    EXPECT_THROW(deleteStakeRows(s.file(), 1, 3), Error);
    EXPECT_EQ(s.bytes(), before);
    EXPECT_EQ(s.file().count(), 3);
    EXPECT_TRUE(s.secondOpenerRefused());
}

TEST(StakesFile, ReadFailureAbortsTheRewriteInsteadOfCopyingZeros)
{
    OpenStakes s(encodeAll(threeStakes()));
    EXPECT_EQ(s.file().count(), 3);
    // The file loses its last record behind the program's back: reading it
    // now fails, and nothing may be made up in its place.
    ASSERT_TRUE(QFile::resize(s.path(), 2 * kStakeRecordSize));
    const QByteArray before = s.bytes();
    EXPECT_THROW(deleteStakeRows(s.file(), 1, 1), Error);
    EXPECT_EQ(s.bytes(), before);
    EXPECT_FALSE(QFileInfo::exists(s.file().tempPath()));
}

TEST(StakesFile, ReadsFromStartAndFromEnd)
{
    OpenStakes s(encodeAll(threeStakes()));
    EXPECT_EQ(s.file().read(0), threeStakes()[0]);
    EXPECT_EQ(s.file().read(-1, true), threeStakes()[2]);
    EXPECT_EQ(s.file().read(-2, true), threeStakes()[1]);
    const QString error = errorOf([&] { s.file().read(3); });
    EXPECT_EQ(error, QStringLiteral("Запись со индексом 3 в файле данных не найдена!"));
    EXPECT_THROW(s.file().read(-4, true), Error);
    EXPECT_THROW(s.file().read(0, true), Error);
}

TEST(StakesFile, AnyWriteRefreshesWhatReadsSee)
{
    OpenStakes s(encodeAll(threeStakes()));
    EXPECT_EQ(s.file().read(-1, true), threeStakes()[2]);  // the last record is cached now
    const StakeRecord added = plainStake(1400, {20, 21, 22, 23, 24});
    s.file().append(added);
    EXPECT_EQ(s.file().count(), 4);
    EXPECT_EQ(s.file().read(-1, true), added);
    EXPECT_TRUE(s.file().endsWithStake());
    s.file().append(StakeRecord::separator());
    EXPECT_FALSE(s.file().endsWithStake());
    EXPECT_EQ(s.file().read(-1, true), StakeRecord::separator());

    StakeRecord changed = threeStakes()[0];
    changed.checked = true;
    changed.matched.count = 0;
    s.file().writeBlock(0, encodeStake(changed));
    EXPECT_EQ(s.file().read(0), changed);
}

TEST(StakesFile, AppendsAreBufferedUntilFlushed)
{
    OpenStakes s;
    for (int i = 0; i < 10; ++i)
        s.file().append(plainStake(100 + i, {1, 2, 3, 4, 5}));
    EXPECT_EQ(s.file().count(), 10);
    EXPECT_EQ(s.bytes().size(), 0);
    s.file().flush();
    EXPECT_EQ(s.bytes().size(), 10 * kStakeRecordSize);
    EXPECT_EQ(s.file().read(9).drawNumber, 109);
}

TEST(StakesFile, RecordThatWouldNotReadBackIsNotAppended)
{
    OpenStakes s;
    StakeRecord bad = plainStake(100, {1, 2, 3, 4, 5});
    bad.numbers.count = 9;
    EXPECT_THROW(s.file().append(bad), Error);
    EXPECT_EQ(s.file().count(), 0);
    s.file().flush();
    EXPECT_EQ(s.bytes().size(), 0);
}

TEST(StakesFile, FailedFlushLeavesNoTornRecord)
{
    OpenStakes s(encodeAll(threeStakes()));
    // A file size limit makes the write stop part of the way through.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 4 * kStakeRecordSize + 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    for (int i = 0; i < 3; ++i)
        s.file().append(plainStake(2000 + i, {1, 2, 3, 4, 5}));
    EXPECT_THROW(s.file().flush(), Error);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_DFL);
    EXPECT_EQ(s.bytes(), encodeAll(threeStakes()));
    EXPECT_EQ(s.file().count(), 3);
}

TEST(StakesFile, ExistsComparesDrawAndNumberSetThroughTheIndex)
{
    OpenStakes s(encodeAll(threeStakes()));
    TShema numbers;
    numbers.count = 5;
    numbers.nums = {5, 4, 3, 2, 1, 0, 0, 0};
    EXPECT_TRUE(s.file().exists(1200, numbers)) << "any order";
    EXPECT_FALSE(s.file().exists(1201, numbers)) << "another draw";
    numbers.nums[0] = 6;
    EXPECT_FALSE(s.file().exists(1200, numbers)) << "another number";
    TShema four = numbers;
    four.count = 4;
    four.nums = {1, 2, 3, 4, 0, 0, 0, 0};
    EXPECT_FALSE(s.file().exists(1200, four)) << "a subset is not the same set";
    TShema outside = numbers;
    outside.nums = {1, 2, 3, 4, 5 + 128, 0, 0, 0};
    EXPECT_FALSE(s.file().exists(1200, outside));
    EXPECT_FALSE(s.file().exists(-1, TShema{})) << "separators are not stakes";

    // Kept current through appends, rewrites and clearing.
    s.file().append(plainStake(1500, {10, 20, 30, 40, 50}));
    TShema added;
    added.count = 5;
    added.nums = {50, 40, 30, 20, 10, 0, 0, 0};
    EXPECT_TRUE(s.file().exists(1500, added));
    EXPECT_EQ(deleteStakeRows(s.file(), 1, 1), 1);
    numbers.nums = {1, 2, 3, 4, 5, 0, 0, 0};
    EXPECT_FALSE(s.file().exists(1200, numbers));
    EXPECT_TRUE(s.file().exists(1500, added));
    s.file().clear();
    EXPECT_FALSE(s.file().exists(1500, added));
}

TEST(StakesFile, ExistsFailsInsteadOfAnsweringNo)
{
    QByteArray content = encodeAll(threeStakes());
    content[kStakeRecordSize + 1] = 9;  // the separator's kind: no such kind
    OpenStakes s(content);
    TShema numbers;
    numbers.count = 5;
    numbers.nums = {1, 2, 3, 4, 5, 0, 0, 0};
    const QString error = errorOf([&] { s.file().exists(1200, numbers); });
    EXPECT_EQ(error, QStringLiteral("Запись № 2 файла ставок повреждена!"));
    EXPECT_THROW(s.file().read(1), Error);
    EXPECT_EQ(s.file().read(2), threeStakes()[2]);
}

TEST(StakesFile, ClearEmptiesTheHeldFile)
{
    OpenStakes s(encodeAll(threeStakes()));
    s.file().append(plainStake(1, {1, 2, 3, 4, 5}));
    s.file().clear();
    EXPECT_EQ(s.file().count(), 0);
    EXPECT_EQ(s.bytes().size(), 0);
    EXPECT_FALSE(s.file().endsWithStake());
    EXPECT_TRUE(s.secondOpenerRefused());
}

TEST(StakesFile, OperationsOnAFileNotOpenAreRefused)
{
    ExclusiveFile closed;
    StakesFile file(closed);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(errorOf([&] { file.count(); }), QStringLiteral("Файл ставок не открыт!"));
    EXPECT_THROW(file.read(0), Error);
    EXPECT_THROW(file.append(StakeRecord::separator()), Error);
    EXPECT_THROW(file.exists(1, TShema{}), Error);
    EXPECT_THROW(file.rewrite([](int, const char*) { return true; }), Error);
    EXPECT_THROW(file.clear(), Error);
    EXPECT_THROW(file.checkAtStartUp(), Error);
}

TEST(StakesFile, TemporaryFileSitsBesideTheStakesFile)
{
    OpenStakes s;
    EXPECT_EQ(s.file().tempPath(), s.dir().file(QStringLiteral("Zircon_5x69.~tmp")));
}

TEST(StakesFile, RewriteKeepsThePermissionsOfTheFile)
{
    OpenStakes s(encodeAll(threeStakes()));
    const QByteArray name = QFile::encodeName(s.path());
    ASSERT_EQ(::chmod(name.constData(), 0600), 0);
    EXPECT_EQ(deleteStakeRows(s.file(), 1, 1), 1);
    struct stat st {};
    ASSERT_EQ(::stat(name.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
}
