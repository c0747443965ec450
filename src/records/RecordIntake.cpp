#include "records/RecordIntake.h"

#include "link/LinkState.h"
#include "link/PacketSender.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "protocol/Frames.h"
#include "records/LogFile.h"
#include "records/RecordCells.h"
#include "settings/TextTable.h"
#include "settings/frmOption.h"

#include <QColor>

#include <algorithm>

namespace {
constexpr int kPresenceColumn = 1;
constexpr int kCountColumn = 2;
constexpr int kAcknowledgeBytes = 2;
const QColor kPresent(0, 255, 0);
} // namespace

RecordIntake::RecordIntake(Grid &mshVimo, frmOption &options, const TextTable &texts, PacketSender &sender,
                           LinkState &link, LogFile &logFile, Dialogs &dialogs, const Clock &clock)
    : m_mshVimo(mshVimo), m_options(options), m_texts(texts), m_sender(sender), m_link(link),
      m_logFile(logFile), m_dialogs(dialogs), m_clock(clock)
{ }

void RecordIntake::BehModData(int Object, int Code, std::optional<int> Data, const RecordData &MData,
                              int DataCnt)
{
    Q_UNUSED(DataCnt);
    switch (Packet::Command(Code)) {
    case Packet::Command::Count:
        // A count answer carries its count in the data word of a short packet.
        if (Data)
            countAnswer(Object, *Data);
        break;
    case Packet::Command::Record:
        // A record comes only in a long packet; a short one (noise that passed its checksum)
        // would hand on what the last long packet left, maybe another terminal's record.
        if (!Data)
            record(Object, MData);
        break;
    default:
        break;
    }
}

void RecordIntake::GetNoRecord()
{
    if (m_link.ServedTerminal < 0)
        return;
    m_sender.Send11Byte(m_link.ServedTerminal, Packet::Command::Count, Packet::kRequestValue,
                        Packet::FlagMode::HighAddress, Packet::kBothStatusBits);
}

void RecordIntake::countAnswer(int Object, int count)
{
    Grid &status = m_options.mshStatus;
    if (Object > 0 && Object < Packet::kBroadcastAddress && Object < status.rows()) {
        status.setText(Object, kCountColumn, QString::number(count));
        status.setCurrentCell(Object, kPresenceColumn);
        status.setBackColour(Object, kPresenceColumn, kPresent);
    }
    if (m_link.ServedTerminal <= -1)
        return;
    m_link.RecordsOutstanding = count;
    if (m_link.RecordsOutstanding > 0) {
        const std::array<std::uint8_t, kAcknowledgeBytes> count{
            std::uint8_t(m_link.RecordsOutstanding / 256), std::uint8_t(m_link.RecordsOutstanding & 255)};
        m_sender.SendXXByte(m_link.ServedTerminal, Packet::Command::Record, Packet::kBothStatusBits, count,
                            Packet::FlagMode::HighAddress);
    }
}

void RecordIntake::record(int Object, const RecordData &MData)
{
    // Only the terminal being served may deliver records; any other keeps its record until
    // it is asked, and the served terminal's count stays as it was.
    if (m_link.ServedTerminal < 0 || Object != m_link.ServedTerminal)
        return;
    RecordBytes bytes;
    std::copy_n(MData.begin(), bytes.size(), bytes.begin());
    const auto left = RecordFields::recordsLeft(bytes);

    if (!RecordFields::isAcceptedType(bytes)) {
        if (left)
            m_link.RecordsOutstanding = *left;
        return;
    }
    // The same record again means our acknowledgement got lost: acknowledge it again, but
    // do not store it twice. A record that could not be stored is not received at all: the
    // terminal still holds it, and so the count is left as it was.
    const auto last = m_lastStored.find(Object);
    const bool repeated = last != m_lastStored.end() && last->second == bytes;
    if (!repeated) {
        if (!storeAndShow(bytes))
            return;
        m_lastStored[Object] = bytes;
    }
    if (left)
        m_link.RecordsOutstanding = *left;
    m_sender.SendXXByte(m_link.ServedTerminal, Packet::Command::Record, Packet::kBothStatusBits,
                        std::span(MData).first<kAcknowledgeBytes>(), Packet::FlagMode::HighAddress);
    if (m_link.RecordsOutstanding == 0)
        m_options.mshStatus.setText(m_link.ServedTerminal, kCountColumn, QString());
}

bool RecordIntake::storeAndShow(const RecordBytes &bytes)
{
    const RecordFields::FieldTexts fields = RecordFields::fromRecord(bytes);
    // Kept: a record goes in the file of the day it arrives, not of its own date, so one made
    // just before midnight lands in the new day's file, because a day's file then only grows
    // while it is today's, and the record view loads yesterday with today anyway.
    const QDate today = m_clock.now().date();
    switch (m_logFile.store(today, RecordFields::logLine(fields))) {
    case LogFile::StoreResult::Stored:
        break;
    case LogFile::StoreResult::NotMade:
        return false;
    case LogFile::StoreResult::NotWritten:
        m_dialogs.messageBox(m_logFile.path(today) + QStringLiteral(" could not be written"),
                             QStringLiteral("Problem"));
        return false;
    }
    const int row = m_mshVimo.rows();
    m_mshVimo.setRows(row + 1);
    const RecordCells cells(m_options.mshStaff, m_options.mshMedicine, m_texts);
    cells.fillRow(m_mshVimo, row, RecordFields::views(fields));
    return true;
}
