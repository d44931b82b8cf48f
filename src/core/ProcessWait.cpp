#include "core/ProcessWait.h"

#include <QThread>

#include <cerrno>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>

namespace zircon {

bool processRunning(long long pid)
{
    if (pid <= 0)
        return false;
    // A child of ours that ended is a zombie until reaped: reap it quietly.
    int status = 0;
    ::waitpid(static_cast<pid_t>(pid), &status, WNOHANG);
    if (::kill(static_cast<pid_t>(pid), 0) == 0)
        return true;
    return errno == EPERM;
}

bool waitForProcessExit(long long pid, int attempts, int intervalMs, const std::function<void()>& pump)
{
    for (int i = 0; i < attempts; ++i) {
        if (!processRunning(pid))
            return true;
        if (pump)
            pump();
        QThread::msleep(static_cast<unsigned long>(intervalMs));
    }
    return !processRunning(pid);
}

}  // namespace zircon
