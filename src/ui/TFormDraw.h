#pragma once
// The dialog "Данные тиража": one draw entered or corrected by hand. The
// caller sets the title and the record; on OK the numbers text must name a
// valid draw, otherwise the dialog says so and stays open on that field.
#include <QDialog>

#include <functional>

#include "core/Types.h"

class QDateEdit;
class QLineEdit;
class QSpinBox;
class QTimeEdit;

namespace zircon {

class Host;

class TFormDraw : public QDialog {
    Q_OBJECT
public:
    explicit TFormDraw(Host& host, QWidget* parent = nullptr);

    // Fills the fields. A record without numbers gives an empty numbers text;
    // one without a readable date gives today's date and the current time.
    void setDraw(const TDraw& draw);
    // The draw as the fields give it; the numbers come from the last accepted
    // text (call after the dialog was accepted).
    TDraw draw() const { return m_result; }

    // Checks the fields; on success stores the result and closes the dialog
    // with Accepted, otherwise shows "Введена некорректная комбинация!",
    // puts the focus on the numbers field and stays open.
    bool tryAccept();
    void accept() override;

    QSpinBox* numberEdit() const { return m_number; }
    QLineEdit* numbersEdit() const { return m_numbers; }
    QDateEdit* dateEdit() const { return m_date; }
    QTimeEdit* timeEdit() const { return m_time; }

private:
    Host& m_host;
    QSpinBox* m_number = nullptr;
    QLineEdit* m_numbers = nullptr;
    QDateEdit* m_date = nullptr;
    QTimeEdit* m_time = nullptr;
    TDraw m_result;
};

}  // namespace zircon
