// The program against simulated hand terminals on a real pseudo-terminal line, with faults on
// the line, a line that goes away and comes back, and a full disk. What must hold every time:
// no record the terminals held is lost, and none is stored twice.

#include "live/LiveProgram.h"

#include "link/frmComProblem.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QSet>

#include <cstdio>

namespace {

// Each record of the run once in the log files, and nothing else.
void expectEveryRecordOnce(const LiveProgram &live, int records)
{
    const QList<QByteArray> lines = live.logLines();
    EXPECT_EQ(lines.size(), records);
    EXPECT_EQ(QSet<QByteArray>(lines.begin(), lines.end()).size(), lines.size()) << "a line stored twice";
}

int terminalsWith(const QJsonObject &state, const char *field, int value)
{
    int n = 0;
    for (const auto &t : state.value(QStringLiteral("terminals")).toArray())
        n += t.toObject().value(QLatin1String(field)).toInt() == value ? 1 : 0;
    return n;
}

} // namespace

// Broken packets, noise between packets and confirmations the terminals miss. A lost or
// broken packet holds the line until the next count request, which the scheduler sends every
// 60 ticks: at one tick a second these fault rates make 45 records take a quarter of an hour,
// so here the scheduler ticks ten times as fast (a count request every 6 s, which also cuts
// into records on their way more often). The line speed, the receiver's tick, the port and the
// files are as in the running program.
TEST(LiveFaults, corruptedPacketsNoiseAndMissedConfirmationsLoseNothing)
{
    constexpr int kTerminals = 3;
    constexpr int kRecords = 15;
    constexpr int kFastTickMs = 100;
    LiveProgram live(kTerminals);
    ASSERT_TRUE(live.startSimulator(
        {QStringLiteral("--records"), QString::number(kRecords), QStringLiteral("--seed"),
         QStringLiteral("5"), QStringLiteral("--corrupt"), QStringLiteral("0.1"),
         QStringLiteral("--drop-acks"), QStringLiteral("0.2"), QStringLiteral("--garbage"),
         QStringLiteral("0.1"), QStringLiteral("--until-drained"), QStringLiteral("--duration"),
         QStringLiteral("400")}))
        << qPrintable(live.simulatorOutput());
    live.load();
    live.vimo().timSekund.setInterval(kFastTickMs);
    ASSERT_TRUE(live.port.isOpen());
    const int gridRowsBefore = live.vimo().mshVimo.rows();

    const auto exitCode = live.waitSimulatorEnd(400 * 1000);
    ASSERT_EQ(exitCode, 0) << qPrintable(live.simulatorOutput()); // drained, and the log check passed

    const QJsonObject state = live.simulatorState();
    EXPECT_EQ(state.value(QStringLiteral("acknowledged")).toInt(), kTerminals * kRecords);
    EXPECT_EQ(terminalsWith(state, "acknowledged", kRecords), kTerminals);
    expectEveryRecordOnce(live, kTerminals * kRecords);
    EXPECT_EQ(live.vimo().mshVimo.rows(), gridRowsBefore + kTerminals * kRecords) << "a record shown twice";

    // The faults did happen, and the records whose confirmation was missed were sent again.
    const QJsonObject faults = state.value(QStringLiteral("faults")).toObject();
    std::printf(
        "%d records: %d packets corrupted, %d garbage bursts, %d confirmations missed, %d sent again\n",
        kTerminals * kRecords, faults.value(QStringLiteral("packetsCorrupted")).toInt(),
        faults.value(QStringLiteral("garbageBursts")).toInt(),
        faults.value(QStringLiteral("acksDropped")).toInt(), state.value(QStringLiteral("resent")).toInt());
    EXPECT_GT(faults.value(QStringLiteral("packetsCorrupted")).toInt(), 0);
    EXPECT_GT(faults.value(QStringLiteral("garbageBursts")).toInt(), 0);
    const int missed = faults.value(QStringLiteral("acksDropped")).toInt();
    EXPECT_GT(missed, 0);
    EXPECT_GE(state.value(QStringLiteral("resent")).toInt(), missed);
    EXPECT_TRUE(live.dialogs.messages.empty());
}

// The adapter is pulled out in the middle of the records and put back: the port closes itself
// and says so, the program goes on idling without spinning, and "Find ports" takes it up again.
TEST(LiveFaults, aLineThatVanishesAndComesBackLosesNothing)
{
    constexpr int kTerminals = 3;
    constexpr int kRecords = 8;
    LiveProgram live(kTerminals);
    // Records begin some seven seconds after the start (the first count request comes at the
    // sixth tick) and take well over a second each: at 12 s the line goes in mid-stream.
    ASSERT_TRUE(live.startSimulator(
        {QStringLiteral("--records"), QString::number(kRecords), QStringLiteral("--seed"),
         QStringLiteral("8"), QStringLiteral("--vanish-at"), QStringLiteral("12"),
         QStringLiteral("--vanish-for"), QStringLiteral("10"), QStringLiteral("--until-drained"),
         QStringLiteral("--duration"), QStringLiteral("300")}))
        << qPrintable(live.simulatorOutput());
    live.load();
    ASSERT_TRUE(live.port.isOpen());

    ASSERT_TRUE(live.runUntil([&] { return !live.port.isOpen(); }, 40 * 1000)) << "the port never noticed";
    EXPECT_FALSE(live.lineLinked());
    EXPECT_LT(live.acknowledged(), kTerminals * kRecords) << "the line went only after the last record";
    EXPECT_TRUE(live.vimo().comProblem().isVisible());
    EXPECT_FALSE(live.vimo().options().timModtag.isEnabled());

    // While the line is gone. A port that kept reporting its lost device would keep the
    // processor near 100 % busy; an idle program uses next to nothing. The bound is generous
    // so that a loaded test machine does not make it fail.
    const long long turnsBefore = live.turns;
    const long long ticksBefore = live.schedulerTicks;
    const double cpuBefore = LiveProgram::cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    ASSERT_TRUE(live.runUntil([&] { return live.lineLinked(); }, 30 * 1000)) << "the line never came back";
    const double gapSeconds = double(wall.elapsed()) / 1000.0;
    const double cpuShare = (LiveProgram::cpuSeconds() - cpuBefore) / gapSeconds;
    std::printf("line gone %.1f s: processor %.2f %%, %lld loop turns, %lld scheduler ticks\n", gapSeconds,
                cpuShare * 100, live.turns - turnsBefore, live.schedulerTicks - ticksBefore);
    EXPECT_GT(gapSeconds, 3.0);
    EXPECT_LT(cpuShare, 0.3) << "processor busy " << cpuShare * 100 << " % while the line was gone";
    EXPECT_GT(live.turns - turnsBefore, (gapSeconds * 1000 / LiveProgram::kTurnMs) / 2)
        << "the event loop stalled";
    EXPECT_GE(live.schedulerTicks - ticksBefore, int(gapSeconds) - 2) << "the scheduler stopped";
    EXPECT_FALSE(live.port.isOpen()) << "the port must not reopen on its own";

    live.vimo().options().cmdComP.click();
    EXPECT_TRUE(live.port.isOpen());
    EXPECT_FALSE(live.vimo().comProblem().isVisible());
    EXPECT_TRUE(live.vimo().options().timModtag.isEnabled());

    const auto exitCode = live.waitSimulatorEnd(200 * 1000);
    ASSERT_EQ(exitCode, 0) << qPrintable(live.simulatorOutput());
    const QJsonObject state = live.simulatorState();
    EXPECT_EQ(state.value(QStringLiteral("acknowledged")).toInt(), kTerminals * kRecords);
    EXPECT_EQ(state.value(QStringLiteral("faults")).toObject().value(QStringLiteral("vanishes")).toInt(), 1);
    expectEveryRecordOnce(live, kTerminals * kRecords);
}

// Today's log file cannot be written (a full disk): the user is told, and no record is
// acknowledged, so the terminals keep them all. Once the disk has room, the next count request
// brings every record in, each once.
TEST(LiveFaults, aFullDiskKeepsTheRecordsOnTheTerminals)
{
    constexpr int kTerminals = 2;
    constexpr int kRecords = 4;
    LiveProgram live(kTerminals);
    ASSERT_TRUE(
        live.startSimulator({QStringLiteral("--records"), QString::number(kRecords), QStringLiteral("--seed"),
                             QStringLiteral("3"), QStringLiteral("--until-drained"),
                             QStringLiteral("--duration"), QStringLiteral("300")}))
        << qPrintable(live.simulatorOutput());
    live.load();
    // Made after the start-up, which reads today's file for the record view and would read a
    // device without end; the first record comes seconds later.
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), live.todaysLog()));
    const int gridRowsBefore = live.vimo().mshVimo.rows();

    const QString notWritten = QStringLiteral(" could not be written");
    ASSERT_TRUE(
        live.runUntil([&] { return live.boxes(QStringLiteral("Problem"), notWritten) > 0; }, 40 * 1000))
        << qPrintable(live.simulatorOutput());
    live.runFor(2500); // the state file is written every second
    EXPECT_EQ(live.acknowledged(), 0);
    EXPECT_EQ(live.vimo().mshVimo.rows(), gridRowsBefore) << "a record that was not stored was shown";
    EXPECT_EQ(live.boxes(QStringLiteral("Problem"), QStringLiteral(" could not be made")), 0);
    for (const auto &box : live.dialogs.messages)
        EXPECT_TRUE(box.text.startsWith(live.todaysLog())) << qPrintable(box.text);

    ASSERT_TRUE(QFile::remove(live.todaysLog()));
    const auto exitCode = live.waitSimulatorEnd(120 * 1000);
    ASSERT_EQ(exitCode, 0) << qPrintable(live.simulatorOutput());
    EXPECT_EQ(live.acknowledged(), kTerminals * kRecords);
    expectEveryRecordOnce(live, kTerminals * kRecords);
    EXPECT_EQ(live.vimo().mshVimo.rows(), gridRowsBefore + kTerminals * kRecords);
}
