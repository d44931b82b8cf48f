#include "core/ExclusiveFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zircon {

ExclusiveFile::~ExclusiveFile()
{
    close();
}

bool ExclusiveFile::open(const QString& path)
{
    close();
    m_path = path;
    m_error.clear();
    const QByteArray name = QFile::encodeName(path);
    // The holder rewrites the file by renaming a new, already locked file over
    // it. A process that opened the old file just before such a rename would
    // otherwise lock the replaced, nameless file and believe it holds the
    // stakes; so the lock counts only when the name still leads to the file
    // locked, and the open is tried again (and then refused) when it does not.
    for (int attempt = 0; attempt < 8; ++attempt) {
        int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) {
            m_error = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            m_error = QString::fromLocal8Bit(std::strerror(errno));
            ::close(fd);
            return false;
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(fd, &held) == 0 && ::stat(name.constData(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino) {
            m_fd = fd;
            return true;
        }
        ::close(fd);
    }
    m_error = QString::fromLocal8Bit(std::strerror(EWOULDBLOCK));
    return false;
}

void ExclusiveFile::takeOver(ExclusiveFile& successor)
{
    const int old = m_fd;
    m_fd = successor.m_fd;
    successor.m_fd = -1;
    successor.m_path.clear();
    if (old >= 0 && old != m_fd)
        ::close(old);
}

void ExclusiveFile::close()
{
    if (m_fd >= 0) {
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
        m_fd = -1;
    }
}

}  // namespace zircon
