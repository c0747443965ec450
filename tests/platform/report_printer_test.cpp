#include "fakes/TempFolder.h"
#include "platform/qt/QtReportPrinter.h"

#include <QPaintEngine>
#include <QPrinter>

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

// A printer that keeps what is painted on it, page by page: each text, rule ("rule") and band
// ("band") with its place.
class RecordingPrinter : public QPrinter, private QPaintEngine
{
public:
    RecordingPrinter() : QPrinter(QPrinter::HighResolution), QPaintEngine(AllFeatures)
    {
        setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
    }
    QPaintEngine *paintEngine() const override { return const_cast<RecordingPrinter *>(this); }
    bool newPage() override { return !paperOut && pages.emplace_back().empty(); }
    std::vector<std::vector<std::pair<QPoint, QString>>> pages{1};
    bool paperOut = false; // no next page

private:
    using QPaintEngine::drawLines;
    using QPaintEngine::drawRects;
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override { }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override { }
    Type type() const override { return User; }
    void drawTextItem(const QPointF &at, const QTextItem &text) override
    {
        pages.back().emplace_back(at.toPoint(), text.text());
    }
    void drawRects(const QRectF *rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            pages.back().emplace_back(rects[i].bottomLeft().toPoint(), u"band"_s);
    }
    void drawLines(const QLineF *lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            pages.back().emplace_back(lines[i].p1().toPoint(), u"rule"_s);
    }
};

Report report(int rows)
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
    ASSERT_EQ(QtReportPrinter(folder.file(u"r.pdf"_s)).print(report(120)), PrintOutcome::Printed);
    const QByteArray bytes = folder.read(u"r.pdf"_s);
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
// centred at the foot; nothing outside the page.
TEST(QtReportPrinter, EveryPageFromHeaderToPageNumberInItsPlace)
{
    for (const auto &[rows, pages] : {std::pair{0, 1}, {30, 1}, {120, 4}}) {
        const Report shown = report(rows);
        RecordingPrinter printer;
        ASSERT_TRUE(QtReportPrinter::paint(printer, shown));
        const QRect page(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
        ASSERT_EQ(printer.pages.size(), size_t(pages)) << rows;
        int row = 0;
        for (int p = 0; p < pages; ++p) {
            SCOPED_TRACE(QStringLiteral("%1 rows, page %2").arg(rows).arg(p + 1).toStdString());
            const auto &drawn = printer.pages[size_t(p)];
            const auto y = [&drawn](qsizetype i) { return drawn[size_t(i)].first.y(); };
            const auto x = [&drawn](qsizetype i) { return drawn[size_t(i)].first.x(); };
            QStringList texts;
            qsizetype rules = 0;
            for (const auto &[at, text] : drawn) {
                texts << text;
                rules += text == u"rule";
                EXPECT_TRUE(page.contains(at)) << text.toStdString() << " at " << at.x() << "," << at.y();
            }
            ASSERT_EQ(texts.mid(0, 6), shown.pageHeader + (QStringList{u"band"_s, u"Date"_s, u"Sow"_s}));
            EXPECT_TRUE(x(0) < x(1) && x(1) < x(2) && x(2) > page.width() / 2);
            EXPECT_EQ(texts.last(), u"Page %1 of %2"_s.arg(p + 1).arg(pages));
            EXPECT_TRUE(x(texts.size() - 1) > page.width() / 3 && x(texts.size() - 1) < page.width() / 2);
            // Each row: its rule, then its cells above it.
            const bool last = p == pages - 1;
            const qsizetype end = texts.size() - 1 - last;
            ASSERT_EQ(end - 6, 3 * rules);
            EXPECT_TRUE(rules < 2 || y(6) - y(3) == y(9) - y(6)) << "the first row right under the band";
            EXPECT_TRUE(!last || (texts[end] == u"1 litters" && y(end) > y(end - 1)));
            for (qsizetype i = 6; i < end; i += 3, ++row) {
                EXPECT_EQ(texts[i], u"rule");
                ASSERT_EQ(texts.mid(i + 1, 2), shown.rows[size_t(row)]);
                EXPECT_EQ(y(i + 1), y(i + 2));
                EXPECT_GT(y(i + 1), y(i == 6 ? 3 : i - 3)) << "below the row before";
                EXPECT_LT(y(i + 1), y(i)) << "above its rule";
                EXPECT_TRUE(x(i + 1) < page.width() / 10 && x(i + 2) > page.width() * 1600 / 2500);
            }
        }
        EXPECT_EQ(row, rows);
    }
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

// Pixels of `colour` in the columns x0..x1-1 of the image, by row.
std::vector<int> rowsOf(const QImage &image, QRgb colour, int x0, int x1)
{
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        for (int x = x0; x < x1; ++x)
            if (image.pixel(x, y) == colour) {
                rows.push_back(y);
                break;
            }
    return rows;
}

// The pages of a report drawn one below the other on an image of pages 1100 x 780 pixels.
QImage printed(const Report &report, int &pages)
{
    const QSize page(1100, 780);
    QImage image(page.width(), page.height() * 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    pages = 1;
    EXPECT_TRUE(QtReportPrinter::paintPages(p, page, report, [&] {
        p.translate(0, page.height());
        return ++pages <= 4;
    }));
    p.end();
    return image.copy(0, 0, page.width(), page.height() * pages);
}

// A flagged cell is shaded, the whole cell and nothing else; the headings start where their cells
// start; the notes of the flagged rows are marked with the same shade, and the chart follows.
TEST(QtReportPrinter, FlaggedCellsShadedHeadingsOverTheirCells)
{
    const QRgb shade = qRgb(0xF2, 0xB8, 0xB8);
    const QRgb headingBack = qRgb(0xE0, 0xE0, 0xE0);
    const QRgb bar = qRgb(0x9D, 0xB9, 0xD9);
    Report report;
    report.pageNumber = u"%1/%2"_s;
    report.columns = {u"Sow"_s, u"Born alive"_s};
    report.columnWidths = {500, 500};
    report.rows = {{u"A1"_s, u"12"_s}, {u"B2"_s, u"0"_s}, {u"C3"_s, u"9"_s}};
    int pages = 0;

    report.cellFlags = {{u"Sow twice"_s, u""_s}};
    const QImage firstFlagged = printed(report, pages);
    const std::vector<int> first = rowsOf(firstFlagged, shade, 0, 550);
    EXPECT_EQ(rowsOf(firstFlagged, shade, 550, 1100), std::vector<int>{}) << "the unflagged column";
    report.cellFlags = {{}, {u""_s, u"No piglets"_s}};
    const QImage second = printed(report, pages);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(rowsOf(second, shade, 0, 550), std::vector<int>{}) << "the unflagged column";
    const std::vector<int> shaded = rowsOf(second, shade, 550, 1100);
    ASSERT_EQ(shaded.size(), first.size());
    EXPECT_EQ(shaded.front(), first.back() + 1) << "the next row, as high as the first";
    EXPECT_EQ(shaded.back() - shaded.front() + 1, int(shaded.size())) << "one band";
    EXPECT_EQ(pages, 1);

    // The first dark pixel of the second column's heading and of its cells: near the column's left.
    const std::vector<int> heading = rowsOf(second, headingBack, 0, 1100);
    ASSERT_FALSE(heading.empty());
    auto leftmostInk = [&second](int top, int bottom) {
        for (int x = 550; x < 1100; ++x)
            for (int y = top; y < bottom; ++y)
                if (qGray(second.pixel(x, y)) < 128)
                    return x - 550;
        return -1;
    };
    const int headingInk = leftmostInk(heading.front(), heading.back());
    const int cellInk = leftmostInk(heading.back() + 1, shaded.front());
    EXPECT_GE(headingInk, 0);
    EXPECT_LT(headingInk, 20) << "not centred";
    EXPECT_NEAR(headingInk, cellInk, 3);

    report.flagNotes = {u"B2: No piglets"_s};
    report.chart = ChartData{u"Day"_s, {u"06-03"_s}, u"Litters"_s, {2}, {}};
    const QImage withNotes = printed(report, pages);
    EXPECT_GT(rowsOf(withNotes, shade, 0, 550).size(), 0u) << "the note's mark";
    EXPECT_GT(rowsOf(withNotes, shade, 0, 550).front(), shaded.back()) << "under the table";
    EXPECT_GT(rowsOf(withNotes, bar, 0, 1100).size(), 0u) << "the chart's bar";
}

} // namespace
