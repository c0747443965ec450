#pragma once

#include "records/LitterSummary.h"

#include <vector>

class Clock;
class Grid;
class Label;
class RecordView;
class TextTable;
struct Settings;

// Keeps the summary line and the flagged cells in step with the record rows the grid shows:
// all of them after a load, the new ones as live records arrive. Every row shown is checked;
// the summary counts the rows of the loaded days and sow only, so that it, the export and the
// printout never count a live record under a range or a sow it is not of.
class RecordChecks
{
public:
    RecordChecks(Grid &mshVimo, Label &lblSummary, const RecordView &view, const Settings &settings,
                 const TextTable &texts, const Clock &clock);

    // Every row again, after the grid was loaded anew: they are all of the loaded range.
    void recheck();
    // The rows added below those already checked (live records, stored today); all again when
    // rows were taken away.
    void checkNewRows();
    // The record rows the summary counts, top to bottom.
    const std::vector<int> &countedRows() const { return m_countedRows; }
    // The summary of those rows, as the summary label shows it.
    const QString &summaryLine() const { return m_summaryLine; }

private:
    TemperatureUnit unit() const;
    void checkRowsFrom(int first, bool loaded);

    Grid &m_grid;
    Label &m_label;
    const RecordView &m_view;
    const Settings &m_settings;
    const TextTable &m_texts;
    const Clock &m_clock;
    LitterSummary m_summary;
    std::vector<int> m_countedRows;
    QString m_summaryLine;
    int m_checkedRows = 0;
};
