#pragma once
// Copies and deletes groups of files by folder and name pattern, counting what
// happened, and reports each warning and error through the message viewer.
#include <QDateTime>
#include <QString>

#include <functional>

namespace zircon {

struct FileOperationSummary {
    int total = 0;      // files that matched
    int processed = 0;  // files copied or deleted
    int skipped = 0;    // files left alone on purpose (directories, same file)
    int warnings = 0;
    int errors = 0;

    // "Всего - %d, обработано - %d, пропущено - %d, предупреждений - %d, ошибок - %d."
    QString text() const;
    bool clean() const { return warnings == 0 && errors == 0; }
};

class FileOperations {
public:
    // Receives each warning or error as the viewer's text.
    using Reporter = std::function<void(const QString& text)>;
    using Clock = std::function<QDateTime()>;

    explicit FileOperations(Reporter reporter, Clock clock = &QDateTime::currentDateTime)
        : m_reporter(std::move(reporter)), m_clock(std::move(clock))
    {
    }

    // Deletes every file in `folder` whose name matches the wildcard
    // `pattern`, one attempt per file; matching directories are skipped.
    FileOperationSummary deleteFiles(const QString& folder, const QString& pattern, const QString& title);
    // Copies every matching file of `fromFolder` into `toFolder`, replacing
    // files there atomically.
    FileOperationSummary copyFiles(const QString& fromFolder, const QString& pattern, const QString& toFolder,
                                   const QString& title);

private:
    void warning(FileOperationSummary& s, const QString& title, const QString& reason);
    void error(FileOperationSummary& s, const QString& title, const QString& reason);

    Reporter m_reporter;
    Clock m_clock;
};

}  // namespace zircon
