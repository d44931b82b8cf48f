#pragma once
// The combination list with its one-step undo copy. Every command that changes
// the list backs it up first; undoing copies the backup back and leaves
// nothing more to undo. Both blocks are reserved once for the full set.
#include "workbench/CombList.h"

namespace zircon {

class CombWorkbench {
public:
    // Reserves both blocks for the full set (at start-up); later calls change
    // nothing. Throws Error when the memory cannot be had.
    void reserveFullSet();
    // Reserves both blocks for `capacity` combinations (small lists in tests).
    void reserve(size_t capacity);

    CombList& list() { return m_list; }
    const CombList& list() const { return m_list; }
    CombList& undo() { return m_undo; }
    const CombList& undo() const { return m_undo; }

    // The list into the undo copy, one block copy.
    void BackupCombs() { m_undo.copyFrom(m_list); }
    // The undo copy back into the list; afterwards there is nothing to undo.
    void RestoreCombs()
    {
        m_list.copyFrom(m_undo);
        m_undo.clear();
    }
    // Generation, opening and pasting leave nothing to undo.
    void ClearUndo() { m_undo.clear(); }
    // An undo copy without combinations means there is nothing to undo.
    bool canUndo() const { return !m_undo.empty(); }

private:
    CombList m_list;
    CombList m_undo;
};

}  // namespace zircon
