#pragma once

#include "platform/Report.h"
#include "records/LitterSeries.h"

#include <QDate>
#include <QString>

class Dialogs;
class Grid;
class RecordChecks;
class RecordView;
class ReportPrinter;
class TextTable;

// The records the grid shows as the office takes them away: to a CSV file or to paper, under
// the range and sow they were loaded with and above their summary and chart; and as a chart.
class RecordOutput
{
public:
    // Without a printer there is nothing to print with.
    RecordOutput(const Grid &mshVimo, const RecordView &view, const RecordChecks &checks,
                 const TextTable &texts, Dialogs &dialogs, ReportPrinter *printer, QString programTitle);

    // What the grid was just loaded with: the chosen range and the sow list's text. The choice
    // may change again before the next load; an export or a print names what the grid shows.
    void loaded(const QDateTime &from, const QDateTime &to, const QString &sow);

    bool canPrint() const { return m_printer != nullptr; }
    // Asks for a file name and writes the CSV file; a failure is told.
    void exportCsv();
    // Prints; a failure is told, a cancel is not.
    void print();

    // The rows the summary counts, as they go to paper or to a file.
    Report report() const;
    // Their litters, day by day or week by week.
    LitterSeries series() const;

private:
    const Grid &m_grid;
    const RecordView &m_view;
    const RecordChecks &m_checks;
    const TextTable &m_texts;
    Dialogs &m_dialogs;
    ReportPrinter *m_printer;
    QString m_programTitle;
    QDate m_from, m_to;
    QString m_rangeLine, m_sowLine;
};
