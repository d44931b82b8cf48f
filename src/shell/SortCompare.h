#pragma once
// The order of the sortable lists (filters, ratings, tables, ...): the rule
// lives here, apart from the widget, so every list sorts the same way.
#include <QString>

namespace zircon {

// Compares two cell texts: as numbers when both read as finite numbers once
// "," is taken for "." (so "2,5" < "10"), otherwise as text without regard to
// letter case. Equal texts are ordered by the rows' captions (column 0) under
// the same rule. Returns a negative value, 0 or a positive value; a
// descending list reverses the result.
int compareListTexts(const QString& a, const QString& b, const QString& captionA, const QString& captionB);

// One step of the rule, without the caption fallback.
int compareListText(const QString& a, const QString& b);

}  // namespace zircon
