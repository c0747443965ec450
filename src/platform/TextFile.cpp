#include "platform/TextFile.h"

#include "platform/Codec1252.h"
#include "platform/FileCalls.h"

#include <QFile>
#include <QFileInfo>

namespace TextFile {

using FileCalls::Create;
using FileCalls::openRegular;
using FileCalls::syncFile;

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

bool exists(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() || (info.exists() && !info.isDir());
}

} // namespace TextFile
