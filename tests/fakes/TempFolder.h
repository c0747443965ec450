#pragma once

#include "fakes/QtPrinters.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A throw-away program folder with Setup/ and VimoLog/ for file tests.
class TempFolder
{
public:
    TempFolder();
    QString path() const;
    // Path of a file inside, relative path written with '/'.
    QString file(const QString &relative) const;
    void write(const QString &relative, const QByteArray &bytes) const;
    QByteArray read(const QString &relative) const;

private:
    QTemporaryDir m_dir;
};
