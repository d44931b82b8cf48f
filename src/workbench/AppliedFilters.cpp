#include "workbench/AppliedFilters.h"

#include "core/Tr.h"

namespace zircon {

QStringList AppliedFilters::columnCaptions()
{
    return {tr("Примененные фильтры"), tr("Значения"), tr("Комбинаций")};
}

QString AppliedFilters::undoCaption()
{
    return tr("Отмена последней операции");
}

void AppliedFilters::add(const QString& source, const QString& values, size_t combCount, FilterMark mark)
{
    m_rows.push_back(AppliedFilterRow{source, values, combCount, mark});
}

void AppliedFilters::addUndo(size_t combCount)
{
    add(undoCaption(), QString(), combCount, FilterMark::Undo);
}

void AppliedFilters::removeLast()
{
    if (!m_rows.empty())
        m_rows.pop_back();
}

void AppliedFilters::clear()
{
    m_rows.clear();
}

QString AppliedFilters::cellText(int row, int column) const
{
    if (row < 0 || row >= count())
        return QString();
    const AppliedFilterRow& r = m_rows[static_cast<size_t>(row)];
    switch (column) {
    case ColSource:
        return r.source;
    case ColValues:
        return r.values;
    case ColCount:
        return QString::number(r.count);
    default:
        return QString();
    }
}

}  // namespace zircon
