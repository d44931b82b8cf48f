#include <gtest/gtest.h>

#include <QDir>

#include "shell/FileOperations.h"
#include "support/TempDir.h"

using namespace zircon;
using zircon::test::TempDir;

namespace {
QDateTime fixedClock()
{
    return QDateTime(QDate(2026, 1, 2), QTime(13, 14, 15));
}
}  // namespace

TEST(FileOperations, DeletesMatchingFilesAndSkipsDirectories)
{
    TempDir dir;
    dir.write(QStringLiteral("ScriptLog_1.txt"), "a");
    dir.write(QStringLiteral("ScriptLog_2.txt"), "b");
    dir.write(QStringLiteral("Other.txt"), "c");
    QDir(dir.path()).mkdir(QStringLiteral("ScriptLog_dir.txt"));
    QStringList reports;
    FileOperations ops([&](const QString& t) { reports.append(t); }, fixedClock);
    FileOperationSummary s = ops.deleteFiles(dir.path(), QStringLiteral("ScriptLog_*.txt"), QStringLiteral("Удаление"));
    EXPECT_EQ(s.total, 3);
    EXPECT_EQ(s.processed, 2);
    EXPECT_EQ(s.skipped, 1);
    EXPECT_TRUE(s.clean());
    EXPECT_TRUE(reports.isEmpty());
    EXPECT_EQ(s.text(), QStringLiteral("Всего - 3, обработано - 2, пропущено - 1, предупреждений - 0, ошибок - 0."));
    EXPECT_TRUE(QFile::exists(dir.file(QStringLiteral("Other.txt"))));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("ScriptLog_1.txt"))));
}

TEST(FileOperations, CopyReportsEachErrorThroughTheViewer)
{
    TempDir from;
    TempDir to;
    from.write(QStringLiteral("a.dat"), "1");
    from.write(QStringLiteral("b.dat"), "2");
    // A directory in the way of b.dat makes that copy fail.
    QDir(to.path()).mkpath(QStringLiteral("b.dat/x"));
    QStringList reports;
    FileOperations ops([&](const QString& t) { reports.append(t); }, fixedClock);
    FileOperationSummary s = ops.copyFiles(from.path(), QStringLiteral("*.dat"), to.path(), QStringLiteral("Копия"));
    EXPECT_EQ(s.total, 2);
    EXPECT_EQ(s.processed, 1);
    EXPECT_EQ(s.errors, 1);
    EXPECT_FALSE(s.clean());
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].startsWith(QStringLiteral("[13:14:15] Ошибка при выполнении операции \"Копия\":\r\n")));
    EXPECT_TRUE(reports[0].endsWith(u'!'));
    EXPECT_EQ(to.read(QStringLiteral("a.dat")), QByteArray("1"));
}
