#include "records/LogFile.h"

#include "platform/Paths.h"
#include "records/LogLine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// A torn end is at most a line, unless the file grew by whole blocks of NUL bytes.
constexpr qint64 kTailBytes = 4096;

// What a file edited by hand lacks at its end, so that the next line starts a line of its own and
// the last one stays whole. A bare LF ends a line as well.
QByteArray lineEndMissing(const QString &path)
{
    const QByteArray end = TextFile::lastBytes(path, 1);
    if (end.isEmpty() || end == "\n")
        return {};
    return end == "\r" ? QByteArrayLiteral("\n") : QByteArrayLiteral("\r\n");
}
} // namespace

LogFile::LogFile(const QString &programFolder) : m_programFolder(programFolder)
{ }

QString LogFile::path(const QDate &day) const
{
    return joinPath(m_programFolder,
                    QStringLiteral("VimoLog/FAR-") + day.toString(QStringLiteral("yyyy-MM-dd"))
                        + QStringLiteral(".txt"));
}

QByteArray LogFile::headerLine()
{
    return QByteArrayLiteral(
        "DateTime\tPerson\tSow\tAlive\tStill\tMumi\tWeak\tBirthAssist\tMedication\tDose\t"
        "Temperature\tFemale\tReactionTime\r\n");
}

bool LogFile::MakeNewLogFile(const QString &FilePathName)
{
    const QString path = FilePathName;
    const QString folder = QFileInfo(path).absolutePath();
    const bool folderExisted = QFileInfo(folder).isDir();
    const bool folderReady = QDir().mkpath(folder);
    const bool existedBefore = TextFile::exists(path);
    // The new file's name must reach the disk too (and the folder's, when it is new), or a
    // power cut could take an acknowledged record with it.
    if (folderReady && TextFile::append(path, headerLine(), true) == TextFile::Outcome::Done
        && TextFile::syncFolder(folder)
        && (folderExisted || TextFile::syncFolder(QFileInfo(folder).absolutePath())))
        return true;
    if (!existedBefore && QFileInfo(path).isFile() && !QFileInfo(path).isSymLink())
        QFile::remove(path);
    return false;
}

TextFile::Outcome LogFile::append(const QString &path, const QByteArray &line) const
{
    const qint64 sizeBefore = QFileInfo(path).isFile() ? QFileInfo(path).size() : -1;
    const TextFile::Outcome outcome = TextFile::append(path, lineEndMissing(path) + line);
    if (outcome == TextFile::Outcome::Failed && sizeBefore >= 0 && QFileInfo(path).size() > sizeBefore)
        TextFile::truncate(path, sizeBefore);
    return outcome;
}

QString LogFile::tornPath(const QString &dayPath)
{
    QString side = dayPath;
    side.chop(QStringLiteral(".txt").size());
    return side + QStringLiteral(".torn");
}

bool LogFile::setAsideTornEnd(const QString &dayPath)
{
    QByteArray tail = TextFile::lastBytes(dayPath, kTailBytes);
    const qint64 size = QFileInfo(dayPath).size();
    auto torn = LogLine::tornTail(tail);
    if (torn && *torn == 0 && tail.size() < size) {
        // The torn end reaches further back: look at the whole file.
        const auto all = TextFile::readAll(dayPath);
        if (!all)
            return false;
        tail = *all;
        torn = LogLine::tornTail(tail);
    }
    if (!torn)
        return true;
    const qint64 keep = size - (tail.size() - *torn);
    // The side file first: the bytes are never only in memory.
    const QString side = tornPath(dayPath);
    return TextFile::append(side, tail.sliced(*torn), true) == TextFile::Outcome::Done
        && TextFile::syncFolder(QFileInfo(side).absolutePath()) && TextFile::truncate(dayPath, keep);
}

LogFile::StoreResult LogFile::store(const QDate &day, const QByteArray &line)
{
    const QString dayPath = path(day);
    if (!TextFile::exists(dayPath) && !MakeNewLogFile(dayPath))
        return StoreResult::NotMade;
    if (!setAsideTornEnd(dayPath))
        return StoreResult::NotWritten;
    // A file cut down to nothing (its header was torn too) begins anew with its header.
    QByteArray bytes = line;
    if (QFileInfo(dayPath).isFile() && QFileInfo(dayPath).size() == 0)
        bytes.prepend(headerLine());
    switch (append(dayPath, bytes)) {
    case TextFile::Outcome::Done:
        return StoreResult::Stored;
    case TextFile::Outcome::NotRegularFile:
        return StoreResult::NotAFile;
    case TextFile::Outcome::Failed:
        break;
    }
    return StoreResult::NotWritten;
}
