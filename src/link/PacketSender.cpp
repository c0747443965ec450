#include "link/PacketSender.h"

#include "platform/SerialPort.h"

void PacketSender::Send11Byte(int Address, Packet::Command Command, int Value, Packet::FlagMode FlagMode,
                              int HighBits)
{
    m_port.write(Packet::FaFrame::make(Address, Command, Value, FlagMode, HighBits).encode());
}

void PacketSender::SendXXByte(int Address, Packet::Command Command, int SubCode,
                              std::span<const std::uint8_t> sData, Packet::FlagMode FlagMode)
{
    m_port.write(Packet::FcFrame::make(Address, Command, SubCode, sData, FlagMode).encode());
}
