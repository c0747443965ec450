#pragma once

#include <QtGlobal>

#include <map>

// Which terminal is being served and how many records it still holds; shared by the poll
// scheduler and the record intake.
struct LinkState
{
    // Why a terminal is not served again until the next count request.
    enum class PassedOver { Quiet, Unusable, UnknownType };
    // Unusable records in a row (cut short) after which a terminal is passed over: one broken
    // packet on a poor line is common, three in a row are a broken terminal.
    static constexpr int kUnusableBeforePassingOver = 3;

    // Kept: starts at 0, not -1, because no terminal has address 0 and the first count request,
    // six ticks after start-up, sets it to -1.
    int ServedTerminal = 0; // -1: none
    int RecordsOutstanding = 0; // 0: no terminal is being served

    // When the served terminal was last asked or acknowledged (on a monotonic clock, in ms: a
    // clock set back must not stall the line), how often it was asked again since its last
    // stored record, and how many unusable records it sent in a row.
    qint64 quietSinceMs = 0;
    int asksUnanswered = 0;
    int unusableInARow = 0;
    std::map<int, PassedOver> passedOver;

    // A terminal with records is served from now on.
    void serve(int terminal, int count)
    {
        ServedTerminal = terminal;
        RecordsOutstanding = count;
        asksUnanswered = 0;
        unusableInARow = 0;
    }
    // A request was written to the served terminal: it has the quiet time to answer.
    void asked(qint64 nowMs) { quietSinceMs = nowMs; }
    // A record of the served terminal was stored (or known) and acknowledged.
    void progress(qint64 nowMs)
    {
        quietSinceMs = nowMs;
        asksUnanswered = 0;
        unusableInARow = 0;
    }
    // Stop serving the served terminal until the next count request.
    void passOver(PassedOver why)
    {
        passedOver[ServedTerminal] = why;
        ServedTerminal = -1;
        RecordsOutstanding = 0;
        asksUnanswered = 0;
        unusableInARow = 0;
    }
};
