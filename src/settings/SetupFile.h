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

// The file to read: the greatest date among the FarSetup-*.txt names (case ignored); the
// file of the rounded present day when there is none.
QString newest(const QString &programFolder, const QDateTime &now);

// One setup line: key, TAB, value, CR LF.
QByteArray line(const QString &key, const QString &value);

} // namespace SetupFile
