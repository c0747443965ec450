#include "SimulatorRun.h"

#include "LogVerifier.h"
#include "PtyLine.h"
#include "RunReport.h"

#include <QJsonDocument>
#include <QSaveFile>

#include <cstdio>

namespace {
void printTo(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

std::vector<TerminalRecord> allConfirmed(const TerminalBank &bank)
{
    std::vector<TerminalRecord> records;
    for (const HandTerminal &t : bank.terminals())
        records.insert(records.end(), t.acknowledged().begin(), t.acknowledged().end());
    return records;
}

std::vector<TerminalRecord> allInFlight(const TerminalBank &bank)
{
    std::vector<TerminalRecord> records;
    for (const HandTerminal &t : bank.terminals()) {
        if (const auto record = t.inFlight())
            records.push_back(*record);
    }
    return records;
}
} // namespace

SimulatorRun::SimulatorRun(SimulatorOptions options, std::vector<std::vector<TerminalRecord>> records,
                           QString source, std::vector<TerminalRecord> later)
    : m_options(std::move(options)), m_source(std::move(source)), m_bank(std::move(records)),
      m_faults(m_options.faults, m_options.seed.value_or(0)), m_later(later.begin(), later.end()),
      m_laterRandom(m_options.seed.value_or(0) ^ 0x68e31da4u)
{
    if (m_options.unusableTerminal > 0)
        m_bank.breakDown(m_options.unusableTerminal);
    if (m_options.faults.dropAcks > 0)
        m_bank.setAckFilter([this] { return m_faults.dropAck(); });
    m_vanishTimer.setSingleShot(true);
    m_returnTimer.setSingleShot(true);
    connect(&m_returnTimer, &QTimer::timeout, this, &SimulatorRun::comeBack);
    connect(&m_statusTimer, &QTimer::timeout, this,
            [this] { progress(RunReport::statusLine(m_bank, seconds())); });
    connect(&m_stateTimer, &QTimer::timeout, this, [this] { writeState(QStringLiteral("running")); });
    m_endTimer.setSingleShot(true);
    connect(&m_endTimer, &QTimer::timeout, this, [this] {
        finish(m_lingering ? QStringLiteral("every record confirmed") : QStringLiteral("duration over"));
    });
}

SimulatorRun::~SimulatorRun() = default;

bool SimulatorRun::makeLine()
{
    QString error;
    m_line = PtyLine::open(m_options.linkPath(), m_options.baud, &error);
    if (!m_line) {
        printTo(stderr, QStringLiteral("pcvimo-simulator: %1").arg(error));
        return false;
    }
    connect(m_line.get(), &PtyLine::received, this, &SimulatorRun::onBytes);
    return true;
}

bool SimulatorRun::start()
{
    if (!makeLine())
        return false;
    m_clock.start();
    int held = 0;
    for (const HandTerminal &t : m_bank.terminals())
        held += t.held();
    progress(QStringLiteral("%1 -> %2: %3 terminal(s) holding %4 record(s), %5")
                 .arg(m_line->linkPath(), m_line->devicePath())
                 .arg(m_bank.terminals().size())
                 .arg(held)
                 .arg(m_source));

    if (m_options.statusInterval > 0 && !m_options.quiet)
        m_statusTimer.start(int(m_options.statusInterval * 1000));
    if (!m_options.stateFile.isEmpty()) {
        writeState(QStringLiteral("running"));
        m_stateTimer.start(1000);
    }
    if (m_options.duration)
        m_endTimer.start(int(*m_options.duration * 1000));
    scheduleVanish();
    // Terminals without records are drained from the start.
    QTimer::singleShot(0, this, &SimulatorRun::checkDrained);
    return true;
}

void SimulatorRun::progress(const QString &line) const
{
    if (!m_options.quiet)
        printTo(stderr, line);
}

void SimulatorRun::onBytes(const QByteArray &bytes)
{
    for (const char byte : bytes) {
        switch (m_assembler.push(std::uint8_t(byte))) {
        case PacketAssembler::Result::Complete:
            onPacket(m_assembler.type(), m_assembler.bytes());
            break;
        case PacketAssembler::Result::Dropped:
            progress(QStringLiteral("[%1s] over-long FC packet dropped").arg(seconds(), 0, 'f', 1));
            break;
        case PacketAssembler::Result::Pending:
            break;
        }
    }
}

void SimulatorRun::onPacket(Packet::Type type, std::span<const std::uint8_t> bytes)
{
    if (m_finished)
        return;
    const TerminalBank::Outcome outcome = m_bank.onPacket(type, bytes);
    if (outcome.badChecksum)
        progress(QStringLiteral("[%1s] packet with a bad checksum dropped").arg(seconds(), 0, 'f', 1));
    if (outcome.broadcast && m_options.printBroadcasts)
        progress(QStringLiteral("[%1s] broadcast: %2").arg(seconds(), 0, 'f', 1).arg(*outcome.broadcast));
    bool worthSaving = false;
    std::optional<QByteArray> lateCount;
    for (const TerminalEvent &event : outcome.events) {
        if (event.kind != TerminalEvent::Kind::CountAnswered || event.held > 0)
            progress(RunReport::eventLine(event, seconds()));
        using Kind = TerminalEvent::Kind;
        if (event.kind == Kind::RecordSent || event.kind == Kind::RecordResent)
            lateCount = lateCountBefore(event);
        maybeAddRecord(event);
        worthSaving = worthSaving || event.kind == Kind::AckMissed || event.kind == Kind::RecordResent;
    }
    if (lateCount)
        sendAnswer(*lateCount);
    for (const TerminalBank::Answer &answer : outcome.answers)
        sendAnswer(answer.bytes);
    // A test may act between a missed confirmation and the record sent again.
    if (worthSaving && !m_options.stateFile.isEmpty())
        writeState(QStringLiteral("running"));
    checkDrained();
}

// Another terminal's count answer, as if it had been on its way when the served terminal was
// asked: preferably one equal to the records-left bytes of the record just sent.
std::optional<QByteArray> SimulatorRun::lateCountBefore(const TerminalEvent &reply)
{
    const auto &terminals = m_bank.terminals();
    if (terminals.size() < 2 || !reply.record || !m_faults.lateCount())
        return std::nullopt;
    const auto count = [](const HandTerminal &t) { return std::min(t.held(), Packet::kMaxValue); };
    const HandTerminal *other = &terminals[std::size_t(reply.address) % terminals.size()];
    for (const HandTerminal &t : terminals) {
        if (t.address() != reply.address && count(t) == reply.record->remaining())
            other = &t;
    }
    progress(QStringLiteral("[%1s] T%2 late count answer %3 before T%4's record")
                 .arg(seconds(), 0, 'f', 1)
                 .arg(other->address())
                 .arg(count(*other))
                 .arg(reply.address));
    return Packet::FaFrame::make(other->address(), Packet::Command::Count, count(*other),
                                 Packet::FlagMode::Never)
        .encode();
}

// Staff record a farrowing while the terminal has a record on its way.
void SimulatorRun::maybeAddRecord(const TerminalEvent &event)
{
    using Kind = TerminalEvent::Kind;
    if (m_later.empty()
        || (event.kind != Kind::RecordSent && event.kind != Kind::RecordResent
            && event.kind != Kind::AckMissed)
        || m_laterRandom.bounded(2) != 0)
        return;
    m_bank.add(event.address, m_later.front());
    progress(QStringLiteral("[%1s] T%2 new record: %3")
                 .arg(seconds(), 0, 'f', 1)
                 .arg(event.address)
                 .arg(m_later.front().describe()));
    m_later.pop_front();
    ++m_added;
}

void SimulatorRun::sendAnswer(const QByteArray &packet)
{
    if (!m_line)
        return;
    const QByteArray noise = m_faults.garbage();
    if (!noise.isEmpty())
        m_line->send(noise, m_options.replyDelayMs);
    m_line->send(m_faults.corrupt(m_faults.cutShort(packet)), m_options.replyDelayMs);
}

void SimulatorRun::scheduleVanish()
{
    const auto gap = m_options.vanish.next(seconds());
    if (!gap)
        return;
    const double length = gap->length;
    disconnect(&m_vanishTimer, &QTimer::timeout, this, nullptr);
    connect(&m_vanishTimer, &QTimer::timeout, this, [this, length] { vanish(length); });
    m_vanishTimer.start(int(std::max(0.0, gap->start - seconds()) * 1000));
}

// The adapter is pulled out: the far end closes, whatever was on its way is lost, and the
// link goes. The terminals keep their records.
void SimulatorRun::vanish(double length)
{
    if (m_finished || !m_line)
        return;
    m_line.reset();
    m_assembler = PacketAssembler();
    ++m_vanishes;
    m_goneSince = seconds();
    progress(QStringLiteral("[%1s] LINE GONE for %2 s").arg(seconds(), 0, 'f', 1).arg(length));
    if (!m_options.stateFile.isEmpty())
        writeState(QStringLiteral("running"));
    m_returnTimer.start(int(length * 1000));
}

void SimulatorRun::comeBack()
{
    if (m_finished)
        return;
    if (!makeLine()) {
        m_returnTimer.start(1000); // try again
        return;
    }
    ++m_returns;
    m_secondsGone += seconds() - m_goneSince;
    progress(QStringLiteral("[%1s] line back: %2 -> %3")
                 .arg(seconds(), 0, 'f', 1)
                 .arg(m_line->linkPath(), m_line->devicePath()));
    if (!m_options.stateFile.isEmpty())
        writeState(QStringLiteral("running"));
    scheduleVanish();
}

RunReport::Faults SimulatorRun::faultReport() const
{
    RunReport::Faults report;
    report.rates = m_options.faults;
    report.counts = m_faults.counts();
    report.seed = m_options.seed.value_or(0);
    report.vanishes = m_vanishes;
    report.returns = m_returns;
    report.recordsAdded = m_added;
    report.unusableTerminal = m_options.unusableTerminal;
    report.drainedAt = m_drainedAt;
    const bool gone = !m_line && m_vanishes > m_returns;
    report.secondsGone = m_secondsGone + (gone ? seconds() - m_goneSince : 0);
    return report;
}

void SimulatorRun::checkDrained()
{
    if (m_finished || m_drainedAt || !m_bank.drained())
        return;
    m_drainedAt = seconds();
    progress(QStringLiteral("[%1s] every record%2 confirmed")
                 .arg(*m_drainedAt, 0, 'f', 1)
                 .arg(m_options.unusableTerminal > 0
                          ? QStringLiteral(" but broken terminal %1's").arg(m_options.unusableTerminal)
                          : QString()));
    if (!m_options.untilDrained)
        return;
    m_lingering = true;
    // Let the last answers reach the line first.
    m_endTimer.start(int(m_options.linger * 1000) + m_options.replyDelayMs + 100);
}

void SimulatorRun::writeState(const QString &phase) const
{
    QSaveFile file(m_options.stateFile);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(QJsonDocument(RunReport::state(m_bank, faultReport(), seconds(), phase)).toJson());
    file.commit();
}

void SimulatorRun::finish(const QString &why)
{
    if (m_finished)
        return;
    m_finished = true;
    m_statusTimer.stop();
    m_stateTimer.stop();
    m_endTimer.stop();
    m_vanishTimer.stop();
    m_returnTimer.stop();
    printTo(stdout, QStringLiteral("run ended: %1; records %2").arg(why, m_source));
    printTo(stdout, RunReport::summary(m_bank, faultReport(), seconds(), m_options.printBroadcasts));

    ExitCode code = ExitCode::Success;
    if (m_options.untilDrained && !m_bank.drained()) {
        printTo(stdout, QStringLiteral("NOT DRAINED: records are still held"));
        code = ExitCode::NotDrained;
    }
    if (!m_options.verifyLogFolder.isEmpty()) {
        const LogVerifier verifier(allConfirmed(m_bank), allInFlight(m_bank));
        const LogVerifier::Result result = verifier.verifyFolder(m_options.verifyLogFolder);
        printTo(stdout, result.toText());
        if (!result.ok())
            code = ExitCode::LogCheckFailed;
    }
    if (!m_options.stateFile.isEmpty())
        writeState(QStringLiteral("finished"));
    m_line.reset();
    Q_EMIT finished(int(code));
}
