#pragma once

#include "platform/ReportPrinter.h"

#include <vector>

// Keeps every report it is given and answers with `outcome`.
class FakePrinter final : public ReportPrinter
{
public:
    PrintOutcome print(const Report &report) override
    {
        printed.push_back(report);
        return outcome;
    }

    std::vector<Report> printed;
    PrintOutcome outcome = PrintOutcome::Printed;
};
