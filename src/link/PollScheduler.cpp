#include "link/PollScheduler.h"

#include "link/PacketSender.h"
#include "link/TerminalTable.h"
#include "link/TimeText.h"
#include "platform/Clock.h"
#include "platform/Codec1252.h"
#include "platform/Label.h"
#include "protocol/Frames.h"
#include "settings/Settings.h"
#include "settings/TextTable.h"

namespace {
constexpr int kNameBytes = 20;
constexpr int kStaffNames = Settings::kStaffNames;
constexpr int kMedicineNames = Settings::kMedicineNames;
constexpr int kLargestInterval1 = 255;
} // namespace

PollScheduler::PollScheduler(TerminalTable &terminals, const Settings &settings, PacketSender &sender,
                             const TextTable &texts, Label &lblActivity, Label &lblTerminals,
                             const Clock &clock, std::function<void()> dayChanged)
    : m_terminals(terminals), m_settings(settings), m_sender(sender), m_texts(texts),
      m_lblActivity(lblActivity), m_lblTerminals(lblTerminals), m_clock(clock),
      m_dayChanged(std::move(dayChanged))
{ }

void PollScheduler::start(const QDateTime &now)
{
    m_currentDay = now.date().day();
    m_position = {};
}

void PollScheduler::tick()
{
    // A message box opened further down runs its own event loop; the next tick waits for it.
    if (m_inTick)
        return;
    m_inTick = true;
    ++m_position.secondCounter;
    if (m_terminals.RecordsOutstanding > 0)
        askAgainWhenQuiet();
    if (m_terminals.RecordsOutstanding == 0)
        requestRecords();
    if (m_terminals.RecordsOutstanding == 0)
        broadcastNext();
    if (m_position.secondCounter >= kCountRequestTicks)
        requestCounts();
    showPassedOver();
    checkDayChange();
    m_inTick = false;
}

void PollScheduler::requestRecords()
{
    // The line is shared: only the lowest-numbered terminal with records is asked; the others
    // keep their counts and follow on later ticks.
    for (int terminal = 1; terminal <= m_terminals.terminalCount(); ++terminal) {
        const auto count = m_terminals.terminal(terminal).recordsReported;
        if (!count || *count <= 0 || m_terminals.passedOver.contains(terminal))
            continue;
        m_terminals.serve(terminal, *count);
        m_sender.Send11Byte(terminal, Packet::Command::Record, Packet::kRequestValue,
                            Packet::FlagMode::HighAddress, Packet::kBothStatusBits);
        m_terminals.asked(m_clock.monotonicMs());
        m_lblActivity.setCaption(m_texts.text(Txt::Serving) + u' ' + QString::number(terminal)
                                 + QStringLiteral(", ") + QString::number(*count));
        return;
    }
}

// A lost record packet or acknowledgement leaves the served terminal waiting to be asked: it
// is asked again once it has been quiet for a while, and after a few unanswered asks the next
// terminal is served. The terminal keeps its record, so nothing is lost, and a record sent again
// is known by its content, so nothing is stored twice.
void PollScheduler::askAgainWhenQuiet()
{
    if (m_clock.monotonicMs() - m_terminals.quietSinceMs < kQuietMs)
        return;
    if (++m_terminals.asksUnanswered > kAsksBeforeMovingOn) {
        m_terminals.passOver(TerminalTable::PassedOver::Quiet);
        return;
    }
    m_sender.Send11Byte(m_terminals.ServedTerminal, Packet::Command::Record, Packet::kRequestValue,
                        Packet::FlagMode::HighAddress, Packet::kBothStatusBits);
    m_terminals.asked(m_clock.monotonicMs());
}

// A terminal passed over for what it sends is named until the next count request, so that staff
// can take it to be looked at; one that was quiet is not (it may just be away from its dock).
void PollScheduler::showPassedOver()
{
    QStringList notes;
    for (const auto &[terminal, why] : m_terminals.passedOver) {
        if (why == TerminalTable::PassedOver::UnknownType)
            notes << m_texts.text(Txt::UnknownRecord) + u' ' + QString::number(terminal);
        else if (why == TerminalTable::PassedOver::Unusable)
            notes << m_texts.text(Txt::UnusableRecords).arg(terminal);
    }
    m_lblTerminals.setCaption(notes.join(QStringLiteral("; ")));
}

void PollScheduler::broadcastNext()
{
    m_lblActivity.setCaption(m_texts.text(Txt::Broadcasting) + u' '
                             + QString::number(m_position.broadcastStep));
    // Kept: after the last item one tick goes by with nothing sent (35 items in 36 ticks),
    // because the terminals have always been sent the cycle with that pause.
    if (m_position.broadcastStep < 0 || m_position.broadcastStep >= kBroadcastItems) {
        m_position.broadcastStep = 0;
        return;
    }
    sendBroadcastItem(m_position.broadcastStep);
    ++m_position.broadcastStep;
}

void PollScheduler::sendBroadcastItem(int step)
{
    if (step == 0) {
        const QDateTime now = m_clock.now();
        const int year = now.date().year() - 2000;
        // A year the byte cannot hold goes out as 0 (before, a stale byte of the last packet).
        std::array<std::uint8_t, 5> buf{};
        if (year >= 0 && year <= 255)
            buf[0] = std::uint8_t(year);
        buf[1] = std::uint8_t(now.date().month());
        buf[2] = std::uint8_t(now.date().day());
        buf[3] = std::uint8_t(now.time().hour());
        buf[4] = std::uint8_t(now.time().minute());
        m_sender.SendXXByte(Packet::kBroadcastAddress, Packet::Command::Clock, 0, buf,
                            Packet::FlagMode::Never);
    } else if (step <= kStaffNames) {
        sendName(Packet::Command::StaffName, step - 1, m_settings.staff[size_t(step) - 1]);
    } else if (step <= kStaffNames + kMedicineNames) {
        sendName(Packet::Command::MedicineName, step - kStaffNames - 1,
                 m_settings.medicine[size_t(step - kStaffNames) - 1]);
    } else if (step == 31) {
        // Kept: only Interval 1 is capped at 255 minutes, Interval 2 and Duration 1 are not,
        // because the terminals have always been sent them so.
        const int minutes = std::min(minutesOfTimeText(m_settings.interval1), kLargestInterval1);
        m_sender.Send11Byte(Packet::kBroadcastAddress, Packet::Command::Interval1, minutes,
                            Packet::FlagMode::Never, 0);
    } else if (step == 32) {
        m_sender.Send11Byte(Packet::kBroadcastAddress, Packet::Command::Duration1,
                            minutesOfTimeText(m_settings.duration1), Packet::FlagMode::Never, 0);
    } else if (step == 33) {
        m_sender.Send11Byte(Packet::kBroadcastAddress, Packet::Command::Interval2,
                            minutesOfTimeText(m_settings.interval2), Packet::FlagMode::Never, 0);
    } else if (step == 34) {
        m_sender.Send11Byte(Packet::kBroadcastAddress, Packet::Command::TemperatureChoice,
                            m_settings.temperature, Packet::FlagMode::Never, 0);
    }
}

void PollScheduler::sendName(Packet::Command command, int entry, const QString &name)
{
    std::array<std::uint8_t, 1 + kNameBytes> buf{};
    buf[0] = std::uint8_t(entry);
    std::fill(buf.begin() + 1, buf.begin() + 1 + kNameBytes, std::uint8_t(' '));
    auto out = buf.begin() + 1;
    for (const QChar c : QStringView(name).left(kNameBytes)) {
        if (const auto byte = Codec1252::toByte(c))
            *out = *byte;
        ++out;
    }
    m_sender.SendXXByte(Packet::kBroadcastAddress, command, 0, buf, Packet::FlagMode::Never);
}

void PollScheduler::requestCounts()
{
    m_position.secondCounter = 0;
    m_sender.Send11Byte(Packet::kBroadcastAddress, Packet::Command::Count, Packet::kRequestValue,
                        Packet::FlagMode::Never, Packet::kBothStatusBits);
    m_terminals.countRequested();
}

void PollScheduler::checkDayChange()
{
    const int today = m_clock.now().date().day();
    // Kept: only the day of month is compared, so a clock moved by whole months to the same day
    // goes unnoticed, because this only has to catch midnight and the next one catches up.
    if (today == m_currentDay)
        return;
    m_currentDay = today;
    if (m_dayChanged)
        m_dayChanged();
}
