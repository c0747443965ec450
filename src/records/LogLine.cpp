#include "records/LogLine.h"

#include "platform/TextFile.h"

#include <QFile>
#include <QFileInfo>

namespace LogLine {

LogFieldViews split(QStringView line)
{
    LogFieldViews fields;
    QStringView rest = line;
    for (QStringView &field : fields) {
        const qsizetype tab = rest.indexOf(u'\t');
        field = tab >= 0 ? rest.left(tab) : rest;
        // Kept: a field that starts with a double quote loses its first and last character, as in
        // the setup and language files, because log files saved from a spreadsheet read back so.
        if (field.startsWith(u'"')) {
            field.chop(1);
            if (!field.isEmpty())
                field = field.mid(1);
        }
        if (tab >= 0)
            rest = rest.mid(tab + 1);
    }
    return fields;
}

std::optional<DayFile> readDay(const QString &path)
{
    // A device (a link to /dev/full, say) would be read without end.
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    DayFile day;
    day.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    const qsizetype lines = day.bytes.count('\n') + (day.bytes.isEmpty() || day.bytes.endsWith('\n') ? 0 : 1);
    day.recordLines = std::max<qsizetype>(lines - 1, 0);
    return day;
}

} // namespace LogLine
