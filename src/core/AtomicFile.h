#pragma once
// Every rewrite of a data file goes through here: the new content is written
// to a temporary file in the same directory, flushed to disk and renamed over
// the old file, so a crash or a full disk leaves either the old file or the new
// one, never a mix.
#include <QByteArray>
#include <QString>

namespace zircon {

// Throws Error with the system's reason when any step fails; the
// old file is then untouched and the temporary file removed.
void writeFileAtomically(const QString& path, const QByteArray& content);

// Reads a whole file; throws zircon::Error with the system's reason.
QByteArray readWholeFile(const QString& path);

}  // namespace zircon
