#pragma once

#include "LineFaults.h"
#include "VanishSchedule.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

// How one run of the simulator is set up, from its command line.
struct SimulatorOptions
{
    QString folder; // the program folder; the line appears as <folder>/ports/COM<port>
    int port = 3;
    int terminals = 3;
    int records = 5; // generated records per terminal
    QList<int> recordsEach; // --records K1,K2,...: terminal 1, 2, ... hold these, the last the rest
    int addRecords = 0; // new records recorded on the terminals during the run
    int unusableTerminal = 0; // this terminal sends only records cut short; 0: none
    std::optional<quint32> seed; // when not given, one is drawn and reported
    QString recordsFile;
    std::optional<double> duration; // seconds
    bool untilDrained = false;
    double linger = 0; // seconds to go on after draining
    QString verifyLogFolder;
    QString stateFile;
    bool quiet = false;
    bool printBroadcasts = false;
    int replyDelayMs = 20;
    int baud = 4800; // 0: no pacing
    double statusInterval = 10; // seconds between status lines; 0: none
    LineFaults::Rates faults; // all off unless asked for
    VanishSchedule vanish;

    QString linkPath() const;

    struct Help
    {
        QString text;
    };
    // The options, the help text when it was asked for, or what is wrong with the command line.
    using Parsed = std::variant<SimulatorOptions, Help, QString>;
    static Parsed parse(const QStringList &arguments);
};

// The exit codes of a run.
enum class ExitCode : int {
    Success = 0,
    LogCheckFailed = 1, // a confirmed record is missing from the log files or stored twice
    NotDrained = 2, // --until-drained, but the run ended with records still held
    SetupFailed = 3, // bad command line, records file, or the line could not be made
};
