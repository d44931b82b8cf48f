#pragma once
// The rows of the statistics list `lvDrawsStat`: the twenty columns of the
// statistics view's current table, read on demand. The table is made whole
// by the view before it is shown, so nothing is copied here.
#include <QAbstractTableModel>

namespace zircon {

class StatisticsView;

class StatTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit StatTableModel(const StatisticsView& view, QObject* parent = nullptr);

    // The view's table was replaced or cleared: the list starts anew.
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const StatisticsView& m_view;
    int m_rows = 0;
};

}  // namespace zircon
