#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

// Windows-1252 text files, opened and closed within one call.
namespace TextFile {

// Calls `line` for every line, without its line end (CR LF, LF or a lone CR at the end).
// False when the file cannot be opened or read.
bool forEachLine(const QString &path, const std::function<void(QStringView)> &line);

// Appends the bytes with a single write, forces them to the disk and closes the file; the
// file must exist unless `create` is set. False when any step fails (nothing is reported,
// the caller decides).
bool append(const QString &path, const QByteArray &bytes, bool create = false);

// The last `count` bytes of a plain file (fewer when it is shorter; none when it cannot be read).
QByteArray lastBytes(const QString &path, int count);

// Forces a folder's entries (a file just made in it) to the disk.
bool syncFolder(const QString &folder);

// Writes a whole file through a temporary file in the same folder that is renamed over the
// target, so a failure leaves any earlier file as it was.
bool replaceWhole(const QString &path, const QByteArray &bytes);

bool exists(const QString &path);

} // namespace TextFile
