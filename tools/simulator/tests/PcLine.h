#pragma once

#include "TerminalBank.h"
#include "protocol/Frames.h"

#include <vector>

// The PC's end of the line in tests: packets from the program's own codec.
inline QByteArray fc(int address, int command, const std::vector<std::uint8_t> &data, int subCode = 0,
                     int flagMode = 0)
{
    return Packet::FcFrame::make(address, Packet::Command(command), subCode, data, Packet::FlagMode(flagMode))
        .encode();
}
// A count (command 0) or record (1) request as the program sends it: no flag bit on a count request
// to all (255).
inline QByteArray request(int command, int address)
{
    const auto flagMode = Packet::FlagMode(command == 0 && address == 255 ? 0 : 2);
    return Packet::FaFrame::make(address, Packet::Command(command), 16383, flagMode, 192).encode();
}
inline const auto countRequest = [](int address) { return request(0, address); };
inline const auto recordRequest = [](int address) { return request(1, address); };
inline const auto ack = [](int address, int high, int low) {
    return fc(address, 1, {std::uint8_t(high), std::uint8_t(low)}, 192, 2);
};

// A record whose bytes say which it is: sow "DK<n>" with four digits, alive = n % 256.
inline TerminalRecord sampleRecord(int n)
{
    auto record = *TerminalRecord::fromHex(QStringLiteral("0000011803070905000000000000000000000181")
                                           + QString(20, u'0'));
    record.set(TerminalRecord::Byte::Alive, n % 256);
    record.setSow("DK" + QByteArray::number(n).rightJustified(4, '0'));
    return record;
}
