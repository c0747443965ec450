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
#include "fakes/TempFolder.h"
#include "platform/Clock.h"
#include "platform/qt/PortsFolderDeviceList.h"
#include "platform/qt/QtSerialPort.h"
#include "platform/qt/TimerBinding.h"
#include "protocol/RecordFields.h"
#include "records/LogFile.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDate>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTimer>

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
    const char *caption = ""; // in the main window's note on terminals at some time in the run
};
void PrintTo(const FaultRun &run, std::ostream *out)
{
    *out << run.name;
}

// The number of record lines in a log file's text, its header left out.
qsizetype recordLines(const QByteArray &text)
{
    const QList<QByteArray> lines = text.split('\n').mid(1);
    return lines.size() - lines.count(QByteArray());
}

class LiveProgram
{
public:
    TempFolder folder; // first: everything below lives in it

    explicit LiveProgram(const FaultRun &run) : m_run(run) { }

    // Writes the terminals' records (three each, sow "T<terminal>R<n>", dated today but for the
    // one concerned) to records.txt and the log files as the run says; the torn bytes.
    QByteArray leaveLog()
    {
        const LogBefore before = m_run.logBefore;
        const QDate today = QDate::currentDate();
        const QDate concernedDay = before == LogBefore::StoredOnFriday ? today.addDays(-3) : today;
        QByteArray records, concerned;
        for (int terminal = 1; terminal <= m_run.terminals; ++terminal) {
            for (int n = 1; n <= 3; ++n) {
                const QDate day = terminal == 1 && n == 1 ? concernedDay : today;
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
        folder.write(QStringLiteral("VimoLog/FAR-%1.txt").arg(concernedDay.toString(Qt::ISODate)),
                     LogFile::headerLine() + (torn.isEmpty() ? concerned : torn));
        folder.write(QStringLiteral("records.txt"), records);
        return torn;
    }

    bool lineLinked() const { return QFileInfo::exists(folder.file(QStringLiteral("ports/COM3"))); }

    // Leaves the program folder (language, setup and, as the run says, log files) and starts the
    // terminals; true once their line appears in the ports folder.
    bool startSimulator()
    {
        QFile::copy(QStringLiteral(PCVIMO_DATA_DIR "/ViMoText.txt"),
                    folder.file(QStringLiteral("ViMoText.txt")));
        folder.write(QStringLiteral("Setup/FarSetup-2024-01-01.txt"),
                     "Language\tUK\r\nCOMPort\t3\r\nNo of Hand Terminals\t"
                         + QByteArray::number(m_run.terminals) + "\r\n");
        QString arguments
            = QStringLiteral("--folder %1 --verify-log %1 --port 3 --terminals %2 --state-file %3 "
                             "--duration %4 %5 ")
                  .arg(folder.path(), QString::number(m_run.terminals),
                       folder.file(QStringLiteral("state.json")), QString::number(m_run.seconds),
                       m_run.untilDrained ? QStringLiteral("--until-drained") : QString())
            + QString::fromLatin1(m_run.arguments);
        if (m_run.logBefore != LogBefore::Nothing) {
            torn = leaveLog();
            arguments += QStringLiteral(" --records-file ") + folder.file(QStringLiteral("records.txt"));
        }
        m_simulator.setStandardErrorFile(folder.file(QStringLiteral("simulator.log")));
        m_simulator.start(QCoreApplication::applicationDirPath()
                              + QStringLiteral("/../tools/pcvimo-simulator"),
                          arguments.split(u' ', Qt::SkipEmptyParts));
        return runUntil([this] { return lineLinked() || m_simulator.state() == QProcess::NotRunning; }, 10000)
            && lineLinked();
    }

    // The main window over the real services, its start-up run, its scheduler ticking at the run's tick;
    // again on the same folder after the program ended, its port closed as on exit.
    void load()
    {
        m_program.reset();
        qDeleteAll(m_timers.findChildren<QTimer *>());
        if (port.isOpen())
            port.close();
        m_program = std::make_unique<Program>(Services{dialogs, m_clock, port, m_devices, [] {}},
                                              folder.path(), folder.path());
        bindTimer(vimo().timSekund, &m_timers);
        bindTimer(m_program->options().timModtag, &m_timers);
        m_emptyGridRows = vimo().mshVimo.rows();
        m_program->start();
        vimo().timSekund.setInterval(m_run.tickMs);
    }
    frmVimo &vimo() { return m_program->mainWindow(); }
    Program &program() { return *m_program; }
    int shownRecords() { return vimo().mshVimo.rows() - m_emptyGridRows; }

    // Lets the program run until `done` holds; false when `timeoutMs` passes first. `eachTurn`
    // runs after every turn (a user clicking).
    bool runUntil(
        const std::function<bool()> &done, int timeoutMs, const std::function<void()> &eachTurn = [] {})
    {
        for (const QDeadlineTimer deadline(timeoutMs); !done(); eachTurn(), ++turns) {
            if (deadline.hasExpired())
                return false;
            QEventLoop loop;
            QTimer::singleShot(kTurnMs, &loop, &QEventLoop::quit);
            loop.exec();
        }
        return true;
    }

    // The simulator's exit code once it ends by itself (its duration over, or every record
    // confirmed); -1 when it does not end in time.
    int simulatorExit(const std::function<void()> &eachTurn)
    {
        const bool ended = runUntil([this] { return m_simulator.state() == QProcess::NotRunning; },
                                    (m_run.seconds + 60) * 1000, eachTurn);
        return ended && m_simulator.exitStatus() == QProcess::NormalExit ? m_simulator.exitCode() : -1;
    }
    QByteArray summary() { return m_simulator.readAllStandardOutput(); } // what it counted
    // Its summary and last progress lines, for failure messages.
    std::string simulatorOutput()
    {
        return (summary() + "\n--- progress:\n" + folder.read(QStringLiteral("simulator.log")).right(6000))
            .toStdString();
    }
    // The simulator's last state file: "acknowledged", "held", "resent", "faults" ...
    int state(const char *name, const char *fault = nullptr) const
    {
        // Empty until the simulator has written it.
        const QJsonValue value = QJsonDocument::fromJson(folder.read(QStringLiteral("state.json")))
                                     .object()
                                     .value(QLatin1String(name));
        return (fault ? value.toObject().value(QLatin1String(fault)) : value).toInt();
    }

    QByteArray torn; // of the line the log files were left ending in
    FakeDialogs dialogs;
    QtSerialPort port{folder.path()};
    long long turns = 0;

private:
    const FaultRun &m_run;
    int m_emptyGridRows = 0; // the record grid before it is loaded
    SystemClock m_clock;
    PortsFolderDeviceList m_devices{folder.path()};
    QProcess m_simulator; // killed when the test ends early
    QObject m_timers;
    std::unique_ptr<Program> m_program; // last: goes first
};

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

using EachFault = testing::TestWithParam<FaultRun>;

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
    LiveProgram live(run);
    const QString todaysLog
        = QStringLiteral("VimoLog/FAR-%1.txt").arg(QDate::currentDate().toString(Qt::ISODate));
    ASSERT_TRUE(live.startSimulator()) << live.simulatorOutput();
    live.load();
    EXPECT_EQ(live.shownRecords(), 0) << "a torn write shown as a record";
    EXPECT_FALSE(live.vimo().cmdPrint.isEnabled()) << "no printer: nothing to print with";
    // Today's file cannot grow (the program runs in this process) until the user is told. Nothing
    // may be acknowledged or shown while the disk is full; once it has room, the terminals still
    // hold every record, and storing resumes by itself.
    if (run.diskFull) {
        QFile today(live.folder.file(todaysLog));
        ASSERT_TRUE(today.open(QIODevice::Append) && today.write(LogFile::headerLine()) > 0);
        today.close();
        FileSizeLimit full(today.size());
        ASSERT_TRUE(live.runUntil([&] { return !live.dialogs.messages.empty(); }, 20 * 1000));
        live.runUntil([] { return false; }, 2500); // the state file is written every second
        EXPECT_EQ(live.state("acknowledged"), 0);
        EXPECT_EQ(live.shownRecords(), 0) << "a record that was not stored was shown";
    }
    const std::clock_t cpuBefore = std::clock();
    QElapsedTimer wall;
    wall.start();
    if (run.restart) {
        ASSERT_TRUE(live.runUntil([&] { return live.state("faults", "acksDropped") > live.state("resent"); },
                                  30 * 1000));
        live.load();
    }
    // A user who clicks "Find ports" once a line that went away is back.
    QString captions; // each caption seen, '|' after each
    ASSERT_EQ(live.simulatorExit([&] {
        if (const QString caption = live.vimo().lblTerminals.caption(); !captions.contains(caption + u'|'))
            captions += caption + u'|';
        if (!live.port.isOpen() && live.lineLinked() && live.turns % 20 == 0)
            live.program().options().cmdComP.click();
    }),
              0)
        << live.simulatorOutput();
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("%s: %.1f s, processor %.2f %%, peak memory %ld KiB\n%s\n", run.name, wall.elapsed() / 1000.0,
                100.0 * double(std::clock() - cpuBefore) / CLOCKS_PER_SEC * 1000 / wall.elapsed(),
                usage.ru_maxrss, live.summary().constData());
    for (const char *counter : run.counters)
        EXPECT_GT(live.state(counter) + live.state("faults", counter), 0) << counter;
    // Every confirmed record once in the log files (the simulator's check), and no other line
    // beyond at most one a terminal that was still on its way when a timed run ended.
    qsizetype lines = 0;
    for (const QString &log :
         QDir(live.folder.file(QStringLiteral("VimoLog"))).entryList({QStringLiteral("FAR-*.txt")}))
        lines += recordLines(live.folder.read(QStringLiteral("VimoLog/") + log));
    EXPECT_GE(lines, live.state("acknowledged"));
    EXPECT_LE(lines,
              live.state("acknowledged") + (!run.untilDrained && live.state("held") > 0 ? run.terminals : 0));
    EXPECT_TRUE(!run.untilDrained || live.state("held") == run.heldAtEnd) << live.state("held") << " held";
    EXPECT_EQ(live.shownRecords(), recordLines(live.folder.read(todaysLog)))
        << "a record shown twice or not at all";
    EXPECT_EQ(live.folder.read(QString(todaysLog).replace(QStringLiteral(".txt"), QStringLiteral(".torn"))),
              live.torn);
    EXPECT_TRUE(captions.contains(QLatin1String(run.caption))) << captions.toStdString();
    for (const auto &box : live.dialogs.messages)
        EXPECT_EQ(box.title + u':' + box.text,
                  QStringLiteral("Problem:%1 could not be written").arg(live.folder.file(todaysLog)));
    EXPECT_EQ(live.dialogs.messages.empty(), !run.diskFull);
}
INSTANTIATE_TEST_SUITE_P(LiveFaults, EachFault, testing::ValuesIn(faultRuns()),
                         testing::PrintToStringParamName());
