#pragma once
// A main window started by a test on its own data directory must neither ask
// whether to download draws nor reach the network: the start-up download is
// off, and the operator's service is a closed port of 127.0.0.1 should a test
// start with "loadonly".
#include <QString>

#include "support/TempDir.h"
#include "support/TestProxy.h"

namespace zircon::test {

inline void keepStartOffline(const TempDir& dir)
{
    dir.write(QStringLiteral("Zircon_5x69.frm"), "[TFormMain]\r\nDownloadDrawsOnStart=2\r\n");
    dir.write(QStringLiteral("Zircon_5x69.ini"),
              QStringLiteral("[NETWORK]\r\nDrawsService=https://127.0.0.1:%1\r\n").arg(closedLoopbackPort()).toUtf8());
}

}  // namespace zircon::test
