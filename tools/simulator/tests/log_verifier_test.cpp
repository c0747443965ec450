#include "LogVerifier.h"
#include "PcLine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
QByteArray line(int n)
{
    return sampleRecord(n).logLine() + "\r\n";
}
QByteArray header()
{
    return LogVerifier::headerLine() + "\r\n";
}
} // namespace

// Every confirmed record exactly once; a record still on its way at most once; anything else
// in the files is left alone.
TEST(LogVerifier, findsMissingAndDuplicatedRecords)
{
    struct Case
    {
        const char *name;
        std::vector<LogVerifier::LogFile> files;
        std::vector<int> confirmed, inFlight;
        bool ok;
        std::size_t missing, duplicated;
        int inFlightStored, otherLines;
    };
    const std::vector<Case> cases = {
        {"all there, over two days",
         {{QStringLiteral("FAR-2024-03-07.txt"), header() + line(1) + line(2)},
          {QStringLiteral("FAR-2024-03-08.txt"), header() + line(3)}},
         {1, 2, 3},
         {},
         true,
         0,
         0,
         0,
         0},
        {"one missing",
         {{QStringLiteral("FAR-2024-03-07.txt"), header() + line(1) + line(3)}},
         {1, 2, 3},
         {},
         false,
         1,
         0,
         0,
         0},
        {"no files at all", {}, {1}, {}, false, 1, 0, 0, 0},
        {"one stored twice on two days",
         {{QStringLiteral("FAR-2024-03-07.txt"), header() + line(1) + line(2)},
          {QStringLiteral("FAR-2024-03-08.txt"), header() + line(2)}},
         {1, 2},
         {},
         false,
         0,
         1,
         0,
         0},
        {"the same litter confirmed twice is expected twice",
         {{QStringLiteral("FAR-2024-03-07.txt"), header() + line(1) + line(1)}},
         {1, 1},
         {},
         true,
         0,
         0,
         0,
         0},
        {"...and once is then one missing",
         {{QStringLiteral("FAR-2024-03-07.txt"), header() + line(1)}},
         {1, 1},
         {},
         false,
         1,
         0,
         0,
         0},
        {"in flight and stored once",
         {{QStringLiteral("FAR-2024-03-07.txt"), header() + line(1) + line(2)}},
         {1},
         {2},
         true,
         0,
         0,
         1,
         0},
        {"in flight and not stored",
         {{QStringLiteral("FAR-2024-03-07.txt"), header() + line(1)}},
         {1},
         {2},
         true,
         0,
         0,
         0,
         0},
        {"in flight and stored twice",
         {{QStringLiteral("FAR-2024-03-07.txt"), header() + line(2) + line(1) + line(2)}},
         {1},
         {2},
         false,
         0,
         1,
         0,
         0},
        {"lines of other runs are no fault",
         {{QStringLiteral("FAR-2024-03-07.txt"), header() + line(8) + line(1) + line(9)}},
         {1},
         {},
         true,
         0,
         0,
         0,
         2},
        {"a record in place of the header still counts",
         {{QStringLiteral("FAR-2024-03-07.txt"), line(1) + line(2)}},
         {1, 2},
         {},
         true,
         0,
         0,
         0,
         0},
        {"a line with a field too many is not the record",
         {{QStringLiteral("FAR-2024-03-07.txt"), header() + sampleRecord(1).logLine() + "\t0\r\n"}},
         {1},
         {},
         false,
         1,
         0,
         0,
         1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<TerminalRecord> confirmed, inFlight;
        for (const int n : c.confirmed)
            confirmed.push_back(sampleRecord(n));
        for (const int n : c.inFlight)
            inFlight.push_back(sampleRecord(n));
        const auto result = LogVerifier(confirmed, inFlight).verify(c.files);
        EXPECT_EQ(result.ok(), c.ok) << result.toText().toStdString();
        EXPECT_EQ(result.missing.size(), c.missing);
        EXPECT_EQ(result.duplicated.size(), c.duplicated);
        EXPECT_EQ(result.inFlightStored, c.inFlightStored);
        EXPECT_EQ(result.otherLines, c.otherLines);
    }
}

TEST(LogVerifier, notesOddLineEndsAndMissingHeaders)
{
    const std::vector<LogVerifier::LogFile> files{
        {QStringLiteral("FAR-2024-03-07.txt"),
         header() + sampleRecord(1).logLine() + "\n" + sampleRecord(2).logLine()},
        {QStringLiteral("FAR-2024-03-08.txt"), line(3)}};
    const auto result = LogVerifier({sampleRecord(1), sampleRecord(2), sampleRecord(3)}, {}).verify(files);
    EXPECT_TRUE(result.ok()) << result.toText().toStdString();
    const QString text = result.notes.join(QLatin1Char('\n'));
    EXPECT_TRUE(text.contains(QStringLiteral("FAR-2024-03-07.txt: last line has no line end")));
    EXPECT_TRUE(text.contains(QStringLiteral("FAR-2024-03-07.txt: 1 line(s) end in LF without CR")));
    EXPECT_TRUE(text.contains(QStringLiteral("FAR-2024-03-08.txt: first line is not the header")));
}

TEST(LogVerifier, readsTheDailyFilesOfAProgramFolder)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("VimoLog")));
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(folder.filePath(QStringLiteral("VimoLog/") + name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write(QStringLiteral("FAR-2024-03-07.txt"), header() + line(1));
    write(QStringLiteral("FAR-2024-03-08.txt"), header() + line(2) + line(1));
    write(QStringLiteral("other.txt"), line(2)); // not a daily log

    const auto result = LogVerifier({sampleRecord(1), sampleRecord(2)}, {}).verifyFolder(folder.path());
    EXPECT_EQ(result.filesRead, 2);
    ASSERT_EQ(result.duplicated.size(), 1u);
    EXPECT_EQ(result.duplicated[0].places,
              (QStringList{QStringLiteral("FAR-2024-03-07.txt:2"), QStringLiteral("FAR-2024-03-08.txt:3")}));
    EXPECT_TRUE(result.missing.empty());
    EXPECT_TRUE(result.toText().contains(QStringLiteral("DUPLICATED DK0001")));

    const auto none
        = LogVerifier({sampleRecord(1)}, {}).verifyFolder(folder.filePath(QStringLiteral("nowhere")));
    EXPECT_EQ(none.missing.size(), 1u);
    EXPECT_TRUE(none.notes.join(QString()).contains(QStringLiteral("does not exist")));
}
