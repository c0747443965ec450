#pragma once

#include "settings/Settings.h"

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

// What reading a setup file gave. Reading stops at the first line that is not a key and a value;
// the settings stop taking entries at it or at the first bad number, and keep their defaults for
// the entries not taken.
struct Contents
{
    QString path;
    Settings settings;
    bool opened = false;
    bool languageFound = false; // a "Language" entry came before any unreadable line
    bool unreadableLine = false;
    bool badNumber = false;

    bool whole() const { return opened && !unreadableLine && !badNumber; }
    // The language could not be looked up: no file, or an unreadable line before its entry.
    bool languageMissed() const { return !opened || (!languageFound && unreadableLine); }
};

Contents read(const QString &path);

// The whole file for the settings: every entry in its order, each line key, TAB, value, CR LF.
QByteArray bytes(const Settings &settings);

// Writes the settings as the file of the rounded day of `now`. False when it was not written.
bool write(const QString &programFolder, const QDateTime &now, const Settings &settings);

} // namespace SetupFile
