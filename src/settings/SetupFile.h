#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

// The dated setup files in the program folder's Setup folder.
namespace SetupFile {

// The day a setup file made at `now` is named after.
QDate roundedDay(const QDateTime &now);

QString path(const QString &programFolder, QDate day);

// The day the copy of the default setup is named after: earlier than any clock shows, so that
// every file of the farm's own outranks it.
QDate defaultDay();

// The file to read: among the FarSetup-*.txt names (case ignored), the greatest date up to the
// rounded present day; when there is none, the greatest date of all. The copy of the default
// is read only when there is no other. The file of the rounded present day when there is none.
QString newest(const QString &programFolder, const QDateTime &now);

// Copies the program folder's FarSetup-default.txt into a Setup folder that holds no setup
// file, as the file of defaultDay(). True when a copy was made.
bool copyDefaultWhenNone(const QString &programFolder);

// One setup line: key, TAB, value, CR LF.
QByteArray line(const QString &key, const QString &value);

} // namespace SetupFile
