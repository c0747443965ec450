#include "link/TerminalTable.h"

void TerminalTable::setTerminalCount(int count)
{
    m_terminals.assign(size_t(std::max(count, 0)), Terminal{});
    m_lastAnswered = 0;
    Q_EMIT changed();
}

void TerminalTable::countAnswered(int address, int count)
{
    Terminal *terminal = find(address);
    if (!terminal)
        return;
    terminal->recordsReported = count;
    terminal->presence = Presence::Answered;
    m_lastAnswered = address;
    Q_EMIT changed();
}

void TerminalTable::drained(int address)
{
    if (Terminal *terminal = find(address)) {
        terminal->recordsReported.reset();
        Q_EMIT changed();
    }
}

void TerminalTable::markUnreadable(int address)
{
    if (Terminal *terminal = find(address)) {
        terminal->presence = Presence::Unreadable;
        Q_EMIT changed();
    }
}

void TerminalTable::countRequested()
{
    for (Terminal &terminal : m_terminals)
        terminal = {0, Presence::NotHeard};
    RecordsOutstanding = 0;
    ServedTerminal = -1;
    passedOver.clear();
    Q_EMIT changed();
}

// The only way a terminal comes to be served: its counts of asks and unusable records start anew.
void TerminalTable::serve(int terminal, int count)
{
    ServedTerminal = terminal;
    RecordsOutstanding = count;
    asksUnanswered = 0;
    unusableInARow = 0;
}

void TerminalTable::progress(qint64 nowMs)
{
    quietSinceMs = nowMs;
    asksUnanswered = 0;
    unusableInARow = 0;
}

void TerminalTable::passOver(PassedOver why)
{
    passedOver[ServedTerminal] = why;
    ServedTerminal = -1;
    RecordsOutstanding = 0;
}
