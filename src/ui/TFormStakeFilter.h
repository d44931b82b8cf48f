#pragma once
// The condition dialog "Удаление по условию": a comparison and a number of
// matches; checked stakes that meet it are removed.
#include <QDialog>

#include "stakes/StakeDeleting.h"

class QComboBox;
class QSpinBox;

namespace zircon {

class TFormStakeFilter : public QDialog {
    Q_OBJECT
public:
    explicit TFormStakeFilter(QWidget* parent = nullptr);

    // The operation in the low byte, the value in the high byte.
    uint16_t packedResult() const;
    StakeFilterCondition condition() const;

    QComboBox* conditionBox() const { return m_condition; }
    QSpinBox* valueEdit() const { return m_value; }

private:
    QComboBox* m_condition = nullptr;
    QSpinBox* m_value = nullptr;
};

}  // namespace zircon
