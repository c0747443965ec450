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

QString summary(const TerminalBank &bank, double seconds, bool withBroadcasts)
{
    QStringList lines;
    lines << QStringLiteral("summary after %1 s:").arg(seconds, 0, 'f', 1);
    lines << QStringLiteral(
        "terminal  delivered  confirmed  sent-again  held  count-req  record-req  ignored");
    int delivered = 0, confirmed = 0, resent = 0, held = 0;
    for (const HandTerminal &t : bank.terminals()) {
        const TerminalStats &s = t.stats();
        lines << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
                     .arg(t.address(), 8)
                     .arg(s.delivered, 10)
                     .arg(s.acknowledged, 10)
                     .arg(s.resent, 11)
                     .arg(t.held(), 5)
                     .arg(s.countRequests, 10)
                     .arg(s.recordRequests, 11)
                     .arg(s.ignoredAcks, 8);
        delivered += s.delivered;
        confirmed += s.acknowledged;
        resent += s.resent;
        held += t.held();
    }
    lines << QStringLiteral("%1 %2 %3 %4 %5")
                 .arg(QStringLiteral("all"), 8)
                 .arg(delivered, 10)
                 .arg(confirmed, 10)
                 .arg(resent, 11)
                 .arg(held, 5);
    const auto &line = bank.lineStats();
    lines << QStringLiteral("packets received %1, bad checksums %2, empty FC %3, FB %4")
                 .arg(line.packets)
                 .arg(line.badChecksums)
                 .arg(line.emptyFc)
                 .arg(line.fbPackets);
    if (withBroadcasts)
        lines << bank.broadcasts().toText();
    else
        lines << QStringLiteral("broadcast items received %1").arg(bank.broadcasts().itemsReceived);
    return lines.join(QLatin1Char('\n'));
}

QJsonObject state(const TerminalBank &bank, double seconds, const QString &phase)
{
    QJsonArray terminals;
    for (const HandTerminal &t : bank.terminals()) {
        const TerminalStats &s = t.stats();
        terminals.append(QJsonObject{{QStringLiteral("address"), t.address()},
                                     {QStringLiteral("held"), t.held()},
                                     {QStringLiteral("delivered"), s.delivered},
                                     {QStringLiteral("acknowledged"), s.acknowledged},
                                     {QStringLiteral("resent"), s.resent},
                                     {QStringLiteral("countRequests"), s.countRequests},
                                     {QStringLiteral("recordRequests"), s.recordRequests},
                                     {QStringLiteral("ignoredAcks"), s.ignoredAcks}});
    }
    const auto &line = bank.lineStats();
    return QJsonObject{{QStringLiteral("phase"), phase},
                       {QStringLiteral("seconds"), seconds},
                       {QStringLiteral("drained"), bank.drained()},
                       {QStringLiteral("terminals"), terminals},
                       {QStringLiteral("packets"), line.packets},
                       {QStringLiteral("badChecksums"), line.badChecksums},
                       {QStringLiteral("broadcasts"), bank.broadcasts().toJson()}};
}

} // namespace RunReport
