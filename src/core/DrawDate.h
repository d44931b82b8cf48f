#pragma once
// Calendar dates as the program keeps them: QDate in memory (a null date for
// "no date"), the integer yyyymmdd, and the draw-date text "mm/dd/yyyy".
#include <QDate>
#include <QString>

namespace zircon {

// year*10000 + month*100 + day; 0 for an invalid or null date.
int DateToInt(const QDate& date);
// The inverse; an invalid QDate when i names no real day.
QDate IntToDate(int i);
// i moved by `days`; i unchanged for 0 days, 0 when i names no real day.
int IncIntDate(int i, int days);

// "mm/dd/yyyy" with a literal "/" whatever the system's date separator; the
// empty text for a null or invalid date.
QString DrawDateText(const QDate& date);

// The trimmed text read at the fixed positions of "mm/dd/yyyy" (month from
// characters 1-2, day 4-5, year 7-10, each 0 when not a number). An empty
// text gives a null QDate; a text naming no real day (such as "02/30/2020")
// throws Error.
QDate ParseDrawDate(const QString& text);

// Whether the text is exactly a "mm/dd/yyyy" draw date naming a real day:
// ten characters, digits and "/" in place, no spaces around.
bool isDrawDateText(const QString& text);

}  // namespace zircon
