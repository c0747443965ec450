#include "fakes/TempFolder.h"
#include "platform/qt/QtReportPrinter.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Rows past a page go on to the next; the summary needs room of its own.
TEST(QtReportPrinter, WritesLandscapePagesToAPdfOrFails)
{
    TempFolder folder;
    Report report;
    report.pageHeader = {u"PC Vimo 2"_s, u"From 2024-03-06 To 2024-03-07"_s, u"Sow: All sows"_s};
    report.pageNumber = u"Page %1 of %2"_s;
    report.columns = {u"Date"_s, u"Sow"_s};
    report.columnWidths = {1600, 900};
    report.summary = u"1 litters"_s;
    for (const auto &[rows, pages] : {std::pair{0, 1}, {30, 1}, {120, 4}}) {
        report.rows.assign(size_t(rows), {u"2024-03-07 09:30"_s, u"A1"_s});
        const QString name = QStringLiteral("r%1.pdf").arg(rows);
        ASSERT_EQ(QtReportPrinter(folder.file(name)).print(report), PrintOutcome::Printed);
        const QByteArray bytes = folder.read(name);
        EXPECT_TRUE(bytes.startsWith("%PDF"));
        EXPECT_EQ(bytes.count("/Type /Page\n"), pages) << rows;
        EXPECT_TRUE(bytes.contains("/MediaBox [0 0 842.000000 595.000000]")) << "A4 landscape";
    }
    EXPECT_EQ(QtReportPrinter(folder.file(u"VimoLog/missing/r.pdf"_s)).print(Report{}), PrintOutcome::Failed);
}

// The notes of the flagged rows follow the table, their heading kept with the first note; the
// chart follows the summary, whole, on a page of its own when the rest of the page is too short.
TEST(QtReportPrinter, FlagNotesAndChartAfterTheTable)
{
    TempFolder folder;
    Report report;
    report.pageNumber = u"Page %1 of %2"_s;
    report.columns = {u"Date"_s, u"Sow"_s};
    report.columnWidths = {1600, 900};
    report.flagsHeading = u"Flags"_s;
    report.summary = u"1 litters"_s;
    ChartData chart{u"Day"_s, {u"06-03"_s, u"07-03"_s}, u"Litters"_s, {1, 0}, {}};
    chart.lines = {{u"Alive"_s, {12, std::nullopt}}};
    const struct
    {
        const char *name;
        int rows, notes;
        bool chart;
        int pages;
    } cases[] = {
        {"rows and notes on one page", 20, 5, false, 1},
        {"a chart below a short table", 2, 1, true, 1},
        {"a chart after a full page of rows", 30, 0, true, 2},
        {"notes running onto the next page", 30, 30, false, 2},
        {"a chart after the notes", 30, 30, true, 3},
    };
    for (const auto &c : cases) {
        report.rows.assign(size_t(c.rows), {u"2024-03-07 09:30"_s, u"A1"_s});
        report.cellFlags.assign(size_t(c.rows), {u""_s, u"Too many"_s});
        report.flagNotes.clear();
        for (int n = 0; n < c.notes; ++n)
            report.flagNotes << u"2024-03-07 09:30, Sow A1: Too many"_s;
        report.chart = c.chart ? chart : ChartData{};
        ASSERT_EQ(QtReportPrinter(folder.file(u"f.pdf"_s)).print(report), PrintOutcome::Printed) << c.name;
        EXPECT_EQ(folder.read(u"f.pdf"_s).count("/Type /Page\n"), c.pages) << c.name;
    }
}

} // namespace
