#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

class Dialogs;

// The daily farrowing log files: ProgramFolder/VimoLog/FAR-YYYY-MM-DD.txt, tab-separated,
// one header line and then one line per record, only ever appended to.
class LogFile
{
public:
    LogFile(const QString &programFolder, Dialogs &dialogs);

    // The file of one day.
    QString path(const QDate &day) const;
    static QByteArray headerLine();

    // Creates the file with its header line, making the VimoLog folder when it is missing.
    // Tells the user when it fails; a file it started is then removed again, so that the next
    // attempt begins with a proper header.
    bool MakeNewLogFile(const QString &FilePathName);

    // Appends one whole line with a single write. On failure a partly written line is cut
    // off again, so the next record is never glued onto it. Nothing is shown to the user.
    bool append(const QString &path, const QByteArray &line) const;

    enum class StoreResult { Stored, NotMade, NotWritten };
    // Stores a record line in the file of `day`, creating the file first when needed (a file
    // that cannot be made is reported by MakeNewLogFile; a line that cannot be written is
    // left to the caller to report).
    StoreResult store(const QDate &day, const QByteArray &line);

private:
    QString m_programFolder;
    Dialogs &m_dialogs;
};
