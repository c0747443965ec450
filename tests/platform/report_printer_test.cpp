#include "fakes/TempFolder.h"
#include "platform/qt/QtReportPrinter.h"

#include <QPaintEngine>
#include <QPrinter>

#include <gtest/gtest.h>

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
    bool newPage() override { return pages.emplace_back().empty(); }
    std::vector<std::vector<std::pair<QPoint, QString>>> pages{1};

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
    Report report{{u"PC Vimo 2"_s, u"From 2024-03-06 To 2024-03-07"_s, u"Sow: All sows"_s},
                  u"Page %1 of %2"_s,
                  {u"Date"_s, u"Sow"_s},
                  {1600, 900},
                  {},
                  u"1 litters"_s,
                  {}};
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
            const bool last = p == pages - 1;
            const qsizetype cells = 6 + rules, end = texts.size() - 1 - last;
            ASSERT_EQ(end - cells, 2 * rules);
            EXPECT_TRUE(rules < 2 || y(6) - y(3) == y(7) - y(6)) << "the first row right under the band";
            EXPECT_TRUE(!last || (texts[end] == u"1 litters" && y(end) > y(end - 1)));
            for (qsizetype i = cells; i < end; i += 2, ++row) {
                ASSERT_EQ(texts.mid(i, 2), shown.rows[size_t(row)]);
                EXPECT_EQ(y(i), y(i + 1));
                EXPECT_GT(y(i), y(i == cells ? 3 : i - 1));
                EXPECT_LT(y(i), y(6 + (i - cells) / 2)) << "above its rule";
                EXPECT_TRUE(x(i) < page.width() / 10 && x(i + 1) > page.width() * 1600 / 2500);
            }
        }
        EXPECT_EQ(row, rows);
    }
}

} // namespace
