#pragma once
// The commands of the "Ставки" category: every way of adding stakes, the
// deletions, the check and the stake-log options. They work on the session's
// stakes, read the combination list's selection and the stakes grid's, and
// open the stake dialogs; the main window only puts them in its menu and the
// grid's pop-up menu.
#include <QStringList>

#include <functional>

class QWidget;

namespace zircon {

class ActionSet;
class CombsTab;
class StakesTab;
class Workspace;
struct MainFormKeys;
struct StakeRecord;

class StakesCommands {
public:
    StakesCommands(Workspace& workspace, CombsTab& combs, StakesTab& stakes, MainFormKeys& keys,
                   QWidget* dialogParent);

    void addTo(ActionSet& actions);
    static QStringList menuOrder();

    // "StakeAdd" for a row of the combination list (the double click).
    void addForRow(int row);
    void add();
    void addRandom();
    void addSelected();
    void addAll();
    void deleteSelected();
    void deleteByCondition();
    void clear();
    void checkManual();

private:
    void addThroughDialog(const StakeRecord& prepared);

    Workspace& m_ws;
    CombsTab& m_combs;
    StakesTab& m_stakes;
    MainFormKeys& m_keys;
    QWidget* m_parent;
};

}  // namespace zircon
