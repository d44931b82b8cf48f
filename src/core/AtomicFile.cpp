#include "core/AtomicFile.h"

#include "core/Error.h"
#include "core/Tr.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace zircon {
namespace {

[[noreturn]] void fail(const char* what, const QString& path, int err)
{
    throw Error(tr(what).arg(path, QString::fromLocal8Bit(std::strerror(err))));
}

}  // namespace

void writeFileAtomically(const QString& path, const QByteArray& content)
{
    const QByteArray target = QFile::encodeName(path);
    QByteArray tmpl = target + ".tmp-XXXXXX";
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0)
        fail(ZT("Не удалось создать временный файл рядом с \"%1\": %2"), path, errno);
    auto abandon = [&](const char* what) {
        int err = errno;
        ::close(fd);
        ::unlink(tmpl.constData());
        fail(what, path, err);
    };
    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat st {};
    mode_t mode = 0644;
    if (::stat(target.constData(), &st) == 0)
        mode = st.st_mode & 07777;
    ::fchmod(fd, mode);

    const char* data = content.constData();
    qsizetype left = content.size();
    while (left > 0) {
        ssize_t w = ::write(fd, data, static_cast<size_t>(left));
        if (w < 0) {
            if (errno == EINTR)
                continue;
            abandon(ZT("Ошибка записи в файл \"%1\": %2"));
        }
        data += w;
        left -= w;
    }
    if (::fsync(fd) != 0)
        abandon(ZT("Ошибка сброса на диск файла \"%1\": %2"));
    if (::close(fd) != 0) {
        int err = errno;
        ::unlink(tmpl.constData());
        fail(ZT("Ошибка закрытия файла \"%1\": %2"), path, err);
    }
    if (::rename(tmpl.constData(), target.constData()) != 0) {
        int err = errno;
        ::unlink(tmpl.constData());
        fail(ZT("Не удалось заменить файл \"%1\": %2"), path, err);
    }
    // Make the rename itself durable.
    const QByteArray dir = QFile::encodeName(QFileInfo(path).absolutePath());
    int dfd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

QByteArray readWholeFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw Error(f.errorString());
    QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw Error(f.errorString());
    return data;
}

}  // namespace zircon
