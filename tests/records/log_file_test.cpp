#include "RecordsFixture.h"
#include "records/StoredLines.h"

#include <limits>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// A file size limit stops a write part way, as a full disk can. (A full disk and a missing or
// blocked folder are in the record intake's table.) A torn write left by a power cut, a last line
// cut short or NUL bytes where the data never reached the disk, is set aside before the next line.
TEST(LogFile, StoresOneWholeLineOrNothing)
{
    using R = LogFile::StoreResult;
    const QByteArray header = LogFile::headerLine();
    const QByteArray whole = "d\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12"; // 13 fields
    const QByteArray twelve = whole.left(whole.lastIndexOf('\t'));
    const QByteArray nul(2, '\0'), blocks(5000, '\0');
    // Name, the day's file before (none when empty), a limit of a file's size (0 for none), the
    // result, the day's file and its side file after.
    const std::tuple<const char *, QByteArray, qint64, R, QByteArray, QByteArray> cases[] = {
        {"new file", "", 0, R::Stored, header + "x\r\n", ""},
        {"no header", "no header\nline\n", 0, R::Stored, "no header\nline\nx\r\n", ""},
        {"whole line without its end", "h\r\n" + whole, 0, R::Stored, "h\r\n" + whole + "\r\nx\r\n", ""},
        {"whole line without LF", "h\r\n" + whole + "\r", 0, R::Stored, "h\r\n" + whole + "\r\nx\r\n", ""},
        {"torn line", "h\r\nd\t1\t2", 0, R::Stored, "h\r\nx\r\n", "d\t1\t2"},
        {"torn before its last field", "h\r\n" + twelve, 0, R::Stored, "h\r\nx\r\n", twelve},
        {"torn line with CR", "h\r\nhalf\r", 0, R::Stored, "h\r\nx\r\n", "half\r"},
        {"NUL bytes", "h\r\n" + whole + "\r\n" + nul, 0, R::Stored, "h\r\n" + whole + "\r\nx\r\n", nul},
        {"whole line, then NULs", "h\r\n" + whole + nul, 0, R::Stored, "h\r\nx\r\n", whole + nul},
        {"blocks of NULs", "h\r\nd\t1" + blocks, 0, R::Stored, "h\r\nx\r\n", "d\t1" + blocks},
        {"torn header", "DateTime\tPers", 0, R::Stored, header + "x\r\n", "DateTime\tPers"},
        {"torn header, then no room", "DateT", 10, R::NotWritten, "", "DateT"}, // no header torn anew
        {"no room", "h\r\n", 4, R::NotWritten, "h\r\n", ""}, // the caller tells, knowing what was lost
        // A file begun is removed again, so that the next one starts with its header.
        {"no room for the header", "", 10, R::NotMade, "", ""},
    };
    const QDate day(2024, 3, 7);
    for (const auto &[name, file, maxSize, stored, after, torn] : cases) {
        SCOPED_TRACE(name);
        RecordsFixture f;
        if (!file.isEmpty())
            f.writeDay(7, file);
        const R result = [&, maxSize = maxSize] { // output is written after the limit is lifted
            const FileSizeLimit limit(maxSize ? maxSize : std::numeric_limits<qint64>::max());
            return f.logFile.store(day, "x\r\n");
        }();
        EXPECT_EQ(result, stored);
        EXPECT_EQ(f.folder.read(u"VimoLog/FAR-2024-03-07.txt"_s), after);
        EXPECT_EQ(f.folder.read(u"VimoLog/FAR-2024-03-07.torn"_s), torn);
        // Set aside again after the next power cut, the torn bytes of both are kept.
        if (!torn.isEmpty()) {
            f.writeDay(7, after + "y\t");
            EXPECT_EQ(f.logFile.store(day, "z\r\n"), R::Stored);
            EXPECT_EQ(f.folder.read(u"VimoLog/FAR-2024-03-07.torn"_s), torn + "y\t");
        }
    }
}

// A line stored today before the day's file was read must not hide the lines already in it: a
// record stored before a restart and sent again after another one is still known.
TEST(StoredLines, TheDaysFileReadBeforeALineIsAdded)
{
    RecordsFixture f;
    f.writeDay(7, LogFile::headerLine() + "before\r\n");
    StoredLines stored(f.logFile);
    const QDate today(2024, 3, 7);
    stored.add(today, "after");
    EXPECT_TRUE(stored.contains("before", today, today) && stored.contains("after", today, today));
    EXPECT_FALSE(stored.contains("other", today, today));
}
