#pragma once
// Keeping or deleting combinations by selected statistic values. The undo
// copy is the input and the list the output: every combination of the input
// is tested against the selection, and the ones the step keeps are written to
// the output in their input order.
//
// The selection is prepared once per pass (a lookup table or a mask from the
// method's PrepareFilter), the input is tested in blocks into a small buffer
// of answers and the kept combinations are then compacted as 5-byte block
// copies, so nothing is allocated per combination. A long list may be split
// over two threads when the prepared filter allows it; the result and its
// order are the same as on one thread.
#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>

#include "core/Types.h"

namespace zircon {

class AppliedFilters;
class TCustomStat;
class TStatDrawArray;

// The archive index of the current draw, the window end every filter passes:
// High - DrawsOffset, and 0 when the archive has fewer draws than the offset.
int filterWindowEnd(int drawCount, int drawsOffset);

enum class FilterThreads {
    Automatic,  // two threads for a long list when the filter allows it
    Single,     // always one thread: the reference path
    Two,        // two threads whenever the filter allows it, however short the list
};

// Called from the thread that started the pass, about a hundred times per
// pass, with the combinations tested so far; false stops the pass.
using FilterProgress = std::function<bool(size_t done, size_t total)>;

struct ValueFilterPass {
    int end = -1;             // window end K (filterWindowEnd)
    bool sorted = false;      // the "sorted numbers" switch
    bool deleteMode = false;  // false keeps the matching combinations, true deletes them
    FilterThreads threads = FilterThreads::Automatic;
    FilterProgress progress;  // may be empty
};

struct ValueFilterResult {
    size_t kept = 0;        // combinations now in the output (the list's new count)
    bool completed = true;  // false: stopped through the progress callback
    int threads = 1;        // threads the pass ran on (0 when the input was empty)
};

// One pass over input[0 .. count-1] into output, which has room for `count`
// combinations and does not overlap the input. LoadDraws(-1, end, sorted) and
// PrepareFilter run once before the walk; `selection` must stay alive and
// unchanged during the call. When the pass is stopped the result says so and
// the output holds an unspecified part of the input: the caller restores it
// from the input. An error of the statistic propagates, with the output in
// the same unspecified state. An empty input tests nothing and keeps nothing.
ValueFilterResult applyValueFilter(const TComb* input, size_t count, TComb* output, TCustomStat& stat,
                                   const TStatDrawArray& selection, const ValueFilterPass& pass);

// The whole filter step over the list and its undo copy (which the caller's
// backup has filled): the list is rebuilt from the undo copy by one pass and,
// when the undo copy was not empty, the step is recorded in the applied
// filters with the new count. A stopped pass or an error leaves nothing
// half-built: the list is restored from the undo copy and no row is added
// (the result's kept is then undoCount and completed false; an error is
// rethrown after the restore). The caller sets its list count to the result's
// kept; `list` has room for undoCount combinations.
ValueFilterResult ApplyValueFilter(TCustomStat& stat, const TStatDrawArray& selection, const QString& source,
                                   const QString& valuesText, const TComb* undo, size_t undoCount, TComb* list,
                                   AppliedFilters& filters, const ValueFilterPass& pass);

}  // namespace zircon
