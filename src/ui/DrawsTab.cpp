#include "ui/DrawsTab.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

#include "core/Tr.h"
#include "shell/Workspace.h"
#include "ui/DrawsModel.h"

namespace zircon {

namespace {

// Design widths of the columns (number, five main numbers, E, S, date): all
// of them fit the left panel's default width of 335 beside the scroll bar.
constexpr int kColumnWidths[DrawsModel::ColumnCount] = {46, 25, 25, 25, 25, 25, 25, 30, 76};

}  // namespace

DrawsTab::DrawsTab(Workspace& workspace, QWidget* parent) : QWidget(parent), m_ws(workspace)
{
    setObjectName(QStringLiteral("tsDraws"));
    m_model = new DrawsModel(m_ws.archive(), this);

    m_list = new QTreeView(this);
    m_list->setObjectName(QStringLiteral("lvDraws"));
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSortingEnabled(false);
    m_list->setContextMenuPolicy(Qt::ActionsContextMenu);
    QHeaderView* header = m_list->header();
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->setMinimumSectionSize(20);
    for (int c = 0; c < DrawsModel::ColumnCount; ++c)
        header->resizeSection(c, kColumnWidths[c]);
    connect(m_list, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit rowActivated(index.row());
    });

    auto* label = new QLabel(zircon::tr("Смещение назад:"), this);
    m_offset = new QSpinBox(this);
    m_offset->setObjectName(QStringLiteral("edDrawsOffset"));
    m_offset->setRange(0, 0);
    m_offset->setToolTip(zircon::tr("Смещение относительно последнего загруженного номера тиража"));
    m_offset->setStatusTip(m_offset->toolTip());
    m_offset->setMinimumWidth(80);
    label->setBuddy(m_offset);
    connect(m_offset, &QSpinBox::valueChanged, this, &DrawsTab::offsetEdited);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(label);
    bottom->addWidget(m_offset);
    bottom->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_list, 1);
    layout->addLayout(bottom);
}

void DrawsTab::setPopupActions(const QList<QAction*>& actions)
{
    for (QAction* a : m_list->actions())
        m_list->removeAction(a);
    m_list->addActions(actions);
}

void DrawsTab::refreshList(bool force)
{
    m_model->refresh(force);
    m_showingOffset = true;
    // The spin edit cannot hold an upper bound below its lower one; an empty
    // archive keeps it at 0..0.
    m_offset->setRange(0, std::max(0, offsetUpperBound()));
    m_offset->setValue(m_ws.archive().drawsOffset());
    m_showingOffset = false;
}

int DrawsTab::offsetUpperBound() const
{
    return m_ws.archive().count() - 1;
}

void DrawsTab::offsetEdited(int value)
{
    if (m_showingOffset)
        return;
    m_ws.setDrawsOffset(value);
    // The archive may have brought the value into its range.
    if (m_offset->value() != m_ws.archive().drawsOffset()) {
        m_showingOffset = true;
        m_offset->setValue(m_ws.archive().drawsOffset());
        m_showingOffset = false;
    }
}

std::vector<int> DrawsTab::selectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : m_list->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int DrawsTab::firstSelectedRow() const
{
    const auto rows = selectedRows();
    return rows.empty() ? -1 : rows.front();
}

void DrawsTab::clearSelection()
{
    m_list->selectionModel()->clearSelection();
}

}  // namespace zircon
