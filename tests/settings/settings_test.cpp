#include "settings/Settings.h"

#include <gtest/gtest.h>

// The number of terminals text in, the terminals polled out: the status grid's rows (terminals
// and heading) are rounded half to even, so 0.5 is one terminal and 1.5 is one too.
TEST(SettingsTerminalCount, LeadingNumberOfTheTextWithTheHeadingRowRounded)
{
    const std::pair<const char *, int> cases[] = {
        {"txtNoHand", 0}, {"", 0},     {" 3 terminals", 3}, {"0.5", 1},     {"1.5", 1},
        {"2.5", 3},       {"-0.5", 0}, {"-7", 0},           {"253.4", 253}, {"253.5", 253},
        {"254.5", 254},   {"1e9", 1},  {"300", 254},
    };
    for (const auto &[text, count] : cases) {
        Settings settings;
        settings.handTerminals = QString::fromLatin1(text);
        EXPECT_EQ(settings.terminalCount(), count) << text;
    }
}
