#pragma once

#include "platform/Codec1252.h"
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

// One day's log file, read whole, without a torn end.
struct DayFile
{
    QByteArray bytes;
    qsizetype recordLines = 0; // lines after the header
};

// Nothing when the file is missing or cannot be read.
std::optional<DayFile> readDay(const QString &path);

// Calls `line` for every line after the first, decoded, without its line end (CR LF or LF). A
// line at a time: the text of a whole day is never held.
template<typename F> void forEachRecordLine(QByteArrayView bytes, F &&line)
{
    QVarLengthArray<QChar, 256> text;
    qsizetype start = 0;
    bool header = true;
    while (start < bytes.size()) {
        const auto *found = static_cast<const char *>(
            std::memchr(bytes.data() + start, '\n', size_t(bytes.size() - start)));
        const qsizetype end = found ? found - bytes.data() : bytes.size();
        QByteArrayView current = bytes.sliced(start, end - start);
        if (current.endsWith('\r'))
            current.chop(1);
        if (!header) {
            text.resize(current.size());
            Codec1252::decodeTo(current, text.data());
            line(QStringView(text.constData(), text.size()));
        }
        header = false;
        start = end + 1;
    }
}

} // namespace LogLine
