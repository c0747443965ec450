#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// A table of records as it goes to paper or a file: what each page shows on top, the column
// headings with their widths, the rows of cell texts and a summary below the last row.
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
};
