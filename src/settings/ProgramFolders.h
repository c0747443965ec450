#pragma once

#include <QString>

// Where the program's files live, chosen once at start-up.
struct ProgramFolders
{
    QString ProgramFolder; // folder of the executable, without a trailing separator
    QString StartDirectory; // working directory with a trailing separator, for the trace
    QString HerdFolioFolder; // always empty: there is no development mode
    int DevelopmentFlag = 0;

    static ProgramFolders choose(const QString &workingDirectory, const QString &executableFolder);
};
