#include "platform/Grid.h"
#include "records/LitterChart.h"
#include "records/LitterSeries.h"
#include "settings/TextTable.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// "T103 10 9..18: 9 2 11/1.5": the x axis' title, the number of periods, the first and last label,
// then each period with litters: its label, its litters and their means. A period without litters
// must leave a gap (no value) in the lines.
static QString described(const ChartData &chart)
{
    QString text = chart.xTitle + u' ' + QString::number(chart.bars.size());
    if (chart.xLabels.isEmpty())
        return text;
    text += u' ' + chart.xLabels.front() + u".."_s + chart.xLabels.back() + u':';
    for (size_t i = 0; i < chart.bars.size(); ++i) {
        const std::optional<double> alive = chart.lines.at(0).values.at(i),
                                    still = chart.lines.at(1).values.at(i);
        if (chart.bars[i] == 0) {
            if (alive || still)
                return text + u" means without litters at "_s + chart.xLabels.at(qsizetype(i));
            continue;
        }
        text += u' ' + chart.xLabels.at(qsizetype(i)) + u' ' + QString::number(chart.bars[i]) + u' '
            + QString::number(alive.value_or(-1)) + u'/' + QString::number(still.value_or(-1));
    }
    return text;
}

// Rows of the grid, the ones counted (the summary's: the loaded range and sow) and the days loaded
// in; the chart of their periods out, titled from the language file. Days up to 62 days, ISO weeks
// from Monday beyond, the partial first and last weeks included.
TEST(LitterChart, CountedRowsAndLoadedDaysInChartOfTheirPeriodsOut)
{
    TextTable texts;
    for (int n : {95, 100, 101, 102, 103})
        texts.set(n, u"T%1"_s.arg(n));
    // Name, the first and last day loaded, the grid's rows "yyyy-MM-dd HH:mm|sow|alive|still"
    // separated by ',' (a fifth field "x" leaves a row uncounted, as the sow filter does), the chart.
    const std::tuple<const char *, QDate, QDate, const char16_t *, const char16_t *> cases[] = {
        {"a day with two litters, a day with none", QDate(2024, 3, 6), QDate(2024, 3, 7),
         u"2024-03-06 08:00|A1|12|1,2024-03-06 23:59|A2|11|2", u"T102 2 06-03..07-03: 06-03 2 11.5/1.5"},
        {"only the counted rows: the sow filter", QDate(2024, 3, 6), QDate(2024, 3, 8),
         u"2024-03-06 08:00|A1|12|1,2024-03-07 08:00|B2|9|0|x,2024-03-08 08:00|A1|10|3",
         u"T102 3 06-03..08-03: 06-03 1 12/1 08-03 1 10/3"},
        {"62 days are days", QDate(2024, 3, 1), QDate(2024, 5, 1),
         u"2024-03-01 00:00|A1|12|1,2024-05-01 23:59|A1|8|0",
         u"T102 62 01-03..01-05: 01-03 1 12/1 01-05 1 8/0"},
        {"63 days are weeks from the Monday, partial first and last weeks", QDate(2024, 3, 1),
         QDate(2024, 5, 2),
         u"2024-03-01 06:00|A1|12|1,2024-03-03 23:00|A2|10|2,2024-03-04 00:10|A3|9|0,2024-05-02 "
         u"12:00|A4|14|1",
         u"T103 10 9..18: 9 2 11/1.5 10 1 9/0 18 1 14/1"},
        {"nothing loaded", QDate(), QDate(), u"", u"T102 0"},
        {"a day loaded without records", QDate(2024, 3, 6), QDate(2024, 3, 6), u"", u"T102 1 06-03..06-03:"},
        {"a record dated the evening before the range widens it", QDate(2024, 3, 7), QDate(2024, 3, 7),
         u"2024-03-06 23:55|A1|12|1", u"T102 2 06-03..07-03: 06-03 1 12/1"},
        {"empty figures count as none born", QDate(2024, 3, 7), QDate(2024, 3, 7),
         u"2024-03-07 10:00|A1||,2024-03-07 11:00|A2|9|4", u"T102 1 07-03..07-03: 07-03 2 4.5/2"},
        {"weeks named by number across the turn of the year", QDate(2024, 11, 1), QDate(2025, 1, 10),
         u"2024-12-31 08:00|A1|12|1", u"T103 11 44..2: 1 1 12/1"},
        {"a record without a readable date is left out", QDate(2024, 3, 7), QDate(2024, 3, 7),
         u"2024-02-30 10:00|A1|12|1,07-03-2024 10:00|A1|12|1,2024-03-07 10:00|A2|9|4",
         u"T102 1 07-03..07-03: 07-03 1 9/4"},
    };
    for (const auto &[name, first, last, rows, periods] : cases) {
        Grid grid(1, 14);
        std::vector<int> counted;
        for (const QString &row : QString::fromUtf16(rows).split(u',', Qt::SkipEmptyParts)) {
            const QStringList f = row.split(u'|');
            grid.appendRow({QString(), f[0], u"S0"_s, f[1], f[2], f[3], u"0"_s, u"0"_s});
            if (f.size() == 4)
                counted.push_back(grid.rows() - 1);
        }
        const ChartData chart
            = LitterChart::data(LitterSeries::fromRows(grid, counted, {first, last, {}, true}), texts);
        EXPECT_EQ(described(chart), QString::fromUtf16(periods)) << name;
        EXPECT_EQ(chart.barTitle + u'|' + chart.lines.at(0).title + u'|' + chart.lines.at(1).title,
                  u"T95|T100|T101");
    }
}
