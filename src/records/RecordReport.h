#pragma once

#include "platform/Report.h"

#include <vector>

class Grid;

namespace RecordReport {
// The given record rows of the grid (columns 1 to 13, with their headings and widths), under
// `pageHeader` and above `summary`; `pageNumber` has %1 and %2 for the page and the pages.
Report make(const Grid &mshVimo, const std::vector<int> &rows, const QStringList &pageHeader,
            const QString &summary, const QString &pageNumber);
} // namespace RecordReport
