#include "records/LogFile.h"

#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace {
const QString kProblemTitle = QStringLiteral("Problem");

// A plain file's size, or nothing for a device or a missing file.
std::optional<qint64> regularFileSize(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return std::nullopt;
    return info.size();
}

// What a file edited by hand or cut off by a crash lacks at its end, so that the next line
// starts a line of its own and the last one stays whole. A bare LF ends a line as well.
QByteArray lineEndMissing(const QString &path)
{
    const QByteArray end = TextFile::lastBytes(path, 1);
    if (end.isEmpty() || end == "\n")
        return {};
    return end == "\r" ? QByteArrayLiteral("\n") : QByteArrayLiteral("\r\n");
}
} // namespace

LogFile::LogFile(const QString &programFolder, Dialogs &dialogs)
    : m_programFolder(programFolder), m_dialogs(dialogs)
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
    const bool existedBefore = QFileInfo::exists(path);
    // The new file's name must reach the disk too (and the folder's, when it is new), or a
    // power cut could take an acknowledged record with it.
    if (folderReady && TextFile::append(path, headerLine(), true) && TextFile::syncFolder(folder)
        && (folderExisted || TextFile::syncFolder(QFileInfo(folder).absolutePath())))
        return true;
    if (!existedBefore && regularFileSize(path))
        QFile::remove(path);
    m_dialogs.messageBox(path + QStringLiteral(" could not be made"), kProblemTitle);
    return false;
}

bool LogFile::append(const QString &path, const QByteArray &line) const
{
    const auto sizeBefore = regularFileSize(path);
    if (TextFile::append(path, lineEndMissing(path) + line))
        return true;
    if (sizeBefore) {
        QFile file(path);
        if (file.size() > *sizeBefore)
            file.resize(*sizeBefore);
    }
    return false;
}

LogFile::StoreResult LogFile::store(const QDate &day, const QByteArray &line)
{
    const QString dayPath = path(day);
    if (!TextFile::exists(dayPath) && !MakeNewLogFile(dayPath))
        return StoreResult::NotMade;
    return append(dayPath, line) ? StoreResult::Stored : StoreResult::NotWritten;
}
