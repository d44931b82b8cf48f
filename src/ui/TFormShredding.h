#pragma once
// The dialog "Методы шинковки": the three shredding formulas and how many
// digits after the point each keeps. The caller opens it on the registry's
// values and, when it was accepted, hands result() to the workspace.
#include <QDialog>

#include <array>

#include "shell/Workspace.h"

class QLineEdit;
class QSpinBox;

namespace zircon {

class TFormShredding : public QDialog {
    Q_OBJECT
public:
    explicit TFormShredding(const ShreddingSettings& settings, QWidget* parent = nullptr);

    // The fields as they stand; the formulas as typed. Hides
    // QDialog::result() (the dialog code), which callers read from exec().
    ShreddingSettings result() const;

    QLineEdit* formulaEdit(int row) const { return m_formulas[static_cast<size_t>(row)]; }
    QSpinBox* digitsEdit(int row) const { return m_digits[static_cast<size_t>(row)]; }

private:
    std::array<QLineEdit*, 3> m_formulas{};
    std::array<QSpinBox*, 3> m_digits{};
};

}  // namespace zircon
