#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>

class ComboBox;
class DatePicker;
class Grid;
class LogFile;
class TextTable;
struct Settings;

// The record grid of the main window: its layout, the start-up load of yesterday's and
// today's records with the sow list, and the reload of a date range for all sows or one.
class RecordView
{
public:
    RecordView(Grid &mshVimo, ComboBox &cmbSow, DatePicker &dtpStart, DatePicker &dtpSlut,
               const Settings &settings, const TextTable &texts, const LogFile &logFile);

    // Columns, widths, the header row and its alignment.
    void layoutGrid();
    // The column headings from the text table.
    void setHeaderTexts();

    // Adds a row for every record line of the day before `now` and of `now`'s day, unsorted
    // and unfiltered. Returns the path of today's log file.
    QString loadStartupDays(const QDateTime &now);
    // Sorts by sow, lists every sow once in that order after "all sows", then sorts by date
    // and time.
    void sortAndBuildSowList();

    // The update button: reloads the days from dtpStart to dtpSlut for the chosen sow (all
    // sows when the first entry is chosen, which also rebuilds the list in the order the
    // sows are met), sorted by date and time; the last row becomes the current one.
    void rangeLoad();

    // The day files and the sow the grid was last loaded with.
    struct Loaded
    {
        QDate first, last; // none when no day was loaded
        QString sow; // empty for all sows
        bool allSows = true;
        // Whether a record stored on `day` for `sow` is one a load of the same would show.
        bool holds(const QDate &day, QStringView sow) const;
    };
    const Loaded &loaded() const { return m_loaded; }

private:
    // Rows 1..firstNew-1 are in date order already; brings rows 1..last into it.
    void sortDayIn(int firstNew, int last);

    Grid &m_grid;
    ComboBox &m_cmbSow;
    DatePicker &m_dtpStart;
    DatePicker &m_dtpSlut;
    const Settings &m_settings;
    const TextTable &m_texts;
    const LogFile &m_logFile;
    Loaded m_loaded;
};
