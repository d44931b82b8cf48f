#include "core/DataDir.h"

#include "core/Error.h"
#include "core/Lottery.h"
#include "core/Tr.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdlib>
#include <unistd.h>

namespace zircon {
namespace {

constexpr QStringView kDataDirOption = u"--data-dir";

QString absoluteClean(const QString& path)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

// The directory named on the command line, or an empty string when none is.
QString dataDirArgument(const QStringList& args)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg.compare(kDataDirOption, Qt::CaseInsensitive) == 0) {
            if (i + 1 >= args.size() || args[i + 1].isEmpty())
                throw Error(tr(ZT("Не указан каталог данных после ключа --data-dir")));
            return args[i + 1];
        }
        const QString withEq = kDataDirOption.toString() + u'=';
        if (arg.startsWith(withEq, Qt::CaseInsensitive)) {
            const QString dir = arg.mid(withEq.size());
            if (dir.isEmpty())
                throw Error(tr(ZT("Не указан каталог данных после ключа --data-dir")));
            return dir;
        }
    }
    return {};
}

}  // namespace

DataDirChoice chooseDataDir(const QStringList& args, const EnvLookup& env, const QString& programDir,
                            const WritableDirTest& isWritable)
{
    const QString fromArgs = dataDirArgument(args);
    if (!fromArgs.isEmpty())
        return {absoluteClean(fromArgs), DataDirSource::Argument};

    const QString fromEnv = env ? env("ZIRCON_DATA_DIR") : QString();
    if (!fromEnv.isEmpty())
        return {absoluteClean(fromEnv), DataDirSource::Environment};

    if (!programDir.isEmpty() && isWritable && isWritable(absoluteClean(programDir)))
        return {absoluteClean(programDir), DataDirSource::ProgramDir};

    // A relative XDG_DATA_HOME is invalid by the base-directory rules and ignored.
    QString base = env ? env("XDG_DATA_HOME") : QString();
    if (base.isEmpty() || QDir::isRelativePath(base)) {
        QString home = env ? env("HOME") : QString();
        if (home.isEmpty())
            home = QDir::homePath();
        base = home + QStringLiteral("/.local/share");
    }
    return {QDir::cleanPath(base + u'/' + QString::fromLatin1(kProgramName)), DataDirSource::UserData};
}

bool isWritableDir(const QString& dir)
{
    const QFileInfo info(dir);
    return info.isDir() && ::access(QFile::encodeName(info.absoluteFilePath()).constData(), W_OK | X_OK) == 0;
}

void ensureDataDir(const QString& dir)
{
    const QFileInfo info(dir);
    if (info.isDir())
        return;
    if (info.exists() || !QDir().mkpath(dir))
        throw Error(tr(ZT("Не удалось создать каталог данных \"%1\"")).arg(dir));
}

QString prepareDataDir(const QStringList& args)
{
    const auto env = [](const char* name) { return QString::fromLocal8Bit(std::getenv(name)); };
    const DataDirChoice choice = chooseDataDir(args, env, QCoreApplication::applicationDirPath(), isWritableDir);
    ensureDataDir(choice.path);
    return choice.path;
}

DataPaths::DataPaths(const QString& dataDir) : dir(QDir::cleanPath(dataDir))
{
    const QString base = dir + u'/' + QString::fromLatin1(kProgramName);
    ini = base + QStringLiteral(".ini");
    frm = base + QStringLiteral(".frm");
    archive = base + QStringLiteral(".ldr");
    stakes = base + QStringLiteral(".lsk");
    ratings = base + QStringLiteral(".lrt");
    tables = base + QStringLiteral(".ltb");
    script = base + QStringLiteral(".lss");
    favourites = base + QStringLiteral(".flt");
    startListCache = base + QStringLiteral(".~buff");
    prefetchDir = dir + QStringLiteral("/Prefetchs");
}

QString DataPaths::prefetchFile(const QString& statCode) const
{
    return prefetchDir + u'/' + QString::fromLatin1(kProgramName) + u'_' + statCode + QStringLiteral(".dfc");
}

}  // namespace zircon
