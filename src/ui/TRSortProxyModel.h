#pragma once
// The order of a sortable list: the list's rows as its model gives them,
// sorted by one column under the list comparison rule (numbers as numbers,
// other texts without regard to case, ties by the caption column).
#include <QSortFilterProxyModel>

namespace zircon {

class TRSortProxyModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit TRSortProxyModel(QObject* parent = nullptr);

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

}  // namespace zircon
