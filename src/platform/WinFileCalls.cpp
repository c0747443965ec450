// The Windows side of the text files' calls (see FileCalls.h).
#include "platform/FileCalls.h"

#ifdef Q_OS_WIN

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <io.h>
#include <windows.h>

namespace TextFile {
namespace FileCalls {

Outcome openRegular(QFile &file, const QString &path, QIODevice::OpenMode mode, Create create, FinalLink link)
{
    const QFileInfo info(path);
    if ((link == FinalLink::Refused && info.isSymLink()) || (info.exists() && !info.isFile()))
        return Outcome::NotRegularFile;
    if (create == Create::No && !info.exists())
        return Outcome::Failed;
    file.setFileName(path);
    return file.open(mode) ? Outcome::Done : Outcome::Failed;
}

bool syncFile(QFile &file)
{
    return FlushFileBuffers(HANDLE(_get_osfhandle(file.handle()))) != 0;
}

} // namespace FileCalls

bool syncFolder(const QString &folder)
{
    // A folder's entries reach the disk with the file's own flush on Windows.
    Q_UNUSED(folder);
    return true;
}

Outcome replaceWhole(const QString &path, const QByteArray &bytes)
{
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
}

} // namespace TextFile
#endif
