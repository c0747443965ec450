#pragma once

#include <QByteArray>
#include <QDate>
#include <QSet>

#include <map>

class LogFile;

// The log lines already stored on the days a record sent again could have been stored on, so that
// a record whose acknowledgement was lost is never stored twice: across a restart, midnight, a
// weekend with the PC off or the terminal away from its dock, and a clock set forward and back.
// Each day file is read once, when first needed, and then kept up to date with what is stored.
class StoredLines
{
public:
    // How far back a record is looked for: a terminal away for a month is not plausible, and the
    // days read must stay few.
    static constexpr int kDaysBack = 31;

    explicit StoredLines(const LogFile &logFile) : m_logFile(logFile) { }

    // Whether `line` (without its line end) is stored on a day from `recordDay` to `today`; for a
    // record dated after today or more than kDaysBack before it, on yesterday or today.
    bool contains(const QByteArray &line, const QDate &recordDay, const QDate &today);
    void add(const QDate &day, const QByteArray &line);

private:
    const QSet<QByteArray> &day(const QDate &day);

    const LogFile &m_logFile;
    std::map<QDate, QSet<QByteArray>> m_days;
};
