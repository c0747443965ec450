#pragma once

#include <QString>

#include <array>

// The program's settings as one value: what a setup file holds, what the options window edits a
// copy of, and what the poll scheduler and the start-up work from.
struct Settings
{
    static constexpr int kStaffNames = 20;
    static constexpr int kMedicineNames = 10;
    static constexpr int kTemperatureChoices = 2;
    static constexpr int kLargestTerminalCount = 254; // addresses 1..254; 255 reaches all terminals

    QString language;
    int comPort = 0;
    int temperature = 0; // position in the temperature list, -1 for none
    // The times are hh:mm texts and the number of terminals a text, kept as written: they are
    // saved back verbatim and read as numbers only where they are used.
    // Kept: until a setup file gives them they are the options window's text boxes' own names,
    // which count as 0 minutes and 0 terminals, because a save made without a setup file has
    // always written those names, and they must read back as they were saved.
    QString interval1 = QStringLiteral("txtIntv1");
    QString interval2 = QStringLiteral("txtIntv2");
    QString duration1 = QStringLiteral("txtDur1");
    QString handTerminals = QStringLiteral("txtNoHand");
    std::array<QString, kStaffNames> staff;
    std::array<QString, kMedicineNames> medicine;

    // The terminals polled one by one: the leading number of handTerminals, 0 when there is none,
    // at most kLargestTerminalCount.
    int terminalCount() const;

    bool operator==(const Settings &) const = default;
};
