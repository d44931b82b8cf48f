#pragma once
// The two removal commands of the list. Both read the undo copy, which the
// command has just filled with BackupCombs, and rebuild the list from it in
// its order, so undo brings back exactly what was there.
#include <cstddef>
#include <vector>

#include "core/DrawArchive.h"
#include "workbench/CombList.h"

namespace zircon {

// Rebuilds `list` from `undo` without the entries at the selected rows.
// Rows outside the undo copy and repeated rows are ignored. Returns the number
// of entries removed. Throws Error when `list` cannot hold the undo copy (it
// is then unchanged).
size_t deleteSelectedCombs(const CombList& undo, CombList& list, const std::vector<int>& selectedRows);

// The draws RemoveDrawCombs uses for `n`: archive indexes max(0, K - n + 1)
// .. K with K = High - DrawsOffset; empty when n <= 0 or there is no current
// draw.
struct DrawRange {
    int first = 0;
    int last = -1;
    bool empty() const { return last < first; }
    int size() const { return empty() ? 0 : last - first + 1; }
};
DrawRange removeDrawsRange(const DrawArchive& archive, int n);

// Rebuilds `list` from `undo` without the combinations that are one of the
// draws of removeDrawsRange(archive, n) (sameNumbers: the same five numbers
// in any order). The draws go into a small hash set first, so a combination
// costs one lookup however many draws there are. `progress` is called after
// every max(1, count / 100) combinations. Returns the number removed. Throws
// Error when `list` cannot hold the undo copy (it is then unchanged).
size_t RemoveDrawCombs(const CombList& undo, CombList& list, const DrawArchive& archive, int n,
                       const CombProgress& progress = {});

}  // namespace zircon
