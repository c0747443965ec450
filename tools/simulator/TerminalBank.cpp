#include "TerminalBank.h"

#include <algorithm>

TerminalBank::TerminalBank(std::vector<std::vector<TerminalRecord>> records)
{
    m_terminals.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i)
        m_terminals.emplace_back(int(i) + 1, std::move(records[i]));
}

template<typename Fields> void TerminalBank::dispatch(const Fields &fields, Outcome &outcome)
{
    outcome.broadcast = m_broadcasts.apply(fields);
    for (HandTerminal &terminal : m_terminals) {
        std::vector<TerminalEvent> events;
        QByteArray written;
        if constexpr (std::is_same_v<Fields, Packet::FaFrame>)
            events = terminal.onFa(fields, written);
        else
            events = terminal.onFc(fields, written, m_ackFilter);
        outcome.events.insert(outcome.events.end(), events.begin(), events.end());
        if (!written.isEmpty())
            outcome.answers.push_back(Answer{terminal.address(), std::move(written)});
    }
}

TerminalBank::Outcome TerminalBank::onPacket(Packet::Type type, std::span<const std::uint8_t> bytes)
{
    ++m_stats.packets;
    Outcome outcome;
    switch (type) {
    case Packet::Type::FA: {
        if (bytes.size() != std::size_t(Packet::kFaLength))
            break;
        const auto fields = Packet::FaFrame::decode(bytes.first<Packet::kFaLength>());
        // The PC's own requests carry 16383, more than it accepts from a terminal, so only
        // the checksum counts here.
        if (!fields.wellFormed || !fields.checksumOk()) {
            outcome.badChecksum = true;
            break;
        }
        dispatch(fields, outcome);
        break;
    }
    case Packet::Type::FC: {
        const auto fields = Packet::FcFrame::decode(bytes);
        if (!fields.wellFormed || fields.received != fields.computed) {
            outcome.badChecksum = true;
        } else if (fields.count == 0) {
            ++m_stats.emptyFc;
        } else {
            dispatch(fields, outcome);
        }
        break;
    }
    case Packet::Type::FB:
        // Only terminals send these.
        ++m_stats.fbPackets;
        break;
    }
    if (outcome.badChecksum)
        ++m_stats.badChecksums;
    return outcome;
}

bool TerminalBank::drained() const
{
    return std::all_of(m_terminals.begin(), m_terminals.end(),
                       [](const HandTerminal &t) { return t.held() == 0 || t.broken(); });
}
