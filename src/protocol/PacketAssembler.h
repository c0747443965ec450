#pragma once

#include "protocol/Frames.h"

#include <array>
#include <cstdint>
#include <span>

// Collects the bytes of the line into packets, one byte at a time, by their start byte.
// A start byte always begins a new packet and abandons a partial one. Bytes before the first
// start byte, or after a complete packet, are collected as a packet of the last type seen
// (FA at first). An FC packet is complete only once its own count has been read; one that
// announces more data than the buffer holds is dropped and the bytes up to the next start
// byte are ignored.
class PacketAssembler
{
public:
    static constexpr int kBufferSize = 81;

    enum class Result {
        Pending, // the packet goes on
        Complete, // bytes() holds a whole packet of type()
        Dropped, // an over-long FC packet: bytes() holds its positions 0-8
    };

    Result push(std::uint8_t byte);

    // Type of the packet being collected, or of the one just completed or dropped.
    Packet::Type type() const { return m_type; }
    // After Complete: the whole packet; after Dropped: its first nine bytes. Valid until the
    // next push.
    std::span<const std::uint8_t> bytes() const;

    // The collecting state.
    const std::array<std::uint8_t, kBufferSize> &buffer() const { return m_buffer; }
    int index() const { return m_index; } // position of the next byte
    int count() const { return m_count; } // n of the last FC packet whose count was read
    int lastPosition() const { return m_last; } // 2 * count() + 12
    bool discarding() const { return m_discarding; }

private:
    bool isComplete() const;

    std::array<std::uint8_t, kBufferSize> m_buffer{};
    int m_index = 0;
    Packet::Type m_type = Packet::Type::FA;
    int m_count = 0;
    int m_last = 0;
    int m_pendingCount = 0;
    bool m_countRead = false; // the FC packet being collected has passed its positions 7-8
    bool m_discarding = false;
    int m_doneLength = 0;
};
