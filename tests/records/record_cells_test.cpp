#include "RecordsFixture.h"
#include "records/RecordCells.h"

#include <gtest/gtest.h>

namespace {

TEST(RecordCells, ShowTheFieldsAsTheGridDoes)
{
    const struct
    {
        LogField field;
        QStringList texts;
        QStringList cells;
    } cases[] = {
        {LogField::Person, strings({u"0", u"19", u"20", u"-1", u"abc", u" 3 "}),
         strings({u"S0", u"S19", u"", u"", u"", u"S3"})},
        {LogField::BirthAssist, strings({u"0", u"1", u"2", u"01"}), strings({u"T42", u"T41", u"", u""})},
        {LogField::Medication, strings({u"0", u"1", u"10", u"11", u"-2", u""}),
         strings({u"T42", u"M1", u"M10", u"", u"T42", u""})},
        {LogField::Dose, strings({u"7", u"0", u"255", u"-3", u" 7 ", u"seven"}),
         strings({u"3.5 ml", u"0.0 ml", u"127.5 ml", u"-1.5 ml", u"3.5 ml", u""})},
        {LogField::Temperature, strings({u"385", u"5", u"32767", u"12345678901", u"38.5.1"}),
         strings({u"38.5", u"0.5", u"3276.7", u"1234567890.1", u""})},
    };
    RecordsFixture f;
    const RecordCells cells(f.options->mshStaff, f.options->mshMedicine, f.texts);
    for (const auto &c : cases) {
        QStringList shown;
        for (const QString &text : c.texts)
            shown.append(cells.cellText(c.field, text));
        EXPECT_EQ(shown, c.cells);
    }
    // Decimals follow the regional separator, without grouping.
    QLocale::setDefault(QLocale(QLocale::Danish, QLocale::Denmark));
    const RecordCells danish(f.options->mshStaff, f.options->mshMedicine, f.texts);
    EXPECT_EQ(danish.cellText(LogField::Dose, u"7") + u'|'
                  + danish.cellText(LogField::Temperature, u" 32767 "),
              u"3,5 ml|3276,7");
}

} // namespace
