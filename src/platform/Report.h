#pragma once

#include "platform/ChartData.h"

#include <QString>
#include <QStringList>

#include <vector>

// A table of records as it goes to paper or a file: what each page shows on top, the column
// headings with their widths, the rows of cell texts, a summary below the last row and a chart
// at the end.
struct Report
{
    QStringList pageHeader; // on top of every page, left to right
    QString pageNumber; // "Page %1 of %2"
    QStringList columns;
    std::vector<int> columnWidths; // in twips; the page shares its width in these proportions
    std::vector<QStringList> rows;
    QString summary;
    // Columns whose cells are figures, read by a spreadsheet as numbers; the others hold text.
    std::vector<bool> figureColumns;
    // Why a cell cannot be right, by row and column like `rows`; empty for a cell that is not
    // flagged. A row may have fewer entries than cells.
    std::vector<QStringList> cellFlags;
    QString flagsHeading; // over the list of flags on paper and the file's last column
    QStringList flagNotes; // under the table on paper: which row, and why
    ChartData chart; // after the summary on paper; nothing drawn when it has no periods

    // The reasons of a row's flagged cells, left to right, "; " between them.
    QString rowFlags(size_t row) const;
};
