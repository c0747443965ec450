#include "settings/ProgramFolders.h"

#include <QDir>

ProgramFolders ProgramFolders::choose(const QString &workingDirectory, const QString &executableFolder)
{
    ProgramFolders folders;
    QString folder = QDir::toNativeSeparators(QDir::cleanPath(executableFolder));
    if (folder.size() > 1 && folder.endsWith(QDir::separator()))
        folder.chop(1);
    folders.ProgramFolder = folder;
    folders.StartDirectory = QDir::toNativeSeparators(workingDirectory) + QDir::separator();
    return folders;
}
