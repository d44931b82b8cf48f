#pragma once
// Combination files (".lcv", also the source of generation mode 4): text in
// Windows-1251, one combination per line as its five numbers joined by ";",
// each line ended by CR LF. Reading takes any line end and any line that,
// split at runs of "," and ";", has exactly five words; other lines, empty
// ones included, are skipped as notes.
#include <QByteArray>
#include <QString>

#include <cstddef>

#include "core/Types.h"
#include "workbench/CombList.h"

namespace zircon {

struct CombsReadResult {
    size_t combinations = 0;   // combinations now in the list
    size_t skipped = 0;        // lines without exactly five words, empty lines included
    size_t refused = 0;        // five-word lines whose numbers are not five different numbers of 1..69
    size_t firstRefusedLine = 0;  // 1-based line number of the first refused line; 0 when none was
    QString firstRefusedText;     // that line as it stands in the file
};

// The combinations of a file's bytes, appended to `out`. A five-word line
// whose words (each trimmed, read as an integer, 0 when it is not one) are
// not five different numbers of 1..69 is refused and counted, never stored:
// such a combination would match nothing and break every count built on the
// list. Throws Error when there are more proper combinations than `capacity`
// (a list that cannot hold them is refused whole rather than cut at an
// arbitrary line); `out` then holds what was read so far.
CombsReadResult parseCombsFile(const QByteArray& bytes, size_t capacity, TCombsArray& out);

// Reads the file into the list. On any failure (the file cannot be read, or
// holds more combinations than the list's capacity) throws Error with the
// reason and leaves the list exactly as it was; the caller shows
// combsReadErrorText. Refused lines are not a failure: the result counts them
// and the caller tells the user (combsRefusedText).
CombsReadResult LoadCombsFile(const QString& path, CombList& list);

// The file's bytes for the first `count` combinations: CombText per line, CR
// LF after each.
QByteArray encodeCombsFile(const TComb* combs, size_t count);
// Writes the list atomically, so a failed write leaves the old file whole.
// Throws Error with the reason; the caller shows combsWriteErrorText.
void SaveCombsFile(const QString& path, const CombList& list);

}  // namespace zircon
