#pragma once
// The stored form of one filter step (TFilterItem) and its text: up to five
// words joined by "#", for example «BMF1#NUMS:100#LNO:3#SF:0» or, with own
// weight coefficients, «TSD2#POS1:50;100#WMV:10#ST:3#0:-1:1:0:1». The filter
// dialog and the script files keep filters in this form.
#include <QString>

#include <cstdint>

#include "stats/ConfigData.h"

namespace zircon {

class TStatList;

struct TFilterItem {
    bool active = false;       // the description was not empty
    QString methodText;        // the method word as written: code, ":" and the window lengths
    int method = -1;           // the registry position the method word names; -1 for none
    QString windowLengths;     // the window-length list after the ":" of the method word, trimmed
    int32_t sortColumn = 0;    // the statistics-table column to sort by
    bool bottomUp = false;     // walk the table from its end ("B") or its start ("T")
    bool multiSelect = false;  // select all qualifying rows at once ("M") or one at a time ("S")
    bool keep = false;         // keep the selected values ("F") or delete them ("D")
    uint8_t condition = 0;     // selection mode 0..31
    QString conditionValue;    // the mode's value or value list
    bool ownWeights = false;   // the coefficients below replace the saved ones while the filter runs
    TWeightCoefs weights{0, 0, 0, false, false};
    uint8_t stopRule = 0;      // stop mode 0..5
    int32_t stopValue = 0;     // the stop mode's parameter

    friend bool operator==(const TFilterItem&, const TFilterItem&) = default;
};

// Reads a filter text. An empty (or blank) text gives an inactive item. The
// method is resolved by its whole code before ":" (case ignored), so "ROW10"
// never names ROW1; an unknown code leaves `method` at -1 with the text kept.
// The sort column is every digit after the three flag letters (a leading "-"
// allowed), 1 when there are none.
TFilterItem ParseFilterItem(const QString& text, const TStatList& list);

// The canonical text of an item; "" for an inactive one. A known method is
// written by its registry code, an unknown one by its method text as read.
// Coefficients are written in fixed notation, the shortest text that reads
// back to the same number, with "." as decimal separator.
QString FilterItemText(const TFilterItem& item, const TStatList& list);

// The lenient reading of one coefficient: every character other than "-", a
// digit, "." or "," is dropped, "." and "," both separate the decimals, and a
// result that is not a number reads as 0.
double parseFilterCoef(const QString& text);
// The shortest fixed-notation text of a coefficient that reads back to the
// same number; a value that is not finite has no such text and is written "0".
QString filterCoefText(double value);

}  // namespace zircon
