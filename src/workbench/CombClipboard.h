#pragma once
// Copying combinations to the clipboard as text and reading them back.
#include <QString>

#include <cstddef>
#include <vector>

#include "core/Lottery.h"
#include "core/Types.h"
#include "workbench/CombList.h"

namespace zircon {

// The rows' combinations, each as CombSpacedText, one per line ("\n" between
// lines). Rows outside the list are left out.
QString combsClipboardText(const CombList& list, const std::vector<int>& rows);

struct ClipboardCombs {
    TCombsArray combs;     // one combination per line, in line order; empty on failure
    size_t lines = 0;      // lines of the text; 0 means there was nothing to paste
    int failedLine = -1;   // 0-based index of the first line that failed, or -1
    QString error;         // that line's message, "Некорректная комбинация: \"...\"!"

    bool ok() const { return failedLine < 0 && error.isEmpty(); }
};

// Splits the text into lines (any line end; a final line end adds no line)
// and reads each with TextToComb. A line fails when it has not five words or
// when its numbers are not five different numbers of 1..69 (a pasted list
// must hold only combinations that can be drawn); an empty line in the
// middle fails too. Text with more lines than `capacity` fails with the
// list-full message, before any line is read.
ClipboardCombs parseClipboardCombs(const QString& text, size_t capacity = static_cast<size_t>(kFullSetSize));

}  // namespace zircon
