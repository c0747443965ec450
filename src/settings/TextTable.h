#pragma once

#include <QString>

#include <array>

// The numbers of the texts the program shows.
enum class Txt : int {
    SowHeading = 2,
    StartHeading = 3,
    EndHeading = 4,
    BusStart = 5,
    ActivityStart = 6,
    Options = 7,
    StaffHeading = 10,
    StaffColumn = 11,
    MedicineHeading = 12,
    MedicineColumn = 13,
    Language = 14,
    ListPorts = 30,
    Temperature = 31,
    Interval1 = 32,
    Interval2 = 33,
    Duration1 = 34,
    TemperatureChoice0 = 35,
    TemperatureChoice1 = 36,
    HandTerminals = 37,
    SerialPortHeading = 38,
    Setup = 39,
    SaveAndClose = 40,
    Yes = 41,
    No = 42,
    Serving = 43,
    Broadcasting = 44,
    ReactionTimeColumn = 45,
    DateTimeColumn = 57,
    PersonColumn = 58,
    SowColumn = 59,
    AliveColumn = 60,
    StillColumn = 61,
    MumiColumn = 62,
    WeakColumn = 63,
    BirthAssistColumn = 64,
    MedicationColumn = 65,
    DoseColumn = 66,
    TemperatureColumn = 67,
    FemaleColumn = 68,
    AllSows = 69,
    Update = 70,
    UnknownRecord = 71, // followed by the terminal's number
    Export = 72,
    Print = 73,
    SummaryLitters = 74, // the summary's parts; %1, %2 are their figures
    SummaryAlive = 75,
    SummaryStill = 76,
    SummaryMumi = 77,
    SummaryWeak = 78,
    SummaryBirthHelp = 79,
    SummaryTemperature = 80,
    SummaryFlagged = 81,
    FlagFemales = 82, // why a cell is flagged
    FlagWeak = 83,
    FlagNoPiglets = 84,
    FlagLargeLitter = 85,
    FlagTemperature = 86, // %1 is the plausible range
    FlagFuture = 87,
    ExportTitle = 88,
    WriteFailed = 89, // followed by the path
    PageOfPages = 90,
    PrintFailed = 91,
    UnusableRecords = 92, // %1 the terminal
    Chart = 93, // the main window's button
    ChartTitle = 94,
    ChartLitters = 95, // the chart's bars, axis and legend
    PortNoPermission = 96, // %1 the port, %2 the group that may use it
    PortInUse = 97, // %1 the port
    VersionFacts = 98, // %1 the program's version, %2 Qt's, %3 Qt's at the build
    PortNotFound = 99, // %1 the port
    ChartAlivePerLitter = 100, // the chart's lines, axis and legend
    ChartStillPerLitter = 101,
    ChartDay = 102, // under the periods of the chart
    ChartWeek = 103,
    FlagsHeading = 104, // over the reasons of flagged cells, printed and exported
};

// The 105 user-interface texts of the current language, numbered 0 to 104.
class TextTable
{
public:
    static constexpr int kSize = 105;

    const QString &text(Txt id) const { return m_texts[size_t(id)]; }
    const QString &text(int index) const { return m_texts[size_t(index)]; }
    // Returns false for an index outside 0..104.
    bool set(int index, const QString &text);

private:
    std::array<QString, kSize> m_texts;
};
