#include "RecordsFixture.h"
#include "records/LogLine.h"
#include "records/RecordCells.h"

#include <gtest/gtest.h>

namespace {

struct CellCase
{
    const char *name;
    LogField field;
    const char16_t *text;
    const char16_t *expected;
};

class CellText : public ::testing::TestWithParam<CellCase>
{
protected:
    RecordsFixture f;
};

TEST_P(CellText, ShowsFieldAsTheGridDoes)
{
    const CellCase &c = GetParam();
    const RecordCells cells(f.options->mshStaff, f.options->mshMedicine, f.texts);
    EXPECT_EQ(cells.cellText(c.field, QStringView(c.text)), QStringView(c.expected));
}

const CellCase kCellCases[] = {
    {"DateTimeUnchanged", LogField::DateTime, u"2024-03-07 09:05", u"2024-03-07 09:05"},
    {"SowUnchanged", LogField::Sow, u"A1        ", u"A1        "},
    {"CountUnchanged", LogField::Alive, u"x 1", u"x 1"},
    {"FirstStaffName", LogField::Person, u"0", u"S0"},
    {"LastStaffName", LogField::Person, u"19", u"S19"},
    {"StaffBeyondList", LogField::Person, u"20", u""},
    {"StaffNegative", LogField::Person, u"-1", u""},
    {"StaffNotANumber", LogField::Person, u"abc", u""},
    {"StaffWithBlanks", LogField::Person, u" 3 ", u"S3"},
    {"BirthAssistNo", LogField::BirthAssist, u"0", u"T42"},
    {"BirthAssistYes", LogField::BirthAssist, u"1", u"T41"},
    {"BirthAssistOther", LogField::BirthAssist, u"2", u""},
    {"BirthAssistNotExactly", LogField::BirthAssist, u"01", u""},
    {"NoMedication", LogField::Medication, u"0", u"T42"},
    {"Medicine", LogField::Medication, u"3", u"M3"},
    {"LastMedicine", LogField::Medication, u"10", u"M10"},
    {"MedicineBeyondList", LogField::Medication, u"11", u""},
    {"MedicationNegative", LogField::Medication, u"-2", u"T42"},
    {"MedicationNotANumber", LogField::Medication, u"", u""},
    {"Dose", LogField::Dose, u"7", u"3.5 ml"},
    {"DoseZero", LogField::Dose, u"0", u"0.0 ml"},
    {"DoseLargest", LogField::Dose, u"255", u"127.5 ml"},
    {"DoseNegative", LogField::Dose, u"-3", u"-1.5 ml"},
    {"DoseWithBlanks", LogField::Dose, u" 7 ", u"3.5 ml"},
    {"DoseNotANumber", LogField::Dose, u"seven", u""},
    {"DoseEmpty", LogField::Dose, u"", u""},
    {"Temperature", LogField::Temperature, u"385", u"38.5"},
    {"TemperatureSmall", LogField::Temperature, u"5", u"0.5"},
    {"TemperatureZero", LogField::Temperature, u"0", u"0.0"},
    {"TemperatureNoGrouping", LogField::Temperature, u"32767", u"3276.7"},
    {"TemperatureHuge", LogField::Temperature, u"12345678901", u"1234567890.1"},
    {"TemperatureNotANumber", LogField::Temperature, u"38.5.1", u""},
};

INSTANTIATE_TEST_SUITE_P(Records, CellText, ::testing::ValuesIn(kCellCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CellDecimals, FollowTheRegionalSeparatorWithoutGrouping)
{
    RecordsFixture f;
    QLocale::setDefault(QLocale(QLocale::Danish, QLocale::Denmark));
    const RecordCells cells(f.options->mshStaff, f.options->mshMedicine, f.texts);
    EXPECT_EQ(cells.cellText(LogField::Dose, u"7"), u"3,5 ml");
    EXPECT_EQ(cells.cellText(LogField::Temperature, u"32767"), u"3276,7");
    EXPECT_EQ(cells.cellText(LogField::Temperature, u" 385 "), u"38,5");
}

TEST(CellNames, FollowTheOptionLists)
{
    RecordsFixture f;
    f.options->mshStaff.setText(3, 1, QStringLiteral("Hanne"));
    f.options->mshMedicine.setRows(4);
    const RecordCells cells(f.options->mshStaff, f.options->mshMedicine, f.texts);
    EXPECT_EQ(cells.cellText(LogField::Person, u"2"), u"Hanne");
    EXPECT_EQ(cells.cellText(LogField::Medication, u"3"), u"M3");
    EXPECT_EQ(cells.cellText(LogField::Medication, u"4"), u"");
}

TEST(RowFill, WritesColumnsOneToThirteenAndLeavesColumnZero)
{
    RecordsFixture f;
    f.mshVimo.setText(1, 0, QStringLiteral("keep"));
    f.mshVimo.setText(1, 5, QStringLiteral("old text"));
    const RecordCells cells(f.options->mshStaff, f.options->mshMedicine, f.texts);
    cells.fillRow(f.mshVimo, 1,
                  LogLine::split(u"2024-03-07 09:05\t2\tA1        \t11\t1\t0\t2\t1\t3\t7\t385\t6\t12"));
    EXPECT_EQ(f.mshVimo.text(1, 0), u"keep");
    EXPECT_EQ(f.row(1),
              strings({u"2024-03-07 09:05", u"S2", u"A1        ", u"11", u"1", u"0", u"2", u"T41", u"M3",
                       u"3.5 ml", u"38.5", u"6", u"12"}));
}

} // namespace
