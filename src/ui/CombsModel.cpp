#include "ui/CombsModel.h"

#include "core/Tr.h"
#include "workbench/CombList.h"

namespace zircon {

namespace {

bool isNumberColumn(int column)
{
    return column >= CombsModel::ColN1 && column <= CombsModel::ColN5;
}

}  // namespace

CombsModel::CombsModel(const CombList& list, QObject* parent) : QAbstractTableModel(parent), m_list(list)
{
    m_rows = static_cast<int>(m_list.count());
}

void CombsModel::setChannelSizeSource(std::function<int()> source)
{
    m_channels.setSource(std::move(source));
    repaint();
}

void CombsModel::setColorCombs(bool on)
{
    if (m_color == on)
        return;
    m_color = on;
    repaint();
}

void CombsModel::refresh()
{
    m_channels.read();
    const int rows = static_cast<int>(m_list.count());
    if (rows != m_rows) {
        beginResetModel();
        m_rows = rows;
        endResetModel();
        return;
    }
    repaint();
}

void CombsModel::repaint()
{
    m_channels.read();
    if (m_rows > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, ColumnCount - 1));
}

int CombsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int CombsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString CombsModel::cellText(int row, int column) const
{
    const TComb& c = m_list[static_cast<size_t>(row)];
    switch (column) {
    case ColIndex:
        return QString::number(row + 1);
    case ColN1:
    case ColN2:
    case ColN3:
    case ColN4:
    case ColN5:
        return QString::number(c.n[static_cast<size_t>(column - ColN1)]);
    case ColSum: {
        int sum = 0;
        for (uint8_t n : c.n)
            sum += n;
        return QString::number(sum);
    }
    default:
        return {};
    }
}

QColor CombsModel::cellBackground(int row, int column) const
{
    if (m_color && isNumberColumn(column)) {
        return m_channels.colour(m_list[static_cast<size_t>(row)].n[static_cast<size_t>(column - ColN1)]);
    }
    return plainColour();
}

QVariant CombsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() < 0 || index.column() >= ColumnCount)
        return {};
    const int row = index.row();
    // The list may have changed a moment before the view is told.
    if (row < 0 || row >= m_rows || static_cast<size_t>(row) >= m_list.count())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cellText(row, index.column());
    case Qt::TextAlignmentRole:
        if (index.column() == ColIndex)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::BackgroundRole:
        return cellBackground(row, index.column());
    case Qt::ForegroundRole:
        // The backgrounds are light whatever the desktop theme.
        return QColor(Qt::black);
    default:
        return {};
    }
}

QVariant CombsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(section == ColIndex ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter));
    if (role != Qt::DisplayRole)
        return {};
    switch (section) {
    case ColIndex:
        return zircon::tr("№ п.п.");
    case ColSum:
        return QStringLiteral("S");
    default:
        return QString::number(section);
    }
}

Qt::ItemFlags CombsModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

}  // namespace zircon
