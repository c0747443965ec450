// A long run of the program against eight terminals with every line fault on, the line
// vanishing now and then: runs only when PCVIMO_SOAK_SECONDS is set (tests/e2e/soak.sh).
// PCVIMO_SOAK_RECORDS (records per terminal, default 120), PCVIMO_SOAK_SEED (default 2024) and
// PCVIMO_SOAK_FAULTS (the simulator's fault options, blank-separated) change the run.

#include "live/LiveProgram.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSet>

#include <cstdio>

namespace {

// A field of /proc/self/status in KiB ("VmRSS", "VmHWM").
long statusKiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

QString environment(const char *name, const QString &fallback)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value;
}

} // namespace

TEST(LiveSoak, everyFaultForAsLongAsAsked)
{
    const int seconds = qEnvironmentVariableIntValue("PCVIMO_SOAK_SECONDS");
    if (seconds <= 0)
        GTEST_SKIP() << "set PCVIMO_SOAK_SECONDS to run the soak";
    // Every packet lost holds the line until the next count request (up to a minute), so the
    // rates are those of a poor line rather than a dead one, and records keep flowing. The
    // terminals are served lowest address first after every count request: each holds few
    // enough records that several get their turn, and enough that they do not run dry.
    constexpr int kTerminals = 8;
    const QString records = environment("PCVIMO_SOAK_RECORDS", QStringLiteral("120"));
    const QString seed = environment("PCVIMO_SOAK_SEED", QStringLiteral("2024"));
    const QStringList faultOptions
        = environment(
              "PCVIMO_SOAK_FAULTS",
              QStringLiteral(
                  "--corrupt 0.02 --drop-acks 0.03 --garbage 0.05 --vanish-every 300 --vanish-for 10"))
              .split(QLatin1Char(' '), Qt::SkipEmptyParts);

    LiveProgram live(kTerminals);
    ASSERT_TRUE(
        live.startSimulator(QStringList{QStringLiteral("--records"), records, QStringLiteral("--seed"), seed,
                                        QStringLiteral("--duration"), QString::number(seconds),
                                        QStringLiteral("--status-interval"), QStringLiteral("60")}
                            + faultOptions))
        << qPrintable(live.simulatorOutput());
    live.load();
    const long rssAfterStart = statusKiB("VmRSS");
    const double cpuAtStart = LiveProgram::cpuSeconds();
    QElapsedTimer wall;
    wall.start();

    // The user: "Find ports" whenever the line is back and the port still closed.
    int reopenClicks = 0;
    QElapsedTimer sinceClick;
    sinceClick.start();
    long rssLargest = rssAfterStart;
    const auto eachTurn = [&] {
        if (!live.port.isOpen() && live.lineLinked() && sinceClick.elapsed() > 1000) {
            live.vimo().options().cmdComP.click();
            ++reopenClicks;
            sinceClick.restart();
        }
        if (live.turns % 200 == 0)
            rssLargest = std::max(rssLargest, statusKiB("VmRSS"));
    };
    const auto exitCode = live.waitSimulatorEnd((seconds + 120) * 1000, eachTurn);
    const double wallSeconds = double(wall.elapsed()) / 1000.0;
    const double cpu = LiveProgram::cpuSeconds() - cpuAtStart;
    ASSERT_EQ(exitCode, 0) << qPrintable(live.simulatorOutput()); // the log check passed

    const QJsonObject state = live.simulatorState();
    const QJsonObject faults = state.value(QStringLiteral("faults")).toObject();
    const int acknowledged = state.value(QStringLiteral("acknowledged")).toInt();
    const QList<QByteArray> lines = live.logLines();
    const qsizetype distinct = QSet<QByteArray>(lines.begin(), lines.end()).size();
    const auto fault = [&](const char *name) { return faults.value(QLatin1String(name)).toInt(); };

    std::printf("soak: %.0f s, %d terminals, seed %s, faults: %s\n"
                "  records confirmed %d (%.1f a minute), log lines %lld (distinct %lld), held at the end %d\n"
                "  records sent again %d, confirmations missed %d, packets corrupted %d, garbage bursts %d\n"
                "  line vanished %d time(s), came back %d, Find ports clicks %d, message boxes %zu\n"
                "  processor %.1f s (%.2f %% of the wall time), resident memory after start %ld KiB, "
                "largest seen %ld KiB, peak (VmHWM) %ld KiB\n",
                wallSeconds, kTerminals, qPrintable(seed), qPrintable(faultOptions.join(QLatin1Char(' '))),
                acknowledged, acknowledged * 60.0 / wallSeconds, qlonglong(lines.size()), qlonglong(distinct),
                state.value(QStringLiteral("held")).toInt(), state.value(QStringLiteral("resent")).toInt(),
                fault("acksDropped"), fault("packetsCorrupted"), fault("garbageBursts"), fault("vanishes"),
                fault("returns"), reopenClicks, live.dialogs.messages.size(), cpu, 100.0 * cpu / wallSeconds,
                rssAfterStart, rssLargest, statusKiB("VmHWM"));
    std::fflush(stdout);

    EXPECT_GT(acknowledged, 0);
    EXPECT_EQ(distinct, lines.size()) << "a record stored twice";
    // Every confirmed record is stored; a record may be stored whose confirmation was still on
    // its way when the run ended (at most one a terminal).
    EXPECT_GE(lines.size(), acknowledged);
    EXPECT_LE(lines.size(), acknowledged + kTerminals);
    EXPECT_GT(state.value(QStringLiteral("held")).toInt(), 0)
        << "the terminals ran dry: give them more records";
    EXPECT_GE(reopenClicks, fault("returns"));
}
