#include "LogVerifier.h"
#include "PcLine.h"

#include <gtest/gtest.h>

// Log files in, the verdict out: every confirmed record exactly once; a record still on its way
// at most once; lines of no record of the run left alone; odd line ends only noted. Files are
// separated by '|'; in them "H" is the header line, "3" the line of sampleRecord(3) (1 to 9), "3x" that
// line with a field too many, "3lf" ending in LF alone, "3eof" without a line end.
TEST(LogVerifier, logFilesInVerdictOut)
{
    const std::vector<std::array<const char *, 4>> cases = {
        // files, confirmed, on their way, verdict
        {"H 1 2|H 3", "1 2 3", "", "ok missing 0 twice 0 flight 0 other 0 notes 0"},
        {"H 1 3", "1 2 3", "", "FAILED missing 1 twice 0 flight 0 other 0 notes 0"},
        {"", "1", "", "FAILED missing 1 twice 0 flight 0 other 0 notes 0"},
        {"H 1 2|H 2", "1 2", "", "FAILED missing 0 twice 1 flight 0 other 0 notes 0"},
        {"H 1 1", "1 1", "", "ok missing 0 twice 0 flight 0 other 0 notes 0"}, // the same litter twice
        {"H 1", "1 1", "", "FAILED missing 1 twice 0 flight 0 other 0 notes 0"},
        {"H 1 2", "1", "2", "ok missing 0 twice 0 flight 1 other 0 notes 0"},
        {"H 1", "1", "2", "ok missing 0 twice 0 flight 0 other 0 notes 0"},
        {"H 2 1 2", "1", "2", "FAILED missing 0 twice 1 flight 0 other 0 notes 0"},
        {"H 8 1 9", "1", "", "ok missing 0 twice 0 flight 0 other 2 notes 0"}, // lines of other runs
        {"H 1x", "1", "", "FAILED missing 1 twice 0 flight 0 other 1 notes 0"},
        {"1 2lf 3eof|H 4", "1 2 3 4", "", "ok missing 0 twice 0 flight 0 other 0 notes 3"},
    };
    const auto records = [](const char *numbers) {
        std::vector<TerminalRecord> result;
        for (const QString &n : QString::fromLatin1(numbers).split(u' ', Qt::SkipEmptyParts))
            result.push_back(sampleRecord(n.toInt()));
        return result;
    };
    for (const auto &[files, confirmed, inFlight, verdict] : cases) {
        SCOPED_TRACE(files);
        std::vector<LogVerifier::LogFile> logs;
        for (const QString &file : QString::fromLatin1(files).split(u'|', Qt::SkipEmptyParts)) {
            QByteArray text;
            for (const QString &word : file.split(u' ')) {
                const QString end = word.mid(1);
                text += word == u"H" ? LogVerifier::headerLine()
                                     : sampleRecord(word.left(1).toInt()).logLine();
                text += end == u"x" ? "\t0\r\n" : end == u"lf" ? "\n" : end == u"eof" ? "" : "\r\n";
            }
            logs.push_back({QStringLiteral("FAR-2024-03-0%1.txt").arg(logs.size() + 1), text});
        }
        const auto r = LogVerifier(records(confirmed), records(inFlight)).verify(logs);
        EXPECT_EQ(QString::asprintf("%s missing %zu twice %zu flight %d other %d notes %lld",
                                    r.ok() ? "ok" : "FAILED", r.missing.size(), r.duplicated.size(),
                                    r.inFlightStored, r.otherLines, qlonglong(r.notes.size()))
                      .toStdString(),
                  verdict)
            << r.toText().toStdString();
    }
}
