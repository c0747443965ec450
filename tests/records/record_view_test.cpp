#include "RecordsFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

const QString kA1 = QStringLiteral("A1        ");
const QString kB2 = QStringLiteral("B2        ");

QByteArray line(const QString &dateTime, const QString &sow, int tag = 7)
{
    return (dateTime + QStringLiteral("\t1\t") + sow + QStringLiteral("\t10\t0\t0\t1\t0\t0\t4\t385\t5\t")
            + QString::number(tag) + QStringLiteral("\r\n"))
        .toLatin1();
}

QDateTime at(int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2024, 3, day), QTime(hour, minute));
}

struct ViewTest : ::testing::Test
{
    void range(const QDateTime &start, const QDateTime &end)
    {
        f.dtpStart.setValue(start);
        f.dtpSlut.setValue(end);
        f.view->rangeLoad();
    }
    // Yesterday B2 then A1, today B2 then A1.
    void writeTwoSows()
    {
        f.writeDay(QStringLiteral("2024-03-06"),
                   LogFile::headerLine() + line(QStringLiteral("2024-03-06 08:00"), kB2)
                       + line(QStringLiteral("2024-03-06 09:00"), kA1));
        f.writeDay(QStringLiteral("2024-03-07"),
                   LogFile::headerLine() + line(QStringLiteral("2024-03-07 07:00"), kB2)
                       + line(QStringLiteral("2024-03-07 10:00"), kA1));
    }
    RecordsFixture f;
};

TEST_F(ViewTest, GridLayoutAndHeadings)
{
    EXPECT_EQ(f.mshVimo.cols(), 14);
    EXPECT_EQ(f.mshVimo.fixedRows(), 1);
    EXPECT_EQ(f.mshVimo.rowHeight(0), 600);
    EXPECT_EQ(f.mshVimo.width(), 12550);
    const int widths[] = {500, 1600, 900, 1200, 800, 800, 800, 800, 800, 1100, 800, 800, 800, 800};
    for (int c = 0; c < 14; ++c)
        EXPECT_EQ(f.mshVimo.colWidth(c), widths[c]) << c;
    EXPECT_EQ(f.mshVimo.text(0, 0), u"");
    EXPECT_EQ(f.mshVimo.alignment(0, 0), Grid::Alignment::Default);
    for (int c = 1; c <= 12; ++c)
        EXPECT_EQ(f.mshVimo.text(0, c), QStringLiteral("T%1").arg(56 + c)) << c;
    EXPECT_EQ(f.mshVimo.text(0, 13), u"T45");
    for (int c = 1; c <= 13; ++c)
        EXPECT_EQ(f.mshVimo.alignment(0, c), Grid::Alignment::CentreCentre) << c;
}

TEST_F(ViewTest, StartupWithoutFilesShowsHeaderAndEmptyRow)
{
    const QString today = f.view->loadStartupDays(at(7, 9, 30));
    f.view->sortAndBuildSowList();
    EXPECT_EQ(today, f.folder.file(QStringLiteral("VimoLog/FAR-2024-03-07.txt")));
    EXPECT_EQ(f.mshVimo.rows(), 2);
    EXPECT_EQ(f.row(1).join(QString()), QString());
    EXPECT_EQ(f.sowList(), strings({u"T69"}));
    EXPECT_EQ(f.cmbSow.currentIndex(), 0);
}

TEST_F(ViewTest, StartupListsSowsSortedThenRangeLoadListsThemAsMet)
{
    writeTwoSows();
    f.writeDay(QStringLiteral("2024-03-05"),
               LogFile::headerLine() + line(QStringLiteral("2024-03-05 08:00"), kA1));
    f.view->loadStartupDays(at(7, 9, 30));
    EXPECT_EQ(f.column(3), QStringList({QString(), kB2, kA1, kB2, kA1})) << "file order before sorting";
    f.view->sortAndBuildSowList();
    EXPECT_EQ(f.sowList(), QStringList({QStringLiteral("T69"), kA1, kB2}));
    EXPECT_EQ(
        f.column(1),
        strings({u"", u"2024-03-06 08:00", u"2024-03-06 09:00", u"2024-03-07 07:00", u"2024-03-07 10:00"}));
    EXPECT_EQ(f.column(3), QStringList({QString(), kB2, kA1, kB2, kA1}));

    range(at(6, 9, 30), at(7, 9, 30));
    EXPECT_EQ(f.sowList(), QStringList({QStringLiteral("T69"), kB2, kA1}));
    EXPECT_EQ(f.cmbSow.currentIndex(), 0);
    EXPECT_EQ(f.mshVimo.rows(), 6);
    EXPECT_EQ(f.mshVimo.currentRow(), 5);
}

TEST_F(ViewTest, ChosenSowFiltersAndKeepsTheList)
{
    writeTwoSows();
    f.view->loadStartupDays(at(7, 9, 30));
    f.view->sortAndBuildSowList();
    f.cmbSow.userSelect(2);
    range(at(6, 9, 30), at(7, 9, 30));
    EXPECT_EQ(f.column(3), QStringList({QString(), kB2, kB2}));
    EXPECT_EQ(f.column(1), strings({u"", u"2024-03-06 08:00", u"2024-03-07 07:00"}));
    EXPECT_EQ(f.sowList(), QStringList({QStringLiteral("T69"), kA1, kB2}));
    EXPECT_EQ(f.cmbSow.currentIndex(), 2);
}

struct BoundsCase
{
    const char *name;
    QDateTime start;
    QDateTime end;
    QStringList days;
};

class RangeBounds : public ViewTest, public ::testing::WithParamInterface<BoundsCase>
{
};

TEST_P(RangeBounds, ReadsEveryDayWhoseStartTimeIsNotLaterThanTheEnd)
{
    for (int day = 4; day <= 8; ++day) {
        const QString date = QStringLiteral("2024-03-%1").arg(day, 2, 10, QLatin1Char('0'));
        f.writeDay(date, LogFile::headerLine() + line(date + QStringLiteral(" 12:00"), kA1));
    }
    range(GetParam().start, GetParam().end);
    QStringList days;
    for (const QString &dateTime : f.column(1))
        if (!dateTime.isEmpty())
            days.append(dateTime.mid(8, 2));
    EXPECT_EQ(days, GetParam().days);
}

const BoundsCase kBoundsCases[] = {
    {"EndBeforeStartTimeOfLastDay", at(5, 10), at(7, 9), strings({u"05", u"06"})},
    {"EndAtStartTimeOfLastDay", at(5, 10), at(7, 10), strings({u"05", u"06", u"07"})},
    {"EndAfterStartTimeOfLastDay", at(5, 10), at(7, 10, 1), strings({u"05", u"06", u"07"})},
    {"OneMoment", at(6, 10), at(6, 10), strings({u"06"})},
    {"StartAfterEnd", at(7, 10), at(5, 10), {}},
    {"MissingDaysSkipped", at(1, 0), at(10, 0), strings({u"04", u"05", u"06", u"07", u"08"})},
    {"NoDate", QDateTime(), at(7, 10), {}},
};

INSTANTIATE_TEST_SUITE_P(Records, RangeBounds, ::testing::ValuesIn(kBoundsCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ViewTest, StartAfterEndResetsToHeaderAndEmptyRow)
{
    writeTwoSows();
    f.view->loadStartupDays(at(7, 9, 30));
    f.mshVimo.setRows(f.mshVimo.rows() + 1); // a live row
    range(at(8, 0), at(7, 0));
    EXPECT_EQ(f.mshVimo.rows(), 2);
    EXPECT_EQ(f.row(1).join(QString()), QString());
    EXPECT_EQ(f.mshVimo.text(0, 1), u"T57");
    EXPECT_EQ(f.mshVimo.currentRow(), 1);
}

struct LineCase
{
    const char *name;
    QByteArray line;
    QStringList cells;
};

class LineReading : public ViewTest, public ::testing::WithParamInterface<LineCase>
{
};

TEST_P(LineReading, GivesTheCellsOfOneRow)
{
    f.writeDay(QStringLiteral("2024-03-07"), LogFile::headerLine() + GetParam().line);
    range(at(7, 0), at(7, 23));
    ASSERT_EQ(f.mshVimo.rows(), 3);
    EXPECT_EQ(f.row(2), GetParam().cells);
}

const LineCase kLineCases[] = {
    {"Plain", QByteArrayLiteral("2024-03-07 09:05\t2\tA1        \t11\t1\t0\t2\t1\t3\t7\t385\t6\t12\r\n"),
     strings({u"2024-03-07 09:05", u"S2", u"A1        ", u"11", u"1", u"0", u"2", u"T41", u"M3", u"3.5 ml",
              u"38.5", u"6", u"12"})},
    {"LineFeedOnlyAndNoLastLineEnd",
     QByteArrayLiteral("2024-03-07 09:05\t2\tA1\t11\t1\t0\t2\t0\t0\t0\t0\t6\t12"),
     strings({u"2024-03-07 09:05", u"S2", u"A1", u"11", u"1", u"0", u"2", u"T42", u"T42", u"0.0 ml", u"0.0",
              u"6", u"12"})},
    {"Quotes", QByteArrayLiteral("\"2024-03-07 09:05\"\t\"2\t\"\t\"12\"\t\"\"\t1\t2\t3\t4\t5\t6\t7\t8\r\n"),
     strings(
         {u"2024-03-07 09:05", u"", u"", u"12", u"", u"1", u"2", u"", u"M4", u"2.5 ml", u"0.6", u"7", u"8"})},
    {"FiveFieldsRepeatTheLast", QByteArrayLiteral("2024-03-07 09:05\t1\tA1\t5\t1\r\n"),
     strings({u"2024-03-07 09:05", u"S1", u"A1", u"5", u"1", u"1", u"1", u"T41", u"M1", u"0.5 ml", u"0.1",
              u"1", u"1"})},
    {"QuotedLastFieldRepeatsStrippedOnce", QByteArrayLiteral("2024-03-07 09:05\t1\tA1\t\"9\"\r\n"),
     strings({u"2024-03-07 09:05", u"S1", u"A1", u"9", u"9", u"9", u"9", u"", u"M9", u"4.5 ml", u"0.9", u"9",
              u"9"})},
    {"ExtraFieldsIgnored", QByteArrayLiteral("d\t0\ts\t1\t2\t3\t4\t0\t0\t1\t2\t3\t4\t5\t6\r\n"),
     strings({u"d", u"S0", u"s", u"1", u"2", u"3", u"4", u"T42", u"T42", u"0.5 ml", u"0.2", u"3", u"4"})},
    {"EmptyLine", QByteArrayLiteral("\r\n"),
     strings({u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u""})},
    {"CarriageReturnInsideLineStays", QByteArrayLiteral("d\t0\ts\rx\t1\t2\t3\t4\t0\t0\t1\t2\t3\t4\r\n"),
     strings({u"d", u"S0", u"s\rx", u"1", u"2", u"3", u"4", u"T42", u"T42", u"0.5 ml", u"0.2", u"3", u"4"})},
    {"CodePageBytes", QByteArrayLiteral("d\t0\t\xe6\x80\x81\x00\xff\t1\t2\t3\t4\t0\t0\t1\t2\t3\t4\r\n"),
     QStringList({QStringLiteral("d"), QStringLiteral("S0"),
                  QString(QStringLiteral(u"\u00e6\u20ac\u0081") + QChar(0) + QChar(0xff)),
                  QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                  QStringLiteral("T42"), QStringLiteral("T42"), QStringLiteral("0.5 ml"),
                  QStringLiteral("0.2"), QStringLiteral("3"), QStringLiteral("4")})},
};

INSTANTIATE_TEST_SUITE_P(Records, LineReading, ::testing::ValuesIn(kLineCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct FileCase
{
    const char *name;
    QByteArray content;
    int rows; // record rows shown
};

class FileReading : public ViewTest, public ::testing::WithParamInterface<FileCase>
{
};

TEST_P(FileReading, DiscardsTheFirstLineWhateverItHolds)
{
    f.writeDay(QStringLiteral("2024-03-07"), GetParam().content);
    f.view->loadStartupDays(at(7, 9));
    EXPECT_EQ(f.mshVimo.rows(), 2 + GetParam().rows);
    range(at(7, 0), at(7, 23));
    EXPECT_EQ(f.mshVimo.rows(), 2 + GetParam().rows);
}

const FileCase kFileCases[] = {
    {"Empty", QByteArray(), 0},
    {"HeaderOnly", LogFile::headerLine(), 0},
    {"HeaderWithoutLineEnd", QByteArrayLiteral("DateTime\tPerson"), 0},
    {"MissingHeaderLosesFirstRecord",
     line(QStringLiteral("2024-03-07 08:00"), QStringLiteral("A1")).repeated(3), 2},
    {"LineFeeds", QByteArrayLiteral("h\na\nb\n"), 2},
    {"MixedLineEnds", QByteArrayLiteral("h\r\na\nb\r\nc"), 3},
    {"EmptyLines", QByteArrayLiteral("h\r\n\r\n\r\n"), 2},
};

INSTANTIATE_TEST_SUITE_P(Records, FileReading, ::testing::ValuesIn(kFileCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ViewTest, LineEndsDoNotChangeTheCells)
{
    const QByteArray crlf = LogFile::headerLine() + line(QStringLiteral("2024-03-07 08:00"), kA1, 1)
        + line(QStringLiteral("2024-03-07 09:00"), kB2, 2);
    f.writeDay(QStringLiteral("2024-03-07"), crlf);
    range(at(7, 0), at(7, 23));
    const QStringList first = f.row(2) + f.row(3);
    QByteArray lf = crlf;
    f.writeDay(QStringLiteral("2024-03-07"), lf.replace("\r\n", "\n"));
    range(at(7, 0), at(7, 23));
    EXPECT_EQ(f.row(2) + f.row(3), first);
}

TEST_F(ViewTest, EmptyLineListsAnEmptySowOnlyInRangeLoad)
{
    f.writeDay(QStringLiteral("2024-03-07"),
               LogFile::headerLine() + line(QStringLiteral("2024-03-07 08:00"), kA1)
                   + QByteArrayLiteral("\r\n"));
    f.view->loadStartupDays(at(7, 9));
    f.view->sortAndBuildSowList();
    EXPECT_EQ(f.sowList(), QStringList({QStringLiteral("T69"), kA1}));
    range(at(7, 0), at(7, 23));
    EXPECT_EQ(f.sowList(), QStringList({QStringLiteral("T69"), kA1, QString()}));
}

TEST_F(ViewTest, JunkBytesNeverStopTheLoad)
{
    std::mt19937 random(7);
    QByteArray junk;
    for (int i = 0; i < 20000; ++i)
        junk.append(char(random() % 256));
    const qsizetype lines = junk.count('\n') + (junk.endsWith('\n') ? 0 : 1);
    f.writeDay(QStringLiteral("2024-03-06"), junk);
    f.writeDay(QStringLiteral("2024-03-07"),
               LogFile::headerLine() + line(QStringLiteral("2024-03-07 08:00"), kA1));
    f.view->loadStartupDays(at(7, 9));
    f.view->sortAndBuildSowList();
    EXPECT_EQ(f.mshVimo.rows(), 2 + (lines - 1) + 1);
    range(at(6, 0), at(7, 23));
    EXPECT_EQ(f.mshVimo.rows(), 2 + (lines - 1) + 1);
    const QStringList dates = f.column(1);
    EXPECT_TRUE(std::is_sorted(dates.begin(), dates.end()));
    EXPECT_TRUE(f.column(3).contains(kA1));
}

// Days whose records do not come in date order (late arrivals, an earlier day's records in a
// later file, equal times) end up exactly as one stable sort of all lines would put them.
TEST_F(ViewTest, RangeLoadOrderEqualsOneStableSortOfAllLines)
{
    std::mt19937 random(11);
    QList<QPair<QString, int>> all; // date and time, tag in file order
    int tag = 0;
    for (int day = 1; day <= 20; ++day) {
        QByteArray content = LogFile::headerLine();
        const int count = int(random() % 30);
        for (int i = 0; i < count; ++i) {
            const QDateTime when = at(day, 0).addSecs(qint64(random() % (36 * 60)) * 60 - 6 * 3600);
            const QString dateTime = when.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
            content += line(dateTime, kA1, ++tag);
            all.append({dateTime, tag});
        }
        if (day % 7 != 0)
            f.writeDay(QStringLiteral("2024-03-%1").arg(day, 2, 10, QLatin1Char('0')), content);
        else
            all.erase(
                std::remove_if(all.begin(), all.end(), [&](const auto &p) { return p.second > tag - count; }),
                all.end());
    }
    std::stable_sort(all.begin(), all.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    range(at(1, 0), at(20, 23));
    QStringList expected{QString()};
    for (const auto &p : all)
        expected.append(QString::number(p.second));
    EXPECT_EQ(f.column(13), expected);
}

} // namespace
