#include "core/DataDir.h"

#include "core/Error.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace zircon {
namespace {

using test::TempDir;

EnvLookup envOf(std::map<std::string, QString> vars)
{
    return [vars = std::move(vars)](const char* name) {
        auto it = vars.find(name);
        return it == vars.end() ? QString() : it->second;
    };
}

WritableDirTest writable(bool yes)
{
    return [yes](const QString&) { return yes; };
}

TEST(DataDir, ChoiceOrder)
{
    const QString prog = QStringLiteral("/opt/zircon");
    const auto fullEnv = envOf({{"ZIRCON_DATA_DIR", QStringLiteral("/env/data")},
                                {"XDG_DATA_HOME", QStringLiteral("/xdg")},
                                {"HOME", QStringLiteral("/home/u")}});
    const struct {
        const char* name;
        QStringList args;
        EnvLookup env;
        bool progWritable;
        QString path;
        DataDirSource source;
    } cases[] = {
        {"argument first", {QStringLiteral("--data-dir"), QStringLiteral("/arg/dir")}, fullEnv, true,
         QStringLiteral("/arg/dir"), DataDirSource::Argument},
        {"argument with =", {QStringLiteral("restart"), QStringLiteral("--data-dir=/arg/two/")}, fullEnv, true,
         QStringLiteral("/arg/two"), DataDirSource::Argument},
        {"environment next", {QStringLiteral("loadonly")}, fullEnv, true, QStringLiteral("/env/data"),
         DataDirSource::Environment},
        {"program dir when writable", {}, envOf({{"XDG_DATA_HOME", QStringLiteral("/xdg")}}), true, prog,
         DataDirSource::ProgramDir},
        {"XDG data home", {}, envOf({{"XDG_DATA_HOME", QStringLiteral("/xdg")}, {"HOME", QStringLiteral("/home/u")}}),
         false, QStringLiteral("/xdg/Zircon_5x69"), DataDirSource::UserData},
        {"home fallback", {}, envOf({{"HOME", QStringLiteral("/home/u")}}), false,
         QStringLiteral("/home/u/.local/share/Zircon_5x69"), DataDirSource::UserData},
        {"relative XDG ignored", {}, envOf({{"XDG_DATA_HOME", QStringLiteral("rel")}, {"HOME", QStringLiteral("/h")}}),
         false, QStringLiteral("/h/.local/share/Zircon_5x69"), DataDirSource::UserData},
        {"empty variable is unset", {}, envOf({{"ZIRCON_DATA_DIR", QString()}, {"HOME", QStringLiteral("/h")}}), false,
         QStringLiteral("/h/.local/share/Zircon_5x69"), DataDirSource::UserData},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DataDirChoice choice = chooseDataDir(c.args, c.env, prog, writable(c.progWritable));
        EXPECT_EQ(choice.path, c.path);
        EXPECT_EQ(choice.source, c.source);
    }
}

TEST(DataDir, RelativeArgumentIsTakenFromTheCurrentDirectory)
{
    const DataDirChoice choice =
        chooseDataDir({QStringLiteral("--data-dir"), QStringLiteral("sub/../data")}, envOf({}), {}, writable(false));
    EXPECT_EQ(choice.path, QDir::current().absoluteFilePath(QStringLiteral("data")));
}

TEST(DataDir, OptionWithoutDirectoryFails)
{
    for (const QStringList& args : {QStringList{QStringLiteral("--data-dir")}, QStringList{QStringLiteral("--data-dir=")},
                                    QStringList{QStringLiteral("--data-dir"), QString()}}) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        EXPECT_THROW(chooseDataDir(args, envOf({}), QStringLiteral("/p"), writable(true)), Error);
    }
}

TEST(DataDir, RealWritableTestAndCreation)
{
    TempDir dir;
    EXPECT_TRUE(isWritableDir(dir.path()));
    EXPECT_FALSE(isWritableDir(dir.file(QStringLiteral("missing"))));

    const QString nested = dir.file(QStringLiteral("a/b/Zircon_5x69"));
    ensureDataDir(nested);
    EXPECT_TRUE(QFileInfo(nested).isDir());
    ensureDataDir(nested);  // an existing directory is fine

    dir.write(QStringLiteral("plain"), "x");
    EXPECT_THROW(ensureDataDir(dir.file(QStringLiteral("plain"))), Error);
}

TEST(DataDir, PrepareCreatesTheChosenDirectory)
{
    TempDir dir;
    const QString target = dir.file(QStringLiteral("chosen"));
    EXPECT_EQ(prepareDataDir({QStringLiteral("--data-dir=") + target}), target);
    EXPECT_TRUE(QFileInfo(target).isDir());
}

TEST(DataDir, FileNames)
{
    const DataPaths p(QStringLiteral("/data/z/"));
    EXPECT_EQ(p.dir, QStringLiteral("/data/z"));
    EXPECT_EQ(p.ini, QStringLiteral("/data/z/Zircon_5x69.ini"));
    EXPECT_EQ(p.frm, QStringLiteral("/data/z/Zircon_5x69.frm"));
    EXPECT_EQ(p.archive, QStringLiteral("/data/z/Zircon_5x69.ldr"));
    EXPECT_EQ(p.stakes, QStringLiteral("/data/z/Zircon_5x69.lsk"));
    EXPECT_EQ(p.ratings, QStringLiteral("/data/z/Zircon_5x69.lrt"));
    EXPECT_EQ(p.tables, QStringLiteral("/data/z/Zircon_5x69.ltb"));
    EXPECT_EQ(p.script, QStringLiteral("/data/z/Zircon_5x69.lss"));
    EXPECT_EQ(p.favourites, QStringLiteral("/data/z/Zircon_5x69.flt"));
    EXPECT_EQ(p.startListCache, QStringLiteral("/data/z/Zircon_5x69.~buff"));
    EXPECT_EQ(p.prefetchDir, QStringLiteral("/data/z/Prefetchs"));
    EXPECT_EQ(p.prefetchFile(QStringLiteral("NUMS")), QStringLiteral("/data/z/Prefetchs/Zircon_5x69_NUMS.dfc"));
}

}  // namespace
}  // namespace zircon
