// The POSIX side of the text files' calls (see FileCalls.h).
#include "platform/FileCalls.h"

#ifndef Q_OS_WIN

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace TextFile {
namespace FileCalls {

Outcome openRegular(QFile &file, const QString &path, QIODevice::OpenMode mode, Create create, FinalLink link)
{
    int flags = O_RDONLY;
    if (mode & QIODevice::WriteOnly) {
        flags = (mode & QIODevice::ReadOnly) ? O_RDWR : O_WRONLY;
        if (mode & QIODevice::Append)
            flags |= O_APPEND;
        if (create == Create::Yes)
            flags |= O_CREAT;
    }
    flags |= O_CLOEXEC | O_NONBLOCK | (link == FinalLink::Refused ? O_NOFOLLOW : 0);
    const int fd = ::open(QFile::encodeName(path).constData(), flags, 0666);
    if (fd < 0) {
        // A final link (ELOOP), a FIFO without a reader (ENXIO), a folder (EISDIR).
        return errno == ELOOP || errno == ENXIO || errno == EISDIR ? Outcome::NotRegularFile
                                                                   : Outcome::Failed;
    }
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return Outcome::NotRegularFile;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Outcome::Failed;
    }
    return Outcome::Done;
}

bool syncFile(QFile &file)
{
    return ::fdatasync(file.handle()) == 0;
}

} // namespace FileCalls

bool syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

Outcome replaceWhole(const QString &path, const QByteArray &bytes)
{
    // The new file gets a fresh name of its own (never an existing link) and is renamed over the
    // target, which replaces a link put there meanwhile instead of writing through it.
    struct stat status = {};
    if (::lstat(QFile::encodeName(path).constData(), &status) == 0 && !S_ISREG(status.st_mode))
        return Outcome::NotRegularFile;
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 5 && fd < 0; ++attempt) {
        temporary = QFile::encodeName(path + QStringLiteral(".new-")
                                      + QString::number(QRandomGenerator::global()->generate(), 36));
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return Outcome::Failed;
    }
    QFile file;
    if (fd < 0 || !file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0) {
            ::close(fd);
            ::unlink(temporary.constData());
        }
        return Outcome::Failed;
    }
    const bool written = file.write(bytes) == bytes.size() && file.flush() && FileCalls::syncFile(file);
    file.close();
    if (!written || file.error() != QFileDevice::NoError
        || ::rename(temporary.constData(), QFile::encodeName(path).constData()) != 0) {
        ::unlink(temporary.constData());
        return Outcome::Failed;
    }
    syncFolder(QFileInfo(path).absolutePath());
    return Outcome::Done;
}

} // namespace TextFile
#endif
