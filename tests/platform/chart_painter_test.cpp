#include "platform/ChartData.h"
#include "platform/qt/ChartPainter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

// The largest value and the number of ticks wanted in, the step and the top of the axis out:
// 1, 2 or 5 times a power of ten, whole for counts, the top the first tick at or above the largest.
TEST(ChartPainter, AxisScaleAndLabelStride)
{
    const struct
    {
        const char *name;
        double max;
        bool whole;
        double step, top;
    } scales[] = {
        {"nothing to show", 0, true, 1, 1}, {"a few litters", 3, true, 1, 3},
        {"a step of 2", 7, true, 2, 8},     {"a step of 5", 23, true, 5, 25},
        {"on a tick", 100, true, 20, 100},  {"a step of 10", 41, true, 10, 50},
        {"means", 12.5, false, 5, 15},      {"small means", 1.2, false, 0.5, 1.5},
        {"tenths", 0.3, false, 0.1, 0.3},   {"counts never step below one", 0.3, true, 1, 1},
    };
    for (const auto &s : scales) {
        const ChartPainter::Scale scale = ChartPainter::scale(s.max, 5, s.whole);
        EXPECT_DOUBLE_EQ(scale.step, s.step) << s.name;
        EXPECT_DOUBLE_EQ(scale.top, s.top) << s.name;
    }
    // Label width and slot width in, every how many periods a label stands out.
    const struct
    {
        int label;
        double slot;
        int stride;
    } strides[] = {{30, 10, 3}, {30, 30, 1}, {30, 31, 1}, {31, 30, 2}, {30, 0, 1}};
    for (const auto &s : strides)
        EXPECT_EQ(ChartPainter::labelStride(s.label, s.slot), s.stride) << s.label << " in " << s.slot;
}

// Pixels of the first line's colour in the chart of three periods whose middle one has the value.
int linePixels(std::optional<double> middle)
{
    ChartData data{u"Day"_s, {u"1"_s, u"2"_s, u"3"_s}, u"Litters"_s, {1, 1, 1}, {}};
    data.lines = {{u"Alive"_s, {10, middle, 10}}};
    QImage image(600, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    ChartPainter::paint(p, image.rect(), data);
    p.end();
    // Green, also where the line's edge is blended into the white.
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.green() > c.red() + 30 && c.green() > c.blue() + 30;
        }
    return count;
}

// A period without a value breaks the line: fewer pixels than a line through it, and far fewer
// than a line down to a zero.
TEST(ChartPainter, APeriodWithoutValueIsAGapNotAZero)
{
    const int gap = linePixels(std::nullopt);
    const int through = linePixels(10);
    const int zero = linePixels(0);
    EXPECT_GT(gap, 0) << "the markers and the legend";
    EXPECT_LT(gap * 3 / 2, through);
    EXPECT_LT(through, zero);
}

// Bars stand on one base line and as high as their counts on the left axis; the legend shows the
// bars' colour above them.
TEST(ChartPainter, BarsAsHighAsTheirCountsUnderTheLegend)
{
    const ChartData data{u"Week"_s, {u"1"_s, u"2"_s, u"3"_s, u"4"_s}, u"Litters"_s, {1, 2, 4, 0}, {}};
    QImage image(600, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    ChartPainter::paint(p, image.rect(), data);
    p.end();
    const QRgb fill = qRgb(0x9D, 0xB9, 0xD9);
    // The rows of the bars' colour in each quarter of the image: a bar, or the legend's swatch.
    struct Extent
    {
        int top = -1, bottom = -1;
    };
    std::vector<Extent> quarters(4);
    for (int q = 0; q < 4; ++q)
        for (int y = 0; y < image.height(); ++y)
            for (int x = q * 150; x < q * 150 + 150; ++x)
                if (image.pixel(x, y) == fill) {
                    if (quarters[q].top < 0)
                        quarters[q].top = y;
                    quarters[q].bottom = y;
                    break;
                }
    // The legend's swatch is in the first quarter, above the first bar; the fourth period has none.
    ASSERT_GE(quarters[1].top, 0);
    EXPECT_EQ(quarters[3].top, -1);
    EXPECT_EQ(quarters[1].bottom, quarters[2].bottom) << "one base line";
    const int one = quarters[1].bottom - quarters[1].top;
    const int two = quarters[2].bottom - quarters[2].top;
    EXPECT_NEAR(two, 2 * one, 3) << "as high as their counts";
    EXPECT_LT(quarters[0].top, quarters[2].top) << "the legend above the highest bar";
}

} // namespace
