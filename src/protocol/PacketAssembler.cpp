#include "protocol/PacketAssembler.h"

#include <QtGlobal>

#include <optional>

namespace {
constexpr int kCountHigh = 7; // FC: the pair of n sits at positions 7-8
constexpr int kCountLow = 8;

std::optional<Packet::Type> startOf(std::uint8_t byte)
{
    switch (Packet::StartByte(byte)) {
    case Packet::StartByte::FA:
        return Packet::Type::FA;
    case Packet::StartByte::FB:
        return Packet::Type::FB;
    case Packet::StartByte::FC:
        return Packet::Type::FC;
    }
    return std::nullopt;
}
} // namespace

PacketAssembler::Result PacketAssembler::push(std::uint8_t byte)
{
    if (const auto start = startOf(byte)) {
        m_index = 0;
        m_type = *start;
        m_countRead = false;
        m_discarding = false;
    } else if (m_discarding) {
        return Result::Pending;
    }

    // The longest packet (a count of kMaxReceivedData) ends at the buffer's last byte, and any
    // other byte run completes or is dropped before it: the index never runs past the buffer.
    Q_ASSERT(m_index < kBufferSize);
    m_buffer[size_t(m_index)] = byte;

    if (m_type == Packet::Type::FC && m_index == kCountHigh) {
        m_pendingCount = byte;
    } else if (m_type == Packet::Type::FC && m_index == kCountLow) {
        m_pendingCount += byte;
        if (m_pendingCount > Packet::kMaxReceivedData) {
            // It cannot fit the buffer: drop it whole, its count included.
            m_discarding = true; // until the next start byte, which also resets the index
            m_doneLength = kCountLow + 1;
            return Result::Dropped;
        }
        m_count = m_pendingCount;
        m_last = 2 * m_count + 12;
        m_countRead = true;
    }

    ++m_index;
    if (!isComplete())
        return Result::Pending;
    m_doneLength = m_index;
    // Bytes that follow without a start byte are collected as the same type; an FC's count is read
    // again from them at its place before they can complete.
    m_index = 0;
    return Result::Complete;
}

bool PacketAssembler::isComplete() const
{
    switch (m_type) {
    case Packet::Type::FA:
        return m_index == Packet::kFaLength;
    case Packet::Type::FB:
        return m_index == Packet::kFbLength;
    case Packet::Type::FC:
        return m_countRead && m_index == m_last + 1;
    }
    return false;
}

std::span<const std::uint8_t> PacketAssembler::bytes() const
{
    return std::span<const std::uint8_t>(m_buffer).first(size_t(m_doneLength));
}
