#include "records/RecordReport.h"

#include "platform/Grid.h"
#include "records/LitterChart.h"
#include "records/LitterSeries.h"
#include "records/Plausibility.h"

namespace {
// The counts, the temperature and the reaction time; the dose carries its unit, so it is text.
bool isFigure(LogField field)
{
    switch (field) {
    case LogField::Alive:
    case LogField::Still:
    case LogField::Mumi:
    case LogField::Weak:
    case LogField::Temperature:
    case LogField::Female:
    case LogField::ReactionTime:
        return true;
    default:
        return false;
    }
}

// "2024-03-07 08:02, Sow 1251: why; why": the row as its date and sow name it on paper.
QString flagNote(const Grid &grid, int row, const QString &reasons)
{
    const int sow = gridColumn(LogField::Sow);
    return grid.text(row, gridColumn(LogField::DateTime)) + QStringLiteral(", ")
        + grid.text(0, sow).remove(QChar::SoftHyphen) + u' ' + grid.text(row, sow).trimmed()
        + QStringLiteral(": ") + reasons;
}
} // namespace

Report RecordReport::make(const Grid &mshVimo, const std::vector<int> &rows, const RecordView::Loaded &loaded,
                          const QStringList &pageHeader, const QString &summary, const TextTable &texts)
{
    Report report;
    report.pageHeader = pageHeader;
    report.pageNumber = texts.text(Txt::PageOfPages);
    report.summary = summary;
    report.flagsHeading = texts.text(Txt::FlagsHeading);
    const int first = gridColumn(LogField::DateTime);
    const int last = gridColumn(LogField(kLogFieldCount - 1));
    for (int col = first; col <= last; ++col) {
        report.columns << mshVimo.text(0, col);
        report.columnWidths.push_back(mshVimo.colWidth(col));
        report.figureColumns.push_back(isFigure(LogField(col - first)));
    }
    for (const int row : rows) {
        QStringList cells;
        QStringList flags;
        for (int col = first; col <= last; ++col) {
            cells << mshVimo.text(row, col);
            flags << mshVimo.toolTip(row, col);
        }
        report.rows.push_back(std::move(cells));
        report.cellFlags.push_back(std::move(flags));
        const QString reasons = report.rowFlags(report.rows.size() - 1);
        if (!reasons.isEmpty())
            report.flagNotes << flagNote(mshVimo, row, reasons);
    }
    report.chart = LitterChart::data(LitterSeries::fromRows(mshVimo, rows, loaded), texts);
    return report;
}
