#include "fakes/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempFolder::TempFolder()
{
    QDir(m_dir.path()).mkpath(QStringLiteral("Setup"));
    QDir(m_dir.path()).mkpath(QStringLiteral("VimoLog"));
}

QString TempFolder::path() const
{
    return QDir::toNativeSeparators(m_dir.path());
}

QString TempFolder::file(const QString &relative) const
{
    return QDir::toNativeSeparators(m_dir.path() + u'/' + relative);
}

void TempFolder::write(const QString &relative, const QByteArray &bytes) const
{
    const QString target = file(relative);
    QDir().mkpath(QFileInfo(target).path());
    QFile out(target);
    if (out.open(QIODevice::WriteOnly))
        out.write(bytes);
}

QByteArray TempFolder::read(const QString &relative) const
{
    QFile in(file(relative));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}
