#pragma once

#include "protocol/Frames.h"

#include <cstdint>
#include <span>

class SerialPort;

// Writes FA (short) and FC (long) packets on the terminals' line; each is encoded whole, from
// its own bytes, and written with one write.
class PacketSender
{
public:
    explicit PacketSender(SerialPort &port) : m_port(port) { }

    // FA packet: address, command, and a 16-bit data word with HighBits OR-ed into its high byte.
    void Send11Byte(int Address, Packet::Command Command, int Value, Packet::FlagMode FlagMode, int HighBits);
    // FC packet carrying sData (at most 255 bytes of it); SubCode's high nibble is sent.
    void SendXXByte(int Address, Packet::Command Command, int SubCode, std::span<const std::uint8_t> sData,
                    Packet::FlagMode FlagMode);

private:
    SerialPort &m_port;
};
