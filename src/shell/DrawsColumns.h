#pragma once
// The columns of the draws list, shared by the list widget and the
// command-line listing so both show a draw the same way.
#include <QString>
#include <QStringList>

#include "core/Types.h"

namespace zircon {

enum DrawsColumn { ColNumber, ColN1, ColN2, ColN3, ColN4, ColN5, ColExtra, ColSum, ColDate, DrawsColumnCount };

// "Тираж", "1".."5", "E", "S", "Дата тиража".
QStringList drawsColumnCaptions();

// The text of one cell; `sorted` shows the main numbers ascending.
QString drawsCellText(const TDraw& draw, int column, bool sorted);

}  // namespace zircon
