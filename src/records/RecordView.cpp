#include "records/RecordView.h"

#include "platform/ComboBox.h"
#include "platform/DatePicker.h"
#include "platform/Grid.h"
#include "protocol/LogField.h"
#include "records/LogFile.h"
#include "records/LogLine.h"
#include "records/RecordCells.h"
#include "settings/TextTable.h"

#include <QSet>

#include <algorithm>
#include <vector>

namespace {
constexpr int kColumns = 14;
constexpr int kHeaderHeight = 600;
constexpr int kGridWidth = 12550;
constexpr std::array<int, kColumns> kColumnWidths
    = {500, 1600, 900, 1200, 800, 800, 800, 800, 800, 1100, 800, 800, 800, 800};
constexpr std::array<Txt, kLogFieldCount> kHeadings
    = {Txt::DateTimeColumn,    Txt::PersonColumn, Txt::SowColumn,         Txt::AliveColumn,
       Txt::StillColumn,       Txt::MumiColumn,   Txt::WeakColumn,        Txt::BirthAssistColumn,
       Txt::MedicationColumn,  Txt::DoseColumn,   Txt::TemperatureColumn, Txt::FemaleColumn,
       Txt::ReactionTimeColumn};
constexpr int kFirstRecordRow = 1;
const int kDateColumn = gridColumn(LogField::DateTime);
const int kSowColumn = gridColumn(LogField::Sow);

// Adds record rows below the last one. The grid is given room for every line read at once:
// growing it a row at a time would move all earlier rows again and again.
class RowAppender
{
public:
    RowAppender(Grid &grid, qsizetype expected) : m_grid(grid)
    {
        m_grid.reserveRows(m_grid.rows() + expected);
    }
    int add()
    {
        m_grid.setRows(m_grid.rows() + 1);
        return m_grid.rows() - 1;
    }
    int next() const { return m_grid.rows(); }

private:
    Grid &m_grid;
};

// The day files that can be read, with the number of their record lines added to `lines`.
QStringList readableDays(const LogFile &logFile, const std::vector<QDate> &days, qsizetype &lines)
{
    QStringList paths;
    lines = 0;
    for (const QDate &day : days)
        if (const auto count = LogLine::countRecordLines(logFile.path(day))) {
            lines += *count;
            paths.append(logFile.path(day));
        }
    return paths;
}

int compareKeys(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseSensitive);
}
} // namespace

RecordView::RecordView(Grid &mshVimo, ComboBox &cmbSow, DatePicker &dtpStart, DatePicker &dtpSlut,
                       const Settings &settings, const TextTable &texts, const LogFile &logFile)
    : m_grid(mshVimo), m_cmbSow(cmbSow), m_dtpStart(dtpStart), m_dtpSlut(dtpSlut), m_settings(settings),
      m_texts(texts), m_logFile(logFile)
{ }

void RecordView::layoutGrid()
{
    m_grid.setCols(kColumns);
    m_grid.setFixedRows(1);
    for (int col = 0; col < kColumns; ++col)
        m_grid.setColWidth(col, kColumnWidths[size_t(col)]);
    m_grid.setRowHeight(0, kHeaderHeight);
    m_grid.setWidth(kGridWidth);
    for (int col = 1; col < kColumns; ++col)
        m_grid.setAlignment(0, col, Grid::Alignment::CentreCentre);
}

void RecordView::setHeaderTexts()
{
    int field = 0;
    for (const Txt heading : kHeadings)
        m_grid.setText(0, gridColumn(LogField(field++)), m_texts.text(heading));
}

bool RecordView::Loaded::holds(const QDate &day, QStringView recordSow) const
{
    return day.isValid() && first.isValid() && first <= day && day <= last && (allSows || recordSow == sow);
}

QString RecordView::loadStartupDays(const QDateTime &now)
{
    const QDate today = now.date();
    m_loaded = {now.addDays(-1).date(), today, {}, true};
    qsizetype lines = 0;
    const QStringList files = readableDays(m_logFile, {now.addDays(-1).date(), today}, lines);

    const Grid::Batch batch(m_grid);
    const RecordCells cells(m_settings, m_texts);
    RowAppender rows(m_grid, lines);
    for (const QString &file : files)
        LogLine::forEachRecordLineOf(
            file, [&](QStringView line) { cells.fillRow(m_grid, rows.add(), LogLine::split(line)); });
    return m_logFile.path(today);
}

void RecordView::sortAndBuildSowList()
{
    const Grid::Batch batch(m_grid);
    const int last = m_grid.rows() - 1;

    // Every sow once, in the order of a sort by sow.
    QSet<QStringView> distinct;
    for (int row = kFirstRecordRow; row <= last; ++row)
        distinct.insert(m_grid.textView(row, kSowColumn));
    std::vector<QStringView> sows(distinct.begin(), distinct.end());
    std::sort(sows.begin(), sows.end(), [](QStringView a, QStringView b) { return compareKeys(a, b) < 0; });
    m_cmbSow.clear();
    m_cmbSow.addItem(m_texts.text(Txt::AllSows));
    m_cmbSow.setCurrentIndex(0);
    // Kept: a blank sow is not listed here (the list was built by comparing each sow with the
    // one before, starting from a blank), while a range load does list it.
    QStringList entries;
    for (const QStringView sow : sows)
        if (!sow.isEmpty())
            entries.append(sow.toString());
    m_cmbSow.addItems(entries);

    // By date and time, and by sow among equal times: what a sort by sow and then a stable
    // sort by date gives, in one pass.
    m_grid.sortRows(kFirstRecordRow, last, {kDateColumn, kSowColumn});
}

void RecordView::rangeLoad()
{
    const Grid::Batch batch(m_grid);
    // Kept: reset to the header and an empty row 1 that stays above the records (an empty text
    // sorts first and adds no sow), because the grid has always started so and row 1 is never a record.
    m_grid.setRows(1);
    m_grid.setRows(2);

    const bool allSows = m_cmbSow.currentIndex() <= 0;
    if (allSows) {
        m_cmbSow.clear();
        m_cmbSow.addItem(m_texts.text(Txt::AllSows));
        m_cmbSow.setCurrentIndex(0);
    }
    const QString chosenSow = allSows ? QString() : m_cmbSow.currentText();

    // Kept: every day from the start while that day at the start's time of day is not later than
    // the end, so a range ending at 09:00 does not reach a day that starts at 10:00, because the
    // date pickers carry the time of day and users have always picked ranges this way.
    std::vector<QDate> days;
    const QDateTime end = m_dtpSlut.value();
    for (QDateTime d = m_dtpStart.value(); d.isValid() && end.isValid() && d <= end; d = d.addDays(1))
        days.push_back(d.date());
    m_loaded
        = {days.empty() ? QDate() : days.front(), days.empty() ? QDate() : days.back(), chosenSow, allSows};
    qsizetype lines = 0;
    const QStringList files = readableDays(m_logFile, days, lines);

    const RecordCells cells(m_settings, m_texts);
    QSet<QString> listed;
    QStringList entries;
    RowAppender rows(m_grid, lines);
    for (const QString &file : files) {
        const int firstNew = rows.next();
        LogLine::forEachRecordLineOf(file, [&](QStringView line) {
            const LogFieldViews fields = LogLine::split(line);
            const QStringView sow = fields[size_t(LogField::Sow)];
            if (!allSows && sow != chosenSow)
                return;
            cells.fillRow(m_grid, rows.add(), fields);
            // Kept: a reload for all sows lists them in the order they are met, not sorted as at
            // start-up, because that is the list users have always seen after a reload.
            if (allSows && !listed.contains(QString::fromRawData(sow.data(), sow.size()))) {
                listed.insert(sow.toString());
                entries.append(sow.toString());
            }
        });
        sortDayIn(firstNew, rows.next() - 1);
    }
    m_cmbSow.addItems(entries);
    m_grid.setCurrentCell(m_grid.rows() - 1, std::max(m_grid.currentCol(), m_grid.fixedCols()));
}

// Same outcome as sorting rows 1..last, but only the rows from the first earlier row that
// sorts after the day's earliest record are touched; a day that follows on in order costs
// nothing but a look at its own rows.
void RecordView::sortDayIn(int firstNew, int last)
{
    if (firstNew > last)
        return;
    QStringView earliest = m_grid.textView(firstNew, kDateColumn);
    bool inOrder = true;
    for (int row = firstNew + 1; row <= last; ++row) {
        const QStringView key = m_grid.textView(row, kDateColumn);
        if (compareKeys(key, m_grid.textView(row - 1, kDateColumn)) < 0)
            inOrder = false;
        if (compareKeys(key, earliest) < 0)
            earliest = key;
    }
    int low = kFirstRecordRow;
    int high = firstNew;
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (compareKeys(m_grid.textView(mid, kDateColumn), earliest) <= 0)
            low = mid + 1;
        else
            high = mid;
    }
    if (low == firstNew && inOrder)
        return;
    m_grid.sortRows(low, last, kDateColumn);
}
