#pragma once
// The file open and save dialogs of the commands, with one seam through which
// a test supplies the file name instead of a user.
#include <QString>

#include <functional>

class QWidget;

namespace zircon {

struct FileDialogRequest {
    bool save = false;       // a save dialog (else an open dialog)
    QString title;           // the dialog's caption
    QString filter;          // "Файлы тиражей (*.csv)"
    QString defaultSuffix;   // "csv": added when the name has none
};

// Gets the request and returns the chosen file, or an empty text for Cancel.
using FileDialogAnswerer = std::function<QString(const FileDialogRequest& request)>;

// Replaces the dialogs for the whole process (an empty answerer restores them).
void setFileDialogAnswerer(FileDialogAnswerer answerer);

// Asks for a file; an empty text when the user cancelled.
QString chooseFile(QWidget* parent, const FileDialogRequest& request);

}  // namespace zircon
