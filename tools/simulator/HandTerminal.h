#pragma once

#include "TerminalRecord.h"
#include "protocol/Frames.h"

#include <deque>
#include <functional>
#include <optional>
#include <vector>

// What a terminal did with one packet, for the progress lines.
struct TerminalEvent
{
    enum class Kind {
        CountAnswered, // told the PC how many records it holds
        RecordSent, // sent its oldest record for the first time
        RecordResent, // sent it again: the acknowledgement had not come
        NothingToSend, // asked for a record while holding none: answered with a count of 0
        Acknowledged, // the PC confirmed the oldest record; it is deleted
        AckIgnored, // a record-command packet whose two bytes did not match
        AckMissed, // the confirmation came but the terminal did not hear it (a line fault)
    };
    Kind kind;
    int address = 0;
    int held = 0; // records held after the event
    std::optional<TerminalRecord> record;
};

struct TerminalStats
{
    int countRequests = 0;
    int recordRequests = 0;
    int delivered = 0; // first sendings
    int resent = 0;
    int acknowledged = 0;
    int ignoredAcks = 0;
    int missedAcks = 0;
    int resentWithNewCount = 0; // sent again with other records-left bytes: one was added meanwhile
    int unusable = 0; // record packets a broken terminal sent cut short
};

// One hand terminal on the line, as a real one behaves: it answers count requests, sends its
// oldest record when asked, and deletes that record only when the PC echoes the first two bytes
// it last sent of it back; then it goes on with the next record at once. Staff may record a new
// farrowing at any time, which changes those two bytes at the next sending.
class HandTerminal
{
public:
    HandTerminal(int address, std::vector<TerminalRecord> records);

    int address() const { return m_address; }
    int held() const { return int(m_records.size()); }
    const TerminalStats &stats() const { return m_stats; }
    // Records the PC confirmed, in the order they were deleted, as they were sent.
    const std::vector<TerminalRecord> &acknowledged() const { return m_acknowledged; }
    // The oldest record when it has been sent but not yet confirmed.
    std::optional<TerminalRecord> inFlight() const;
    // A farrowing recorded now: it goes after the records held.
    void add(const TerminalRecord &record) { m_records.push_back(record); }
    // From now on every record goes out with only its first bytes (right checksums), so the PC
    // can never confirm one: a broken terminal.
    void breakDown() { m_broken = true; }
    bool broken() const { return m_broken; }

    // Asked for each confirmation of a record; when it says so, the terminal does not hear it:
    // it keeps the record and sends it again when it is next asked.
    using AckFilter = std::function<bool()>;

    // Packets from the PC whose checksum is right; what the terminal puts on the line in
    // answer is appended to `answer`.
    std::vector<TerminalEvent> onFa(const Packet::FaFrame &packet, QByteArray &answer);
    std::vector<TerminalEvent> onFc(const Packet::FcFrame &packet, QByteArray &answer,
                                    const AckFilter &missAck = {});

private:
    TerminalRecord outgoing() const; // the oldest record with the count after it filled in
    TerminalRecord sent() const; // the oldest record as it last went out
    TerminalEvent sendOldest(QByteArray &answer);
    QByteArray countAnswer(int count) const;
    TerminalEvent event(TerminalEvent::Kind kind, std::optional<TerminalRecord> record = std::nullopt) const;

    int m_address;
    std::deque<TerminalRecord> m_records;
    bool m_oldestSent = false;
    bool m_broken = false;
    int m_sentRemaining = 0; // the records-left count the oldest last went out with
    TerminalStats m_stats;
    std::vector<TerminalRecord> m_acknowledged;
};
