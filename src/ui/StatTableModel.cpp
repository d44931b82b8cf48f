#include "ui/StatTableModel.h"

#include "shell/StatisticsView.h"

namespace zircon {

StatTableModel::StatTableModel(const StatisticsView& view, QObject* parent) : QAbstractTableModel(parent), m_view(view)
{
    m_rows = m_view.table().rowCount();
}

void StatTableModel::refresh()
{
    beginResetModel();
    m_rows = m_view.table().rowCount();
    endResetModel();
}

int StatTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int StatTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : StatTable::kColumnCount;
}

QVariant StatTableModel::data(const QModelIndex& index, int role) const
{
    const StatTable& table = m_view.table();
    // The view may replace its table while events run (the computation lets
    // them); until the reset arrives a row past the new table shows nothing.
    if (!index.isValid() || index.row() >= table.rowCount() || index.column() >= StatTable::kColumnCount)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return table.cell(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return index.column() == StatTable::ColValue ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                                     : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant StatTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return StatTable::columnCaption(section);
}

Qt::ItemFlags StatTableModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace zircon
