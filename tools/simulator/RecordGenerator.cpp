#include "RecordGenerator.h"

#include <QRandomGenerator>

#include <algorithm>
#include <set>

namespace {
using B = TerminalRecord::Byte;

QByteArray uniqueSowId(QRandomGenerator &random, std::set<QByteArray> &used, int total)
{
    // Four digits as on the farm's ear tags while they last; more when the run needs more
    // (eight fill the ten characters).
    int digits = 4;
    int limit = 10000;
    while (limit < 2 * total && digits < 8) {
        ++digits;
        limit *= 10;
    }
    for (;;) {
        const QByteArray id = "DK" + QByteArray::number(random.bounded(limit)).rightJustified(digits, '0');
        if (used.insert(id).second)
            return id;
    }
}

TerminalRecord makeRecord(QRandomGenerator &random, const QDateTime &when, const QByteArray &sowId)
{
    TerminalRecord r;
    const QDate date = when.date();
    const QTime time = when.time();
    r.set(B::Type, 1 + random.bounded(3));
    r.set(B::Year, date.year() - 2000);
    r.set(B::Month, date.month());
    r.set(B::Day, date.day());
    r.set(B::Hour, time.hour());
    r.set(B::Minute, time.minute());
    r.set(B::Staff, random.bounded(20));
    r.set(B::ReactionTime, random.bounded(61));
    const int alive = random.bounded(21);
    r.set(B::Alive, alive);
    r.set(B::Still, random.bounded(4));
    r.set(B::Mumi, random.bounded(3));
    r.set(B::Weak, random.bounded(std::min(alive, 3) + 1));
    r.set(B::Female, random.bounded(alive + 1));
    r.set(B::BirthAssist, random.bounded(100) < 15 ? 1 : 0);
    const int medicine = random.bounded(100) < 40 ? 1 + random.bounded(10) : 0;
    r.set(B::Medication, medicine);
    r.set(B::Dose, medicine == 0 ? 0 : 1 + random.bounded(40));
    r.setTemperature(375 + random.bounded(36));
    r.setSow(sowId);
    return r;
}
} // namespace

std::vector<std::vector<TerminalRecord>> RecordGenerator::generate(int terminals, int perTerminal,
                                                                   const QDateTime &now) const
{
    QRandomGenerator random(m_seed);
    std::set<QByteArray> used;
    const int total = std::max(0, terminals) * std::max(0, perTerminal);
    std::vector<std::vector<TerminalRecord>> result(std::size_t(std::max(0, terminals)));
    for (auto &records : result) {
        std::vector<int> minutesBack;
        for (int i = 0; i < perTerminal; ++i)
            minutesBack.push_back(random.bounded(kSpanMinutes) + 1);
        std::sort(minutesBack.begin(), minutesBack.end(), std::greater<>());
        for (const int back : minutesBack)
            records.push_back(
                makeRecord(random, now.addSecs(-60LL * back), uniqueSowId(random, used, total)));
    }
    return result;
}

std::vector<TerminalRecord> RecordGenerator::later(int count, const QDateTime &now) const
{
    QRandomGenerator random(m_seed ^ 0x5bd1e995u);
    std::vector<TerminalRecord> records;
    for (int i = 0; i < count; ++i)
        records.push_back(makeRecord(random, now, "NW" + QByteArray::number(i).rightJustified(5, '0')));
    return records;
}
