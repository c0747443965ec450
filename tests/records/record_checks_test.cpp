#include "RecordsFixture.h"

#include "platform/Label.h"
#include "records/RecordChecks.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The record grid with its checks; the texts the checks use have their placeholders.
struct ChecksFixture : RecordsFixture
{
    ChecksFixture()
    {
        int n = 74; // the summary's figures
        for (const char16_t *text : {u"L%1", u"A%1(%2)", u"S%1", u"M%1", u"W%1", u"H%1%", u"T%1", u"F%1"})
            texts.set(n++, QString::fromUtf16(text));
        texts.set(86, u"out %1"_s);
        mshVimo.setRows(1);
        view.loadStartupDays(clock.now()); // no files: yesterday and today, all sows, no rows
    }
    // A record row from its cells joined by '|' (columns 1 to 13).
    void add(QStringView cells) { mshVimo.appendRow(QStringList{QString()} + cells.toString().split(u'|')); }
    // The flagged cells of a row as "column=tooltip", each with the flag colour.
    QString flags(int row) const
    {
        QStringList found;
        for (int col = 0; col < mshVimo.cols(); ++col)
            if (!mshVimo.toolTip(row, col).isEmpty() && mshVimo.backColour(row, col).has_value())
                found << QString::number(col) + u'=' + mshVimo.toolTip(row, col);
        return found.join(u' ');
    }

    Label lblSummary;
    RecordChecks checks{mshVimo, lblSummary, view, settings, texts, clock};
};

// now is 2024-03-07 09:30; the cells of columns 1 to 13 (1 date, 4 alive, 7 weak, 11 temperature,
// 12 female) in, the flagged ones out. The range's text shows both limits of each unit.
TEST(RecordChecks, RowCellsInFlaggedCellsOut)
{
    // What, the unit (0 Celsius, 1 Fahrenheit), "column=cell" changes to a row of 10 alive at
    // 38.5 degrees, the flags.
    const std::tuple<const char *, int, const char16_t *, const char16_t *> cases[] = {
        {"a typical record", 0, u"1=2024-03-07 09:30|5=1|7=1|12=5", u""},
        {"a minute after now", 0, u"1=2024-03-07 09:31", u"1=T87"},
        {"no date stamp", 0, u"1=A024-03-07 09:31", u""}, // no stamp: no date
        {"a date alone makes a record, checked", 0,
         u"1=2024-03-08 09:00|2=|3=|4=|5=|6=|7=|8=|9=|10=|11=|12=|13=", u"1=T87"},
        {"a stamp with seconds is none", 0, u"1=2024-03-08 09:31:00", u""},
        {"10 weak and 10 female: at the limit", 0, u"7=10|12=10", u""},
        {"11 weak and 11 female", 0, u"7=11|12=11", u"7=T83 12=T82"},
        {"nothing born", 0, u"4=0", u"4=T84"},
        {"one still born", 0, u"4=0|5=1", u""},
        {"one mummified", 0, u"4=0|6=1", u""},
        {"25 alive, 36.0 degrees", 0, u"4=25|11=36.0", u""},
        {"26 alive, 42.0 degrees", 0, u"4=26|11=42.0", u"4=T85"},
        {"more alive than a number holds: no number, no check", 0, u"4=9999999999", u""},
        {"+26 alive, by hand", 0, u"4=+26|11=42.0", u"4=T85"},
        {"35.9 degrees", 0, u"11=35.9", u"11=out 36.0-42.0 \u00b0C"},
        {"no temperature taken", 0, u"11=0.0", u""},
        {"below zero", 0, u"11=-38.5", u"11=out 36.0-42.0 \u00b0C"},
        {"96.8 degrees Fahrenheit", 1, u"11=96.8", u""},
        {"107.7 degrees Fahrenheit", 1, u"11=107.7", u"11=out 96.8-107.6 \u00b0F"},
        {"every check fails", 0, u"1=2024-03-08 09:00|4=27|7=28|11=42.1",
         u"1=T87 4=T85 7=T83 11=out 36.0-42.0 \u00b0C"},
    };
    ChecksFixture f;
    for (const auto &[what, unit, changes, flags] : cases) {
        QStringList cells = u"2024-03-07 09:00|S1|A1|10|0|0|0|T42|T42|0.5 ml|38.5|0|4"_s.split(u'|');
        for (const QString &change : QString::fromUtf16(changes).split(u'|', Qt::SkipEmptyParts))
            cells[change.section(u'=', 0, 0).toInt() - 1] = change.section(u'=', 1);
        f.mshVimo.setRows(1);
        f.settings.temperature = unit;
        f.add(cells.join(u'|'));
        f.checks.recheck();
        EXPECT_EQ(f.flags(1), QString::fromUtf16(flags)) << what;
    }
}

TEST(RecordChecks, SummaryOfTheShownRowsWithDecimalCommaAndNewRows)
{
    ChecksFixture f;
    f.checks.recheck();
    EXPECT_EQ(f.lblSummary.caption(), u"L0, A0(\u2013), S\u2013, M0, W0, H\u2013%, T\u2013, F0");

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    f.add(u""); // not a record
    f.add(u"2024-03-07 08:00|S1|A1|12|1|0|1|T41|T42|0,5 ml|38,5|5|4"); // birth help
    f.add(u"2024-03-07 08:10|S1|A2|9|0|2|0|T42|T42|0,5 ml|39,0|4|4");
    f.add(u"2024-03-07 08:20|S1|A3|0|0|0|0|T42|T42|0,5 ml|0,0|0|4"); // flagged, no temperature
    f.checks.recheck();
    EXPECT_EQ(f.lblSummary.caption(), u"L3, A21(7,0), S0,3, M2, W1, H33%, T38,8 \u00b0C, F1");

    f.add(u"2024-03-07 09:00|S1|A4|30|0|||T41|T42|0,5 ml|41,9|0|4"); // a live row; empty is none
    f.checks.checkNewRows();
    EXPECT_EQ(f.lblSummary.caption(), u"L4, A51(12,8), S0,3, M2, W1, H50%, T39,8 \u00b0C, F2");
    EXPECT_EQ(f.flags(5), u"4=T85");

    f.mshVimo.setRows(3); // a reload that shows fewer rows
    f.checks.checkNewRows();
    EXPECT_EQ(f.lblSummary.caption(), u"L1, A12(12,0), S1,0, M0, W1, H100%, T38,5 \u00b0C, F0");
}

// A live record counts only where a load of the same days and sow would show it (it is stored in
// the file of the day it arrives). The loaded range and sow, the day of arrival and the record's
// sow in; the figures the summary shows and the rows an export holds out.
TEST(RecordChecks, NewRowsCountOnlyUnderTheLoadedDaysAndSow)
{
    // What, the days of March loaded (from 09:30; each day's file holds one litter of A1), the sow
    // entry (0 all sows, 1 A1), the day of arrival, the record's sow, the rows counted.
    const std::tuple<const char *, int, int, int, int, const char16_t *, std::vector<int>> cases[] = {
        {"all sows, today", 6, 7, 0, 7, u"A2", {2, 3, 4}},
        {"a range that ended before today", 1, 5, 0, 7, u"A2", {2, 3, 4, 5, 6}},
        {"the range's last day", 1, 5, 0, 5, u"A2", {2, 3, 4, 5, 6, 7}},
        {"a range that starts after today", 8, 9, 0, 7, u"A1", {2, 3}},
        {"a range that starts today", 7, 9, 0, 7, u"A2", {2, 3, 4, 5}},
        {"another sow", 6, 7, 1, 7, u"A2", {2, 3}},
        {"the sow chosen", 6, 7, 1, 7, u"A1", {2, 3, 4}},
        {"a sow with blanks is another", 6, 7, 1, 7, u"A1 ", {2, 3}},
    };
    for (const auto &[what, from, to, sowEntry, arrival, sow, counted] : cases) {
        SCOPED_TRACE(what);
        ChecksFixture f;
        for (int day = 1; day <= 9; ++day)
            f.writeDay(day,
                       "h\r\n2024-03-0" + QByteArray::number(day)
                           + " 08:00\t0\tA1\t10\t0\t0\t0\t0\t0\t0\t0\t0\t0\r\n");
        f.view.loadStartupDays(f.clock.now());
        f.view.sortAndBuildSowList();
        f.cmbSow.setCurrentIndex(sowEntry);
        f.range(at(from, 9, 30), at(to, 9, 30));
        f.checks.recheck();
        f.clock.moment = at(arrival, 10);
        f.add(u"2024-03-09 09:00|S1|%1|10|0|0|0|T42|T42|0.0 ml|0.0|0|0"_s.arg(QString::fromUtf16(sow)));
        f.checks.checkNewRows();
        f.checks.checkNewRows(); // a packet that added no row changes nothing
        EXPECT_EQ(f.checks.countedRows(), counted);
        EXPECT_EQ(f.lblSummary.caption().section(QStringLiteral(", "), 0, 0),
                  u'L' + QString::number(counted.size()));
        EXPECT_EQ(f.flags(f.mshVimo.rows() - 1), u"1=T87") << "every row shown is checked";
    }
}

} // namespace
