#pragma once
// A data file held for reading and writing by this process alone for the
// whole run (the stakes file): a second copy of the program started on the
// same data directory cannot take it and ends.
#include <QString>

namespace zircon {

class ExclusiveFile {
public:
    ExclusiveFile() = default;
    ~ExclusiveFile();
    ExclusiveFile(const ExclusiveFile&) = delete;
    ExclusiveFile& operator=(const ExclusiveFile&) = delete;

    // Opens (creating when missing) and locks the file. Returns false, with
    // the reason in errorText(), when the file cannot be opened or another
    // process holds it.
    bool open(const QString& path);
    void close();
    // Takes over the hold of `successor`, a file this process has already
    // locked and then renamed over this one's path (a rewrite or a file moved
    // aside). The old descriptor is closed only after the new one is in
    // place, so the name is locked at every moment; `successor` ends closed.
    void takeOver(ExclusiveFile& successor);
    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    const QString& path() const { return m_path; }
    const QString& errorText() const { return m_error; }

private:
    int m_fd = -1;
    QString m_path;
    QString m_error;
};

}  // namespace zircon
