#pragma once

#include "BroadcastState.h"
#include "HandTerminal.h"
#include "protocol/Frames.h"

#include <QByteArray>
#include <QString>

#include <span>
#include <vector>

// The terminals on one line, addresses 1..N, hearing every packet the PC sends.
class TerminalBank
{
public:
    // One packet a terminal puts on the line.
    struct Answer
    {
        int address = 0;
        QByteArray bytes;
    };
    struct Outcome
    {
        std::vector<Answer> answers; // in address order
        std::vector<TerminalEvent> events;
        std::optional<QString> broadcast; // the item a broadcast carried
        bool badChecksum = false;
    };
    struct LineStats
    {
        int packets = 0;
        int badChecksums = 0;
        int emptyFc = 0; // FC packets without data bytes
        int fbPackets = 0;
    };

    // records[i] are the records of terminal i + 1.
    explicit TerminalBank(std::vector<std::vector<TerminalRecord>> records);
    TerminalBank(const TerminalBank &) = delete;
    TerminalBank &operator=(const TerminalBank &) = delete;

    // Decides for each confirmation whether the terminal misses it (line faults).
    void setAckFilter(HandTerminal::AckFilter filter) { m_ackFilter = std::move(filter); }

    // One complete packet from the PC, as its bytes on the line.
    Outcome onPacket(Packet::Type type, std::span<const std::uint8_t> bytes);

    // Staff record a new farrowing on terminal `address`.
    void add(int address, const TerminalRecord &record)
    {
        m_terminals.at(std::size_t(address - 1)).add(record);
    }

    // Terminal `address` sends only records cut short from now on (--unusable-terminal).
    void breakDown(int address) { m_terminals.at(std::size_t(address - 1)).breakDown(); }

    // Every terminal has had all its records confirmed; a broken one can never be, so it does not count.
    bool drained() const;
    const std::vector<HandTerminal> &terminals() const { return m_terminals; }
    const BroadcastState &broadcasts() const { return m_broadcasts; }
    const LineStats &lineStats() const { return m_stats; }

private:
    template<typename Fields> void dispatch(const Fields &fields, Outcome &outcome);

    std::vector<HandTerminal> m_terminals;
    BroadcastState m_broadcasts;
    LineStats m_stats;
    HandTerminal::AckFilter m_ackFilter;
};
