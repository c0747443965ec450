#pragma once

#include "TerminalBank.h"

#include <QJsonObject>
#include <QString>

// How the run went, as the summary shows it and the state file holds it.
namespace RunReport {

// A per-terminal table, the line counters and, when asked, the broadcast items.
QString summary(const TerminalBank &bank, double seconds, bool withBroadcasts);
// One line: what each terminal still holds and has had confirmed.
QString statusLine(const TerminalBank &bank, double seconds);
// A progress line for one event.
QString eventLine(const TerminalEvent &event, double seconds);
QJsonObject state(const TerminalBank &bank, double seconds, const QString &phase);

} // namespace RunReport
