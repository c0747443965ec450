#include "PcLine.h"

#include <gtest/gtest.h>

namespace {
std::vector<std::uint8_t> nameItem(int entry, const QByteArray &name)
{
    std::vector<std::uint8_t> data{std::uint8_t(entry)};
    const QByteArray padded = name.leftJustified(20, ' ', true);
    data.insert(data.end(), padded.begin(), padded.end());
    return data;
}
} // namespace

// One whole broadcast cycle as the PC sends it: everything is kept, nothing is answered.
TEST(BroadcastState, keepsEveryItemOfTheCycle)
{
    PcLine pc;
    TerminalBank bank({sampleRecords(1)});
    QByteArray cycle = pc.fc(255, 30, 0, {24, 3, 7, 9, 5}, 0);
    for (int i = 0; i < 20; ++i)
        cycle += pc.fc(255, 40, 0, nameItem(i, "Staff " + QByteArray::number(i)), 0);
    for (int i = 0; i < 10; ++i)
        cycle += pc.fc(255, 42, 0, nameItem(i, i == 3 ? QByteArray("Penicillin \xE6\xF8\xE5") : QByteArray()),
                       0);
    cycle += pc.fa(255, 53, 255, 0, 0) + pc.fa(255, 54, 300, 0, 0) + pc.fa(255, 55, 90, 0, 0)
        + pc.fa(255, 51, -1, 0, 0);

    const auto outcome = deliver(bank, cycle);
    EXPECT_TRUE(outcome.answers.empty());
    const BroadcastState &b = bank.broadcasts();
    EXPECT_EQ(b.itemsReceived, 35);
    EXPECT_EQ(b.malformed, 0);
    ASSERT_TRUE(b.clock);
    EXPECT_EQ(BroadcastState::clockText(*b.clock), QStringLiteral("2024-03-07 09:05"));
    ASSERT_TRUE(b.staff[19]);
    EXPECT_EQ(*b.staff[19], QByteArrayLiteral("Staff 19            "));
    ASSERT_TRUE(b.medicine[3]);
    EXPECT_EQ(BroadcastState::nameText(*b.medicine[3]).trimmed(), QStringLiteral("Penicillin æøå"));
    EXPECT_EQ(*b.medicine[9], QByteArray(20, ' '));
    EXPECT_EQ(b.interval1, 255);
    EXPECT_EQ(b.duration1, 300);
    EXPECT_EQ(b.interval2, 90);
    EXPECT_EQ(b.temperatureChoice, 255); // no choice travels as the word 0x00FF
    EXPECT_TRUE(b.toText().contains(QStringLiteral("duration 1: 300 min (05:00)")));
}

// Items a terminal cannot place are counted, not kept; packets to one terminal or with other
// commands are no broadcast items at all.
TEST(BroadcastState, keepsNothingItCannotPlace)
{
    struct Case
    {
        const char *name;
        std::function<QByteArray(PcLine &)> packet;
        int items, malformed;
    };
    const std::vector<Case> cases = {
        {"staff entry 20", [](PcLine &pc) { return pc.fc(255, 40, 0, nameItem(20, "X"), 0); }, 0, 1},
        {"medicine entry 10", [](PcLine &pc) { return pc.fc(255, 42, 0, nameItem(10, "X"), 0); }, 0, 1},
        {"clock with four bytes",
         [](PcLine &pc) {
             return pc.fc(255, 30, 0, {24, 3, 7, 9}, 0);
         },
         0, 1},
        {"name cut short",
         [](PcLine &pc) {
             return pc.fc(255, 40, 0, {1, 65, 66}, 0);
         },
         0, 1},
        {"clock to one terminal",
         [](PcLine &pc) {
             return pc.fc(1, 30, 0, {24, 3, 7, 9, 5}, 0);
         },
         0, 0},
        {"interval to one terminal", [](PcLine &pc) { return pc.fa(1, 53, 60, 0, 0); }, 0, 0},
        {"unknown command", [](PcLine &pc) { return pc.fa(255, 52, 60, 0, 0); }, 0, 0},
        {"count request", [](PcLine &pc) { return pc.countRequest(); }, 0, 0},
        {"medicine entry 9", [](PcLine &pc) { return pc.fc(255, 42, 0, nameItem(9, "X"), 0); }, 1, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PcLine pc;
        TerminalBank bank({sampleRecords(1)});
        deliver(bank, c.packet(pc));
        const BroadcastState &b = bank.broadcasts();
        EXPECT_EQ(b.itemsReceived, c.items);
        EXPECT_EQ(b.malformed, c.malformed);
        EXPECT_FALSE(b.clock);
        EXPECT_FALSE(b.staff[0] || b.staff[1]);
        EXPECT_FALSE(b.interval1);
    }
}
