#include "AppFixture.h"
#include "link/LinkState.h"
#include "link/PollScheduler.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> recordBytes(int remaining, int sowNumber)
{
    std::vector<std::uint8_t> r(30, 0);
    r[0] = std::uint8_t(remaining / 256);
    r[1] = std::uint8_t(remaining % 256);
    r[2] = 1;
    const std::uint8_t when[] = {24, 3, 7, 8, std::uint8_t(sowNumber % 60)};
    std::copy(std::begin(when), std::end(when), r.begin() + 3);
    r[8] = 1;
    r[10] = 11;
    r[17] = 7;
    r[18] = 1;
    r[19] = 129; // 38.5
    const QByteArray sow = QByteArray("S") + QByteArray::number(sowNumber).rightJustified(3, '0');
    for (int i = 0; i < 10; ++i)
        r[size_t(20 + i)] = i < sow.size() ? std::uint8_t(sow[i]) : std::uint8_t(' ');
    return r;
}

// The whole exchange, tick by tick: broadcasts, the count request, a terminal with 17
// records served and drained, every record stored and acknowledged, broadcasts resumed.
TEST(Exchange, TerminalWithSeventeenRecordsIsDrained)
{
    AppFixture f;
    frmVimo &v = *f.vimo;
    v.Load();
    f.port.takeWrittenHex();
    const int firstRow = v.mshVimo.rows();

    for (int tick = 1; tick <= 5; ++tick)
        v.timSekund.tick();
    v.timSekund.tick();
    EXPECT_TRUE(f.port.takeWrittenHex().endsWith(AppFixture::pcFa(255, 0, 16383, 0, 192)))
        << "tick 6 ends with the count request";
    EXPECT_EQ(v.link().ServedTerminal, -1);

    f.port.feed(AppFixture::terminalFa(2, 0, 17));
    f.receive();
    EXPECT_EQ(v.options().mshStatus.text(2, 2), u"17");
    EXPECT_EQ(v.options().mshStatus.backColour(2, 1), QColor(0, 255, 0));
    EXPECT_EQ(v.lblBus.caption(), u"$0");

    v.timSekund.tick();
    EXPECT_EQ(f.port.takeWrittenHex(), u"FA 00 02 00 01 F0 0F F0 0F 00 01");
    EXPECT_EQ(v.link().ServedTerminal, 2);
    EXPECT_EQ(v.link().RecordsOutstanding, 17);
    EXPECT_EQ(v.lblActivity.caption(), u"D43 2, 17");

    for (int remaining = 16; remaining >= 0; --remaining) {
        const auto record = recordBytes(remaining, 16 - remaining);
        f.port.feed(AppFixture::terminalFc(2, 1, record));
        f.receive();
        EXPECT_EQ(f.port.takeWrittenHex(), AppFixture::pcFc(2, {record[0], record[1]})) << remaining;
        EXPECT_EQ(v.link().RecordsOutstanding, remaining);
        v.timSekund.tick(); // no broadcast while the terminal is served
        if (remaining > 0) {
            EXPECT_EQ(f.port.takeWrittenHex(), u"");
        }
    }
    EXPECT_EQ(v.options().mshStatus.text(2, 2), u"");
    EXPECT_EQ(v.mshVimo.rows(), firstRow + 17);
    EXPECT_EQ(v.mshVimo.text(firstRow + 16, 3), u"S016      ");
    EXPECT_EQ(v.mshVimo.text(firstRow, 11), u"38.5");
    EXPECT_EQ(v.mshVimo.text(firstRow, 2), u"Bo");

    const QList<QByteArray> lines = f.folder.read(QStringLiteral("VimoLog/FAR-2024-03-07.txt")).split('\n');
    ASSERT_EQ(lines.size(), 19); // header, 17 records, the empty rest
    EXPECT_EQ(lines[1], "2024-03-07 08:00\t1\tS000      \t11\t0\t0\t0\t0\t0\t7\t385\t0\t0\r");
    EXPECT_TRUE(f.dialogs.messages.empty());
}

TEST(Exchange, ChangeOfDayMovesTheRangeAndReloads)
{
    AppFixture f;
    f.vimo->Load();
    f.folder.write(QStringLiteral("VimoLog/FAR-2024-03-08.txt"),
                   "header\r\n2024-03-08 00:01\t0\tNEW       \t9\t0\t0\t1\t1\t0\t0\t0\t4\t2\r\n");
    f.clock.moment = QDateTime(QDate(2024, 3, 8), QTime(0, 0, 5));
    f.vimo->timSekund.tick();
    EXPECT_EQ(f.vimo->dtpStart.value(), QDateTime(QDate(2024, 3, 7), QTime(0, 0, 5)));
    EXPECT_EQ(f.vimo->dtpSlut.value(), f.clock.moment);
    ASSERT_EQ(f.vimo->mshVimo.rows(), 3);
    EXPECT_EQ(f.vimo->mshVimo.text(2, 3), u"NEW       ");
}

TEST(Exchange, TicksBeforeStartUpEndsAreNotServed)
{
    AppFixture f;
    f.vimo->timSekund.tick();
    EXPECT_EQ(f.port.written, QByteArray());
}

} // namespace
