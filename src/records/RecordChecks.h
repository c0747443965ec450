#pragma once

#include "records/LitterSummary.h"

class Clock;
class Grid;
class Label;
class TextTable;
class frmOption;

// Keeps the summary line and the flagged cells in step with the record rows the grid shows:
// all of them after a load, the new ones as live records arrive.
class RecordChecks
{
public:
    RecordChecks(Grid &mshVimo, Label &lblSummary, const frmOption &options, const TextTable &texts,
                 const Clock &clock);

    // Every row again, after the grid was loaded anew.
    void recheck();
    // The rows added below those already counted; all again when rows were taken away.
    void checkNewRows();

private:
    TemperatureUnit unit() const;
    void checkRowsFrom(int first);

    Grid &m_grid;
    Label &m_label;
    const frmOption &m_options;
    const TextTable &m_texts;
    const Clock &m_clock;
    LitterSummary m_summary;
    int m_checkedRows = 0;
};
