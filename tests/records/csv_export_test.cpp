#include "fakes/TempFolder.h"
#include "platform/Report.h"
#include "records/CsvExport.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Headings (whole, without the soft hyphens the grid wraps them at) and cells as the grid shows
// them, separated by ';' where the decimal separator is a comma; a field is quoted only when it
// holds the separator, a quote, CR or LF, or is made text. The file is written whole or not at all.
TEST(CsvExport, ReportInBytesOutWholeOrNothing)
{
    Report report;
    report.columns = QStringList{u"Sow"_s, u"-Temp."_s, u"Fødsels\u00ADhjælp"_s};
    report.rows
        = {{u"A;1"_s, u"38,5"_s, u"Ja"_s}, {u"B\"2"_s, u"38.5"_s, u""_s}, {u"C\r\n3"_s, u"x"_s, u"y"_s}};
    // The last column holds the reasons of a row's flagged cells, left to right.
    report.flagsHeading = u"Flags"_s;
    report.cellFlags = {{}, {u""_s, u"Too hot; or cold"_s, u"=No"_s}};
    const std::pair<QLocale, QByteArray> cases[] = {
        {QLocale(QLocale::Danish, QLocale::Denmark),
         "\xEF\xBB\xBFSow;\"'-Temp.\";F\xC3\xB8"
         "dselshj\xC3\xA6lp;Flags\r\n\"A;1\";38,5;Ja;\r\n\"B\"\"2\";38.5;;\"Too hot; or cold; =No\"\r\n"
         "\"C\r\n3\";x;y;\r\n"},
        {QLocale(QLocale::English, QLocale::UnitedKingdom),
         "\xEF\xBB\xBFSow,\"'-Temp.\",F\xC3\xB8"
         "dselshj\xC3\xA6lp,Flags\r\nA;1,\"38,5\",Ja,\r\n\"B\"\"2\",38.5,,Too hot; or cold; =No\r\n"
         "\"C\r\n3\",x,y,\r\n"},
    };
    for (const auto &[locale, bytes] : cases)
        EXPECT_EQ(CsvExport::bytes(report, CsvExport::separator(locale)), bytes)
            << locale.name().toStdString();

    // A text cell or heading that a spreadsheet would run as a formula is made text by an
    // apostrophe; a figure is left a number. Cell and its column's kind in, field out (';' between
    // fields).
    const std::tuple<const char16_t *, bool, const char16_t *> formulas[] = {
        {u"=HYPERLINK(\"http://x\";\"y\")", false, u"\"'=HYPERLINK(\"\"http://x\"\";\"\"y\"\")\""},
        {u"+45 1234", false, u"\"'+45 1234\""},
        {u"-12", false, u"\"'-12\""}, // a sow id is text, whatever it looks like
        {u"@SUM(A1)", false, u"\"'@SUM(A1)\""},
        {u"\t=1+1", false, u"\"'\t=1+1\""},
        {u"A-1=2", false, u"A-1=2"},
        {u"'=1", false, u"'=1"},
        {u"-12", true, u"-12"},
        {u"-38.5", true, u"-38.5"},
        {u"-38,5", true, u"-38,5"}, // with a decimal comma
        {u"-1+2", true, u"\"'-1+2\""},
        {u"-1.2.3", true, u"\"'-1.2.3\""},
        {u"-", true, u"\"'-\""},
        {u"=1", true, u"\"'=1\""},
    };
    for (const auto &[cell, figure, field] : formulas) {
        Report one;
        one.rows = {{QString::fromUtf16(cell)}};
        one.figureColumns = {figure};
        EXPECT_EQ(CsvExport::bytes(one, u';'),
                  "\xEF\xBB\xBF\r\n" + QString::fromUtf16(field).toUtf8() + ";\r\n")
            << QString::fromUtf16(cell).toStdString() << (figure ? " as a figure" : " as text");
    }

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
