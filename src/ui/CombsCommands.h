#pragma once
// The commands of the combination list: generation, files, undo, the two
// removals, the clipboard, selection and the two questions about the list,
// and the channel colours. They work on the session's combination list and
// read the list's selection; the main window only puts them in its menu,
// the list's pop-up menu and the page's buttons.
#include <QString>
#include <QStringList>

#include "ui/FileDialogs.h"

class QWidget;

namespace zircon {

class ActionSet;
class CombCommands;
class CombsTab;
class Workspace;

class CombsCommands {
public:
    CombsCommands(Workspace& workspace, CombsTab& tab, QWidget* dialogParent);

    // Adds CombsGen, CombsOpen, CombsSave, CombsUndo, CombsDelExists,
    // CombsDelSelected, CombsCopy, CombsPaste, CombsSelectAll,
    // CombsCheckNums, CombsFindInDraws and ViewColorCombs to the set, and
    // binds the page's buttons and its Enter key to them.
    void addTo(ActionSet& actions);
    // The names of the commands in menu order; "-" stands for a separator.
    static QStringList menuOrder();

    // The open or save dialog of combination files.
    static FileDialogRequest combsFileRequest(bool save, const QString& title);

    void generate();
    void open();
    void save();
    void undo();
    void deleteExisting();
    void deleteSelected();
    void copy();
    void paste();
    void selectAll();
    void checkNumbers();
    void findInDraws();
    void toggleColor();

    static bool clipboardHasText();

private:
    CombCommands& combs();
    const CombCommands& combs() const;

    Workspace& m_ws;
    CombsTab& m_tab;
    QWidget* m_parent;
};

}  // namespace zircon
