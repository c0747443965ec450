#include "LineFaults.h"
#include "PcLine.h"
#include "VanishSchedule.h"

#include <gtest/gtest.h>

#include <QSet>

#include <algorithm>
#include <tuple>
#include <utility>

namespace {
QByteArray samplePacket(int n)
{
    PcLine pc;
    return pc.fc(1, 1, 192, {std::uint8_t(n), 2, 3, 4, 5}, 2);
}

int differingBytes(const QByteArray &a, const QByteArray &b)
{
    int n = 0;
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i)
        n += a[i] != b[i] ? 1 : 0;
    return n + int(std::abs(a.size() - b.size()));
}

bool isStartByte(char byte)
{
    const auto b = std::uint8_t(byte);
    return b == 0xFA || b == 0xFB || b == 0xFC;
}
} // namespace

// The rates hold over many packets, a changed packet differs in exactly one byte, and off
// means off.
TEST(LineFaults, faultsComeAtTheirRates)
{
    struct Case
    {
        double rate;
        int lowest, highest; // of 5000 packets
    };
    for (const Case &c : std::vector<Case>{{0, 0, 0}, {0.1, 400, 600}, {0.5, 2300, 2700}, {1, 5000, 5000}}) {
        SCOPED_TRACE(c.rate);
        LineFaults faults({c.rate, c.rate, c.rate}, 42);
        int changed = 0, bursts = 0, dropped = 0;
        for (int i = 0; i < 5000; ++i) {
            const QByteArray packet = samplePacket(i % 200);
            const QByteArray sent = faults.corrupt(packet);
            ASSERT_LE(differingBytes(packet, sent), 1);
            changed += sent != packet ? 1 : 0;
            const QByteArray noise = faults.garbage();
            ASSERT_LE(noise.size(), LineFaults::kLongestBurst);
            bursts += noise.isEmpty() ? 0 : 1;
            dropped += faults.dropAck() ? 1 : 0;
        }
        for (const int n : {changed, bursts, dropped}) {
            EXPECT_GE(n, c.lowest);
            EXPECT_LE(n, c.highest);
        }
        EXPECT_EQ(faults.counts().packetsCorrupted, changed);
        EXPECT_EQ(faults.counts().garbageBursts, bursts);
        EXPECT_EQ(faults.counts().acksDropped, dropped);
        EXPECT_EQ(faults.any(), c.rate > 0);
    }
}

// A line error may turn any byte into any other, a start byte too; noise carries start bytes.
TEST(LineFaults, aChangedByteMayBecomeAStartByte)
{
    LineFaults faults({1, 0, 1}, 7);
    int startBytesInside = 0, startBytesInNoise = 0, noiseBytes = 0;
    QSet<int> lengths;
    for (int i = 0; i < 3000; ++i) {
        const QByteArray sent = faults.corrupt(samplePacket(1));
        for (qsizetype k = 1; k < sent.size(); ++k)
            startBytesInside += isStartByte(sent[k]) ? 1 : 0;
        const QByteArray noise = faults.garbage();
        lengths.insert(int(noise.size()));
        noiseBytes += int(noise.size());
        startBytesInNoise += int(std::count_if(noise.begin(), noise.end(), isStartByte));
    }
    EXPECT_GT(startBytesInside, 0);
    EXPECT_GT(startBytesInNoise, 0);
    EXPECT_EQ(lengths.size(), LineFaults::kLongestBurst); // 1..20, every length
    EXPECT_EQ(faults.counts().garbageBytes, noiseBytes);
}

// The seed decides every fault, and each kind of fault draws on its own: switching noise on
// does not move the corrupted packets.
TEST(LineFaults, theSeedRepeatsARunAndKindsDoNotDisturbEachOther)
{
    const auto run = [](LineFaults::Rates rates, quint32 seed) {
        LineFaults faults(rates, seed);
        QByteArrayList corrupted, noise;
        QList<bool> dropped;
        for (int i = 0; i < 200; ++i) {
            corrupted << faults.corrupt(samplePacket(i));
            noise << faults.garbage();
            dropped << faults.dropAck();
        }
        return std::tuple{corrupted, noise, dropped};
    };
    const auto first = run({0.3, 0.3, 0.3}, 9);
    EXPECT_EQ(first, run({0.3, 0.3, 0.3}, 9));
    EXPECT_NE(std::get<0>(first), std::get<0>(run({0.3, 0.3, 0.3}, 10)));

    const auto corruptOnly = run({0.3, 0, 0}, 9);
    EXPECT_EQ(std::get<0>(corruptOnly), std::get<0>(first));
    const auto dropsOnly = run({0, 0.3, 0}, 9);
    EXPECT_EQ(std::get<2>(dropsOnly), std::get<2>(first));
}

TEST(VanishSchedule, gapsAtGivenMomentsAndPeriodically)
{
    struct Case
    {
        const char *name;
        VanishSchedule schedule;
        double now;
        std::optional<std::pair<double, double>> next; // start, length
    };
    const std::vector<Case> cases = {
        {"none", VanishSchedule(), 0, std::nullopt},
        {"one moment, default length", VanishSchedule({12}, {}, 0), 0,
         std::pair{12.0, VanishSchedule::kDefaultGap}},
        {"a moment that has passed", VanishSchedule({12}, {}, 0), 12.5, std::nullopt},
        {"moments in any order, lengths paired", VanishSchedule({30, 10}, {4, 6}, 0), 0,
         std::pair{10.0, 6.0}},
        {"the last length serves the rest", VanishSchedule({30, 10, 50}, {4}, 0), 40, std::pair{50.0, 4.0}},
        {"every 100 s: first at 100", VanishSchedule({}, {20}, 100), 0, std::pair{100.0, 20.0}},
        {"every 100 s: the next after 250", VanishSchedule({}, {20}, 100), 250, std::pair{300.0, 20.0}},
        {"the earlier of both", VanishSchedule({150}, {3, 7}, 100), 120, std::pair{150.0, 3.0}},
        {"periodic ones take the last length", VanishSchedule({150}, {3, 7}, 100), 160,
         std::pair{200.0, 7.0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto gap = c.schedule.next(c.now);
        ASSERT_EQ(gap.has_value(), c.next.has_value());
        if (gap) {
            EXPECT_EQ(gap->start, c.next->first);
            EXPECT_EQ(gap->length, c.next->second);
        }
    }
}

// A terminal that misses the confirmation keeps its record and, asked again, sends the very
// same bytes: that is what the PC must recognise and not store twice.
TEST(HandTerminal, missesAConfirmationAndSendsTheSameRecordAgain)
{
    PcLine pc;
    TerminalBank bank({sampleRecords(2)});
    bool missNext = true;
    bank.setAckFilter([&] { return std::exchange(missNext, false); });

    const auto first = deliver(bank, pc.recordRequest(1));
    ASSERT_EQ(first.answers.size(), 1u);
    const auto missed = deliver(bank, pc.ack(1, {0, 1}));
    ASSERT_EQ(missed.events.size(), 1u);
    EXPECT_EQ(missed.events[0].kind, TerminalEvent::Kind::AckMissed);
    EXPECT_TRUE(missed.answers.empty());
    EXPECT_EQ(bank.terminals()[0].held(), 2);

    const auto again = deliver(bank, pc.recordRequest(1));
    ASSERT_EQ(again.answers.size(), 1u);
    EXPECT_EQ(again.answers[0].bytes, first.answers[0].bytes);
    EXPECT_EQ(again.events[0].kind, TerminalEvent::Kind::RecordResent);

    const auto heard = deliver(bank, pc.ack(1, {0, 1}));
    EXPECT_EQ(heard.events[0].kind, TerminalEvent::Kind::Acknowledged);
    EXPECT_EQ(bank.terminals()[0].held(), 1);
    const TerminalStats &stats = bank.terminals()[0].stats();
    EXPECT_EQ(stats.missedAcks, 1);
    EXPECT_EQ(stats.resent, 1);
    EXPECT_EQ(stats.acknowledged, 1);
}
