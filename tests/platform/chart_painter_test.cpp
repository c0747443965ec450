#include "platform/ChartData.h"
#include "platform/qt/ChartPainter.h"

#include <gtest/gtest.h>

#include "RecordingPrinter.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

// The largest value and the number of ticks wanted in, the step and the top of the axis out:
// 1, 2 or 5 times a power of ten, whole for counts, the top the first tick at or above the largest.
TEST(ChartPainter, AxisScaleAndLabelStride)
{
    // Name, max, whole, step, top.
    const std::tuple<const char *, double, bool, double, double> scales[]
        = {{"nothing to show", 0, true, 1, 1},
           {"a few litters", 3, true, 1, 3},
           {"a step of 2", 7, true, 2, 8},
           {"a step of 5", 23, true, 5, 25},
           {"on a tick", 100, true, 20, 100},
           {"a step of 1 times ten", 50, true, 10, 50},
           {"a step of 10", 41, true, 10, 50},
           {"means", 12.5, false, 5, 15},
           {"small means", 1.2, false, 0.5, 1.5},
           {"tenths", 0.3, false, 0.1, 0.3},
           {"counts never step below one", 0.3, true, 1, 1}};
    for (const auto &[name, max, whole, step, top] : scales) {
        const ChartPainter::Scale scale = ChartPainter::scale(max, 5, whole);
        EXPECT_LT(std::abs(scale.step - step) + std::abs(scale.top - top), 1e-9) << name;
    }
    // Label width and slot width in, every how many periods a label stands out.
    const std::tuple<int, double, int> strides[]
        = {{30, 10, 3}, {30, 30, 1}, {30, 31, 1}, {31, 30, 2}, {30, 0, 1}};
    for (const auto &[label, slot, stride] : strides)
        EXPECT_EQ(ChartPainter::labelStride(label, slot), stride) << label << " in " << slot;
}

// The legend, the scales, the bars and the lines each where a reader looks for them.
TEST(ChartPainter, EachPartDrawnInItsPlace)
{
    // The room between each box and the next, left to right.
    const auto gaps = [](const std::vector<Drawn> &row) {
        std::vector<double> between;
        for (size_t i = 1; i < row.size(); ++i)
            between.push_back(row[i].box.left() - row[i - 1].box.right());
        return between;
    };
    const auto leftToRight = [&](const std::vector<Drawn> &row) { return std::ranges::min(gaps(row)) > -1; };
    const auto near = [](double a, double b) { return std::abs(a - b) < 2; };
    ChartData data{u"Week"_s, {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}, u"Litters"_s, {1, 2, 0, 1, 3}, {}};
    data.bars.resize(4); // no bar for the fifth period, though its 3 stays in the vector's memory
    data.lines = {{u"Alive"_s, {0.3, 0.3, std::nullopt, 0.15, 0.2}}, {u"Dead"_s, {0.1, 0.2, 0.1, 0, 0.1}}};
    RecordingPrinter printer;
    QPainter painter(&printer);
    painter.setPen(Qt::red); // the painter's own pen is not the chart's
    const std::vector<Drawn> &drawn = printer.pages.front();
    ChartPainter::paint(painter, QRect(0, 0, 40, 40), data);
    EXPECT_TRUE(drawn.empty()) << "no room: nothing drawn";
    ChartPainter::paint(painter, printer.page(), data);
    EXPECT_FALSE(painter.testRenderHint(QPainter::Antialiasing)) << "the painter left as it was given";
    painter.end();
    const auto all = [&drawn](auto keep) {
        std::vector<Drawn> kept;
        std::ranges::copy_if(drawn, std::back_inserter(kept), keep);
        return kept;
    };
    const auto texts
        = [&all](const QString &text) { return all([&](const Drawn &d) { return d.what == text; }); };
    const auto painted = [&all](const QString &what, const QColor &pen, const QColor &fill) {
        return all([&](const Drawn &d) { return d.what == what && d.pen.color() == pen && d.fill == fill; });
    };
    const QColor green(0x1B, 0x7F, 0x3B), red(0xC0, 0x39, 0x2B), barFill(0x9D, 0xB9, 0xD9),
        barEdge(0x4A, 0x6F, 0x9A), none;
    std::vector<Drawn> bars = all([&](const Drawn &d) { return d.what == u"band" && d.fill == barFill; });
    const std::vector<Drawn> alive = painted(u"path"_s, green, none), dead = painted(u"path"_s, red, none),
                             markers = painted(u"path"_s, green, green),
                             aliveKey = painted(u"rule"_s, green, none),
                             deadKey = painted(u"rule"_s, red, none),
                             axes = painted(u"rule"_s, Qt::black, none), litters = texts(u"Litters"_s),
                             aliveTitle = texts(u"Alive"_s), deadTitle = texts(u"Dead"_s);
    ASSERT_TRUE(bars.size() > 3 && alive.size() > 1 && !dead.empty() && !markers.empty() && !aliveKey.empty()
                && !deadKey.empty() && !axes.empty() && litters.size() == 2 && aliveTitle.size() == 2
                && deadTitle.size() == 2);
    const Drawn swatch = bars.front();
    bars.erase(bars.begin());
    const double base = bars.front().box.bottom();
    const auto scale = [&](bool left) {
        return all([&](const Drawn &d) {
            return !d.what.isEmpty() && d.what[0].isDigit() && d.box.top() < base
                && (d.box.right() < bars.front().box.left()) == left;
        });
    };
    const std::vector<Drawn> leftScale = scale(true), rightScale = scale(false);
    ASSERT_TRUE(!leftScale.empty() && !rightScale.empty());
    // The labels' values, each centred as high as its value at `pixels` a unit.
    const auto values = [&](const std::vector<Drawn> &labels, double pixels) {
        QStringList placed;
        for (const Drawn &d : labels) {
            const bool inPlace = near(base - d.box.center().y(), d.what.toDouble() * pixels);
            placed << (inPlace && d.pen.color() == Qt::black ? d.what : u"misplaced"_s);
        }
        return placed;
    };
    const auto under = [&](const QString &label) {
        return all([&](const Drawn &d) { return d.what == label && d.box.top() > base; }).at(0).box;
    };
    const auto period = [&](const QString &label) { return under(label).center().x(); };
    const auto height = [&](size_t bar) { return bars.at(bar).box.height(); };
    const double top = base - bars.at(1).box.top(), lineTop = base - alive[0].points[0].y();
    const QRectF area = printer.page();
    std::vector<double> axisXs; // where the axes stand, from the base line to the top of the scales
    for (const Drawn &d : axes)
        if (d.box.width() < 1 && d.box.height() > top - 2)
            axisXs.push_back(d.box.left());
    const auto axisX = [&](bool left) { return left ? std::ranges::min(axisXs) : std::ranges::max(axisXs); };
    const auto ticks = [&](bool left) {
        return all([&](const Drawn &d) {
            return d.what == u"rule" && d.pen.color() == Qt::black && d.box.height() < 1 && d.box.width() > 1
                && near(left ? d.box.right() : d.box.left(), axisX(left));
        });
    };
    const std::vector<Drawn> legend{swatch, litters[0], aliveKey[0], aliveTitle[0], deadKey[0], deadTitle[0]};
    const std::vector<double> room = gaps(legend);
    const auto titleColours = [&](size_t i) {
        return QList<QColor>{litters[i].pen.color(), aliveTitle[i].pen.color(), deadTitle[i].pen.color()};
    };
    const QRectF legendRow(area.left(), litters[0].box.top(), area.width(), litters[0].box.height());
    const std::pair<const char *, bool> facts[] = {
        {"the legend in one row: the bars' swatch, their title, then each line's stretch and title, evenly "
         "spaced",
         leftToRight(legend) && near(room[0], room[2]) && near(room[2], room[4]) && near(room[1], room[3])
             && std::ranges::all_of(legend, [&](const Drawn &d) { return within(legendRow, d.box); })},
        {"the line's marker on the middle of its stretch in the legend",
         near(markers[0].box.center().x(), aliveKey[0].box.center().x())},
        {"a marker for each value and one in the legend", markers.size() == 5},
        {"the left scale from 0 to the top of the highest bar",
         values(leftScale, top / 2) == QStringList{u"0"_s, u"1"_s, u"2"_s}},
        {"the right scale in tenths up to the lines' largest value, however small, that value at its place",
         values(rightScale, lineTop / 0.3) == QStringList{u"0"_s, u"0.1"_s, u"0.2"_s, u"0.3"_s}},
        {"both axes from the base line to the top of the scales", axisXs.size() == 2},
        {"a bar for each period with litters, none past the data", bars.size() == 3},
        {"each bar over its period's label",
         near(bars[0].box.center().x(), period(u"1"_s)) && near(bars[1].box.center().x(), period(u"2"_s))
             && near(bars[2].box.center().x(), period(u"4"_s))},
        {"bars as high as their counts, on one base line",
         near(height(1), 2 * height(0)) && near(height(2), height(0)) && near(bars[2].box.bottom(), base)},
        {"the line broken at the period without a value", alive.size() == 2 && alive[1].points.size() == 2},
        {"the line's points over their periods at their values",
         near(alive[1].points[0].x(), period(u"4"_s)) && near(base - alive[1].points[0].y(), lineTop / 2)},
        {"the lines twice as wide as the axes, the first solid, the second dashed, the markers' edges thin",
         alive[0].pen.widthF() == 2 * axes[0].pen.widthF() && alive[0].pen.style() == Qt::SolidLine
             && dead[0].pen.style() == Qt::DashLine && markers[0].pen.widthF() == axes[0].pen.widthF()},
        {"the periods' title under their labels",
         leftToRight({litters[1], texts(u"Week"_s).at(0)})
             && texts(u"Week"_s).at(0).box.top() > under(u"1"_s).bottom()},
        {"each scale's labels outside its axis and clear of its ticks",
         std::ranges::all_of(leftScale,
                             [&](const Drawn &d) { return d.box.right() < ticks(true).at(0).box.left(); })
             && std::ranges::all_of(rightScale, [&](const Drawn &d) { return d.box.left() > axisX(false); })},
        {"a grid line at each left label",
         painted(u"rule"_s, QColor(0xDD, 0xDD, 0xDD), none).size() == leftScale.size()},
        {"a tick at each scale's label",
         ticks(true).size() == leftScale.size() && ticks(false).size() == rightScale.size()},
        {"the legend's titles in black", titleColours(0) == QList<QColor>(3, Qt::black)},
        {"each axis's title in its series' colour", titleColours(1) == QList<QColor>{barEdge, green, red}},
        {"the scales' labels clear of the axes' titles",
         leftToRight({litters[1], leftScale.back()})
             && leftToRight({rightScale.back(), aliveTitle[1], deadTitle[1]})},
        {"everything inside the area",
         std::ranges::all_of(drawn, [&](const Drawn &d) { return within(area, d.box); })},
        {"everything drawn smooth", std::ranges::all_of(drawn, &Drawn::smooth)}};
    for (const auto &[name, holds] : facts)
        EXPECT_TRUE(holds) << name;
}
