#include "core/CommandLine.h"

namespace zircon {
namespace {

constexpr QStringView kRestartPidPrefix = u"--restart-pid=";

bool switchMatches(QStringView arg, QStringView name)
{
    for (QStringView prefix : {QStringView(), QStringView(u"-"), QStringView(u"--"), QStringView(u"/"),
                               QStringView(u"\\")}) {
        if (arg.size() == prefix.size() + name.size() && arg.startsWith(prefix)
            && arg.mid(prefix.size()).compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

}  // namespace

bool hasSwitch(const QStringList& args, QStringView name)
{
    if (name.isEmpty())
        return false;
    for (const QString& arg : args) {
        if (switchMatches(arg, name))
            return true;
    }
    return false;
}

QStringList restartArguments(qint64 ownPid)
{
    return {kSwitchRestart.toString(), kRestartPidPrefix.toString() + QString::number(ownPid)};
}

qint64 restartPid(const QStringList& args)
{
    for (const QString& arg : args) {
        if (!arg.startsWith(kRestartPidPrefix, Qt::CaseInsensitive))
            continue;
        bool ok = false;
        const qint64 pid = QStringView(arg).mid(kRestartPidPrefix.size()).toLongLong(&ok, 10);
        return ok && pid > 0 ? pid : 0;
    }
    return 0;
}

}  // namespace zircon
