#pragma once

#include "CapturePort.h"
#include "TerminalBank.h"
#include "link/PacketSender.h"
#include "protocol/PacketAssembler.h"

#include <QByteArray>
#include <QString>

#include <initializer_list>
#include <vector>

// The PC's end of the line in tests: packets built by the program's own senders, fed to the
// terminals through the program's own assembler.
struct PcLine
{
    CapturePort port;
    PacketSender sender{port};

    QByteArray fa(int address, int command, int value, int flagMode, int highBits)
    {
        sender.Send11Byte(address, command, value, flagMode, highBits);
        return port.take();
    }
    QByteArray fc(int address, int command, int subCode, std::vector<std::uint8_t> data, int flagMode)
    {
        sender.SendXXByte(address, command, subCode, int(data.size()), data, flagMode);
        return port.take();
    }
    // The requests and acknowledgements as the PC sends them.
    QByteArray countRequest() { return fa(255, 0, 16383, 0, 192); }
    QByteArray countRequestTo(int address) { return fa(address, 0, 16383, 2, 192); }
    QByteArray recordRequest(int address) { return fa(address, 1, 16383, 2, 192); }
    QByteArray ack(int address, std::vector<std::uint8_t> two)
    {
        return fc(address, 1, 192, std::move(two), 2);
    }
};

// Every packet in `bytes`, handed to the bank; the outcomes merged.
inline TerminalBank::Outcome deliver(TerminalBank &bank, const QByteArray &bytes)
{
    PacketAssembler assembler;
    TerminalBank::Outcome all;
    for (const char byte : bytes) {
        if (assembler.push(std::uint8_t(byte)) != PacketAssembler::Result::Complete)
            continue;
        TerminalBank::Outcome one = bank.onPacket(assembler.type(), assembler.bytes());
        all.answers.insert(all.answers.end(), one.answers.begin(), one.answers.end());
        all.events.insert(all.events.end(), one.events.begin(), one.events.end());
        all.badChecksum = all.badChecksum || one.badChecksum;
        if (one.broadcast)
            all.broadcast = one.broadcast;
    }
    return all;
}

inline QString hexOf(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

inline std::vector<std::uint8_t> bytesOf(const QByteArray &bytes)
{
    return {bytes.begin(), bytes.end()};
}

// A record whose bytes say which it is: sow "DK000<n>", alive = n.
inline TerminalRecord sampleRecord(int n)
{
    TerminalRecord r;
    r.set(TerminalRecord::Byte::Type, 1);
    r.set(TerminalRecord::Byte::Year, 24);
    r.set(TerminalRecord::Byte::Month, 3);
    r.set(TerminalRecord::Byte::Day, 7);
    r.set(TerminalRecord::Byte::Hour, 9);
    r.set(TerminalRecord::Byte::Minute, 5);
    r.set(TerminalRecord::Byte::Alive, n);
    r.setTemperature(385);
    r.setSow("DK" + QByteArray::number(n).rightJustified(4, '0'));
    return r;
}

inline std::vector<TerminalRecord> sampleRecords(int count, int first = 1)
{
    std::vector<TerminalRecord> records;
    for (int i = 0; i < count; ++i)
        records.push_back(sampleRecord(first + i));
    return records;
}
