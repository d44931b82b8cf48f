#include "ui/StakesCommands.h"

#include <QDialog>

#include "core/MainFormKeys.h"
#include "core/Tr.h"
#include "shell/StakeCommands.h"
#include "shell/Workspace.h"
#include "ui/ActionSet.h"
#include "ui/CombsTab.h"
#include "ui/DialogRunner.h"
#include "ui/StakesTab.h"
#include "ui/TFormMulti.h"
#include "ui/TFormStake.h"
#include "ui/TFormStakeFilter.h"

namespace zircon {

StakesCommands::StakesCommands(Workspace& workspace, CombsTab& combs, StakesTab& stakes, MainFormKeys& keys,
                               QWidget* dialogParent)
    : m_ws(workspace), m_combs(combs), m_stakes(stakes), m_keys(keys), m_parent(dialogParent)
{
}

QStringList StakesCommands::menuOrder()
{
    return {QStringLiteral("StakeAdd"),        QStringLiteral("StakeAddRandom"), QStringLiteral("StakeAddSelected"),
            QStringLiteral("StakeAddAll"),     QStringLiteral("-"),              QStringLiteral("StakeDel"),
            QStringLiteral("StakeFilter"),     QStringLiteral("StakeClear"),     QStringLiteral("-"),
            QStringLiteral("StakesCheckManual"), QStringLiteral("-"),            QStringLiteral("StakesScroll"),
            QStringLiteral("LogStakes"),       QStringLiteral("LogStakesDelete"), QStringLiteral("StakesCheckLine")};
}

void StakesCommands::addTo(ActionSet& actions)
{
    StakeCommands& s = m_ws.stakes();
    auto open = [&s] { return s.isOpen(); };
    auto listHas = [this, &s] { return s.isOpen() && !m_ws.combs().list().empty(); };
    auto records = [&s] { return s.hasRecords(); };
    actions.add({"StakeAdd", ZT("Сделать ставку"), ZT("Сделать ставку"), QKeySequence(Qt::Key_F4), open,
                 [this] { add(); }, {}});
    actions.add({"StakeAddRandom", ZT("Сделать случайную ставку"), ZT("Сделать случайную ставку"),
                 QKeySequence(Qt::CTRL | Qt::Key_F4), listHas, [this] { addRandom(); }, {}});
    actions.add({"StakeAddSelected", ZT("Сделать ставки для выделенных комбинаций"),
                 ZT("Сделать ставки для выделенных комбинаций"), QKeySequence(Qt::ALT | Qt::Key_F4),
                 [this, &s] { return s.isOpen() && m_combs.hasSelection(); }, [this] { addSelected(); }, {}});
    actions.add({"StakeAddAll", ZT("Сделать ставки для всех комбинаций"), ZT("Сделать ставки для всех комбинаций"),
                 QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_F4), listHas, [this] { addAll(); }, {}});
    actions.add({"StakeDel", ZT("Удалить ставку"), ZT("Удалить ставку"), QKeySequence(Qt::CTRL | Qt::Key_Delete),
                 [this, &s] { return s.hasRecords() && m_stakes.selectedRecordRows().has_value(); },
                 [this] { deleteSelected(); }, {}});
    actions.add({"StakeFilter", ZT("Удалить по условию"), ZT("Удалить по условию"), QKeySequence(Qt::ALT | Qt::Key_D),
                 records, [this] { deleteByCondition(); }, {}});
    actions.add({"StakeClear", ZT("Удалить все ставки"), ZT("Удалить все ставки"),
                 QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_Delete), records, [this] { clear(); }, {}});
    actions.add({"StakesCheckManual", ZT("Проверить ставки"), ZT("Выполнить проверку ставок по архиву тиражей"),
                 QKeySequence(Qt::CTRL | Qt::Key_F5), records, [this] { checkManual(); }, {}});
    actions.add({"StakesScroll", ZT("Прокручивать список при добавлении"),
                 ZT("Прокручивать список ставок при добавлении новой ставки"), QKeySequence(), {},
                 [this, &s] {
                     m_keys.stakesScrollEnabled = !m_keys.stakesScrollEnabled;
                     s.setScrollEnabled(m_keys.stakesScrollEnabled);
                     storeMainFormToggle(m_ws.formState(), mainform::kStakesScrollEnabled, m_keys.stakesScrollEnabled);
                 },
                 [this] { return m_keys.stakesScrollEnabled; }});
    actions.add({"LogStakes", ZT("Журналы ставок"), ZT("Создавать текстовые файлы журналов ставок"), QKeySequence(),
                 {},
                 [this, &s] {
                     m_keys.stakesLogEnabled = !m_keys.stakesLogEnabled;
                     s.setLogEnabled(m_keys.stakesLogEnabled);
                     storeMainFormToggle(m_ws.formState(), mainform::kStakesLogEnabled, m_keys.stakesLogEnabled);
                 },
                 [this] { return m_keys.stakesLogEnabled; }});
    actions.add({"LogStakesDelete", ZT("Удалить журналы ставок"), ZT("Удалить имеющиеся файлы журналов ставок"),
                 QKeySequence(), {}, [&s] { s.deleteLogs(); }, {}});
    actions.add({"StakesCheckLine", ZT("Проверять ставки после каждой строки сценария"),
                 ZT("Проверять ставки после каждой строки сценария"), QKeySequence(), {},
                 [this] {
                     m_keys.stakesCheckOnLine = !m_keys.stakesCheckOnLine;
                     storeMainFormToggle(m_ws.formState(), mainform::kStakesCheckOnLine, m_keys.stakesCheckOnLine);
                 },
                 [this] { return m_keys.stakesCheckOnLine; }});
}

void StakesCommands::addThroughDialog(const StakeRecord& prepared)
{
    TFormStake dialog(m_ws.host(), m_parent);
    dialog.setStake(prepared, 1);
    if (runDialog(dialog) != QDialog::Accepted)
        return;
    m_ws.stakes().addManual(dialog.stake(), dialog.drawsCount());
}

void StakesCommands::addForRow(int row)
{
    if (!m_ws.stakes().isOpen())
        return;
    const CombList& list = m_ws.combs().list();
    const bool valid = row >= 0 && static_cast<size_t>(row) < list.count();
    addThroughDialog(m_ws.stakes().prepareManual(valid ? &list[static_cast<size_t>(row)] : nullptr));
}

void StakesCommands::add()
{
    addForRow(m_combs.firstSelectedRow());
}

void StakesCommands::addRandom()
{
    if (const std::optional<StakeRecord> prepared = m_ws.stakes().prepareRandom())
        addThroughDialog(*prepared);
}

void StakesCommands::addSelected()
{
    TFormMulti dialog(m_ws.host(), m_parent);
    dialog.setEntry(m_ws.stakes().prepareMulti());
    if (runDialog(dialog) != QDialog::Accepted)
        return;
    std::vector<size_t> rows;
    for (int r : m_combs.selectedRows())
        if (r >= 0)
            rows.push_back(static_cast<size_t>(r));
    if (m_ws.stakes().addSelected(rows, dialog.entry()))
        m_combs.clearSelection();
}

void StakesCommands::addAll()
{
    TFormMulti dialog(m_ws.host(), m_parent);
    dialog.setEntry(m_ws.stakes().prepareMulti());
    if (runDialog(dialog) != QDialog::Accepted)
        return;
    m_ws.stakes().addAll(dialog.entry());
}

void StakesCommands::deleteSelected()
{
    if (const auto rows = m_stakes.selectedRecordRows())
        m_ws.stakes().deleteRows(rows->first, rows->second);
}

void StakesCommands::deleteByCondition()
{
    TFormStakeFilter dialog(m_parent);
    if (runDialog(dialog) != QDialog::Accepted)
        return;
    m_ws.stakes().deleteWhere(dialog.condition());
}

void StakesCommands::clear()
{
    m_ws.stakes().clear();
}

void StakesCommands::checkManual()
{
    m_ws.stakes().checkManual();
}

}  // namespace zircon
