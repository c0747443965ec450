// The chart window and the printed page with its flags and chart, in each language the program
// ships. With PCVIMO_SCREENSHOTS=<folder> the window is saved there as chart-<language>.png and
// the printout as printed-page-<language>.pdf.

#include "fakes/FakeDialogs.h"
#include "platform/Grid.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/QtReportPrinter.h"
#include "records/LitterSeries.h"
#include "records/LitterSummary.h"
#include "records/RecordReport.h"
#include "records/frmChart.h"
#include "settings/LanguageFile.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace {

// A farrowing unit's records of March 2024 from `first` to `last`: one to four litters a day and
// a quiet day now and then, two of them with figures that cannot be right, flagged as the main
// window flags them.
void fillGrid(Grid &grid, const TextTable &texts, int first, int last)
{
    const Txt headings[]
        = {Txt::DateTimeColumn,    Txt::PersonColumn, Txt::SowColumn,         Txt::AliveColumn,
           Txt::StillColumn,       Txt::MumiColumn,   Txt::WeakColumn,        Txt::BirthAssistColumn,
           Txt::MedicationColumn,  Txt::DoseColumn,   Txt::TemperatureColumn, Txt::FemaleColumn,
           Txt::ReactionTimeColumn};
    const int widths[] = {1800, 1350, 900, 900, 900, 900, 900, 900, 1100, 800, 700, 900, 1000};
    grid.setRows(1);
    for (int c = 0; c < 13; ++c) {
        grid.setText(0, c + 1, texts.text(headings[c]));
        grid.setColWidth(c + 1, widths[c]);
    }
    int sow = 1200;
    for (int day = first; day <= last; ++day) {
        const int litters = day % 9 == 0 ? 0 : 1 + day * 7 % 4;
        for (int i = 0; i < litters; ++i, ++sow) {
            int alive = 9 + (sow * 5) % 7;
            int still = sow % 4 == 0 ? 2 : sow % 2;
            int weak = sow % 3;
            if (sow == 1203)
                alive = still = 0;
            if (sow == 1209)
                weak = alive + 2;
            const QString when = u"2024-03-%1 %2:%3"_s.arg(day, 2, 10, QLatin1Char('0'))
                                     .arg(6 + 3 * i, 2, 10, QLatin1Char('0'))
                                     .arg(sow % 60, 2, 10, QLatin1Char('0'));
            grid.appendRow({QString(), when, i % 2 ? u"Anna"_s : u"Bo"_s, QString::number(sow),
                            QString::number(alive), QString::number(still), u"0"_s, QString::number(weak),
                            texts.text(sow % 5 == 0 ? Txt::Yes : Txt::No), QString(), QString(),
                            u"38.%1"_s.arg(sow % 10), QString::number(alive / 2),
                            QString::number(3 + sow % 9)});
        }
    }
    for (int row = 1; row < grid.rows(); ++row) {
        const LitterValues values = Plausibility::read(grid, row, texts.text(Txt::Yes));
        for (const Flag &flag : Plausibility::check(values, TemperatureUnit::Celsius, u"2024-04-01 00:00"))
            grid.setToolTip(row, gridColumn(flag.field),
                            Plausibility::reasonText(flag, texts, TemperatureUnit::Celsius, u"."));
    }
}

class ChartInLanguage : public testing::TestWithParam<const char *>
{
};

TEST_P(ChartInLanguage, TitledFromTheLanguageFileAndPrintedAfterTheSummary)
{
    const QString language = QLatin1String(GetParam());
    TextTable texts;
    FakeDialogs dialogs;
    LanguageFile::LoadLanguage(texts, QStringLiteral(PCVIMO_DATA_DIR), language, dialogs);
    ASSERT_TRUE(dialogs.messages.empty());

    Grid month(1, 14);
    fillGrid(month, texts, 1, 31);
    std::vector<int> rows;
    for (int row = 1; row < month.rows(); ++row)
        rows.push_back(row);
    frmChart chart(texts);
    chart.showSeries(LitterSeries::fromRows(month, rows, {QDate(2024, 3, 1), QDate(2024, 3, 31), {}, true}));
    FormWindow window(chart);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), texts.text(Txt::ChartTitle));
    const ChartData &shown = chart.chtLitters.data();
    EXPECT_EQ(shown.periods(), 31);
    for (const QString &title : {window.windowTitle(), shown.xTitle, shown.barTitle, shown.lines.at(0).title,
                                 shown.lines.at(1).title})
        EXPECT_FALSE(title.isEmpty()) << language.toStdString();

    // Four days on paper: the rows, the flagged ones shaded and named under them, the summary, the chart.
    Grid days(1, 14);
    fillGrid(days, texts, 1, 4);
    rows.clear();
    LitterSummary summary;
    for (int row = 1; row < days.rows(); ++row) {
        rows.push_back(row);
        const LitterValues values = Plausibility::read(days, row, texts.text(Txt::Yes));
        summary.add(values,
                    !Plausibility::check(values, TemperatureUnit::Celsius, u"2024-04-01 00:00").empty());
    }
    const Report report = RecordReport::make(
        days, rows, {QDate(2024, 3, 1), QDate(2024, 3, 4), {}, true},
        {u"PC Vimo 2"_s,
         texts.text(Txt::StartHeading) + u" 2024-03-01 "_s + texts.text(Txt::EndHeading) + u" 2024-03-04"_s,
         texts.text(Txt::SowHeading) + u": "_s + texts.text(Txt::AllSows)},
        summary.line(texts, TemperatureUnit::Celsius, u"."), texts);
    EXPECT_EQ(report.flagNotes.size(), 2);
    const QString screenshots = qEnvironmentVariable("PCVIMO_SCREENSHOTS");
    if (!screenshots.isEmpty()) {
        window.grab().save(u"%1/chart-%2.png"_s.arg(screenshots, language));
        EXPECT_EQ(QtReportPrinter(u"%1/printed-page-%2.pdf"_s.arg(screenshots, language)).print(report),
                  PrintOutcome::Printed);
    }
}

INSTANTIATE_TEST_SUITE_P(ChartWindow, ChartInLanguage, testing::Values("UK", "DK", "DE"));

} // namespace
