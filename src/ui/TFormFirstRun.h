#pragma once
// The reference dialog "Справочная информация" shown after start while the
// `FirstRun` option is on: where to find the help file and the project's
// resources, and a box to stop showing it.
#include <QDialog>

class QCheckBox;
class QPushButton;

namespace zircon {

class TFormFirstRun : public QDialog {
    Q_OBJECT
public:
    // `helpFile` is the located help file; its button is enabled only when
    // the file exists.
    explicit TFormFirstRun(const QString& helpFile, QWidget* parent = nullptr);

    // "Больше не показывать данный диалог" was ticked when the dialog closed.
    bool dontShowAgain() const;

    QCheckBox* dontShowBox() const { return m_dontShow; }
    QPushButton* helpButton() const { return m_help; }

private:
    QString m_helpFile;
    QCheckBox* m_dontShow = nullptr;
    QPushButton* m_help = nullptr;
};

}  // namespace zircon
