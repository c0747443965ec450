#pragma once

#include <QByteArray>
#include <QRandomGenerator>

// Faults of a poor line, drawn from the run's seed so that a run can be repeated: a byte of a
// terminal's packet changed on the way, noise between packets, acknowledgements that a
// terminal does not hear, another terminal's count answer arriving late, and record packets
// cut short whose checksums still hold. Each kind draws from its own generator, so switching one kind on or
// off does not change what the others do.
class LineFaults
{
public:
    struct Rates
    {
        double corrupt = 0; // fraction of the terminals' packets that get one byte changed
        double dropAcks = 0; // fraction of acknowledgements the terminal does not hear
        double garbage = 0; // chance of a noise burst before a terminal's packet
        double corruptRecords = 0; // as `corrupt`, for record packets only (when set, it wins for them)
        double lateCounts = 0; // chance of another terminal's count answer before a record
        double shortRecords = 0; // fraction of record packets sent with fewer than 30 data bytes
    };
    struct Counts
    {
        int packetsCorrupted = 0;
        int acksDropped = 0;
        int garbageBursts = 0;
        int garbageBytes = 0;
        int lateCounts = 0;
        int recordsCutShort = 0;
    };
    static constexpr int kLongestBurst = 20;

    LineFaults(Rates rates, quint32 seed);

    // The packet as it reaches the PC. A changed byte may take any other value, a start byte
    // too: a line error does not know the protocol, and a start byte inside a packet is the
    // hardest case for the receiver (the packet is cut short and a broken one begins).
    QByteArray corrupt(QByteArray packet);
    // Noise to put on the line before the next packet; empty when there is none.
    QByteArray garbage();
    // Whether the terminal misses this acknowledgement.
    bool dropAck();
    // Whether another terminal's count answer goes on the line before this record reply.
    bool lateCount();
    // A record packet, maybe with only its first 2..29 data bytes, encoded anew so that its
    // checksums are right: the PC must neither store nor acknowledge it.
    QByteArray cutShort(QByteArray packet);

    const Counts &counts() const { return m_counts; }
    const Rates &rates() const { return m_rates; }
    bool any() const
    {
        return m_rates.corrupt > 0 || m_rates.corruptRecords > 0 || m_rates.dropAcks > 0
            || m_rates.garbage > 0 || m_rates.lateCounts > 0 || m_rates.shortRecords > 0;
    }

private:
    static bool happens(QRandomGenerator &random, double rate);

    Rates m_rates;
    QRandomGenerator m_corruptRandom;
    QRandomGenerator m_garbageRandom;
    QRandomGenerator m_ackRandom;
    QRandomGenerator m_lateRandom;
    QRandomGenerator m_shortRandom;
    Counts m_counts;
};
