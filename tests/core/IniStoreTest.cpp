#include "core/IniStore.h"

#include "core/Error.h"
#include "support/TempDir.h"

#include <QDir>

#include <gtest/gtest.h>

namespace zircon {
namespace {

using test::TempDir;

TEST(IniStore, MissingFileGivesDefaults)
{
    TempDir dir;
    const IniStore store(dir.file(QStringLiteral("Zircon_5x69.frm")));
    EXPECT_EQ(store.readInt(u"TFormMain", u"DrawsStatLen", 1000), 1000);
    EXPECT_EQ(store.readBool(u"TFormMain", u"AutoUpdates", true), true);
    EXPECT_EQ(store.readString(u"TFormMain", u"Name", QStringLiteral("x")), QStringLiteral("x"));
    EXPECT_DOUBLE_EQ(store.readDouble(u"STAKES", u"Cost", 2.0), 2.0);
    EXPECT_TRUE(store.load().isEmpty());
    EXPECT_FALSE(QFile::exists(store.path()));
}

TEST(IniStore, EachWriteCreatesOrUpdatesTheFileAtOnce)
{
    TempDir dir;
    IniStore store(dir.file(QStringLiteral("Zircon_5x69.ini")));
    store.writeInt(u"GLOBAL", u"Count", 5);
    ASSERT_TRUE(QFile::exists(store.path()));
    EXPECT_EQ(dir.read(QStringLiteral("Zircon_5x69.ini")), QByteArray("[GLOBAL]\r\nCount=5\r\n"));

    store.writeBool(u"global", u"Flag", true);
    store.writeDouble(u"STAKES", u"Cost", 1.25);
    store.writeString(u"STAKES", u"Name", QStringLiteral("Ставка"));
    // A second store on the same path sees every value: nothing is cached.
    const IniStore other(store.path());
    EXPECT_EQ(other.readInt(u"GLOBAL", u"Count", 0), 5);
    EXPECT_TRUE(other.readBool(u"GLOBAL", u"Flag", false));
    EXPECT_DOUBLE_EQ(other.readDouble(u"STAKES", u"Cost", 0.0), 1.25);
    EXPECT_EQ(other.readString(u"STAKES", u"Name"), QStringLiteral("Ставка"));

    store.eraseKey(u"GLOBAL", u"Count");
    EXPECT_EQ(other.readInt(u"GLOBAL", u"Count", -1), -1);
    store.eraseSection(u"STAKES");
    EXPECT_EQ(dir.read(QStringLiteral("Zircon_5x69.ini")), QByteArray("[GLOBAL]\r\nFlag=1\r\n"));
}

TEST(IniStore, UnloadableFileIsNeverOverwritten)
{
    TempDir dir;
    // A zero-filled file is what a crash leaves of a file that was being
    // written in place; a directory stands for a file that cannot be read.
    const QByteArray damaged("[TFormMain]\r\nLeftPanelWidth=400\r\n\0\0\0\0", 37);
    dir.write(QStringLiteral("damaged.frm"), damaged);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.frm")));

    for (const char* name : {"damaged.frm", "folder.frm"}) {
        SCOPED_TRACE(name);
        IniStore store(dir.file(QString::fromLatin1(name)));
        EXPECT_THROW(store.load(), Error);
        EXPECT_EQ(store.readInt(u"TFormMain", u"LeftPanelWidth", 335), 335);
        EXPECT_THROW(store.writeInt(u"TFormMain", u"LeftPanelWidth", 1), Error);
        EXPECT_THROW(store.update([](IniFile& ini) { ini.writeBool(u"S", u"k", true); }), Error);
        EXPECT_THROW(store.eraseSection(u"TFormMain"), Error);
    }
    EXPECT_EQ(dir.read(QStringLiteral("damaged.frm")), damaged);
    EXPECT_TRUE(QFileInfo(dir.file(QStringLiteral("folder.frm"))).isDir());
}

TEST(IniStore, WritesLeaveNoTemporaryFiles)
{
    TempDir dir;
    IniStore store(dir.file(QStringLiteral("Zircon_5x69.frm")));
    for (int i = 0; i < 5; ++i)
        store.writeInt(u"TFormMain", u"WeekLen", 100 + i);
    store.update([](IniFile& ini) {
        ini.writeInt(u"TFormMain", u"WeekHeight", 1);
        ini.writeInt(u"TFormMain", u"LayoutLen", 2);
    });
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("Zircon_5x69.frm")});
    EXPECT_EQ(store.readInt(u"TFormMain", u"WeekLen", 0), 104);
}

TEST(IniStore, BatchWritesAllOrNothing)
{
    TempDir dir;
    IniStore store(dir.file(QStringLiteral("s.ini")));
    store.update([](IniFile& ini) {
        ini.writeInt(u"A", u"x", 1);
        ini.writeInt(u"A", u"y", 2);
    });
    EXPECT_EQ(dir.read(QStringLiteral("s.ini")), QByteArray("[A]\r\nx=1\r\ny=2\r\n"));

    // A change that fails half-way leaves the file as it was.
    EXPECT_THROW(store.update([](IniFile& ini) {
        ini.writeInt(u"A", u"x", 100);
        throw Error(QStringLiteral("stop"));
    }),
                 Error);
    EXPECT_EQ(store.readInt(u"A", u"x", 0), 1);

    // A change to nothing does not create a missing file.
    IniStore untouched(dir.file(QStringLiteral("none.ini")));
    untouched.eraseKey(u"A", u"x");
    EXPECT_FALSE(QFile::exists(untouched.path()));
}

}  // namespace
}  // namespace zircon
