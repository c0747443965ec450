#pragma once

#include "TerminalRecord.h"

#include <QDateTime>

#include <vector>

// Makes plausible farrowing records for the simulated terminals: events within the last hours
// before `now`, oldest first, every sow id different ("DK1234" padded with blanks).
class RecordGenerator
{
public:
    static constexpr int kSpanMinutes = 6 * 60; // events lie this far back at most

    explicit RecordGenerator(quint32 seed) : m_seed(seed) { }

    // `perTerminal` records for each of `terminals` terminals; element i belongs to terminal i + 1.
    // The count bytes (0, 1) are left 0: the terminal fills them when it sends a record.
    std::vector<std::vector<TerminalRecord>> generate(int terminals, int perTerminal,
                                                      const QDateTime &now) const;

    // `count` records made during the run, at `now`, sow ids "NW" and five digits (none like
    // the ids above).
    std::vector<TerminalRecord> later(int count, const QDateTime &now) const;

private:
    quint32 m_seed;
};
