#include "RunReport.h"

#include <QJsonArray>
#include <QStringList>

namespace RunReport {

namespace {
QString stamp(double seconds)
{
    return QStringLiteral("[%1s]").arg(seconds, 0, 'f', 1);
}

QString kindText(TerminalEvent::Kind kind)
{
    switch (kind) {
    case TerminalEvent::Kind::CountAnswered:
        return QStringLiteral("count answered");
    case TerminalEvent::Kind::RecordSent:
        return QStringLiteral("record sent");
    case TerminalEvent::Kind::RecordResent:
        return QStringLiteral("record SENT AGAIN");
    case TerminalEvent::Kind::NothingToSend:
        return QStringLiteral("asked for a record, holds none");
    case TerminalEvent::Kind::Acknowledged:
        return QStringLiteral("record confirmed");
    case TerminalEvent::Kind::AckIgnored:
        return QStringLiteral("record packet ignored (not the confirmation)");
    case TerminalEvent::Kind::AckMissed:
        return QStringLiteral("confirmation MISSED (line fault), record kept");
    }
    return {};
}
} // namespace

QString eventLine(const TerminalEvent &event, double seconds)
{
    QString line
        = QStringLiteral("%1 T%2 %3").arg(stamp(seconds)).arg(event.address).arg(kindText(event.kind));
    if (event.record)
        line += QStringLiteral(": %1").arg(event.record->describe());
    return line + QStringLiteral(", holds %1").arg(event.held);
}

QString statusLine(const TerminalBank &bank, double seconds)
{
    QStringList parts;
    for (const HandTerminal &t : bank.terminals())
        parts << QStringLiteral("T%1 %2 held/%3 confirmed")
                     .arg(t.address())
                     .arg(t.held())
                     .arg(t.stats().acknowledged);
    return QStringLiteral("%1 status: %2; bad checksums %3")
        .arg(stamp(seconds), parts.join(QStringLiteral(", ")))
        .arg(bank.lineStats().badChecksums);
}

QString faultLine(const Faults &faults, int unusableRecords)
{
    const LineFaults::Counts &c = faults.counts;
    return QStringLiteral(
               "faults (seed %1): packets corrupted %2, confirmations missed %3, garbage bursts %4 "
               "(%5 bytes), line vanished %6 time(s) for %7 s, came back %8 time(s), late count answers "
               "%9, records cut short %10, records added %11, unusable records %12 (terminal %13)")
        .arg(faults.seed)
        .arg(c.packetsCorrupted)
        .arg(c.acksDropped)
        .arg(c.garbageBursts)
        .arg(c.garbageBytes)
        .arg(faults.vanishes)
        .arg(faults.secondsGone, 0, 'f', 1)
        .arg(faults.returns)
        .arg(c.lateCounts)
        .arg(c.recordsCutShort)
        .arg(faults.recordsAdded)
        .arg(unusableRecords)
        .arg(faults.unusableTerminal);
}

QString summary(const TerminalBank &bank, const Faults &faults, double seconds, bool withBroadcasts)
{
    QStringList lines;
    lines << QStringLiteral("summary after %1 s:").arg(seconds, 0, 'f', 1);
    if (faults.drainedAt)
        lines << QStringLiteral("every record%1 confirmed after %2 s")
                     .arg(faults.unusableTerminal > 0
                              ? QStringLiteral(" but broken terminal %1's").arg(faults.unusableTerminal)
                              : QString())
                     .arg(*faults.drainedAt, 0, 'f', 1);
    lines << QStringLiteral(
        "terminal  delivered  confirmed  sent-again  held  count-req  record-req  ignored  missed");
    int delivered = 0, confirmed = 0, resent = 0, held = 0, missed = 0, newCount = 0, unusable = 0;
    for (const HandTerminal &t : bank.terminals()) {
        const TerminalStats &s = t.stats();
        lines << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9")
                     .arg(t.address(), 8)
                     .arg(s.delivered, 10)
                     .arg(s.acknowledged, 10)
                     .arg(s.resent, 11)
                     .arg(t.held(), 5)
                     .arg(s.countRequests, 10)
                     .arg(s.recordRequests, 11)
                     .arg(s.ignoredAcks, 8)
                     .arg(s.missedAcks, 7);
        delivered += s.delivered;
        missed += s.missedAcks;
        newCount += s.resentWithNewCount;
        unusable += s.unusable;
        confirmed += s.acknowledged;
        resent += s.resent;
        held += t.held();
    }
    lines << QStringLiteral("%1 %2 %3 %4 %5 %6")
                 .arg(QStringLiteral("all"), 8)
                 .arg(delivered, 10)
                 .arg(confirmed, 10)
                 .arg(resent, 11)
                 .arg(held, 5)
                 .arg(missed, 39);
    lines << QStringLiteral("sent again with a new records-left count %1").arg(newCount);
    const auto &line = bank.lineStats();
    lines << QStringLiteral("packets received %1, bad checksums %2, empty FC %3, FB %4")
                 .arg(line.packets)
                 .arg(line.badChecksums)
                 .arg(line.emptyFc)
                 .arg(line.fbPackets);
    lines << faultLine(faults, unusable);
    if (withBroadcasts)
        lines << bank.broadcasts().toText();
    else
        lines << QStringLiteral("broadcast items received %1").arg(bank.broadcasts().itemsReceived);
    return lines.join(QLatin1Char('\n'));
}

QJsonObject state(const TerminalBank &bank, const Faults &faults, double seconds, const QString &phase)
{
    QJsonArray terminals;
    int acknowledged = 0, resent = 0, held = 0, newCount = 0, unusable = 0;
    for (const HandTerminal &t : bank.terminals()) {
        const TerminalStats &s = t.stats();
        terminals.append(QJsonObject{{QStringLiteral("address"), t.address()},
                                     {QStringLiteral("held"), t.held()},
                                     {QStringLiteral("delivered"), s.delivered},
                                     {QStringLiteral("acknowledged"), s.acknowledged},
                                     {QStringLiteral("resent"), s.resent},
                                     {QStringLiteral("countRequests"), s.countRequests},
                                     {QStringLiteral("recordRequests"), s.recordRequests},
                                     {QStringLiteral("ignoredAcks"), s.ignoredAcks},
                                     {QStringLiteral("missedAcks"), s.missedAcks},
                                     {QStringLiteral("resentWithNewCount"), s.resentWithNewCount},
                                     {QStringLiteral("unusable"), s.unusable}});
        newCount += s.resentWithNewCount;
        unusable += s.unusable;
        acknowledged += s.acknowledged;
        resent += s.resent;
        held += t.held();
    }
    const LineFaults::Counts &c = faults.counts;
    const QJsonObject faultState{{QStringLiteral("seed"), qint64(faults.seed)},
                                 {QStringLiteral("corruptRate"), faults.rates.corrupt},
                                 {QStringLiteral("dropAcksRate"), faults.rates.dropAcks},
                                 {QStringLiteral("garbageRate"), faults.rates.garbage},
                                 {QStringLiteral("packetsCorrupted"), c.packetsCorrupted},
                                 {QStringLiteral("acksDropped"), c.acksDropped},
                                 {QStringLiteral("garbageBursts"), c.garbageBursts},
                                 {QStringLiteral("garbageBytes"), c.garbageBytes},
                                 {QStringLiteral("vanishes"), faults.vanishes},
                                 {QStringLiteral("returns"), faults.returns},
                                 {QStringLiteral("secondsGone"), faults.secondsGone},
                                 {QStringLiteral("lateCountsRate"), faults.rates.lateCounts},
                                 {QStringLiteral("shortRecordsRate"), faults.rates.shortRecords},
                                 {QStringLiteral("lateCounts"), c.lateCounts},
                                 {QStringLiteral("recordsCutShort"), c.recordsCutShort},
                                 {QStringLiteral("recordsAdded"), faults.recordsAdded},
                                 {QStringLiteral("unusableTerminal"), faults.unusableTerminal},
                                 {QStringLiteral("unusableRecords"), unusable}};
    const auto &line = bank.lineStats();
    const QJsonValue drainedAt = faults.drainedAt ? QJsonValue(*faults.drainedAt) : QJsonValue();
    return QJsonObject{{QStringLiteral("phase"), phase},
                       {QStringLiteral("seconds"), seconds},
                       {QStringLiteral("drained"), bank.drained()},
                       {QStringLiteral("drainedAt"), drainedAt},
                       {QStringLiteral("terminals"), terminals},
                       {QStringLiteral("acknowledged"), acknowledged},
                       {QStringLiteral("resent"), resent},
                       {QStringLiteral("resentWithNewCount"), newCount},
                       {QStringLiteral("held"), held},
                       {QStringLiteral("lineUp"), faults.returns == faults.vanishes},
                       {QStringLiteral("faults"), faultState},
                       {QStringLiteral("packets"), line.packets},
                       {QStringLiteral("badChecksums"), line.badChecksums},
                       {QStringLiteral("broadcasts"), bank.broadcasts().toJson()}};
}

} // namespace RunReport
