#pragma once

#include "link/PacketHandler.h"
#include "protocol/PacketAssembler.h"

#include <array>
#include <cstdint>

class Label;
class SerialPort;

// The only reader of the terminals' line. Each tick of the receive timer calls ModtagData,
// which takes what has arrived (at most 50 bytes), assembles packets, shows each packet's
// status bits on the line-status label and hands every accepted FA or FC packet on.
// Its state lives as long as the program and survives closing and reopening the port.
class Receiver
{
public:
    // Kept: at most 50 bytes a tick, less than the line can carry, because the terminals only
    // answer when asked, one packet at a time, and a short tick keeps the windows responsive.
    static constexpr int kBytesPerCall = 50;

    Receiver(SerialPort &port, Label &lblBus, PacketHandler handler);

    void ModtagData();

    const std::array<std::uint8_t, PacketAssembler::kBufferSize> &RecBuf() const
    {
        return m_assembler.buffer();
    }
    int RecIdx() const { return m_assembler.index(); }
    Packet::Type RecType() const { return m_assembler.type(); }
    int RecLen() const { return m_assembler.count(); }
    int RecLast() const { return m_assembler.lastPosition(); }
    const RecordData &RecData() const { return m_RecData; }

private:
    void handleComplete();
    void handleFa();
    void handleFb();
    void handleFc();

    SerialPort &m_port;
    Label &m_lblBus;
    PacketHandler m_handler;
    PacketAssembler m_assembler;
    RecordData m_RecData{};
    bool m_running = false;
};
