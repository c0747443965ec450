#pragma once

#include "platform/TextFile.h"

#include <QByteArray>
#include <QDate>
#include <QString>

// The daily farrowing log files: ProgramFolder/VimoLog/FAR-YYYY-MM-DD.txt, tab-separated,
// one header line and then one line per record, only ever appended to.
class LogFile
{
public:
    explicit LogFile(const QString &programFolder);

    // The file of one day.
    QString path(const QDate &day) const;
    static QByteArray headerLine();

    // Creates the file with its header line, making the VimoLog folder when it is missing.
    // When it fails, a file it started is removed again, so that the next attempt begins with a
    // proper header; the caller tells the user.
    bool MakeNewLogFile(const QString &FilePathName);

    // Appends one whole line with a single write. On failure a partly written line is cut
    // off again, so the next record is never glued onto it. Nothing is shown to the user.
    TextFile::Outcome append(const QString &path, const QByteArray &line) const;

    // The side file beside a day file that keeps the bytes of torn writes cut from it.
    static QString tornPath(const QString &dayPath);
    // Moves a torn end of the file (see LogLine::tornTail) to its side file, so that the next
    // line is not glued onto it and it is neither shown nor counted. The bytes are kept, never
    // lost. False when the file cannot be read or repaired.
    static bool setAsideTornEnd(const QString &dayPath);

    enum class StoreResult { Stored, NotMade, NotWritten, NotAFile };
    // Stores a record line in the file of `day`, creating the file first when needed. Nothing is
    // reported: the caller tells the user.
    StoreResult store(const QDate &day, const QByteArray &line);

private:
    QString m_programFolder;
};
