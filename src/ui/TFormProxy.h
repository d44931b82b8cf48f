#pragma once
// The dialog "Параметры proxy-сервера": no proxy, the automatic search on the
// public proxy list, or a proxy chosen by hand with its port and optional user
// name and password (those fields are enabled only for the manual choice).
#include <QDialog>

#include "core/TProxy.h"

class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace zircon {

class TFormProxy : public QDialog {
    Q_OBJECT
public:
    explicit TFormProxy(const TProxy& proxy, QWidget* parent = nullptr);

    // The settings as the dialog gives them (after OK): the mode from the
    // buttons; the automatic search starts without server, port, user name
    // and password; not yet saved. The found list is kept.
    TProxy result() const;

    QRadioButton* noneButton() const { return m_none; }
    QRadioButton* automaticButton() const { return m_automatic; }
    QRadioButton* manualButton() const { return m_manual; }
    QLineEdit* serverEdit() const { return m_server; }
    QSpinBox* portEdit() const { return m_port; }
    QLineEdit* userEdit() const { return m_user; }
    QLineEdit* passwordEdit() const { return m_password; }

private:
    void updateFields();

    TProxy m_proxy;
    QRadioButton* m_none = nullptr;
    QRadioButton* m_automatic = nullptr;
    QRadioButton* m_manual = nullptr;
    QLineEdit* m_server = nullptr;
    QSpinBox* m_port = nullptr;
    QLineEdit* m_user = nullptr;
    QLineEdit* m_password = nullptr;
};

}  // namespace zircon
