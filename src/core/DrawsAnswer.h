#pragma once
// The lottery operator's draw-results service: the request for the draws of a
// range of dates and the reading of its answer, a JSON list of objects of
// which two fields count:
//   [{"field_draw_date":"2024-03-02T22:59:00","field_winning_numbers":"03,18,22,27,33,17",...},...]
// The service lists the newest draw first.
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

#include "core/Types.h"

namespace zircon {

inline constexpr const char* kDrawsServicePath = "/api/v1/numbers/zircon";

// The path and query of the draws dated from..to (yyyymmdd), the first day
// from 00:00:00 and the last up to 23:59:59:
// "/api/v1/numbers/zircon?_format=json&min=1997-11-01%2000:00:00&max=1998-02-08%2023:59:59".
QString drawsRangeQuery(int from, int to);

struct DrawsAnswer {
    std::vector<TDraw> draws;  // the pieces that read as draws, in the answer's order, numbered 0
    int skipped = 0;           // pieces refused: a field missing, numbers out of range, a date that does not read
};

// Reads the list between the first "[" and the next "]"; each piece from one
// "{" to the next gives a draw: the date text "mm/dd/yyyy" from the first ten
// characters of "field_draw_date" (yyyy-mm-dd), the five main numbers and the
// extra number from the first six words of "field_winning_numbers" split at
// ",". A draw must have five different main numbers of 1..69, an extra number
// of 1..26 and a real date, or its piece is skipped: nothing half-read ever
// reaches the archive.
//
// Throws Error when the text has no "[" (an error page, a proxy's own page:
// not "no draws") and when a "[" has no "]" after it.
DrawsAnswer parseDrawsAnswer(const QString& text);

// The value of a string field `"name":"value"` in one piece of the answer:
// the name found ignoring letter case, white space allowed around ":", the
// value up to the next double quote, trimmed and, when it is enclosed in
// double quotes itself, unquoted (doubled quotes made single). nullopt when
// the field is missing.
std::optional<QString> answerField(QStringView piece, QStringView name);

}  // namespace zircon
