#include "ui/DrawsModel.h"

#include "core/DrawArchive.h"
#include "core/Sorting.h"
#include "core/Tr.h"

namespace zircon {

DrawsModel::DrawsModel(const DrawArchive& archive, QObject* parent) : QAbstractTableModel(parent), m_archive(archive)
{
    m_rows = m_archive.count();
}

void DrawsModel::setChannelSizeSource(std::function<int()> source)
{
    m_channels.setSource(std::move(source));
    repaint();
}

void DrawsModel::setSortedDraws(bool on)
{
    if (m_sorted == on)
        return;
    m_sorted = on;
    repaint();
}

void DrawsModel::setColorDraws(bool on)
{
    if (m_color == on)
        return;
    m_color = on;
    repaint();
}

void DrawsModel::refresh(bool force)
{
    m_channels.read();
    if (m_rows != m_archive.count()) {
        beginResetModel();
        m_rows = m_archive.count();
        endResetModel();
        return;
    }
    // A forced refresh after an edit in place keeps the rows and the
    // selection; only their content is new.
    (void)force;
    repaint();
}

void DrawsModel::repaint()
{
    if (m_rows > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, ColumnCount - 1));
}

int DrawsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int DrawsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString DrawsModel::cellText(int row, int column) const
{
    TDraw d = m_archive.drawAtRow(row);
    if (m_sorted)
        sortDrawNumbers(d);
    switch (column) {
    case ColNumber:
        return QString::number(d.number);
    case ColN1:
    case ColN2:
    case ColN3:
    case ColN4:
    case ColN5:
        return QString::number(d.nums[static_cast<size_t>(column - ColN1)]);
    case ColExtra:
        return QString::number(d.extra);
    case ColSum:
        return QString::number(d.sum());
    case ColDate:
        return QString::fromStdString(d.date());
    default:
        return {};
    }
}

QColor DrawsModel::cellBackground(int row, int column) const
{
    if (m_color && column >= ColN1 && column <= ColN5) {
        TDraw d = m_archive.drawAtRow(row);
        if (m_sorted)
            sortDrawNumbers(d);
        return m_channels.colour(d.nums[static_cast<size_t>(column - ColN1)]);
    }
    if (row == m_archive.drawsOffset())
        return currentDrawColour();
    return plainColour();
}

QVariant DrawsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() < 0 || index.column() >= ColumnCount)
        return {};
    const int row = index.row();
    // The archive may have changed a moment before the list is told.
    if (!m_archive.rowValid(row))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cellText(row, index.column());
    case Qt::TextAlignmentRole:
        if (index.column() >= ColN1 && index.column() <= ColSum)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    case Qt::BackgroundRole:
        return cellBackground(row, index.column());
    case Qt::ForegroundRole:
        // The backgrounds are light whatever the desktop theme.
        return QColor(Qt::black);
    default:
        return {};
    }
}

QVariant DrawsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(section >= ColN1 && section <= ColSum ? Qt::AlignCenter
                                                                                       : Qt::AlignLeft | Qt::AlignVCenter));
    if (role != Qt::DisplayRole)
        return {};
    switch (section) {
    case ColNumber:
        return zircon::tr("Тираж");
    case ColN1:
    case ColN2:
    case ColN3:
    case ColN4:
    case ColN5:
        return QString::number(section);
    case ColExtra:
        return QStringLiteral("E");
    case ColSum:
        return QStringLiteral("S");
    case ColDate:
        return zircon::tr("Дата тиража");
    default:
        return {};
    }
}

Qt::ItemFlags DrawsModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

}  // namespace zircon
