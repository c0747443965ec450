#pragma once

#include "LineFaults.h"
#include "TerminalBank.h"

#include <QJsonObject>
#include <QString>

#include <optional>

// How the run went, as the summary shows it and the state file holds it.
namespace RunReport {

// What the line faults did in a run.
struct Faults
{
    LineFaults::Rates rates;
    LineFaults::Counts counts;
    quint32 seed = 0;
    int vanishes = 0; // the line went away
    int returns = 0; // ... and came back
    double secondsGone = 0;
    int recordsAdded = 0; // recorded on the terminals during the run
    int unusableTerminal = 0; // the broken terminal; 0: none
    std::optional<double> drainedAt; // seconds until every terminal but a broken one was drained
};

// A per-terminal table, the line counters and, when asked, the broadcast items.
QString summary(const TerminalBank &bank, const Faults &faults, double seconds, bool withBroadcasts);
// One line: what each terminal still holds and has had confirmed.
QString statusLine(const TerminalBank &bank, double seconds);
// A progress line for one event.
QString eventLine(const TerminalEvent &event, double seconds);
QJsonObject state(const TerminalBank &bank, const Faults &faults, double seconds, const QString &phase);

} // namespace RunReport
