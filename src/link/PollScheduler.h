#pragma once

#include "protocol/Frames.h"

#include <QDateTime>

#include <functional>

class Clock;
class Label;
class PacketSender;
class TextTable;
class frmOption;
struct LinkState;

// The once-a-second master of the line: asks a terminal that reported records to send
// them, or broadcasts the next settings item; every minute asks all terminals how many
// records they hold; at the change of day moves the record view on.
class PollScheduler
{
public:
    static constexpr int kFirstSecondCounter = 54; // the first count request goes out on tick 6
    static constexpr int kCountRequestTicks = 60;
    static constexpr int kBroadcastItems = 35;

    PollScheduler(LinkState &link, frmOption &options, PacketSender &sender, const TextTable &texts,
                  Label &lblActivity, const Clock &clock);

    // Called when the present day differs from the one seen last.
    void setDayChangeHandler(std::function<void()> handler) { m_dayChanged = std::move(handler); }

    // The counters as start-up leaves them.
    void start(const QDateTime &now);
    // One tick of timSekund.
    void tick();

    int SecondCounter = kFirstSecondCounter;
    int CurrentDay = 0;
    int BroadcastStep = 0;

private:
    void requestRecords();
    void broadcastNext();
    void sendBroadcastItem(int step);
    void sendName(Packet::Command command, int entry, const QString &name);
    void requestCounts();
    void checkDayChange();

    LinkState &m_link;
    frmOption &m_options;
    PacketSender &m_sender;
    const TextTable &m_texts;
    Label &m_lblActivity;
    const Clock &m_clock;
    std::function<void()> m_dayChanged;
    bool m_inTick = false;
};
