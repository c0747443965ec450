#pragma once

#include "fakes/QtPrinters.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

// A throw-away program folder with Setup/ and VimoLog/ for file tests.
class TempFolder
{
public:
    TempFolder()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("Setup"));
        QDir(m_dir.path()).mkpath(QStringLiteral("VimoLog"));
    }
    QString path() const { return QDir::toNativeSeparators(m_dir.path()); }
    // Path of a file inside, relative path written with '/'.
    QString file(const QString &relative) const
    {
        return QDir::toNativeSeparators(m_dir.path() + u'/' + relative);
    }
    void write(const QString &relative, const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(file(relative)).path());
        QFile out(file(relative));
        if (out.open(QIODevice::WriteOnly))
            out.write(bytes);
    }
    QByteArray read(const QString &relative) const
    {
        QFile in(file(relative));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
};
