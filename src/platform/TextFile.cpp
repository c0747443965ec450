#include "platform/TextFile.h"

#include "platform/Codec1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

bool append(const QString &path, const QByteArray &bytes, bool create)
{
    if (!create && !exists(path))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const bool written = file.write(bytes) == bytes.size();
    const bool flushed = file.flush();
    file.close();
    return written && flushed && file.error() == QFileDevice::NoError;
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
