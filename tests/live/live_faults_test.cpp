// The program against simulated hand terminals on a real pseudo-terminal line, with faults on
// the line, a line that goes away and comes back, a full disk, a power cut, a weekend and a
// broken terminal. What must hold every time: every record a terminal had confirmed is in the
// log files exactly once, and nothing else is there.
//
// The whole program as main.cpp wires it, but in the test process: its windows over the real
// serial port, ports folder, files and system clock, its timers on QTimers. Only the message
// boxes are fakes (recorded, returning at once). The terminals are the simulator, a separate
// process whose own log check runs at its end. The scheduler ticks twenty times as fast as in
// the program (a count request every 3 s): a lost or broken packet holds the line until the next
// one, and at a tick a second these runs would take minutes. The line speed, the receiver's
// tick, the port and the files are as in the running program. Every wait is bounded.

#include "app/Program.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FileSizeLimit.h"
#include "platform/Clock.h"
#include "platform/qt/PortsFolderDeviceList.h"
#include "platform/qt/QtSerialPort.h"
#include "platform/qt/TimerBinding.h"
#include "protocol/RecordFields.h"
#include "records/LogFile.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <ctime>
#include <sys/resource.h>

namespace {

constexpr int kTurnMs = 50; // one turn of the harness's event loop
constexpr int kFastTickMs = 50;

// What a power cut or an earlier day left in the log folder before the program starts. The
// terminals then hold records from a records file, and terminal 1's first is the one concerned.
enum class LogBefore {
    Nothing,
    TornLine, // today's file ends in the first half of its line, without a line end
    NulBytes, // ... in as many NUL bytes as its line has: the file grew, the data never reached the disk
    StoredOnFriday, // dated three days back and stored in that day's file; the confirmation was lost
};

// The record lines of a log file, its header left out.
QList<QByteArray> recordLines(const QString &path)
{
    QFile file(path);
    QList<QByteArray> lines
        = file.open(QIODevice::ReadOnly) ? file.readAll().split('\n').mid(1) : QList<QByteArray>();
    lines.removeAll(QByteArray());
    return lines;
}

class LiveProgram
{
    QTemporaryDir m_dir; // first: everything below lives in it

public:
    explicit LiveProgram(int terminals) : m_terminals(terminals)
    {
        for (const char *sub : {"Setup", "VimoLog", "ports"})
            QDir(folder()).mkpath(QLatin1String(sub));
        QFile::copy(QStringLiteral(PCVIMO_DATA_DIR "/ViMoText.txt"), path(QStringLiteral("ViMoText.txt")));
        QFile setup(path(QStringLiteral("Setup/FarSetup-2024-01-01.txt")));
        if (setup.open(QIODevice::WriteOnly))
            setup.write("Language\tUK\r\nCOMPort\t3\r\nNo of Hand Terminals\t" + QByteArray::number(terminals)
                        + "\r\n");
    }

    // Writes the terminals' records (three each, sow "T<terminal>R<n>", dated today but for the
    // one concerned) to records.txt and the log files as `before` says; the torn bytes.
    QByteArray leaveLog(LogBefore before)
    {
        const QDate today = QDate::currentDate();
        QByteArray records, concerned;
        for (int terminal = 1; terminal <= m_terminals; ++terminal) {
            for (int n = 1; n <= 3; ++n) {
                const QDate day = terminal == 1 && n == 1 && before == LogBefore::StoredOnFriday
                    ? today.addDays(-3)
                    : today;
                // Type 1 at 00:0n, staff 2, 12 alive, 1 still, ..., 38.5 degrees.
                QByteArray bytes = QByteArray::fromHex("000001");
                for (const int value : {day.year() - 2000, day.month(), day.day(), 0, n})
                    bytes += char(value);
                bytes += QByteArray::fromHex("020C0B010000050003040181")
                    + ('T' + QByteArray::number(terminal) + 'R' + QByteArray::number(n))
                          .leftJustified(RecordFields::kSowLength);
                records += QByteArray::number(terminal) + ": " + bytes.toHex(' ') + '\n';
                if (concerned.isEmpty())
                    concerned = RecordFields::logLine(RecordFields::fromRecord(
                        RecordFields::RecordBytes(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                                                  RecordFields::kRecordBytes)));
            }
        }
        const QByteArray torn = before == LogBefore::TornLine ? concerned.left(concerned.size() / 2)
            : before == LogBefore::NulBytes                   ? QByteArray(concerned.size(), '\0')
                                                              : QByteArray();
        const QDate day = before == LogBefore::StoredOnFriday ? today.addDays(-3) : today;
        QFile log(path(QStringLiteral("VimoLog/FAR-%1.txt").arg(day.toString(Qt::ISODate)))),
            file(path(QStringLiteral("records.txt")));
        EXPECT_TRUE(log.open(QIODevice::WriteOnly) && file.open(QIODevice::WriteOnly));
        log.write(LogFile::headerLine() + (torn.isEmpty() ? concerned : torn));
        file.write(records);
        return torn;
    }

    QString folder() const { return m_dir.path(); }
    QString path(const QString &relative) const { return m_dir.filePath(relative); }
    bool lineLinked() const { return QFileInfo::exists(path(QStringLiteral("ports/COM3"))); }

    // Starts the terminals and waits for their line to appear in the ports folder.
    bool startSimulator(const QString &arguments)
    {
        m_simulator.setProgram(QCoreApplication::applicationDirPath()
                               + QStringLiteral("/../tools/pcvimo-simulator"));
        m_simulator.setArguments(
            QStringList{QStringLiteral("--folder"), folder(), QStringLiteral("--verify-log"), folder()}
            + (QStringLiteral("--port 3 --terminals %1 --state-file %2 ")
                   .arg(m_terminals)
                   .arg(path(QStringLiteral("state.json")))
               + arguments)
                  .split(u' ', Qt::SkipEmptyParts));
        m_simulator.setStandardErrorFile(path(QStringLiteral("simulator.log")));
        m_simulator.start();
        return runUntil([this] { return lineLinked() || m_simulator.state() == QProcess::NotRunning; }, 10000)
            && lineLinked();
    }

    // The main window over the real services, its start-up run, its scheduler ticking every `tickMs`.
    void load(int tickMs)
    {
        m_program = std::make_unique<Program>(Services{dialogs, m_clock, port, m_devices, [] {}}, folder(),
                                              folder());
        bindTimer(vimo().timSekund, &m_timers);
        bindTimer(m_program->options().timModtag, &m_timers);
        emptyGridRows = vimo().mshVimo.rows();
        m_program->start();
        vimo().timSekund.setInterval(tickMs);
    }
    frmVimo &vimo() { return m_program->mainWindow(); }
    Program &program() { return *m_program; }
    // The program ends, its port closed as on exit, and starts again on the same folder.
    void restart(int tickMs)
    {
        m_program.reset();
        qDeleteAll(m_timers.findChildren<QTimer *>());
        if (port.isOpen())
            port.close();
        load(tickMs);
    }

    // Lets the program run until `done` holds; false when `timeoutMs` passes first. `eachTurn`
    // runs after every turn (a user clicking).
    bool runUntil(const std::function<bool()> &done, int timeoutMs,
                  const std::function<void()> &eachTurn = {})
    {
        QElapsedTimer clock;
        clock.start();
        for (; !done(); ++turns) {
            if (clock.elapsed() > timeoutMs)
                return false;
            QEventLoop loop;
            QTimer::singleShot(kTurnMs, &loop, &QEventLoop::quit);
            loop.exec();
            if (eachTurn)
                eachTurn();
        }
        return true;
    }

    // The simulator's exit code once it ends by itself (its duration over, or every record
    // confirmed); -1 when it does not end in time.
    int simulatorExit(int timeoutMs, const std::function<void()> &eachTurn = {})
    {
        const bool ended
            = runUntil([this] { return m_simulator.state() == QProcess::NotRunning; }, timeoutMs, eachTurn);
        return ended && m_simulator.exitStatus() == QProcess::NormalExit ? m_simulator.exitCode() : -1;
    }
    QByteArray summary() { return m_simulator.readAllStandardOutput(); } // what it counted
    // Its summary and last progress lines, for failure messages.
    QByteArray simulatorOutput()
    {
        QFile progress(path(QStringLiteral("simulator.log")));
        return summary() + "\n--- progress:\n"
            + (progress.open(QIODevice::ReadOnly) ? progress.readAll().right(6000) : QByteArray());
    }
    // The simulator's last state file: "acknowledged", "held", "resent", "faults" ...
    int state(const char *name, const char *fault = nullptr) const
    {
        QFile file(path(QStringLiteral("state.json")));
        file.open(QIODevice::ReadOnly); // empty until the simulator has written it
        const QJsonValue value = QJsonDocument::fromJson(file.readAll()).object().value(QLatin1String(name));
        return (fault ? value.toObject().value(QLatin1String(fault)) : value).toInt();
    }

    FakeDialogs dialogs;
    QtSerialPort port{folder()};
    long long turns = 0;
    int emptyGridRows = 0; // the record grid before it is loaded

private:
    int m_terminals;
    SystemClock m_clock;
    PortsFolderDeviceList m_devices{folder()};
    QProcess m_simulator; // killed when the test ends early
    QObject m_timers;
    std::unique_ptr<Program> m_program; // last: goes first
};

// One run against the terminals, under one fault.
struct FaultRun
{
    const char *name;
    QByteArray arguments = {};
    std::vector<const char *> counters = {}; // in the state file; each must have moved
    bool restart = false, untilDrained = true; // or until the seconds are over
    bool diskFull = false; // today's log file cannot be written until the first box
    int terminals = 3, tickMs = kFastTickMs, seconds = 120;
    LogBefore logBefore = LogBefore::Nothing;
    int heldAtEnd = 0; // the broken terminal's records
    const char *caption = nullptr; // in the main window's note on terminals at some time in the run
};
void PrintTo(const FaultRun &run, std::ostream *out)
{
    *out << run.name;
}

std::vector<FaultRun> faultRuns()
{
    // The soak instead: eight terminals for PCVIMO_SOAK_SECONDS at the
    // program's own tick, at the rates of a poor line (a lost packet costs up to a minute there)
    // and the line gone every five minutes.
    if (const int seconds = qEnvironmentVariableIntValue("PCVIMO_SOAK_SECONDS"); seconds > 0)
        return {{.name = "soak",
                 .arguments = "--seed 2024 --corrupt 0.02 --drop-acks 0.03 --garbage 0.05 --vanish-every 300 "
                              "--vanish-for 10 --status-interval 60 --records "
                     + QByteArray::number(20 + seconds / 10),
                 .counters = {"packetsCorrupted", "acksDropped"}, // the line goes first after 300 s
                 .untilDrained = false,
                 .terminals = 8,
                 .tickMs = 1000,
                 .seconds = seconds}};
    return {
        {"lineFaults",
         "--seed 5 --records 6 --corrupt 0.1 --drop-acks 0.2 --garbage 0.1",
         {"packetsCorrupted", "garbageBursts", "acksDropped"}},
        {"lateCounts",
         "--seed 11 --records 6,3,2 --late-counts 1 --corrupt-records 0.3",
         {"lateCounts", "packetsCorrupted"}},
        {"recordsAdded",
         "--seed 12 --records 4 --add-records 8 --drop-acks 0.4",
         {"recordsAdded", "acksDropped", "resentWithNewCount"}},
        {"cutShort", "--seed 13 --records 5 --short-records 0.25", {"recordsCutShort"}},
        {.name = "restart",
         .arguments = "--seed 14 --records 6 --drop-acks 0.3",
         .counters = {"acksDropped"},
         .restart = true},
        // Records begin at the sixth tick and take over half a second each: at 2.5 s the line goes
        // in mid-stream.
        {.name = "lineVanishes",
         .arguments = "--seed 8 --records 5 --vanish-at 2.5 --vanish-for 3",
         .counters = {"vanishes"},
         .terminals = 2},
        {.name = "diskFull", .arguments = "--seed 3 --records 3", .diskFull = true, .terminals = 2},
        {.name = "tornLine", .terminals = 2, .logBefore = LogBefore::TornLine},
        {.name = "nulBytes", .terminals = 2, .logBefore = LogBefore::NulBytes},
        {.name = "weekend", .terminals = 2, .logBefore = LogBefore::StoredOnFriday},
        // Terminal 1 is served first after every count request. At the program's own tick, as it
        // is passed over only after a few unusable records in a row, each asked for again after
        // the quiet time: at the fast tick the next count request (3 s) comes first.
        {.name = "brokenTerminal",
         .arguments = "--seed 15 --records 5 --unusable-terminal 1",
         .counters = {"unusableRecords"},
         .tickMs = 1000,
         .seconds = 60,
         .heldAtEnd = 5,
         .caption = "Terminal 1 sends unusable records"},
    };
}

class EachFault : public testing::TestWithParam<FaultRun>
{
};

} // namespace

// Terminals, each run to the end under one fault: broken packets, noise between packets and
// confirmations the terminals miss (each miss makes a terminal send the same record again);
// another terminal's count answer just before the served terminal's record (equal to that
// record's records-left bytes when it can be, the one a PC could take for its confirmation; with
// broken records, so that a falsely confirmed one is lost); records added while a confirmation
// was missed, so a record comes again with other records-left bytes; records cut short with right
// checksums, which must get no confirmation; the program ended and started again while a terminal
// waits to send again a record whose confirmation it missed; and the adapter pulled out in the
// middle of the records and put back, which a user answers with "Find ports"; today's log
// file on a full disk, which the user is told of; today's file ending, after a power cut, in part
// of the line of a record a terminal still holds, or in NUL bytes, which are set aside (never
// shown or counted) before that record is stored whole; a record stored on Friday whose
// confirmation was lost, sent again on Monday; and a terminal that sends only records cut short,
// which must not hold up the others. The simulator's check and the files: each record once.
TEST_P(EachFault, everyRecordOnce)
{
    const FaultRun &run = GetParam();
    LiveProgram live(run.terminals);
    const QString todaysLog
        = live.path(QStringLiteral("VimoLog/FAR-%1.txt").arg(QDate::currentDate().toString(Qt::ISODate)));
    const QByteArray torn = run.logBefore == LogBefore::Nothing ? QByteArray() : live.leaveLog(run.logBefore);
    ASSERT_TRUE(live.startSimulator(
        QString::fromLatin1(run.arguments)
        + QStringLiteral("%1 --duration %2%3")
              .arg(run.untilDrained ? QStringLiteral(" --until-drained") : QString())
              .arg(run.seconds)
              .arg(run.logBefore == LogBefore::Nothing
                       ? QString()
                       : QStringLiteral(" --records-file ") + live.path(QStringLiteral("records.txt")))))
        << live.simulatorOutput().constData();
    live.load(run.tickMs);
    const auto gridRows = [&] { return live.vimo().mshVimo.rows(); }; // the window changes on a restart
    EXPECT_EQ(gridRows(), live.emptyGridRows) << "a torn write shown as a record";
    // Today's file cannot grow (the program runs in this process) until the user is told. Nothing
    // may be acknowledged or shown while the disk is full; once it has room, the terminals still
    // hold every record, and storing resumes by itself.
    if (run.diskFull) {
        QFile today(todaysLog);
        ASSERT_TRUE(today.open(QIODevice::Append));
        today.write(LogFile::headerLine());
        today.close();
        FileSizeLimit full(today.size());
        ASSERT_TRUE(live.runUntil([&] { return !live.dialogs.messages.empty(); }, 20 * 1000));
        live.runUntil([] { return false; }, 2500); // the state file is written every second
        EXPECT_EQ(live.state("acknowledged"), 0);
        EXPECT_EQ(gridRows(), live.emptyGridRows) << "a record that was not stored was shown";
    }
    const std::clock_t cpuBefore = std::clock();
    QElapsedTimer wall;
    wall.start();
    if (run.restart) {
        ASSERT_TRUE(live.runUntil([&] { return live.state("faults", "acksDropped") > live.state("resent"); },
                                  30 * 1000));
        live.restart(run.tickMs);
    }
    // A user who clicks "Find ports" once a line that went away is back.
    QSet<QString> captions;
    ASSERT_EQ(live.simulatorExit((run.seconds + 60) * 1000,
                                 [&] {
                                     captions.insert(live.vimo().lblTerminals.caption());
                                     if (!live.port.isOpen() && live.lineLinked() && live.turns % 20 == 0)
                                         live.program().options().cmdComP.click();
                                 }),
              0)
        << live.simulatorOutput().constData();
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("%s: %.1f s, processor %.2f %%, peak memory %ld KiB\n%s\n", run.name, wall.elapsed() / 1000.0,
                100.0 * double(std::clock() - cpuBefore) / CLOCKS_PER_SEC * 1000 / wall.elapsed(),
                usage.ru_maxrss, live.summary().constData());
    for (const char *counter : run.counters)
        EXPECT_GT(live.state(counter) + live.state("faults", counter), 0) << counter;
    // Every confirmed record once in the log files (the simulator's check), and no other line
    // beyond at most one a terminal that was still on its way when a timed run ended.
    QList<QByteArray> lines;
    for (const QFileInfo &log :
         QDir(live.path(QStringLiteral("VimoLog"))).entryInfoList({QStringLiteral("FAR-*.txt")}))
        lines += recordLines(log.filePath());
    EXPECT_GE(lines.size(), live.state("acknowledged"));
    EXPECT_LE(lines.size(),
              live.state("acknowledged") + (!run.untilDrained && live.state("held") > 0 ? run.terminals : 0));
    if (run.untilDrained) {
        EXPECT_EQ(live.state("held"), run.heldAtEnd);
    }
    EXPECT_EQ(gridRows(), live.emptyGridRows + recordLines(todaysLog).size())
        << "a record shown twice or not at all";
    QFile tornFile(QString(todaysLog).replace(QStringLiteral(".txt"), QStringLiteral(".torn")));
    EXPECT_EQ(tornFile.open(QIODevice::ReadOnly) ? tornFile.readAll() : QByteArray(), torn);
    if (run.caption) {
        EXPECT_TRUE(std::ranges::any_of(captions, [&](const QString &caption) {
            return caption.contains(QLatin1String(run.caption));
        })) << QStringList(captions.begin(), captions.end()).join(u'|').toStdString();
    }
    for (const auto &box : live.dialogs.messages)
        EXPECT_EQ(box.title + u':' + box.text,
                  QStringLiteral("Problem:%1 could not be written").arg(todaysLog));
    EXPECT_EQ(live.dialogs.messages.empty(), !run.diskFull);
}
INSTANTIATE_TEST_SUITE_P(LiveFaults, EachFault, testing::ValuesIn(faultRuns()),
                         [](const testing::TestParamInfo<FaultRun> &info) {
                             return std::string(info.param.name);
                         });
