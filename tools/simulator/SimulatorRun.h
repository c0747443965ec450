#pragma once

#include "LineFaults.h"
#include "RunReport.h"
#include "SimulatorOptions.h"
#include "TerminalBank.h"
#include "protocol/PacketAssembler.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <QRandomGenerator>

#include <deque>
#include <memory>

class PtyLine;
class QTextStream;

// One run: the terminals on the pseudo-terminal line, the timers that end the run, the
// progress lines, the state file, and the summary and log check at the end.
class SimulatorRun : public QObject
{
    Q_OBJECT
public:
    // `source` says where the records came from, for the summary ("generated, seed 5"); `later`
    // are the records staff add during the run (--add-records).
    SimulatorRun(SimulatorOptions options, std::vector<std::vector<TerminalRecord>> records, QString source,
                 std::vector<TerminalRecord> later = {});
    ~SimulatorRun() override;

    // Makes the line; false with the reason on stderr when it cannot.
    bool start();
    // Ends the run now (also on a signal): summary, log check, exit code.
    void finish(const QString &why);

Q_SIGNALS:
    void finished(int exitCode);

private:
    void onBytes(const QByteArray &bytes);
    void onPacket(Packet::Type type, std::span<const std::uint8_t> bytes);
    void checkDrained();
    void sendAnswer(const QByteArray &packet);
    std::optional<QByteArray> lateCountBefore(const TerminalEvent &reply);
    void maybeAddRecord(const TerminalEvent &event);
    void scheduleVanish();
    void vanish(double length);
    void comeBack();
    bool makeLine();
    RunReport::Faults faultReport() const;
    void writeState(const QString &phase) const;
    double seconds() const { return double(m_clock.elapsed()) / 1000.0; }
    void progress(const QString &line) const;

    SimulatorOptions m_options;
    QString m_source;
    TerminalBank m_bank;
    PacketAssembler m_assembler;
    LineFaults m_faults;
    std::deque<TerminalRecord> m_later;
    QRandomGenerator m_laterRandom;
    int m_added = 0;
    std::unique_ptr<PtyLine> m_line;
    QElapsedTimer m_clock;
    QTimer m_statusTimer;
    QTimer m_stateTimer;
    QTimer m_endTimer;
    QTimer m_vanishTimer;
    QTimer m_returnTimer;
    int m_vanishes = 0;
    int m_returns = 0;
    double m_goneSince = 0;
    double m_secondsGone = 0;
    std::optional<double> m_drainedAt;
    bool m_lingering = false;
    bool m_finished = false;
};
