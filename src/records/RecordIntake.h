#pragma once

#include "link/PacketHandler.h"
#include "protocol/RecordFields.h"
#include "records/StoredLines.h"

#include <array>
#include <cstdint>

class Clock;
class Dialogs;
class Grid;
class LogFile;
class PacketSender;
class TextTable;
class TerminalTable;
struct Settings;

// What the terminals send back: count answers fill the status grid (and, while a terminal is
// served, ask it for its records); each record is stored in today's log file, shown at the
// bottom of the record grid and acknowledged.
//
// A record is acknowledged only once its line is safely in the file, and only to the
// terminal being served: a terminal that gets no acknowledgement keeps the record and sends
// it again, so nothing is lost and nothing is counted twice.
class RecordIntake
{
public:
    RecordIntake(Grid &mshVimo, const Settings &settings, const TextTable &texts, PacketSender &sender,
                 TerminalTable &terminals, LogFile &logFile, Dialogs &dialogs, const Clock &clock);

    void BehModData(int Object, int Code, std::optional<int> Data, const RecordData &MData, int DataCnt);
    // Asks the served terminal how many records it holds.
    void GetNoRecord();

private:
    using RecordBytes = std::array<std::uint8_t, RecordFields::kRecordBytes>;

    void countAnswer(int Object, int count);
    void record(int Object, const RecordData &MData);
    void unusable();
    bool storeAndShow(const QDate &today, const RecordFields::FieldTexts &fields);
    void tellOnce(const QString &problem);

    Grid &m_mshVimo;
    const Settings &m_settings;
    const TextTable &m_texts;
    PacketSender &m_sender;
    TerminalTable &m_terminals;
    LogFile &m_logFile;
    Dialogs &m_dialogs;
    const Clock &m_clock;
    StoredLines m_stored;
    QString m_problem; // the problem last told, until a record is stored again
};
