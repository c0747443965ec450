#include "platform/TextFile.h"

#include "platform/Codec1252.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#ifdef Q_OS_WIN
#include <QSaveFile>
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace TextFile {

namespace {
enum class Create { No, Yes };

// Opens `file` on a regular file at `path`: see the header for why links and other kinds of file
// are refused.
Outcome openRegular(QFile &file, const QString &path, QIODevice::OpenMode mode, Create create,
                    FinalLink link = FinalLink::Refused)
{
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    if ((link == FinalLink::Refused && info.isSymLink()) || (info.exists() && !info.isFile()))
        return Outcome::NotRegularFile;
    if (create == Create::No && !info.exists())
        return Outcome::Failed;
    file.setFileName(path);
    return file.open(mode) ? Outcome::Done : Outcome::Failed;
#else
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
#endif
}

// Forces what was written to an open file onto the disk, past the operating system's cache.
bool syncFile(QFile &file)
{
#ifdef Q_OS_WIN
    return FlushFileBuffers(HANDLE(_get_osfhandle(file.handle()))) != 0;
#else
    return ::fdatasync(file.handle()) == 0;
#endif
}
} // namespace

std::optional<QByteArray> readAll(const QString &path, FinalLink link)
{
    QFile file;
    if (openRegular(file, path, QIODevice::ReadOnly, Create::No, link) != Outcome::Done)
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool readBlocks(const QString &path, const std::function<void(QByteArrayView)> &block, qsizetype blockBytes)
{
    QFile file;
    if (openRegular(file, path, QIODevice::ReadOnly, Create::No, FinalLink::Refused) != Outcome::Done)
        return false;
    QByteArray buffer(std::max<qsizetype>(blockBytes, 1), Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(buffer.data(), buffer.size());
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        block(QByteArrayView(buffer.constData(), got));
    }
}

bool forEachLine(const QString &path, const std::function<void(QStringView)> &line, FinalLink link)
{
    const auto bytes = readAll(path, link);
    if (!bytes)
        return false;
    const QString text = Codec1252::decode(*bytes);
    const QStringView all(text);
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = all.indexOf(u'\n', start);
        const bool lastLine = end < 0;
        if (lastLine)
            end = all.size();
        QStringView current = all.mid(start, end - start);
        if (current.endsWith(u'\r'))
            current.chop(1);
        line(current);
        start = end + 1;
    }
    return true;
}

Outcome append(const QString &path, const QByteArray &bytes, bool create)
{
    QFile file;
    const Outcome opened = openRegular(file, path, QIODevice::WriteOnly | QIODevice::Append,
                                       create ? Create::Yes : Create::No);
    if (opened != Outcome::Done)
        return opened;
    const bool written = file.write(bytes) == bytes.size();
    const bool flushed = file.flush() && syncFile(file);
    file.close();
    return written && flushed && file.error() == QFileDevice::NoError ? Outcome::Done : Outcome::Failed;
}

bool truncate(const QString &path, qint64 size)
{
    QFile file;
    if (openRegular(file, path, QIODevice::ReadWrite, Create::No) != Outcome::Done)
        return false;
    return file.resize(size) && syncFile(file);
}

QByteArray lastBytes(const QString &path, qint64 count)
{
    QFile file;
    if (openRegular(file, path, QIODevice::ReadOnly, Create::No) != Outcome::Done)
        return {};
    if (file.size() > count)
        file.seek(file.size() - count);
    return file.read(count);
}

bool syncFolder(const QString &folder)
{
#ifdef Q_OS_WIN
    // A folder's entries reach the disk with the file's own flush on Windows.
    Q_UNUSED(folder);
    return true;
#else
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
#endif
}

Outcome replaceWhole(const QString &path, const QByteArray &bytes)
{
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    if (exists(path) && (info.isSymLink() || !info.isFile()))
        return Outcome::NotRegularFile;
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return Outcome::Failed;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return Outcome::Failed;
    }
    return file.commit() ? Outcome::Done : Outcome::Failed;
#else
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
    const bool written = file.write(bytes) == bytes.size() && file.flush() && syncFile(file);
    file.close();
    if (!written || file.error() != QFileDevice::NoError
        || ::rename(temporary.constData(), QFile::encodeName(path).constData()) != 0) {
        ::unlink(temporary.constData());
        return Outcome::Failed;
    }
    syncFolder(QFileInfo(path).absolutePath());
    return Outcome::Done;
#endif
}

bool exists(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() || (info.exists() && !info.isDir());
}

} // namespace TextFile
