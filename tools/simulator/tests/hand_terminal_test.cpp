#include "PcLine.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
using Kind = TerminalEvent::Kind;

std::vector<std::vector<TerminalRecord>> holding(std::initializer_list<int> counts)
{
    std::vector<std::vector<TerminalRecord>> result;
    int first = 1;
    for (const int count : counts) {
        result.push_back(sampleRecords(count, first));
        first += 100;
    }
    return result;
}

std::vector<QString> answersHex(const TerminalBank::Outcome &outcome)
{
    std::vector<QString> hex;
    for (const auto &answer : outcome.answers)
        hex.push_back(hexOf(answer.bytes));
    return hex;
}

std::vector<Kind> kinds(const TerminalBank::Outcome &outcome)
{
    std::vector<Kind> result;
    for (const auto &event : outcome.events)
        result.push_back(event.kind);
    return result;
}
} // namespace

// Short answers: counts to count requests, a count of 0 when asked for a record while empty.
TEST(HandTerminal, answersRequestsLikeARealTerminal)
{
    struct Case
    {
        const char *name;
        std::function<QByteArray(PcLine &)> packet;
        std::vector<QString> answers;
    };
    const std::vector<Case> cases = {
        {"count request to all: every terminal answers in address order",
         [](PcLine &pc) { return pc.countRequest(); },
         {QStringLiteral("FA 00 01 00 00 00 00 00 02 00 03"),
          QStringLiteral("FA 00 02 00 00 00 00 00 00 00 02"),
          QStringLiteral("FA 00 03 00 00 00 00 00 01 00 04")}},
        {"count request to terminal 3 alone",
         [](PcLine &pc) { return pc.countRequestTo(3); },
         {QStringLiteral("FA 00 03 00 00 00 00 00 01 00 04")}},
        {"count request to an address nobody has", [](PcLine &pc) { return pc.countRequestTo(9); }, {}},
        {"record request to a terminal holding none: count 0",
         [](PcLine &pc) { return pc.recordRequest(2); },
         {QStringLiteral("FA 00 02 00 00 00 00 00 00 00 02")}},
        {"record request to all is no record request", [](PcLine &pc) { return pc.recordRequest(255); }, {}},
        {"clock broadcast needs no answer",
         [](PcLine &pc) {
             return pc.fc(255, 30, 0, {24, 3, 7, 9, 5}, 0);
         },
         {}},
        {"acknowledgement to a terminal that sent nothing",
         [](PcLine &pc) {
             return pc.ack(1, {0, 1});
         },
         {}},
        {"count request with a broken checksum",
         [](PcLine &pc) {
             QByteArray bytes = pc.countRequest();
             bytes[10] = char(bytes[10] ^ 1);
             return bytes;
         },
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PcLine pc;
        TerminalBank bank(holding({2, 0, 1}));
        const auto outcome = deliver(bank, c.packet(pc));
        EXPECT_EQ(answersHex(outcome), c.answers);
        for (const HandTerminal &t : bank.terminals())
            EXPECT_EQ(t.stats().acknowledged, 0);
    }
}

// The record goes out as the PC expects it: an FC packet, command 1, 30 data bytes, the count
// after it in bytes 0 and 1, and a checksum the PC accepts.
TEST(HandTerminal, sendsTheOldestRecordWithTheCountAfterIt)
{
    for (const int held : {1, 2, 300}) {
        SCOPED_TRACE(held);
        PcLine pc;
        TerminalBank bank(holding({0, held}));
        const auto outcome = deliver(bank, pc.recordRequest(2));
        ASSERT_EQ(outcome.answers.size(), 1u);
        const QByteArray &answer = outcome.answers[0].bytes;
        EXPECT_EQ(answer.size(), 13 + 2 * TerminalRecord::kSize);
        const auto fields = Packet::decodeFc(bytesOf(answer));
        EXPECT_TRUE(fields.accepted());
        EXPECT_EQ(fields.address, 2);
        EXPECT_EQ(fields.command, 1);
        EXPECT_EQ(fields.count, TerminalRecord::kSize);
        EXPECT_EQ(fields.data[0] * 256 + fields.data[1], held - 1);
        const TerminalRecord oldest = sampleRecord(101);
        for (int i = 2; i < TerminalRecord::kSize; ++i)
            EXPECT_EQ(fields.data[std::size_t(i)], oldest.bytes[std::size_t(i)]) << "byte " << i;
    }
}

// A record is deleted only by the echo of its own first two bytes, to its own address, after
// it was sent; then the next one follows at once.
TEST(HandTerminal, deletesARecordOnlyOnItsAcknowledgement)
{
    struct Step
    {
        std::function<QByteArray(PcLine &)> packet;
        std::vector<Kind> events;
        int heldAfter;
    };
    struct Case
    {
        const char *name;
        std::vector<Step> steps;
        int delivered, resent, acknowledged;
    };
    const auto request = [](PcLine &pc) { return pc.recordRequest(1); };
    const auto ack = [](int high, int low) {
        return [=](PcLine &pc) { return pc.ack(1, {std::uint8_t(high), std::uint8_t(low)}); };
    };
    const std::vector<Case> cases = {
        {"acknowledged one by one until empty",
         {{request, {Kind::RecordSent}, 3},
          {ack(0, 2), {Kind::Acknowledged, Kind::RecordSent}, 2},
          {ack(0, 1), {Kind::Acknowledged, Kind::RecordSent}, 1},
          {ack(0, 0), {Kind::Acknowledged}, 0}},
         3,
         0,
         3},
        {"the count the PC repeats after a count answer deletes nothing",
         {{request, {Kind::RecordSent}, 3}, {ack(0, 3), {Kind::AckIgnored}, 3}},
         1,
         0,
         0},
        {"an acknowledgement before the record was sent deletes nothing",
         {{ack(0, 2), {Kind::AckIgnored}, 3}, {request, {Kind::RecordSent}, 3}},
         1,
         0,
         0},
        {"asked again without an acknowledgement: the same record again",
         {{request, {Kind::RecordSent}, 3},
          {request, {Kind::RecordResent}, 3},
          {ack(0, 2), {Kind::Acknowledged, Kind::RecordSent}, 2}},
         2,
         1,
         1},
        {"three data bytes are no acknowledgement",
         {{request, {Kind::RecordSent}, 3},
          {[](PcLine &pc) {
               return pc.fc(1, 1, 192, {0, 2, 0}, 2);
           },
           {Kind::AckIgnored},
           3}},
         1,
         0,
         0},
        {"an acknowledgement for another terminal",
         {{request, {Kind::RecordSent}, 3},
          {[](PcLine &pc) {
               return pc.ack(2, {0, 2});
           },
           {},
           3}},
         1,
         0,
         0},
        {"an acknowledgement with a broken checksum",
         {{request, {Kind::RecordSent}, 3},
          {[](PcLine &pc) {
               QByteArray bytes = pc.ack(1, {0, 2});
               bytes[bytes.size() - 1] = char(bytes[bytes.size() - 1] ^ 1);
               return bytes;
           },
           {},
           3}},
         1,
         0,
         0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PcLine pc;
        TerminalBank bank(holding({3}));
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            SCOPED_TRACE(i);
            const auto outcome = deliver(bank, c.steps[i].packet(pc));
            EXPECT_EQ(kinds(outcome), c.steps[i].events);
            EXPECT_EQ(bank.terminals()[0].held(), c.steps[i].heldAfter);
        }
        const TerminalStats &stats = bank.terminals()[0].stats();
        EXPECT_EQ(stats.delivered, c.delivered);
        EXPECT_EQ(stats.resent, c.resent);
        EXPECT_EQ(stats.acknowledged, c.acknowledged);
        EXPECT_EQ(bank.drained(), c.acknowledged == 3);
    }
}

// What the summary and the log check rely on: the confirmed records in order, the next one
// sent after a confirmation, and the one on its way.
TEST(HandTerminal, keepsTheConfirmedRecordsAndTheOneInFlight)
{
    PcLine pc;
    TerminalBank bank(holding({2}));
    const HandTerminal &terminal = bank.terminals()[0];
    EXPECT_FALSE(terminal.inFlight());

    deliver(bank, pc.recordRequest(1));
    ASSERT_TRUE(terminal.inFlight());
    EXPECT_EQ(terminal.inFlight()->sow(), QByteArrayLiteral("DK0001    "));

    const auto next = deliver(bank, pc.ack(1, {0, 1}));
    ASSERT_EQ(next.answers.size(), 1u);
    const auto fields = Packet::decodeFc(bytesOf(next.answers[0].bytes));
    EXPECT_EQ(fields.data[0] * 256 + fields.data[1], 0);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(fields.data.data()) + 20, 10),
              QByteArrayLiteral("DK0002    "));

    deliver(bank, pc.ack(1, {0, 0}));
    ASSERT_EQ(terminal.acknowledged().size(), 2u);
    EXPECT_EQ(terminal.acknowledged()[0].sow(), QByteArrayLiteral("DK0001    "));
    EXPECT_EQ(terminal.acknowledged()[0].remaining(), 1);
    EXPECT_EQ(terminal.acknowledged()[1].sow(), QByteArrayLiteral("DK0002    "));
    EXPECT_FALSE(terminal.inFlight());
    EXPECT_TRUE(bank.drained());
}

TEST(HandTerminal, countsBadChecksumsOnTheLine)
{
    PcLine pc;
    TerminalBank bank(holding({1}));
    QByteArray broken = pc.countRequest();
    broken[9] = char(broken[9] + 0x10);
    QByteArray brokenFc = pc.fc(255, 30, 0, {24, 3, 7, 9, 5}, 0);
    brokenFc[12] = char(brokenFc[12] ^ 1);
    deliver(bank, broken + brokenFc + pc.countRequest());
    EXPECT_EQ(bank.lineStats().packets, 3);
    EXPECT_EQ(bank.lineStats().badChecksums, 2);
    EXPECT_EQ(bank.terminals()[0].stats().countRequests, 1);
    EXPECT_FALSE(bank.broadcasts().clock);
}
