#pragma once
// The single-byte code page of every text file the program writes
// (Windows-1251), converted through iconv rather than a table of our own.
#include <QByteArray>
#include <QString>

namespace zircon {

// Bytes in Windows-1251 to text. Every byte value maps to something, so this
// never fails; a byte the code page leaves undefined becomes U+FFFD.
QString fromCp1251(const QByteArray& bytes);

// Text to Windows-1251. A character the code page cannot hold becomes "?".
QByteArray toCp1251(const QString& text);

// Splits text at CR LF, lone LF or lone CR; a final line end adds no empty line.
QStringList splitTextLines(const QString& text);

// Joins lines with CR LF after each line, the form of every text file written.
QString joinCrLfLines(const QStringList& lines);

}  // namespace zircon
