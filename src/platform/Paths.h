#pragma once

#include <QDir>
#include <QString>

// Joins a folder (held without a trailing separator) and a relative path written with '/',
// using the platform's separator.
inline QString joinPath(const QString &folder, const QString &relative)
{
    return folder + QDir::separator() + QDir::toNativeSeparators(relative);
}
