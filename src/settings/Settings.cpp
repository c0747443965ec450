#include "settings/Settings.h"

#include "settings/NumberText.h"

#include <algorithm>

int Settings::terminalCount() const
{
    // Kept: the status grid's rows (terminals and heading) are rounded, not the terminals, because
    // a half then rounds to an even number of rows, as it always has.
    const long long rows = NumberText::roundHalfEven(NumberText::leadingNumber(handTerminals) + 1);
    return int(std::clamp<long long>(rows, 1, kLargestTerminalCount + 1)) - 1;
}
