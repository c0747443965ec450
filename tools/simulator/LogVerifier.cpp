#include "LogVerifier.h"

#include <QDir>
#include <QFile>

#include <map>
#include <set>

namespace {
struct Seen
{
    int count = 0;
    QStringList places;
};

// Every line of one file, with the notes on its form.
void readLines(const LogVerifier::LogFile &file, std::map<QByteArray, Seen> &seen,
               LogVerifier::Result &result)
{
    QList<QByteArray> lines = file.contents.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // after the last line end
    else if (!lines.isEmpty())
        result.notes << QStringLiteral("%1: last line has no line end").arg(file.name);

    int bareLineFeeds = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        else if (i + 1 < lines.size() || file.contents.endsWith('\n'))
            ++bareLineFeeds;
        if (i == 0) {
            if (line == LogVerifier::headerLine())
                continue;
            result.notes << QStringLiteral("%1: first line is not the header").arg(file.name);
        }
        ++result.recordLines;
        Seen &entry = seen[line];
        ++entry.count;
        entry.places << QStringLiteral("%1:%2").arg(file.name).arg(i + 1);
    }
    if (bareLineFeeds > 0)
        result.notes
            << QStringLiteral("%1: %2 line(s) end in LF without CR").arg(file.name).arg(bareLineFeeds);
}
} // namespace

QByteArray LogVerifier::headerLine()
{
    return QByteArrayLiteral(
        "DateTime\tPerson\tSow\tAlive\tStill\tMumi\tWeak\tBirthAssist\tMedication\tDose\t"
        "Temperature\tFemale\tReactionTime");
}

LogVerifier::Result LogVerifier::verify(const std::vector<LogFile> &files) const
{
    Result result;
    std::map<QByteArray, Seen> seen;
    for (const LogFile &file : files) {
        ++result.filesRead;
        readLines(file, seen, result);
    }

    // Records with equal lines may legitimately occur more than once.
    std::map<QByteArray, std::pair<TerminalRecord, int>> expected;
    for (const TerminalRecord &record : m_acknowledged) {
        auto [it, inserted] = expected.try_emplace(record.logLine(), record, 0);
        ++it->second.second;
    }
    std::set<QByteArray> accounted;
    for (const auto &[line, wanted] : expected) {
        accounted.insert(line);
        const auto it = seen.find(line);
        const Seen found = it == seen.end() ? Seen{} : it->second;
        const Finding finding{wanted.first, wanted.second, found.count, found.places};
        if (found.count < wanted.second)
            result.missing.push_back(finding);
        else if (found.count > wanted.second)
            result.duplicated.push_back(finding);
    }
    for (const TerminalRecord &record : m_inFlight) {
        const QByteArray line = record.logLine();
        if (!accounted.insert(line).second)
            continue;
        const auto it = seen.find(line);
        if (it == seen.end())
            continue;
        if (it->second.count > 1)
            result.duplicated.push_back(Finding{record, 1, it->second.count, it->second.places});
        else
            ++result.inFlightStored;
    }
    for (const auto &[line, found] : seen) {
        if (!accounted.contains(line))
            result.otherLines += found.count;
    }
    return result;
}

LogVerifier::Result LogVerifier::verifyFolder(const QString &programFolder) const
{
    const QDir logFolder(QDir(programFolder).filePath(QStringLiteral("VimoLog")));
    std::vector<LogFile> files;
    QStringList unreadable;
    const QStringList names = logFolder.entryList({QStringLiteral("FAR-*.txt")}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        QFile file(logFolder.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            files.push_back(LogFile{name, file.readAll()});
        else
            unreadable << QStringLiteral("%1: cannot be read (%2)").arg(name, file.errorString());
    }
    Result result = verify(files);
    if (!logFolder.exists())
        result.notes.prepend(QStringLiteral("%1 does not exist").arg(logFolder.path()));
    result.notes << unreadable;
    return result;
}

QString LogVerifier::Result::toText() const
{
    QStringList lines;
    lines << QStringLiteral("log check: %1 file(s), %2 record line(s): %3")
                 .arg(filesRead)
                 .arg(recordLines)
                 .arg(ok() ? QStringLiteral("OK") : QStringLiteral("FAILED"));
    for (const Finding &f : missing) {
        lines
            << QStringLiteral("  MISSING %1 (expected %2, found %3): %4")
                   .arg(f.record.describe())
                   .arg(f.expected)
                   .arg(f.found)
                   .arg(QString::fromLatin1(f.record.logLine()).replace(QLatin1Char('\t'), QLatin1Char('|')));
    }
    for (const Finding &f : duplicated) {
        lines << QStringLiteral("  DUPLICATED %1 (expected %2, found %3 at %4)")
                     .arg(f.record.describe())
                     .arg(f.expected)
                     .arg(f.found)
                     .arg(f.places.join(QStringLiteral(", ")));
    }
    if (inFlightStored > 0)
        lines << QStringLiteral("  %1 record(s) stored whose confirmation had not arrived yet")
                     .arg(inFlightStored);
    if (otherLines > 0)
        lines << QStringLiteral("  %1 line(s) of no record of this run").arg(otherLines);
    for (const QString &note : notes)
        lines << QStringLiteral("  note: %1").arg(note);
    return lines.join(QLatin1Char('\n'));
}
