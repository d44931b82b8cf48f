#include "cli/CliCommands.h"

#include <QCoreApplication>
#include <QDir>

#include "cli/CliHost.h"
#include "core/DataDir.h"
#include "core/Error.h"
#include "core/Tr.h"
#include "shell/DrawsColumns.h"
#include "shell/Workspace.h"
#include "stats/StatClassInfo.h"
#include "stats/TStatList.h"

namespace zircon {
namespace {

const char* const kUsage =
    "usage: zircon-cli [--data-dir DIR] COMMAND\n"
    "commands:\n"
    "  draws                 list the archive, newest first, tab-separated\n"
    "  draws import FILE     append the draws of a CSV file\n"
    "  draws export FILE     write the archive as a CSV file\n"
    "  methods               list the statistic methods: code, group, flags, title";

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
        printOut(QStringList{list.ItemCode(i), statGroupCode(cls.group), statFlagLetters(cls.fullFlags()),
                             list.DisplayTitle(i)}
                     .join(u'\t'));
    }
    return 0;
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
    if (words[0] == QStringLiteral("methods") && words.size() == 1) {
        ws.loadEngineSettings();
        ws.rebuildRegistry();
        return host.failed() ? 1 : listMethods(ws);
    }
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
