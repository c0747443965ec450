#include "records/CsvExport.h"

#include "platform/Report.h"

#include <QSaveFile>

#include <algorithm>

namespace {
// A spreadsheet runs a cell that begins with one of these as a formula (some skip a leading tab
// or CR first): a sow id or a name typed as "=..." must not. An apostrophe in front makes the
// cell text.
bool startsLikeFormula(QStringView text)
{
    return !text.isEmpty() && QStringView(u"=+-@\t\r").contains(text.front());
}

// "-3" or "-38,5": a figure a spreadsheet reads as the number it is, nothing to run.
bool isPlainNumber(QStringView text)
{
    if (text.startsWith(u'-'))
        text = text.mid(1);
    const qsizetype point = std::max(text.indexOf(u'.'), text.indexOf(u','));
    const QStringView whole = point < 0 ? text : text.first(point);
    const QStringView fraction = point < 0 ? QStringView(u"0") : text.mid(point + 1);
    auto digits = [](QStringView part) {
        return !part.isEmpty()
            && std::all_of(part.begin(), part.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    };
    return digits(whole) && digits(fraction);
}

QString field(const QString &text, QChar separator, bool figure)
{
    const bool defused = startsLikeFormula(text) && !(figure && isPlainNumber(text));
    if (!defused && !text.contains(separator) && !text.contains(u'"') && !text.contains(u'\r')
        && !text.contains(u'\n'))
        return text;
    const QString cell = defused ? u'\'' + text : text;
    return u'"' + QString(cell).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

void appendLine(QString &out, const QStringList &cells, QChar separator, const std::vector<bool> &figures)
{
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            out += separator;
        out += field(cells[i], separator, size_t(i) < figures.size() && figures[size_t(i)]);
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
    // The reasons of the flagged cells make the last column, empty for a row without any.
    headings << report.flagsHeading;
    QString text;
    appendLine(text, headings, separator, {});
    for (size_t r = 0; r < report.rows.size(); ++r)
        appendLine(text, QStringList(report.rows[r]) << report.rowFlags(r), separator, report.figureColumns);
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

bool CsvExport::write(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}
