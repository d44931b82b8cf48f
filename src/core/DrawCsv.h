#pragma once
// Draw CSV files: one draw a line, fields separated by ";", Windows-1251 with
// CR LF. Written lines carry 8 fields (number; "date"; five main numbers;
// extra); read lines may leave the number out (7 fields).
#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/Types.h"

namespace zircon {

// Splits one line into fields: ";" separates, and so does any run of spaces or
// control characters outside quotes; a field that begins with a double quote
// runs to its closing quote ("" inside stands for one quote); a ";" at the very
// end of the line adds an empty last field.
QStringList splitCsvFields(const QString& line);

// The written form of one draw, without the line end.
QString drawCsvLine(const TDraw& draw);

// The whole file of the archive, oldest first.
QByteArray exportDrawsCsv(const TDrawsArray& draws);

struct CsvImportResult {
    int added = 0;    // draws appended to the archive
    int skipped = 0;  // non-empty lines that were not taken
};

// Appends the draws of a CSV file to `draws`. A line is skipped when it has
// neither 7 nor 8 fields, when its draw number is not above 0 or is already in
// the archive (draws taken earlier from the same file included), when its main
// numbers are not five different numbers of 1..69, its extra number is not in
// 1..26, or its date does not read as "mm/dd/yyyy". A 7-field line takes the
// number after the archive's current count.
CsvImportResult importDrawsCsv(const QByteArray& content, TDrawsArray& draws);

}  // namespace zircon
