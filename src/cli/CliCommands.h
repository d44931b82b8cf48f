#pragma once
#include <QStringList>

namespace zircon {

// Runs one command line (arguments[0] is the program); returns the exit code.
int runCli(const QStringList& arguments);

}  // namespace zircon
