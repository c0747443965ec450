#include "RecordsFixture.h"
#include "records/RecordCells.h"

#include <gtest/gtest.h>

TEST(RecordCells, ShowTheFieldsAsTheGridDoes)
{
    // Field texts in, cells out, each joined by '|'.
    const std::tuple<const char *, LogField, const char16_t *, const char16_t *> cases[] = {
        {"staff", LogField::Person, u"0|19|20|-1|abc| 3 ", u"S0|S19||||S3"},
        {"birth help", LogField::BirthAssist, u"0|1|2|01", u"T42|T41||"},
        {"medicine", LogField::Medication, u"0|1|10|11|-2|-32769|", u"T42|M1|M10||T42||"},
        {"dose", LogField::Dose, u"7|0|255|-3|-15| 7 |seven",
         u"3.5 ml|0.0 ml|127.5 ml|-1.5 ml|-7.5 ml|3.5 ml|"},
        {"temperature", LogField::Temperature, u"385|5|-385|32767|9999999999|12345678901|38.5.1",
         u"38.5|0.5|-38.5|3276.7|999999999.9|1234567890.1|"},
    };
    RecordsFixture f;
    const RecordCells cells(f.settings, f.texts);
    for (const auto &[name, field, texts, shown] : cases) {
        QStringList out;
        for (const QString &text : QString::fromUtf16(texts).split(u'|'))
            out.append(cells.cellText(field, text));
        EXPECT_EQ(out.join(u'|'), QString::fromUtf16(shown)) << name;
    }
    // Decimals follow the regional separator, without grouping.
    QLocale::setDefault(QLocale(QLocale::Danish, QLocale::Denmark));
    const RecordCells danish(f.settings, f.texts);
    EXPECT_EQ(danish.cellText(LogField::Dose, u"7") + u'|'
                  + danish.cellText(LogField::Temperature, u" 32767 "),
              u"3,5 ml|3276,7");
}
