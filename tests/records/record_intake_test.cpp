#include "RecordBytes.h"
#include "RecordsFixture.h"
#include "link/PacketSender.h"
#include "link/TerminalStatusGrid.h"
#include "link/TerminalTable.h"
#include "records/RecordIntake.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>

#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
using B = RecordFields::RecordByte;
const RecordData kTypical = makeRecord();

// What went before the packet: FolderFile, a file where the log folder should be; DayFolder, a
// folder where today's log file should be; Fifo and Link, a FIFO or a link (to a file of someone
// else's) in place of today's log file; CutShort, two records cut short from terminal 4 (CutAroundWhole:
// one before and one after a whole one); from Stored on, the typical record came from terminal 4 (Failed:
// while the disk was full, which it still is with FullStill; NextDay: then another one after midnight;
// Weekend: the program started again three days later; StoredLater: the packet's own record came first).
// clang-format off
enum class Before { Fresh, NoFolder, FolderFile, DayFolder, Fifo, Link, FullDisk, CutShort, CutAroundWhole, Stored,
                    Failed, FullStill, NextDay, Restart, RestartNextDay, Weekend, StoredLater };
// clang-format on
using enum Before;

struct IntakeCase
{
    const char *name;
    Before before;
    int served, from, code; // the terminal served when the packet comes, its sender, its command
    std::optional<int> data; // a short packet's value
    int count; // a long packet's data bytes
    RecordData record;
    const char16_t *ack; // hex written to the port
    int stored, outstanding; // record lines added to the file and rows to the grid; 3 before
    const char16_t *status, *told; // the sender's status row (terminal 4: "3" before); the boxes shown
};

// Terminal 4 answered that it holds 3 records; the status grid shows the terminals.
void expectIntake(const IntakeCase &c)
{
    RecordsFixture f;
    f.port.setPortNumber(1);
    f.port.open();
    PacketSender sender{f.port};
    TerminalTable link;
    QObject::connect(&link, &TerminalTable::changed, [&] { showTerminalStatus(link, f.options->mshStatus); });
    link.setTerminalCount(4);
    link.countAnswered(4, 3);
    link.ServedTerminal = 4;
    link.RecordsOutstanding = 3;
    auto start = [&] {
        return std::make_unique<RecordIntake>(f.mshVimo, f.settings, f.texts, sender, link, f.logFile,
                                              f.dialogs, f.clock);
    };
    auto intake = start();
    // A terminal's row of the status grid: its count, '*' when it shows as present, '!' when
    // marked otherwise (it holds a record this program cannot read).
    auto status = [&grid = f.options->mshStatus](int row) {
        const auto colour = grid.backColour(row, 1);
        return grid.text(row, 2) + (!colour ? QString() : *colour == Colour{0, 255, 0} ? u"*"_s : u"!"_s);
    };
    auto dayRecords = [&f] { // a device is not read: it would never end
        const QString name = f.clock.now().date().toString(QStringLiteral("'VimoLog/FAR-'yyyy-MM-dd'.txt'"));
        return QFileInfo(f.folder.file(name)).isFile() ? f.folder.read(name).count('\n') - 1 : 0;
    };
    const QString dayPath = f.logFile.path(QDate(2024, 3, 7));
    const QString logFolder = f.folder.file(QStringLiteral("VimoLog"));
    std::optional<FileSizeLimit> full;
    if (c.before == FullDisk || c.before == Failed || c.before == FullStill) {
        f.writeDay(7, LogFile::headerLine());
        full.emplace(LogFile::headerLine().size());
    }
    const QString elsewhere = f.folder.file(QStringLiteral("elsewhere.txt"));
    f.folder.write(QStringLiteral("elsewhere.txt"), "theirs");
    ASSERT_TRUE(c.before != Link || (QDir().mkpath(logFolder) && QFile::link(elsewhere, dayPath)));
    ASSERT_TRUE(c.before != Fifo
                || (QDir().mkpath(logFolder) && ::mkfifo(QFile::encodeName(dayPath).constData(), 0666) == 0));
    for (int i = 0; c.before == CutShort && i < 2; ++i)
        intake->BehModData(4, 1, std::nullopt, kTypical, 29);
    if (c.before == CutAroundWhole) {
        intake->BehModData(4, 1, std::nullopt, kTypical, 29);
        intake->BehModData(4, 1, std::nullopt, makeRecord({{B::Alive, 12}}), 30);
        intake->BehModData(4, 1, std::nullopt, kTypical, 29);
    }
    if (c.before >= Stored)
        intake->BehModData(4, 1, std::nullopt, c.before == StoredLater ? c.record : kTypical, 30);
    if (c.before == Failed)
        full.reset();
    ASSERT_TRUE((c.before != NoFolder && c.before != FolderFile) || QDir(logFolder).removeRecursively());
    ASSERT_TRUE(c.before != FolderFile || QFile(logFolder).open(QIODevice::WriteOnly));
    ASSERT_TRUE(c.before != DayFolder || QDir().mkpath(dayPath));
    if (c.before == NextDay || c.before == RestartNextDay)
        f.clock.moment = at(8, 0, 2);
    if (c.before == NextDay)
        intake->BehModData(4, 1, std::nullopt, makeRecord({{B::Alive, 12}}), 30);
    if (c.before == Weekend)
        f.clock.moment = at(10, 7);
    if (c.before == Restart || c.before == RestartNextDay || c.before == Weekend)
        intake = start(); // the program closed and started again
    f.port.takeWrittenHex();
    f.dialogs.messages.clear();
    link.ServedTerminal = c.served;
    link.RecordsOutstanding = 3;
    const int rows = f.mshVimo.rows();
    const qsizetype records = dayRecords();
    link.quietSinceMs = -1;

    intake->BehModData(c.from, c.code, c.data, c.record, c.count);
    full.reset();
    EXPECT_EQ(f.port.takeWrittenHex(), QString::fromUtf16(c.ack));
    EXPECT_EQ(dayRecords() - records, c.stored);
    EXPECT_EQ(f.mshVimo.rows() - rows, c.stored);
    EXPECT_EQ(link.RecordsOutstanding, c.outstanding);
    EXPECT_EQ(status(c.from), QString::fromUtf16(c.status));
    EXPECT_EQ(f.told(), QString::fromUtf16(c.told));
    EXPECT_EQ(f.folder.read(QStringLiteral("elsewhere.txt")), "theirs");
    // What was written to the served terminal gives it the quiet time to answer anew.
    EXPECT_EQ(link.quietSinceMs == f.clock.monotonicMs(), !QString::fromUtf16(c.ack).isEmpty());
}

// Acknowledgements: FC, the address, command 1, sub-code 192, the record's two count bytes.
TEST(RecordIntake, AcknowledgesARecordOnlyOnceItIsStored)
{
    const auto N = std::nullopt;
    const char16_t *ack = u"FC 00 04 00 01 A0 0C 00 02 B0 03 00 00 00 02 B0 05";
    const IntakeCase cases[] = {
        {"a record from the served terminal", Fresh, 4, 4, 1, N, 30, kTypical, ack, 1, 2, u"3*", u""},
        {"its last record", Fresh, 4, 4, 1, N, 30, makeRecord({{B::CountLow, 0}}),
         u"FC 00 04 00 01 A0 0C 00 02 B0 03 00 00 00 00 B0 03", 1, 0, u"*", u""},
        {"a count of 300 in two bytes", Fresh, 4, 4, 1, N, 30,
         makeRecord({{B::Type, 3}, {B::CountHigh, 1}, {B::CountLow, 44}}),
         u"FC 00 04 00 01 A0 0C 00 02 B0 03 00 01 20 0C E0 00", 1, 300, u"3*", u""},
        {"a count's high byte of 128", Fresh, 4, 4, 1, N, 30, makeRecord({{B::CountHigh, 128}}),
         u"FC 00 04 00 01 A0 0C 00 02 B0 03 80 00 00 02 30 05", 1, 3, u"3*", u""},
        // A resend is not stored twice: the same record, also with a new count in front (staff
        // recorded another meanwhile), after a restart, and after a restart past midnight; one
        // byte off in the record itself is another record.
        {"a resend", Stored, 4, 4, 1, N, 30, kTypical, ack, 0, 2, u"3*", u""},
        {"a resend with a new count", Stored, 4, 4, 1, N, 30, makeRecord({{B::CountLow, 5}}),
         u"FC 00 04 00 01 A0 0C 00 02 B0 03 00 00 00 05 B0 08", 0, 5, u"3*", u""},
        {"a resend after a restart", Restart, 4, 4, 1, N, 30, kTypical, ack, 0, 2, u"3*", u""},
        {"a resend after a restart past midnight", RestartNextDay, 4, 4, 1, N, 30, kTypical, ack, 0, 2, u"3*",
         u""},
        {"a resend after a weekend", Weekend, 4, 4, 1, N, 30, kTypical, ack, 0, 2, u"3*", u""},
        // Dated after today, it is looked for on yesterday and today only.
        {"a resend dated after today", StoredLater, 4, 4, 1, N, 30, makeRecord({{B::Day, 11}}), ack, 0, 2,
         u"3*", u""},
        {"dated after today, after a weekend", Weekend, 4, 4, 1, N, 30, makeRecord({{B::Day, 11}}), ack, 1, 2,
         u"3*", u""},
        {"one byte off is another record", Stored, 4, 4, 1, N, 30, makeRecord({{B::Alive, 12}}), ack, 1, 2,
         u"3*", u""},
        // The same farrowing from another terminal (same sow, minute, staff and figures) is in the
        // log already: acknowledged, not stored again.
        {"the same farrowing from another terminal", Stored, 3, 3, 1, N, 30, kTypical,
         u"FC 00 03 00 01 A0 0C 00 02 B0 02 00 00 00 02 B0 04", 0, 2, u"", u""},
        {"stored once the disk has room again", Failed, 4, 4, 1, N, 30, kTypical, ack, 1, 2, u"3*", u""},
        {"disk full", FullDisk, 4, 4, 1, N, 30, kTypical, u"", 0, 3, u"3*",
         u" could not be written/Problem\n"},
        {"disk still full: told once, not again and again", FullStill, 4, 4, 1, N, 30, kTypical, u"", 0, 3,
         u"3*", u""},
        {"a FIFO for the day file", Fifo, 4, 4, 1, N, 30, kTypical, u"", 0, 3, u"3*",
         u" could not be written: it is not a regular file/Problem\n"},
        {"a link for the day file", Link, 4, 4, 1, N, 30, kTypical, u"", 0, 3, u"3*",
         u" could not be written: it is not a regular file/Problem\n"},
        {"no log folder: made", NoFolder, 4, 4, 1, N, 30, kTypical, ack, 1, 2, u"3*", u""},
        {"a file where the log folder should be", FolderFile, 4, 4, 1, N, 30, kTypical, u"", 0, 3, u"3*",
         u" could not be made/Problem\n"},
        {"a folder where the day file should be", DayFolder, 4, 4, 1, N, 30, kTypical, u"", 0, 3, u"3*",
         u" could not be made/Problem\n"},
        // Past midnight a record goes to the file of the day it arrives, not of its own date, and
        // yesterday's record sent again is still known.
        {"past midnight, in the file of arrival", NextDay, 4, 4, 1, N, 30, makeRecord({{B::Hour, 23}}), ack,
         1, 2, u"3*", u""},
        {"yesterday's record again past midnight", NextDay, 4, 4, 1, N, 30, kTypical, ack, 0, 2, u"3*", u""},
        {"from a terminal not served", Fresh, 3, 4, 1, N, 30, kTypical, u"", 0, 3, u"3*", u""},
        {"while none is served", Fresh, -1, 4, 1, N, 30, kTypical, u"", 0, 3, u"3*", u""},
        // Short packets are noise that passed its check: the rest would be an earlier packet's.
        {"a short record packet", Fresh, 4, 4, 1, 0, 30, kTypical, u"", 0, 3, u"3*", u""},
        // A record of a type this program cannot read is kept by the terminal, which is marked and
        // passed over until the next count request.
        {"a record type this program cannot read", Fresh, 4, 4, 1, N, 30,
         makeRecord({{B::Type, 4}, {B::CountLow, 9}}), u"", 0, 0, u"3!", u""},
        // A long packet of fewer than 30 data bytes is not a record: the rest would be an earlier one's.
        // The third in a row passes the terminal over. Up to 34 bytes hold a record in the first 30.
        {"2 data bytes", Fresh, 4, 4, 1, N, 2, kTypical, u"", 0, 3, u"3*", u""},
        {"the third cut short in a row", CutShort, 4, 4, 1, N, 29, kTypical, u"", 0, 0, u"3*", u""},
        {"a whole one starts the count again", CutAroundWhole, 4, 4, 1, N, 29, kTypical, u"", 0, 3, u"3*",
         u""},
        {"a whole one after two cut short", CutShort, 4, 4, 1, N, 30, kTypical, ack, 1, 2, u"3*", u""},
        {"34 data bytes", Fresh, 4, 4, 1, N, 34, kTypical, ack, 1, 2, u"3*", u""},
        {"another command", Fresh, 4, 4, 2, 5, 30, kTypical, u"", 0, 3, u"3*", u""},
        {"a long packet with the count command", Fresh, 4, 4, 0, N, 30, kTypical, u"", 0, 3, u"3*", u""},
        // Count answers show in the sender's status row; the served terminal's asks for its records.
        {"a count answer", Fresh, -1, 2, 0, 17, 0, kTypical, u"", 0, 3, u"17*", u""},
        // Another terminal's count, still on its way while terminal 4 is served, only shows in its
        // row: sent on to terminal 4 it could acknowledge the record in flight.
        {"another terminal's count while 4 is served", Fresh, 4, 2, 0, 5, 0, kTypical, u"", 0, 3, u"5*", u""},
        {"the served terminal's count of 300", Fresh, 4, 4, 0, 300, 0, kTypical,
         u"FC 00 04 00 01 A0 0C 00 02 B0 03 00 01 20 0C E0 00", 0, 300, u"300*", u""},
        {"its count of 1", Fresh, 4, 4, 0, 1, 0, kTypical,
         u"FC 00 04 00 01 A0 0C 00 02 B0 03 00 00 00 01 B0 04", 0, 1, u"1*", u""},
        {"its count of 0", Fresh, 4, 4, 0, 0, 0, kTypical, u"", 0, 0, u"0*", u""},
        {"a count from terminal 0", Fresh, -1, 0, 0, 5, 0, kTypical, u"", 0, 3, u"Rec.", u""},
    };
    for (const IntakeCase &c : cases) {
        SCOPED_TRACE(c.name);
        expectIntake(c);
    }
}

} // namespace
