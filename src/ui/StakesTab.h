#pragma once
// The "Ставки" page of the right page control: the stakes grid `sgStakes`
// over the session's stakes, with whole-row range selection and its pop-up
// menu of the stake commands.
#include <QWidget>

#include <optional>
#include <utility>

class QAction;
class QTableView;

namespace zircon {

class StakeCommands;
class StakesModel;

class StakesTab : public QWidget {
    Q_OBJECT
public:
    explicit StakesTab(StakeCommands& stakes, QWidget* parent = nullptr);

    QTableView* grid() const { return m_grid; }
    StakesModel* model() const { return m_model; }
    void setPopupActions(const QList<QAction*>& actions);

    // The grid's part of a refresh: the row count when either flag is set,
    // the last row selected with `scrollToEnd`, a repaint otherwise.
    void refreshGrid(bool updateRows, bool scrollToEnd);
    // The selected grid rows as 1-based record positions first..last (the
    // header counts as row 0); nullopt when the selection holds no record.
    std::optional<std::pair<int, int>> selectedRecordRows() const;

private:
    StakeCommands& m_stakes;
    StakesModel* m_model = nullptr;
    QTableView* m_grid = nullptr;
};

}  // namespace zircon
