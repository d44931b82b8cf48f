#pragma once
// The dialog "Создание нового списка комбинаций": the generation mode, the
// user's numbers or the file to load, and whether these become the stored
// defaults. It opens on the stored settings with the box unticked.
#include <QDialog>
#include <QString>

#include <cstdint>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace zircon {

class TFormGenCombs : public QDialog {
    Q_OBJECT
public:
    explicit TFormGenCombs(QWidget* parent = nullptr);

    // The stored settings; a mode byte outside the list shows as the full
    // set, which is what generation makes of it. The box is unticked.
    void setSettings(uint8_t mode, const QString& parameter);
    uint8_t mode() const;
    QString parameter() const;
    // The settings become the stored defaults.
    bool storeAsDefault() const;

    QComboBox* modeBox() const { return m_mode; }
    QLineEdit* parameterEdit() const { return m_parameter; }
    QToolButton* fileButton() const { return m_file; }
    QCheckBox* defaultBox() const { return m_default; }
    QPushButton* okButton() const { return m_ok; }

    // The file button: the combination-file dialog, its answer into the field.
    void chooseCombsFile();

private:
    void modeChanged();

    QComboBox* m_mode = nullptr;
    QLineEdit* m_parameter = nullptr;
    QToolButton* m_file = nullptr;
    QCheckBox* m_default = nullptr;
    QPushButton* m_ok = nullptr;
};

}  // namespace zircon
