#pragma once

#include "records/RecordView.h"

#include <QDate>

#include <optional>
#include <vector>

class Grid;

// The litters of one period of the chart.
struct LitterPeriod
{
    QDate start; // the day, or the Monday of the week
    int litters = 0;
    // Means over the period's litters; none when it has none, so that a chart leaves a gap.
    std::optional<double> alivePerLitter;
    std::optional<double> stillPerLitter;
    friend bool operator==(const LitterPeriod &, const LitterPeriod &) = default;
};

// The litters of the record rows the summary counts, period by period: a day a period for up to
// 62 days, beyond that a week a period. Weeks are ISO weeks, Monday to Sunday; the first and the
// last may hold fewer days of the range, and each starts on its Monday.
class LitterSeries
{
public:
    enum class Period { Day, Week };
    static constexpr int kMostDays = 62;

    // The litters of `rows` of the grid, each on the date it was recorded, over the days the grid
    // was loaded with. A record dated outside them (recorded before midnight, stored after it)
    // widens the range to its day, so that the chart holds every litter the summary counts but
    // those without a readable date.
    static LitterSeries fromRows(const Grid &grid, const std::vector<int> &rows,
                                 const RecordView::Loaded &loaded);

    Period period() const { return m_period; }
    // Left to right, without a gap in the days; none when nothing was loaded.
    const std::vector<LitterPeriod> &periods() const { return m_periods; }

private:
    Period m_period = Period::Day;
    std::vector<LitterPeriod> m_periods;
};
