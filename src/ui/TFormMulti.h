#pragma once
// The multi-stake dialog "Добавление мультиставки": the first draw, the
// number of draws and the comment of the bulk stakes.
#include <QDialog>

#include "shell/StakeCommands.h"

class QLineEdit;
class QSpinBox;

namespace zircon {

class Host;

class TFormMulti : public QDialog {
    Q_OBJECT
public:
    explicit TFormMulti(Host& host, QWidget* parent = nullptr);

    void setEntry(const MultiStakeEntry& entry);
    MultiStakeEntry entry() const;

    // A non-empty comment, else "Необходимо ввести комментарий!".
    bool tryAccept();
    void accept() override;

    QSpinBox* drawNumberEdit() const { return m_drawNumber; }
    QSpinBox* drawsCountEdit() const { return m_draws; }
    QLineEdit* commentEdit() const { return m_comment; }

private:
    Host& m_host;
    QSpinBox* m_drawNumber = nullptr;
    QSpinBox* m_draws = nullptr;
    QLineEdit* m_comment = nullptr;
};

}  // namespace zircon
