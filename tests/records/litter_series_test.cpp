#include "platform/Grid.h"
#include "records/LitterChart.h"
#include "records/LitterSeries.h"
#include "settings/TextTable.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

// A grid of record rows "yyyy-MM-dd HH:mm|sow|alive|still", separated by ',', below its heading row.
static std::unique_ptr<Grid> gridOf(const QString &rows)
{
    auto grid = std::make_unique<Grid>(1, 14);
    for (const QString &row : rows.split(u',', Qt::SkipEmptyParts)) {
        const QStringList f = row.split(u'|');
        grid->appendRow({QString(), f[0], u"S0"_s, f[1], f[2], f[3], u"0"_s, u"0"_s});
    }
    return grid;
}

// "Week 10 02-26..04-29: 02-26 2 11.5/1" : the kind, the number of periods, the first and last
// start, then each period with litters and its means.
static QString described(const LitterSeries &series)
{
    const auto day = [](const QDate &date) { return date.toString(u"MM-dd"_s); };
    const std::vector<LitterPeriod> &periods = series.periods();
    QString text = series.period() == LitterSeries::Period::Week ? u"Week"_s : u"Day"_s;
    text += u' ' + QString::number(periods.size());
    if (periods.empty())
        return text;
    text += u' ' + day(periods.front().start) + u".."_s + day(periods.back().start) + u':';
    for (const LitterPeriod &p : periods) {
        if (p.litters == 0) // its means are none: the chart's gaps
            continue;
        text += u' ' + day(p.start) + u' ' + QString::number(p.litters) + u' '
            + QString::number(p.alivePerLitter.value_or(-1)) + u'/'
            + QString::number(p.stillPerLitter.value_or(-1));
    }
    return text;
}

// Rows of the grid, the ones counted (the summary's: the loaded range and sow) and the days loaded
// in; the periods out. Days up to 62 days, ISO weeks from Monday beyond, the partial first and
// last weeks included.
TEST(LitterSeries, CountedRowsAndLoadedDaysInPeriodsOut)
{
    // Name, the first and last day loaded, the rows, the numbers of the rows counted, the periods.
    const std::tuple<const char *, QDate, QDate, const char16_t *, const char *, const char16_t *> cases[] = {
        {"a day with two litters, a day with none", QDate(2024, 3, 6), QDate(2024, 3, 7),
         u"2024-03-06 08:00|A1|12|1,2024-03-06 23:59|A2|11|2", "1 2",
         u"Day 2 03-06..03-07: 03-06 2 11.5/1.5"},
        {"only the counted rows: the sow filter", QDate(2024, 3, 6), QDate(2024, 3, 8),
         u"2024-03-06 08:00|A1|12|1,2024-03-07 08:00|B2|9|0,2024-03-08 08:00|A1|10|3", "1 3",
         u"Day 3 03-06..03-08: 03-06 1 12/1 03-08 1 10/3"},
        {"62 days are days", QDate(2024, 3, 1), QDate(2024, 5, 1),
         u"2024-03-01 00:00|A1|12|1,2024-05-01 23:59|A1|8|0", "1 2",
         u"Day 62 03-01..05-01: 03-01 1 12/1 05-01 1 8/0"},
        {"63 days are weeks from the Monday, partial first and last weeks", QDate(2024, 3, 1),
         QDate(2024, 5, 2),
         u"2024-03-01 06:00|A1|12|1,2024-03-03 23:00|A2|10|2,2024-03-04 00:10|A3|9|0,2024-05-02 "
         u"12:00|A4|14|1",
         "1 2 3 4", u"Week 10 02-26..04-29: 02-26 2 11/1.5 03-04 1 9/0 04-29 1 14/1"},
        {"nothing loaded", QDate(), QDate(), u"", "", u"Day 0"},
        {"a day loaded without records", QDate(2024, 3, 6), QDate(2024, 3, 6), u"", "",
         u"Day 1 03-06..03-06:"},
        {"a record dated the evening before the range widens it", QDate(2024, 3, 7), QDate(2024, 3, 7),
         u"2024-03-06 23:55|A1|12|1", "1", u"Day 2 03-06..03-07: 03-06 1 12/1"},
        {"empty figures count as none born", QDate(2024, 3, 7), QDate(2024, 3, 7),
         u"2024-03-07 10:00|A1||,2024-03-07 11:00|A2|9|4", "1 2", u"Day 1 03-07..03-07: 03-07 2 4.5/2"},
        {"a record without a readable date is left out", QDate(2024, 3, 7), QDate(2024, 3, 7),
         u"2024-02-30 10:00|A1|12|1,07-03-2024 10:00|A1|12|1,2024-03-07 10:00|A2|9|4", "1 2 3",
         u"Day 1 03-07..03-07: 03-07 1 9/4"},
    };
    for (const auto &[name, first, last, rows, numbers, periods] : cases) {
        std::vector<int> counted;
        for (const QString &row : QString::fromLatin1(numbers).split(u' ', Qt::SkipEmptyParts))
            counted.push_back(row.toInt());
        const RecordView::Loaded loaded{first, last, {}, true};
        EXPECT_EQ(described(LitterSeries::fromRows(*gridOf(QString::fromUtf16(rows)), counted, loaded)),
                  QString::fromUtf16(periods))
            << name;
    }
}

// The chart of a series: titles from the language file, one label, bar and pair of line values a
// period, a gap (no value) in the lines where a period has no litters; weeks named by ISO number
// across the turn of the year.
TEST(LitterChart, SeriesAndTextsInChartOut)
{
    TextTable texts;
    for (int n : {95, 100, 101, 102, 103})
        texts.set(n, u"T%1"_s.arg(n));
    const auto days = gridOf(u"2024-03-06 08:00|A1|12|1,2024-03-06 09:00|A2|13|0,2024-03-08 08:00|A3|7|2"_s);
    const ChartData chart = LitterChart::data(
        LitterSeries::fromRows(*days, {1, 2, 3}, {QDate(2024, 3, 6), QDate(2024, 3, 8), {}, true}), texts);
    EXPECT_EQ(chart.xTitle + u'|' + chart.barTitle + u'|' + chart.lines.at(0).title + u'|'
                  + chart.lines.at(1).title,
              u"T102|T95|T100|T101");
    EXPECT_EQ(chart.xLabels, QStringList({u"06-03"_s, u"07-03"_s, u"08-03"_s}));
    EXPECT_EQ(chart.bars, (std::vector<double>{2, 0, 1}));
    EXPECT_EQ(chart.lines[0].values, (std::vector<std::optional<double>>{12.5, std::nullopt, 7}));
    EXPECT_EQ(chart.lines[1].values, (std::vector<std::optional<double>>{0.5, std::nullopt, 2}));

    const auto weeks = gridOf(u"2024-12-31 08:00|A1|12|1"_s);
    const ChartData yearEnd = LitterChart::data(
        LitterSeries::fromRows(*weeks, {1}, {QDate(2024, 11, 1), QDate(2025, 1, 10), {}, true}), texts);
    EXPECT_EQ(yearEnd.xTitle, u"T103");
    EXPECT_EQ(yearEnd.xLabels.join(u' '), u"44 45 46 47 48 49 50 51 52 1 2");
    EXPECT_EQ(yearEnd.bars, (std::vector<double>{0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}));
}
