#include "ui/StakesModel.h"

#include <QColor>

#include "shell/StakeCommands.h"
#include "shell/StakesColumns.h"

namespace zircon {

StakesModel::StakesModel(StakeCommands& stakes, QObject* parent) : QAbstractTableModel(parent), m_stakes(stakes) {}

int StakesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(1, m_records);
}

int StakesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : StakesColumnCount;
}

QVariant StakesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_records)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return stakesCellText(m_stakes.record(index.row()), index.column());
    case Qt::BackgroundRole: {
        const uint32_t rgb = stakeKindColour(m_stakes.record(index.row()).kind);
        if (rgb == kWindowColour)
            return {};
        return QColor::fromRgb(rgb);
    }
    case Qt::TextAlignmentRole:
        if (index.column() == StakeColProfit)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        if (index.column() == StakeColComment)
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignCenter);
    default:
        return {};
    }
}

QVariant StakesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= StakesColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return stakesColumnCaptions()[section];
}

bool StakesModel::refresh()
{
    const int records = m_stakes.count();
    if (records != m_records) {
        beginResetModel();
        m_records = records;
        endResetModel();
        return true;
    }
    if (m_records > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, StakesColumnCount - 1));
    return false;
}

}  // namespace zircon
