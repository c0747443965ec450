#pragma once

#include <QByteArray>
#include <QDate>
#include <QLocale>
#include <QString>

struct Report;

// The shown records as a file a spreadsheet opens: UTF-8 with a byte-order mark, CR LF line
// ends, fields quoted where they must be.
namespace CsvExport {
// ';' where numbers are written with a decimal comma (a spreadsheet there reads ',' as part
// of a number), ',' elsewhere.
QChar separator(const QLocale &locale = QLocale());
// "FAR-2024-03-06-2024-03-07.csv"
QString fileName(const QDate &from, const QDate &to);
// The column headings, then the rows, the same texts as the report's, each row ending in the
// reasons of its flagged cells under the flags heading.
QByteArray bytes(const Report &report, QChar separator);
// Writes through a temporary file renamed over the target, so a failure leaves no part of a file.
bool write(const QString &path, const QByteArray &bytes);
} // namespace CsvExport
