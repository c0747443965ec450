#include "records/StoredLines.h"

#include "records/LogFile.h"
#include "records/LogLine.h"

#include <algorithm>

void StoredLines::load(const LogFile &logFile, const QDate &today)
{
    m_days.clear();
    for (const QDate &day : {today.addDays(-1), today}) {
        const auto file = LogLine::readDay(logFile.path(day));
        if (!file)
            continue;
        QSet<QByteArray> &lines = m_days[day];
        bool header = true;
        for (QByteArray line : file->bytes.split('\n')) {
            if (line.endsWith('\r'))
                line.chop(1);
            if (!std::exchange(header, false) && !line.isEmpty())
                lines.insert(line);
        }
    }
}

bool StoredLines::contains(const QByteArray &line) const
{
    return std::any_of(m_days.begin(), m_days.end(),
                       [&line](const auto &day) { return day.second.contains(line); });
}

void StoredLines::add(const QDate &day, const QByteArray &line)
{
    m_days[day].insert(line);
    // A record goes back at most one day: older days need not be kept.
    m_days.erase(m_days.begin(), m_days.lower_bound(day.addDays(-1)));
}
