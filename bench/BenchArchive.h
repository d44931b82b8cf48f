#pragma once
// The archive the benchmarks run over: ZIRCON_BENCH_ARCHIVE, else the
// shipped fixture beside the sources, read once.
#include <QDir>
#include <QFileInfo>
#include <QString>

#include <cstdlib>

#include "core/DrawArchive.h"
#include "core/Types.h"

namespace zircon::bench {

inline QString archivePath()
{
    if (const char* env = std::getenv("ZIRCON_BENCH_ARCHIVE"))
        return QString::fromLocal8Bit(env);
    return QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../tests/data/Zircon_5x69.ldr"));
}

inline const TDrawsArray& archive()
{
    static const TDrawsArray draws = [] {
        DrawArchive a;
        a.load(archivePath());
        return a.draws();
    }();
    return draws;
}

}  // namespace zircon::bench
