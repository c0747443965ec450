#pragma once

#include <array>
#include <cstdint>
#include <span>

class SerialPort;

// Sends FA (short) and FC (long) packets on the terminals' line.
// Every field byte travels as a nibble pair, so the start bytes never occur inside a packet.
class PacketSender
{
public:
    static constexpr int kSendBufSize = 51;

    explicit PacketSender(SerialPort &port) : m_port(port) { }

    // FA packet: address, command, and a 16-bit data word with HighBits OR-ed into its high byte.
    void Send11Byte(int Address, int Command, int Value, int FlagMode, int HighBits);
    // FC packet with the first Count bytes of sData (Count is cut to sData's size).
    void SendXXByte(int Address, int Command, int SubCode, int Count, std::span<const std::uint8_t> sData,
                    int FlagMode);

    // The data bytes of an FC packet are put here just before it is sent.
    std::array<std::uint8_t, kSendBufSize> SendBuf{};

private:
    SerialPort &m_port;
};
