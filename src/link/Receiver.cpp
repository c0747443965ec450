#include "link/Receiver.h"

#include "platform/Label.h"
#include "platform/SerialPort.h"

#include <QScopedValueRollback>

#include <algorithm>

Receiver::Receiver(SerialPort &port, Label &lblBus, PacketHandler handler)
    : m_port(port), m_lblBus(lblBus), m_handler(std::move(handler))
{ }

void Receiver::ModtagData()
{
    // A message box opened while a packet is handed on runs its own event loop, and the
    // timer keeps ticking: the call that opened it finishes the packets it has taken.
    if (m_running)
        return;
    const QScopedValueRollback running(m_running, true);

    int taken = 0;
    while (taken < kBytesPerCall && m_port.bytesWaiting() > 0) {
        const auto byte = m_port.readByte();
        if (!byte)
            break;
        ++taken;
        switch (m_assembler.push(*byte)) {
        case PacketAssembler::Result::Pending:
            break;
        case PacketAssembler::Result::Complete:
            handleComplete();
            break;
        case PacketAssembler::Result::Dropped:
            // Too long for the buffer: only its status bits are shown.
            m_lblBus.setCaption(
                Packet::statusText(Packet::Type::FC, Packet::statusField(m_assembler.bytes())));
            break;
        }
    }
}

void Receiver::handleComplete()
{
    switch (m_assembler.type()) {
    case Packet::Type::FA:
        handleFa();
        break;
    case Packet::Type::FB:
        handleFb();
        break;
    case Packet::Type::FC:
        handleFc();
        break;
    }
}

void Receiver::handleFa()
{
    const auto packet = m_assembler.bytes();
    if (packet.size() != size_t(Packet::kFaLength))
        return;
    const Packet::FaFrame fields = Packet::FaFrame::decode(packet.first<Packet::kFaLength>());
    m_lblBus.setCaption(Packet::statusText(Packet::Type::FA, fields.high));
    if (fields.accepted())
        m_handler(fields.address, fields.command, fields.value(), m_RecData, m_assembler.count());
}

void Receiver::handleFb()
{
    m_lblBus.setCaption(Packet::statusText(Packet::Type::FB, Packet::statusField(m_assembler.bytes())));
}

void Receiver::handleFc()
{
    const Packet::FcFrame fields = Packet::FcFrame::decode(m_assembler.bytes());
    m_lblBus.setCaption(Packet::statusText(Packet::Type::FC, fields.subCode));
    // Kept: the data is kept whether or not the packet passes its check, because it is handed on
    // only with an accepted packet and the record intake takes a record only from a long packet.
    const int stored = std::min(fields.count, int(m_RecData.size()));
    std::copy_n(fields.data.begin(), stored, m_RecData.begin());
    if (fields.accepted())
        m_handler(fields.address, fields.command, std::nullopt, m_RecData, fields.count);
}
