#include "SimulatorOptions.h"

#include <QCommandLineParser>
#include <QDir>

#include <algorithm>

namespace {
const char kEpilog[] = R"(
Records file (--records-file): one record a line,
  [ADDRESS:] 30 bytes as hex pairs (blanks between pairs optional)
e.g. "2: 00 00 01 18 03 07 09 05 02 0C 0B 01 00 00 05 00 03 04 01 81 44 4B 31 32 33 34 20 20 20 20".
ADDRESS (1..terminals) gives the record to that terminal; lines without it are dealt out in
turn to terminals 1, 2, ... Lines that are blank or start with '#' are skipped. Bytes: 0,1
records still held after this one (filled in by the terminal when it sends), 2 type 1..3,
3-7 year-2000 month day hour minute, 8 staff number, 9 reaction time, 10 alive, 11 still,
12 mummified, 13 weak, 14 female, 15 birth assistance, 16 medicine, 17 dose in half-ml,
18,19 temperature in tenths (high byte first), 20-29 sow id with its fill characters.

The run ends after --duration seconds, or with --until-drained once every terminal has had
all its records confirmed (and --linger seconds more), or on SIGINT/SIGTERM. Progress goes
to stderr, the summary to stdout; both give the time the terminals were drained.

Faults (all off by default; drawn from the seed, so a run with the same seed repeats them):
  --corrupt F    a fraction F of the terminals' packets get one byte changed to any other
                 value, start bytes included (the receiver must drop the packet, or the
                 broken remainder, and the terminal sends the record again when next asked).
  --corrupt-records F   the same for record packets only.
  --drop-acks F  a terminal misses a fraction F of the PC's confirmations: it keeps the
                 record and sends it again when next asked; the PC must not store it twice.
  --garbage F    with chance F, 1..20 random bytes (start bytes too) go on the line before a
                 terminal's packet.
  --late-counts F   with chance F, when a terminal sends a record (asked for, or the next
                 one after a confirmation), another terminal's count answer (one still on its
                 way) goes on the line just before the record;
                 one whose count equals the records-left bytes of that record when there is
                 one, as that is the count the PC must not take for the served terminal's.
  --short-records F   a fraction F of the record packets carry only their first 2..29 data
                 bytes, with right checksums: the PC must neither store nor confirm them.
  --unusable-terminal N   terminal N is broken: it answers every record request with its
                 record's first 16 data bytes only (right checksums), so none of its records
                 can be confirmed; the PC must go on serving the others. --until-drained does
                 not wait for it, and its records held at the end are no failure.
  --add-records N   staff record N new farrowings during the run: each goes to a terminal
                 while a record of it is on its way (sent or its confirmation missed), with
                 chance 1/2 at each such moment, so the records-left bytes of the record sent
                 again differ from its first sending (counted as "sent again, new count").
  --vanish-at S  (repeatable) at S seconds the line goes away: the pseudo-terminal is closed
                 and the link removed; after --vanish-for seconds (repeatable, paired with
                 --vanish-at in order, default 5) a new one is made and linked under the same
                 name. --vanish-every P does the same every P seconds.
The summary and the state file count what each fault did and the records sent again. When
no --seed is given one is drawn and reported.

Exit codes: 0 success; 1 the log check found a confirmed record missing or stored more than
once; 2 --until-drained but records were still held at the end; 3 bad command line, records
file, or the pseudo-terminal/link could not be made.
)";

struct OptionDefinitions
{
    QCommandLineOption folder{QStringLiteral("folder"), QStringLiteral("Program folder (required)."),
                              QStringLiteral("PROGRAMFOLDER")};
    QCommandLineOption port{QStringLiteral("port"),
                            QStringLiteral("Link the line as ports/COM<N> (default 3)."), QStringLiteral("N"),
                            QStringLiteral("3")};
    QCommandLineOption terminals{QStringLiteral("terminals"),
                                 QStringLiteral("Terminals on the line, addresses 1..N (default 3)."),
                                 QStringLiteral("N"), QStringLiteral("3")};
    QCommandLineOption records{QStringLiteral("records"),
                               QStringLiteral("Generated records per terminal (default 5); K1,K2,... "
                                              "for terminal 1, 2, ..., the last for the rest."),
                               QStringLiteral("K"), QStringLiteral("5")};
    QCommandLineOption seed{QStringLiteral("seed"), QStringLiteral("Seed of the record generator."),
                            QStringLiteral("S")};
    QCommandLineOption recordsFile{QStringLiteral("records-file"),
                                   QStringLiteral("Read the records from FILE instead (format below)."),
                                   QStringLiteral("FILE")};
    QCommandLineOption duration{QStringLiteral("duration"), QStringLiteral("End after SECONDS."),
                                QStringLiteral("SECONDS")};
    QCommandLineOption untilDrained{QStringLiteral("until-drained"),
                                    QStringLiteral("End when every record has been confirmed by the PC.")};
    QCommandLineOption linger{
        QStringLiteral("linger"),
        QStringLiteral("With --until-drained, go on SECONDS after draining (default 0)."),
        QStringLiteral("SECONDS"), QStringLiteral("0")};
    QCommandLineOption verifyLog{QStringLiteral("verify-log"),
                                 QStringLiteral("At the end, check the confirmed records against "
                                                "PROGRAMFOLDER/VimoLog/FAR-*.txt."),
                                 QStringLiteral("PROGRAMFOLDER")};
    QCommandLineOption stateFile{
        QStringLiteral("state-file"),
        QStringLiteral("Write the state (JSON) to PATH every second and at the end."),
        QStringLiteral("PATH")};
    QCommandLineOption quiet{QStringLiteral("quiet"), QStringLiteral("No progress lines, only the summary.")};
    QCommandLineOption printBroadcasts{
        QStringLiteral("print-broadcasts"),
        QStringLiteral("Show every broadcast item received, and all in the summary.")};
    QCommandLineOption replyDelay{QStringLiteral("reply-delay"),
                                  QStringLiteral("A terminal answers after MS milliseconds (default 20)."),
                                  QStringLiteral("MS"), QStringLiteral("20")};
    QCommandLineOption baud{
        QStringLiteral("baud"),
        QStringLiteral("Send no faster than this line speed; 0 = no limit (default 4800)."),
        QStringLiteral("BAUD"), QStringLiteral("4800")};
    QCommandLineOption corrupt{QStringLiteral("corrupt"),
                               QStringLiteral("Change one byte in a fraction F of the terminals' packets."),
                               QStringLiteral("F"), QStringLiteral("0")};
    QCommandLineOption corruptRecords{
        QStringLiteral("corrupt-records"),
        QStringLiteral("Change one byte in a fraction F of the record packets (not the count answers)."),
        QStringLiteral("F"), QStringLiteral("0")};
    QCommandLineOption dropAcks{QStringLiteral("drop-acks"),
                                QStringLiteral("Terminals miss a fraction F of the confirmations."),
                                QStringLiteral("F"), QStringLiteral("0")};
    QCommandLineOption lateCounts{
        QStringLiteral("late-counts"),
        QStringLiteral("With chance F, another terminal's count answer before a record."),
        QStringLiteral("F"), QStringLiteral("0")};
    QCommandLineOption shortRecords{QStringLiteral("short-records"),
                                    QStringLiteral("A fraction F of the record packets cut short."),
                                    QStringLiteral("F"), QStringLiteral("0")};
    QCommandLineOption unusableTerminal{
        QStringLiteral("unusable-terminal"),
        QStringLiteral("Terminal N sends every record cut short; the others must still be served."),
        QStringLiteral("N"), QStringLiteral("0")};
    QCommandLineOption addRecords{QStringLiteral("add-records"),
                                  QStringLiteral("N new records recorded on the terminals during the run."),
                                  QStringLiteral("N"), QStringLiteral("0")};
    QCommandLineOption garbage{QStringLiteral("garbage"),
                               QStringLiteral("With chance F, noise bytes before a terminal's packet."),
                               QStringLiteral("F"), QStringLiteral("0")};
    QCommandLineOption vanishAt{QStringLiteral("vanish-at"),
                                QStringLiteral("The line goes away at SECONDS (repeatable)."),
                                QStringLiteral("SECONDS")};
    QCommandLineOption vanishFor{QStringLiteral("vanish-for"),
                                 QStringLiteral("...for SECONDS (repeatable; default 5)."),
                                 QStringLiteral("SECONDS")};
    QCommandLineOption vanishEvery{QStringLiteral("vanish-every"),
                                   QStringLiteral("The line goes away every SECONDS."),
                                   QStringLiteral("SECONDS")};
    QCommandLineOption statusInterval{QStringLiteral("status-interval"),
                                      QStringLiteral("Seconds between status lines; 0 = none (default 10)."),
                                      QStringLiteral("SECONDS"), QStringLiteral("10")};
};

template<typename T>
bool readNumber(const QCommandLineParser &parser, const QCommandLineOption &option, T low, T high, T &out,
                QString &error)
{
    const QString text = parser.value(option);
    bool ok = false;
    double value = text.toDouble(&ok);
    if constexpr (std::is_integral_v<T>) {
        const qlonglong whole = text.toLongLong(&ok);
        value = double(whole);
    }
    if (!ok || value < double(low) || value > double(high)) {
        error = QStringLiteral("--%1: expected a number from %2 to %3, not \"%4\"")
                    .arg(option.names().constFirst())
                    .arg(low)
                    .arg(high)
                    .arg(text);
        return false;
    }
    out = T(value);
    return true;
}
// Every value of a repeatable option.
bool readNumbers(const QCommandLineParser &parser, const QCommandLineOption &option, double low, double high,
                 QList<double> &out, QString &error)
{
    for (const QString &text : parser.values(option)) {
        bool ok = false;
        const double value = text.toDouble(&ok);
        if (!ok || value < low || value > high) {
            error = QStringLiteral("--%1: expected a number from %2 to %3, not \"%4\"")
                        .arg(option.names().constFirst())
                        .arg(low)
                        .arg(high)
                        .arg(text);
            return false;
        }
        out << value;
    }
    return true;
}
} // namespace

QString SimulatorOptions::linkPath() const
{
    return QDir(folder).filePath(QStringLiteral("ports/COM%1").arg(port));
}

SimulatorOptions::Parsed SimulatorOptions::parse(const QStringList &arguments)
{
    const OptionDefinitions defs;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Plays the hand terminals of the farrowing unit on a pseudo-terminal linked as a COM port of a "
        "PC Vimo 2 program folder."));
    const QCommandLineOption help = parser.addHelpOption();
    parser.addOptions({defs.folder,          defs.port,           defs.terminals,
                       defs.records,         defs.seed,           defs.recordsFile,
                       defs.duration,        defs.untilDrained,   defs.linger,
                       defs.verifyLog,       defs.stateFile,      defs.quiet,
                       defs.printBroadcasts, defs.replyDelay,     defs.baud,
                       defs.statusInterval,  defs.corrupt,        defs.dropAcks,
                       defs.garbage,         defs.vanishAt,       defs.vanishFor,
                       defs.vanishEvery,     defs.corruptRecords, defs.lateCounts,
                       defs.shortRecords,    defs.addRecords,     defs.unusableTerminal});
    if (!parser.parse(arguments))
        return parser.errorText();
    if (parser.isSet(help))
        return Help{parser.helpText() + QString::fromLatin1(kEpilog)};
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().constFirst());

    SimulatorOptions o;
    QString error;
    if (!parser.isSet(defs.folder) || parser.value(defs.folder).isEmpty())
        return QStringLiteral("--folder is required");
    o.folder = parser.value(defs.folder);
    quint32 seed = 0;
    double duration = 0;
    bool numberOk = false;
    const bool ok = readNumber(parser, defs.port, 1, 255, o.port, error)
        && readNumber(parser, defs.terminals, 1, 254, o.terminals, error)
        && (!parser.isSet(defs.seed) || readNumber<quint32>(parser, defs.seed, 0, 4294967295u, seed, error))
        && (!parser.isSet(defs.duration) || readNumber(parser, defs.duration, 0.001, 1e7, duration, error))
        && readNumber(parser, defs.linger, 0.0, 1e7, o.linger, error)
        && readNumber(parser, defs.replyDelay, 0, 10000, o.replyDelayMs, error)
        && readNumber(parser, defs.baud, 0, 10000000, o.baud, error)
        && readNumber(parser, defs.statusInterval, 0.0, 1e7, o.statusInterval, error)
        && readNumber(parser, defs.corrupt, 0.0, 1.0, o.faults.corrupt, error)
        && readNumber(parser, defs.corruptRecords, 0.0, 1.0, o.faults.corruptRecords, error)
        && readNumber(parser, defs.dropAcks, 0.0, 1.0, o.faults.dropAcks, error)
        && readNumber(parser, defs.garbage, 0.0, 1.0, o.faults.garbage, error)
        && readNumber(parser, defs.lateCounts, 0.0, 1.0, o.faults.lateCounts, error)
        && readNumber(parser, defs.shortRecords, 0.0, 1.0, o.faults.shortRecords, error)
        && readNumber(parser, defs.addRecords, 0, 15359, o.addRecords, error)
        && readNumber(parser, defs.unusableTerminal, 0, o.terminals, o.unusableTerminal, error);
    if (!ok)
        return error;
    for (const QString &text : parser.value(defs.records).split(u',')) {
        const int count = text.toInt(&numberOk);
        if (!numberOk || count < 0 || count > 15359)
            return QStringLiteral("--records: expected numbers from 0 to 15359, not \"%1\"")
                .arg(parser.value(defs.records));
        o.recordsEach << count;
    }
    o.records = *std::max_element(o.recordsEach.begin(), o.recordsEach.end());
    if (o.recordsEach.size() == 1)
        o.recordsEach.clear();
    QList<double> vanishStarts, vanishLengths;
    double vanishEvery = 0;
    if (!readNumbers(parser, defs.vanishAt, 0.0, 1e7, vanishStarts, error)
        || !readNumbers(parser, defs.vanishFor, 0.001, 1e7, vanishLengths, error)
        || (parser.isSet(defs.vanishEvery)
            && !readNumber(parser, defs.vanishEvery, 0.001, 1e7, vanishEvery, error)))
        return error;
    if (!vanishLengths.isEmpty() && vanishStarts.isEmpty() && vanishEvery <= 0)
        return QStringLiteral("--vanish-for needs --vanish-at or --vanish-every");
    o.vanish = VanishSchedule(vanishStarts, vanishLengths, vanishEvery);
    if (parser.isSet(defs.seed))
        o.seed = seed;
    if (parser.isSet(defs.duration))
        o.duration = duration;
    if (parser.isSet(defs.recordsFile) && parser.isSet(defs.records))
        return QStringLiteral("--records and --records-file exclude each other");
    o.recordsFile = parser.value(defs.recordsFile);
    o.untilDrained = parser.isSet(defs.untilDrained);
    o.verifyLogFolder = parser.value(defs.verifyLog);
    o.stateFile = parser.value(defs.stateFile);
    o.quiet = parser.isSet(defs.quiet);
    o.printBroadcasts = parser.isSet(defs.printBroadcasts);
    return o;
}
