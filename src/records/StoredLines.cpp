#include "records/StoredLines.h"

#include "records/LogFile.h"
#include "records/LogLine.h"

bool StoredLines::contains(const QByteArray &line, const QDate &recordDay, const QDate &today)
{
    // Days before the window are no longer asked for.
    m_days.erase(m_days.begin(), m_days.lower_bound(today.addDays(-kDaysBack)));
    const bool inWindow = recordDay.isValid() && recordDay <= today && recordDay >= today.addDays(-kDaysBack);
    for (QDate d = inWindow ? recordDay : today.addDays(-1); d <= today; d = d.addDays(1)) {
        if (day(d).contains(line))
            return true;
    }
    return false;
}

void StoredLines::add(const QDate &stored, const QByteArray &line)
{
    day(stored);
    m_days[stored].insert(line);
}

const QSet<QByteArray> &StoredLines::day(const QDate &day)
{
    const auto known = m_days.find(day);
    if (known != m_days.end())
        return known->second;
    QSet<QByteArray> &lines = m_days[day];
    if (const auto file = LogLine::readDay(m_logFile.path(day))) {
        bool header = true;
        for (QByteArray line : file->split('\n')) {
            if (line.endsWith('\r'))
                line.chop(1);
            if (!std::exchange(header, false) && !line.isEmpty())
                lines.insert(line);
        }
    }
    return lines;
}
