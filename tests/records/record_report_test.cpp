#include "platform/Grid.h"
#include "records/RecordReport.h"
#include "settings/TextTable.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Grid rows in (their flagged cells carry the reason as tooltip), the printed rows with their
// flag marks, the notes under the table and the chart of the counted rows out. Only the rows
// asked for are taken, in their order.
TEST(RecordReport, FlaggedCellsMarkedAndNamedUnderTheTable)
{
    TextTable texts;
    for (int n : {90, 104})
        texts.set(n, u"T%1"_s.arg(n));
    Grid grid(1, 14);
    for (int c = 1; c <= 13; ++c)
        grid.setColWidth(c, 100 * c);
    grid.setText(0, 3, u"S\u00ADow"_s);
    grid.appendRow(
        {QString(), u"2024-03-06 08:00"_s, u"Anna"_s, u"A1   "_s, u"30"_s, u"1"_s, u"0"_s, u"31"_s});
    grid.appendRow({QString(), u"2024-03-06 09:00"_s, u"Bo"_s, u"B2"_s, u"10"_s, u"0"_s, u"0"_s, u"0"_s});
    grid.appendRow({QString(), u"2024-03-07 10:00"_s, u"Bo"_s, u"C3"_s, u"12"_s, u"2"_s, u"0"_s, u"0"_s});
    grid.setToolTip(1, 4, u"Too many"_s);
    grid.setToolTip(1, 7, u"More weak"_s);
    grid.setToolTip(2, 4, u"Not this row"_s);
    grid.setToolTip(3, 13, u"Slow"_s);

    const Report report = RecordReport::make(grid, {3, 1}, {QDate(2024, 3, 6), QDate(2024, 3, 7), {}, true},
                                             {u"PC Vimo 2"_s}, u"2 litters"_s, texts);
    EXPECT_EQ(report.pageNumber + u'|' + report.summary + u'|' + report.flagsHeading, u"T90|2 litters|T104");
    EXPECT_EQ(u"%1 %2"_s.arg(report.columns.size()).arg(report.columnWidths.at(12)), u"13 1300");
    // The counts, the temperature and the reaction time are figures; the dose carries its unit.
    EXPECT_EQ(report.figureColumns,
              (std::vector<bool>{false, false, false, true, true, true, true, false, false, false, true, true,
                                 true}));
    ASSERT_EQ(report.rows.size(), 2u);
    EXPECT_EQ(report.rows[0].at(2), u"C3");
    EXPECT_EQ(report.cellFlags.at(0).join(u'|') + u' ' + report.cellFlags.at(1).join(u'|'),
              u"||||||||||||Slow |||Too many|||More weak||||||");
    EXPECT_EQ(report.rowFlags(1) + u'/' + report.rowFlags(2), u"Too many; More weak/");
    EXPECT_EQ(report.flagNotes.join(u'/'),
              u"2024-03-07 10:00, Sow C3: Slow/2024-03-06 08:00, Sow A1: Too many; More weak");
    EXPECT_EQ(report.chart.bars, (std::vector<double>{1, 1})) << "the rows asked for, not row 2";
}
