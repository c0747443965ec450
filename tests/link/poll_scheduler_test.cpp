#include "fakes/OptionFixture.h"
#include "link/PacketSender.h"
#include "link/PollScheduler.h"
#include "link/TerminalStatusGrid.h"
#include "link/TerminalTable.h"
#include "link/TimeText.h"
#include "platform/Label.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {
using namespace Packet;

// The packets the scheduler should send, from the codec (checked against hex on its own).
QString fa(int address, int command, int value, int flagMode, int highBits)
{
    return toHex(FaFrame::make(address, Command(command), value, FlagMode(flagMode), highBits).encode());
}
// A broadcast FC packet; a name goes out as its entry and 20 bytes.
QString fc(int command, const QByteArray &data)
{
    const std::vector<std::uint8_t> bytes(data.begin(), data.end());
    return toHex(FcFrame::make(kBroadcastAddress, Command(command), 0, bytes, FlagMode::Never).encode());
}
QString name(int command, int entry, const QByteArray &name)
{
    return fc(command, char(entry) + name.leftJustified(20, ' '));
}
const QString kClockFrame = fc(30, QByteArray("\x18\x03\x07\x09\x1E", 5)); // 2024-03-07 09:30

struct PollSchedulerTest : ::testing::Test, OptionFixture
{
    PollSchedulerTest()
    {
        link.setTerminalCount(3);
        port.open_ = true;
        scheduler.start(clock.now());
    }

    QString tick() { return scheduler.tick(), port.takeWrittenHex(); }

    PacketSender sender{port};
    TerminalTable link;
    Settings settings;
    Label lblActivity, lblTerminals;
    int dayChanges = 0;
    int nestedTicks = 0; // ticks that ran while the day change was handled (a message box open)
    PollScheduler scheduler{link, settings, sender, texts, lblActivity, lblTerminals, clock, [this] {
                                ++dayChanges;
                                const int before = scheduler.position().secondCounter;
                                scheduler.tick();
                                nestedTicks += scheduler.position().secondCounter - before;
                            }};
};

TEST_F(PollSchedulerTest, EachBroadcastItemInItsTurnThenTheDayChanges)
{
    settings.staff[0] = QStringLiteral("Christoffer Andersen Hansen");
    settings.staff[19] = QStringLiteral("Staff 20");
    settings.medicine[0] = QStringLiteral("Ł Søren");
    settings.medicine[9] = QStringLiteral("Medicine 10");
    settings.interval1 = QStringLiteral("05:00");
    settings.duration1 = QStringLiteral(" 23:59:59 ");
    settings.interval2 = QStringLiteral("24:00"); // not a time: 0
    settings.temperature = -1;
    const std::map<int, QString> sent = {
        {0, kClockFrame},
        {1, name(40, 0, "Christoffer Andersen")}, // staff entry 0 is the first name, cut to 20 bytes
        {20, name(40, 19, "Staff 20")}, // staff entry 19 is the twentieth
        {21, name(42, 0, "  S\xF8ren")}, // medicine entry 0 is the first name; no byte for Ł: a blank
        {30, name(42, 9, "Medicine 10")}, // medicine entry 9 is the tenth
        {31, fa(255, 53, 255, 0, 0)}, // interval 1 is limited to 255 minutes
        {32, fa(255, 54, 1439, 0, 0)}, // hours and minutes
        {33, fa(255, 55, 0, 0, 0)},
        {34, fa(255, 51, -1, 0, 0)}, // no temperature choice
        {35, QString()}, // a silent tick, and the cycle starts again
    };
    // The cycle in its order, from the clock to the silent tick; the items between are names too.
    for (int step = 0; step <= 35; ++step) {
        scheduler.moveTo({0, scheduler.position().broadcastStep}); // keeps the count request away
        const QString packet = tick();
        EXPECT_EQ(lblActivity.caption(), QStringLiteral("T44 %1").arg(step));
        EXPECT_TRUE(!sent.contains(step) || packet == sent.at(step)) << step << ": " << packet.toStdString();
    }
    EXPECT_EQ(tick(), kClockFrame);
    clock.moment = QDateTime(QDate(2024, 3, 8), QTime(0, 0, 1));
    tick();
    tick();
    // A change of day calls the handler once; a tick waits for the one under way.
    EXPECT_EQ(std::pair(dayChanges, nestedTicks), std::pair(1, 0));
    clock.moment = QDateTime(QDate(2300, 1, 2), QTime(3, 4)); // a year past the byte goes out as 0
    scheduler.moveTo({0, 0});
    EXPECT_EQ(tick(), fc(30, QByteArray("\0\1\2\3\4", 5)));
}

TEST_F(PollSchedulerTest, TerminalsAreServedLowestFirstUntilTheSixthTickAsksAllForCounts)
{
    link.countAnswered(3, 2);
    link.countAnswered(2, 17);
    EXPECT_EQ(tick(), fa(2, 1, 16383, 2, 192));
    EXPECT_EQ(std::pair(link.ServedTerminal, link.RecordsOutstanding), std::pair(2, 17));
    EXPECT_EQ(lblActivity.caption(), u"T43 2, 17");
    EXPECT_EQ(tick(), u""); // broadcasts pause while records come
    link.RecordsOutstanding = 0; // the intake saw the last record
    link.drained(2);
    link.asksUnanswered = link.unusableInARow = 2; // what terminal 2 left
    EXPECT_EQ(tick(), fa(3, 1, 16383, 2, 192));
    EXPECT_EQ(link.asksUnanswered + link.unusableInARow, 0) << "the next terminal starts afresh";
    tick();
    tick();
    // The count request ends the serving whatever the terminal sent; the grid shows each at 0.
    const QString countRequest = fa(255, 0, 16383, 0, 192);
    link.RecordsOutstanding = 1; // a record still on its way
    EXPECT_EQ(tick(), countRequest);
    EXPECT_EQ(std::pair(link.ServedTerminal, link.RecordsOutstanding), std::pair(-1, 0));
    showTerminalStatus(link, options->mshStatus);
    const Grid &status = options->mshStatus;
    EXPECT_EQ(status.currentRow(), 2) << "the terminal that answered last is picked";
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(status.text(row, 0) + status.text(row, 2), QString::number(row) + u'0');
        EXPECT_FALSE(status.backColour(row, 1));
    }
    EXPECT_EQ(tick(), kClockFrame) << "the cycle goes on where it stopped";
    int ticks = 2; // the one above and the next
    while (ticks < 100 && !tick().endsWith(countRequest))
        ++ticks;
    EXPECT_EQ(ticks, PollScheduler::kCountRequestTicks) << "the next count request a full round later";
}

} // namespace

// A served terminal that stays quiet (its record or our acknowledgement lost on the line) is
// asked again once it has been quiet for 1.5 s on the monotonic clock (the date and time of day
// stand still here, as when the PC's clock is set back); after four unanswered asks the next
// terminal is served, and the quiet one only again after the next count request. A terminal
// passed over for what it sends is named until then; a quiet one is not.
TEST_F(PollSchedulerTest, QuietTerminalIsAskedAgainThenPassedOverUntilTheNextCountRequest)
{
    scheduler.moveTo({0, 0});
    clock.monotonic = 0;
    link.countAnswered(1, 1); // one record is asked for again as well

    link.countAnswered(2, 1);
    const QString askFirst = fa(1, 1, 16383, 2, 192);
    const QString askSecond = fa(2, 1, 16383, 2, 192);
    // Milliseconds since the tick before, what goes on the line.
    const std::tuple<const char *, int, QString> steps[]
        = {{"asked", 0, askFirst},        {"quiet 1.499 s", 1499, {}},   {"quiet 1.5 s: again", 1, askFirst},
           {"quiet 1 s", 1000, {}},       {"2nd again", 1000, askFirst}, {"3rd again", 2000, askFirst},
           {"4th again", 2000, askFirst}, {"quiet after 4", 1000, {}},   {"passed over", 1000, askSecond}};
    for (const auto &[name, ms, sent] : steps) {
        *clock.monotonic += ms;
        EXPECT_EQ(tick(), sent) << name;
    }
    EXPECT_EQ(lblTerminals.caption(), QString());
    texts.set(int(Txt::UnusableRecords), QStringLiteral("unusable %1"));
    link.passOver(TerminalTable::PassedOver::Unusable);
    link.ServedTerminal = 3;
    link.passOver(TerminalTable::PassedOver::UnknownType);
    EXPECT_EQ(link.ServedTerminal, -1) << "none served, so none of its records is taken";
    link.drained(2);
    EXPECT_NE(tick(), askFirst) << "passed over until the next count request";
    EXPECT_EQ(lblTerminals.caption(), u"unusable 2; T71 3");
    scheduler.moveTo({PollScheduler::kCountRequestTicks, scheduler.position().broadcastStep});
    tick();
    EXPECT_EQ(lblTerminals.caption(), QString());
    link.countAnswered(1, 3);
    EXPECT_EQ(tick(), askFirst);
    link.asksUnanswered = link.unusableInARow = 3;
    link.progress(7); // a record came: the terminal's asks and unusable records count afresh
    EXPECT_EQ(std::tuple(link.asksUnanswered, link.unusableInARow, link.quietSinceMs), std::tuple(0, 0, 7));
}

// Interval and duration texts in minutes (the seconds dropped); those that are no time go out as
// 0 (times are in the broadcast cycle).
TEST(TimeText, MinutesOfATime)
{
    const std::pair<const char16_t *, int> cases[]
        = {{u"01:30", 90},  {u" 2:05:59 ", 125}, {u"23:59", 1439}, {u"24:00", 0},  {u"00:60", 0},
           {u"1:02:60", 0}, {u"1:2:3:4", 0},     {u"", 0},         {u"no time", 0}};
    for (const auto &[text, minutes] : cases)
        EXPECT_EQ(minutesOfTimeText(QStringView(text)), minutes) << QString::fromUtf16(text).toStdString();
}
