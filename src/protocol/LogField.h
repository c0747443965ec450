#pragma once

#include <QStringView>

#include <array>

// The thirteen fields of a farrowing record, in the one order shared by the log line and the
// record grid (field f sits in grid column f + 1; column 0 stays empty).
enum class LogField : int {
    DateTime,
    Person,
    Sow,
    Alive,
    Still,
    Mumi,
    Weak,
    BirthAssist,
    Medication,
    Dose,
    Temperature,
    Female,
    ReactionTime,
};

constexpr int kLogFieldCount = 13;

constexpr int gridColumn(LogField field)
{
    return int(field) + 1;
}

// The texts of one record's fields, pointing into a line or into held strings.
using LogFieldViews = std::array<QStringView, kLogFieldCount>;
