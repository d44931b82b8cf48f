#include "shell/Workspace.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include "core/AtomicFile.h"
#include "core/Error.h"
#include "core/Format.h"
#include "core/IniFile.h"
#include "core/Tr.h"
#include "stats/ConfigEditing.h"

namespace zircon {

Workspace::Workspace(const QString& dataDir, Host& host)
    : m_host(host),
      m_paths(dataDir),
      m_busy(host),
      m_progress(host),
      m_settings(m_paths.ini),
      m_formState(m_paths.frm),
      m_combs(*this),
      m_stakes(*this)
{
    m_statList.setDraws(&m_archive.draws());
}

bool Workspace::loadEngineSettings()
{
    BusyScope busy(m_busy, m_host, tr("Загрузка файла конфигурации..."));
    try {
        const IniFile ini = m_settings.load();
        m_statList.LoadGenerateSettings(ini);
        m_statList.LoadConfig(ini);
        m_statList.LoadShredding(ini);
        return true;
    } catch (const std::exception& e) {
        showFailure(tr("Ошибка чтения файла конфигурации!\r\r%s"), errorText(e));
        return false;
    }
}

bool Workspace::saveEngineSettings()
{
    try {
        m_settings.update([&](IniFile& ini) {
            m_statList.SaveConfig(ini);
            m_statList.SaveGenerateSettings(ini);
            m_statList.SaveShredding(ini);
        });
        return true;
    } catch (const std::exception& e) {
        showFailure(tr("Ошибка записи файла конфигурации!\r\r%s"), errorText(e));
        return false;
    }
}

std::set<int> Workspace::applyConfig(const TConfigData& config)
{
    const std::set<int> stale = staleGroups(m_statList.Config, config);
    m_statList.Config = config;
    saveEngineSettings();
    rebuildRegistry();
    uint32_t mask = 0;
    for (int g : stale)
        mask |= 1u << g;
    if (mask)
        createPrefetchFiles(false, mask);
    refreshAllViews(true);
    return stale;
}

ShreddingSettings Workspace::shreddingSettings() const
{
    ShreddingSettings s;
    s.formulas = {m_statList.Formula1, m_statList.Formula2, m_statList.Formula3};
    s.digits = {m_statList.Formula1Digits, m_statList.Formula2Digits, m_statList.Formula3Digits};
    return s;
}

bool Workspace::applyShredding(const ShreddingSettings& settings)
{
    // The dialog offers 1..5 only; the settings file keeps no other count.
    const auto digits = [](int d) { return static_cast<uint8_t>(std::clamp(d, 1, 5)); };
    m_statList.Formula1 = settings.formulas[0];
    m_statList.Formula2 = settings.formulas[1];
    m_statList.Formula3 = settings.formulas[2];
    m_statList.Formula1Digits = digits(settings.digits[0]);
    m_statList.Formula2Digits = digits(settings.digits[1]);
    m_statList.Formula3Digits = digits(settings.digits[2]);
    bool saved = true;
    {
        BusyScope busy(m_busy, m_host, tr("Сохранение файла конфигурации..."));
        try {
            m_settings.update([&](IniFile& ini) { m_statList.SaveShredding(ini); });
        } catch (const std::exception& e) {
            saved = false;
            showFailure(tr("Ошибка записи в файл конфигурации!\r\r%s"), errorText(e));
        }
    }
    createPrefetchFiles(false, 1u << kShreddingGroup);
    rebuildRegistry();
    return saved;
}

std::optional<PrefetchSource> Workspace::openPrefetch(int methodIndex)
{
    if (methodIndex < 0 || methodIndex >= m_statList.Count() || !m_statList.HasNorm(methodIndex))
        return std::nullopt;
    const QString path = m_paths.prefetchFile(m_statList.ItemCode(methodIndex));
    BusyScope busy(m_busy, m_host);
    try {
        std::optional<ProgressScope> window;
        PrefetchCallbacks callbacks;
        callbacks.status = [&](const QString& text) {
            m_host.setStatusText(kProgressPanel, text);
            if (!window)
                window.emplace(m_progress, text, 100);
        };
        callbacks.progress = [&](int done, int total) {
            if (window && total > 0)
                m_progress.setPosition(static_cast<int>(static_cast<long long>(done) * 100 / total));
            return !m_progress.stopRequested();
        };
        return zircon::openPrefetch(m_statList, methodIndex, path, callbacks);
    } catch (const std::exception& e) {
        m_host.showMessage(MessageKind::Error, errorText(e));
        return std::nullopt;
    }
}

PrefetchFilesReport Workspace::createPrefetchFiles(bool force, uint32_t groupMask)
{
    PrefetchFilesReport report;
    if (!force && !m_prefetchsEnabled)
        return report;
    BusyScope busy(m_busy, m_host, tr("Создание файлов для полного набора комбинаций..."));
    try {
        ProgressScope window(m_progress, tr("Создание файлов для полного набора комбинаций..."), m_statList.Count());
        PrefetchCallbacks callbacks;
        callbacks.status = [&](const QString& text) { m_progress.setText(text); };
        callbacks.progress = [&](int, int) {
            m_host.processEvents();
            return !m_progress.stopRequested();
        };
        report = zircon::createPrefetchFiles(m_statList, m_paths, groupMask, callbacks, [&](int done, int) {
            m_progress.setPosition(done);
            return !m_progress.stopRequested();
        });
    } catch (const std::exception& e) {
        m_host.showMessage(MessageKind::Error, errorText(e));
        return report;
    }
    for (const QString& error : report.errors)
        m_host.showMessage(MessageKind::Error, error);
    return report;
}

QString Workspace::languageName() const
{
    return QStringLiteral("Russian");
}

void Workspace::rebuildRegistry()
{
    IniStore favourites(m_paths.favourites);
    if (m_statList.Count() > 0) {
        try {
            favourites.update(
                [&](IniFile& ini) { m_statList.SaveFilterList(ini, true, false, languageName()); });
        } catch (const std::exception& e) {
            showFailure(tr("Ошибка сохранения списка фильтров!\r\r%s"), errorText(e));
        }
    }
    m_statList.RegisterAll();
    m_statList.ShowAll();
    try {
        m_statList.LoadFilterList(favourites.load(), true, languageName());
    } catch (const std::exception& e) {
        showFailure(tr("Ошибка загрузки списка фильтров!\r\r%s"), errorText(e));
    }
}

QString deleteConfirmationText(int count)
{
    if (count == 1)
        return tr("Удалить выделенную запись?");
    return fmt(tr("Удалить все выделенные записи (всего будет удалено %d записи(ей))?"), count);
}

void Workspace::showFailure(const QString& operationMessage, const QString& failure)
{
    m_host.showMessage(MessageKind::Error, fmt(operationMessage, failure));
}

void Workspace::closeStakesFile()
{
    m_stakes.detach();
    m_stakesFile.close();
}

bool Workspace::openStakesFile()
{
    if (m_stakesFile.open(m_paths.stakes))
        return m_stakes.attach();
    m_host.showMessage(MessageKind::Error,
                       tr("Невозможно получить монопольный доступ к файлам данных!\r\rВозможные причины данной "
                          "ошибки: \r\r1) Вы пытаетесь запустить вторую копию программы из одного и того же "
                          "каталога. Корректная работа нескольких копий программы возможна только из разных "
                          "каталогов.\r\r2) Для программы нет прав на запись в том каталоге, где она "
                          "расположена. Например: в Windows 7 и выше по умолчанию запрещена запись в "
                          "c:\\Program Files.\r\rПрограмма будет закрыта!"));
    return false;
}

bool Workspace::loadArchive()
{
    bool ok = true;
    {
        BusyScope busy(m_busy, m_host, tr("Загрузка файла тиражей..."));
        try {
            const ArchiveLoadResult r = m_archive.load(m_paths.archive);
            if (r.badRecord >= 0) {
                ok = false;
                showFailure(tr("Ошибка чтения файла тиражей!\r\r%s"),
                            fmt(tr("Запись %d не является записью тиража; прочитано записей: %d. Файл не будет "
                                   "перезаписан, пока он не прочитан целиком."),
                                r.badRecord + 1, r.records));
            } else if (r.tornTailBytes > 0) {
                m_host.showMessage(MessageKind::Warning,
                                   fmt(tr("Файл тиражей оканчивается неполной записью (%d байт); она пропущена."),
                                       r.tornTailBytes));
            }
        } catch (const std::exception& e) {
            ok = false;
            showFailure(tr("Ошибка чтения файла тиражей!\r\r%s"), errorText(e));
        }
    }
    refreshDrawsList(true);
    return ok;
}

bool Workspace::storeArchive(TDrawsArray draws)
{
    {
        BusyScope busy(m_busy, m_host, tr("Сохранение файла тиражей..."));
        try {
            m_archive.store(m_paths.archive, std::move(draws));
        } catch (const std::exception& e) {
            showFailure(tr("Ошибка записи в файл тиражей!\r\r%s"), errorText(e));
            return false;
        }
    }
    refreshDrawsList(true);
    return true;
}

bool Workspace::addDraw(const TDraw& draw)
{
    TDrawsArray draws = m_archive.draws();
    draws.push_back(draw);
    if (!storeArchive(std::move(draws)))
        return false;
    refreshAllViews(true);
    return true;
}

bool Workspace::replaceDraw(int index, const TDraw& draw)
{
    if (index < 0 || index >= m_archive.count()) {
        m_host.showMessage(MessageKind::Error, fmt(tr("Запись со индексом %d в файле данных не найдена!"), index));
        return false;
    }
    TDrawsArray draws = m_archive.draws();
    draws[static_cast<size_t>(index)] = draw;
    if (!storeArchive(std::move(draws)))
        return false;
    refreshAllViews(true);
    return true;
}

bool Workspace::deleteDrawRows(const std::vector<int>& rows)
{
    std::vector<int> indexes;
    for (int row : rows)
        if (m_archive.rowValid(row))
            indexes.push_back(m_archive.rowToIndex(row));
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    if (indexes.empty())
        return false;
    if (!m_host.showMessage(MessageKind::Question, deleteConfirmationText(static_cast<int>(indexes.size())), true))
        return false;
    TDrawsArray draws;
    {
        BusyScope busy(m_busy, m_host, tr("Удаление выделенных тиражей...."));
        draws.reserve(m_archive.draws().size());
        size_t next = 0;
        for (int i = 0; i < m_archive.count(); ++i) {
            if (next < indexes.size() && indexes[next] == i) {
                ++next;
                continue;
            }
            draws.push_back(m_archive.draws()[static_cast<size_t>(i)]);
        }
    }
    if (!storeArchive(std::move(draws)))
        return false;
    refreshAllViews(true);
    return true;
}

std::optional<CsvImportResult> Workspace::importDrawsCsv(const QString& file, bool tellUser)
{
    CsvImportResult result;
    TDrawsArray draws = m_archive.draws();
    {
        BusyScope busy(m_busy, m_host, fmt(tr("Импорт тиражей из файла \"%s\"..."), QFileInfo(file).fileName()));
        try {
            result = zircon::importDrawsCsv(readWholeFile(file), draws);
        } catch (const std::exception& e) {
            m_host.showMessage(MessageKind::Error, errorText(e));
            return std::nullopt;
        }
    }
    if (result.added > 0 && !storeArchive(std::move(draws)))
        return std::nullopt;
    if (tellUser)
        m_host.showMessage(MessageKind::Information,
                           fmt(tr("Импорт тиражей завершен.\r\rДобавлено тиражей: %d\rПропущено строк: %d"),
                               result.added, result.skipped));
    return result;
}

std::optional<int> Workspace::exportDrawsCsv(const QString& file)
{
    BusyScope busy(m_busy, m_host, fmt(tr("Экспорт тиражей в файл \"%s\"..."), QFileInfo(file).fileName()));
    try {
        writeFileAtomically(file, zircon::exportDrawsCsv(m_archive.draws()));
    } catch (const std::exception& e) {
        m_host.showMessage(MessageKind::Error, errorText(e));
        return std::nullopt;
    }
    return m_archive.count();
}

bool Workspace::setDrawsOffset(int offset)
{
    if (!m_archive.setDrawsOffset(offset))
        return false;
    refreshDrawsList(false);
    refreshAllViews(true);
    return true;
}

std::array<QString, 3> Workspace::drawStatusTexts() const
{
    return {fmt(tr("Архив тиражей: %d"), m_archive.count()),
            fmt(tr("Следующий тираж: %d"), m_archive.NextDrawNumber(m_archive.drawsOffset())),
            fmt(tr("%s"), m_archive.NextDrawText(m_archive.drawsOffset()))};
}

void Workspace::refreshDrawsList(bool force)
{
    if (m_listRefresher)
        m_listRefresher(force);
    const auto texts = drawStatusTexts();
    for (int i = 0; i < 3; ++i)
        m_host.setStatusText(i, texts[static_cast<size_t>(i)]);
}

void Workspace::refreshAllViews(bool force)
{
    if (m_scriptRunning)
        return;
    for (auto& refresher : m_viewRefreshers)
        refresher(force);
}

}  // namespace zircon
