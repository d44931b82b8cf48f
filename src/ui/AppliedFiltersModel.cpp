#include "ui/AppliedFiltersModel.h"

namespace zircon {

AppliedFiltersModel::AppliedFiltersModel(const AppliedFilters& filters, QObject* parent)
    : QAbstractTableModel(parent), m_filters(filters)
{
    m_rows = m_filters.count();
}

void AppliedFiltersModel::refresh()
{
    beginResetModel();
    m_rows = m_filters.count();
    endResetModel();
}

int AppliedFiltersModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int AppliedFiltersModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : AppliedFilters::ColumnCount;
}

QColor AppliedFiltersModel::markColour(FilterMark mark)
{
    switch (mark) {
    case FilterMark::Keep:
        return QColor(0, 160, 0);
    case FilterMark::Delete:
        return QColor(210, 0, 0);
    case FilterMark::Undo:
        return QColor(128, 128, 128);
    }
    return {};
}

QVariant AppliedFiltersModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows || index.row() >= m_filters.count())
        return {};
    const AppliedFilterRow& row = m_filters.row(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return m_filters.cellText(index.row(), index.column());
    case Qt::DecorationRole:
        if (index.column() == AppliedFilters::ColSource)
            return markColour(row.mark);
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == AppliedFilters::ColCount)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    case MarkRole:
        return static_cast<int>(row.mark);
    default:
        return {};
    }
}

QVariant AppliedFiltersModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    const QStringList captions = AppliedFilters::columnCaptions();
    return section >= 0 && section < captions.size() ? QVariant(captions[section]) : QVariant();
}

Qt::ItemFlags AppliedFiltersModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

}  // namespace zircon
