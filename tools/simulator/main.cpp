// pcvimo-simulator: the hand terminals of the farrowing unit on a pseudo-terminal.

#include "RecordFile.h"
#include "RecordGenerator.h"
#include "SignalQuit.h"
#include "SimulatorOptions.h"
#include "SimulatorRun.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QRandomGenerator>

#include <cstdio>

namespace {
int fail(const QString &message)
{
    std::fprintf(stderr, "pcvimo-simulator: %s\n", qPrintable(message));
    return int(ExitCode::SetupFailed);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pcvimo-simulator"));

    const auto parsed = SimulatorOptions::parse(QCoreApplication::arguments());
    if (const auto *help = std::get_if<SimulatorOptions::Help>(&parsed)) {
        std::fputs(qPrintable(help->text), stdout);
        return int(ExitCode::Success);
    }
    if (const auto *error = std::get_if<QString>(&parsed))
        return fail(*error + QStringLiteral(" (see --help)"));
    SimulatorOptions options = std::get<SimulatorOptions>(parsed);

    // The seed drives the line faults too, so there is always one.
    if (!options.seed)
        options.seed = QRandomGenerator::system()->generate();
    std::vector<std::vector<TerminalRecord>> records;
    QString source;
    if (!options.recordsFile.isEmpty()) {
        auto read = RecordFile::read(options.recordsFile, options.terminals);
        if (const auto *error = std::get_if<QString>(&read))
            return fail(*error);
        records = std::move(std::get<RecordFile::PerTerminal>(read));
        source = QStringLiteral("from %1").arg(options.recordsFile);
    } else {
        source = QStringLiteral("generated, seed %1").arg(*options.seed);
        records = RecordGenerator(*options.seed)
                      .generate(options.terminals, options.records, QDateTime::currentDateTime());
        for (std::size_t i = 0; i < records.size() && !options.recordsEach.isEmpty(); ++i)
            records[i].resize(
                std::size_t(options.recordsEach[std::min(qsizetype(i), options.recordsEach.size() - 1)]));
    }

    const auto later = RecordGenerator(*options.seed).later(options.addRecords, QDateTime::currentDateTime());
    SimulatorRun run(options, std::move(records), source, later);
    SignalQuit stopSignals;
    QObject::connect(&stopSignals, &SignalQuit::stopRequested, &run,
                     [&run](int number) { run.finish(QStringLiteral("signal %1").arg(number)); });
    QObject::connect(&run, &SimulatorRun::finished, &app, [](int code) { QCoreApplication::exit(code); });
    if (!run.start())
        return int(ExitCode::SetupFailed);
    return QCoreApplication::exec();
}
