#pragma once
// The stake dialog "Добавление ставки": the draw number, the five numbers,
// their sum, the comment and the number of draws for one stake by hand.
#include <QDialog>

#include "stakes/StakeRecord.h"

class QLineEdit;
class QSpinBox;

namespace zircon {

class Host;

class TFormStake : public QDialog {
    Q_OBJECT
public:
    explicit TFormStake(Host& host, QWidget* parent = nullptr);

    // Fills the fields from the prepared record and the draws count.
    void setStake(const StakeRecord& prepared, int draws);
    // The stake as accepted: the prepared record with the dialog's draw
    // number, numbers (ascending) and comment.
    const StakeRecord& stake() const { return m_result; }
    int drawsCount() const;

    // Checks the numbers, then the comment; shows the first fault, puts the
    // focus on its field and stays open.
    bool tryAccept();
    void accept() override;

    QSpinBox* drawNumberEdit() const { return m_drawNumber; }
    QLineEdit* stakeDataEdit() const { return m_data; }
    QLineEdit* stakeSumEdit() const { return m_sum; }
    QLineEdit* commentEdit() const { return m_comment; }
    QSpinBox* drawsCountEdit() const { return m_draws; }

private:
    Host& m_host;
    StakeRecord m_prepared;
    StakeRecord m_result;
    QSpinBox* m_drawNumber = nullptr;
    QLineEdit* m_data = nullptr;
    QLineEdit* m_sum = nullptr;
    QLineEdit* m_comment = nullptr;
    QSpinBox* m_draws = nullptr;
};

}  // namespace zircon
