#include "shell/FileOperations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/AtomicFile.h"
#include "core/Error.h"
#include "core/Format.h"
#include "core/Tr.h"

namespace zircon {

QString FileOperationSummary::text() const
{
    return fmt(tr("Всего - %d, обработано - %d, пропущено - %d, предупреждений - %d, ошибок - %d."), total, processed,
               skipped, warnings, errors);
}

void FileOperations::warning(FileOperationSummary& s, const QString& title, const QString& reason)
{
    ++s.warnings;
    if (m_reporter)
        m_reporter(fmt(tr("[%s] Предупреждение при выполнении операции \"%s\":\r\n%s!"),
                       m_clock().toString(QStringLiteral("hh:mm:ss")), title, reason));
}

void FileOperations::error(FileOperationSummary& s, const QString& title, const QString& reason)
{
    ++s.errors;
    if (m_reporter)
        m_reporter(fmt(tr("[%s] Ошибка при выполнении операции \"%s\":\r\n%s!"),
                       m_clock().toString(QStringLiteral("hh:mm:ss")), title, reason));
}

FileOperationSummary FileOperations::deleteFiles(const QString& folder, const QString& pattern, const QString& title)
{
    FileOperationSummary s;
    const QFileInfoList entries = QDir(folder).entryInfoList({pattern}, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot
                                                                            | QDir::Hidden | QDir::System,
                                                             QDir::Name);
    for (const QFileInfo& fi : entries) {
        ++s.total;
        if (fi.isDir()) {
            ++s.skipped;
            continue;
        }
        QFile f(fi.absoluteFilePath());
        if (f.remove())
            ++s.processed;
        else
            error(s, title, fi.fileName() + QStringLiteral(": ") + f.errorString());
    }
    return s;
}

FileOperationSummary FileOperations::copyFiles(const QString& fromFolder, const QString& pattern,
                                               const QString& toFolder, const QString& title)
{
    FileOperationSummary s;
    if (!QDir().mkpath(toFolder)) {
        error(s, title, fmt(tr("Не удалось создать каталог \"%s\""), toFolder));
        return s;
    }
    const QFileInfoList entries = QDir(fromFolder).entryInfoList({pattern}, QDir::Files | QDir::Dirs
                                                                                | QDir::NoDotAndDotDot | QDir::Hidden,
                                                                 QDir::Name);
    for (const QFileInfo& fi : entries) {
        ++s.total;
        const QString target = QDir(toFolder).filePath(fi.fileName());
        if (fi.isDir() || QFileInfo(target).canonicalFilePath() == fi.canonicalFilePath()) {
            ++s.skipped;
            continue;
        }
        try {
            writeFileAtomically(target, readWholeFile(fi.absoluteFilePath()));
            ++s.processed;
        } catch (const Error& e) {
            error(s, title, fi.fileName() + QStringLiteral(": ") + e.text());
        }
    }
    return s;
}

}  // namespace zircon
