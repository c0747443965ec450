#include "platform/qt/QtReportPrinter.h"

#include "platform/qt/ChartPainter.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>
#include <numeric>

namespace {
constexpr double kPointSize = 8;
constexpr int kSummaryLines = 2;
const QColor kHeadingBack(0xE0, 0xE0, 0xE0);
const QColor kRule(0xB0, 0xB0, 0xB0);
// Light enough to read the figure through, dark enough to show on a black-and-white printer.
const QColor kFlagShade(0xF2, 0xB8, 0xB8);

// Where the columns start, sharing `width` in the proportions of the report's widths.
std::vector<int> columnEdges(const Report &report, int width)
{
    const std::vector<int> &widths = report.columnWidths;
    const long long total = std::max(1LL, std::accumulate(widths.begin(), widths.end(), 0LL));
    std::vector<int> edges{0};
    long long sum = 0;
    for (const int columnWidth : widths) { // a column without a width is not drawn
        sum += columnWidth;
        edges.push_back(int(width * sum / total));
    }
    return edges;
}

void drawCells(QPainter &p, const QStringList &cells, const std::vector<int> &edges, int top, int height,
               int flags)
{
    const int pad = p.fontMetrics().averageCharWidth() / 2;
    for (qsizetype c = 0; c < cells.size() && size_t(c) + 1 < edges.size(); ++c) {
        const QRect cell(edges[size_t(c)] + pad, top, edges[size_t(c) + 1] - edges[size_t(c)] - 2 * pad,
                         height);
        const QString text = flags & Qt::TextWordWrap
            ? cells[c]
            : p.fontMetrics().elidedText(cells[c], Qt::ElideRight, cell.width());
        p.drawText(cell, flags, text);
    }
}

void shadeFlaggedCells(QPainter &p, const QStringList &flags, const std::vector<int> &edges, int top,
                       int height)
{
    for (qsizetype c = 0; c < flags.size() && size_t(c) + 1 < edges.size(); ++c)
        if (!flags[c].isEmpty())
            p.fillRect(QRect(edges[size_t(c)], top, edges[size_t(c) + 1] - edges[size_t(c)], height),
                       kFlagShade);
}

// The parts of the printout in the order they are printed, each at its place on its page.
enum class Part { Row, FlagsHeading, FlagNote, Summary, Chart };
struct Piece
{
    Part part;
    int index; // the row or note
    int top;
    int height;
};
struct Page
{
    bool table; // the column headings on top
    std::vector<Piece> pieces;
};

struct Measures
{
    int line; // a row
    int headingTop; // under the page header
    int firstRowTop; // under the column headings
    int bottom; // above the page number
    int chartHeight;
};

// A part that does not fit below the last one begins a new page; the headings of the flags keep
// their first note with them, the chart stays whole.
std::vector<Page> layOut(const Report &report, const Measures &m)
{
    std::vector<Page> pages{Page{true, {}}};
    int top = m.firstRowTop;
    auto place = [&](Part part, int index, int height, int keepWith = 0) {
        if (top + height + keepWith > m.bottom && !pages.back().pieces.empty()) {
            pages.push_back(Page{part == Part::Row, {}});
            top = part == Part::Row ? m.firstRowTop : m.headingTop;
        }
        pages.back().pieces.push_back(Piece{part, index, top, height});
        top += height;
    };
    for (size_t r = 0; r < report.rows.size(); ++r)
        place(Part::Row, int(r), m.line);
    if (!report.flagNotes.isEmpty()) {
        place(Part::FlagsHeading, 0, m.line * 3 / 2, m.line);
        for (qsizetype n = 0; n < report.flagNotes.size(); ++n)
            place(Part::FlagNote, int(n), m.line);
    }
    place(Part::Summary, 0, kSummaryLines * m.line + m.line / 2);
    if (report.chart.periods() > 0)
        place(Part::Chart, 0, m.chartHeight);
    return pages;
}

void drawPiece(QPainter &p, const Report &report, const Piece &piece, const std::vector<int> &edges,
               int width, int line)
{
    switch (piece.part) {
    case Part::Row: {
        const size_t r = size_t(piece.index);
        if (r < report.cellFlags.size())
            shadeFlaggedCells(p, report.cellFlags[r], edges, piece.top, line);
        p.setPen(kRule);
        p.drawLine(0, piece.top + line, width, piece.top + line);
        p.setPen(Qt::black);
        drawCells(p, report.rows[r], edges, piece.top, line, Qt::AlignLeft | Qt::AlignVCenter);
        break;
    }
    case Part::FlagsHeading: {
        QFont bold = p.font();
        bold.setBold(true);
        p.save();
        p.setFont(bold);
        p.drawText(QRect(0, piece.top + line / 2, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                   report.flagsHeading);
        p.restore();
        break;
    }
    case Part::FlagNote: {
        const int swatch = p.fontMetrics().height();
        p.fillRect(QRect(0, piece.top + line / 4, swatch, line / 2), kFlagShade);
        const QRect room(swatch * 3 / 2, piece.top, width - swatch * 3 / 2, line);
        p.drawText(room, Qt::AlignLeft | Qt::AlignVCenter,
                   p.fontMetrics().elidedText(report.flagNotes[piece.index], Qt::ElideRight, room.width()));
        break;
    }
    case Part::Summary:
        p.drawText(QRect(0, piece.top + line / 2, width, kSummaryLines * line),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, report.summary);
        break;
    case Part::Chart:
        ChartPainter::paint(p, QRect(0, piece.top + line / 2, width, piece.height - line / 2), report.chart);
        break;
    }
}
} // namespace

PrintOutcome QtReportPrinter::print(const Report &report)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!m_pdfPath.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_pdfPath);
        printer.setPageSize(QPageSize(QPageSize::A4));
    } else {
        QPrintDialog dialog(&printer);
        if (dialog.exec() != QDialog::Accepted)
            return PrintOutcome::Cancelled;
    }
    return paint(printer, report) ? PrintOutcome::Printed : PrintOutcome::Failed;
}

bool QtReportPrinter::paint(QPrinter &printer, const Report &report)
{
    QPainter p;
    if (!p.begin(&printer))
        return false;
    const QSize page = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    return paintPages(p, page, report, [&printer] { return printer.newPage(); }) && p.end();
}

bool QtReportPrinter::paintPages(QPainter &p, QSize page, const Report &report,
                                 const std::function<bool()> &newPage)
{
    QFont font = p.font();
    font.setPointSizeF(kPointSize);
    p.setFont(font);
    Measures m;
    m.line = p.fontMetrics().height() * 3 / 2;
    m.headingTop = m.line * 3 / 2;
    m.firstRowTop = m.headingTop + 2 * m.line;
    m.bottom = page.height() - 2 * m.line;
    // Half a page: room for its labels, and often for the end of the table above it.
    m.chartHeight = std::max(m.line, (m.bottom - m.headingTop) / 2);
    const std::vector<Page> pages = layOut(report, m);
    const std::vector<int> edges = columnEdges(report, page.width());

    for (size_t n = 0; n < pages.size(); ++n) {
        if (n > 0 && !newPage())
            return false;
        // The page header: the program on the left, then the range, the sow filter on the right.
        const int parts = int(report.pageHeader.size());
        for (int i = 0; i < parts; ++i) {
            const int align = i == 0 ? Qt::AlignLeft : i == parts - 1 ? Qt::AlignRight : Qt::AlignHCenter;
            QFont headerFont = font;
            headerFont.setBold(i == 0);
            p.setFont(headerFont);
            p.drawText(QRect(0, 0, page.width(), m.line), align | Qt::AlignVCenter, report.pageHeader[i]);
        }
        p.setFont(font);
        if (pages[n].table) {
            p.fillRect(QRect(0, m.headingTop, page.width(), 2 * m.line), kHeadingBack);
            // The headings stand over their cells, which are written from the left.
            drawCells(p, report.columns, edges, m.headingTop, 2 * m.line,
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap);
        }
        for (const Piece &piece : pages[n].pieces)
            drawPiece(p, report, piece, edges, page.width(), m.line);
        p.drawText(QRect(0, page.height() - m.line, page.width(), m.line), Qt::AlignCenter,
                   QString(report.pageNumber).arg(n + 1).arg(pages.size()));
    }
    return true;
}
