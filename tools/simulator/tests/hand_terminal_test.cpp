#include "PcLine.h"

#include <gtest/gtest.h>

#include <QStringList>

// What the terminals did with a packet all of them heard, their answers read by the PC's own
// decoder: "sent" ... for the events, "T1 count 3" for a count, "T1 record 7 left 2" for
// sampleRecord(7) (its own bytes, as the confirmed records show).
static QString outcomeOf(TerminalBank &bank, const QByteArray &packet)
{
    static const char *const kinds[] = {"", "sent", "resent", "nothing", "confirmed", "ignored", "missed"};
    const auto outcome = bank.onPacket(packet.startsWith(char(0xFC)) ? Packet::Type::FC : Packet::Type::FA,
                                       std::vector<std::uint8_t>(packet.begin(), packet.end()));
    QStringList parts;
    for (const TerminalEvent &event : outcome.events)
        parts << QString::fromLatin1(kinds[int(event.kind)]);
    for (const TerminalBank::Answer &answer : outcome.answers) {
        const std::vector<std::uint8_t> bytes(answer.bytes.begin(), answer.bytes.end());
        if (bytes.size() == std::size_t(Packet::kFaLength)) {
            const auto fields = Packet::FaFrame::decode(std::span(bytes).first<Packet::kFaLength>());
            EXPECT_TRUE(fields.accepted() && fields.command == 0);
            parts << QStringLiteral("T%1 count %2").arg(fields.address).arg(fields.value());
        } else {
            const auto fields = Packet::FcFrame::decode(bytes);
            EXPECT_TRUE(fields.accepted() && fields.command == 1 && fields.count == TerminalRecord::kSize);
            TerminalRecord sent;
            std::copy_n(fields.data.begin(), TerminalRecord::kSize, sent.bytes.begin());
            parts << QString::asprintf("T%d record %d left %d", fields.address, sent.sow().mid(2, 4).toInt(),
                                       sent.remaining());
        }
    }
    parts.removeAll(QString());
    return parts.join(QStringLiteral(", "));
}

// Terminal 1 holds records 1-3, terminal 2 none, terminal 3 holds 300 (101-400). A record is
// deleted only by the echo of the count after it, to its own address, after it was sent; then
// the next one follows at once. A confirmation the terminal misses (a line fault) leaves the
// record, and it goes out again when it is next asked: what the PC must not store twice, even
// when a record added meanwhile changed its records-left bytes.
TEST(HandTerminal, answersAndDeletesOnlyOnItsConfirmation)
{
    const std::vector<std::tuple<QByteArray, const char *, int>> steps = {
        // packet, outcome, held after
        {countRequest(255), "T1 count 3, T2 count 0, T3 count 300", 3},
        {countRequest(9), "", 3},
        {fc(255, 30, {24, 3, 7, 9, 5}), "", 3}, // the clock, to all
        {recordRequest(255), "", 3},
        {recordRequest(2), "nothing, T2 count 0", 3},
        {recordRequest(3), "sent, T3 record 101 left 299", 3},
        {ack(1, 0, 2), "ignored", 3}, // before the record was sent
        {recordRequest(1), "sent, T1 record 1 left 2", 3},
        {ack(1, 0, 3), "ignored", 3}, // the count the PC repeats after a count answer
        {fc(1, 1, {0, 2, 0}, 192, 2), "ignored", 3},
        {ack(2, 0, 2), "ignored", 3},
        {recordRequest(1), "resent, T1 record 1 left 2", 3},
        {ack(1, 0, 2), "missed", 3}, // the terminal is told to miss it
        {"", "", 4}, // staff record farrowing 4 meanwhile: the resend carries a new count
        {recordRequest(1), "resent, T1 record 1 left 3", 4},
        {ack(1, 0, 2), "ignored", 4},
        {ack(1, 0, 3), "confirmed, sent, T1 record 2 left 2", 3},
        {"", "", 4}, // farrowing 5 while record 2 is on its way: what was sent still confirms it
        {ack(1, 0, 2), "confirmed, sent, T1 record 3 left 2", 3},
        {ack(1, 0, 2), "confirmed, sent, T1 record 4 left 1", 2},
    };
    std::vector<std::vector<TerminalRecord>> records{
        {sampleRecord(1), sampleRecord(2), sampleRecord(3)}, {}, {}};
    for (int n = 101; n <= 400; ++n)
        records[2].push_back(sampleRecord(n));
    TerminalBank bank(records);
    const char *expected = "";
    bank.setAckFilter([&] { return expected == std::string_view("missed"); });
    int added = 3;
    for (const auto &[packet, outcome, held] : steps) {
        SCOPED_TRACE(outcome);
        expected = outcome;
        if (packet.isEmpty())
            bank.add(1, sampleRecord(++added));
        else
            EXPECT_EQ(outcomeOf(bank, packet).toStdString(), outcome);
        EXPECT_EQ(bank.terminals()[0].held(), held);
    }
}
