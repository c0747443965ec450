#include "settings/SetupFile.h"

#include "platform/Codec1252.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <QDir>

#include <vector>

namespace SetupFile {

namespace {
const QString kPrefix = QStringLiteral("FarSetup-");
const QString kSuffix = QStringLiteral(".txt");
const QString kTemplate = QStringLiteral("FarSetup-default.txt");

struct DatedName
{
    QDate day;
    QString name; // as found: where names are case-sensitive, "farsetup-....TXT" is not the written form
};

std::vector<DatedName> datedNames(const QString &programFolder)
{
    std::vector<DatedName> found;
    const QDir folder(joinPath(programFolder, QStringLiteral("Setup")));
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        if (name.size() < kPrefix.size() + kSuffix.size() || !name.startsWith(kPrefix, Qt::CaseInsensitive)
            || !name.endsWith(kSuffix, Qt::CaseInsensitive))
            continue;
        const QString middle = name.mid(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
        const QDate day = QDate::fromString(middle, u"yyyy-MM-dd");
        if (day.isValid())
            found.push_back({day, name});
    }
    return found;
}

void takeIfNewer(DatedName &newest, const DatedName &candidate)
{
    if (!newest.day.isValid() || candidate.day > newest.day)
        newest = candidate;
}
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

QDate defaultDay()
{
    return QDate(1, 1, 1);
}

QString newest(const QString &programFolder, const QDateTime &now)
{
    // A file dated after the day a save now would be named after was saved under a wrong clock:
    // taken as the newest, it would hide every later save, so it is passed over while there is
    // another. When every file is dated later (the clock was reset), the newest of them holds
    // the last settings made. The default's copy is dated before any clock, so it would be
    // the only file "up to now" then and hide all of the farm's: it comes last of all.
    const QDate latestPossible = roundedDay(now);
    DatedName upToNow, later, theDefault;
    for (const DatedName &file : datedNames(programFolder)) {
        if (file.day == defaultDay())
            takeIfNewer(theDefault, file);
        else
            takeIfNewer(file.day <= latestPossible ? upToNow : later, file);
    }
    for (const DatedName *chosen : {&upToNow, &later, &theDefault})
        if (chosen->day.isValid())
            return joinPath(programFolder, QStringLiteral("Setup/") + chosen->name);
    return path(programFolder, latestPossible);
}

bool copyDefaultWhenNone(const QString &programFolder)
{
    if (!datedNames(programFolder).empty())
        return false;
    // The template belongs to the installed program and is replaced with it; only its copy in
    // Setup is the farm's, so an upgrade or a removal never touches a farm's settings. Like the
    // language file, it lives outside the shared folders.
    const auto bytes = TextFile::readAll(joinPath(programFolder, kTemplate), TextFile::FinalLink::Followed);
    return bytes
        && TextFile::replaceWhole(path(programFolder, defaultDay()), *bytes) == TextFile::Outcome::Done;
}

QByteArray line(const QString &key, const QString &value)
{
    return Codec1252::encode(key + u'\t' + value + QStringLiteral("\r\n"));
}

} // namespace SetupFile
