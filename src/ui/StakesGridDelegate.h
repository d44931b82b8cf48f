#pragma once
// Draws the stakes grid's number columns ("Моя ставка", "Результаты тиража")
// number by number, 3 pixels apart, the matched numbers bold in blue; the
// other columns keep the margins of their alignment.
#include <QStyledItemDelegate>

namespace zircon {

class StakeCommands;

class StakesGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit StakesGridDelegate(StakeCommands& stakes, QObject* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    StakeCommands& m_stakes;
};

}  // namespace zircon
