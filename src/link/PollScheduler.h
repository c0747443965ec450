#pragma once

#include "protocol/Frames.h"

#include <QDateTime>
#include <QStringList>

#include <functional>

class Clock;
class Label;
class PacketSender;
class TextTable;
class TerminalTable;
struct Settings;

// The once-a-second master of the line: asks a terminal that reported records to send
// them, or broadcasts the next settings item; every minute asks all terminals how many
// records they hold; at the change of day moves the record view on.
class PollScheduler
{
public:
    static constexpr int kFirstSecondCounter = 54; // the first count request goes out on tick 6
    static constexpr int kCountRequestTicks = 60;
    static constexpr int kBroadcastItems = 35;
    // A record packet (73 bytes) takes 0.15 s at 4800 baud and at most 0.6 s more to be read in
    // 50-byte receive ticks of 0.3 s; the next one follows its acknowledgement at once, so a
    // healthy terminal is never quiet for 0.9 s. After 1.5 s it is asked again (at the next
    // tick: within 2.5 s), well short of the minute until the next count request.
    static constexpr int kQuietMs = 1500;
    // A terminal that is gone costs four asks (under ten seconds); one whose packets break
    // four times running is rare even on a poor line.
    static constexpr int kAsksBeforeMovingOn = 4;

    // `dayChanged` is called when the present day differs from the one seen last.
    // `lblTerminals` names the terminals passed over for what they send. The broadcast sends
    // `settings` as they are at the moment each item goes out.
    PollScheduler(TerminalTable &terminals, const Settings &settings, PacketSender &sender,
                  const TextTable &texts, Label &lblActivity, Label &lblTerminals, const Clock &clock,
                  std::function<void()> dayChanged);

    // Where the two cycles stand: ticks since the last count request, the next broadcast item.
    struct Position
    {
        int secondCounter = kFirstSecondCounter;
        int broadcastStep = 0;
    };

    // The cycles as start-up leaves them, and the day the change of day is seen from.
    void start(const QDateTime &now);
    // One tick of timSekund.
    void tick();

    const Position &position() const { return m_position; }
    // Goes on from `position` at the next tick (to send a chosen item, say).
    void moveTo(const Position &position) { m_position = position; }

private:
    void requestRecords();
    void askAgainWhenQuiet();
    void broadcastNext();
    void sendBroadcastItem(int step);
    void sendName(Packet::Command command, int entry, const QString &name);
    void requestCounts();
    void showPassedOver();
    void checkDayChange();

    TerminalTable &m_terminals;
    const Settings &m_settings;
    PacketSender &m_sender;
    const TextTable &m_texts;
    Label &m_lblActivity;
    Label &m_lblTerminals;
    const Clock &m_clock;
    std::function<void()> m_dayChanged;
    Position m_position;
    int m_currentDay = 0;
    bool m_inTick = false;
};
