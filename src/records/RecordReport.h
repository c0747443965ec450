#pragma once

#include "platform/Report.h"
#include "records/RecordView.h"

#include <vector>

class Grid;
class TextTable;

namespace RecordReport {
// The given record rows of the grid (columns 1 to 13, with their headings and widths, and the
// reasons of their flagged cells), under `pageHeader` and above `summary`, then the chart of
// their litters over the days the grid was `loaded` with; titles in the current language.
Report make(const Grid &mshVimo, const std::vector<int> &rows, const RecordView::Loaded &loaded,
            const QStringList &pageHeader, const QString &summary, const TextTable &texts);
} // namespace RecordReport
