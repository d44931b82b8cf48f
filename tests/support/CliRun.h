#pragma once
// Runs zircon-cli as a separate process, the way a user or a script would.
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace zircon::test {

struct CliRun {
    int exitCode = -1;
    QString out;  // standard output, UTF-8
    QString err;  // standard error, UTF-8

    QStringList lines() const { return out.split(u'\n', Qt::SkipEmptyParts); }
};

inline CliRun runCli(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(ZIRCON_CLI_PATH), args);
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// The same on a data directory.
inline CliRun runCli(const TempDir& dir, QStringList args)
{
    args.prepend(dir.path());
    args.prepend(QStringLiteral("--data-dir"));
    return runCli(args);
}

}  // namespace zircon::test
