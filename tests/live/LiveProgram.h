#pragma once

#include "app/frmVimo.h"
#include "fakes/FakeDialogs.h"
#include "platform/Clock.h"
#include "platform/qt/PortsFolderDeviceList.h"
#include "platform/qt/QtSerialPort.h"
#include "platform/qt/TimerBinding.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

#include <ctime>
#include <sys/resource.h>

// The whole program as main.cpp wires it, but in the test process: the real windows over the
// real serial port, the ports folder and the system clock, its timers on QTimers, and the
// hand-terminal simulator as a separate process on a pseudo-terminal. Only the message boxes
// are fakes: they are recorded and return at once. Every wait is bounded by a time limit, so a
// test fails instead of hanging.
class LiveProgram
{
    // First, as everything below is made in the program folder.
    int m_terminals;
    QTemporaryDir m_dir;

public:
    static constexpr int kPort = 3;
    static constexpr int kTurnMs = 50; // one turn of the harness's event loop

    explicit LiveProgram(int terminals) : m_terminals(terminals)
    {
        const QDir folder(m_dir.path());
        folder.mkpath(QStringLiteral("Setup"));
        folder.mkpath(QStringLiteral("VimoLog"));
        folder.mkpath(QStringLiteral("ports"));
        QFile::copy(sourceFolder() + QStringLiteral("/data/ViMoText.txt"),
                    path(QStringLiteral("ViMoText.txt")));
        writeSetup();
    }

    ~LiveProgram()
    {
        stopSimulator();
        m_vimo.reset();
        m_timerOwner.reset();
    }

    QString folder() const { return m_dir.path(); }
    QString path(const QString &relative) const { return m_dir.filePath(relative); }
    QString todaysLog() const
    {
        return path(QStringLiteral("VimoLog/FAR-") + QDate::currentDate().toString(Qt::ISODate)
                    + QStringLiteral(".txt"));
    }
    QString linkPath() const { return path(QStringLiteral("ports/COM%1").arg(kPort)); }
    bool lineLinked() const { return QFileInfo(linkPath()).exists(); } // the link and what it points to

    static QString simulatorPath()
    {
        return QDir(QCoreApplication::applicationDirPath())
            .filePath(QStringLiteral("../tools/pcvimo-simulator"));
    }

    // Starts the terminals, and waits for their line to appear in the ports folder.
    bool startSimulator(const QStringList &arguments, int timeoutMs = 10000)
    {
        m_simulator.setProgram(simulatorPath());
        m_simulator.setArguments(QStringList{QStringLiteral("--folder"), folder(), QStringLiteral("--port"),
                                             QString::number(kPort), QStringLiteral("--terminals"),
                                             QString::number(m_terminals), QStringLiteral("--state-file"),
                                             statePath(), QStringLiteral("--verify-log"), folder()}
                                 + arguments);
        m_simulator.setProcessChannelMode(QProcess::SeparateChannels);
        m_simulator.setStandardErrorFile(simulatorLog());
        m_simulator.start();
        if (!m_simulator.waitForStarted(timeoutMs))
            return false;
        return runUntil([this] { return lineLinked() || m_simulator.state() == QProcess::NotRunning; },
                        timeoutMs)
            && lineLinked();
    }

    // Builds the main window over the real services and runs its start-up.
    void load()
    {
        m_vimo = std::make_unique<frmVimo>(Services{dialogs, m_clock, port, m_devices}, folder(), folder());
        m_timerOwner = std::make_unique<QObject>();
        bindTimer(m_vimo->timSekund, m_timerOwner.get());
        bindTimer(m_vimo->options().timModtag, m_timerOwner.get());
        QObject::connect(&m_vimo->timSekund, &Timer::ticked, m_timerOwner.get(),
                         [this] { ++schedulerTicks; });
        m_vimo->Load();
    }

    frmVimo &vimo() { return *m_vimo; }

    // Lets the program run until `done` holds; false when `timeoutMs` passes first. `eachTurn`
    // runs after every turn (a user clicking, a check).
    bool runUntil(const std::function<bool()> &done, int timeoutMs,
                  const std::function<void()> &eachTurn = {})
    {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > timeoutMs)
                return false;
            QEventLoop loop;
            QTimer::singleShot(kTurnMs, &loop, &QEventLoop::quit);
            loop.exec();
            ++turns;
            if (eachTurn)
                eachTurn();
        }
        return true;
    }
    void runFor(int ms)
    {
        QElapsedTimer clock;
        clock.start();
        runUntil([&] { return clock.elapsed() >= ms; }, ms + 1000);
    }

    // The simulator's last state file; empty until it has written one.
    QJsonObject simulatorState() const
    {
        QFile file(statePath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QJsonDocument::fromJson(file.readAll()).object();
    }
    int acknowledged() const { return simulatorState().value(QStringLiteral("acknowledged")).toInt(); }
    QJsonObject faults() const { return simulatorState().value(QStringLiteral("faults")).toObject(); }

    // Waits for the simulator to end by itself (its duration, or every record confirmed) while
    // the program runs; its exit code, or nothing when it did not end in time.
    std::optional<int> waitSimulatorEnd(int timeoutMs, const std::function<void()> &eachTurn = {})
    {
        if (!runUntil([this] { return m_simulator.state() == QProcess::NotRunning; }, timeoutMs, eachTurn))
            return std::nullopt;
        collectOutput();
        if (m_simulator.exitStatus() != QProcess::NormalExit)
            return std::nullopt;
        return m_simulator.exitCode();
    }
    // Ends the simulator (it still writes its summary); bounded.
    void stopSimulator()
    {
        if (m_simulator.state() == QProcess::NotRunning)
            return;
        m_simulator.terminate();
        if (!m_simulator.waitForFinished(5000)) {
            m_simulator.kill();
            m_simulator.waitForFinished(5000);
        }
        collectOutput();
    }
    // Its summary and its last progress lines, for failure messages.
    QString simulatorOutput() const
    {
        QFile log(simulatorLog());
        const QByteArray progress = log.open(QIODevice::ReadOnly) ? log.readAll().right(6000) : QByteArray();
        return m_output + QStringLiteral("\n--- last progress lines:\n") + QString::fromLocal8Bit(progress);
    }

    // The record lines of every log file (header lines left out).
    QList<QByteArray> logLines() const
    {
        QList<QByteArray> lines;
        const QDir logs(path(QStringLiteral("VimoLog")));
        for (const QString &name : logs.entryList({QStringLiteral("FAR-*.txt")}, QDir::Files, QDir::Name)) {
            QFile file(logs.filePath(name));
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QList<QByteArray> all = file.readAll().split('\n');
            for (qsizetype i = 1; i < all.size(); ++i) {
                if (!all[i].isEmpty())
                    lines << all[i];
            }
        }
        return lines;
    }

    // The boxes titled `title` whose text ends with `ending`.
    int boxes(const QString &title, const QString &ending) const
    {
        int n = 0;
        for (const auto &m : dialogs.messages)
            n += m.title == title && m.text.endsWith(ending) ? 1 : 0;
        return n;
    }

    // This process's processor time (the program and the harness), in seconds.
    static double cpuSeconds()
    {
        timespec t{};
        ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
    }
    // Peak resident memory of this process, in KiB.
    static long peakMemoryKiB()
    {
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        return usage.ru_maxrss;
    }

    FakeDialogs dialogs;
    QtSerialPort port{folder()};
    long long turns = 0;
    long long schedulerTicks = 0;

private:
    QString statePath() const { return path(QStringLiteral("simulator-state.json")); }
    QString simulatorLog() const { return path(QStringLiteral("simulator.log")); }

    static QString sourceFolder()
    {
        // tests/live/LiveProgram.h -> the source tree.
        return QFileInfo(QStringLiteral(__FILE__)).absoluteDir().absoluteFilePath(QStringLiteral("../.."));
    }

    void writeSetup() const
    {
        const QStringList staff{QStringLiteral("Anna"), QStringLiteral("Bo"), QStringLiteral("Carsten"),
                                QStringLiteral("Dorthe"), QStringLiteral("Erik")};
        const QStringList medicines{QStringLiteral("Oxytocin"), QStringLiteral("Penicillin"),
                                    QStringLiteral("Metacam")};
        QByteArray setup
            = QStringLiteral("Language\tUK\r\nCOMPort\t%1\r\nTemperature\t0\r\nInterval 1\t02:00\r\n"
                             "Interval 2\t00:30\r\nDuration 1\t01:00\r\nNo of Hand Terminals\t%2\r\n")
                  .arg(kPort)
                  .arg(m_terminals)
                  .toLatin1();
        for (int k = 1; k <= 20; ++k)
            setup += QStringLiteral("Staff %1\t%2\r\n").arg(k).arg(staff.value(k - 1)).toLatin1();
        for (int k = 1; k <= 10; ++k)
            setup += QStringLiteral("Medicine %1\t%2\r\n").arg(k).arg(medicines.value(k - 1)).toLatin1();
        QFile file(path(QStringLiteral("Setup/FarSetup-") + QDate::currentDate().toString(Qt::ISODate)
                        + QStringLiteral(".txt")));
        if (file.open(QIODevice::WriteOnly))
            file.write(setup);
    }

    void collectOutput() { m_output += QString::fromLocal8Bit(m_simulator.readAllStandardOutput()); }

    SystemClock m_clock;
    PortsFolderDeviceList m_devices{folder()};
    QProcess m_simulator;
    QString m_output;
    std::unique_ptr<frmVimo> m_vimo;
    std::unique_ptr<QObject> m_timerOwner;
};
