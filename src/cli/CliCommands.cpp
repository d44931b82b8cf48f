#include "cli/CliCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

#include "cli/CliHost.h"
#include "core/DataDir.h"
#include "core/Error.h"
#include "core/Tr.h"
#include "shell/DrawDownload.h"
#include "shell/DrawsColumns.h"
#include "shell/StakesColumns.h"
#include "shell/Workspace.h"
#include "stats/Prefetch.h"
#include "stats/StatClassInfo.h"
#include "stats/StatTable.h"
#include "stats/TStatList.h"

namespace zircon {
namespace {

const char* const kUsage =
    "usage: zircon-cli [--data-dir DIR] COMMAND\n"
    "commands:\n"
    "  draws                 list the archive, newest first, tab-separated\n"
    "  draws import FILE     append the draws of a CSV file\n"
    "  draws export FILE     write the archive as a CSV file\n"
    "  methods               list the statistic methods: code, group, flags, title\n"
    "  stat CODE [--window N] [--offset O] [--sorted] [--norms]\n"
    "                        the statistic table of a method, tab-separated\n"
    "  prefetch [CODE ...] [--all] [--recreate]\n"
    "                        build the prefetch files of the methods (all with a norm)\n"
    "  combs generate [--mode M] [--param P] --out FILE.lcv\n"
    "                        write a generated combination list\n"
    "  filter CODE --values \"V1;V2;...\" (--keep | --delete) [--window N] [--offset O]\n"
    "         [--sorted] --in FILE.lcv|full --out FILE.lcv\n"
    "                        keep or delete the combinations with those values of the table\n"
    "  stakes add --from FILE.lcv [--draws N] [--comment TEXT]\n"
    "                        stake every combination of the file on the next draw (or N draws)\n"
    "  stakes list           list the stakes, tab-separated\n"
    "  stakes check          check the stakes against the archive\n"
    "  download [--service URL] [--ca-file FILE]\n"
    "                        download the new draws from the operator's service";

// The arguments after the program name with the data-directory option taken out.
QStringList commandWords(const QStringList& arguments)
{
    QStringList words;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QStringLiteral("--data-dir")) {
            ++i;
            continue;
        }
        if (a.startsWith(QStringLiteral("--data-dir=")))
            continue;
        words.append(a);
    }
    return words;
}

int listDraws(Workspace& ws)
{
    printOut(drawsColumnCaptions().join(u'\t'));
    const DrawArchive& archive = ws.archive();
    for (int row = 0; row < archive.count(); ++row) {
        QStringList cells;
        for (int c = 0; c < DrawsColumnCount; ++c)
            cells.append(drawsCellText(archive.drawAtRow(row), c, false));
        printOut(cells.join(u'\t'));
    }
    return 0;
}

int listMethods(Workspace& ws)
{
    const TStatList& list = ws.statList();
    for (int i = 0; i < list.Count(); ++i) {
        const StatClassInfo& cls = *list.Items(i).StatClass;
        printOut(QStringList{list.ItemCode(i), statGroupCode(cls.group), statFlagLetters(list.ItemFlags(i)),
                             list.DisplayTitle(i)}
                     .join(u'\t'));
    }
    return 0;
}

// Reads "--name VALUE" as a whole number; absent gives `def`.
std::optional<int> intOption(const QStringList& words, const QString& name, int def)
{
    const qsizetype at = words.indexOf(name);
    if (at < 0)
        return def;
    bool ok = false;
    const int v = at + 1 < words.size() ? words[at + 1].toInt(&ok) : 0;
    if (!ok)
        return std::nullopt;
    return v;
}

int methodIndex(const Workspace& ws, const QString& code)
{
    const int i = ws.statList().FindCode(code);
    if (i < 0)
        printErr(tr("Метод расчета статистики \"%1\" не найден").arg(code));
    return i;
}

int printStat(Workspace& ws, const CliHost& host, const QStringList& words)
{
    if (words.size() < 2 || words[1].startsWith(u'-')) {
        printErr(QString::fromUtf8(kUsage));
        return 2;
    }
    const std::optional<int> window = intOption(words, QStringLiteral("--window"), 1000);
    const std::optional<int> offset = intOption(words, QStringLiteral("--offset"), 0);
    if (!window || !offset || *window < 1 || *offset < 0) {
        printErr(tr("Некорректное значение параметра --window или --offset"));
        return 2;
    }
    const int index = methodIndex(ws, words[1]);
    if (index < 0)
        return 1;
    std::optional<PrefetchSource> norms;
    if (words.contains(QStringLiteral("--norms")))
        norms = ws.openPrefetch(index);
    if (host.failed())
        return 1;
    StatTable table;
    try {
        table = computeStatTable(ws.statList(), index, *window, *offset, words.contains(QStringLiteral("--sorted")),
                                 norms ? &*norms : nullptr);
    } catch (const std::exception& e) {
        printErr(errorText(e));
        return 1;
    }
    QStringList captions;
    for (int c = 0; c < StatTable::kColumnCount; ++c)
        captions.append(StatTable::columnCaption(c));
    printOut(captions.join(u'\t'));
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList cells;
        for (int c = 0; c < StatTable::kColumnCount; ++c)
            cells.append(table.cell(row, c));
        printOut(cells.join(u'\t'));
    }
    return 0;
}

int buildPrefetch(Workspace& ws, const QStringList& words)
{
    const bool recreate = words.contains(QStringLiteral("--recreate"));
    QStringList codes;
    for (qsizetype i = 1; i < words.size(); ++i)
        if (!words[i].startsWith(u'-'))
            codes.append(words[i]);
    if (codes.isEmpty() && !words.contains(QStringLiteral("--all"))) {
        printErr(QString::fromUtf8(kUsage));
        return 2;
    }
    if (codes.isEmpty()) {
        // Every method with a norm; the groups of all of them when recreating.
        const PrefetchFilesReport r = ws.createPrefetchFiles(true, recreate ? 0xFFFFu : 0u);
        printOut(tr("Создано файлов: %1, оставлено без изменений: %2").arg(r.created).arg(r.kept));
        return r.errors.isEmpty() && !r.stopped ? 0 : 1;
    }
    int created = 0;
    int kept = 0;
    for (const QString& code : codes) {
        const int index = methodIndex(ws, code);
        if (index < 0)
            return 1;
        if (!ws.statList().HasNorm(index)) {
            printErr(tr("Для метода \"%1\" нет сравнения с полным набором комбинаций").arg(code));
            return 1;
        }
        const QString path = ws.paths().prefetchFile(ws.statList().ItemCode(index));
        if (!recreate && readPrefetchFile(path)) {
            ++kept;
            continue;
        }
        QFile::remove(path);
        if (!ws.openPrefetch(index))
            return 1;
        ++created;
    }
    printOut(tr("Создано файлов: %1, оставлено без изменений: %2").arg(created).arg(kept));
    return 0;
}

QString textOption(const QStringList& words, const QString& name)
{
    const qsizetype at = words.indexOf(name);
    return at >= 0 && at + 1 < words.size() ? words[at + 1] : QString();
}

int generateCombs(Workspace& ws, const QStringList& words)
{
    const std::optional<int> mode = intOption(words, QStringLiteral("--mode"), 0);
    const QString out = textOption(words, QStringLiteral("--out"));
    if (!mode || *mode < 0 || *mode > 4 || out.isEmpty()) {
        printErr(QString::fromUtf8(kUsage));
        return 2;
    }
    ws.combs().reserveFullSet();
    if (!ws.combs().generate(static_cast<uint8_t>(*mode), textOption(words, QStringLiteral("--param")))
        || !ws.combs().saveFile(out))
        return 1;
    printOut(tr("Комбинаций: %1").arg(ws.combs().list().count()));
    return 0;
}

int filterCombs(Workspace& ws, const CliHost& host, const QStringList& words)
{
    const bool keep = words.contains(QStringLiteral("--keep"));
    const bool remove = words.contains(QStringLiteral("--delete"));
    const QString in = textOption(words, QStringLiteral("--in"));
    const QString out = textOption(words, QStringLiteral("--out"));
    const std::optional<int> window = intOption(words, QStringLiteral("--window"), 1000);
    const std::optional<int> offset = intOption(words, QStringLiteral("--offset"), 0);
    if (words.size() < 2 || keep == remove || in.isEmpty() || out.isEmpty() || !window || !offset || *window < 1
        || *offset < 0 || !words.contains(QStringLiteral("--values"))) {
        printErr(QString::fromUtf8(kUsage));
        return 2;
    }
    const int index = methodIndex(ws, words[1]);
    if (index < 0)
        return 1;
    ws.archive().setDrawsOffset(*offset);
    if (ws.archive().drawsOffset() != *offset) {
        printErr(tr("Смещение %1 выходит за пределы архива тиражей").arg(*offset));
        return 1;
    }
    const bool sorted = words.contains(QStringLiteral("--sorted"));
    StatTable table;
    try {
        table = computeStatTable(ws.statList(), index, *window, *offset, sorted, nullptr);
    } catch (const std::exception& e) {
        printErr(errorText(e));
        return 1;
    }
    QStringList wanted;
    for (const QString& v : textOption(words, QStringLiteral("--values")).split(u';', Qt::SkipEmptyParts))
        wanted.append(v.trimmed());
    std::vector<int> rows;
    for (int row = 0; row < table.rowCount(); ++row)
        if (wanted.contains(table.valueText(row)))
            rows.push_back(row);
    ws.combs().reserveFullSet();
    const bool loaded = in == QStringLiteral("full") ? ws.combs().generate(0, {}) : ws.combs().openFile(in);
    if (!loaded)
        return 1;
    if (!rows.empty() && !ws.combs().filterByTableRows(index, table, rows, remove, sorted))
        return 1;
    if (host.failed() || !ws.combs().saveFile(out))
        return 1;
    printOut(tr("Комбинаций: %1").arg(ws.combs().list().count()));
    return 0;
}

// The stakes commands work on the stakes file held like the window holds
// it: a second holder is refused with the exclusive-access message.
int stakesCommand(Workspace& ws, const CliHost& host, const QStringList& words)
{
    const QString sub = words.size() >= 2 ? words[1] : QString();
    if (sub != QStringLiteral("add") && sub != QStringLiteral("list") && sub != QStringLiteral("check")) {
        printErr(QString::fromUtf8(kUsage));
        return 2;
    }
    const std::optional<int> draws = intOption(words, QStringLiteral("--draws"), 1);
    const QString from = textOption(words, QStringLiteral("--from"));
    if (sub == QStringLiteral("add") && (from.isEmpty() || !draws || *draws < 1 || *draws > 65535)) {
        printErr(QString::fromUtf8(kUsage));
        return 2;
    }
    ws.loadEngineSettings();
    if (host.failed() || !ws.openStakesFile())
        return 1;
    StakeCommands& stakes = ws.stakes();
    if (sub == QStringLiteral("list")) {
        printOut(QStringList{stakesColumnCaptions()[StakeColKind], stakesColumnCaptions()[StakeColDraw],
                             stakesColumnCaptions()[StakeColNumbers], stakesColumnCaptions()[StakeColMatches],
                             stakesColumnCaptions()[StakeColMatched], stakesColumnCaptions()[StakeColProfit],
                             stakesColumnCaptions()[StakeColComment]}
                     .join(u'\t'));
        const int count = stakes.count();
        for (int i = 0; i < count; ++i) {
            const StakeRecord r = stakes.file()->read(i);
            if (r.isSeparator())
                continue;
            QStringList cells;
            for (int column : {StakeColKind, StakeColDraw, StakeColNumbers, StakeColMatches, StakeColMatched,
                               StakeColProfit, StakeColComment})
                cells.append(stakesCellText(r, column));
            printOut(cells.join(u'\t'));
        }
        return 0;
    }
    if (!ws.loadArchive())
        return 1;
    if (sub == QStringLiteral("check")) {
        const std::optional<StakeCheckResult> result = stakes.check();
        if (!result || host.failed())
            return 1;
        printOut(tr("Проверено ставок: %1").arg(result->checked));
        return 0;
    }
    ws.combs().reserveFullSet();
    if (!ws.combs().openFile(from))
        return 1;
    MultiStakeEntry entry = stakes.prepareMulti();
    entry.draws = *draws;
    if (words.contains(QStringLiteral("--comment")))
        entry.comment = textOption(words, QStringLiteral("--comment"));
    const CombList& list = ws.combs().list();
    const std::optional<StakeAddResult> added = stakes.addCombs(list.data(), list.count(), entry);
    if (!added || host.failed())
        return 1;
    printOut(tr("Добавлено ставок: %1").arg(added->added));
    return 0;
}

// The download without questions: a failure ends it with a non-zero exit, the
// draws added before it stay.
int downloadDraws(Workspace& ws, const CliHost& host, const QStringList& words)
{
    QString service;
    QString caFile;
    for (qsizetype i = 1; i < words.size(); i += 2) {
        if (i + 1 >= words.size()
            || (words[i] != QStringLiteral("--service") && words[i] != QStringLiteral("--ca-file"))) {
            printErr(QString::fromUtf8(kUsage));
            return 2;
        }
        (words[i] == QStringLiteral("--service") ? service : caFile) = words[i + 1];
    }
    // The data files are this process's alone while the archive grows; the
    // stakes are checked against the new draws (their prizes are settings).
    ws.loadEngineSettings();
    if (host.failed() || !ws.openStakesFile() || !ws.loadArchive())
        return 1;
    DrawDownload download(ws);
    download.setAskToRetry(false);
    download.setStakesCheck([&ws] { ws.stakes().checkAndRefresh(); });
    download.LoadProxySettings();
    download.setServiceOverride(service);
    if (!caFile.isEmpty())
        download.setCaFileOverride(QFileInfo(caFile).absoluteFilePath());
    const DownloadReport report = download.runCommand();
    printOut(tr("Добавлено тиражей: %1").arg(report.added));
    return report.failed || report.stopped || host.failed() ? 1 : 0;
}

}  // namespace

int runCli(const QStringList& arguments)
{
    const QStringList words = commandWords(arguments);
    if (words.isEmpty() || words[0] == QStringLiteral("--help") || words[0] == QStringLiteral("help")) {
        printOut(QString::fromUtf8(kUsage));
        return words.isEmpty() ? 2 : 0;
    }
    QString dataDir;
    try {
        dataDir = prepareDataDir(arguments.mid(1));
    } catch (const Error& e) {
        printErr(e.text());
        return 1;
    }
    CliHost host;
    Workspace ws(dataDir, host);
    if (words[0] == QStringLiteral("methods") || words[0] == QStringLiteral("stat")
        || words[0] == QStringLiteral("prefetch")) {
        ws.loadEngineSettings();
        ws.rebuildRegistry();
        if (host.failed())
            return 1;
        if (words[0] == QStringLiteral("methods") && words.size() == 1)
            return listMethods(ws);
        if (words[0] == QStringLiteral("prefetch"))
            return buildPrefetch(ws, words);
        if (!ws.loadArchive())
            return 1;
        if (words[0] == QStringLiteral("stat"))
            return printStat(ws, host, words);
    }
    if (words[0] == QStringLiteral("combs") && words.size() >= 2 && words[1] == QStringLiteral("generate"))
        return generateCombs(ws, words);
    if (words[0] == QStringLiteral("filter")) {
        ws.loadEngineSettings();
        ws.rebuildRegistry();
        if (host.failed() || !ws.loadArchive())
            return 1;
        return filterCombs(ws, host, words);
    }
    if (words[0] == QStringLiteral("stakes"))
        return stakesCommand(ws, host, words);
    if (words[0] == QStringLiteral("download"))
        return downloadDraws(ws, host, words);
    if (words[0] == QStringLiteral("draws")) {
        if (!ws.loadArchive())
            return 1;
        if (words.size() == 1)
            return listDraws(ws);
        if (words.size() == 3 && words[1] == QStringLiteral("import")) {
            auto result = ws.importDrawsCsv(words[2], false);
            if (!result || host.failed())
                return 1;
            printOut(tr("Добавлено тиражей: %1, пропущено строк: %2").arg(result->added).arg(result->skipped));
            return 0;
        }
        if (words.size() == 3 && words[1] == QStringLiteral("export")) {
            auto written = ws.exportDrawsCsv(words[2]);
            if (!written)
                return 1;
            printOut(tr("Записано тиражей: %1").arg(*written));
            return 0;
        }
    }
    printErr(QString::fromUtf8(kUsage));
    return 2;
}

}  // namespace zircon
