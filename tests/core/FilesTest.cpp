#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include "core/AtomicFile.h"
#include "core/Error.h"
#include "core/ExclusiveFile.h"
#include "core/ProcessWait.h"
#include "core/TextCodec.h"
#include "support/TempDir.h"

using namespace zircon;
using zircon::test::TempDir;

TEST(TextCodec, RoundTripsCyrillicThroughWindows1251)
{
    const QString text = QStringLiteral("Архив тиражей: ёЁ №");
    const QByteArray bytes = toCp1251(text);
    EXPECT_EQ(bytes.size(), text.size());  // one byte a character
    EXPECT_EQ(static_cast<uint8_t>(bytes[0]), 0xC0);  // А
    EXPECT_EQ(fromCp1251(bytes), text);
    // A character the code page lacks becomes "?" and the rest survives.
    EXPECT_EQ(toCp1251(QStringLiteral("a\u4e2db")), QByteArray("a?b"));
}

TEST(TextCodec, SplitsEveryLineEnd)
{
    EXPECT_EQ(splitTextLines(QStringLiteral("a\r\nb\nc\rd")), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(splitTextLines(QStringLiteral("a\r\n\r\nb\r\n")), (QStringList{"a", "", "b"}));
    EXPECT_EQ(splitTextLines(QString()), QStringList());
    EXPECT_EQ(joinCrLfLines({"a", "b"}), QStringLiteral("a\r\nb\r\n"));
}

TEST(AtomicFile, ReplacesWholeAndLeavesNoTemporaryFile)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("f.bin"));
    writeFileAtomically(path, "first");
    writeFileAtomically(path, "second content");
    EXPECT_EQ(dir.read(QStringLiteral("f.bin")), QByteArray("second content"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"f.bin"});
}

TEST(AtomicFile, FailureKeepsTheOldFile)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("f.bin"));
    writeFileAtomically(path, "keep me");
    // A directory standing where the file should go: the rename fails.
    const QString blocked = dir.file(QStringLiteral("sub"));
    QDir().mkpath(blocked + QStringLiteral("/inner"));
    EXPECT_THROW(writeFileAtomically(blocked, "x"), Error);
    EXPECT_THROW(writeFileAtomically(dir.file(QStringLiteral("no/such/f.bin")), "x"), Error);
    EXPECT_EQ(dir.read(QStringLiteral("f.bin")), QByteArray("keep me"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"f.bin"});
}

TEST(ExclusiveFile, SecondHolderIsRefusedUntilTheFirstLetsGo)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("Zircon_5x69.lsk"));
    ExclusiveFile first;
    ASSERT_TRUE(first.open(path));
    ExclusiveFile second;
    EXPECT_FALSE(second.open(path));
    EXPECT_FALSE(second.errorText().isEmpty());
    EXPECT_TRUE(first.isOpen());
    first.close();
    EXPECT_TRUE(second.open(path));
}

TEST(ProcessWait, WaitsForThatProcessAndTimesOut)
{
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::pause();
        ::_exit(0);
    }
    int pumps = 0;
    EXPECT_TRUE(processRunning(child));
    EXPECT_FALSE(waitForProcessExit(child, 3, 1, [&] { ++pumps; }));
    EXPECT_GT(pumps, 0);
    ::kill(child, SIGTERM);
    EXPECT_TRUE(waitForProcessExit(child, 1000, 5, {}));
    EXPECT_FALSE(processRunning(child));
    EXPECT_FALSE(processRunning(0));
}
