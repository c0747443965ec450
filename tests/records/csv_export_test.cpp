#include "fakes/TempFolder.h"
#include "platform/Report.h"
#include "records/CsvExport.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Headings (whole, without the soft hyphens the grid wraps them at) and cells as the grid shows
// them, separated by ';' where the decimal separator is a comma; a field is quoted only when it
// holds the separator, a quote, CR or LF. The file is written whole or not at all.
TEST(CsvExport, ReportInBytesOutWholeOrNothing)
{
    Report report;
    report.columns = QStringList{u"Sow"_s, u"Temp."_s, u"Fødsels\u00ADhjælp"_s};
    report.rows
        = {{u"A;1"_s, u"38,5"_s, u"Ja"_s}, {u"B\"2"_s, u"38.5"_s, u""_s}, {u"C\r\n3"_s, u"x"_s, u"y"_s}};
    const std::pair<QLocale, QByteArray> cases[] = {
        {QLocale(QLocale::Danish, QLocale::Denmark),
         "\xEF\xBB\xBFSow;Temp.;F\xC3\xB8"
         "dselshj\xC3\xA6lp\r\n\"A;1\";38,5;Ja\r\n\"B\"\"2\";38.5;\r\n\"C\r\n3\";x;y\r\n"},
        {QLocale(QLocale::English, QLocale::UnitedKingdom),
         "\xEF\xBB\xBFSow,Temp.,F\xC3\xB8"
         "dselshj\xC3\xA6lp\r\nA;1,\"38,5\",Ja\r\n\"B\"\"2\",38.5,\r\n\"C\r\n3\",x,y\r\n"},
    };
    for (const auto &[locale, bytes] : cases)
        EXPECT_EQ(CsvExport::bytes(report, CsvExport::separator(locale)), bytes)
            << locale.name().toStdString();

    // A file that cannot be written leaves nothing behind; one that can replaces what was there.
    TempFolder folder;
    folder.write(u"file"_s, "x");
    const QStringList before = QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const QString &bad : {u"file/out.csv"_s, u"VimoLog"_s}) {
        EXPECT_FALSE(CsvExport::write(folder.file(bad), "a,b\r\n")) << bad.toStdString();
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        EXPECT_TRUE(QDir(folder.file(u"VimoLog"_s)).isEmpty());
    }
    folder.write(u"out.csv"_s, "old and longer");
    ASSERT_TRUE(CsvExport::write(folder.file(u"out.csv"_s), "a,b\r\n"));
    EXPECT_EQ(folder.read(u"out.csv"_s), "a,b\r\n");
}

} // namespace
