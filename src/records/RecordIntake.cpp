#include "records/RecordIntake.h"

#include "link/PacketSender.h"
#include "link/TerminalTable.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "protocol/Frames.h"
#include "records/LogFile.h"
#include "records/RecordCells.h"
#include "settings/TextTable.h"

#include <algorithm>

namespace {
constexpr int kAcknowledgeBytes = 2;
} // namespace

RecordIntake::RecordIntake(Grid &mshVimo, const Settings &settings, const TextTable &texts,
                           PacketSender &sender, TerminalTable &terminals, LogFile &logFile, Dialogs &dialogs,
                           const Clock &clock)
    : m_mshVimo(mshVimo), m_settings(settings), m_texts(texts), m_sender(sender), m_terminals(terminals),
      m_logFile(logFile), m_dialogs(dialogs), m_clock(clock), m_stored(logFile)
{ }

void RecordIntake::BehModData(int Object, int Code, std::optional<int> Data, const RecordData &MData,
                              int DataCnt)
{
    switch (Packet::Command(Code)) {
    case Packet::Command::Count:
        // A count answer carries its count in the data word of a short packet.
        if (Data)
            countAnswer(Object, *Data);
        break;
    case Packet::Command::Record:
        // A record comes only in a long packet of at least a whole record's bytes (more than 30 are
        // stored as their first 30); a short packet (noise that passed its checksum) or a shorter
        // one would hand on what the last long packet left, maybe another terminal's record. The
        // terminal keeps it and sends it again.
        if (!Data && DataCnt >= RecordFields::kRecordBytes)
            record(Object, MData);
        else if (Object == m_terminals.ServedTerminal)
            unusable();
        break;
    default:
        break;
    }
}

void RecordIntake::GetNoRecord()
{
    if (m_terminals.ServedTerminal < 0)
        return;
    m_sender.Send11Byte(m_terminals.ServedTerminal, Packet::Command::Count, Packet::kRequestValue,
                        Packet::FlagMode::HighAddress, Packet::kBothStatusBits);
}

void RecordIntake::countAnswer(int Object, int count)
{
    m_terminals.countAnswered(Object, count);
    // Another terminal's answer, still on its way when this one was asked for its records,
    // must not reach the served terminal: an equal count would acknowledge its record in flight.
    if (m_terminals.ServedTerminal <= -1 || Object != m_terminals.ServedTerminal)
        return;
    m_terminals.RecordsOutstanding = count;
    if (m_terminals.RecordsOutstanding > 0) {
        const std::array<std::uint8_t, kAcknowledgeBytes> count{
            std::uint8_t(m_terminals.RecordsOutstanding / 256),
            std::uint8_t(m_terminals.RecordsOutstanding & 255)};
        m_sender.SendXXByte(m_terminals.ServedTerminal, Packet::Command::Record, Packet::kBothStatusBits,
                            count, Packet::FlagMode::HighAddress);
        m_terminals.asked(m_clock.monotonicMs());
    }
}

// A record the served terminal sent but that cannot be stored: it is asked again when it has
// been quiet for a while, and a terminal that sends nothing else is passed over, so that it does
// not hold up the others.
void RecordIntake::unusable()
{
    if (++m_terminals.unusableInARow >= TerminalTable::kUnusableBeforePassingOver)
        m_terminals.passOver(TerminalTable::PassedOver::Unusable);
}

void RecordIntake::record(int Object, const RecordData &MData)
{
    // Only the terminal being served may deliver records; any other keeps its record until
    // it is asked, and the served terminal's count stays as it was.
    if (m_terminals.ServedTerminal < 0 || Object != m_terminals.ServedTerminal)
        return;
    RecordBytes bytes;
    std::copy_n(MData.begin(), bytes.size(), bytes.begin());
    const auto left = RecordFields::recordsLeft(bytes);

    if (!RecordFields::isAcceptedType(bytes)) {
        // Kept: not stored and not acknowledged, as another program may collect such a record;
        // but the user sees which terminal holds it, and the others are served meanwhile.
        m_terminals.markUnreadable(Object);
        m_terminals.passOver(TerminalTable::PassedOver::UnknownType);
        return;
    }
    // A record already in the log (by its content: the count in front changes when staff
    // record another farrowing meanwhile) means our acknowledgement got lost: acknowledge it
    // again, but do not store it twice. A record that could not be stored is not received at
    // all: the terminal still holds it, and so the count is left as it was.
    const RecordFields::FieldTexts fields = RecordFields::fromRecord(bytes);
    QByteArray line = RecordFields::logLine(fields);
    line.chop(2);
    const QDate today = m_clock.now().date();
    if (!m_stored.contains(line, RecordFields::recordDay(bytes), today)) {
        if (!storeAndShow(today, fields))
            return;
        m_stored.add(today, line);
    }
    if (left)
        m_terminals.RecordsOutstanding = *left;
    m_sender.SendXXByte(m_terminals.ServedTerminal, Packet::Command::Record, Packet::kBothStatusBits,
                        std::span(MData).first<kAcknowledgeBytes>(), Packet::FlagMode::HighAddress);
    m_terminals.progress(m_clock.monotonicMs());
    if (m_terminals.RecordsOutstanding == 0)
        m_terminals.drained(m_terminals.ServedTerminal);
}

bool RecordIntake::storeAndShow(const QDate &today, const RecordFields::FieldTexts &fields)
{
    // Kept: a record goes in the file of the day it arrives, not of its own date, so one made
    // just before midnight lands in the new day's file, because a day's file then only grows
    // while it is today's, and the record view loads yesterday with today anyway.
    const QString path = m_logFile.path(today);
    switch (m_logFile.store(today, RecordFields::logLine(fields))) {
    case LogFile::StoreResult::Stored:
        m_problem.clear();
        break;
    case LogFile::StoreResult::NotMade:
        tellOnce(path + QStringLiteral(" could not be made"));
        return false;
    case LogFile::StoreResult::NotWritten:
        tellOnce(path + QStringLiteral(" could not be written"));
        return false;
    case LogFile::StoreResult::NotAFile:
        tellOnce(path + QStringLiteral(" could not be written: it is not a regular file"));
        return false;
    }
    const int row = m_mshVimo.rows();
    m_mshVimo.setRows(row + 1);
    const RecordCells cells(m_settings, m_texts);
    cells.fillRow(m_mshVimo, row, RecordFields::views(fields));
    return true;
}

// The terminal sends the record again and again while the fault lasts: one box says so, and
// storing goes on by itself once the file can be written.
void RecordIntake::tellOnce(const QString &problem)
{
    if (problem == m_problem)
        return;
    m_problem = problem;
    m_dialogs.problemBox(problem, QStringLiteral("Problem"));
}
