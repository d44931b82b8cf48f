#include "shell/CombCommands.h"

#include <QFileInfo>

#include "core/Error.h"
#include "core/Format.h"
#include "core/IniFile.h"
#include "core/Tr.h"
#include "shell/Workspace.h"
#include "stats/StatTable.h"
#include "stats/TCustomStat.h"
#include "workbench/CombClipboard.h"
#include "workbench/CombFile.h"
#include "workbench/CombGeneration.h"
#include "workbench/CombRemoval.h"
#include "workbench/CombSearch.h"
#include "workbench/CombTexts.h"
#include "workbench/FilterCore.h"

namespace zircon {

CombCommands::CombCommands(Workspace& ws) : m_ws(ws) {}

void CombCommands::refresh()
{
    m_ws.host().setStatusText(3, combsCountText(m_bench.list().count()));
    if (m_refresher)
        m_refresher();
}

void CombCommands::failed(const QString& operationMessage, const QString& reason)
{
    m_ws.host().showMessage(MessageKind::Error, operationMessage.isEmpty() ? reason : operationMessage);
}

bool CombCommands::generate(uint8_t mode, const QString& parameter)
{
    CombsReadResult result;
    {
        BusyScope busy(m_ws.busyState(), m_ws.host(), generateCombsStatusText());
        try {
            result = GenerateCombs(m_bench.list(), mode, parameter);
        } catch (const std::exception& e) {
            failed(generateCombsErrorText(errorText(e)), {});
            refresh();
            return false;
        }
        m_filters.clear();
        m_bench.ClearUndo();
    }
    if (result.refused > 0)
        m_ws.host().showMessage(MessageKind::Warning, combsRefusedText(parameter, result));
    refresh();
    return true;
}

bool CombCommands::storeGenerationSettings(uint8_t mode, const QString& parameter)
{
    TStatList& list = m_ws.statList();
    list.GenerateMode = mode;
    list.GenerateParams = parameter.left(255);
    try {
        m_ws.settings().update([&](IniFile& ini) { list.SaveGenerateSettings(ini); });
    } catch (const std::exception& e) {
        failed(errorText(e), {});
        return false;
    }
    return true;
}

bool CombCommands::openFile(const QString& path)
{
    CombsReadResult result;
    {
        BusyScope busy(m_ws.busyState(), m_ws.host(), loadCombsStatusText(QFileInfo(path).fileName()));
        try {
            // The file is read whole before the list is touched, so a file
            // that cannot be read leaves the list, its undo copy and the
            // applied filters as they were.
            result = LoadCombsFile(path, m_bench.list());
        } catch (const std::exception& e) {
            failed(combsReadErrorText(path, errorText(e)), {});
            return false;
        }
        m_bench.ClearUndo();
        m_filters.clear();
    }
    if (result.refused > 0)
        m_ws.host().showMessage(MessageKind::Warning, combsRefusedText(path, result));
    refresh();
    return true;
}

bool CombCommands::saveFile(const QString& path)
{
    BusyScope busy(m_ws.busyState(), m_ws.host(), saveCombsStatusText(QFileInfo(path).fileName()));
    try {
        SaveCombsFile(path, m_bench.list());
    } catch (const std::exception& e) {
        failed(combsWriteErrorText(path, errorText(e)), {});
        return false;
    }
    return true;
}

bool CombCommands::undo()
{
    if (!m_bench.canUndo())
        return false;
    {
        BusyScope busy(m_ws.busyState(), m_ws.host(), restoreCombsStatusText());
        m_bench.RestoreCombs();
        m_filters.removeLast();
    }
    refresh();
    return true;
}

bool CombCommands::deleteSelected(const std::vector<int>& rows)
{
    if (rows.empty() || m_bench.list().empty())
        return false;
    {
        BusyScope busy(m_ws.busyState(), m_ws.host(), backupCombsStatusText());
        m_bench.BackupCombs();
        m_ws.host().setStatusText(kProgressPanel, deleteSelectedStatusText());
        deleteSelectedCombs(m_bench.undo(), m_bench.list(), rows);
        m_filters.add(tr("Выделенные комбинации"), QString::number(rows.size()), m_bench.list().count(),
                      FilterMark::Delete);
    }
    refresh();
    return true;
}

bool CombCommands::removeDrawCombs(int n)
{
    if (n <= 0 || m_bench.list().empty() || m_ws.archive().empty())
        return false;
    {
        BusyScope busy(m_ws.busyState(), m_ws.host(), backupCombsStatusText());
        m_bench.BackupCombs();
        m_ws.host().setStatusText(kProgressPanel, removeDrawsStatusText(n));
        RemoveDrawCombs(m_bench.undo(), m_bench.list(), m_ws.archive(), n, [&](size_t done, size_t total) {
            m_ws.host().setStatusText(kProgressPanel, removeDrawsProgressText(n, progressPercent(done, total)));
            m_ws.host().processEvents();
        });
        m_filters.add(tr("Последние тиражи"), QString::number(n), m_bench.list().count(), FilterMark::Delete);
    }
    refresh();
    return true;
}

QString CombCommands::copyText(const std::vector<int>& rows) const
{
    return combsClipboardText(m_bench.list(), rows);
}

bool CombCommands::paste(const QString& text)
{
    ClipboardCombs parsed;
    {
        BusyScope busy(m_ws.busyState(), m_ws.host(), pleaseWaitStatusText());
        parsed = parseClipboardCombs(text, m_bench.list().capacity());
    }
    if (parsed.lines == 0)
        return false;
    if (!parsed.ok()) {
        // Nothing was replaced: the list keeps what it held.
        failed(parsed.error, {});
        return false;
    }
    m_bench.list().assign(parsed.combs.data(), parsed.combs.size());
    m_filters.clear();
    m_bench.ClearUndo();
    refresh();
    return true;
}

QString CombCommands::uniqueNumbersMessage() const
{
    return uniqueNumbersText(UniqueNumberCount(m_bench.list()));
}

QString CombCommands::findInDrawsMessage(int row) const
{
    if (row < 0 || static_cast<size_t>(row) >= m_bench.list().count())
        return {};
    return findInDrawsText(findCombInDraws(m_ws.archive(), m_bench.list()[static_cast<size_t>(row)]));
}

bool CombCommands::filterByTableRows(int methodIndex, const StatTable& table, const std::vector<int>& rows,
                                     bool deleteMode, bool sorted)
{
    if (rows.empty() || m_bench.list().empty())
        return false;
    const TStatList& registry = m_ws.statList();
    if (methodIndex < 0 || methodIndex >= registry.Count())
        return false;
    const TStatDrawArray selection = table.selectedItems(rows);
    QStringList values;
    for (int row : rows)
        values.append(table.valueText(row));
    bool completed = false;
    {
        BusyScope busy(m_ws.busyState(), m_ws.host(), backupCombsStatusText());
        m_bench.BackupCombs();
        m_ws.host().setStatusText(kProgressPanel, tr("Фильтрация комбинаций..."));
        try {
            ProgressScope window(m_ws.progress(), tr("Фильтрация комбинаций..."), 100);
            std::unique_ptr<TCustomStat> stat = registry.CreateStat(methodIndex);
            ValueFilterPass pass;
            pass.end = filterWindowEnd(m_ws.archive().count(), m_ws.archive().drawsOffset());
            pass.sorted = sorted;
            pass.deleteMode = deleteMode;
            pass.progress = [&](size_t done, size_t total) {
                m_ws.progress().setPosition(total ? static_cast<int>(done * 100 / total) : 100);
                return !m_ws.progress().stopRequested();
            };
            const ValueFilterResult r =
                ApplyValueFilter(*stat, selection, registry.DisplayName(methodIndex, true), values.join(QStringLiteral("; ")),
                                 m_bench.undo().data(), m_bench.undo().count(), m_bench.list().data(), m_filters, pass);
            m_bench.list().setCount(r.kept);
            completed = r.completed;
        } catch (const std::exception& e) {
            // The pass restored the list from the undo copy before it threw.
            m_bench.list().copyFrom(m_bench.undo());
            failed(errorText(e), {});
        }
    }
    refresh();
    return completed;
}

}  // namespace zircon
