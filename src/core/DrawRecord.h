#pragma once
// The 24-byte record of a draw, the unit of the archive file "Zircon_5x69.ldr".
#include <QByteArray>

#include "core/Types.h"

namespace zircon {

inline constexpr int kDrawRecordSize = 24;

// Appends the record: number (4), five main numbers (5), extra (1), date as a
// length-prefixed field of 10 characters (11), three zero bytes.
void encodeDraw(const TDraw& draw, QByteArray& out);

// Decodes one record from exactly kDrawRecordSize bytes. Refuses a record that
// cannot be a draw of this lottery: a date length above 10, a main number
// above 69 or an extra number above 26 (zeros stand for a missing value and
// are kept). The reserved bytes are ignored.
bool decodeDraw(const char* data, TDraw& draw);

}  // namespace zircon
