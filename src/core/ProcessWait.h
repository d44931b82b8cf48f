#pragma once
// Waiting for the previous copy of the program after a restart. The copy that
// restarts passes its own process id, so the new one waits for that process
// itself rather than for anything with the same executable name.
#include <functional>

namespace zircon {

bool processRunning(long long pid);

// Polls every `intervalMs` up to `attempts` times while the process runs,
// calling `pump` between polls so the interface keeps processing events.
// Returns true once the process has ended, false on time-out.
bool waitForProcessExit(long long pid, int attempts, int intervalMs, const std::function<void()>& pump);

}  // namespace zircon
