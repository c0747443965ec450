#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// What a chart of periods shows: one bar per period against the left axis, and lines against
// the right axis that leave a gap where a period has no value. Plain values, drawn by the Qt layer.
struct ChartData
{
    struct Line
    {
        QString title; // in the legend
        std::vector<std::optional<double>> values; // one per period; none draws a gap, not a zero
        friend bool operator==(const Line &, const Line &) = default;
    };

    QString xTitle; // under the periods' labels
    QStringList xLabels; // one per period, left to right
    QString barTitle; // the left axis and the legend
    std::vector<double> bars; // one per period
    std::vector<Line> lines;

    int periods() const { return int(xLabels.size()); }
    friend bool operator==(const ChartData &, const ChartData &) = default;
};
