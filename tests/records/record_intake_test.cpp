#include "RecordBytes.h"
#include "RecordsFixture.h"
#include "link/PacketSender.h"
#include "link/TerminalStatusGrid.h"
#include "link/TerminalTable.h"
#include "records/RecordIntake.h"
#include "records/StoredLines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>
#include <string>

#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
using B = RecordFields::RecordByte;
const RecordData kTypical = makeRecord(), kOther = makeRecord({{B::Alive, 12}});

// What went before the packet: FolderFile, a file where the log folder should be; DayFolder, a
// folder where today's log file should be; Fifo and Link, a FIFO or a link (to a file of someone
// else's) in place of today's log file; CutShort, two records cut short from terminal 4 (CutAroundWhole:
// one before and one after a whole one); from Stored on, the typical record came from terminal 4 (Failed:
// while the disk was full, which it still is with FullStill, and is again after one more was stored with
// FullAgain; NextDay: then another one after midnight; Weekend: the program started again three days
// later, MonthLater: 31 days later; StoredLater: the packet's own record came first).
// clang-format off
enum class Before { Fresh, NoFolder, FolderFile, DayFolder, Fifo, Link, FullDisk, CutShort, CutAroundWhole, Stored,
                    Failed, FullStill, FullAgain, NextDay, Restart, RestartNextDay, Weekend, MonthLater, StoredLater };
// clang-format on
using enum Before;

struct IntakeCase
{
    const char *name;
    Before before;
    RecordData record;
    std::u16string ack; // hex written to the port
    int stored, outstanding; // record lines added to the file and rows to the grid; 3 before
    // The sender's status row (terminal 4: "3" before), then the boxes shown.
    const char16_t *shown = u"3*|";
    int served = 4, from = 4, code = 1; // the terminal served when the packet comes, its sender, its command
    int count = 30; // a long packet's data bytes
    std::optional<int> data = std::nullopt; // a short packet's value
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
    auto fromFour
        = [&](const RecordData &record, int count) { intake->BehModData(4, 1, std::nullopt, record, count); };
    auto dayRecords = [&f] { // a device is not read: it would never end
        const QString name = f.clock.now().date().toString(QStringLiteral("'VimoLog/FAR-'yyyy-MM-dd'.txt'"));
        return QFileInfo(f.folder.file(name)).isFile() ? f.folder.read(name).count('\n') - 1 : 0;
    };
    const QString dayPath = f.logFile.path(QDate(2024, 3, 7));
    const QString logFolder = f.folder.file(u"VimoLog"_s);
    std::optional<FileSizeLimit> full;
    if (c.before == FullDisk || c.before == Failed || c.before == FullStill || c.before == FullAgain) {
        f.writeDay(7, LogFile::headerLine());
        full.emplace(LogFile::headerLine().size());
    }
    f.folder.write(u"elsewhere.txt"_s, "theirs");
    ASSERT_TRUE(c.before != Link
                || (QDir().mkpath(logFolder) && QFile::link(f.folder.file(u"elsewhere.txt"_s), dayPath)));
    ASSERT_TRUE(c.before != Fifo
                || (QDir().mkpath(logFolder) && ::mkfifo(QFile::encodeName(dayPath).constData(), 0666) == 0));
    for (int count : {29, 30, 29}) // two cut short; around a whole one for CutAroundWhole
        if (c.before == CutAroundWhole || (c.before == CutShort && count == 29))
            fromFour(count == 30 ? kOther : kTypical, count);
    if (c.before >= Stored)
        fromFour(c.before == StoredLater ? c.record : kTypical, 30);
    if (c.before == Failed || c.before == FullAgain)
        full.reset();
    if (c.before == FullAgain) {
        fromFour(kOther, 30);
        full.emplace(QFileInfo(dayPath).size());
    }
    ASSERT_TRUE((c.before != NoFolder && c.before != FolderFile) || QDir(logFolder).removeRecursively());
    ASSERT_TRUE(c.before != FolderFile || QFile(logFolder).open(QIODevice::WriteOnly));
    ASSERT_TRUE(c.before != DayFolder || QDir().mkpath(dayPath));
    if (c.before == NextDay || c.before == RestartNextDay)
        f.clock.moment = at(8, 0, 2);
    if (c.before == NextDay)
        fromFour(kOther, 30);
    if (c.before == Weekend)
        f.clock.moment = at(10, 7);
    if (c.before == MonthLater)
        f.clock.moment = at(7, 7).addDays(StoredLines::kDaysBack);
    if (c.before == Restart || c.before == RestartNextDay || c.before == Weekend || c.before == MonthLater)
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
    EXPECT_EQ(f.port.takeWrittenHex(), QString::fromStdU16String(c.ack));
    EXPECT_EQ(std::tuple(dayRecords() - records, f.mshVimo.rows() - rows, link.RecordsOutstanding),
              std::tuple(c.stored, c.stored, c.outstanding));
    // The sender's row of the status grid: its count, '*' when it shows as present, '!' when marked
    // otherwise (it holds a record this program cannot read).
    const auto colour = f.options->mshStatus.backColour(c.from, 1);
    const QString mark = !colour ? u""_s : *colour == Colour{0, 255, 0} ? u"*"_s : u"!"_s;
    QString told; // the boxes shown, "text/title" a line, without the path of the day's file
    for (const auto &m : f.dialogs.messages)
        told += QString(m.text).remove(dayPath) + u'/' + m.title + u'\n';
    EXPECT_EQ(f.options->mshStatus.text(c.from, 2) + mark + u'|' + told, QString::fromUtf16(c.shown));
    EXPECT_EQ(f.folder.read(u"elsewhere.txt"_s), "theirs");
    // What was written to the served terminal gives it the quiet time to answer anew.
    EXPECT_EQ(link.quietSinceMs == f.clock.monotonicMs(), !QString::fromStdU16String(c.ack).isEmpty());
}

// Acknowledgements: FC, the address, command 1, sub-code 192, the record's two count bytes.
TEST(RecordIntake, AcknowledgesARecordOnlyOnceItIsStored)
{
    const auto with = [](B byte, int value) { return makeRecord({{byte, value}}); };
    // To terminal 4: the record's count bytes and the checksum follow.
    const std::u16string to4 = u"FC 00 04 00 01 A0 0C 00 02 B0 03 ", ack = to4 + u"00 00 00 02 B0 05";
    const char16_t *notWritten = u"3*| could not be written: it is not a regular file/Problem\n",
                   *notMade = u"3*| could not be made/Problem\n",
                   *full = u"3*| could not be written/Problem\n";
    const IntakeCase cases[] = {
        {"a record from the served terminal", Fresh, kTypical, ack, 1, 2},
        {"its last record", Fresh, with(B::CountLow, 0), to4 + u"00 00 00 00 B0 03", 1, 0, u"*|"},
        {"a count of 300 in two bytes", Fresh,
         makeRecord({{B::Type, 3}, {B::CountHigh, 1}, {B::CountLow, 44}}), to4 + u"00 01 20 0C E0 00", 1,
         300},
        {"a count's high byte of 128", Fresh, with(B::CountHigh, 128), to4 + u"80 00 00 02 30 05", 1, 3},
        // A resend is not stored twice: the same record, also with a new count in front (staff
        // recorded another meanwhile), after a restart, and after a restart past midnight; one
        // byte off in the record itself is another record.
        {"a resend", Stored, kTypical, ack, 0, 2},
        {"a resend with a new count", Stored, with(B::CountLow, 5), to4 + u"00 00 00 05 B0 08", 0, 5},
        {"a resend after a restart", Restart, kTypical, ack, 0, 2},
        {"a resend after a restart past midnight", RestartNextDay, kTypical, ack, 0, 2},
        {"a resend after a weekend", Weekend, kTypical, ack, 0, 2},
        {"a resend on the last day it is looked for", MonthLater, kTypical, ack, 0, 2},
        // Dated after today, it is looked for on yesterday and today only.
        {"a resend dated after today", StoredLater, with(B::Day, 11), ack, 0, 2},
        {"dated after today, after a weekend", Weekend, with(B::Day, 11), ack, 1, 2},
        {"one byte off is another record", Stored, kOther, ack, 1, 2},
        // The same farrowing from another terminal (same sow, minute, staff and figures) is in the
        // log already: acknowledged, not stored again.
        {"the same farrowing from another terminal", Stored, kTypical,
         u"FC 00 03 00 01 A0 0C 00 02 B0 02 00 00 00 02 B0 04", 0, 2, u"|", 3, 3},
        {"stored once the disk has room again", Failed, kTypical, ack, 1, 2},
        {"disk full", FullDisk, kTypical, u"", 0, 3, full},
        {"disk still full: told once, not again and again", FullStill, kTypical, u"", 0, 3},
        {"full again after a record was stored: told again", FullAgain, with(B::Alive, 13), u"", 0, 3, full},
        {"a FIFO for the day file", Fifo, kTypical, u"", 0, 3, notWritten},
        {"a link for the day file", Link, kTypical, u"", 0, 3, notWritten},
        {"no log folder: made", NoFolder, kTypical, ack, 1, 2},
        {"a file where the log folder should be", FolderFile, kTypical, u"", 0, 3, notMade},
        {"a folder where the day file should be", DayFolder, kTypical, u"", 0, 3, notMade},
        // Past midnight a record goes to the file of the day it arrives, not of its own date, and
        // yesterday's record sent again is still known.
        {"past midnight, in the file of arrival", NextDay, with(B::Hour, 23), ack, 1, 2},
        {"yesterday's record again past midnight", NextDay, kTypical, ack, 0, 2},
        {"from a terminal not served", Fresh, kTypical, u"", 0, 3, u"3*|", 3},
        {"while none is served", Fresh, kTypical, u"", 0, 3, u"3*|", -1},
        // Short packets are noise that passed its check: the rest would be an earlier packet's.
        {"a short record packet", Fresh, kTypical, u"", 0, 3, u"3*|", 4, 4, 1, 30, 0},
        // A record of a type this program cannot read is kept by the terminal, which is marked and
        // passed over until the next count request.
        {"a record type this program cannot read", Fresh, makeRecord({{B::Type, 4}, {B::CountLow, 9}}), u"",
         0, 0, u"3!|"},
        // A long packet of fewer than 30 data bytes is not a record: the rest would be an earlier one's.
        // The third in a row passes the terminal over. Up to 34 bytes hold a record in the first 30.
        {"2 data bytes", Fresh, kTypical, u"", 0, 3, u"3*|", 4, 4, 1, 2},
        {"the third cut short in a row", CutShort, kTypical, u"", 0, 0, u"3*|", 4, 4, 1, 29},
        {"a whole one starts the count again", CutAroundWhole, kTypical, u"", 0, 3, u"3*|", 4, 4, 1, 29},
        {"a whole one after two cut short", CutShort, kTypical, ack, 1, 2},
        {"34 data bytes", Fresh, kTypical, ack, 1, 2, u"3*|", 4, 4, 1, 34},
        {"another command", Fresh, kTypical, u"", 0, 3, u"3*|", 4, 4, 2, 30, 5},
        {"a long packet with the count command", Fresh, kTypical, u"", 0, 3, u"3*|", 4, 4, 0},
        // Count answers show in the sender's status row; the served terminal's asks for its records.
        {"a count answer", Fresh, kTypical, u"", 0, 3, u"17*|", -1, 2, 0, 0, 17},
        // Another terminal's count, still on its way while terminal 4 is served, only shows in its
        // row: sent on to terminal 4 it could acknowledge the record in flight.
        {"another terminal's count while 4 is served", Fresh, kTypical, u"", 0, 3, u"5*|", 4, 2, 0, 0, 5},
        {"the served terminal's count of 300", Fresh, kTypical, to4 + u"00 01 20 0C E0 00", 0, 300, u"300*|",
         4, 4, 0, 0, 300},
        {"its count of 1", Fresh, kTypical, to4 + u"00 00 00 01 B0 04", 0, 1, u"1*|", 4, 4, 0, 0, 1},
        {"its count of 0", Fresh, kTypical, u"", 0, 0, u"0*|", 4, 4, 0, 0, 0},
        {"a count from terminal 0", Fresh, kTypical, u"", 0, 3, u"Rec.|", -1, 0, 0, 0, 5},
    };
    for (const IntakeCase &c : cases) {
        SCOPED_TRACE(c.name);
        expectIntake(c);
    }
}

} // namespace
