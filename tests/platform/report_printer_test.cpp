#include "fakes/TempFolder.h"
#include "platform/Grid.h"
#include "platform/qt/QtReportPrinter.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Rows past a page go on to the next; the summary needs room of its own.
TEST(QtReportPrinter, WritesLandscapePagesToAPdfOrFails)
{
    TempFolder folder;
    for (const auto &[rows, pages] : {std::pair{0, 1}, {30, 1}, {120, 4}}) {
        Report report{{u"PC Vimo 2"_s, u"From 2024-03-06 To 2024-03-07"_s, u"Sow: All sows"_s},
                      u"Page %1 of %2"_s,
                      {u"Date"_s, u"Sow"_s},
                      {1600, 900},
                      std::vector<QStringList>(size_t(rows), {u"2024-03-07 09:30"_s, u"A1"_s}),
                      u"1 litters"_s};
        const QString path = folder.file(QStringLiteral("r%1.pdf").arg(rows));
        ASSERT_EQ(QtReportPrinter(path).print(report), PrintOutcome::Printed);
        QFile pdf(path);
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        EXPECT_TRUE(bytes.startsWith("%PDF"));
        EXPECT_EQ(bytes.count("/Type /Page\n"), pages) << rows;
        EXPECT_TRUE(bytes.contains("/MediaBox [0 0 842.000000 595.000000]")) << "A4 landscape";
    }
    EXPECT_EQ(QtReportPrinter(folder.file(u"VimoLog/missing/r.pdf"_s)).print(Report{}), PrintOutcome::Failed);
}

TEST(GridToolTip, ShownInTheToolTipRole)
{
    Grid grid(3, 2);
    grid.setToolTip(2, 1, u"why"_s);
    EXPECT_EQ(grid.data(grid.index(2, 1), Qt::ToolTipRole).toString(), u"why");
    EXPECT_FALSE(grid.data(grid.index(1, 1), Qt::ToolTipRole).isValid());
}

} // namespace
