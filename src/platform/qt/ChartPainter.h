#pragma once

#include <QRect>

class QPainter;
struct ChartData;

namespace ChartPainter {
// Draws the chart into `area` with the painter's font: the legend on top, the bars against the
// left axis, the lines against the right one, the periods' labels and their title below. Sizes
// follow the font, so the same drawing serves the screen and a printer's resolution.
void paint(QPainter &p, const QRect &area, const ChartData &data);

// An axis from 0 to `top` in ticks of `step`: a step of 1, 2 or 5 times a power of ten, about
// `ticks` of them, whole for counts; `top` is the first tick at or above `max`.
struct Scale
{
    double step = 1;
    double top = 1;
};
Scale scale(double max, int ticks, bool whole);

// Every how many periods a label is drawn, so that labels `labelWidth` wide, `slotWidth` apart,
// do not run into each other.
int labelStride(int labelWidth, double slotWidth);
} // namespace ChartPainter
