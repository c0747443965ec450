#include "settings/ProgramFolders.h"
#include "settings/Settings.h"

#include <QDir>

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

// The executable's and the working folder in, the program folder (no separator at its end, but
// for a root) and the start folder (with one) out, in the system's separators.
TEST(ProgramFolders, ProgramFolderWithoutTrailingSeparator)
{
    const std::tuple<const char *, const char *, const char *, const char *> cases[] = {
        {"installed", "/opt/pc-vimo/", "/opt/pc-vimo", "/home/farm/"},
        {"a drive's root", "C:/", "C:", "C:/"},
        {"the root", "/", "/", "//"},
    };
    for (const auto &[name, executable, program, start] : cases) {
        const ProgramFolders folders
            = ProgramFolders::choose(QString::fromLatin1(start).chopped(1), QString::fromLatin1(executable));
        EXPECT_EQ(folders.ProgramFolder, QDir::toNativeSeparators(QString::fromLatin1(program))) << name;
        EXPECT_EQ(folders.StartDirectory, QDir::toNativeSeparators(QString::fromLatin1(start))) << name;
    }
}
