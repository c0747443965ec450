#include "AppFixture.h"
#include "records/RecordBytes.h"

#include <gtest/gtest.h>

using B = RecordFields::RecordByte;

// The whole exchange, tick by tick: the count request, a terminal with 17 records (a sow with
// line breaks among them) served and drained, every record stored once, shown and acknowledged;
// then the change of day reloads them from the file, looking as they did.
TEST(Exchange, TerminalWithSeventeenRecordsIsDrainedThenTheDayChanges)
{
    AppFixture f;
    frmVimo &v = f.vimo;
    // The first record is in the log already: stored before a restart, its acknowledgement lost.
    f.writeLog("2024-03-07 09:00\t0\tS0        \t11\t5\t0\t4\t1\t0\t7\t385\t6\t12");
    f.program.start();
    for (int tick = 1; tick <= 6; ++tick)
        v.timSekund.tick();
    EXPECT_TRUE(f.port.takeWrittenHex().endsWith(u"FA F0 0F 00 00 F0 0F F0 0F F0 0D")) << "tick 6 asks all";
    using namespace Packet;
    f.receive(FaFrame::make(2, Command::Count, 17, FlagMode::Never).encode());
    v.timSekund.tick();
    EXPECT_EQ(f.port.takeWrittenHex(), u"FA 00 02 00 01 F0 0F F0 0F 00 01");

    for (int left = 16, n = 0; left >= 0; --left, ++n) {
        const RecordData record
            = makeRecord({{B::CountLow, left}, {B::Minute, n}, {B::Staff, n % 3}, {B::Medication, n}},
                         n == 6 ? QByteArray("\"A\tB\r\n\x80\xff\0", 9) : "S" + QByteArray::number(n));
        const std::span bytes(record);
        f.receive(FcFrame::make(2, Command::Record, 0, bytes.first(30), FlagMode::Never).encode());
        EXPECT_EQ(f.port.written,
                  FcFrame::make(2, Command::Record, 192, bytes.first(2), FlagMode::HighAddress).encode());
        EXPECT_EQ(f.program.terminals().RecordsOutstanding, left);
        f.port.written.clear();
        v.timSekund.tick();
        EXPECT_TRUE(left == 0 || f.port.written.isEmpty()) << "nothing else while a terminal is served";
    }
    auto rows = [&v] {
        QStringList cells;
        for (int r = 2; r < v.mshVimo.rows(); ++r)
            for (int c = 1; c <= 13; ++c)
                cells.append(v.mshVimo.text(r, c));
        return cells.join(u'|');
    };
    const QString live = rows();
    EXPECT_TRUE(live.startsWith(u"2024-03-07 09:00|Anna|S0        |11|5|0|4|D41|D42|3.5 ml|38.5|6|12|"));
    EXPECT_EQ(f.folder.read(QStringLiteral("VimoLog/FAR-2024-03-07.txt")).count("\r\n"), 1 + 17);
    EXPECT_TRUE(f.dialogs.messages.empty());
    EXPECT_TRUE(v.lblSummary.caption().startsWith(u"D74 17, D75 ")) << "the summary follows live rows";

    f.writeLog("2024-03-08 00:01\t0\tNEW       \t9\t0\t0\t1\t1\t0\t0\t0\t4\t2");
    f.clock.moment = QDateTime(QDate(2024, 3, 8), QTime(0, 0, 5));
    v.timSekund.tick();
    EXPECT_EQ(v.dtpStart.value(), QDateTime(QDate(2024, 3, 7), QTime(0, 0, 5)));
    EXPECT_EQ(rows(),
              live + QStringLiteral("|2024-03-08 00:01|Anna|NEW       |9|0|0|1|D41|D42|0.0 ml|0.0|4|2"));
}
