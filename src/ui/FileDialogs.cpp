#include "ui/FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace zircon {

namespace {

FileDialogAnswerer& answererSlot()
{
    static FileDialogAnswerer answerer;
    return answerer;
}

}  // namespace

void setFileDialogAnswerer(FileDialogAnswerer answerer)
{
    answererSlot() = std::move(answerer);
}

QString chooseFile(QWidget* parent, const FileDialogRequest& request)
{
    QString file;
    if (answererSlot()) {
        file = answererSlot()(request);
    } else {
        QFileDialog dialog(parent, request.title, QString(), request.filter);
        dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(request.defaultSuffix);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        file = dialog.selectedFiles().constFirst();
    }
    // The suffix rule holds for a supplied name too.
    if (!file.isEmpty() && request.save && !request.defaultSuffix.isEmpty() && QFileInfo(file).suffix().isEmpty())
        file += u'.' + request.defaultSuffix;
    return file;
}

}  // namespace zircon
