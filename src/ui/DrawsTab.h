#pragma once
// The draws page of the left page control: the list `lvDraws` over the
// archive, newest first, and the spin edit `edDrawsOffset` that moves the
// current draw back. Its pop-up menu carries the draws commands.
#include <QWidget>

#include <vector>

class QAction;
class QSpinBox;
class QTreeView;

namespace zircon {

class DrawsModel;
class Workspace;

class DrawsTab : public QWidget {
    Q_OBJECT
public:
    explicit DrawsTab(Workspace& workspace, QWidget* parent = nullptr);

    QTreeView* list() const { return m_list; }
    QSpinBox* offsetEdit() const { return m_offset; }
    DrawsModel* model() const { return m_model; }

    void setPopupActions(const QList<QAction*>& actions);

    // The list part of the archive refresh: row count or repaint, the
    // current-draw highlight, and the offset's range (0 .. count - 1).
    void refreshList(bool force);
    // The upper bound of the offset as the archive gives it: count - 1, so -1
    // for an empty archive (the spin edit itself then stays at 0..0).
    int offsetUpperBound() const;

    // Selected rows (newest first numbering), ascending; -1 when none.
    std::vector<int> selectedRows() const;
    int firstSelectedRow() const;
    void clearSelection();

signals:
    // A double click on a row.
    void rowActivated(int row);

private:
    void offsetEdited(int value);

    Workspace& m_ws;
    DrawsModel* m_model = nullptr;
    QTreeView* m_list = nullptr;
    QSpinBox* m_offset = nullptr;
    bool m_showingOffset = false;
};

}  // namespace zircon
