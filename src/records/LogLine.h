#pragma once

#include "platform/Codec1252.h"
#include "platform/TextFile.h"
#include "protocol/LogField.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QVarLengthArray>

#include <cstring>
#include <optional>

// Reading log files back: the days' texts and the fields of their lines.
namespace LogLine {

// The thirteen fields of one line. Fields are split at TAB; a field that begins with a
// double quote loses its last and then its first character; fields after the thirteenth are
// ignored, and a line with fewer fields gives its last one to every remaining column.
LogFieldViews split(QStringView line);

// Where the bytes of a torn write begin at the end of a day file, or nothing when the file ends
// whole. A power cut while a line was written leaves a last line without its line end and with
// fewer fields than a record, or a file that grew while its data never reached the disk: it ends
// in NUL bytes, and the line they end in is torn as well. Such bytes were never acknowledged: the
// terminal still holds the record. A whole last line without its line end is not torn.
std::optional<qsizetype> tornTail(QByteArrayView bytes);

// One day's log file, read whole, without a torn end; nothing when the file is missing or cannot
// be read.
std::optional<QByteArray> readDay(const QString &path);

// The number of lines after the header; room for what forEachRecordLineOf gives. Nothing when
// the file is missing or cannot be read.
std::optional<qsizetype> countRecordLines(const QString &path);

// Calls `line` for every line of a day file after the first (the header), decoded, without its
// line end (CR LF or LF); a torn end (see tornTail) is no line. The file is read `blockBytes` at
// a time: the text of a whole day is never held. False when it is missing or cannot be read.
template<typename F> bool forEachRecordLineOf(const QString &path, F &&line, qsizetype blockBytes = 64 * 1024)
{
    QVarLengthArray<QChar, 256> text;
    QByteArray pending; // a line begun in one block and not yet ended
    bool header = true;
    auto give = [&](QByteArrayView current) {
        if (current.endsWith('\r'))
            current.chop(1);
        if (!header) {
            text.resize(current.size());
            Codec1252::decodeTo(current, text.data());
            line(QStringView(text.constData(), text.size()));
        }
        header = false;
    };
    const bool read = TextFile::readBlocks(
        path,
        [&](QByteArrayView block) {
            qsizetype start = 0;
            while (const auto *found = static_cast<const char *>(
                       std::memchr(block.data() + start, '\n', size_t(block.size() - start)))) {
                const QByteArrayView rest = block.sliced(start, found - block.data() - start);
                if (pending.isEmpty()) {
                    give(rest);
                } else {
                    pending += rest;
                    give(pending);
                    pending.truncate(0);
                }
                start = found - block.data() + 1;
            }
            pending += block.sliced(start);
        },
        blockBytes);
    if (!read)
        return false;
    // What follows the last line end: a last line without one, or a torn end.
    if (!pending.isEmpty() && !tornTail(pending))
        give(pending);
    return true;
}

} // namespace LogLine
