#include "fakes/OptionFixture.h"
#include "link/LinkState.h"
#include "link/PacketSender.h"
#include "link/PollScheduler.h"
#include "platform/Label.h"
#include "settings/ProgramFolders.h"
#include "settings/TextTable.h"
#include "settings/frmOption.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The packets a correct sender writes, to compare what the scheduler sent with.
struct Expected
{
    Expected()
    {
        port.setPortNumber(1);
        port.open();
    }
    QString fa(int address, int command, int value, int flagMode, int highBits)
    {
        sender.Send11Byte(address, command, value, flagMode, highBits);
        return port.takeWrittenHex();
    }
    QString fc(int address, int command, int count, std::vector<std::uint8_t> data)
    {
        sender.SendXXByte(address, command, 0, count, data, 0);
        return port.takeWrittenHex();
    }
    QString name(int command, int entry, const QByteArray &name20)
    {
        std::vector<std::uint8_t> data{std::uint8_t(entry)};
        for (char c : name20)
            data.push_back(std::uint8_t(c));
        return fc(255, command, 21, data);
    }
    FakeSerialPort port;
    PacketSender sender{port};
};

class PollSchedulerTest : public ::testing::Test, protected OptionFixture
{
protected:
    PollSchedulerTest()
    {
        options->mshStatus.setRows(4); // three terminals
        options->txtIntv1.setText(QStringLiteral("02:00"));
        options->txtDur1.setText(QStringLiteral("01:30"));
        options->txtIntv2.setText(QStringLiteral("00:45"));
        port.setPortNumber(3);
        port.open();
        scheduler = std::make_unique<PollScheduler>(link, *options, sender, texts, lblActivity, clock);
        scheduler->start(clock.now());
    }

    QString tick()
    {
        scheduler->tick();
        return port.takeWrittenHex();
    }
    void tickTimes(int n)
    {
        for (int i = 0; i < n; ++i)
            tick();
    }

    PacketSender sender{port};
    LinkState link;
    Label lblActivity;
    std::unique_ptr<PollScheduler> scheduler;
    Expected expected;
};

TEST_F(PollSchedulerTest, FirstSixTicksBroadcastAndTheSixthAsksForCounts)
{
    options->mshStaff.setText(1, 1, QStringLiteral("Anna"));
    EXPECT_EQ(tick(), expected.fc(255, 30, 5, {24, 3, 7, 9, 30}));
    EXPECT_EQ(lblActivity.caption(), u"T44 0");
    EXPECT_EQ(tick(), expected.name(40, 0, "Anna                "));
    EXPECT_EQ(tick(), expected.name(40, 1, QByteArray(20, ' ')));
    tickTimes(2);
    options->mshStatus.setText(1, 2, QStringLiteral("junk"));
    options->mshStatus.setBackColour(1, 1, QColor(0, 255, 0));
    EXPECT_EQ(tick(), expected.name(40, 4, QByteArray(20, ' ')) + u' ' + expected.fa(255, 0, 16383, 0, 192));
    EXPECT_EQ(link.ServedTerminal, -1);
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(options->mshStatus.text(row, 2), u"0");
        EXPECT_FALSE(options->mshStatus.backColour(row, 1).isValid());
    }
    EXPECT_EQ(scheduler->BroadcastStep, 6);
    EXPECT_EQ(scheduler->SecondCounter, 0);
}

TEST_F(PollSchedulerTest, WholeCycleIsThirtyFiveItemsAndOneSilentTick)
{
    options->txtIntv1.setText(QStringLiteral("05:00"));
    options->txtDur1.setText(QStringLiteral("05:00"));
    options->txtIntv2.setText(QStringLiteral("no time"));
    options->cmbTemp.setCurrentIndex(1);
    scheduler->SecondCounter = -100; // keep the count request out of this cycle
    tickTimes(31);
    EXPECT_EQ(tick(), expected.fa(255, 53, 255, 0, 0)) << "interval 1 is limited to 255 minutes";
    EXPECT_EQ(tick(), expected.fa(255, 54, 300, 0, 0));
    EXPECT_EQ(tick(), expected.fa(255, 55, 0, 0, 0));
    EXPECT_EQ(tick(), expected.fa(255, 51, 1, 0, 0));
    EXPECT_EQ(tick(), u"");
    EXPECT_EQ(lblActivity.caption(), u"T44 35");
    EXPECT_EQ(tick(), expected.fc(255, 30, 5, {24, 3, 7, 9, 30}));
}

TEST_F(PollSchedulerTest, NamesArePaddedCutAndEncoded)
{
    struct Case
    {
        QString name;
        QByteArray sent;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("Christoffer Andersen Hansen"), "Christoffer Andersen"},
        {QString(), QByteArray(20, ' ')},
        {QStringLiteral("Søren Ł"), "S\xF8ren " + QByteArray(14, ' ')},
    };
    for (size_t i = 0; i < cases.size(); ++i)
        options->mshMedicine.setText(int(i) + 1, 1, cases[i].name);
    scheduler->SecondCounter = -100;
    tickTimes(21);
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(tick(), expected.name(42, int(i), cases[i].sent)) << i;
}

TEST_F(PollSchedulerTest, NoTemperatureChoiceIsSentAsMinusOne)
{
    options->cmbTemp.setCurrentIndex(-1);
    scheduler->BroadcastStep = 34;
    scheduler->SecondCounter = 0;
    EXPECT_EQ(tick(), expected.fa(255, 51, -1, 0, 0));
}

TEST_F(PollSchedulerTest, TerminalWithRecordsIsServedAndBroadcastsPause)
{
    options->mshStatus.setText(2, 2, QStringLiteral("17"));
    EXPECT_EQ(tick(), expected.fa(2, 1, 16383, 2, 192));
    EXPECT_EQ(link.ServedTerminal, 2);
    EXPECT_EQ(link.RecordsOutstanding, 17);
    EXPECT_EQ(lblActivity.caption(), u"T43 2, 17");
    EXPECT_EQ(tick(), u"");
    EXPECT_EQ(tick(), u"");
    link.RecordsOutstanding = 0; // the intake saw the last record
    options->mshStatus.setText(2, 2, QString());
    EXPECT_EQ(tick(), expected.fc(255, 30, 5, {24, 3, 7, 9, 30})) << "the cycle goes on where it stopped";
}

TEST_F(PollSchedulerTest, SeveralTerminalsAreAskedOneAtATimeLowestFirst)
{
    options->mshStatus.setText(3, 2, QStringLiteral("2"));
    options->mshStatus.setText(1, 2, QStringLiteral("4"));
    EXPECT_EQ(tick(), expected.fa(1, 1, 16383, 2, 192));
    EXPECT_EQ(link.ServedTerminal, 1);
    link.RecordsOutstanding = 0;
    options->mshStatus.setText(1, 2, QString());
    EXPECT_EQ(tick(), expected.fa(3, 1, 16383, 2, 192));
    EXPECT_EQ(link.ServedTerminal, 3);
    EXPECT_EQ(link.RecordsOutstanding, 2);
}

TEST_F(PollSchedulerTest, CountRequestEndsServingWhateverTheTerminalSent)
{
    options->mshStatus.setText(1, 2, QStringLiteral("9"));
    scheduler->SecondCounter = 58;
    EXPECT_EQ(tick(), expected.fa(1, 1, 16383, 2, 192));
    EXPECT_EQ(tick(), expected.fa(255, 0, 16383, 0, 192));
    EXPECT_EQ(link.RecordsOutstanding, 0);
    EXPECT_EQ(link.ServedTerminal, -1);
    EXPECT_EQ(options->mshStatus.text(1, 2), u"0");
}

TEST_F(PollSchedulerTest, HeaderOnlyStatusGridNeverRequestsRecords)
{
    options->mshStatus.setRows(1);
    for (int i = 0; i < 70; ++i)
        EXPECT_FALSE(tick().startsWith(expected.fa(1, 1, 16383, 2, 192).left(5))) << i;
    EXPECT_EQ(link.RecordsOutstanding, 0);
}

TEST_F(PollSchedulerTest, ChangeOfDayCallsTheHandlerOnce)
{
    int changes = 0;
    scheduler->setDayChangeHandler([&changes] { ++changes; });
    tick();
    clock.moment = QDateTime(QDate(2024, 3, 8), QTime(0, 0, 1));
    tick();
    tick();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(scheduler->CurrentDay, 8);
}

TEST_F(PollSchedulerTest, ClosedPortLosesThePacketsSilently)
{
    port.close();
    EXPECT_EQ(tick(), u"");
    EXPECT_EQ(scheduler->BroadcastStep, 1);
}

} // namespace
