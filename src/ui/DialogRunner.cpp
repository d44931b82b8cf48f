#include "ui/DialogRunner.h"

namespace zircon {
namespace {

DialogRunner& runnerSlot()
{
    static DialogRunner runner;
    return runner;
}

}  // namespace

void setDialogRunner(DialogRunner runner)
{
    runnerSlot() = std::move(runner);
}

int runDialog(QDialog& dialog)
{
    if (runnerSlot())
        return runnerSlot()(dialog);
    return dialog.exec();
}

}  // namespace zircon
