#pragma once

#include <QObject>

#include <map>
#include <optional>
#include <vector>

// The terminals on the line as the link knows them: what each reported at the last count request,
// which one is served and how its serving goes. The poll scheduler and the record intake read and
// change it through these names; the options window's status grid only shows it.
class TerminalTable : public QObject
{
    Q_OBJECT
public:
    // Whether a terminal answered the last count request ("Pre."), or holds a record this program
    // cannot read.
    enum class Presence { NotHeard, Answered, Unreadable };
    struct Terminal
    {
        std::optional<int> recordsReported; // "Rec.": none until the first count request
        Presence presence = Presence::NotHeard;
    };
    // Why a terminal is not served again until the next count request.
    enum class PassedOver { Quiet, Unusable, UnknownType };
    // Unusable records in a row (cut short) after which a terminal is passed over: one broken
    // packet on a poor line is common, three in a row are a broken terminal.
    static constexpr int kUnusableBeforePassingOver = 3;

    // Terminals 1..count, none heard yet.
    void setTerminalCount(int count);
    int terminalCount() const { return int(m_terminals.size()); }
    bool isTerminal(int address) const { return address >= 1 && address <= terminalCount(); }
    // `address` must be a terminal's.
    const Terminal &terminal(int address) const { return m_terminals[size_t(address) - 1]; }
    // The terminal that answered last, 0 for none.
    int lastAnswered() const { return m_lastAnswered; }

    // A terminal's answer to a count request.
    void countAnswered(int address, int count);
    // The served terminal's last record was stored: it reports nothing until the next count.
    void drained(int address);
    void markUnreadable(int address);
    // A count request went to every terminal: each holds 0 until it answers, none is served and
    // none passed over.
    void countRequested();

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
    void serve(int terminal, int count);
    // A request was written to the served terminal: it has the quiet time to answer.
    void asked(qint64 nowMs) { quietSinceMs = nowMs; }
    // A record of the served terminal was stored (or known) and acknowledged.
    void progress(qint64 nowMs);
    // Stop serving the served terminal until the next count request.
    void passOver(PassedOver why);

Q_SIGNALS:
    // What the status grid shows changed.
    void changed();

private:
    Terminal *find(int address) { return isTerminal(address) ? &m_terminals[size_t(address) - 1] : nullptr; }

    std::vector<Terminal> m_terminals;
    int m_lastAnswered = 0;
};
