#pragma once
// The draw archive: every past draw, oldest first, in the order added, with the
// draws offset that hides the newest draws from analysis. Views address draws
// by row, newest first: row r is archive index high() - r.
#include <QString>

#include <bitset>
#include <cstdint>
#include <vector>

#include "core/Types.h"

namespace zircon {

// Archive index of the draw with that number, or -1. Guesses the position from
// the numbers of the first and last draws, walks from there, and falls back to
// a scan from the newest draw, so it is right however the numbers run.
int FindDraw(const TDrawsArray& draws, int number);

struct ArchiveLoadResult {
    bool fileExisted = false;  // a missing file is an empty archive, not an error
    int records = 0;           // whole records taken
    int tornTailBytes = 0;     // bytes after the last whole record, ignored
    int badRecord = -1;        // index of the first record refused, or -1
};

class DrawArchive {
public:
    const TDrawsArray& draws() const { return m_draws; }
    int count() const { return static_cast<int>(m_draws.size()); }
    int high() const { return count() - 1; }
    bool empty() const { return m_draws.empty(); }

    // Grows with every change, so a computation keyed on it notices a draw
    // edited in place.
    uint64_t revision() const { return m_revision; }

    // Reads the file whole. A missing file gives an empty archive. A record
    // that does not decode stops the load: the records before it are kept and
    // the archive refuses to be saved over the file until it is reloaded whole
    // (the rest of the user's file would be lost). Throws Error with the
    // system's reason when the file cannot be read; the archive is then empty
    // and likewise refuses to save.
    ArchiveLoadResult load(const QString& path);

    // Replaces the whole archive and writes it atomically. The archive in
    // memory changes only when the file was written.
    void store(const QString& path, TDrawsArray draws);
    // Writes the archive as it is (after a load that needs no change).
    void save(const QString& path) const;

    bool saveBlocked() const { return m_saveBlocked; }

    // Removes every record (at shutdown); touches no file.
    void clear();

    // Offset of the current draw from the newest, 0..count-1 (0 for an empty
    // archive). Returns whether the value changed.
    int drawsOffset() const { return m_offset; }
    bool setDrawsOffset(int offset);
    int currentIndex() const { return high() - m_offset; }

    int rowToIndex(int row) const { return high() - row; }
    bool rowValid(int row) const { return row >= 0 && row < count(); }
    const TDraw& drawAtRow(int row) const { return m_draws[static_cast<size_t>(rowToIndex(row))]; }

    int FindDraw(int number) const { return zircon::FindDraw(m_draws, number); }
    // 1 for an empty archive, -1 for a row outside it, else the row's number + 1.
    int NextDrawNumber(int row) const;
    // The row's date plus `days` days as yyyymmdd; 19971101 when there is no
    // such row or its date does not read.
    int DrawDateInt(int row, int days) const;
    // The row's main numbers in drawn order; zeros outside the archive.
    TComb DrawComb(int row) const;
    // Main numbers of the draw after the current one joined by ";", or "".
    QString NextDrawText(int offset) const;
    // Bit n is set for each main number n of the draw that follows the current
    // one; empty when the offset is 0.
    std::bitset<256> followingDrawSet() const;

private:
    TDrawsArray m_draws;
    int m_offset = 0;
    uint64_t m_revision = 0;
    bool m_saveBlocked = false;
};

QByteArray encodeArchive(const TDrawsArray& draws);

}  // namespace zircon
