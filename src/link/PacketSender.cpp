#include "link/PacketSender.h"

#include "link/PacketFormat.h"
#include "platform/SerialPort.h"

#include <QByteArray>

namespace {
void appendPair(QByteArray &bytes, int value)
{
    const auto pair = Packet::nibblePair(std::uint8_t(value & 0xFF));
    bytes.append(char(pair[0]));
    bytes.append(char(pair[1]));
}

void appendChecksum(QByteArray &bytes, int checksum, int flagMode, int address)
{
    appendPair(bytes, checksum);
    if (Packet::flagBitFor(flagMode, address))
        bytes[bytes.size() - 2] = char(bytes[bytes.size() - 2] | 1);
}
} // namespace

void PacketSender::Send11Byte(int Address, int Command, int Value, int FlagMode, int HighBits)
{
    // Kept: the quotient is cut toward zero, so -1 (no temperature choice) goes out as 0x00FF,
    // because that is the word the terminals have always been sent for no choice.
    const int low = Value & 0xFF;
    const int high = ((Value / 256) | HighBits) & 0xFF;
    const int checksum = (Address + Command + high + low) % 256;

    QByteArray bytes;
    bytes.append(char(Packet::StartByte::FA));
    for (int field : {Address, Command, high, low})
        appendPair(bytes, field);
    appendChecksum(bytes, checksum, FlagMode, Address);
    m_port.write(bytes);
}

void PacketSender::SendXXByte(int Address, int Command, int SubCode, int Count,
                              std::span<const std::uint8_t> sData, int FlagMode)
{
    Count = std::clamp(Count, 0, int(std::min<size_t>(sData.size(), 255)));
    // Kept: only the sub-code's high nibble travels (192 gives 0xAC, 0 gives 0xA0), because
    // those two sub-code bytes are all the terminals know.
    const int subCodeByte = 0xA0 | ((SubCode / 16) & 0x0F);
    const int header = (Address + Command + subCodeByte + Count) % 256;

    QByteArray bytes;
    bytes.append(char(Packet::StartByte::FC));
    for (int field : {Address, Command, subCodeByte, Count, header})
        appendPair(bytes, field);
    int sum = 0;
    for (int i = 0; i < Count; ++i) {
        appendPair(bytes, sData[size_t(i)]);
        sum += sData[size_t(i)];
    }
    appendChecksum(bytes, (header + sum) % 256, FlagMode, Address);
    m_port.write(bytes);
}
