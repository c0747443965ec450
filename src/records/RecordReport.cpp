#include "records/RecordReport.h"

#include "platform/Grid.h"
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
} // namespace

Report RecordReport::make(const Grid &mshVimo, const std::vector<int> &rows, const QStringList &pageHeader,
                          const QString &summary, const QString &pageNumber)
{
    Report report{pageHeader, pageNumber, {}, {}, {}, summary, {}};
    const int first = gridColumn(LogField::DateTime);
    const int last = gridColumn(LogField(kLogFieldCount - 1));
    for (int col = first; col <= last; ++col) {
        report.columns << mshVimo.text(0, col);
        report.columnWidths.push_back(mshVimo.colWidth(col));
        report.figureColumns.push_back(isFigure(LogField(col - first)));
    }
    for (const int row : rows) {
        QStringList cells;
        for (int col = first; col <= last; ++col)
            cells << mshVimo.text(row, col);
        report.rows.push_back(std::move(cells));
    }
    return report;
}
