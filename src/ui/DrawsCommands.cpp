#include "ui/DrawsCommands.h"

#include "core/MainFormKeys.h"
#include "core/Tr.h"
#include "shell/Workspace.h"
#include "ui/ActionSet.h"
#include "ui/DrawsModel.h"
#include "ui/DrawsTab.h"
#include "ui/FileDialogs.h"
#include "ui/DialogRunner.h"
#include "ui/TFormDraw.h"

namespace zircon {

namespace {

const char* const kDrawsFilter = ZT("Файлы тиражей (*.csv)");

}  // namespace

DrawsCommands::DrawsCommands(Workspace& workspace, DrawsTab& tab, QWidget* dialogParent)
    : m_ws(workspace), m_tab(tab), m_parent(dialogParent)
{
}

QStringList DrawsCommands::menuOrder()
{
    return {QStringLiteral("DrawsAdd"),      QStringLiteral("DrawsEdit"),      QStringLiteral("DrawsDel"),
            QStringLiteral("-"),             QStringLiteral("DrawsSorted"),    QStringLiteral("ViewColorDraws"),
            QStringLiteral("-"),             QStringLiteral("DrawsImport"),    QStringLiteral("DrawsExport")};
}

void DrawsCommands::addTo(ActionSet& actions)
{
    actions.add({"DrawsAdd", ZT("Добавить"), ZT("Добавить данные тиража вручную"), QKeySequence(), {},
                 [this] { addDraw(); }, {}});
    actions.add({"DrawsEdit", ZT("Изменить"), ZT("Изменить данные тиража вручную"), QKeySequence(),
                 [this] { return m_tab.firstSelectedRow() >= 0; }, [this] { editDraw(); }, {}});
    actions.add({"DrawsDel", ZT("Удалить"), ZT("Удалить выделенные тиражи из списка"), QKeySequence(),
                 [this] { return !m_tab.selectedRows().empty(); }, [this] { deleteDraws(); }, {}});
    actions.add({"DrawsSorted", ZT("Упорядочить MIN->MAX"), ZT("Упорядочить числа внутри тиража от меньшего к большему"),
                 QKeySequence(), {}, [this] { toggleSorted(); }, [this] { return m_tab.model()->sortedDraws(); }});
    actions.add({"ViewColorDraws", ZT("Выделять каналы в списке тиражей"), ZT("Выделять цветами каналы в списке тиражей"),
                 QKeySequence(), {}, [this] { toggleColor(); }, [this] { return m_tab.model()->colorDraws(); }});
    actions.add({"DrawsImport", ZT("Импорт из CSV-файла"), ZT("Импорт списка тиражей из CSV-файла"), QKeySequence(), {},
                 [this] { importCsv(); }, {}});
    actions.add({"DrawsExport", ZT("Экспорт в CSV-файл"), ZT("Экспорт списка тиражей в CSV-файл"), QKeySequence(),
                 [this] { return !m_ws.archive().empty(); }, [this] { exportCsv(); }, {}});
}

void DrawsCommands::addDraw()
{
    TDraw draw;
    draw.number = m_ws.archive().NextDrawNumber(0);
    TFormDraw dialog(m_ws.host(), m_parent);
    dialog.setWindowTitle(tr("Введите данные следующего тиража"));
    dialog.setDraw(draw);
    if (runDialog(dialog) != QDialog::Accepted)
        return;
    m_ws.addDraw(dialog.draw());
}

void DrawsCommands::editDraw()
{
    const int row = m_tab.firstSelectedRow();
    if (!m_ws.archive().rowValid(row))
        return;
    const int index = m_ws.archive().rowToIndex(row);
    TFormDraw dialog(m_ws.host(), m_parent);
    dialog.setWindowTitle(tr("Введите данные следующего тиража"));
    dialog.setDraw(m_ws.archive().draws()[static_cast<size_t>(index)]);
    if (runDialog(dialog) != QDialog::Accepted)
        return;
    m_ws.replaceDraw(index, dialog.draw());
}

void DrawsCommands::deleteDraws()
{
    const auto rows = m_tab.selectedRows();
    if (rows.empty())
        return;
    if (m_ws.deleteDrawRows(rows))
        m_tab.clearSelection();
}

void DrawsCommands::toggleSorted()
{
    const bool on = !m_tab.model()->sortedDraws();
    // Stored first: when the file cannot be written the option stays as it was.
    storeMainFormToggle(m_ws.formState(), mainform::kSortedDraws, on);
    m_tab.model()->setSortedDraws(on);
    m_ws.refreshAllViews(true);
}

void DrawsCommands::toggleColor()
{
    const bool on = !m_tab.model()->colorDraws();
    storeMainFormToggle(m_ws.formState(), mainform::kColorDraws, on);
    m_tab.model()->setColorDraws(on);
}

void DrawsCommands::importCsv()
{
    const QString file = chooseFile(m_parent, {false, tr("Импорт из CSV-файла"), tr(kDrawsFilter), QStringLiteral("csv")});
    if (file.isEmpty())
        return;
    m_ws.importDrawsCsv(file);
}

void DrawsCommands::exportCsv()
{
    const QString file = chooseFile(m_parent, {true, tr("Экспорт в CSV-файл"), tr(kDrawsFilter), QStringLiteral("csv")});
    if (file.isEmpty())
        return;
    m_ws.exportDrawsCsv(file);
}

}  // namespace zircon
