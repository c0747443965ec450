#pragma once

#include "TerminalBank.h"
#include "protocol/Frames.h"

#include <vector>

// The PC's end of the line in tests: packets from the program's own codec.
inline QByteArray fa(int address, int command, int value, int flagMode = 0, int highBits = 0)
{
    return Packet::FaFrame::make(address, Packet::Command(command), value, Packet::FlagMode(flagMode),
                                 highBits)
        .encode();
}
inline QByteArray fc(int address, int command, const std::vector<std::uint8_t> &data, int subCode = 0,
                     int flagMode = 0)
{
    return Packet::FcFrame::make(address, Packet::Command(command), subCode, data, Packet::FlagMode(flagMode))
        .encode();
}
inline const auto countRequest
    = [](int address) { return fa(address, 0, 16383, address == 255 ? 0 : 2, 192); };
inline const auto recordRequest = [](int address) { return fa(address, 1, 16383, 2, 192); };
inline const auto ack = [](int address, int high, int low) {
    return fc(address, 1, {std::uint8_t(high), std::uint8_t(low)}, 192, 2);
};

// One packet heard by every terminal.
inline TerminalBank::Outcome deliver(TerminalBank &bank, const QByteArray &packet)
{
    const std::vector<std::uint8_t> bytes(packet.begin(), packet.end());
    return bank.onPacket(packet.startsWith(char(0xFC)) ? Packet::Type::FC : Packet::Type::FA, bytes);
}

// A record whose bytes say which it is: sow "DK<n>" with four digits, alive = n % 256.
inline TerminalRecord sampleRecord(int n)
{
    auto record = *TerminalRecord::fromHex(QStringLiteral("0000011803070905000000000000000000000181")
                                           + QString(20, u'0'));
    record.set(TerminalRecord::Byte::Alive, n % 256);
    record.setSow("DK" + QByteArray::number(n).rightJustified(4, '0'));
    return record;
}
