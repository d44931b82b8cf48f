#pragma once
// Every modal dialog of the program runs through here, so a test can fill and
// answer a dialog without a modal loop.
#include <QDialog>

#include <functional>

namespace zircon {

// Gets the filled dialog and returns its dialog code.
using DialogRunner = std::function<int(QDialog& dialog)>;

// Replaces exec() for every dialog; an empty runner restores it.
void setDialogRunner(DialogRunner runner);

// exec(), or the runner when one is set.
int runDialog(QDialog& dialog);

}  // namespace zircon
