#include "platform/TextFile.h"

#include "platform/Codec1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace TextFile {

bool forEachLine(const QString &path, const std::function<void(QStringView)> &line)
{
    // A device (a link to /dev/zero, say) would be read without end.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    file.close();

    const QString text = Codec1252::decode(bytes);
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

namespace {
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

bool append(const QString &path, const QByteArray &bytes, bool create)
{
    if (!create && !exists(path))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const bool written = file.write(bytes) == bytes.size();
    const bool flushed = file.flush() && syncFile(file);
    file.close();
    return written && flushed && file.error() == QFileDevice::NoError;
}

QByteArray lastBytes(const QString &path, int count)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
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

bool replaceWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool exists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

} // namespace TextFile
