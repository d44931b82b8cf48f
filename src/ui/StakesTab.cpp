#include "ui/StakesTab.h"

#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

#include "shell/StakeCommands.h"
#include "shell/StakesColumns.h"
#include "ui/StakesGridDelegate.h"
#include "ui/StakesModel.h"

namespace zircon {

StakesTab::StakesTab(StakeCommands& stakes, QWidget* parent) : QWidget(parent), m_stakes(stakes)
{
    setObjectName(QStringLiteral("tsStakes"));
    m_model = new StakesModel(stakes, this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("sgStakes"));
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(new StakesGridDelegate(stakes, m_grid));
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->setVisible(false);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(18);
    m_grid->setWordWrap(false);
    for (int c = 0; c < StakesColumnCount; ++c)
        m_grid->setColumnWidth(c, stakesColumnWidth(c));
    m_grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);
}

void StakesTab::setPopupActions(const QList<QAction*>& actions)
{
    m_grid->addActions(actions);
}

void StakesTab::refreshGrid(bool updateRows, bool scrollToEnd)
{
    if (updateRows || scrollToEnd)
        m_model->refresh();
    else if (isVisible())
        m_grid->viewport()->update();
    if (m_model->records() == 0) {
        m_grid->selectRow(0);
        return;
    }
    if (scrollToEnd) {
        m_grid->selectRow(m_model->rowCount() - 1);
        m_grid->scrollToBottom();
    }
}

std::optional<std::pair<int, int>> StakesTab::selectedRecordRows() const
{
    const QModelIndexList rows = m_grid->selectionModel()->selectedRows();
    if (rows.isEmpty() || m_model->records() == 0)
        return std::nullopt;
    int first = rows.front().row();
    int last = first;
    for (const QModelIndex& i : rows) {
        first = std::min(first, i.row());
        last = std::max(last, i.row());
    }
    last = std::min(last, m_model->records() - 1);
    if (first > last)
        return std::nullopt;
    return std::make_pair(first + 1, last + 1);
}

}  // namespace zircon
