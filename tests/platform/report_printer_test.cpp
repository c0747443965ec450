#include "RecordingPrinter.h"
#include "fakes/TempFolder.h"
#include "platform/qt/QtReportPrinter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

static Report report(int rows)
{
    Report report;
    report.pageHeader = {u"PC Vimo 2"_s, u"From 2024-03-06 To 2024-03-07"_s, u"Sow: All sows"_s};
    report.pageNumber = u"Page %1 of %2"_s;
    report.columns = {u"Date"_s, u"Sow"_s};
    report.columnWidths = {1600, 900};
    report.summary = u"1 litters"_s;
    for (int r = 0; r < rows; ++r)
        report.rows.push_back({u"2024-03-07 09:30"_s, u"A"_s + QString::number(r)});
    return report;
}

TEST(QtReportPrinter, WritesA4LandscapeToAPdfOrFails)
{
    TempFolder folder;
    ASSERT_EQ(QtReportPrinter(folder.file(u"r"_s)).print(report(120)), PrintOutcome::Printed);
    const QByteArray bytes = folder.read(u"r"_s); // a PDF whatever the file's name
    EXPECT_EQ(bytes.count("/Type /Page\n"), 4);
    EXPECT_TRUE(bytes.contains("/MediaBox [0 0 842.000000 595.000000]"));
    EXPECT_EQ(QtReportPrinter(folder.file(u"VimoLog/missing/r.pdf"_s)).print(Report{}), PrintOutcome::Failed);
    RecordingPrinter printer;
    printer.paperOut = true;
    EXPECT_FALSE(QtReportPrinter::paint(printer, report(120))) << "the second page could not begin";
}

// Rows past a page go on to the next; the summary needs room of its own. Each page, top to bottom:
// the header (program left, range centred, sow filter right), the headings on their band, each
// row's cells in their columns above its rule, the summary on the last page and the page number
// centred at the foot.
TEST(QtReportPrinter, EveryPageFromHeaderToPageNumberInItsPlace)
{
    for (const auto &[rows, pages] : {std::pair{0, 1}, {30, 1}, {120, 4}}) {
        const Report shown = report(rows);
        RecordingPrinter printer;
        ASSERT_TRUE(QtReportPrinter::paint(printer, shown));
        const QRect page = printer.page();
        ASSERT_EQ(printer.pages.size(), size_t(pages)) << rows;
        int row = 0;
        for (int p = 0; p < pages; ++p) {
            SCOPED_TRACE(QStringLiteral("%1 rows, page %2").arg(rows).arg(p + 1).toStdString());
            const auto &drawn = printer.pages[size_t(p)];
            const auto y = [&drawn](qsizetype i) { return drawn[size_t(i)].box.bottom(); };
            const auto x = [&drawn](qsizetype i) { return drawn[size_t(i)].box.left(); };
            QStringList texts;
            for (const Drawn &d : drawn)
                texts << d.what;
            ASSERT_EQ(texts.mid(0, 6), shown.pageHeader + (QStringList{u"band"_s, u"Date"_s, u"Sow"_s}));
            EXPECT_TRUE(x(0) < x(1) && x(1) < x(2) && x(2) > page.width() / 2 && drawn[3].box.top() >= y(2))
                << "the header in a row above the headings' band";
            EXPECT_EQ(texts.last(), u"Page %1 of %2"_s.arg(p + 1).arg(pages));
            EXPECT_TRUE(x(texts.size() - 1) > page.width() / 3 && x(texts.size() - 1) < page.width() / 2);
            // Each row: its rule, then its cells above it.
            const bool last = p == pages - 1;
            const qsizetype end = texts.size() - 1 - last;
            ASSERT_EQ((end - 6) % 3, 0);
            EXPECT_TRUE(end < 12 || y(6) - y(3) == y(9) - y(6)) << "the first row right under the band";
            EXPECT_TRUE(!last || (texts[end] == u"1 litters" && y(end) > y(end - 1)));
            for (qsizetype i = 6; i < end; i += 3, ++row) {
                ASSERT_EQ(texts.mid(i, 3), QStringList{u"rule"_s} + shown.rows[size_t(row)]);
                EXPECT_TRUE(y(i + 1) == y(i + 2) && y(i + 1) > y(i == 6 ? 3 : i - 3) && y(i + 1) < y(i))
                    << "on one line, below the row before, above its rule";
                EXPECT_TRUE(x(i + 1) < page.width() / 10 && x(i + 2) > page.width() * 1600 / 2500);
            }
        }
        EXPECT_EQ(row, rows);
    }
}

// The notes of the flagged rows follow the table, their heading kept with the first note; the
// chart follows the summary, whole, on a page of its own when the rest of the page is too short.
// Nothing is drawn outside the page.
TEST(QtReportPrinter, FlagNotesAndChartAfterTheTable)
{
    Report report = ::report(0);
    report.flagsHeading = u"Flags"_s;
    const ChartData chart{u"Day"_s, {u"06-03"_s, u"07-03"_s}, u"Litters"_s, {1, 0}, {{u"Alive"_s, {12, {}}}}};
    // Name, rows, notes, a chart, pages.
    const std::tuple<const char *, int, int, bool, int> cases[]
        = {{"rows and notes on one page", 20, 5, false, 1},
           {"rows over several pages", 120, 0, false, 4},
           {"a chart below a short table", 2, 1, true, 1},
           {"a chart after a full page of rows", 30, 0, true, 2},
           {"notes running onto the next page", 30, 30, false, 2},
           {"a chart after the notes", 30, 30, true, 3}};
    for (const auto &[name, rows, notes, withChart, pages] : cases) {
        report.rows.assign(size_t(rows), {u"2024-03-07 09:30"_s, u"A1"_s});
        report.cellFlags.assign(size_t(rows), {u""_s, u"Too many"_s});
        // Each cut at the page's edge.
        report.flagNotes = QStringList(notes, u"2024-03-07 09:30, Sow A1: Too many. "_s.repeated(20));
        report.chart = withChart ? chart : ChartData{};
        RecordingPrinter printer;
        ASSERT_TRUE(QtReportPrinter::paint(printer, report)) << name;
        EXPECT_EQ(printer.pages.size(), size_t(pages)) << name;
        qsizetype headings = 0;
        for (const std::vector<Drawn> &page : printer.pages)
            for (const Drawn &d : page) {
                headings += d.what == u"Flags";
                const std::string what = std::string(name) + ": " + d.what.left(40).toStdString();
                EXPECT_TRUE(within(printer.page(), d.box)) << what;
                EXPECT_EQ(d.bold, d.what == u"PC Vimo 2" || d.what == u"Flags") << what;
            }
        EXPECT_EQ(headings, notes > 0) << name;
    }
}

// A flagged cell is shaded, the whole cell and nothing else; the headings start where their cells
// start; the notes of the flagged rows are marked with the same shade under the table, and the chart
// follows. A text as wide as its column less a margin on each side is shown whole, a wider one cut.
TEST(QtReportPrinter, FlaggedCellsShadedHeadingsOverTheirCells)
{
    const QColor shade(0xF2, 0xB8, 0xB8);
    // The first page of a report as printed.
    const auto firstPage = [](const Report &report) {
        RecordingPrinter printer;
        EXPECT_TRUE(QtReportPrinter::paint(printer, report));
        return printer.pages.front();
    };
    Report report = ::report(0);
    report.columns = {u"Sow"_s, u"Born alive"_s};
    report.columnWidths = {500, 500};
    report.rows = {{u"A1"_s, u"12"_s}, {u"B2"_s, u"0"_s}, {u"C3"_s, u"9"_s}};
    report.cellFlags = {{}, {u""_s, u"No piglets"_s}};
    report.flagNotes = {u"B2: No piglets"_s};
    report.chart = ChartData{u"Day"_s, {u"06-03"_s}, u"Litters"_s, {2}, {}};
    const std::vector<Drawn> drawn = firstPage(report);
    const auto box = [](const std::vector<Drawn> &page, const QString &what) {
        const auto found = std::ranges::find(page, what, &Drawn::what);
        return found == page.end() ? QRectF() : found->box;
    };
    std::vector<QRectF> shaded, rules;
    for (const Drawn &d : drawn) {
        if (d.fill == shade)
            shaded.push_back(d.box);
        if (d.what == u"rule")
            rules.push_back(d.box);
    }
    ASSERT_EQ(shaded.size(), 2u) << "the cell and the note's mark";
    ASSERT_GE(rules.size(), 3u);
    const int width = RecordingPrinter().page().width();
    EXPECT_EQ(shaded[0], QRectF(QPointF(width / 2, rules[0].top()), QPointF(width, rules[1].top())));
    EXPECT_GT(shaded[1].top(), rules[2].top()) << "the note's mark under the table";
    EXPECT_NEAR(shaded[1].center().y(), box(drawn, report.flagNotes[0]).center().y(), 2) << "beside its note";
    EXPECT_EQ(box(drawn, u"Born alive"_s).left(), box(drawn, u"12"_s).left());
    EXPECT_NE(std::ranges::find(drawn, QColor(0x9D, 0xB9, 0xD9), &Drawn::fill), drawn.end()) << "the chart";

    const QRectF sow = box(drawn, u"A1"_s);
    const int column = int(std::ceil(sow.right() + sow.left()));
    report.columnWidths = {column, width - column};
    EXPECT_FALSE(box(firstPage(report), u"A1"_s).isNull()) << "not cut";
    report.columnWidths = {width - 10, 10};
    EXPECT_TRUE(box(firstPage(report), u"12"_s).isNull()) << "cut to its narrow column";
}
