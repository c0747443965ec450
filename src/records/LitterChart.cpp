#include "records/LitterChart.h"

#include "records/LitterSeries.h"
#include "settings/TextTable.h"

ChartData LitterChart::data(const LitterSeries &series, const TextTable &texts)
{
    const bool weeks = series.period() == LitterSeries::Period::Week;
    ChartData chart;
    chart.xTitle = texts.text(weeks ? Txt::ChartWeek : Txt::ChartDay);
    chart.barTitle = texts.text(Txt::ChartLitters);
    chart.lines = {{texts.text(Txt::ChartAlivePerLitter), {}}, {texts.text(Txt::ChartStillPerLitter), {}}};
    for (const LitterPeriod &period : series.periods()) {
        chart.xLabels << (weeks ? QString::number(period.start.weekNumber())
                                : period.start.toString(QStringLiteral("dd-MM")));
        chart.bars.push_back(period.litters);
        chart.lines[0].values.push_back(period.alivePerLitter);
        chart.lines[1].values.push_back(period.stillPerLitter);
    }
    return chart;
}
