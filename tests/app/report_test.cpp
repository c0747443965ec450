#include "AppFixture.h"
#include "records/RecordBytes.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Two days of records shown at start-up (texts "D<n>"; D2 sow, D3 from, D4 to) exported, then
// one sow's printed; a live record of another sow is shown but neither printed nor counted under it.
TEST(ShownRecords, ExportedAndPrintedAsShownOrTheUserIsToldWhyNot)
{
    AppFixture f;
    f.writeLog("2024-03-06 22:10\t1\tB;2\t12\t1\t0\t0\t0\t1\t7\t385\t6\t3");
    f.writeLog("2024-03-07 04:00\t0\tA1\t9\t0\t0\t1\t1\t0\t0\t-5\t14\t2");
    f.program.start();
    f.vimo.cmdExport.click(); // cancelled
    ASSERT_EQ(f.dialogs.proposedPaths.size(), 1u);
    EXPECT_TRUE(f.dialogs.proposedPaths[0].endsWith(u"/FAR-2024-03-06-2024-03-07.csv"));

    f.dialogs.savePath = f.folder.file(u"out.csv"_s);
    f.vimo.cmdExport.click();
    // A figure stays a number; the last column holds the row's flags.
    EXPECT_EQ(f.folder.read(u"out.csv"_s),
              "\xEF\xBB\xBF"
              "D57,D58,D59,D60,D61,D62,D63,D64,D65,D66,D67,D68,D45,D104\r\n"
              "2024-03-06 22:10,Bo,B;2,12,1,0,0,D42,,3.5 ml,38.5,6,3,\r\n"
              "2024-03-07 04:00,Anna,A1,9,0,0,1,D41,D42,0.0 ml,-0.5,14,2,D86 36.0-42.0 \u00B0C; D82\r\n");

    f.dialogs.savePath = f.folder.file(u"VimoLog/FAR-2024-03-07.txt/out.csv"_s);
    f.vimo.cmdExport.click();
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text + u'/' + f.dialogs.messages[0].title,
              u"D89 "_s + f.dialogs.savePath + u"/D88"_s);

    f.dialogs.messages.clear();
    f.vimo.cmbSow.userSelect(1);
    f.vimo.cmdUpdate.click();
    f.vimo.cmdPrint.click();
    ASSERT_EQ(f.printer.printed.size(), 1u);
    const Report report = f.printer.printed[0]; // a copy: the next print may move the list
    EXPECT_EQ(report.pageHeader.join(u'|'), u"PC Vimo 2|D3 2024-03-06 D4 2024-03-07|D2: A1");
    EXPECT_EQ(report.pageNumber + u'|' + report.columns[12], u"D90|D45");
    EXPECT_TRUE(report.rows.size() == 1 && report.rows[0][2] == u"A1");
    EXPECT_TRUE(report.summary.startsWith(u"D74 1,") && report.summary == f.vimo.lblSummary.caption());
    // The chart counts the same litters, day by day.
    f.vimo.cmdChart.click();
    const Chart &chart = f.program.chart().chtLitters;
    EXPECT_TRUE(f.program.chart().isVisible() && f.program.chart().title() == u"D94");
    EXPECT_EQ(chart.data().bars, (std::vector<double>{0, 1}));

    // A record of another sow arrives: the grid shows it, the page and the summary for A1 do not.
    using namespace Packet;
    f.program.terminals().serve(2, 1);
    const RecordData record = makeRecord({}, "=B1");
    f.receive(FcFrame::make(2, Command::Record, 0, std::span(record).first(30), FlagMode::Never).encode());
    ASSERT_EQ(f.vimo.mshVimo.text(f.vimo.mshVimo.rows() - 1, 3), u"=B1       ");
    f.vimo.cmdPrint.click();
    EXPECT_EQ(f.printer.printed.back().rows, report.rows);
    EXPECT_EQ(f.printer.printed.back().summary, report.summary);
    EXPECT_EQ(f.vimo.lblSummary.caption(), report.summary);

    // Chosen anew but not yet updated: the page still names what is shown.
    f.vimo.dtpStart.userSetValue(QDateTime(QDate(2024, 1, 1), QTime(0, 0)));
    f.vimo.cmbSow.userSelect(0);
    f.printer.outcome = PrintOutcome::Cancelled;
    f.vimo.cmdPrint.click();
    EXPECT_EQ(f.printer.printed.back().pageHeader, f.printer.printed.front().pageHeader);
    f.printer.outcome = PrintOutcome::Failed;
    f.vimo.cmdPrint.click();
    ASSERT_EQ(f.dialogs.messages.size(), 1u) << "a print or its cancelling says nothing";
    EXPECT_EQ(f.dialogs.messages[0].text, u"D91");

    // Loaded again for all sows, the record is exported, its sow as text, not as a formula.
    f.vimo.dtpStart.userSetValue(QDateTime(QDate(2024, 3, 6), QTime(0, 0)));
    f.vimo.cmdUpdate.click();
    EXPECT_EQ(chart.data().bars, (std::vector<double>{1, 2})) << "an open chart follows the grid";
    f.dialogs.savePath = f.folder.file(u"all.csv"_s);
    f.vimo.cmdExport.click();
    EXPECT_TRUE(f.folder.read(u"all.csv"_s)
                    .endsWith("\r\n2024-03-07 09:05,,\"'=B1       \",11,5,0,4,D41,,3.5 ml,38.5,6,12,\r\n"))
        << f.folder.read(u"all.csv"_s).toStdString();
}
