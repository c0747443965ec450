#include "LineFaults.h"
#include "PcLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <tuple>

// Each fault comes at its rate (of 5000 packets), off means off, and the seed decides, each kind
// of fault on its own (noise, missed confirmations, late counts and cut records do not move the
// broken packets). A broken
// packet differs in one byte, which may become a start byte (the hardest case for the receiver);
// noise is at most 20 bytes and carries start bytes too. The counts say what happened.
TEST(LineFaults, faultsComeAtTheirRatesFromTheSeed)
{
    const QByteArray packet = ack(1, 0, 2);
    std::vector<std::uint8_t> recordData(30);
    std::iota(recordData.begin(), recordData.end(), 0);
    const QByteArray record = fc(1, 1, recordData, 192, 2);
    const auto bytesOf = [](const QByteArray &p) { return std::vector<std::uint8_t>(p.begin(), p.end()); };
    const std::vector<std::tuple<double, int, int>> rates{
        {0, 0, 0}, {0.1, 400, 600}, {0.5, 2300, 2700}, {1, 5000, 5000}};
    for (const auto &[rate, lowest, highest] : rates) {
        SCOPED_TRACE(rate);
        LineFaults faults({rate, rate, rate, 0, rate, rate}, 42), corruptOnly({rate, 0, 0}, 42);
        int changed = 0, bursts = 0, dropped = 0, noiseBytes = 0, startBytes = 0, late = 0, cut = 0;
        for (int i = 0; i < 5000; ++i) {
            // A record cut short keeps its first bytes and right checksums.
            const auto shortened = Packet::FcFrame::decode(bytesOf(faults.cutShort(record)));
            ASSERT_TRUE(shortened.accepted() && shortened.count >= 2);
            ASSERT_TRUE(
                std::ranges::equal(shortened.payload(), std::span(recordData).first(shortened.count)));
            cut += shortened.count < 30 ? 1 : 0;
            late += faults.lateCount() ? 1 : 0;
            const QByteArray sent = faults.corrupt(packet), noise = faults.garbage();
            ASSERT_EQ(sent, corruptOnly.corrupt(packet));
            ASSERT_EQ(sent.size(), packet.size());
            for (qsizetype k = 0; k < packet.size(); ++k)
                changed += sent[k] != packet[k] ? 1 : 0;
            ASSERT_LE(noise.size(), LineFaults::kLongestBurst);
            bursts += noise.isEmpty() ? 0 : 1;
            noiseBytes += int(noise.size());
            dropped += faults.dropAck() ? 1 : 0;
            for (const char byte : sent.mid(1) + noise)
                startBytes += std::uint8_t(byte) >= 0xFA && std::uint8_t(byte) <= 0xFC ? 1 : 0;
        }
        for (const int n : {changed, bursts, dropped, late, cut})
            EXPECT_TRUE(n >= lowest && n <= highest) << n;
        EXPECT_EQ(startBytes > 0, rate > 0);
        const LineFaults::Counts &counts = faults.counts();
        EXPECT_EQ(std::tuple(counts.packetsCorrupted, counts.garbageBursts, counts.garbageBytes,
                             counts.acksDropped, counts.lateCounts, counts.recordsCutShort),
                  std::tuple(changed, bursts, noiseBytes, dropped, late, cut)); // one byte a broken packet
    }
}
