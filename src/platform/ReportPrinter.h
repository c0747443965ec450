#pragma once

#include "platform/Report.h"

enum class PrintOutcome { Printed, Cancelled, Failed };

// Prints a report, through the system's print dialog.
class ReportPrinter
{
public:
    virtual ~ReportPrinter() = default;
    virtual PrintOutcome print(const Report &report) = 0;
};
