#include "shell/StakeCommands.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QStringList>

#include <algorithm>
#include <limits>

#include "core/Error.h"
#include "core/Format.h"
#include "core/Tr.h"
#include "shell/FileOperations.h"
#include "shell/StakesColumns.h"
#include "shell/Workspace.h"

namespace zircon {
namespace {

// The grid follows a long bulk addition a few times a second, not once per
// combination: a million stakes stay a matter of seconds.
constexpr qint64 kGridRefreshMs = 250;

QString addFailureText()
{
    return tr("Ошибка добавления записи в файл ставок!\r\r%s");
}

QString deleteFailureText()
{
    return tr("Ошибка удаления записи из файла ставок!\r\r%s");
}

QString notOpenText()
{
    return tr("Файл ставок не открыт!");
}

}  // namespace

StakeCommands::StakeCommands(Workspace& ws) : m_ws(ws) {}

StakeCommands::~StakeCommands()
{
    detach();
}

bool StakeCommands::attach()
{
    BusyScope busy(m_ws.busyState(), m_ws.host(), tr("Загрузка файла ставок..."));
    m_file.reset();
    m_shownCount = -1;
    try {
        if (!m_ws.stakesFile().isOpen())
            throw Error(notOpenText());
        m_file = std::make_unique<StakesFile>(m_ws.stakesFile());
        const StakesStartupReport report = m_file->checkAtStartUp();
        const QString warning = report.warning();
        if (!warning.isEmpty())
            m_ws.host().showMessage(MessageKind::Warning, warning);
    } catch (const std::exception& e) {
        m_file.reset();
        m_ws.showFailure(tr("Ошибка чтения файла ставок!\r\r%s"), errorText(e));
        return false;
    }
    m_log = std::make_unique<StakeLog>(m_ws.paths().dir);
    refresh(true, false);
    return true;
}

void StakeCommands::detach()
{
    if (!m_file)
        return;
    try {
        if (m_file->isOpen())
            m_file->sync();
    } catch (const std::exception& e) {
        m_ws.showFailure(tr("Ошибка записи в файл ставок!\r\r%s"), errorText(e));
    }
    m_file.reset();
}

bool StakeCommands::isOpen() const
{
    return m_file && m_file->isOpen();
}

int StakeCommands::count()
{
    if (!isOpen())
        return 0;
    try {
        return m_file->count();
    } catch (const std::exception&) {
        return 0;
    }
}

StakeRecord StakeCommands::record(int index)
{
    if (!isOpen())
        return StakeRecord::separator();
    try {
        return m_file->read(index);
    } catch (const std::exception&) {
        return StakeRecord::separator();
    }
}

int32_t StakeCommands::nextDrawNumber() const
{
    const DrawArchive& archive = m_ws.archive();
    return archive.NextDrawNumber(archive.drawsOffset());
}

StakeRecord StakeCommands::prepareManual(const TComb* chosen) const
{
    return prepareManualStake(nextDrawNumber(), static_cast<int32_t>(m_ws.combs().list().count()), chosen,
                              m_ws.statList());
}

std::optional<StakeRecord> StakeCommands::prepareRandom() const
{
    const CombList& list = m_ws.combs().list();
    if (list.empty())
        return std::nullopt;
    const size_t at = randomCombIndex(list.count(), *QRandomGenerator::global());
    return prepareManual(&list[at]);
}

MultiStakeEntry StakeCommands::prepareMulti() const
{
    return {nextDrawNumber(), 1, manualStakeComment()};
}

bool StakeCommands::addManual(const StakeRecord& record, int draws)
{
    bool ok = false;
    {
        BusyScope busy(m_ws.busyState(), m_ws.host(), tr("Создание ставки..."));
        try {
            if (!isOpen())
                throw Error(notOpenText());
            addStakes(*m_file, record, draws);
            ok = true;
        } catch (const std::exception& e) {
            m_ws.showFailure(addFailureText(), errorText(e));
        }
    }
    if (ok)
        checkAndRefresh();
    refresh(true, ok);
    return ok;
}

std::optional<StakeAddResult> StakeCommands::addAll(const MultiStakeEntry& entry)
{
    const CombList& list = m_ws.combs().list();
    return addBulk(list.data(), list.count(), nullptr, entry);
}

std::optional<StakeAddResult> StakeCommands::addSelected(const std::vector<size_t>& rows,
                                                         const MultiStakeEntry& entry)
{
    const CombList& list = m_ws.combs().list();
    return addBulk(list.data(), list.count(), &rows, entry);
}

std::optional<StakeAddResult> StakeCommands::addCombs(const TComb* combs, size_t count, const MultiStakeEntry& entry)
{
    return addBulk(combs, count, nullptr, entry);
}

std::optional<StakeAddResult> StakeCommands::addBulk(const TComb* combs, size_t count,
                                                     const std::vector<size_t>* rows, const MultiStakeEntry& entry)
{
    std::optional<StakeAddResult> result;
    {
        BusyScope busy(m_ws.busyState(), m_ws.host(), tr("Создание ставок..."));
        try {
            if (!isOpen())
                throw Error(notOpenText());
            BulkStakeSettings settings;
            settings.kind = StakeKind::Manual;
            settings.drawNumber = entry.drawNumber;
            settings.draws = entry.draws;
            settings.listSize = static_cast<int32_t>(
                std::min<size_t>(m_ws.combs().list().count(), static_cast<size_t>(std::numeric_limits<int32_t>::max())));
            settings.comment = entry.comment;
            const size_t total = rows ? rows->size() : count;
            const int maximum = static_cast<int>(std::min<size_t>(total, static_cast<size_t>(std::numeric_limits<int>::max())));
            ProgressScope window(m_ws.progress(), tr("Создание ставок..."), maximum);
            QElapsedTimer sinceGrid;
            sinceGrid.start();
            const StakeProgress progress = [&](size_t done, size_t) {
                m_ws.progress().setPosition(static_cast<int>(std::min<size_t>(done, static_cast<size_t>(maximum))));
                if (sinceGrid.elapsed() >= kGridRefreshMs) {
                    m_file->flush();
                    refresh(true, m_scrollEnabled);
                    m_ws.host().processEvents();
                    sinceGrid.restart();
                }
                return !m_ws.progress().stopRequested();
            };
            if (rows)
                result = addSelectedStakes(*m_file, combs, count, *rows, settings, m_ws.statList(), progress);
            else
                result = addBulkStakes(*m_file, combs, count, settings, m_ws.statList(), progress);
        } catch (const std::exception& e) {
            m_ws.showFailure(addFailureText(), errorText(e));
        }
    }
    if (result && result->added > 0)
        checkAndRefresh();
    refresh(true, result.has_value());
    return result;
}

bool StakeCommands::deleteRows(int first, int last)
{
    if (!isOpen() || first < 1 || last < first)
        return false;
    const int records = count();
    const int selected = std::min(last, records) - first + 1;
    if (selected <= 0)
        return false;
    if (!m_ws.host().showMessage(MessageKind::Question, deleteConfirmationText(selected), true))
        return false;
    bool ok = false;
    {
        BusyScope busy(m_ws.busyState(), m_ws.host(), tr("Удаление ставок..."));
        try {
            deleteStakeRows(*m_file, first, last);
            ok = true;
        } catch (const std::exception& e) {
            m_ws.showFailure(deleteFailureText(), errorText(e));
        }
    }
    checkAndRefresh();
    refresh(true, false);
    return ok;
}

std::optional<int> StakeCommands::deleteWhere(const StakeFilterCondition& condition)
{
    std::optional<int> removed;
    {
        BusyScope busy(m_ws.busyState(), m_ws.host(), tr("Удаление ставок..."));
        try {
            if (!isOpen())
                throw Error(notOpenText());
            removed = deleteStakesWhere(*m_file, condition);
        } catch (const std::exception& e) {
            m_ws.showFailure(deleteFailureText(), errorText(e));
        }
    }
    checkAndRefresh();
    refresh(true, false);
    return removed;
}

bool StakeCommands::clear()
{
    const int records = count();
    if (records <= 0)
        return false;
    if (!m_ws.host().showMessage(MessageKind::Question, deleteConfirmationText(records), true))
        return false;
    bool ok = false;
    {
        BusyScope busy(m_ws.busyState(), m_ws.host(), tr("Удаление ставок..."));
        try {
            m_file->clear();
            ok = true;
        } catch (const std::exception& e) {
            m_ws.showFailure(deleteFailureText(), errorText(e));
        }
    }
    refresh(true, false);
    if (ok && m_ratingsRefresher)
        m_ratingsRefresher(true);
    return ok;
}

std::optional<StakeCheckResult> StakeCommands::check()
{
    if (!isOpen())
        return std::nullopt;
    std::optional<StakeCheckResult> result;
    QString logFailure;
    {
        BusyScope busy(m_ws.busyState(), m_ws.host(), tr("Проверка результатов ставок..."));
        try {
            if (!m_file->hasRecords())
                return StakeCheckResult{};
            StakeCheckOptions options;
            if (m_ratingsHook)
                options.onChecked = m_ratingsHook;
            options.log = m_logEnabled ? m_log.get() : nullptr;
            options.progress = [this](int percent) {
                m_ws.host().setStatusText(kProgressPanel, stakeCheckProgressText(percent));
                m_ws.host().processEvents();
            };
            result = checkStakes(*m_file, m_ws.archive().draws(), m_ws.statList(), options);
            logFailure = result->logFailure;
        } catch (const std::exception& e) {
            m_ws.showFailure(tr("Ошибка проверки ставок!\r\r%s"), errorText(e));
        }
    }
    // Shown once per check, however many lines were lost.
    if (!logFailure.isEmpty())
        m_ws.host().showMessage(MessageKind::Error, logFailure);
    if (result && result->damaged > 0)
        m_ws.host().showMessage(
            MessageKind::Warning,
            fmt(tr("Записей файла ставок, которые не удалось прочитать: %d (первая - №%d); они не проверены."),
                result->damaged, result->firstDamaged + 1));
    return result;
}

int StakeCommands::checkAndRefresh()
{
    const std::optional<StakeCheckResult> result = check();
    const int checked = result ? result->checked : 0;
    if (checked > 0 && m_ratingsRefresher)
        m_ratingsRefresher(false);
    return checked;
}

int StakeCommands::checkManual()
{
    const int checked = checkAndRefresh();
    refresh(true, false);
    return checked;
}

int StakeCommands::deleteLogs()
{
    const QString dir = m_ws.paths().dir;
    if (QDir(dir).entryList({StakeLog::filePattern()}, QDir::Files).isEmpty()) {
        m_ws.host().showMessage(MessageKind::Information, tr("Файлы журналов не найдены!"));
        return 0;
    }
    QStringList details;
    FileOperationSummary summary;
    {
        BusyScope busy(m_ws.busyState(), m_ws.host(), tr("Поиск файлов журналов..."));
        FileOperations operations([&](const QString& text) {
            details.append(text);
            m_ws.host().viewerMessage(tr("Удаление журналов ставок"), text, 0xFF0000);
        });
        summary = operations.deleteFiles(dir, StakeLog::filePattern(), tr("Удаление журналов ставок"));
    }
    QString text = summary.text();
    if (!details.isEmpty())
        text += QStringLiteral("\r\r") + details.join(QStringLiteral("\r"));
    m_ws.host().showMessage(summary.clean() && summary.processed == summary.total ? MessageKind::Information
                                                                                 : MessageKind::Warning,
                            text);
    return summary.processed;
}

void StakeCommands::refresh(bool updateRows, bool scrollToEnd)
{
    const int records = count();
    showStatusCount(records, false);
    if (m_gridRefresher)
        m_gridRefresher(updateRows, scrollToEnd);
}

void StakeCommands::showStatusCount(int records, bool force)
{
    if (!force && records == m_shownCount)
        return;
    m_shownCount = records;
    m_ws.host().setStatusText(kStakesPanel, stakesCountText(records));
}

}  // namespace zircon
