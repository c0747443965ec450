#include "RecordBytes.h"
#include "RecordsFixture.h"
#include "link/LinkState.h"
#include "link/PacketSender.h"
#include "records/RecordIntake.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {
using B = RecordFields::RecordByte;

// Acknowledgements to terminal 4: FC, address, command 1, sub-code 192, two data bytes.
const QString kAck4Remaining2 = QStringLiteral("FC 00 04 00 01 A0 0C 00 02 B0 03 00 00 00 02 B0 05");
const QString kAck4Remaining0 = QStringLiteral("FC 00 04 00 01 A0 0C 00 02 B0 03 00 00 00 00 B0 03");

struct IntakeTest : ::testing::Test
{
    IntakeTest()
    {
        f.port.setPortNumber(1);
        f.port.open();
        f.options->mshStatus.setRows(5);
        link.ServedTerminal = 4;
        link.RecordsOutstanding = 3;
    }
    void count(int object, std::optional<int> data) { intake.BehModData(object, 0, data, {}, 0); }
    void send(const RecordData &record, int object = 4)
    {
        intake.BehModData(object, 1, std::nullopt, record, 30);
    }
    QString todayPath() const { return f.folder.file(QStringLiteral("VimoLog/FAR-2024-03-07.txt")); }
    QByteArray today() const { return f.folder.read(QStringLiteral("VimoLog/FAR-2024-03-07.txt")); }
    QString status(int row) const { return f.options->mshStatus.text(row, 2); }

    RecordsFixture f;
    PacketSender sender{f.port};
    LinkState link;
    RecordIntake intake{f.mshVimo, *f.options, f.texts, sender, link, *f.logFile, f.dialogs, f.clock};
};

struct CountCase
{
    const char *name;
    int object;
    int data;
    int served;
    int statusRow; // row whose count cell shows the data, 0 for none
    int outstanding; // RecordsOutstanding afterwards (3 before)
    const char16_t *sent; // hex written to the port
};

class CountAnswer : public IntakeTest, public ::testing::WithParamInterface<CountCase>
{
};

TEST_P(CountAnswer, ShowsTheCountAndAsksTheServedTerminal)
{
    const CountCase &c = GetParam();
    link.ServedTerminal = c.served;
    count(c.object, c.data);
    for (int row = 1; row < 5; ++row) {
        EXPECT_EQ(status(row), row == c.statusRow ? QString::number(c.data) : QString()) << row;
        EXPECT_EQ(f.options->mshStatus.backColour(row, 1), row == c.statusRow ? QColor(0, 255, 0) : QColor())
            << row;
    }
    EXPECT_EQ(link.RecordsOutstanding, c.outstanding);
    EXPECT_EQ(f.port.takeWrittenHex(), QStringView(c.sent));
    EXPECT_EQ(link.ServedTerminal, c.served);
}

const CountCase kCountCases[] = {
    {"NobodyServed", 2, 17, -1, 2, 3, u""},
    {"ServedAsksForRecords", 4, 300, 4, 4, 300, u"FC 00 04 00 01 A0 0C 00 02 B0 03 00 01 20 0C E0 00"},
    {"ServedWithNothingLeft", 4, 0, 4, 4, 0, u""},
    {"OtherTerminalStillAsksServedOne", 2, 5, 4, 2, 5, u"FC 00 04 00 01 A0 0C 00 02 B0 03 00 00 00 05 B0 08"},
    {"AddressZero", 0, 5, -1, 0, 3, u""},
    {"AddressAll", 255, 5, 4, 0, 5, u"FC 00 04 00 01 A0 0C 00 02 B0 03 00 00 00 05 B0 08"},
    {"BeyondStatusRows", 7, 5, -1, 0, 3, u""},
};

INSTANTIATE_TEST_SUITE_P(Records, CountAnswer, ::testing::ValuesIn(kCountCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(IntakeTest, CountSendBufHoldsHighByteFirst)
{
    count(4, 300);
    EXPECT_EQ(sender.SendBuf[0], 1);
    EXPECT_EQ(sender.SendBuf[1], 44);
}

TEST_F(IntakeTest, OtherCommandsAndCountWithoutValueChangeNothing)
{
    for (int code : {2, 30, 40, 255})
        intake.BehModData(4, code, 5, makeRecord(), 30);
    count(4, std::nullopt);
    EXPECT_EQ(link.RecordsOutstanding, 3);
    EXPECT_EQ(f.port.takeWrittenHex(), QString());
    EXPECT_EQ(status(4), QString());
    EXPECT_EQ(f.mshVimo.rows(), 2);
    EXPECT_FALSE(QFile::exists(todayPath()));
}

TEST_F(IntakeTest, RecordIsStoredShownAndAcknowledged)
{
    f.options->mshStatus.setText(4, 2, QStringLiteral("3"));
    send(makeRecord());
    EXPECT_EQ(
        today(),
        LogFile::headerLine()
            + QByteArrayLiteral("2024-03-07 09:05\t2\tDK1234    \t11\t1\t0\t2\t0\t3\t7\t385\t6\t12\r\n"));
    ASSERT_EQ(f.mshVimo.rows(), 3);
    EXPECT_EQ(f.row(2),
              strings({u"2024-03-07 09:05", u"S2", u"DK1234    ", u"11", u"1", u"0", u"2", u"T42", u"M3",
                       u"3.5 ml", u"38.5", u"6", u"12"}));
    EXPECT_EQ(f.port.takeWrittenHex(), kAck4Remaining2);
    EXPECT_EQ(link.RecordsOutstanding, 2);
    EXPECT_EQ(status(4), u"3");
    EXPECT_TRUE(f.dialogs.messages.empty());

    send(makeRecord({{B::CountLow, 0}, {B::Minute, 6}}));
    EXPECT_EQ(f.port.takeWrittenHex(), kAck4Remaining0);
    EXPECT_EQ(link.RecordsOutstanding, 0);
    EXPECT_EQ(status(4), QString());
    EXPECT_EQ(today().count('\n'), 3);
}

TEST_F(IntakeTest, UnknownTypeOnlyUpdatesTheCount)
{
    send(makeRecord({{B::Type, 4}, {B::CountLow, 9}}));
    EXPECT_EQ(link.RecordsOutstanding, 9);
    EXPECT_EQ(f.port.takeWrittenHex(), QString());
    EXPECT_EQ(f.mshVimo.rows(), 2);
    EXPECT_FALSE(QFile::exists(todayPath()));
}

TEST_F(IntakeTest, CountThatDoesNotFitKeepsTheOldOne)
{
    send(makeRecord({{B::CountHigh, 200}}));
    EXPECT_EQ(link.RecordsOutstanding, 3);
    EXPECT_EQ(f.mshVimo.rows(), 3);
    EXPECT_EQ(f.port.takeWrittenHex(), QStringLiteral("FC 00 04 00 01 A0 0C 00 02 B0 03 C0 08 00 02 70 0D"));
}

TEST_F(IntakeTest, RecordFromATerminalNotServedChangesNothing)
{
    for (int served : {-1, 3}) {
        link.ServedTerminal = served;
        send(makeRecord({{B::CountLow, 0}}), 4);
        EXPECT_EQ(link.RecordsOutstanding, 3);
        EXPECT_EQ(f.port.takeWrittenHex(), QString());
        EXPECT_EQ(f.mshVimo.rows(), 2);
        EXPECT_FALSE(QFile::exists(todayPath()));
    }
}

TEST_F(IntakeTest, RepeatedRecordIsAcknowledgedButStoredOnce)
{
    send(makeRecord());
    send(makeRecord());
    EXPECT_EQ(f.port.takeWrittenHex(), kAck4Remaining2 + u' ' + kAck4Remaining2);
    EXPECT_EQ(f.mshVimo.rows(), 3);
    EXPECT_EQ(today().count('\n'), 2);

    send(makeRecord({{B::Alive, 12}}));
    EXPECT_EQ(f.mshVimo.rows(), 4);
    EXPECT_EQ(today().count('\n'), 3);
}

TEST_F(IntakeTest, SameRecordFromAnotherTerminalIsItsOwn)
{
    send(makeRecord());
    link.ServedTerminal = 3;
    send(makeRecord(), 3);
    EXPECT_EQ(f.mshVimo.rows(), 4);
    EXPECT_EQ(today().count('\n'), 3);
}

TEST_F(IntakeTest, UnwritableFileMeansNoAcknowledgementUntilItIsStored)
{
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), todayPath()));
    send(makeRecord({{B::CountLow, 0}}));
    EXPECT_EQ(f.port.takeWrittenHex(), QString());
    EXPECT_EQ(f.mshVimo.rows(), 2);
    EXPECT_EQ(link.RecordsOutstanding, 3);
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text, todayPath() + QStringLiteral(" could not be written"));
    EXPECT_EQ(f.dialogs.messages[0].title, u"Problem");

    ASSERT_TRUE(QFile::remove(todayPath()));
    send(makeRecord({{B::CountLow, 0}}));
    EXPECT_EQ(f.port.takeWrittenHex(), kAck4Remaining0);
    EXPECT_EQ(f.mshVimo.rows(), 3);
    EXPECT_EQ(today().count('\n'), 2);
    EXPECT_EQ(link.RecordsOutstanding, 0);
    EXPECT_EQ(f.dialogs.messages.size(), 1u);
}

TEST_F(IntakeTest, FileThatCannotBeMadeIsReportedOnce)
{
    ASSERT_TRUE(QDir(f.folder.file(QStringLiteral("VimoLog"))).removeRecursively());
    f.folder.write(QStringLiteral("VimoLog"), QByteArrayLiteral("a file where the folder should be"));
    send(makeRecord());
    EXPECT_EQ(f.port.takeWrittenHex(), QString());
    EXPECT_EQ(f.mshVimo.rows(), 2);
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text, todayPath() + QStringLiteral(" could not be made"));
    EXPECT_EQ(f.dialogs.messages[0].title, u"Problem");
}

TEST_F(IntakeTest, RecordGoesToTheFileOfTheDayItArrives)
{
    f.clock.moment = QDateTime(QDate(2024, 3, 8), QTime(0, 2));
    send(makeRecord({{B::Day, 7}, {B::Hour, 23}, {B::Minute, 58}}));
    EXPECT_FALSE(QFile::exists(todayPath()));
    EXPECT_EQ(
        f.folder.read(QStringLiteral("VimoLog/FAR-2024-03-08.txt")),
        LogFile::headerLine()
            + QByteArrayLiteral("2024-03-07 23:58\t2\tDK1234    \t11\t1\t0\t2\t0\t3\t7\t385\t6\t12\r\n"));
}

TEST_F(IntakeTest, LiveRowsAndLoadedRowsLookTheSame)
{
    const RecordData records[] = {
        makeRecord({{B::Minute, 1}}),
        makeRecord({{B::Minute, 2}, {B::BirthAssist, 1}, {B::Medication, 0}, {B::Dose, 0}}),
        makeRecord(
            {{B::Minute, 3}, {B::BirthAssist, 2}, {B::Medication, 11}, {B::Dose, 255}, {B::Staff, 20}}),
        makeRecord({{B::Minute, 4}, {B::TemperatureHigh, 128}, {B::Staff, 0}, {B::Medication, 10}}),
        makeRecord({{B::Minute, 5}, {B::TemperatureHigh, 127}, {B::TemperatureLow, 255}},
                   QByteArrayLiteral("\"A\tB\r\n\x80\xff")),
        makeRecord({{B::Minute, 6}}, QByteArrayLiteral("\0\0\0\0\0\0\0\0\0\0")),
    };
    QList<QStringList> live;
    for (const RecordData &record : records) {
        send(record);
        live.append(f.row(f.mshVimo.rows() - 1));
    }
    f.dtpStart.setValue(QDateTime(QDate(2024, 3, 7), QTime(0, 0)));
    f.dtpSlut.setValue(QDateTime(QDate(2024, 3, 7), QTime(23, 59)));
    f.view->rangeLoad();
    ASSERT_EQ(f.mshVimo.rows(), 2 + int(std::size(records)));
    for (int i = 0; i < live.size(); ++i)
        EXPECT_EQ(f.row(2 + i), live[i]) << i;
    EXPECT_EQ(live[4][2], QString(QStringLiteral(u" A B  \u20ac\u00ff  ")));
}

TEST_F(IntakeTest, GetNoRecordAsksTheServedTerminalOnly)
{
    link.ServedTerminal = 3;
    intake.GetNoRecord();
    EXPECT_EQ(f.port.takeWrittenHex(), QStringLiteral("FA 00 03 00 00 F0 0F F0 0F 00 01"));
    link.ServedTerminal = -1;
    intake.GetNoRecord();
    EXPECT_EQ(f.port.takeWrittenHex(), QString());
}

} // namespace
