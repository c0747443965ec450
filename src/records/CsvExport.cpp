#include "records/CsvExport.h"

#include "platform/Report.h"

#include <QSaveFile>

namespace {
QString field(const QString &text, QChar separator)
{
    if (!text.contains(separator) && !text.contains(u'"') && !text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

void appendLine(QString &out, const QStringList &cells, QChar separator)
{
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            out += separator;
        out += field(cells[i], separator);
    }
    out += QStringLiteral("\r\n");
}
} // namespace

QChar CsvExport::separator(const QLocale &locale)
{
    return locale.decimalPoint() == QStringLiteral(",") ? u';' : u',';
}

QString CsvExport::fileName(const QDate &from, const QDate &to)
{
    const QString format = QStringLiteral("yyyy-MM-dd");
    return QStringLiteral("FAR-") + from.toString(format) + u'-' + to.toString(format)
        + QStringLiteral(".csv");
}

QByteArray CsvExport::bytes(const Report &report, QChar separator)
{
    // A heading's soft hyphens only say where the grid may wrap it; a spreadsheet or a program
    // reading the file by its headings wants the words whole.
    QStringList headings = report.columns;
    for (QString &heading : headings)
        heading.remove(QChar::SoftHyphen);
    QString text;
    appendLine(text, headings, separator);
    for (const QStringList &row : report.rows)
        appendLine(text, row, separator);
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

bool CsvExport::write(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}
