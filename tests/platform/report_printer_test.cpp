#include "fakes/TempFolder.h"
#include "platform/qt/QtReportPrinter.h"

#include <QPaintEngine>
#include <QPrinter>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A printer that keeps what is painted on it, page by page: each text, with its place, and each
// rule and filled band, as "y:x text".
class RecordingPrinter : public QPrinter, private QPaintEngine
{
public:
    RecordingPrinter() : QPrinter(QPrinter::HighResolution), QPaintEngine(AllFeatures)
    {
        setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
    }
    QPaintEngine *paintEngine() const override { return const_cast<RecordingPrinter *>(this); }
    bool newPage() override
    {
        pages.emplace_back();
        return true;
    }
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

const Report kReport{{u"PC Vimo 2"_s, u"From 2024-03-06 To 2024-03-07"_s, u"Sow: All sows"_s},
                     u"Page %1 of %2"_s,
                     {u"Date"_s, u"Sow"_s},
                     {1600, 900},
                     {},
                     u"1 litters"_s,
                     {}};

// Rows past a page go on to the next; the summary needs room of its own.
TEST(QtReportPrinter, WritesLandscapePagesToAPdfOrFails)
{
    TempFolder folder;
    Report report = kReport;
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

// Each page, top to bottom: the header (program left, range centred, sow filter right), the
// headings on their band, each row's cells in its columns above its rule, the summary after the
// last row and the page number centred at the foot; nothing outside the page.
TEST(QtReportPrinter, EveryPageFromHeaderToPageNumberInItsPlace)
{
    Report report = kReport;
    for (int r = 0; r < 120; ++r)
        report.rows.push_back({u"2024-03-07 09:30"_s, u"A"_s + QString::number(r)});
    RecordingPrinter printer;
    ASSERT_TRUE(QtReportPrinter::paint(printer, report));
    const QRect page(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    ASSERT_EQ(printer.pages.size(), 4u);
    int row = 0;
    for (size_t p = 0; p < printer.pages.size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        const auto &drawn = printer.pages[p];
        QStringList texts;
        for (const auto &[at, text] : drawn)
            texts << text;
        const qsizetype header = texts.indexOf(u"PC Vimo 2"), band = texts.indexOf(u"band");
        ASSERT_EQ(texts.mid(header, 3), kReport.pageHeader);
        EXPECT_EQ(texts.mid(band, 3), (QStringList{u"band"_s, u"Date"_s, u"Sow"_s}));
        EXPECT_EQ(texts.last(), u"Page %1 of 4"_s.arg(p + 1));
        EXPECT_EQ(texts.contains(u"1 litters"), p == 3) << "the summary is on the last page only";
        EXPECT_LT(drawn[size_t(header)].first.x(), drawn[size_t(header) + 1].first.x());
        EXPECT_LT(drawn[size_t(header) + 1].first.x(), drawn[size_t(header) + 2].first.x());
        EXPECT_GT(drawn[size_t(header) + 2].first.x(), page.width() / 2);
        const int pageNumberX = drawn.back().first.x();
        EXPECT_GT(pageNumberX, page.width() / 3);
        EXPECT_LT(pageNumberX, page.width() / 2);
        // A rule under each row, then the rows' cells, each row below the one before.
        qsizetype rules = 0;
        int lastY = drawn[size_t(band)].first.y();
        for (const auto &[at, text] : drawn) {
            EXPECT_TRUE(page.contains(at)) << text.toStdString() << " at " << at.x() << "," << at.y();
            rules += text == u"rule";
        }
        const qsizetype end = texts.size() - 1 - (p == 3);
        ASSERT_EQ(end - band - 3 - rules, 2 * rules);
        for (qsizetype i = band + 3 + rules; i < end; i += 2, ++row) {
            ASSERT_EQ(texts.mid(i, 2), report.rows[size_t(row)]);
            const QPoint date = drawn[size_t(i)].first, sow = drawn[size_t(i) + 1].first;
            EXPECT_EQ(date.y(), sow.y());
            EXPECT_GT(date.y(), lastY);
            EXPECT_LT(date.y(), drawn[size_t(band + 3 + (i - band - 3 - rules) / 2)].first.y())
                << "above its rule";
            EXPECT_LT(date.x(), page.width() / 10);
            EXPECT_GT(sow.x(), page.width() * 1600 / 2500);
            lastY = date.y();
        }
        EXPECT_TRUE(p < 3 || drawn[size_t(end)].first.y() > lastY) << "the summary comes after the rows";
    }
    EXPECT_EQ(row, 120);
}

} // namespace
