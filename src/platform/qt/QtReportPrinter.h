#pragma once

#include "platform/ReportPrinter.h"

#include <QSize>

#include <functional>

class QPainter;
class QPrinter;

// Prints through the system's print dialog, landscape; or, given a PDF path, writes the pages
// to that file without asking.
class QtReportPrinter final : public ReportPrinter
{
public:
    explicit QtReportPrinter(QString pdfPath = {}) : m_pdfPath(std::move(pdfPath)) { }
    PrintOutcome print(const Report &report) override;

    // The pages of `report` on `printer`; false when it cannot be painted on.
    static bool paint(QPrinter &printer, const Report &report);
    // The pages of `report`, each `page` pixels; `newPage` turns to the next and says whether it
    // could.
    static bool paintPages(QPainter &p, QSize page, const Report &report,
                           const std::function<bool()> &newPage);

private:
    QString m_pdfPath;
};
