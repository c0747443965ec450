#include "records/LogLine.h"

#include "platform/TextFile.h"

#include <algorithm>

namespace LogLine {

LogFieldViews split(QStringView line)
{
    LogFieldViews fields;
    const QChar *chars = line.data();
    const qsizetype size = line.size();
    qsizetype start = 0;
    for (QStringView &field : fields) {
        qsizetype end = start;
        while (end < size && chars[end] != u'\t')
            ++end;
        field = QStringView(chars + start, end - start);
        // Kept: a field that starts with a double quote loses its first and last character, as in
        // the setup and language files, because log files saved from a spreadsheet read back so.
        if (field.startsWith(u'"')) {
            field.chop(1);
            if (!field.isEmpty())
                field = field.mid(1);
        }
        // Without a tab the rest is the last field, and every one after it.
        if (end < size)
            start = end + 1;
    }
    return fields;
}

std::optional<qsizetype> tornTail(QByteArrayView bytes)
{
    qsizetype end = bytes.size();
    while (end > 0 && bytes[end - 1] == '\0')
        --end;
    const qsizetype lastLine = bytes.first(end).lastIndexOf('\n') + 1;
    if (end < bytes.size())
        return lastLine;
    if (lastLine == bytes.size() || bytes.sliced(lastLine).count('\t') >= kLogFieldCount - 1)
        return std::nullopt;
    return lastLine;
}

std::optional<qsizetype> countRecordLines(const QString &path)
{
    qsizetype lineEnds = 0;
    char last = '\n';
    const bool read = TextFile::readBlocks(path, [&](QByteArrayView block) {
        lineEnds += std::count(block.begin(), block.end(), '\n');
        if (!block.isEmpty())
            last = block.back();
    });
    if (!read)
        return std::nullopt;
    const qsizetype lines = lineEnds + (last == '\n' ? 0 : 1);
    return std::max<qsizetype>(lines - 1, 0);
}

std::optional<QByteArray> readDay(const QString &path)
{
    auto bytes = TextFile::readAll(path);
    if (bytes)
        if (const auto torn = tornTail(*bytes))
            bytes->truncate(*torn);
    return bytes;
}

} // namespace LogLine
