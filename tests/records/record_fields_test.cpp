#include "RecordBytes.h"
#include "records/RecordFields.h"

#include <gtest/gtest.h>

namespace {
using B = RecordFields::RecordByte;

struct FieldCase
{
    const char *name;
    RecordData record;
    LogField field;
    QString expected;
};

class WrittenField : public ::testing::TestWithParam<FieldCase>
{
};

TEST_P(WrittenField, FromRecordBytes)
{
    const FieldCase &c = GetParam();
    const auto texts = RecordFields::fromRecord(recordBytes(c.record));
    EXPECT_EQ(texts[size_t(c.field)], c.expected);
}

const FieldCase kFieldCases[] = {
    {"DateTime", makeRecord(), LogField::DateTime, QStringLiteral("2024-03-07 09:05")},
    {"DateTimeFirstMoment",
     makeRecord({{B::Year, 0}, {B::Month, 1}, {B::Day, 1}, {B::Hour, 0}, {B::Minute, 0}}), LogField::DateTime,
     QStringLiteral("2000-01-01 00:00")},
    {"DateTimeWideBytes",
     makeRecord({{B::Year, 255}, {B::Month, 123}, {B::Day, 31}, {B::Hour, 23}, {B::Minute, 59}}),
     LogField::DateTime, QStringLiteral("2255-123-31 23:59")},
    {"Person", makeRecord({{B::Staff, 255}}), LogField::Person, QStringLiteral("255")},
    {"SowKeepsFill", makeRecord({}, QByteArrayLiteral("A1\0\0\0\0\0\0\0\0")), LogField::Sow,
     QString(QStringLiteral("A1") + QString(8, QChar(0)))},
    {"SowBlanks", makeRecord({}, QByteArrayLiteral("B2        ")), LogField::Sow,
     QStringLiteral("B2        ")},
    {"SowLineBreaksBecomeBlanks", makeRecord({}, QByteArrayLiteral("A\tB\rC\nD   ")), LogField::Sow,
     QStringLiteral("A B C D   ")},
    {"SowLeadingQuoteBecomesBlank", makeRecord({}, QByteArrayLiteral("\"12\"      ")), LogField::Sow,
     QStringLiteral(" 12\"      ")},
    {"SowCodePage", makeRecord({}, QByteArrayLiteral("\xe6\xf8\xe5\x80\x81\xff    ")), LogField::Sow,
     QString(QStringLiteral(u"\u00e6\u00f8\u00e5\u20ac\u0081\u00ff    "))},
    {"Alive", makeRecord({{B::Alive, 17}}), LogField::Alive, QStringLiteral("17")},
    {"Still", makeRecord({{B::Still, 0}}), LogField::Still, QStringLiteral("0")},
    {"Mumi", makeRecord({{B::Mumi, 200}}), LogField::Mumi, QStringLiteral("200")},
    {"Weak", makeRecord({{B::Weak, 3}}), LogField::Weak, QStringLiteral("3")},
    {"BirthAssistOtherValue", makeRecord({{B::BirthAssist, 2}}), LogField::BirthAssist, QStringLiteral("2")},
    {"MedicationBeyondList", makeRecord({{B::Medication, 11}}), LogField::Medication, QStringLiteral("11")},
    {"Dose", makeRecord({{B::Dose, 255}}), LogField::Dose, QStringLiteral("255")},
    {"Temperature", makeRecord(), LogField::Temperature, QStringLiteral("385")},
    {"TemperatureLargest", makeRecord({{B::TemperatureHigh, 127}, {B::TemperatureLow, 255}}),
     LogField::Temperature, QStringLiteral("32767")},
    {"TemperatureHighByteTooBig", makeRecord({{B::TemperatureHigh, 128}, {B::TemperatureLow, 5}}),
     LogField::Temperature, QStringLiteral("0")},
    {"Female", makeRecord({{B::Female, 9}}), LogField::Female, QStringLiteral("9")},
    {"ReactionTime", makeRecord({{B::ReactionTime, 250}}), LogField::ReactionTime, QStringLiteral("250")},
};

INSTANTIATE_TEST_SUITE_P(Records, WrittenField, ::testing::ValuesIn(kFieldCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(RecordLine, IsOneTabSeparatedLineInTheCodePage)
{
    const auto texts = RecordFields::fromRecord(recordBytes(makeRecord({},
                                                                       QByteArrayLiteral("\xe6"
                                                                                         "A\tB      "))));
    EXPECT_EQ(RecordFields::logLine(texts),
              QByteArrayLiteral("2024-03-07 09:05\t2\t\xe6"
                                "A B      \t11\t1\t0\t2\t0\t3\t7\t385\t6\t12\r\n"));
}

struct CountCase
{
    int high;
    int low;
    std::optional<int> left;
};

TEST(RecordCount, HighByteFirstAndOnlyWhenItFits)
{
    const CountCase cases[] = {{0, 0, 0},
                               {0, 2, 2},
                               {1, 44, 300},
                               {127, 255, 32767},
                               {128, 0, std::nullopt},
                               {255, 255, std::nullopt}};
    for (const CountCase &c : cases) {
        const RecordData data = makeRecord({{B::CountHigh, c.high}, {B::CountLow, c.low}});
        EXPECT_EQ(RecordFields::recordsLeft(recordBytes(data)), c.left) << c.high << ' ' << c.low;
    }
}

TEST(RecordType, OnlyFarrowingTypesAreAccepted)
{
    for (int type = 0; type < 256; ++type)
        EXPECT_EQ(RecordFields::isAcceptedType(recordBytes(makeRecord({{B::Type, type}}))),
                  type >= 1 && type <= 3)
            << type;
}

} // namespace
