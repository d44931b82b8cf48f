#pragma once
// The commands of the draws list: add, edit and delete by hand, the sorted
// and coloured display, and the CSV import and export. They work on the
// workspace and read the list's selection; the main window only puts them in
// its menus and in the list's pop-up menu.
#include <QStringList>

class QWidget;

namespace zircon {

class ActionSet;
class DrawsTab;
class Workspace;

class DrawsCommands {
public:
    DrawsCommands(Workspace& workspace, DrawsTab& tab, QWidget* dialogParent);

    // Adds DrawsAdd, DrawsEdit, DrawsDel, DrawsSorted, ViewColorDraws,
    // DrawsImport and DrawsExport to the set.
    void addTo(ActionSet& actions);
    // The names of the commands in menu order; "-" stands for a separator.
    static QStringList menuOrder();

    void addDraw();
    void editDraw();
    void deleteDraws();
    void toggleSorted();
    void toggleColor();
    void importCsv();
    void exportCsv();

private:
    Workspace& m_ws;
    DrawsTab& m_tab;
    QWidget* m_parent;
};

}  // namespace zircon
