#pragma once
// The combinations page of the left page control: the list `lvCombs` over
// the session's combination list, the applied-filters list `lvFilters` below
// it in a splitter, the spin edit `edCombsExclude` with the number of newest
// draws to remove, and the buttons "Новый" and "[-] Тиражи". Its pop-up menu
// and buttons carry the combination commands.
#include <QStringView>
#include <QWidget>

#include <functional>
#include <vector>

class QAction;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTreeView;

namespace zircon {

class AppliedFiltersModel;
class CombCommands;
class CombsListView;
class CombsModel;
class IniStore;

class CombsTab : public QWidget {
    Q_OBJECT
public:
    explicit CombsTab(CombCommands& combs, QWidget* parent = nullptr);
    ~CombsTab() override;

    CombsListView* list() const { return m_list; }
    QTreeView* filtersList() const { return m_filters; }
    QSpinBox* excludeEdit() const { return m_exclude; }
    QPushButton* generateButton() const { return m_generate; }
    QPushButton* delExistsButton() const { return m_delExists; }
    QSplitter* splitter() const { return m_splitter; }
    CombsModel* model() const { return m_model; }
    AppliedFiltersModel* filtersModel() const { return m_filtersModel; }

    void setPopupActions(const QList<QAction*>& actions);
    // The buttons run these commands and follow their enabled state.
    void bindButtons(QAction* generate, QAction* delExists);

    // The view part of every list change (the session calls it after each
    // one and sets status panel 3 itself): the row count or a repaint, and
    // the applied-filters rows.
    void refreshList();

    // Selected rows of the list, ascending; -1 when none.
    std::vector<int> selectedRows() const;
    int firstSelectedRow() const;
    bool hasSelection() const;
    void selectAll();
    void clearSelection();

    // "DrawsExclude": the number of newest draws "[-] Тиражи" removes.
    int excludeCount() const;
    void setExcludeCount(int count);
    // "FiltersHeight": the height of the applied-filters list.
    int filtersHeight() const { return m_filtersHeight; }
    void setFiltersHeight(int height);

    // The columns of both lists in the main window's section of the
    // form-state file. Restoring throws Error for a stored sort column
    // outside a list's columns.
    void restoreListColumns(const IniStore& store, QStringView section);
    void saveListColumns(IniStore& store, QStringView section) const;

    // A double click on a row; empty until the stakes take it.
    void setRowActivatedHook(std::function<void(int row)> hook) { m_rowActivated = std::move(hook); }

signals:
    // Enter in `edCombsExclude`.
    void excludeEntered();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CombCommands& m_combs;
    CombsModel* m_model = nullptr;
    AppliedFiltersModel* m_filtersModel = nullptr;
    CombsListView* m_list = nullptr;
    QTreeView* m_filters = nullptr;
    QSplitter* m_splitter = nullptr;
    QSpinBox* m_exclude = nullptr;
    QPushButton* m_generate = nullptr;
    QPushButton* m_delExists = nullptr;
    int m_filtersHeight = 127;
    std::function<void(int)> m_rowActivated;
};

}  // namespace zircon
