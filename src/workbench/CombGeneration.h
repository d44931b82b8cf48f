#pragma once
// Building the combination list from the generation settings: the full set,
// the user's own numbers in three ways, or a combination file.
#include <QString>

#include <bitset>
#include <cstdint>

#include "workbench/CombFile.h"
#include "workbench/CombList.h"

namespace zircon {

enum class GenerationMode : uint8_t {
    Full = 0,         // every combination
    AnyOfMine = 1,    // at least one of its numbers is one of mine
    OnlyMine = 2,     // all five of its numbers are mine
    NoneOfMine = 3,   // none of its numbers is mine
    File = 4,         // the combinations of a file
};

// The user's numbers: the parameter split at runs of "," and ";", each word
// trimmed and read as an integer (0 when it is not one); bit v is set for each
// value v of 0..255. Values outside 1..69 are kept and simply match nothing.
std::bitset<256> parseMyNumbers(const QString& parameter);

// Builds the list for a generation mode (the stored mode byte) and its
// parameter. Modes 0-3 enumerate the full set in its lexicographic order and
// keep the combinations that pass; a mode byte above 4 (a settings file from
// elsewhere) builds the full set, as mode 0 does. Mode 4 reads the file named by the parameter
// (LoadCombsFile): when the read fails the Error is thrown and the list keeps
// what it held before, so a failed load never costs the user the list.
// For modes 0-3 the result counts the combinations only. Throws Error when
// the list's capacity cannot hold the result; the list then holds what was
// built up to its capacity.
CombsReadResult GenerateCombs(CombList& list, uint8_t mode, const QString& parameter);

}  // namespace zircon
