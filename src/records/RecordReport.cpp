#include "records/RecordReport.h"

#include "platform/Grid.h"
#include "records/Plausibility.h"

Report RecordReport::make(const Grid &mshVimo, const QStringList &pageHeader, const QString &summary,
                          const QString &pageNumber)
{
    Report report{pageHeader, pageNumber, {}, {}, {}, summary};
    const int first = gridColumn(LogField::DateTime);
    const int last = gridColumn(LogField(kLogFieldCount - 1));
    for (int col = first; col <= last; ++col) {
        report.columns << mshVimo.text(0, col);
        report.columnWidths.push_back(mshVimo.colWidth(col));
    }
    for (int row = mshVimo.fixedRows(); row < mshVimo.rows(); ++row) {
        if (!Plausibility::isRecordRow(mshVimo, row))
            continue;
        QStringList cells;
        for (int col = first; col <= last; ++col)
            cells << mshVimo.text(row, col);
        report.rows.push_back(std::move(cells));
    }
    return report;
}
