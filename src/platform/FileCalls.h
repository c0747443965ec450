#pragma once

#include "platform/TextFile.h"

#include <QIODevice>

class QFile;

// What the text files need of the operating system, one file for each: opening a regular file
// without following a final link or blocking, and forcing what was written onto the disk.
namespace TextFile::FileCalls {

enum class Create { No, Yes };

// Opens `file` on a regular file at `path`: see TextFile.h for why links and other kinds of file
// are refused.
Outcome openRegular(QFile &file, const QString &path, QIODevice::OpenMode mode, Create create,
                    FinalLink link = FinalLink::Refused);

// Forces what was written to an open file onto the disk, past the operating system's cache.
bool syncFile(QFile &file);

} // namespace TextFile::FileCalls
