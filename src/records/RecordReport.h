#pragma once

#include "platform/Report.h"

class Grid;

namespace RecordReport {
// The record rows the grid shows (columns 1 to 13, with their headings and widths), under
// `pageHeader` and above `summary`; `pageNumber` has %1 and %2 for the page and the pages.
Report make(const Grid &mshVimo, const QStringList &pageHeader, const QString &summary,
            const QString &pageNumber);
} // namespace RecordReport
