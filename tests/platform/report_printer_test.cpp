#include "fakes/TempFolder.h"
#include "platform/qt/QtReportPrinter.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Rows past a page go on to the next; the summary needs room of its own.
TEST(QtReportPrinter, WritesLandscapePagesToAPdfOrFails)
{
    TempFolder folder;
    Report report{{u"PC Vimo 2"_s, u"From 2024-03-06 To 2024-03-07"_s, u"Sow: All sows"_s},
                  u"Page %1 of %2"_s,
                  {u"Date"_s, u"Sow"_s},
                  {1600, 900},
                  {},
                  u"1 litters"_s,
                  {}};
    for (const auto &[rows, pages] : {std::pair{0, 1}, {30, 1}, {120, 4}}) {
        report.rows.assign(size_t(rows), {u"2024-03-07 09:30"_s, u"A1"_s});
        const QString name = QStringLiteral("r%1.pdf").arg(rows);
        ASSERT_EQ(QtReportPrinter(folder.file(name)).print(report), PrintOutcome::Printed);
        const QByteArray bytes = folder.read(name);
        EXPECT_TRUE(bytes.startsWith("%PDF"));
        EXPECT_EQ(bytes.count("/Type /Page\n"), pages) << rows;
        EXPECT_TRUE(bytes.contains("/MediaBox [0 0 842.000000 595.000000]")) << "A4 landscape";
    }
    EXPECT_EQ(QtReportPrinter(folder.file(u"VimoLog/missing/r.pdf"_s)).print(Report{}), PrintOutcome::Failed);
}

} // namespace
