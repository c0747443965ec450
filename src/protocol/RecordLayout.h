#pragma once

// The 30 data bytes of a record packet, as a hand terminal sends a farrowing record.
namespace RecordLayout {

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

} // namespace RecordLayout
