#pragma once

#include "records/LogField.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <span>

// A farrowing record as a terminal sends it (30 data bytes) and the log field texts made
// from it.
namespace RecordFields {

constexpr int kRecordBytes = 30;
constexpr int kSowLength = 10;

// Where each value sits in the record's data bytes.
enum class RecordByte : int {
    CountHigh = 0, // records the terminal still holds after this one, high byte first
    CountLow = 1,
    Type = 2,
    Year = 3, // year - 2000
    Month = 4,
    Day = 5,
    Hour = 6,
    Minute = 7,
    Staff = 8,
    ReactionTime = 9,
    Alive = 10,
    Still = 11,
    Mumi = 12,
    Weak = 13,
    Female = 14,
    BirthAssist = 15,
    Medication = 16,
    Dose = 17,
    TemperatureHigh = 18,
    TemperatureLow = 19,
    SowFirst = 20,
};

using RecordBytes = std::span<const std::uint8_t, kRecordBytes>;
using FieldTexts = std::array<QString, kLogFieldCount>;

// Only record types 1, 2 and 3 are farrowing records.
bool isAcceptedType(RecordBytes bytes);
// The count of records still held; nothing when it does not fit a 16-bit signed number.
std::optional<int> recordsLeft(RecordBytes bytes);

FieldTexts fromRecord(RecordBytes bytes);
LogFieldViews views(const FieldTexts &texts);
// One whole log line: the fields joined by TAB, ended by CR LF, in the log's code page.
QByteArray logLine(const FieldTexts &texts);

} // namespace RecordFields
