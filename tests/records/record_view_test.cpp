#include "RecordsFixture.h"
#include "records/LogLine.h"

#include <map>

#include <gtest/gtest.h>

// A record line; its tag, in the last column, tells the lines apart.
static QByteArray line(const QDateTime &when, const char *sow, int tag)
{
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm")).toLatin1() + "\t1\t" + sow
        + "\t10\t0\t0\t1\t0\t0\t4\t385\t5\t" + QByteArray::number(tag) + "\r\n";
}

TEST(RecordView, StartupSortsAndListsSowsRangeLoadListsThemAsMetOrShowsOne)
{
    RecordsFixture f;
    const QByteArray header = LogFile::headerLine();
    f.writeDay(5, header + line(at(5, 8), "A1", 5));
    f.writeDay(6, header + line(at(6, 8), "B2", 1) + "\r\n" + line(at(6, 9), "B2", 2));
    f.writeDay(7, header + line(at(6, 7, 30), "A1", 6)); // a late arrival, alone in its day
    f.writeDay(8, header + line(at(8, 10), "B2", 4) + line(at(8, 7), "A1", 3));
    EXPECT_EQ(f.view.loadStartupDays(at(7, 9, 30)), f.logFile.path(QDate(2024, 3, 7)));
    EXPECT_EQ(f.rows(1, 13, 13).join(u'|'), u"|1||2|6");
    f.view.sortAndBuildSowList();
    EXPECT_EQ(f.rows(1, 13, 13).join(u'|'), u"||6|1|2");
    f.view.sortAndBuildSowList();
    EXPECT_EQ(f.cmbSow.items().join(u'|'), u"T69|A1|B2") << "sorted; a blank sow is not listed; built anew";
    EXPECT_EQ(f.cmbSow.currentIndex(), 0);

    // A day's lines out of order are sorted in, though all come after the days before.
    f.range(at(6, 9, 30), at(8, 9, 30));
    EXPECT_EQ(f.rows(1, 13, 13).join(u'|'), u"||6|1|2|3|4");
    EXPECT_EQ(f.cmbSow.items().join(u'|'), u"T69|B2||A1") << "as met";
    EXPECT_EQ(f.cmbSow.currentIndex(), 0);
    EXPECT_EQ(f.mshVimo.currentRow(), 7);

    f.cmbSow.userSelect(3);
    f.range(at(6, 9, 30), at(8, 9, 30));
    EXPECT_EQ(f.rows(1, 13, 13).join(u'|'), u"|6|3");
    EXPECT_EQ(f.cmbSow.items().join(u'|'), u"T69|B2||A1");
    EXPECT_EQ(f.cmbSow.currentIndex(), 3);
}

TEST(RecordView, RangeReadsEveryDayWhoseStartTimeIsNotLaterThanTheEnd)
{
    const std::tuple<const char *, QDateTime, QDateTime, const char16_t *> cases[] = {
        {"ends before the last day's start time", at(5, 10), at(7, 9), u"|5|6"},
        {"ends at the start's time of day", at(5, 10), at(7, 10), u"|5|6|7"},
        {"one day", at(6, 10), at(6, 10), u"|6"},
        {"ends before it starts", at(7, 10), at(5, 10), u""},
        {"days without a file", at(1, 0), at(10, 0), u"|4|5|6|7|8"},
        {"no start", QDateTime(), at(7, 10), u""},
    };
    for (const auto &[what, start, end, tags] : cases) {
        RecordsFixture f;
        for (int day = 4; day <= 8; ++day)
            f.writeDay(day, LogFile::headerLine() + line(at(day, 12), "A1", day));
        f.mshVimo.appendRow(QStringList(14, QStringLiteral("old"))); // a row from before
        f.range(start, end);
        EXPECT_EQ(f.rows(1, 13, 13).join(u'|'), QString::fromUtf16(tags)) << what;
    }
}

// A line of the one field "a" gives every column that field: a short line repeats its last field
// (unquoted), unless it is a torn write at the end. The file is in code page 1252.
TEST(RecordView, FileTextInRowsOut)
{
    // File text in, rows out: their cells joined by '|', one row a line.
    const std::tuple<QByteArray, const char16_t *> cases[] = {
        {"", u""},
        {"b\na\r\na\n", u"a||a|a|a|a|a|||||a|a\na||a|a|a|a|a|||||a|a"},
        // A last line without its line end and with fewer fields than a record is a torn write.
        {"h\r\n\na\r\na", u"||||||||||||\na||a|a|a|a|a|||||a|a"},
        {QByteArrayLiteral("h\r\na\r\n\0\0"), u"a||a|a|a|a|a|||||a|a"},
        {"h\r\n\"2024-03-07 09:05\"\t\"2\t\"\t\"12\"\t\"\"\t1\t2\t3\t4\t5\t6\t7\t8\r\n",
         u"2024-03-07 09:05|||12||1|2||M4|2.5 ml|0.6|7|8"},
        {"h\r\nd\t0\t\t1\t2\t3\t4\t0\t0\t1\t2\t3\t4\t5\t6\r\n", u"d|S0||1|2|3|4|T42|T42|0.5 ml|0.2|3|4"},
        // A whole last line without its line end is a record; one that ends in NUL bytes is torn.
        {"h\r\nd\t0\t\t1\t2\t3\t4\t0\t0\t1\t2\t3\t4", u"d|S0||1|2|3|4|T42|T42|0.5 ml|0.2|3|4"},
        {QByteArrayLiteral("h\r\na\r\nb\tc\0\0"), u"a||a|a|a|a|a|||||a|a"},
        {"h\r\nd\t0\ts\rx\xe6\x80\t\"1\"\r\n", u"d|S0|s\rx\u00e6\u20ac|1|1|1|1|T41|M1|0.5 ml|0.1|1|1"},
    };
    for (const auto &[file, rows] : cases) {
        RecordsFixture f;
        f.writeDay(7, file);
        f.view.loadStartupDays(at(7, 9));
        EXPECT_EQ(f.rows(2).join(u'\n'), QString::fromUtf16(rows)) << file.toStdString();
        f.range(at(7, 0), at(7, 23));
        EXPECT_EQ(f.rows(2).join(u'\n'), QString::fromUtf16(rows)) << file.toStdString();
        // Read in blocks of any size, a line cut by a block's end is still one line.
        std::map<qsizetype, QStringList> lines; // by the size of a block
        for (const qsizetype block : {64 * 1024, 1, 2, 5}) {
            const auto add = [&](QStringView line) { lines[block].append(line.toString()); };
            LogLine::forEachRecordLineOf(f.logFile.path(QDate(2024, 3, 7)), add, block);
            EXPECT_EQ(lines[block], lines[64 * 1024]) << file.toStdString() << " in blocks of " << block;
        }
    }
}
