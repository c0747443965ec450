#include "LineFaults.h"

#include "protocol/Frames.h"

namespace {
// Separate streams for the kinds of fault, all from the one seed.
constexpr quint32 kCorruptStream = 0x9e3779b9u;
constexpr quint32 kGarbageStream = 0x85ebca6bu;
constexpr quint32 kAckStream = 0xc2b2ae35u;
constexpr quint32 kLateStream = 0x27d4eb2fu;
constexpr quint32 kShortStream = 0x165667b1u;
} // namespace

LineFaults::LineFaults(Rates rates, quint32 seed)
    : m_rates(rates), m_corruptRandom(seed ^ kCorruptStream), m_garbageRandom(seed ^ kGarbageStream),
      m_ackRandom(seed ^ kAckStream), m_lateRandom(seed ^ kLateStream), m_shortRandom(seed ^ kShortStream)
{ }

bool LineFaults::happens(QRandomGenerator &random, double rate)
{
    // No draw at all when the fault is off keeps the other draws where they were.
    if (rate <= 0)
        return false;
    return rate >= 1 || random.generateDouble() < rate;
}

QByteArray LineFaults::corrupt(QByteArray packet)
{
    const bool record = packet.startsWith(char(0xFC));
    const double rate = record && m_rates.corruptRecords > 0 ? m_rates.corruptRecords : m_rates.corrupt;
    if (packet.isEmpty() || !happens(m_corruptRandom, rate))
        return packet;
    const int position = int(m_corruptRandom.bounded(int(packet.size())));
    // XOR with 1..255 always gives a different byte.
    packet[position] = char(std::uint8_t(packet[position]) ^ std::uint8_t(1 + m_corruptRandom.bounded(255)));
    ++m_counts.packetsCorrupted;
    return packet;
}

QByteArray LineFaults::garbage()
{
    if (!happens(m_garbageRandom, m_rates.garbage))
        return {};
    const int length = 1 + int(m_garbageRandom.bounded(kLongestBurst));
    QByteArray burst(length, '\0');
    for (char &byte : burst)
        byte = char(m_garbageRandom.bounded(256));
    ++m_counts.garbageBursts;
    m_counts.garbageBytes += length;
    return burst;
}

bool LineFaults::dropAck()
{
    if (!happens(m_ackRandom, m_rates.dropAcks))
        return false;
    ++m_counts.acksDropped;
    return true;
}

bool LineFaults::lateCount()
{
    if (!happens(m_lateRandom, m_rates.lateCounts))
        return false;
    ++m_counts.lateCounts;
    return true;
}

QByteArray LineFaults::cutShort(QByteArray packet)
{
    if (!packet.startsWith(char(0xFC)) || !happens(m_shortRandom, m_rates.shortRecords))
        return packet;
    const std::vector<std::uint8_t> bytes(packet.begin(), packet.end());
    const auto fields = Packet::FcFrame::decode(bytes);
    // At least the two count bytes, so that a PC that wrongly confirmed it would be heard.
    const int keep = 2 + int(m_shortRandom.bounded(fields.count - 2));
    ++m_counts.recordsCutShort;
    return Packet::FcFrame::make(fields.address, Packet::Command(fields.command),
                                 (fields.subCode & 0x0F) * 16, fields.payload().first(std::size_t(keep)),
                                 fields.flag ? Packet::FlagMode::Always : Packet::FlagMode::Never)
        .encode();
}
