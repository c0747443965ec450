#include "HandTerminal.h"

#include <algorithm>
#include <utility>

namespace {
constexpr int kRecordSubCode = 192;
constexpr int kAckLength = 2;
constexpr int kBrokenLength = 16; // data bytes of a broken terminal's record: fewer than a record's 30
} // namespace

HandTerminal::HandTerminal(int address, std::vector<TerminalRecord> records)
    : m_address(address), m_records(records.begin(), records.end())
{ }

std::optional<TerminalRecord> HandTerminal::inFlight() const
{
    if (!m_oldestSent || m_records.empty())
        return std::nullopt;
    return sent();
}

TerminalRecord HandTerminal::sent() const
{
    TerminalRecord record = m_records.front();
    record.setRemaining(m_sentRemaining);
    return record;
}

TerminalRecord HandTerminal::outgoing() const
{
    TerminalRecord record = m_records.front();
    record.setRemaining(held() - 1);
    return record;
}

TerminalEvent HandTerminal::event(TerminalEvent::Kind kind, std::optional<TerminalRecord> record) const
{
    return TerminalEvent{kind, m_address, held(), std::move(record)};
}

QByteArray HandTerminal::countAnswer(int count) const
{
    return Packet::FaFrame::make(m_address, Packet::Command::Count, count, Packet::FlagMode::Never).encode();
}

TerminalEvent HandTerminal::sendOldest(QByteArray &answer)
{
    const TerminalRecord record = outgoing();
    const std::span<const std::uint8_t> data
        = m_broken ? std::span(record.bytes).first(kBrokenLength) : std::span(record.bytes);
    answer += Packet::FcFrame::make(m_address, Packet::Command::Record, kRecordSubCode, data,
                                    Packet::FlagMode::HighAddress)
                  .encode();
    m_stats.unusable += m_broken ? 1 : 0;
    const bool again = std::exchange(m_oldestSent, true);
    ++(again ? m_stats.resent : m_stats.delivered);
    if (again && m_sentRemaining != record.remaining())
        ++m_stats.resentWithNewCount;
    m_sentRemaining = record.remaining();
    return event(again ? TerminalEvent::Kind::RecordResent : TerminalEvent::Kind::RecordSent, record);
}

std::vector<TerminalEvent> HandTerminal::onFa(const Packet::FaFrame &packet, QByteArray &answer)
{
    const bool toMe = packet.address == m_address;
    switch (Packet::Command(packet.command)) {
    case Packet::Command::Count:
        if (!toMe && packet.address != Packet::kBroadcastAddress)
            return {};
        ++m_stats.countRequests;
        // A terminal cannot report more than the PC accepts in a count answer.
        answer += countAnswer(std::min(held(), Packet::kMaxValue));
        return {event(TerminalEvent::Kind::CountAnswered)};
    case Packet::Command::Record:
        if (!toMe)
            return {};
        ++m_stats.recordRequests;
        if (m_records.empty()) {
            // Nothing to send: saying so lets the PC stop waiting for this terminal.
            answer += countAnswer(0);
            return {event(TerminalEvent::Kind::NothingToSend)};
        }
        return {sendOldest(answer)};
    default:
        return {};
    }
}

std::vector<TerminalEvent> HandTerminal::onFc(const Packet::FcFrame &packet, QByteArray &answer,
                                              const AckFilter &missAck)
{
    if (packet.address != m_address || Packet::Command(packet.command) != Packet::Command::Record)
        return {};
    const int echoed = packet.data[0] * 256 + packet.data[1];
    const bool confirmsOldest
        = packet.count == kAckLength && m_oldestSent && !m_records.empty() && echoed == m_sentRemaining;
    if (!confirmsOldest) {
        // Also the count the PC repeats after a count answer: it deletes nothing.
        ++m_stats.ignoredAcks;
        return {event(TerminalEvent::Kind::AckIgnored)};
    }
    const TerminalRecord confirmed = sent();
    if (missAck && missAck()) {
        ++m_stats.missedAcks;
        return {event(TerminalEvent::Kind::AckMissed, confirmed)};
    }
    m_records.pop_front();
    m_oldestSent = false;
    m_acknowledged.push_back(confirmed);
    ++m_stats.acknowledged;
    std::vector<TerminalEvent> events{event(TerminalEvent::Kind::Acknowledged, confirmed)};
    if (!m_records.empty())
        events.push_back(sendOldest(answer));
    return events;
}
