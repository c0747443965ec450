#pragma once

#include <QByteArray>
#include <QDate>
#include <QSet>

#include <map>

class LogFile;

// The log lines already stored on the days a record sent again could have been stored on
// (yesterday and today, read at start-up, and what was stored since), so that a record whose
// acknowledgement was lost is never stored twice, across a restart or midnight too.
class StoredLines
{
public:
    // Yesterday's and today's files as they are on the disk.
    void load(const LogFile &logFile, const QDate &today);
    // `line` without its line end.
    bool contains(const QByteArray &line) const;
    void add(const QDate &day, const QByteArray &line);

private:
    std::map<QDate, QSet<QByteArray>> m_days;
};
