#include "platform/qt/ChartPainter.h"

#include "platform/ChartData.h"

#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
constexpr int kTicks = 5;
const QColor kBarFill(0x9D, 0xB9, 0xD9);
const QColor kBarEdge(0x4A, 0x6F, 0x9A);
const QColor kGridLine(0xDD, 0xDD, 0xDD);
// The lines differ in colour, marker and dash, so that they stay apart on a grey printout.
const QColor kLineColours[] = {QColor(0x1B, 0x7F, 0x3B), QColor(0xC0, 0x39, 0x2B), QColor(0x6C, 0x3D, 0x91)};

QColor lineColour(size_t line)
{
    return kLineColours[line % std::size(kLineColours)];
}

QPen linePen(size_t line, double unit)
{
    QPen pen(lineColour(line), 2 * unit);
    pen.setStyle(line % 2 == 0 ? Qt::SolidLine : Qt::DashLine);
    return pen;
}

void drawMarker(QPainter &p, size_t line, QPointF at, double unit)
{
    const double r = 2.5 * unit;
    p.setPen(QPen(lineColour(line), unit));
    p.setBrush(lineColour(line));
    if (line % 2 == 0)
        p.drawEllipse(at, r, r);
    else
        p.drawRect(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r));
    p.setBrush(Qt::NoBrush);
}

QString tickText(double value)
{
    return QLocale().toString(value, 'g', 6);
}

// Text turned a quarter to the left, centred on `centre`.
void drawUpright(QPainter &p, QPointF centre, const QString &text, const QColor &colour)
{
    p.save();
    p.translate(centre);
    p.rotate(-90);
    p.setPen(colour);
    const int width = p.fontMetrics().horizontalAdvance(text);
    const int height = p.fontMetrics().height();
    p.drawText(QRect(-width / 2, -height / 2, width, height), Qt::AlignCenter, text);
    p.restore();
}

// The values of the scale's ticks, 0 to the top.
std::vector<double> ticks(const ChartPainter::Scale &scale)
{
    std::vector<double> values;
    const long count = std::lround(scale.top / scale.step);
    for (long t = 0; t <= count; ++t)
        values.push_back(double(t) * scale.step);
    return values;
}

int widestTick(const QFontMetrics &fm, const ChartPainter::Scale &scale)
{
    int widest = 0;
    for (const double v : ticks(scale))
        widest = std::max(widest, fm.horizontalAdvance(tickText(v)));
    return widest;
}

// The legend in one row: a swatch of the bars or a stretch of each line, then its title.
void drawLegend(QPainter &p, QRect row, const ChartData &data, double unit)
{
    const QFontMetrics fm = p.fontMetrics();
    const int swatch = 2 * fm.height();
    int x = row.left();
    const int middle = row.center().y();
    p.fillRect(QRect(x, middle - fm.height() / 3, swatch, 2 * fm.height() / 3), kBarFill);
    x += swatch + fm.height() / 2;
    p.setPen(Qt::black);
    p.drawText(QRect(x, row.top(), fm.horizontalAdvance(data.barTitle), row.height()), Qt::AlignVCenter,
               data.barTitle);
    x += fm.horizontalAdvance(data.barTitle) + 2 * fm.height();
    for (size_t l = 0; l < data.lines.size(); ++l) {
        p.setPen(linePen(l, unit));
        p.drawLine(QPointF(x, middle), QPointF(x + swatch, middle));
        drawMarker(p, l, QPointF(x + swatch / 2.0, middle), unit);
        x += swatch + fm.height() / 2;
        p.setPen(Qt::black);
        const QString &title = data.lines[l].title;
        p.drawText(QRect(x, row.top(), fm.horizontalAdvance(title), row.height()), Qt::AlignVCenter, title);
        x += fm.horizontalAdvance(title) + 2 * fm.height();
    }
}

double largestLineValue(const ChartData &data)
{
    double largest = 0;
    for (const ChartData::Line &line : data.lines)
        for (const std::optional<double> &v : line.values)
            largest = std::max(largest, v.value_or(0));
    return largest;
}
} // namespace

ChartPainter::Scale ChartPainter::scale(double max, int ticks, bool whole)
{
    if (!(max > 0))
        max = 1;
    const double raw = max / std::max(1, ticks);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double fraction = raw / power;
    double step = (fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10) * power;
    if (whole)
        step = std::max(1.0, std::round(step));
    return {step, std::ceil(max / step - 1e-9) * step};
}

int ChartPainter::labelStride(int labelWidth, double slotWidth)
{
    if (!(slotWidth > 0))
        return 1;
    return std::max(1, int(std::ceil(labelWidth / slotWidth)));
}

void ChartPainter::paint(QPainter &p, const QRect &area, const ChartData &data)
{
    const QFontMetrics fm = p.fontMetrics();
    const int lh = fm.height();
    const double unit = std::max(1.0, lh / 14.0);
    const int tick = lh / 3;
    const int periods = data.periods();
    double largestBar = 0;
    for (const double bar : data.bars)
        largestBar = std::max(largestBar, bar);
    const Scale left = scale(largestBar, kTicks, true);
    const Scale right = scale(largestLineValue(data), kTicks, false);

    const QRect legend(area.left(), area.top(), area.width(), 2 * lh);
    const int leftMargin = lh * 3 / 2 + widestTick(fm, left) + tick + lh / 3;
    const int rightMargin = data.lines.empty()
        ? lh
        : int(data.lines.size()) * lh + lh / 2 + widestTick(fm, right) + tick + lh / 3;
    const QRect plot(QPoint(area.left() + leftMargin, legend.bottom() + lh),
                     QPoint(area.right() - rightMargin, area.bottom() - 3 * lh - tick));
    if (plot.width() < 4 * lh || plot.height() < 3 * lh)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    drawLegend(p, QRect(QPoint(plot.left(), legend.top()), legend.bottomRight()), data, unit);

    auto leftY = [&](double v) { return plot.bottom() - v / left.top * plot.height(); };
    auto rightY = [&](double v) { return plot.bottom() - v / right.top * plot.height(); };
    const double slot = periods > 0 ? double(plot.width()) / periods : plot.width();
    auto centreX = [&](int i) { return plot.left() + slot * (i + 0.5); };

    // Grid lines and the left axis's ticks.
    for (const double v : ticks(left)) {
        const double y = leftY(v);
        p.setPen(QPen(kGridLine, unit));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(QPen(Qt::black, unit));
        p.drawLine(QPointF(plot.left() - tick, y), QPointF(plot.left(), y));
        p.drawText(QRectF(area.left(), y - lh / 2.0, leftMargin - tick - lh / 3.0, lh),
                   Qt::AlignRight | Qt::AlignVCenter, tickText(v));
    }
    drawUpright(p, QPointF(area.left() + lh / 2.0, plot.center().y()), data.barTitle, kBarEdge);

    // The bars.
    p.setPen(QPen(kBarEdge, unit));
    p.setBrush(kBarFill);
    for (int i = 0; i < periods && size_t(i) < data.bars.size(); ++i) {
        if (data.bars[size_t(i)] <= 0)
            continue;
        const double top = leftY(data.bars[size_t(i)]);
        p.drawRect(QRectF(plot.left() + slot * (i + 0.15), top, slot * 0.7, plot.bottom() - top));
    }
    p.setBrush(Qt::NoBrush);

    // The lines: a period without a value breaks the line; a value on its own is its marker.
    for (size_t l = 0; l < data.lines.size(); ++l) {
        const std::vector<std::optional<double>> &values = data.lines[l].values;
        p.setPen(linePen(l, unit));
        QPainterPath path;
        bool drawing = false;
        for (int i = 0; i < periods && size_t(i) < values.size(); ++i) {
            if (!values[size_t(i)]) {
                drawing = false;
                continue;
            }
            const QPointF point(centreX(i), rightY(*values[size_t(i)]));
            if (drawing)
                path.lineTo(point);
            else
                path.moveTo(point);
            drawing = true;
        }
        p.drawPath(path);
        for (int i = 0; i < periods && size_t(i) < values.size(); ++i)
            if (values[size_t(i)])
                drawMarker(p, l, QPointF(centreX(i), rightY(*values[size_t(i)])), unit);
    }

    // The right axis with its ticks, and the lines' titles beside it in their colours.
    p.setPen(QPen(Qt::black, unit));
    if (!data.lines.empty()) {
        p.drawLine(plot.topRight(), plot.bottomRight());
        for (const double v : ticks(right)) {
            const double y = rightY(v);
            p.drawLine(QPointF(plot.right(), y), QPointF(plot.right() + tick, y));
            p.drawText(QRectF(plot.right() + tick + lh / 3.0, y - lh / 2.0, widestTick(fm, right), lh),
                       Qt::AlignLeft | Qt::AlignVCenter, tickText(v));
        }
        for (size_t l = 0; l < data.lines.size(); ++l)
            drawUpright(p,
                        QPointF(area.right() - (double(data.lines.size() - l) - 0.5) * lh, plot.center().y()),
                        data.lines[l].title, lineColour(l));
    }
    p.setPen(QPen(Qt::black, unit));
    p.drawLine(plot.topLeft(), plot.bottomLeft());
    p.drawLine(plot.bottomLeft(), plot.bottomRight());

    // The periods' labels, as many as fit, and the axis's title.
    int widest = 0;
    for (const QString &label : data.xLabels)
        widest = std::max(widest, fm.horizontalAdvance(label));
    const int stride = labelStride(widest + lh / 2, slot);
    for (int i = 0; i < periods; i += stride) {
        const double x = centreX(i);
        p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + tick));
        p.drawText(QRectF(x - (widest + lh) / 2.0, plot.bottom() + tick, widest + lh, lh), Qt::AlignCenter,
                   data.xLabels[i]);
    }
    p.drawText(QRect(plot.left(), plot.bottom() + tick + lh * 3 / 2, plot.width(), lh), Qt::AlignCenter,
               data.xTitle);
    p.restore();
}
