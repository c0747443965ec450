#include "records/LitterSeries.h"

#include "records/Plausibility.h"

namespace {
struct Litter
{
    QDate day;
    int alive;
    int still;
};

struct Totals
{
    int litters = 0;
    long long alive = 0;
    long long still = 0;
};
} // namespace

LitterSeries LitterSeries::fromRows(const Grid &grid, const std::vector<int> &rows,
                                    const RecordView::Loaded &loaded)
{
    QDate first = loaded.first;
    QDate last = loaded.last;
    std::vector<Litter> litters;
    for (const int row : rows) {
        const LitterValues values = Plausibility::read(grid, row, {});
        const QDate day = QDate::fromString(QStringView(values.when).left(10), u"yyyy-MM-dd");
        if (!day.isValid())
            continue;
        litters.push_back({day, values.alive.value_or(0), values.still.value_or(0)});
        if (!first.isValid() || day < first)
            first = day;
        if (!last.isValid() || day > last)
            last = day;
    }
    LitterSeries series;
    if (!first.isValid() || !last.isValid())
        return series;
    const bool weeks = first.daysTo(last) + 1 > kMostDays;
    series.m_period = weeks ? Period::Week : Period::Day;
    const int length = weeks ? 7 : 1;
    const QDate start = weeks ? first.addDays(1 - first.dayOfWeek()) : first;
    auto periodOf = [&](const QDate &day) { return size_t(start.daysTo(day) / length); };

    std::vector<Totals> totals(periodOf(last) + 1);
    for (const Litter &litter : litters) {
        Totals &t = totals[periodOf(litter.day)];
        ++t.litters;
        t.alive += litter.alive;
        t.still += litter.still;
    }
    for (size_t i = 0; i < totals.size(); ++i) {
        const Totals &t = totals[i];
        LitterPeriod period{start.addDays(qint64(i) * length), t.litters, {}, {}};
        if (t.litters > 0) {
            period.alivePerLitter = double(t.alive) / t.litters;
            period.stillPerLitter = double(t.still) / t.litters;
        }
        series.m_periods.push_back(period);
    }
    return series;
}
