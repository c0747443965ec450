#include "settings/SetupFile.h"

#include "platform/Codec1252.h"
#include "platform/Paths.h"

#include <QDir>

namespace SetupFile {

namespace {
const QString kPrefix = QStringLiteral("FarSetup-");
const QString kSuffix = QStringLiteral(".txt");
} // namespace

QDate roundedDay(const QDateTime &now)
{
    // Kept: rounded to the nearest whole day, so a save from noon on is named after the following
    // day, because farms' Setup folders hold such names: a plain date would name an afternoon save
    // older than one the earlier program already named after tomorrow, and the next start would
    // read that older file.
    return now.time().hour() >= 12 ? now.date().addDays(1) : now.date();
}

QString path(const QString &programFolder, QDate day)
{
    return joinPath(programFolder,
                    QStringLiteral("Setup/") + kPrefix + day.toString(u"yyyy-MM-dd") + kSuffix);
}

QString newest(const QString &programFolder, const QDateTime &now)
{
    // A file dated after the day a save now would be named after was saved under a wrong
    // clock: taken as the newest, it would hide every later save. It is read only when there
    // is no other, and then the earliest of them.
    const QDate latestPossible = roundedDay(now);
    const QDir folder(joinPath(programFolder, QStringLiteral("Setup")));
    QDate newestDay;
    QString newestName;
    QDate earliestFuture;
    QString earliestFutureName;
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        if (name.size() < kPrefix.size() + kSuffix.size() || !name.startsWith(kPrefix, Qt::CaseInsensitive)
            || !name.endsWith(kSuffix, Qt::CaseInsensitive))
            continue;
        const QString middle = name.mid(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
        const QDate day = QDate::fromString(middle, u"yyyy-MM-dd");
        if (!day.isValid())
            continue;
        if (day <= latestPossible && (!newestDay.isValid() || day > newestDay)) {
            newestDay = day;
            newestName = name;
        } else if (day > latestPossible && (!earliestFuture.isValid() || day < earliestFuture)) {
            earliestFuture = day;
            earliestFutureName = name;
        }
    }
    // The name as found: where file names are case-sensitive, "farsetup-....TXT" is not
    // the written form.
    const QString found = newestDay.isValid() ? newestName : earliestFutureName;
    if (!found.isEmpty())
        return joinPath(programFolder, QStringLiteral("Setup/") + found);
    return path(programFolder, latestPossible);
}

QByteArray line(const QString &key, const QString &value)
{
    return Codec1252::encode(key + u'\t' + value + QStringLiteral("\r\n"));
}

} // namespace SetupFile
