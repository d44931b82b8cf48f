#pragma once
// The number set of a stake (TShema): built from a combination, intersected
// with a draw, compared and written as text.
#include <QString>

#include "core/Types.h"

namespace zircon {

// Count 5 and the combination's numbers in its order; the rest zero.
TShema ShemaFromComb(const TComb& comb);

// The draw's main numbers that occur in the set, sorted ascending.
TShema ShemaIntersectDraw(const TDraw& draw, const TShema& set);

// Equal counts and every number of a found in b, order ignored.
bool ShemaEqual(const TShema& a, const TShema& b);

// The set's numbers joined by the separator.
QString ShemaText(const TShema& set, const QString& separator);

// The count of a set read from a file may be anything; every use goes
// through this to stay inside the eight number bytes.
int shemaSize(const TShema& set);

}  // namespace zircon
