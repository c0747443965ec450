#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

// Windows-1252 text files, opened and closed within one call.
//
// The program's folders may be writable by a whole group of users, so a file in them is opened
// without following a final symbolic link (one user's link must not make another's program write
// to, or replace, a file of theirs) and without blocking (a FIFO would hang the line); anything
// that is not a regular file is refused. The folders themselves may be links.
namespace TextFile {

enum class Outcome { Done, NotRegularFile, Failed };

// Whether a final symbolic link is followed: only for files outside the shared folders.
enum class FinalLink { Refused, Followed };

// The whole file; nothing when it is missing, not a regular file or cannot be read.
std::optional<QByteArray> readAll(const QString &path, FinalLink link = FinalLink::Refused);

// Hands the file's bytes to `block` in order, at most `blockBytes` at a time, so that a large file
// is never held whole. False when it cannot be read (see readAll).
bool readBlocks(const QString &path, const std::function<void(QByteArrayView)> &block,
                qsizetype blockBytes = 64 * 1024);

// Calls `line` for every line, without its line end (CR LF, LF or a lone CR at the end).
// False when the file cannot be read (see readAll).
bool forEachLine(const QString &path, const std::function<void(QStringView)> &line,
                 FinalLink link = FinalLink::Refused);

// Appends the bytes with a single write, forces them to the disk and closes the file; the
// file must exist unless `create` is set. Nothing is reported, the caller decides.
Outcome append(const QString &path, const QByteArray &bytes, bool create = false);

// Cuts a regular file to `size` bytes and forces that to the disk.
bool truncate(const QString &path, qint64 size);

// The last `count` bytes of a regular file (fewer when it is shorter; none when it cannot be read).
QByteArray lastBytes(const QString &path, qint64 count);

// Forces a folder's entries (a file just made in it) to the disk.
bool syncFolder(const QString &folder);

// Writes a whole file through a temporary file in the same folder that is renamed over the
// target, so a failure leaves any earlier file as it was. A target that exists but is not a
// regular file (a link, a FIFO) is refused.
Outcome replaceWhole(const QString &path, const QByteArray &bytes);

// Whether something other than a folder is at `path` (a link counts, even a dangling one).
bool exists(const QString &path);

} // namespace TextFile
