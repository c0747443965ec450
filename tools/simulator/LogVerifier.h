#pragma once

#include "TerminalRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// Checks that every record the PC confirmed is in its daily log files exactly once. A line
// matches a record when all thirteen fields are as the program writes that record.
class LogVerifier
{
public:
    struct Finding
    {
        TerminalRecord record;
        int expected = 0;
        int found = 0;
        QStringList places; // "FAR-2024-03-07.txt:5" for each line found
    };
    struct Result
    {
        int filesRead = 0;
        int recordLines = 0;
        std::vector<Finding> missing;
        std::vector<Finding> duplicated;
        int inFlightStored = 0; // sent, stored, but the confirmation had not come when the run ended
        int otherLines = 0; // lines of no record of this run (earlier runs, other terminals)
        QStringList notes; // oddities that are not a loss: files without header, bare LF
        bool ok() const { return missing.empty() && duplicated.empty(); }
        QString toText() const;
    };
    struct LogFile
    {
        QString name;
        QByteArray contents;
    };

    LogVerifier(std::vector<TerminalRecord> acknowledged, std::vector<TerminalRecord> inFlight)
        : m_acknowledged(std::move(acknowledged)), m_inFlight(std::move(inFlight))
    { }

    // Reads <programFolder>/VimoLog/FAR-*.txt.
    Result verifyFolder(const QString &programFolder) const;
    Result verify(const std::vector<LogFile> &files) const;

    static QByteArray headerLine();

private:
    std::vector<TerminalRecord> m_acknowledged;
    std::vector<TerminalRecord> m_inFlight;
};
