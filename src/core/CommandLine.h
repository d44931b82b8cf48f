#pragma once
// The program's command-line switches and the hand-over between a program
// that restarts itself and the new copy it starts.
#include <QStringList>
#include <QStringView>

namespace zircon {

inline constexpr QStringView kSwitchRestart = u"restart";            // wait for the previous copy to end
inline constexpr QStringView kSwitchLoadOnly = u"loadonly";          // download new draws, then exit
inline constexpr QStringView kSwitchFullRecreate = u"fullrecreate";  // recreate every prefetch file, then exit
inline constexpr QStringView kSwitchFullRefresh = u"fullrefresh";    // create missing prefetch files, then exit
inline constexpr QStringView kSwitchNoLanguage = u"no-language";     // built-in Russian texts

// Whether one of `args` (the arguments after the program name) selects the
// switch: it equals `name`, "-" + name, "--" + name, "/" + name or "\" + name,
// ignoring letter case. An empty name matches nothing.
bool hasSwitch(const QStringList& args, QStringView name);

// The arguments a restarting program gives to its new copy: the "restart"
// switch and its own process id, so that the new copy waits for exactly that
// process rather than for any process that happens to share the file name.
QStringList restartArguments(qint64 ownPid);

// The process id passed by "--restart-pid=<pid>" (the prefix ignoring case),
// or 0 when there is none or it is not a positive number. The wait itself is
// waitForProcessExit() of core/ProcessWait.h.
qint64 restartPid(const QStringList& args);

}  // namespace zircon
