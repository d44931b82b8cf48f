#include "ui/CombsTab.h"

#include <QAction>
#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

#include "core/IniStore.h"
#include "core/Tr.h"
#include "shell/CombCommands.h"
#include "ui/AppliedFiltersModel.h"
#include "ui/CombsListView.h"
#include "ui/CombsModel.h"
#include "ui/WindowStateStore.h"

namespace zircon {

namespace {

const QString kCombsListName = QStringLiteral("lvCombs");
const QString kFiltersListName = QStringLiteral("lvFilters");

// Design widths: the five numbers and their sum take two or three digits
// each; the running number's column is widened to eight digits (the full
// set) in the list's font. The three columns of the applied filters share
// the left panel's default width of 335.
constexpr int kCombsColumnWidths[CombsModel::ColumnCount] = {64, 28, 28, 28, 28, 28, 34};
constexpr int kFiltersColumnWidths[AppliedFilters::ColumnCount] = {160, 65, 80};
constexpr int kCellPadding = 16;
constexpr int kMinPaneHeight = 30;

void followEnabledState(QPushButton* button, QAction* action)
{
    if (!action)
        return;
    button->setEnabled(action->isEnabled());
    QObject::connect(action, &QAction::changed, button, [button, action] { button->setEnabled(action->isEnabled()); });
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
}

}  // namespace

CombsTab::CombsTab(CombCommands& combs, QWidget* parent) : QWidget(parent), m_combs(combs)
{
    setObjectName(QStringLiteral("tsCombs"));
    m_model = new CombsModel(m_combs.list(), this);
    m_filtersModel = new AppliedFiltersModel(m_combs.appliedFilters(), this);

    m_list = new CombsListView(this);
    m_list->setObjectName(kCombsListName);
    m_list->setModel(m_model);
    m_list->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_list->header()->setMinimumSectionSize(20);
    for (int c = 0; c < CombsModel::ColumnCount; ++c)
        m_list->header()->resizeSection(c, kCombsColumnWidths[c]);
    const int indexWidth = m_list->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + kCellPadding;
    m_list->header()->resizeSection(CombsModel::ColIndex, std::max(kCombsColumnWidths[0], indexWidth));
    connect(m_list, &CombsListView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid() && m_rowActivated)
            m_rowActivated(index.row());
    });

    m_filters = new QTreeView(this);
    m_filters->setObjectName(kFiltersListName);
    m_filters->setModel(m_filtersModel);
    m_filters->setRootIsDecorated(false);
    m_filters->setItemsExpandable(false);
    m_filters->setUniformRowHeights(true);
    m_filters->setAllColumnsShowFocus(true);
    m_filters->setSelectionMode(QAbstractItemView::SingleSelection);
    m_filters->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_filters->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_filters->setSortingEnabled(false);
    m_filters->header()->setStretchLastSection(false);
    m_filters->header()->setSectionsMovable(false);
    for (int c = 0; c < AppliedFilters::ColumnCount; ++c)
        m_filters->header()->resizeSection(c, kFiltersColumnWidths[c]);

    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setObjectName(QStringLiteral("splCombs"));
    m_splitter->addWidget(m_list);
    m_splitter->addWidget(m_filters);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);
    m_splitter->setChildrenCollapsible(false);
    m_list->setMinimumHeight(kMinPaneHeight);
    m_filters->setMinimumHeight(kMinPaneHeight);
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] {
        const QList<int> sizes = m_splitter->sizes();
        if (sizes.size() == 2 && sizes[1] > 0)
            m_filtersHeight = sizes[1];
    });

    m_generate = new QPushButton(zircon::tr("Новый"), this);
    m_generate->setObjectName(QStringLiteral("btnCombsGen"));
    m_exclude = new QSpinBox(this);
    m_exclude->setObjectName(QStringLiteral("edCombsExclude"));
    m_exclude->setRange(0, std::numeric_limits<int>::max());
    m_exclude->setToolTip(zircon::tr("Исключить указанное количество последних тиражей из списка комбинаций"));
    m_exclude->setStatusTip(m_exclude->toolTip());
    m_exclude->setMinimumWidth(70);
    m_exclude->installEventFilter(this);
    m_delExists = new QPushButton(zircon::tr("[-] Тиражи"), this);
    m_delExists->setObjectName(QStringLiteral("btnCombsDelExists"));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_generate);
    bottom->addStretch(1);
    bottom->addWidget(m_exclude);
    bottom->addWidget(m_delExists);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_splitter, 1);
    layout->addLayout(bottom);

    setFiltersHeight(m_filtersHeight);
    m_combs.setListRefresher([this] { refreshList(); });
}

CombsTab::~CombsTab()
{
    // The session outlives the page; it must not call into a page that is gone.
    m_combs.setListRefresher({});
}

void CombsTab::setPopupActions(const QList<QAction*>& actions)
{
    for (QAction* a : m_list->actions())
        m_list->removeAction(a);
    m_list->addActions(actions);
}

void CombsTab::bindButtons(QAction* generate, QAction* delExists)
{
    followEnabledState(m_generate, generate);
    followEnabledState(m_delExists, delExists);
}

void CombsTab::refreshList()
{
    m_model->refresh();
    m_filtersModel->refresh();
    if (m_filtersModel->rowCount() > 0)
        m_filters->scrollTo(m_filtersModel->index(m_filtersModel->rowCount() - 1, 0));
}

std::vector<int> CombsTab::selectedRows() const
{
    return m_list->selectedRows();
}

int CombsTab::firstSelectedRow() const
{
    if (!m_list->hasSelectedRows())
        return -1;
    // The first row of the lowest range, without listing every selected row.
    int first = -1;
    for (const QItemSelectionRange& range : m_list->selectionModel()->selection())
        if (range.isValid() && (first < 0 || range.top() < first))
            first = range.top();
    return first;
}

bool CombsTab::hasSelection() const
{
    return m_list->hasSelectedRows();
}

void CombsTab::selectAll()
{
    m_list->selectAll();
}

void CombsTab::clearSelection()
{
    m_list->selectionModel()->clearSelection();
}

int CombsTab::excludeCount() const
{
    return m_exclude->value();
}

void CombsTab::setExcludeCount(int count)
{
    m_exclude->setValue(std::clamp(count, m_exclude->minimum(), m_exclude->maximum()));
}

void CombsTab::setFiltersHeight(int height)
{
    m_filtersHeight = std::max(kMinPaneHeight, height);
    // Before the page has a height of its own the list takes a nominal one;
    // the splitter gives the filters their height and the list the rest.
    const int total = std::max(m_splitter->height(), m_filtersHeight + 200);
    m_splitter->setSizes({total - m_filtersHeight, m_filtersHeight});
}

bool CombsTab::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_exclude && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // The typed text first: the command reads the value.
            m_exclude->interpretText();
            emit excludeEntered();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CombsTab::restoreListColumns(const IniStore& store, QStringView section)
{
    const ListState state =
        zircon::restoreListState(store.loadOrEmpty(), section, kCombsListName, m_list->listState(), false, false);
    m_list->applyColumnWidths(state.columnWidths);
    zircon::restoreListState(store, section, m_filters, kFiltersListName);
}

void CombsTab::saveListColumns(IniStore& store, QStringView section) const
{
    const ListState state = m_list->listState();
    store.update([&](IniFile& ini) { zircon::saveListState(ini, section, kCombsListName, state, false, false); });
    zircon::saveListState(store, section, m_filters, kFiltersListName);
}

}  // namespace zircon
