#include "platform/qt/QtReportPrinter.h"

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

// Where the columns start, sharing `width` in the proportions of the report's widths.
std::vector<int> columnEdges(const Report &report, int width)
{
    const std::vector<int> &widths = report.columnWidths;
    const long long total = std::max(1LL, std::accumulate(widths.begin(), widths.end(), 0LL));
    std::vector<int> edges{0};
    long long sum = 0;
    for (size_t c = 0; c < size_t(report.columns.size()); ++c) {
        sum += c < widths.size() ? widths[c] : 0;
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
    QFont font = p.font();
    font.setPointSizeF(kPointSize);
    p.setFont(font);
    const QRect area(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    const int line = p.fontMetrics().height() * 3 / 2;
    const int headingTop = line * 3 / 2;
    const int firstRowTop = headingTop + 2 * line;
    const int rowsPerPage = std::max(1, (area.height() - firstRowTop - 2 * line) / line);
    const int rows = int(report.rows.size());
    const int pages = std::max(1, (rows + kSummaryLines + rowsPerPage - 1) / rowsPerPage);
    const std::vector<int> edges = columnEdges(report, area.width());

    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !printer.newPage())
            return false;
        // The page header: the program on the left, then the range, the sow filter on the right.
        const int parts = int(report.pageHeader.size());
        for (int i = 0; i < parts; ++i) {
            const int align = i == 0 ? Qt::AlignLeft : i == parts - 1 ? Qt::AlignRight : Qt::AlignHCenter;
            QFont headerFont = font;
            headerFont.setBold(i == 0);
            p.setFont(headerFont);
            p.drawText(QRect(0, 0, area.width(), line), align | Qt::AlignVCenter, report.pageHeader[i]);
        }
        p.setFont(font);
        p.fillRect(QRect(0, headingTop, area.width(), 2 * line), kHeadingBack);
        drawCells(p, report.columns, edges, headingTop, 2 * line, Qt::AlignCenter | Qt::TextWordWrap);

        const int from = page * rowsPerPage;
        const int to = std::min(rows, from + rowsPerPage);
        int top = firstRowTop;
        p.setPen(kRule);
        for (int r = from; r < to; ++r, top += line)
            p.drawLine(0, top + line, area.width(), top + line);
        p.setPen(Qt::black);
        top = firstRowTop;
        for (int r = from; r < to; ++r, top += line)
            drawCells(p, report.rows[size_t(r)], edges, top, line, Qt::AlignLeft | Qt::AlignVCenter);
        if (page == pages - 1)
            p.drawText(QRect(0, top + line / 2, area.width(), kSummaryLines * line),
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, report.summary);
        p.drawText(QRect(0, area.height() - line, area.width(), line), Qt::AlignCenter,
                   QString(report.pageNumber).arg(page + 1).arg(pages));
    }
    return p.end();
}
