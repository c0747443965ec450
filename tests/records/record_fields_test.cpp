#include "RecordBytes.h"

#include <gtest/gtest.h>

using B = RecordFields::RecordByte;

static RecordFields::FieldTexts fields(const RecordData &record)
{
    return RecordFields::fromRecord(std::span(record).first<RecordFields::kRecordBytes>());
}

// Every figure of the typical record in its place in the log line, in the log's code page; then
// single fields of other records.
TEST(RecordFields, RecordBytesInFieldTextOut)
{
    EXPECT_EQ(RecordFields::logLine(fields(makeRecord({}, "\xe6\x80"))),
              "2024-03-07 09:05\t2\t\xe6\x80        \t11\t5\t0\t4\t1\t3\t7\t385\t6\t12\r\n");
    const std::tuple<const char *, RecordData, LogField, QString> cases[] = {
        {"the earliest date",
         makeRecord({{B::Year, 0}, {B::Month, 1}, {B::Day, 1}, {B::Hour, 0}, {B::Minute, 0}}),
         LogField::DateTime, QStringLiteral("2000-01-01 00:00")},
        {"two-digit date parts", makeRecord({{B::Month, 12}, {B::Day, 31}, {B::Hour, 23}, {B::Minute, 59}}),
         LogField::DateTime, QStringLiteral("2024-12-31 23:59")},
        {"staff 255", makeRecord({{B::Staff, 255}}), LogField::Person, QStringLiteral("255")},
        // A TAB, CR or LF would split the line read back; a leading quote would cost two characters.
        {"line breaks in the sow", makeRecord({}, "A\tB\rC\nD"), LogField::Sow, QStringLiteral("A B C D   ")},
        {"a quoted sow", makeRecord({}, "\"12\""), LogField::Sow, QStringLiteral(" 12\"      ")},
        {"the highest temperature", makeRecord({{B::TemperatureHigh, 127}, {B::TemperatureLow, 255}}),
         LogField::Temperature, QStringLiteral("32767")},
        {"a temperature's high bit", makeRecord({{B::TemperatureHigh, 128}, {B::TemperatureLow, 5}}),
         LogField::Temperature, QStringLiteral("0")},
    };
    for (const auto &[name, record, field, text] : cases)
        EXPECT_EQ(fields(record)[size_t(field)], text) << name;
}
