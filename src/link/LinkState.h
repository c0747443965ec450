#pragma once

#include <QDateTime>

#include <set>

// Which terminal is being served and how many records it still holds; shared by the poll
// scheduler and the record intake.
struct LinkState
{
    // Kept: starts at 0, not -1, because no terminal has address 0 and the first count request,
    // six ticks after start-up, sets it to -1.
    int ServedTerminal = 0; // -1: none
    int RecordsOutstanding = 0; // 0: no terminal is being served

    // Since when the served terminal has been quiet (it was asked or answered then), and how
    // often it was asked again without an answer.
    QDateTime quietSince;
    int asksUnanswered = 0;
    // Terminals not served again until the next count request: silent ones, and ones holding a
    // record this program cannot read.
    std::set<int> passedOver;

    // The served terminal answered: it is not silent.
    void heard(const QDateTime &now)
    {
        quietSince = now;
        asksUnanswered = 0;
    }
    // Stop serving the served terminal until the next count request.
    void passOver()
    {
        passedOver.insert(ServedTerminal);
        ServedTerminal = -1;
        RecordsOutstanding = 0;
    }
};
